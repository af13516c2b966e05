// The skinned window driving real playback: its buttons, status fields and volume slider.
#include <windows.h>

#include <commctrl.h>

#include "PlaybackSession.h"

using namespace e2e;

namespace {

HWND VolumeSlider(HWND window) {
    HWND narrowest = nullptr;
    for (HWND child : Children(window)) {
        if (ClassName(child) != "msctls_trackbar32") continue;
        if (!narrowest || ClientRect(child).right < ClientRect(narrowest).right) narrowest = child;
    }
    return narrowest;
}

void SaveScreenshot(HWND window, const char* name) {
    std::string dir = ExeDirectory() + "screens\\";
    ::CreateDirectoryA(dir.c_str(), nullptr);
    WaitPainted(window);
    ScreenshotWindow(window, dir + name);
}

// The normal skin's play key (see scripts/make_art.py).
constexpr POINT kPlayKey{167 + 18, 126 + 18};

}  // namespace

TEST_F(PlayerTest, ThePlayKeyOfTheSkinPlaysAPausedClip) {
    Player player = Player::Start({Media("clip_long.avi")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  (Paused)", 5000));
    ASSERT_TRUE(PointAt(player, kPlayKey, "Play"));
    Click(player.window, kPlayKey.x, kPlayKey.y);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  ", 5000));
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "PLAY") != nullptr; }, 3000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, TheStatusFieldsShowTheNameTheStateAndTheTime) {
    Player player = Player::Start({Media("clip_long.avi")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "clip_long.avi") != nullptr; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "PLAY") != nullptr; }, 5000));
    // The position advances; the length is the clip's 62 seconds.
    auto running = [&] {
        std::string time = TimeText(player.window);
        return time.starts_with("00:00:") && time.substr(0, 8) != "00:00:00" && time.substr(13) == "00:01:02";
    };
    EXPECT_TRUE(WaitUntil(running, 5000)) << TimeText(player.window);
    SaveScreenshot(player.window, "skin1-playing.png");
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "PAUSE") != nullptr; }, 5000));
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    PostChar(player.window, 'k');
    EXPECT_TRUE(WaitUntil([&] { return Children(player.window).size() == 12; }, 5000));
    // The small skin has no state field; name and time come back at the next refresh.
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "clip_long.avi") != nullptr; }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return TimeText(player.window).substr(13) == "00:01:02"; }, 5000));
    SaveScreenshot(player.window, "small-playing.png");
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, DraggingTheVolumeSliderToTheBottomSilencesTheRenderer) {
    Player player = Player::Start({Media("clip_long.avi")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    HWND volume = VolumeSlider(player.window);
    ASSERT_TRUE(volume);
    RECT track = ClientRect(volume);
    int y = track.bottom / 2;
    Drag(volume, POINT{track.right - 4, y}, POINT{-30, y});
    EXPECT_EQ(Send(volume, TBM_GETPOS).value_or(-1), 0);
    PostCommand(player.window, ID_PLAYBACK_PAUSE);  // the caption is recomputed on pause
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi (Muted) (Paused)", 5000));

    PostCommand(player.window, ID_PLAYBACK_PLAY);
    // Playing again before the drag starts: the press is not left waiting behind that command.
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi (Muted) ", 5000));
    Drag(volume, POINT{4, y}, POINT{track.right * 3 / 4, y});
    EXPECT_GT(Send(volume, TBM_GETPOS).value_or(-1), 50);
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  (Paused)", 5000));
    Finish(player);
}
