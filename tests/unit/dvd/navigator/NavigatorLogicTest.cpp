// The navigator's pure parts, called directly: time arithmetic, user operations, languages, the
// bookmark stream, program-stream packets, colour conversion and LPCM.
#include <gtest/gtest.h>

#include <cstring>

#include "DiscInfo.h"
#include "DvdTime.h"
#include "Languages.h"
#include "Lpcm.h"
#include "ProgramStream.h"
#include "StateStream.h"
#include "UserOps.h"
#include "Yuv.h"

using namespace navigator;

TEST(NavigatorTime, IfoTimesAreBcdWithTheRateInTheFrameByte) {
    unsigned fps = 0;
    // 1:02:03 and 12 frames at 25 a second.
    EXPECT_EQ((3723 * 90000LL) + 12 * 90000 / 25, IfoTimeTicks(0x01, 0x02, 0x03, 0x40 | 0x12, &fps));
    EXPECT_EQ(25u, fps);
    EXPECT_EQ(0, IfoTimeTicks(0, 0, 0, 0xc0, &fps));
    EXPECT_EQ(30u, fps);
}

TEST(NavigatorTime, TimeCodesRoundTrip) {
    Hmsf t = MsToHmsf(3723480, 25);
    EXPECT_EQ(1, t.hours);
    EXPECT_EQ(2, t.minutes);
    EXPECT_EQ(3, t.seconds);
    EXPECT_EQ(12, t.frames);
    EXPECT_EQ(3723480, HmsfToMs(t, 25));
    EXPECT_TRUE(HmsfValid(t, 25));
    EXPECT_FALSE(HmsfValid(Hmsf{0, 60, 0, 0}, 25));
    EXPECT_FALSE(HmsfValid(Hmsf{0, 0, 0, 25}, 25));
    EXPECT_EQ(0, MsToHmsf(-5, 25).seconds);
}

TEST(NavigatorTime, EventPackingFollowsTheTimeCodeRecords) {
    // DVD_HMSF_TIMECODE: hours first in memory.
    EXPECT_EQ(0x0c030201u, PackHmsf(Hmsf{1, 2, 3, 12}));
    Hmsf back = UnpackHmsf(0x0c030201u);
    EXPECT_EQ(2, back.minutes);
    // DVD_TIMECODE: BCD from hours up, the 25 fps code in the top bits.
    EXPECT_EQ(0x52593401u, PackBcdTimeCode(Hmsf{1, 34, 59, 12}, 25));
    EXPECT_EQ(0xc0000000u, PackBcdTimeCode(Hmsf{0, 0, 0, 0}, 30));
}

TEST(NavigatorUserOps, MenusHaveTheirOwnOperation) {
    EXPECT_EQ(uop::kTitleMenu, uop::MenuCall(2));
    EXPECT_EQ(uop::kRootMenu, uop::MenuCall(3));
    EXPECT_EQ(uop::kChapterMenu, uop::MenuCall(7));
    EXPECT_EQ(0u, uop::MenuCall(8));
    EXPECT_TRUE(uop::Prohibited(uop::kForwardScan | uop::kStop, uop::kStop));
    EXPECT_FALSE(uop::Prohibited(uop::kForwardScan, uop::kBackwardScan));
    EXPECT_EQ(0x1000000u, uop::kVideoMode);  // VALID_UOP_FLAG's last bit
}

TEST(NavigatorLanguages, CodesAndLocalesBothWays) {
    EXPECT_EQ(0x0409u, LcidFromLanguageCode('e' << 8 | 'n'));
    EXPECT_EQ(0x040cu, LcidFromLanguageCode('F' << 8 | 'R'));
    EXPECT_EQ(0u, LcidFromLanguageCode(0));
    EXPECT_EQ('d' << 8 | 'e', LanguageCodeFromLcid(0x0807));  // Swiss German is German
    EXPECT_EQ(0, LanguageCodeFromLcid(0x7f));
}

TEST(NavigatorState, ABookmarkReadsBackAsItWasWritten) {
    SavedState s;
    s.discId = 0x1122334455667788ULL;
    s.domain = 4;
    s.title = 2;
    s.chapter = 3;
    s.timeMs = 123456;
    s.audio = 1;
    s.subpictureOn = 0;
    s.parentalLevel = 5;
    std::vector<uint8_t> bytes = SerializeState(s);
    ASSERT_EQ(kSavedStateBytes, bytes.size());
    SavedState back;
    size_t used = 0;
    ASSERT_EQ(StateParse::Ok, ParseState(bytes.data(), bytes.size(), back, &used));
    EXPECT_EQ(kSavedStateBytes, used);
    EXPECT_EQ(s.discId, back.discId);
    EXPECT_EQ(123456u, back.timeMs);
    EXPECT_EQ(5u, back.parentalLevel);
    EXPECT_EQ(0u, back.subpictureOn);
}

TEST(NavigatorState, DamagedOrForeignBytesAreRefused) {
    std::vector<uint8_t> bytes = SerializeState(SavedState{});
    SavedState out;
    EXPECT_EQ(StateParse::Corrupt, ParseState(bytes.data(), bytes.size() - 1, out));
    std::vector<uint8_t> flipped = bytes;
    flipped[30] ^= 1;
    EXPECT_EQ(StateParse::Corrupt, ParseState(flipped.data(), flipped.size(), out));
    std::vector<uint8_t> later = bytes;
    later[4] = 2;
    EXPECT_EQ(StateParse::WrongVersion, ParseState(later.data(), later.size(), out));
    EXPECT_EQ(StateParse::Corrupt, ParseState(nullptr, 0, out));
    const uint8_t other[] = "TMDS and something else entirely, long enough to be read as one";
    EXPECT_EQ(StateParse::Corrupt, ParseState(other, sizeof other, out));
}

namespace {

// A pack header and one PES packet of `id` (with a private substream byte when sub >= 0).
std::vector<uint8_t> Pack(uint8_t id, int sub, bool pts, bool scrambled, size_t payload) {
    std::vector<uint8_t> s = {0, 0, 1, 0xba, 0x44, 0, 4, 0, 4, 1, 1, 0x89, 0xc3, 0xf8};
    size_t header = pts ? 5 : 0;
    size_t body = 3 + header + (sub >= 0 ? (sub >= 0xa0 ? 7 : sub >= 0x80 ? 4 : 1) : 0) + payload;
    s.insert(s.end(), {0, 0, 1, id, static_cast<uint8_t>(body >> 8), static_cast<uint8_t>(body)});
    s.push_back(static_cast<uint8_t>(0x80 | (scrambled ? 0x10 : 0)));
    s.push_back(pts ? 0x80 : 0);
    s.push_back(static_cast<uint8_t>(header));
    if (pts) s.insert(s.end(), {0x21, 0x00, 0x05, 0xbf, 0x21});  // 90000 * 2 + 48144
    if (sub >= 0) {
        s.push_back(static_cast<uint8_t>(sub));
        if (sub >= 0x80) s.insert(s.end(), {1, 0, 1});
        if (sub >= 0xa0) s.insert(s.end(), {0, 0x01, 0x80});
    }
    for (size_t i = 0; i < payload; ++i)
        s.push_back(static_cast<uint8_t>(i));
    s.resize(kSectorBytes, 0xff);
    return s;
}

}  // namespace

TEST(NavigatorProgramStream, PacketsAreFoundWithTheirStreamsAndTimes) {
    EsPacket p[4];
    std::vector<uint8_t> video = Pack(0xe0, -1, true, false, 100);
    ASSERT_EQ(1u, ParsePack(video.data(), video.size(), p, 4));
    EXPECT_EQ(EsKind::Video, p[0].kind);
    EXPECT_TRUE(p[0].hasPts);
    EXPECT_EQ(0x2000 * 0 + (0x21 & 0x0e) * (1LL << 29) + 0x00 * (1 << 22) + (0x05 & 0xfe) * (1 << 14) +
                  0xbf * (1 << 7) + (0x21 >> 1),
              p[0].pts);
    EXPECT_EQ(100u, p[0].size);
    EXPECT_EQ(0, p[0].data[0]);

    std::vector<uint8_t> ac3 = Pack(0xbd, 0x81, false, false, 50);
    ASSERT_EQ(1u, ParsePack(ac3.data(), ac3.size(), p, 4));
    EXPECT_EQ(EsKind::Ac3, p[0].kind);
    EXPECT_EQ(1u, p[0].stream);
    EXPECT_EQ(50u, p[0].size);

    std::vector<uint8_t> lpcm = Pack(0xbd, 0xa0, false, false, 40);
    ASSERT_EQ(1u, ParsePack(lpcm.data(), lpcm.size(), p, 4));
    EXPECT_EQ(EsKind::Lpcm, p[0].kind);
    EXPECT_EQ(0x01, p[0].lpcmHeader[1]);

    std::vector<uint8_t> sub = Pack(0xbd, 0x22, false, false, 30);
    ASSERT_EQ(1u, ParsePack(sub.data(), sub.size(), p, 4));
    EXPECT_EQ(EsKind::Subpicture, p[0].kind);
    EXPECT_EQ(2u, p[0].stream);
}

TEST(NavigatorProgramStream, ScrambledPacketsSaySo) {
    EsPacket p[4];
    std::vector<uint8_t> s = Pack(0xe0, -1, false, true, 10);
    ASSERT_EQ(1u, ParsePack(s.data(), s.size(), p, 4));
    EXPECT_TRUE(p[0].scrambled);
}

TEST(NavigatorProgramStream, NothingIsReadOutsideTheSector) {
    EsPacket p[4];
    std::vector<uint8_t> s = Pack(0xe0, -1, false, false, 10);
    s[14 + 4] = 0xff;  // a packet longer than the sector
    s[14 + 5] = 0xff;
    EXPECT_EQ(0u, ParsePack(s.data(), s.size(), p, 4));
    EXPECT_EQ(0u, ParsePack(s.data(), 10, p, 4));
    std::vector<uint8_t> header = Pack(0xe0, -1, true, false, 0);
    header[14 + 8] = 200;  // a header longer than its packet
    EXPECT_EQ(0u, ParsePack(header.data(), header.size(), p, 4));
    std::vector<uint8_t> mpeg1 = Pack(0xe0, -1, false, false, 10);
    mpeg1[4] = 0x21;  // an MPEG-1 pack
    EXPECT_EQ(0u, ParsePack(mpeg1.data(), mpeg1.size(), p, 4));
}

TEST(NavigatorColour, StudioRangeColoursConvert) {
    uint32_t white = YuvToRgb(235, 128, 128), black = YuvToRgb(16, 128, 128);
    EXPECT_EQ(0xffffffu, white);
    EXPECT_EQ(0u, black);
    uint32_t red = YuvToRgb(81, 90, 240);  // what an MPEG-2 encoder makes of pure red
    EXPECT_GT((red >> 16) & 0xff, 240u);
    EXPECT_LT((red >> 8) & 0xff, 16u);
}

TEST(NavigatorColour, PicturesGoBottomUpAndStretchToTheOutput) {
    // 2 x 2 pixels: the top row white, the bottom black.
    uint8_t y[4] = {235, 235, 16, 16}, u[1] = {128}, v[1] = {128};
    YuvPicture picture{y, u, v, 2, 2, 2, 1};
    uint32_t out[4 * 4];
    YuvToRgb32(picture, reinterpret_cast<uint8_t*>(out), 4, 4, 16);
    EXPECT_EQ(0xffffffu, out[3 * 4 + 0]);  // the last row in memory is the top of the picture
    EXPECT_EQ(0u, out[0]);
}

TEST(NavigatorLpcm, SixteenBitStereoBecomesNativeSamples) {
    LpcmFormat format;
    ASSERT_TRUE(ReadLpcmFormat(0x01, format));
    EXPECT_EQ(16u, format.bits);
    EXPECT_EQ(2u, format.channels);
    LpcmConverter converter;
    std::vector<int16_t> out;
    const uint8_t data[] = {0x12, 0x34, 0xff, 0xfe, 0x00};
    converter.Convert(format, data, sizeof data, out);
    ASSERT_EQ(2u, out.size());
    EXPECT_EQ(0x1234, out[0]);
    EXPECT_EQ(-2, out[1]);
    const uint8_t rest[] = {0x01, 0x00, 0x02};  // the odd byte waited for these
    converter.Convert(format, rest, sizeof rest, out);
    ASSERT_EQ(4u, out.size());
    EXPECT_EQ(0x0001, out[2]);
    EXPECT_EQ(0x0002, out[3]);
}

TEST(NavigatorLpcm, TwentyFourBitMonoAtNinetySixKilohertz) {
    LpcmFormat format;
    ASSERT_TRUE(ReadLpcmFormat(0x80 | 0x10 | 0x00, format));
    EXPECT_EQ(24u, format.bits);
    EXPECT_EQ(96000u, format.rate);
    EXPECT_EQ(1u, format.channels);
    LpcmConverter converter;
    std::vector<int16_t> out;
    // One group: the high 16 bits of two samples, then their low bytes.
    const uint8_t data[] = {0x10, 0x00, 0x20, 0x00, 0xaa, 0xbb};
    converter.Convert(format, data, sizeof data, out);
    ASSERT_EQ(2u, out.size());  // every second sample of 96 kHz, on both channels
    EXPECT_EQ(0x1000, out[0]);
    EXPECT_EQ(0x1000, out[1]);
    EXPECT_FALSE(ReadLpcmFormat(0xc0, format));  // a reserved quantization
}

TEST(NavigatorDisc, TheVideoTsFolderOfWhatAUserOpens) {
    auto isDir = [](const std::string& p) { return p == "D:\\VIDEO_TS"; };
    EXPECT_EQ("D:\\VIDEO_TS", VideoTsFolder("D:\\VIDEO_TS\\VIDEO_TS.IFO", isDir));
    EXPECT_EQ("D:\\VIDEO_TS", VideoTsFolder("D:\\VIDEO_TS\\", isDir));
    EXPECT_EQ("D:\\VIDEO_TS", VideoTsFolder("D:\\", isDir));
    EXPECT_EQ("c:\\films\\x\\video_ts", VideoTsFolder("c:\\films\\x\\video_ts\\video_ts.ifo", isDir));
    EXPECT_EQ("", VideoTsFolder("", isDir));
}
