// Capturing a video frame with the real player under Wine: "VideoImage.bmp" in the current
// directory, playback going on, files that have no frame, a path that cannot be written, and
// opening the captured picture with the program the shell associates with bitmaps.
#include <windows.h>

#include "PlaybackSession.h"

using namespace e2e;

namespace {

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The file decoded by the platform's own bitmap loader: its width and height, or 0 x 0.
SIZE BitmapSize(const std::string& path) {
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (!bitmap) return {0, 0};
    BITMAP info{};
    ::GetObjectA(bitmap, sizeof(info), &info);
    ::DeleteObject(bitmap);
    return {info.bmWidth, info.bmHeight};
}

class CaptureTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        directory = MakeTempDirectory("capture");
        captured = directory + "VideoImage.bmp";
    }
    std::string directory;
    std::string captured;
};

}  // namespace

TEST_F(CaptureTest, CapturingAPlayingVideoWritesItsFrameAsABitmapAndPlaybackGoesOn) {
    Player player = Player::Start({Media("clip_long.avi")}, 20000, directory);
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    ASSERT_TRUE(WaitUntil([&] { return ShownSeconds(player.window) >= 1; }, 10000));  // frames are coming
    PostCommand(player.window, ID_CAPTURE_FRAME);
    ASSERT_TRUE(WaitUntil([&] { return BitmapSize(captured).cx != 0; }, 5000));
    SIZE size = BitmapSize(captured);
    EXPECT_EQ(size.cx, 320);
    EXPECT_EQ(size.cy, 240);
    // Still playing: the title has no pause mark and the status word says so, and the position
    // goes on.
    ASSERT_TRUE(Flush(player.window));
    int at = ShownSeconds(player.window);
    EXPECT_TRUE(WaitUntil([&] { return ShownSeconds(player.window) > at; }, 5000));
    EXPECT_TRUE(FindTopWindow(kVideoClass, "clip_long.avi  ", player.process.Id()));
    EXPECT_TRUE(FindChild(player.window, nullptr, "PLAY"));

    // The video window's own command captures too, over the first file.
    ::DeleteFileA(captured.c_str());
    PostCommand(VideoWindowOf(player), ID_CAPTURE_FRAME);
    EXPECT_TRUE(WaitUntil([&] { return BitmapSize(captured).cx == 320; }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(CaptureTest, CapturingAPausedVideoLeavesItRunning) {
    Player player = Player::Start({Media("clip_long.avi")}, 20000, directory);
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  (Paused)", 5000));
    PostCommand(player.window, ID_CAPTURE_FRAME);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  ", 5000));
    EXPECT_EQ(BitmapSize(captured).cx, 320);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(CaptureTest, PicturesAndSoundsHaveNoFrameToCapture) {
    for (const char* name : {"photo.gif", "tone.wav"}) {
        Player player = Player::Start({Media(name)}, 20000, directory);
        ASSERT_TRUE(player.window) << name;
        ASSERT_TRUE(WaitForVideoTitle(player, std::string(name) + "  ")) << name;
        PostCommand(player.window, ID_CAPTURE_FRAME);
        ASSERT_TRUE(Flush(player.window)) << name;
        ASSERT_TRUE(WaitNoMessageBox(player.process.Id())) << name;
        EXPECT_FALSE(Exists(captured)) << name;
        EXPECT_TRUE(FindTopWindow(kVideoClass, (std::string(name) + "  ").c_str(), player.process.Id()))
            << name;
        EXPECT_TRUE(player.boxes->Seen().empty()) << name;
        Finish(player);
    }
}

TEST_F(CaptureTest, AFileThatCannotBeCreatedLeavesTheVideoPausedWithoutAMessage) {
    ASSERT_TRUE(::CreateDirectoryA(captured.c_str(), nullptr));  // a folder is in the way
    Player player = Player::Start({Media("clip_long.avi")}, 20000, directory);
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    PostCommand(player.window, ID_CAPTURE_FRAME);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  (Paused)", 5000));
    ASSERT_TRUE(Flush(player.window));
    ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
    EXPECT_TRUE(player.boxes->Seen().empty());
    EXPECT_TRUE(player.process.Running());
    Finish(player);
}

// The shell opens the captured file with the program associated with ".bmp"; this prefix has
// none, so the test associates a copy command for the time of the test.
TEST_F(CaptureTest, OpeningTheCapturedImageHandsItToTheShellsProgramForBitmaps) {
    constexpr char kClass[] = "TesmaroTest.CapturedPicture";
    std::optional<std::string> existing = ReadRegString(HKEY_CLASSES_ROOT, ".bmp", "");
    ASSERT_TRUE(!existing || *existing == kClass) << "the prefix has an association of its own";
    std::string opened = directory + "opened.bmp";
    WriteRegString(HKEY_CLASSES_ROOT, ".bmp", "", kClass);
    WriteRegString(HKEY_CLASSES_ROOT, std::string(kClass) + "\\shell\\open\\command", "",
                   "C:\\windows\\system32\\cmd.exe /c copy \"%1\" \"" + opened + "\"");

    Player player = Player::Start({Media("clip_long.avi")}, 20000, directory);
    if (player.window && WaitForVideoTitle(player, "clip_long.avi  ")) {
        PostCommand(player.window, ID_CAPTURE_FRAME);
        EXPECT_TRUE(WaitUntil([&] { return BitmapSize(captured).cx == 320; }, 5000));
        PostCommand(player.window, ID_CAPTURE_OPEN);
        EXPECT_TRUE(WaitUntil([&] { return BitmapSize(opened).cx == 320; }, 10000));
        EXPECT_TRUE(player.boxes->Seen().empty());
    } else {
        ADD_FAILURE() << "the player did not start";
    }
    Finish(player);
    DeleteRegTree(HKEY_CLASSES_ROOT, kClass);
    DeleteRegTree(HKEY_CLASSES_ROOT, ".bmp");
}
