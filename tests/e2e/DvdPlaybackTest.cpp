// A DVD-Video folder played through the navigator double: opening, the video window, the
// status display, transport, menus, keys and mouse, full screen and zoom, and closing.
#include <windows.h>
#include <dshow.h>

#include <commctrl.h>
#include <dvdevcod.h>

#include <string>

#include "Commands.h"
#include "DvdSession.h"

using namespace e2e;

namespace {

std::string N(long value) {
    return std::to_string(value);
}

}  // namespace

TEST_F(DvdTest, TheCommandLineOpensTheDiscAboveTheMainWindowAndPlays) {
    Player player = OpenDisc();
    ASSERT_TRUE(player.window);
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    EXPECT_EQ(WindowText(video), kDvdTitle);
    // The window sits above the main window, its right edge four thirds of its height along.
    RECT work = WorkArea(), main = WindowRect(player.window), r = WindowRect(video);
    EXPECT_EQ(r.left, work.left + 100);
    EXPECT_EQ(r.top, work.top + 5);
    EXPECT_EQ(r.bottom, main.top);
    EXPECT_EQ(r.right, work.left + (main.top - (work.top + 5)) * 4 / 3);

    // The navigator was asked, in this order, for the volume, its options, the directory, play.
    std::string path = dvdnav::NavigatorFixture::DiscIfoPath();
    int render = nav.FindCall("RenderDvdVideoVolume 1 ");
    ASSERT_GE(render, 0);
    std::string rendered = nav.Calls()[static_cast<size_t>(render)].substr(23);
    EXPECT_EQ(::lstrcmpiA(rendered.c_str(), path.c_str()), 0) << rendered;
    int reset = nav.FindCall("SetOption " + N(DVD_ResetOnStop) + " 0", render);
    int parental = nav.FindCall("SetOption " + N(DVD_NotifyParentalLevelChange) + " 1", reset);
    int timeEvents = nav.FindCall("SetOption " + N(DVD_HMSF_TimeCodeEvents) + " 1", parental);
    int stop = nav.FindCall("Stop", timeEvents);
    int directory = nav.FindCall("SetDVDDirectory ", stop);
    EXPECT_GT(reset, render);
    EXPECT_GT(parental, reset);
    EXPECT_GT(timeEvents, parental);
    EXPECT_GT(directory, stop);

    // The status: state word, title and chapter, and a time that runs with the navigator's.
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(WaitUntil([&] { return LocationText(player.window).find("TITLE: 1") != std::string::npos; }, 5000))
        << LocationText(player.window);
    EXPECT_NE(LocationText(player.window).find("CHAPTER: 1"), std::string::npos);
    ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= 1; }, 6000)) << TimeText(player.window);
    int first = PositionSeconds(player.window);
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) > first; }, 4000));
    EXPECT_GT(LengthSeconds(player.window), first);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, TheOpenDialogOpensTheDiscFolder) {
    nav.WriteScript("");
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(ChooseInOpenDialog(player, dvdnav::NavigatorFixture::DiscFolder(), "VIDEO_TS.IFO"));
    HWND video = WaitForWindow(kDvdClass, kDvdTitle, player.process.Id(), 15000);
    ASSERT_TRUE(video);
    EXPECT_TRUE(WaitUntil([&] { return IsShown(video); }, 5000));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, PausePlayAndStopTwiceFollowTheStateWords) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    EXPECT_TRUE(ShowsWord(player, "PAUSE"));
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));

    size_t mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_STOP);
    EXPECT_TRUE(ShowsWord(player, "STOP"));
    // Stop resets the navigator to the start of the disc with the option on, then off again.
    int on = nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 1", 5000, mark);
    EXPECT_GE(nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 0", 5000, on + 1), 0);
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_STOP);  // again: the same reset, still stopped
    on = nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 1", 5000, mark);
    EXPECT_GE(on, 0);
    EXPECT_GE(nav.WaitForCall("SetOption " + N(DVD_ResetOnStop) + " 0", 5000, on + 1), 0);
    EXPECT_TRUE(ShowsWord(player, "STOP"));

    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(Called("PlayForwards 1 0", mark));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, ChaptersAndScansReachTheNavigatorAndPlayReturnsToNormalSpeed) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    size_t mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    int next = nav.WaitForCall("PlayNextChapter 0 cmd", 5000, mark);
    ASSERT_GE(next, 0);
    EXPECT_GE(nav.WaitForCall("Cmd.WaitForEnd", 5000, next), 0);
    EXPECT_TRUE(WaitUntil([&] { return LocationText(player.window).find("CHAPTER: 2") != std::string::npos; }, 5000))
        << LocationText(player.window);
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_PREVIOUSCHAPTER);
    EXPECT_TRUE(Called("PlayPrevChapter " + N(DVD_CMD_FLAG_Block), mark));
    EXPECT_TRUE(WaitUntil([&] { return LocationText(player.window).find("CHAPTER: 1") != std::string::npos; }, 5000));

    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_FASTFORWARD);  // the default fast rate is 2
    EXPECT_TRUE(Called("PlayForwards 2 0", mark));
    EXPECT_TRUE(ShowsWord(player, "SCAN"));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_REWIND);  // a DVD takes the rate as it stands
    EXPECT_TRUE(Called("PlayBackwards 2 0", mark));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_SLOWFORWARD);
    EXPECT_TRUE(Called("PlayForwards 0.5 0", mark));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_SLOWBACKWARD);
    EXPECT_TRUE(Called("PlayBackwards 0.5 0", mark));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(Called("PlayForwards 1 0", mark));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, SkipsJumpBySettingsSecondsAndTheSliderByTheTitleLength) {
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipForward", 7);
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipBackward", 3);
    Player player = OpenDisc();
    ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= 2; }, 8000));
    size_t mark = CallCount();
    PostCommand(player.window, ID_JUMP_FORWARD);
    int skip = nav.WaitForCall("PlayAtTime ", 5000, mark);
    ASSERT_GE(skip, 0);
    std::string forward = nav.Calls()[static_cast<size_t>(skip)];
    // h:mm:ss.ff, then the blocking flag
    int target = std::stoi(forward.substr(11, 1)) * 3600 + std::stoi(forward.substr(13, 2)) * 60 +
                 std::stoi(forward.substr(16, 2));
    EXPECT_GE(target, 2 + 7);
    EXPECT_TRUE(forward.ends_with(" " + N(DVD_CMD_FLAG_Block))) << forward;
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= target; }, 5000));

    mark = CallCount();
    PostCommand(player.window, ID_JUMP_BACKWARD);
    skip = nav.WaitForCall("PlayAtTime ", 5000, mark);
    ASSERT_GE(skip, 0);
    std::string back = nav.Calls()[static_cast<size_t>(skip)];
    int backTarget = std::stoi(back.substr(11, 1)) * 3600 + std::stoi(back.substr(13, 2)) * 60 +
                     std::stoi(back.substr(16, 2));
    EXPECT_LT(backTarget, target + 3);

    // The position slider: a click in its middle plays the middle of the title, frame 0.
    int length = LengthSeconds(player.window);
    ASSERT_GT(length, 0);
    HWND slider = nullptr;
    for (HWND child : Children(player.window)) {
        if (ClassName(child) != "msctls_trackbar32") continue;
        if (!slider || ClientRect(child).right > ClientRect(slider).right) slider = child;
    }
    ASSERT_TRUE(slider);
    RECT sr = ClientRect(slider);
    MoveMouse(slider, sr.right / 2, sr.bottom / 2);
    ASSERT_TRUE(WaitPolls(player.window));  // the pointer rests on the slider before the press
    mark = CallCount();
    Click(slider, sr.right / 2, sr.bottom / 2);
    int seek = nav.WaitForCall("PlayAtTime ", 5000, mark);
    ASSERT_GE(seek, 0);
    std::string middle = nav.Calls()[static_cast<size_t>(seek)];
    int seconds = std::stoi(middle.substr(11, 1)) * 3600 + std::stoi(middle.substr(13, 2)) * 60 +
                  std::stoi(middle.substr(16, 2));
    EXPECT_NEAR(seconds, length / 2, length / 6 + 1) << middle;
    EXPECT_EQ(middle.substr(18, 3), ".00");
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, MenuTogglesShowTheMenuAndResumeTheTitle) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    size_t mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_ROOTMENU);
    EXPECT_TRUE(Called("ShowMenu " + N(DVD_MENU_Root) + " " + N(DVD_CMD_FLAG_Flush) + " cmd", mark));
    // The navigator tells of the new domain while it is asked; once the toggle has been handled,
    // that event is queued ahead of the next toggle, which then finds the menu shown.
    ASSERT_TRUE(WaitHandled(player.window));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_ROOTMENU);
    EXPECT_TRUE(Called("Resume " + N(DVD_CMD_FLAG_Flush), mark));
    ASSERT_TRUE(WaitHandled(player.window));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
    EXPECT_TRUE(Called("ShowMenu " + N(DVD_MENU_Title) + " " + N(DVD_CMD_FLAG_Flush) + " cmd", mark));
    ASSERT_TRUE(WaitHandled(player.window));
    mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
    EXPECT_TRUE(Called("Resume " + N(DVD_CMD_FLAG_Flush), mark));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, ARefusedTitleMenuIsMarkedProhibitedAndARefusedRootMenuIsNot) {
    Player player = OpenDisc("inhibit ShowMenu\n");
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    ASSERT_TRUE(WaitUntil([&] { return !LocationText(player.window).empty(); }, 5000));
    PostCommand(player.window, ID_PLAYBACK_ROOTMENU);
    ASSERT_TRUE(Called("ShowMenu " + N(DVD_MENU_Root)));
    // The status shown after the refusal was handled: the time runs on in it.
    ASSERT_TRUE(WaitHandled(player.window));
    int refusedAt = PositionSeconds(player.window);
    ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) > refusedAt; }, 5000));
    EXPECT_EQ(LocationText(player.window).find("PROHIBITED"), std::string::npos);
    PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
    ASSERT_TRUE(Called("ShowMenu " + N(DVD_MENU_Title)));
    EXPECT_TRUE(WaitUntil([&] { return LocationText(player.window).ends_with(" PROHIBITED"); }, 3000))
        << LocationText(player.window);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, ArrowsAndEnterMoveAndActivateMenuButtonsFromEitherWindow) {
    Player player = OpenDisc("first_play menu\n", false);
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    struct Key {
        WPARAM vk;
        std::string call;
    } keys[] = {
        {VK_RIGHT, "SelectRelativeButton " + N(DVD_Relative_Right)},
        {VK_LEFT, "SelectRelativeButton " + N(DVD_Relative_Left)},
        {VK_UP, "SelectRelativeButton " + N(DVD_Relative_Upper)},
        {VK_DOWN, "SelectRelativeButton " + N(DVD_Relative_Lower)},
        {VK_RETURN, "ActivateButton"},
    };
    for (const Key& key : keys) {
        size_t mark = CallCount();
        Post(video, WM_KEYUP, key.vk, 0xC0000001);
        EXPECT_TRUE(Called(key.call, mark)) << key.call;
    }
    // The main window hands the same keys to the disc.
    size_t mark = CallCount();
    Post(player.window, WM_KEYUP, VK_RIGHT, 0xC0000001);
    EXPECT_TRUE(Called("SelectRelativeButton " + N(DVD_Relative_Right), mark));
    // Escape in a window does nothing.
    RECT before = WindowRect(video);
    Post(video, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    ASSERT_TRUE(WaitPolls(player.window));
    RECT after = WindowRect(video);
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, TheMouseSelectsAndActivatesTheButtonUnderIt) {
    Player player = OpenDisc("first_play menu\n", false);
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    size_t mark = CallCount();
    Post(video, WM_MOUSEMOVE, 0, MAKELPARAM(120, 90));
    EXPECT_TRUE(Called("SelectAtPosition 120 90", mark));
    mark = CallCount();
    Post(video, WM_LBUTTONUP, 0, MAKELPARAM(121, 91));
    EXPECT_TRUE(Called("ActivateAtPosition 121 91", mark));
    Finish(player);
}

TEST_F(DvdTest, TypedLettersDriveTheDisc) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    PostChar(player.window, 'c');
    EXPECT_TRUE(ShowsWord(player, "PAUSE"));
    PostChar(player.window, 'x');
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    size_t mark = CallCount();
    PostChar(player.window, 'b');
    EXPECT_TRUE(Called("PlayNextChapter", mark));
    mark = CallCount();
    PostChar(player.window, 'f');
    EXPECT_TRUE(Called("PlayForwards 2 0", mark));
    PostChar(player.window, 'v');
    EXPECT_TRUE(ShowsWord(player, "STOP"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, ClosingTheVideoWindowDuringABlockingCommandClosesOnceItEnds) {
    Player player = OpenDisc("command_ms 2500\n");
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    ASSERT_TRUE(ShowsWord(player, "PLAY", 10000));
    size_t mark = CallCount();
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);  // waits for the navigator's command
    ASSERT_TRUE(Called("PlayNextChapter", mark));
    Post(video, WM_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(video); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "PLAY") == nullptr; }, 5000));
    EXPECT_TRUE(player.process.Running());
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, ANavigatorThatAnswersNoQueryStillPlaysAndTheSliderDoesNothing) {
    Player player = OpenDisc("fail *Info\n");
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(ShowsWord(player, "PLAY", 10000));
    EXPECT_TRUE(WaitUntil([&] { return TimeText(player.window).ends_with("00:00:00"); }, 5000));
    HWND slider = nullptr;
    for (HWND child : Children(player.window)) {
        if (ClassName(child) != "msctls_trackbar32") continue;
        if (!slider || ClientRect(child).right > ClientRect(slider).right) slider = child;
    }
    ASSERT_TRUE(slider);
    RECT sr = ClientRect(slider);
    MoveMouse(slider, sr.right / 2, sr.bottom / 2);
    ASSERT_TRUE(WaitPolls(player.window));  // the pointer rests on the slider before the press
    size_t mark = CallCount();
    Click(slider, sr.right / 2, sr.bottom / 2);
    ASSERT_TRUE(WaitPolls(player.window));  // the press and release have been handled
    EXPECT_LT(nav.FindCall("PlayAtTime", mark), 0);
    EXPECT_EQ(Send(slider, TBM_GETPOS).value_or(-1), 0);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}
