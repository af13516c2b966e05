// What the status display writes and the small playlist and open-dialog rules.
#include <gtest/gtest.h>

#include "StatusText.h"

TEST(PlaybackTimeText, PositionFiveBlanksAndLength) {
    EXPECT_EQ(PlaybackTimeText(10, 3723), "00:00:10     01:02:03");
    EXPECT_EQ(PlaybackTimeText(0, 0), "00:00:00     00:00:00");
    EXPECT_EQ(PlaybackTimeText(59, 60), "00:00:59     00:01:00");
}

TEST(PlaybackTimeText, AHundredHoursKeepsAllItsDigits) {
    EXPECT_EQ(PlaybackTimeText(100 * 3600, 100 * 3600 + 61), "100:00:00     100:01:01");
}

TEST(PlaybackTimeText, MediaTimesAreCutToWholeSeconds) {
    EXPECT_EQ(MediaTimeSeconds(0), 0u);
    EXPECT_EQ(MediaTimeSeconds(19999999), 1u);
    EXPECT_EQ(MediaTimeSeconds(37230000000LL), 3723u);
    ClockTime t = SplitSeconds(3723);
    EXPECT_EQ(t.hours, 1u);
    EXPECT_EQ(t.minutes, 2u);
    EXPECT_EQ(t.seconds, 3u);
}

TEST(PositionSlider, FractionOfSixHundredTruncated) {
    // 10 s of 1 h 2 min 3 s: 1.6, shown as 1.
    EXPECT_EQ(SliderFraction(int64_t{100000000}, int64_t{37230000000}), 1);
    EXPECT_EQ(SliderFraction(int64_t{30000000}, int64_t{60000000}), 300);
    EXPECT_EQ(SliderFraction(int64_t{60000000}, int64_t{60000000}), 600);
    EXPECT_EQ(SliderFraction(int64_t{5}, int64_t{0}), 0);  // no length known
}

TEST(PositionSlider, SeekTimeIsTheSlidersShareOfTheLength) {
    EXPECT_EQ(SeekTimeForSlider(300, 60000000), 30000000);
    EXPECT_EQ(SeekTimeForSlider(0, 60000000), 0);
    EXPECT_EQ(SeekTimeForSlider(600, 37230000000LL), 37230000000LL);
    EXPECT_EQ(SeekTimeForSlider(1, 600 * 7 + 5), 7);
}

TEST(StateWords, EveryFileStateHasItsWord) {
    EXPECT_STREQ(FileStateWord(0), "STOP");
    EXPECT_STREQ(FileStateWord(1), "PAUSE");
    EXPECT_STREQ(FileStateWord(2), "PLAY");
    EXPECT_STREQ(FileStateWord(3), "OPEN");
    EXPECT_STREQ(FileStateWord(4), "SCAN");
    EXPECT_STREQ(FileStateWord(9), "OPEN");
}

TEST(DisplayName, AddressesShowInFull) {
    EXPECT_EQ(DisplayName("http://host/dir/clip.avi"), "http://host/dir/clip.avi");
    EXPECT_EQ(DisplayName("mms://host/live"), "mms://host/live");
    EXPECT_EQ(DisplayName("rtsp://host/x.ifo"), "rtsp://host/x.ifo");
}

TEST(DisplayName, DvdFoldersShowTheirDrive) {
    EXPECT_EQ(DisplayName("d:\\video_ts\\video_ts.ifo"), "d:\\");
    EXPECT_EQ(DisplayName("E:\\VIDEO_TS\\VTS_01_0.IFO"), "E:\\");
}

TEST(DisplayName, FilesShowNameAndExtension) {
    EXPECT_EQ(DisplayName(""), "");
    EXPECT_EQ(DisplayName("c:\\media\\clip_av.avi"), "clip_av.avi");
    EXPECT_EQ(DisplayName("c:/media/tone.wav"), "tone.wav");
    EXPECT_EQ(DisplayName("c:clip.mpg"), "clip.mpg");
    EXPECT_EQ(DisplayName("clip.mp4"), "clip.mp4");
}

TEST(DvdPaths, AnIfoNameInAnyCaseOpensAsADvd) {
    EXPECT_TRUE(IsDvdPath("D:\\VIDEO_TS\\VIDEO_TS.IFO"));
    EXPECT_TRUE(IsDvdPath("d:\\video_ts\\video_ts.ifo"));
    EXPECT_FALSE(IsDvdPath("c:\\media\\clip.avi"));
}

TEST(DvdPaths, TheDiscsFolderIsTheCurrentDirectoryWhileItOpens) {
    EXPECT_EQ(DirectoryOf("d:\\video_ts\\video_ts.ifo"), "d:\\video_ts\\");
    EXPECT_EQ(DirectoryOf("d:\\video_ts.ifo"), "d:\\");
    EXPECT_EQ(DirectoryOf("video_ts.ifo"), "");
}

TEST(ShuffleIndex, RandomShareOfTheCount) {
    EXPECT_EQ(ShuffleIndex(0, 5), 0);
    EXPECT_EQ(ShuffleIndex(16383, 5), 2);
    EXPECT_EQ(ShuffleIndex(32766, 5), 4);
    EXPECT_EQ(ShuffleIndex(32767, 5), 5);            // the rare result that plays nothing
    EXPECT_EQ(ShuffleIndex(32767, 100000), 100000);  // long lists do not overflow
}

TEST(Tooltips, TransportToolsHaveTheirTexts) {
    EXPECT_STREQ(TooltipText(40003), "Play");
    EXPECT_STREQ(TooltipText(40006), "FastForward");
    EXPECT_STREQ(TooltipText(40007), "Rewind");
    EXPECT_STREQ(TooltipText(40010), "Root Menu / Resume");
    EXPECT_STREQ(TooltipText(40016), "Full Screen");
    EXPECT_STREQ(TooltipText(40029), "Step Forward");
    EXPECT_EQ(TooltipText(40047), nullptr);
}
