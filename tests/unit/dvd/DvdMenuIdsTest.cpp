#include <gtest/gtest.h>

#include "DvdMenuIds.h"

namespace {

void ExpectTarget(unsigned id, DvdMenuEntry entry, unsigned index) {
    DvdMenuTarget target = DecodeDvdMenuCommand(id);
    EXPECT_EQ(entry, target.entry) << id;
    if (entry != DvdMenuEntry::None) {
        EXPECT_EQ(index, target.index) << id;
    }
}

TEST(DvdMenuIds, GeneratedEntriesMapBackToTheirStreamTitleChapterOrFilter) {
    ExpectTarget(45100, DvdMenuEntry::Subpicture, 0);
    ExpectTarget(45131, DvdMenuEntry::Subpicture, 31);
    ExpectTarget(45200, DvdMenuEntry::Audio, 0);
    ExpectTarget(45207, DvdMenuEntry::Audio, 7);
    ExpectTarget(45301, DvdMenuEntry::Title, 1);
    ExpectTarget(45399, DvdMenuEntry::Title, 99);
    ExpectTarget(45401, DvdMenuEntry::Chapter, 1);
    ExpectTarget(46399, DvdMenuEntry::Chapter, 999);
    ExpectTarget(47101, DvdMenuEntry::Filter, 1);
    ExpectTarget(47163, DvdMenuEntry::Filter, 63);
}

TEST(DvdMenuIds, IdentifiersJustOutsideEachRangeMeanNothing) {
    for (unsigned id : {45099u, 45132u, 45199u, 45208u, 45300u, 45400u, 46400u, 46407u, 46500u, 47100u,
                        47164u, 40070u, 40003u, 0u}) {
        ExpectTarget(id, DvdMenuEntry::None, 0);
    }
}

TEST(DvdMenuIds, TitlesAreCountedUpToTheFirstMissingOneAndAtMost99) {
    EXPECT_EQ(0u, CountTitles([](unsigned) { return false; }));
    EXPECT_EQ(3u, CountTitles([](unsigned title) { return title <= 3; }));
    unsigned probes = 0;
    EXPECT_EQ(99u, CountTitles([&](unsigned) {
                  ++probes;
                  return true;
              }));
    EXPECT_EQ(99u, probes);  // never asks for title 100
    // A gap ends the count even when later titles answer.
    EXPECT_EQ(1u, CountTitles([](unsigned title) { return title != 2; }));
}

TEST(DvdMenuIds, NavigatorCountsBeyondTheLimitsAreCut) {
    EXPECT_EQ(32u, ListedCount(40, kMaxSubpictureStreams));
    EXPECT_EQ(8u, ListedCount(9, kMaxAudioStreams));
    EXPECT_EQ(999u, ListedCount(0xFFFFFFFFu, kMaxChapters));
    EXPECT_EQ(5u, ListedCount(5, kMaxChapters));
    EXPECT_EQ(0u, ListedCount(0, kMaxAudioStreams));
    // The last chapter entry stays below the drive menu's identifiers.
    EXPECT_LT(ID_DVD_CHAPTER_BASE + kMaxChapters, static_cast<unsigned>(ID_DRIVE_OPEN_BASE));
}

}  // namespace
