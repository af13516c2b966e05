// The DVD engine's state machine, time arithmetic, slider, words and full-screen fit.
#include <gtest/gtest.h>

#include "DvdMath.h"
#include "VideoArithmetic.h"

using S = DvdPlayerState;
using T = DvdTransition;

TEST(DvdStateMachine, NothingMovesWithoutAGraphButTheBuild) {
    for (T t : {T::DirectorySet, T::Run, T::PlayFromScan, T::Pause, T::Stop, T::Scan, T::MenuToggled, T::FrameStep})
        EXPECT_EQ(DvdStateAfter(S::Uninitialized, t), S::Uninitialized);
    EXPECT_EQ(DvdStateAfter(S::Uninitialized, T::GraphBuilt), S::Stopped);
}

TEST(DvdStateMachine, PlayRunsFromEveryPausedOrStoppedState) {
    for (S from : {S::Stopped, S::Paused, S::NavigatorStopped, S::FramePaused})
        EXPECT_EQ(DvdStateAfter(from, T::Run), S::Playing);
    EXPECT_EQ(DvdStateAfter(S::Scanning, T::PlayFromScan), S::Playing);
    EXPECT_EQ(DvdStateAfter(S::Playing, T::PlayFromScan), S::Playing);
}

TEST(DvdStateMachine, PauseAndScanOnlyFromAMovingPicture) {
    EXPECT_EQ(DvdStateAfter(S::Playing, T::Pause), S::Paused);
    EXPECT_EQ(DvdStateAfter(S::Scanning, T::Pause), S::Paused);
    EXPECT_EQ(DvdStateAfter(S::Stopped, T::Pause), S::Stopped);
    EXPECT_EQ(DvdStateAfter(S::FramePaused, T::Pause), S::FramePaused);
    EXPECT_EQ(DvdStateAfter(S::Playing, T::Scan), S::Scanning);
    EXPECT_EQ(DvdStateAfter(S::Scanning, T::Scan), S::Scanning);
    EXPECT_EQ(DvdStateAfter(S::Paused, T::Scan), S::Paused);
    EXPECT_TRUE(DvdIsPlayingOrScanning(S::Scanning));
    EXPECT_FALSE(DvdIsPlaying(S::Scanning));
}

TEST(DvdStateMachine, StopStepDirectoryAndMenusFromAnyBuiltState) {
    for (S from : {S::Paused, S::Stopped, S::NavigatorStopped, S::Playing, S::FramePaused, S::Scanning}) {
        EXPECT_EQ(DvdStateAfter(from, T::Stop), S::Stopped);
        EXPECT_EQ(DvdStateAfter(from, T::FrameStep), S::FramePaused);
        EXPECT_EQ(DvdStateAfter(from, T::DirectorySet), S::NavigatorStopped);
        EXPECT_EQ(DvdStateAfter(from, T::MenuToggled), S::Playing);
        EXPECT_EQ(DvdStateAfter(from, T::Released), S::Uninitialized);
    }
}

TEST(DvdStateWords, EveryStateNumberHasItsWord) {
    EXPECT_STREQ(DvdStateWord(0), "OPEN");
    EXPECT_STREQ(DvdStateWord(1), "PAUSE");
    EXPECT_STREQ(DvdStateWord(2), "STOP");
    EXPECT_STREQ(DvdStateWord(3), "STOP");
    EXPECT_STREQ(DvdStateWord(4), "PLAY");
    EXPECT_STREQ(DvdStateWord(5), "PAUSE");
    EXPECT_STREQ(DvdStateWord(6), "PAUSE");
    EXPECT_STREQ(DvdStateWord(7), "SCAN");
    EXPECT_STREQ(DvdStateWord(8), "OPEN");
    EXPECT_STREQ(DvdStateWord(-1), "OPEN");
}

TEST(DvdSkip, JumpsWithinTheTitleAndKeepsTheFrame) {
    DvdTimeCode t = SkipDvdTime({0, 59, 50, 12}, 20);
    EXPECT_EQ(t.hours, 1);
    EXPECT_EQ(t.minutes, 0);
    EXPECT_EQ(t.seconds, 10);
    EXPECT_EQ(t.frames, 12);
    t = SkipDvdTime({1, 0, 5, 3}, -10);
    EXPECT_EQ(t.hours, 0);
    EXPECT_EQ(t.minutes, 59);
    EXPECT_EQ(t.seconds, 55);
}

TEST(DvdSkip, BackBeyondTheStartLandsOnZeroWithTheFrameKept) {
    DvdTimeCode t = SkipDvdTime({0, 0, 7, 21}, -10);
    EXPECT_EQ(DvdTimeCodeSeconds(t), 0u);
    EXPECT_EQ(t.frames, 21);
    t = SkipDvdTime({0, 0, 7, 21}, -2147483647);
    EXPECT_EQ(DvdTimeCodeSeconds(t), 0u);
}

TEST(DvdSlider, PositionToTimeTruncatesAndZeroLengthDoesNothing) {
    DvdTimeCode t{9, 9, 9, 9};
    EXPECT_FALSE(DvdTimeForSlider(300, 0, t));
    EXPECT_EQ(t.hours, 9);  // untouched
    ASSERT_TRUE(DvdTimeForSlider(300, 7201, t));
    EXPECT_EQ(t.hours, 1);
    EXPECT_EQ(t.minutes, 0);
    EXPECT_EQ(t.seconds, 0);  // 3600.5 truncated
    EXPECT_EQ(t.frames, 0);
    ASSERT_TRUE(DvdTimeForSlider(600, 95, t));
    EXPECT_EQ(DvdTimeCodeSeconds(t), 95u);
    ASSERT_TRUE(DvdTimeForSlider(1, 95, t));
    EXPECT_EQ(DvdTimeCodeSeconds(t), 0u);
}

TEST(DvdSlider, TimeBackToPosition) {
    EXPECT_EQ(DvdSliderPosition(30, 0), 0);
    EXPECT_EQ(DvdSliderPosition(30, 60), 300);
    EXPECT_EQ(DvdSliderPosition(59, 60), 590);
    EXPECT_EQ(DvdSliderPosition(1, 7), 85);  // 85.7 truncated
}

TEST(DvdVolume, StepsOfFiveHundredBetweenSilenceAndFull) {
    EXPECT_EQ(VolumeStepUp(-300, kDvdVolumeStep), 0);
    EXPECT_EQ(VolumeStepUp(0, kDvdVolumeStep), 0);
    EXPECT_EQ(VolumeStepUp(-10000, kDvdVolumeStep), -9500);
    EXPECT_EQ(VolumeStepDown(-9600, kDvdVolumeStep), -10000);
    EXPECT_EQ(VolumeStepDown(0, kDvdVolumeStep), -500);
    // Mute then up goes from silence, not back to the level before muting.
    EXPECT_EQ(VolumeStepUp(MuteToggled(-1200, -1200), kDvdVolumeStep), -9500);
    EXPECT_EQ(MuteToggled(-10000, -1200), -1200);
}

TEST(VideoFullScreenFit, PalPictureOnAnXgaScreenFillsTheHeight) {
    FitRect fit = FitVideoToScreen(720, 576, 1024, 768);
    EXPECT_EQ(fit.left, 32);
    EXPECT_EQ(fit.top, 0);
    EXPECT_EQ(fit.width, 960);
    EXPECT_EQ(fit.height, 768);
}

TEST(VideoFullScreenFit, WidePictureFillsTheWidthAndATinyOneIsCentredAtTenTimesItsSize) {
    FitRect fit = FitVideoToScreen(720, 360, 1024, 768);
    EXPECT_EQ(fit.left, 0);
    EXPECT_EQ(fit.width, 1024);
    EXPECT_EQ(fit.top, 128);
    EXPECT_EQ(fit.height, 512);
    fit = FitVideoToScreen(64, 48, 1024, 768);
    EXPECT_EQ(fit.left, 192);
    EXPECT_EQ(fit.top, 144);
    EXPECT_EQ(fit.width, 640);
    EXPECT_EQ(fit.height, 480);
}

TEST(DvdLocation, NamesTitleAndChapterAndARecentRefusal) {
    EXPECT_EQ(DvdLocationText(1, 3, false), "DVD            TITLE: 1  CHAPTER: 3");
    EXPECT_EQ(DvdLocationText(12, 4, true), "DVD            TITLE: 12 CHAPTER: 4 PROHIBITED");
}
