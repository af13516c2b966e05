// The file engine's arithmetic and text rules, as a caller sees them.
#include <gtest/gtest.h>

#include "PlaybackMath.h"

TEST(VolumeCurve, SilenceBelowOnePercentAndFullAtTheTop) {
    EXPECT_EQ(VolumeFromFraction(0.0f), -10000);
    EXPECT_EQ(VolumeFromFraction(0.005f), -10000);
    EXPECT_EQ(VolumeFromFraction(1.0f), 0);
    EXPECT_EQ(VolumeFromFraction(1.5f), 0);  // never louder than full
}

TEST(VolumeCurve, EachRangeFollowsItsOwnLineAndJumpsAtTheBorders) {
    EXPECT_EQ(VolumeFromFraction(0.01f), -4950);
    EXPECT_EQ(VolumeFromFraction(0.1f), -4500);
    // Just below 0.2 the quiet line gives about -4000; at 0.2 the middle line about -2400.
    EXPECT_NEAR(VolumeFromFraction(0.1999f), -4000, 1);
    EXPECT_EQ(VolumeFromFraction(0.2f), -2400);
    EXPECT_NEAR(VolumeFromFraction(0.4999f), -1500, 1);
    EXPECT_EQ(VolumeFromFraction(0.5f), -1000);
    EXPECT_EQ(VolumeFromFraction(0.75f), -500);
}

TEST(VolumeSteps, StayBetweenSilenceAndFull) {
    EXPECT_EQ(VolumeStepUp(-50), 0);
    EXPECT_EQ(VolumeStepUp(-2000), -1900);
    EXPECT_EQ(VolumeStepUp(0), 0);
    EXPECT_EQ(VolumeStepDown(-9950), -10000);
    EXPECT_EQ(VolumeStepDown(-9899), -9999);
    EXPECT_EQ(VolumeStepDown(0), -100);
}

TEST(ChannelBalance, LeftBothRightAndAnythingElseKeepsTheBalance) {
    long balance = 1234;
    EXPECT_TRUE(BalanceForChannel(-1, balance));
    EXPECT_EQ(balance, -10000);
    EXPECT_TRUE(BalanceForChannel(1, balance));
    EXPECT_EQ(balance, 10000);
    EXPECT_TRUE(BalanceForChannel(0, balance));
    EXPECT_EQ(balance, 0);
    balance = 777;
    EXPECT_FALSE(BalanceForChannel(2, balance));
    EXPECT_EQ(balance, 777);
}

TEST(FullScreenFit, APictureSmallerThanTheScreenIsCentredAtItsOwnSize) {
    FitRect r = FitToScreen(400, 300, 1024, 768);
    EXPECT_EQ(r.left, 312);
    EXPECT_EQ(r.top, 234);
    EXPECT_EQ(r.width, 400);
    EXPECT_EQ(r.height, 300);
}

TEST(FullScreenFit, VideoSizesTimesTenFillTheScreenWithTheirAspect) {
    // 4:3 fills the 4:3 screen.
    FitRect r = FitToScreen(3200, 2400, 1024, 768);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.width, 1024);
    EXPECT_EQ(r.height, 768);
    // 720 x 576 (5:4) is fitted to the height: 960 wide, 32 from the left.
    r = FitToScreen(7200, 5760, 1024, 768);
    EXPECT_EQ(r.left, 32);
    EXPECT_EQ(r.top, 0);
    EXPECT_EQ(r.width, 960);
    EXPECT_EQ(r.height, 768);
    // 16:9 is fitted to the width with bands above and below.
    r = FitToScreen(6400, 3600, 1024, 768);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 96);
    EXPECT_EQ(r.width, 1024);
    EXPECT_EQ(r.height, 576);
}

TEST(FullScreenFit, TooWideOnlyOrTooHighOnlyFitsThatSide) {
    FitRect wide = FitToScreen(2000, 500, 1024, 768);  // aspect 4: height 256
    EXPECT_EQ(wide.left, 0);
    EXPECT_EQ(wide.top, 256);
    EXPECT_EQ(wide.width, 1024);
    EXPECT_EQ(wide.height, 256);
    FitRect high = FitToScreen(300, 1000, 1024, 768);  // aspect 0.3: width 230
    EXPECT_EQ(high.top, 0);
    EXPECT_EQ(high.left, 397);
    EXPECT_EQ(high.width, 230);
    EXPECT_EQ(high.height, 768);
}

TEST(SeekTargets, SkipsNeverGoBeforeTheStartButMayPassTheEnd) {
    EXPECT_EQ(SkipTarget(4 * kMediaTimePerSecond, -10), 0);
    EXPECT_EQ(SkipTarget(4 * kMediaTimePerSecond, 20), 24 * kMediaTimePerSecond);
    EXPECT_EQ(SkipTarget(59 * kMediaTimePerSecond, 20), 79 * kMediaTimePerSecond);
    EXPECT_EQ(ClampToStart(-5), 0);
    EXPECT_EQ(ClampToStart(5), 5);
}

TEST(FileTypes, AsfNamesCountOnlyInLowerOrUpperCase) {
    EXPECT_TRUE(IsAsfFile("c:\\a\\song.wma"));
    EXPECT_TRUE(IsAsfFile("C:\\A\\CLIP.WMV"));
    EXPECT_TRUE(IsAsfFile("http://host/stream.asf?x=1"));
    EXPECT_FALSE(IsAsfFile("c:\\a\\clip.Wmv"));
    EXPECT_FALSE(IsAsfFile("c:\\a\\clip.avi"));
}

TEST(FileTypes, MpegAndDeferredFullScreenAreFoundAnywhereInAnyCase) {
    EXPECT_TRUE(IsMpegFile("C:\\VCD\\AVSEQ01.DAT"));
    EXPECT_TRUE(IsMpegFile("c:\\old.data\\song.mp3"));  // ".dat" in a folder name counts too
    EXPECT_TRUE(IsMpegFile("c:\\a\\clip.m2v"));
    EXPECT_FALSE(IsMpegFile("c:\\a\\clip.avi"));
    for (const char* path :
         {"c:\\a\\x.AVI", "c:\\a\\x.divx", "c:\\a\\x.mp4", "c:\\a\\x.wmv.avi", "c:\\x.wmv"})
        EXPECT_TRUE(IsDeferredFullScreenFile(path)) << path;
    EXPECT_FALSE(IsDeferredFullScreenFile("c:\\a\\clip.mpg"));
    EXPECT_FALSE(IsDeferredFullScreenFile("c:\\a\\tone.wav"));
}

TEST(FileTypes, MpegIsAnyOfItsFiveNamesAnywhereInThePath) {
    for (const char* path : {"c:\\a\\clip.mpg", "C:\\A\\CLIP.MPEG", "c:\\a\\clip.m1v", "c:\\a\\clip.M2V",
                             "c:\\vcd\\avseq01.dat", "c:\\clip.mpg\\notes.txt", "http://host/clip.mpeg?x=1"})
        EXPECT_TRUE(IsMpegFile(path)) << path;
    // ".dat" must be there with its dot: a folder named data.dir has "\\dat", not ".dat".
    for (const char* path : {"c:\\music\\data.dir\\song.mp3", "c:\\a\\clip.mp4", "c:\\a\\clip.mpa",
                             "c:\\a\\mpg", "c:\\a\\clip.m3v", ""})
        EXPECT_FALSE(IsMpegFile(path)) << path;
}

TEST(FileTypes, DeferredFullScreenIsAnyOfItsFourNamesAnywhereInThePath) {
    for (const char* path :
         {"c:\\a\\CLIP.DIVX", "c:\\a\\x.Mp4", "c:\\a\\photo.jpg.avi", "c:\\avi.avi\\x.gif"})
        EXPECT_TRUE(IsDeferredFullScreenFile(path)) << path;
    for (const char* path : {"c:\\a\\clip.div", "c:\\a\\clip.wma", "c:\\a\\avi", "c:\\a\\photo.jpg", ""})
        EXPECT_FALSE(IsDeferredFullScreenFile(path)) << path;
}

TEST(VideoWindowCaption, NameThenMutedThenPausedSlots) {
    EXPECT_EQ(VideoWindowCaption("", false, false), "Tesmaro Player");
    EXPECT_EQ(VideoWindowCaption("c:\\a\\clip.avi", false, false), "clip.avi  ");
    EXPECT_EQ(VideoWindowCaption("c:\\a\\clip.avi", false, true), "clip.avi  (Paused)");
    EXPECT_EQ(VideoWindowCaption("c:\\a\\clip.avi", true, true), "clip.avi (Muted) (Paused)");
    EXPECT_EQ(VideoWindowCaption("http://host/dir/clip.avi", true, false), "clip.avi (Muted) ");
    EXPECT_EQ(VideoWindowCaption("clip.avi", false, false), "clip.avi  ");
}

TEST(TypedCharacters, LowerCaseLettersStandForVideoCommands) {
    EXPECT_EQ(CommandForChar('x').command, 40003u);
    EXPECT_EQ(CommandForChar('c').command, 40004u);
    EXPECT_EQ(CommandForChar('v').command, 40005u);
    EXPECT_EQ(CommandForChar('q').command, 40061u);
    EXPECT_EQ(CommandForChar('w').command, 40062u);
    EXPECT_EQ(CommandForChar('b').command, 40008u);
    EXPECT_EQ(CommandForChar('z').command, 40009u);
    EXPECT_TRUE(CommandForChar('m').immediate);
    EXPECT_EQ(CommandForChar('m').command, 40016u);
    EXPECT_TRUE(CommandForChar('n').immediate);
    EXPECT_FALSE(CommandForChar('f').immediate);
    EXPECT_EQ(CommandForChar('X').command, 0u);  // only lower case
    EXPECT_EQ(CommandForChar('g').command, 0u);
}
