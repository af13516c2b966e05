// What the navigator reads from the authored volumes themselves: the IFO's facts through
// libdvdread, and the two audio streams decoded from the title's sectors, told apart by tone.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "AudioDecoder.h"
#include "DiscInfo.h"
#include "NavGraph.h"
#include "ProgramStream.h"

using namespace navigator;

namespace {

std::string Folder(const std::string& name) {
    return navtest::DiscRoot() + name + "\\VIDEO_TS";
}

// The frequency of interleaved stereo samples, from the left channel's rising zero crossings.
double Frequency(const std::vector<int16_t>& samples) {
    int crossings = 0;
    for (size_t i = 2; i < samples.size(); i += 2)
        if (samples[i - 2] < 0 && samples[i] >= 0) ++crossings;
    return crossings * 48000.0 / (samples.size() / 2.0);
}

// One second of a stream of the title's VOB, decoded as the navigator decodes it.
std::vector<int16_t> Decode(EsKind kind, unsigned stream) {
    std::vector<int16_t> all;
    FILE* f = std::fopen((Folder("colours") + "\\VTS_01_1.VOB").c_str(), "rb");
    if (!f) return all;
    AudioDecoder decoder;
    uint8_t sector[kSectorBytes];
    while (all.size() < 2 * 48000 + 2 * 9600 && std::fread(sector, 1, sizeof sector, f) == sizeof sector) {
        EsPacket packets[16];
        size_t n = ParsePack(sector, sizeof sector, packets, 16);
        for (size_t i = 0; i < n; ++i) {
            if (packets[i].kind != kind || packets[i].stream != stream) continue;
            std::vector<PcmChunk> chunks;
            decoder.Feed(packets[i], chunks);
            for (const PcmChunk& c : chunks)
                all.insert(all.end(), c.samples.begin(), c.samples.end());
        }
    }
    std::fclose(f);
    // The encoders' first frames fade in: measure after them.
    if (all.size() > 2 * 9600) all.erase(all.begin(), all.begin() + 2 * 9600);
    return all;
}

}  // namespace

TEST(NavigatorDiscFacts, TheColourVolumeAsItsIfoSaysIt) {
    DiscFacts facts;
    std::string why;
    ASSERT_TRUE(ReadDiscFacts(Folder("colours"), facts, why)) << why;
    ASSERT_EQ(2u, facts.titles.size());
    ASSERT_EQ(2u, facts.titles[0].chapterStartMs.size());
    EXPECT_EQ(0u, facts.titles[0].chapterStartMs[0]);
    EXPECT_NEAR(6000, facts.titles[0].chapterStartMs[1], 100);
    EXPECT_NEAR(12000, facts.titles[0].lengthMs, 100);
    EXPECT_NEAR(6000, facts.titles[1].lengthMs, 100);
    EXPECT_EQ(25u, facts.titles[0].frameRate);
    ASSERT_EQ(1u, facts.titleSets.size());
    const TitleSetAttributes& set = facts.titleSets[0];
    ASSERT_EQ(2u, set.audio.size());
    EXPECT_EQ(0, set.audio[0].coding);  // AC-3
    EXPECT_EQ('e' << 8 | 'n', set.audio[0].language);
    EXPECT_EQ(4, set.audio[1].coding);  // LPCM
    EXPECT_EQ('f' << 8 | 'r', set.audio[1].language);
    ASSERT_EQ(1u, set.subpictures.size());
    EXPECT_EQ('e' << 8 | 'n', set.subpictures[0].language);
    EXPECT_TRUE(set.video.pal);
    EXPECT_EQ(0, set.video.aspect);
    EXPECT_NE(0u, facts.id);
    EXPECT_EQ(0xffu, TitleParentalLevels(facts, 1));  // no parental table: every level
}

TEST(NavigatorDiscFacts, BrokenVolumesSayWhy) {
    for (const char* name : {"bad\\truncated_ifo", "bad\\empty_ifo", "bad\\random_bytes"}) {
        DiscFacts facts;
        std::string why;
        EXPECT_FALSE(ReadDiscFacts(Folder(name), facts, why)) << name;
        EXPECT_FALSE(why.empty()) << name;
    }
    DiscFacts many;
    std::string why;
    ASSERT_TRUE(ReadDiscFacts(Folder("bad\\titles99"), many, why)) << why;
    EXPECT_EQ(99u, many.titles.size());
}

TEST(NavigatorDecoding, TheTwoAudioStreamsHaveTheirOwnTones) {
    std::vector<int16_t> english = Decode(EsKind::Ac3, 0);
    std::vector<int16_t> french = Decode(EsKind::Lpcm, 0);
    ASSERT_GT(english.size(), 2u * 24000);
    ASSERT_GT(french.size(), 2u * 24000);
    EXPECT_NEAR(440.0, Frequency(english), 10.0);
    EXPECT_NEAR(880.0, Frequency(french), 10.0);
}

TEST(NavigatorDiscFacts, TheSubtitleIsInTheTitlesSectorsWhileItShows) {
    // spumux put the subtitle into title 1 from 1 s to 5 s; its packets carry its show time.
    FILE* f = std::fopen((Folder("colours") + "\\VTS_01_1.VOB").c_str(), "rb");
    ASSERT_TRUE(f);
    uint8_t sector[kSectorBytes];
    int packets = 0;
    int64_t firstPts = -1, videoPts = -1;
    while (std::fread(sector, 1, sizeof sector, f) == sizeof sector) {
        EsPacket found[16];
        size_t n = ParsePack(sector, sizeof sector, found, 16);
        for (size_t i = 0; i < n; ++i) {
            if (found[i].kind == EsKind::Video && videoPts < 0 && found[i].hasPts) videoPts = found[i].pts;
            if (found[i].kind != EsKind::Subpicture) continue;
            EXPECT_EQ(0u, found[i].stream);
            ++packets;
            if (firstPts < 0 && found[i].hasPts) firstPts = found[i].pts;
        }
    }
    std::fclose(f);
    EXPECT_GT(packets, 0);
    ASSERT_GE(videoPts, 0);
    EXPECT_NEAR(90000, firstPts - videoPts, 90000 / 10);  // a second after the first picture
}
