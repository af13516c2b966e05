// Playing files with the real player under Wine: the video window, transport, playlist steps,
// full screen and files that cannot be played.
#include "PlaybackSession.h"

using namespace e2e;

namespace {

constexpr char kCannotPlay[] =
    "Tesmaro Player cannot play the file.  The file is either corrupt or\nthe appropriate decoders need to "
    "be "
    "installed.\nFor more information, please visit our website.";

// A few pixels of the renderer's picture on the screen, folded into one number.
unsigned long long PictureSample(HWND renderer) {
    RECT r = WindowRect(renderer);
    unsigned long long sample = 0;
    for (int k = 0; k < 40; ++k)
        sample = sample * 31 + ScreenPixel(r.left + 8 * k, r.top + 6 * k);
    return sample;
}

}  // namespace

TEST_F(PlayerTest, AClipOnTheCommandLinePlaysInAWindowTitledWithItsName) {
    Player player = Player::Start({Media("clip_video.avi")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "clip_video.avi  ");
    ASSERT_TRUE(video);
    EXPECT_TRUE(IsShown(video));
    // Above the main window at the work area's left + 100, sized to the 320 x 240 picture.
    RECT r = WindowRect(video);
    EXPECT_EQ(r.left, WorkArea().left + 100);
    EXPECT_EQ(r.top, WorkArea().top + 5);
    RECT client = ClientRect(video);
    EXPECT_EQ(client.right, 320);
    EXPECT_EQ(client.bottom, 240);
    HWND renderer = RendererOf(video);
    ASSERT_TRUE(renderer);
    RECT picture = WindowRect(renderer);
    EXPECT_EQ(picture.right - picture.left, 320);
    EXPECT_EQ(picture.bottom - picture.top, 240);
    // A second of the clip has played: its frames are on the screen.
    EXPECT_TRUE(WaitUntil([&] { return ShownSeconds(player.window) >= 1; }, 10000));
    Screenshot("C:\\tesmaro_playing.png");
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, PauseMarksTheTitleAndPlayStopAndTypedKeysFollow) {
    Player player = Player::Start({Media("clip_long.avi")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));

    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  (Paused)", 5000));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);  // pausing again changes nothing
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  ", 5000));

    PostChar(player.window, 'c');  // typed keys reach the video window's commands
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  (Paused)", 5000));
    PostChar(player.window, 'x');
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  ", 5000));

    // Frame steps: this renderer cannot step and the source has no frame format, so neither
    // step pauses the file.
    PostCommand(player.window, ID_PLAYBACK_STEPFORWARD);
    PostCommand(player.window, ID_PLAYBACK_STEPBACKWARD);
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(FindTopWindow(kVideoClass, "clip_long.avi  ", player.process.Id()));

    PostCommand(player.window, ID_PLAYBACK_STOP);  // back to the first frame, not paused
    PostCommand(player.window, ID_PLAYBACK_PAUSE);  // a stopped file cannot be paused
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(FindTopWindow(kVideoClass, "clip_long.avi  ", player.process.Id()));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

// The state shows in the video window's menu: Play is grayed while the file runs at normal
// speed, and offered again while it scans.
TEST_F(PlayerTest, FastForwardScansUntilPlayReturnsToNormalSpeed) {
    Player player = Player::Start({Media("clip_long.avi")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "clip_long.avi  ");
    ASSERT_TRUE(video);
    auto playOffered = [&] {
        HWND menu = OpenVideoMenu(player, video);
        if (!menu) return false;
        // Pause is offered in every state here, so its row drawn means the menu is drawn.
        bool pauseOffered = WaitUntil([&] { return MenuRowLooksEnabled(menu, 3, 1); }, 5000);
        bool offered = MenuRowLooksEnabled(menu, 2, 1);  // below two items and a separator
        CloseMenu(menu);
        EXPECT_TRUE(pauseOffered);  // running and scanning files can be paused
        return offered;
    };
    EXPECT_FALSE(playOffered());
    PostCommand(player.window, ID_PLAYBACK_FASTFORWARD);  // scanning
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(playOffered());
    PostCommand(player.window, ID_PLAYBACK_FASTFORWARD);  // a second press while scanning changes nothing
    PostCommand(player.window, ID_PLAYBACK_PLAY);         // normal speed, running
    ASSERT_TRUE(Flush(player.window));
    EXPECT_FALSE(playOffered());
    PostCommand(player.window, ID_PLAYBACK_REWIND);  // no playing backwards here: the state stays running
    ASSERT_TRUE(Flush(player.window));
    EXPECT_FALSE(playOffered());
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, TheCloseBoxAndTheSpaceBarCloseTheMediaButNotThePlayer) {
    Player player = Player::Start({Media("clip_video.avi")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "clip_video.avi  ");
    ASSERT_TRUE(video);
    Post(video, WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(video); }, 5000));
    EXPECT_TRUE(player.process.Running());
    EXPECT_TRUE(IsShown(player.window));

    // The playlist stays: Next with nothing open does nothing, the open command asks again.
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    ASSERT_TRUE(Flush(player.window));
    EXPECT_FALSE(VideoWindowOf(player));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, CommandsWithNothingOpenChangeNothing) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    for (WORD id : {ID_PLAYBACK_PLAY,
                    ID_PLAYBACK_PAUSE,
                    ID_PLAYBACK_STOP,
                    ID_PLAYBACK_FASTFORWARD,
                    ID_PLAYBACK_REWIND,
                    ID_PLAYBACK_NEXTCHAPTER,
                    ID_PLAYBACK_PREVIOUSCHAPTER,
                    ID_OPTIONS_FULLSCREEN,
                    ID_PLAYBACK_STEPFORWARD,
                    ID_ZOOM_100,
                    ID_ZOOM_50,
                    ID_ZOOM_200,
                    ID_AUDIO_MUTE,
                    ID_FILE_CLOSE,
                    ID_PLAYBACK_REPEAT,
                    ID_AUDIO_VOLUMEUP,
                    ID_AUDIO_VOLUMEDOWN,
                    ID_OPTIONS_COLOUR,
                    ID_AUDIO_RIGHT,
                    ID_AUDIO_LEFT,
                    ID_AUDIO_BOTH,
                    ID_JUMP_FORWARD,
                    ID_JUMP_BACKWARD,
                    ID_PLAYBACK_SLOWFORWARD,
                    ID_PLAYBACK_SLOWBACKWARD,
                    ID_PLAYBACK_STEPBACKWARD,
                    ID_FILE_EJECT,
                    ID_BUTTON_PLAYLIST,
                    ID_BUTTON_NEXTTRACK,
                    ID_BUTTON_PREVTRACK}) {
        PostCommand(player.window, id);
    }
    for (char ch : {'x', 'c', 'v', 'q', 'w', 'f', 'm', 'n', ' '})
        PostChar(player.window, ch);
    // What a command posts on in turn is handled by the second mark.
    ASSERT_TRUE(Flush(player.window));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(player.process.Running());
    EXPECT_FALSE(VideoWindowOf(player));
    EXPECT_TRUE(player.boxes->Seen().empty());
    RECT r = WindowRect(player.window);
    EXPECT_EQ(r.left, 160);
    Finish(player);
}

TEST_F(PlayerTest, TheEndOfAClipPlaysTheNextEntryAndRepeatStartsTheListAgain) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(ChooseInOpenDialog(player, MediaDirectory(), "\"clip_short.avi\" \"clip_video.avi\""));
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_short.avi  ", 10000));
    HWND second = WaitForVideoTitle(player, "clip_video.avi  ", 15000);
    ASSERT_TRUE(second);

    // At the last entry without repeat the player stops there: same window, same title. The
    // status shows this clip playing first, then stopped at its end; the playlist's step that
    // the end posts is handled by the mark after that.
    EXPECT_TRUE(WaitUntil([&] { return ShownState(player.window) == "PLAY"; }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return ShownState(player.window) == "STOP"; }, 15000));
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(::IsWindow(second));
    EXPECT_EQ(WindowText(second), "clip_video.avi  ");
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);  // by hand at the last entry: nothing either
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(::IsWindow(second));

    // With the list repeated, the end of the last entry starts the first again.
    PostCommand(player.window, IDC_BUTTON1_FILELIST_LOOP);
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_short.avi  ", 15000));
    // Previous at the first entry stays there.
    PostCommand(player.window, ID_PLAYBACK_PREVIOUSCHAPTER);
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(FindTopWindow(kVideoClass, "clip_short.avi  ", player.process.Id()));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, RepeatingAClipKeepsItPlayingInsteadOfMovingOn) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(ChooseInOpenDialog(player, MediaDirectory(), "\"clip_short.avi\" \"clip_video.avi\""));
    HWND first = WaitForVideoTitle(player, "clip_short.avi  ", 10000);
    ASSERT_TRUE(first);
    PostCommand(player.window, ID_PLAYBACK_REPEAT);  // repeat this clip
    ASSERT_TRUE(Flush(player.window));
    // The display reaches the clip's end once; from then on Wine's graph reports the end
    // position however far a repeat plays, so the display cannot count further rounds. A round
    // and a second more is watched from that first end: the end comes again within it.
    EXPECT_TRUE(WaitUntil([&] { return ShownSeconds(player.window) == 3; }, 10000));
    EXPECT_TRUE(HoldsFor(
        [&] {
            return ::IsWindow(first) && WindowText(first) == "clip_short.avi  " &&
                   !FindTopWindow(kVideoClass, "clip_video.avi  ", player.process.Id());
        },
        4000));
    // Still playing rather than held at its end: the picture moves.
    unsigned long long seen = PictureSample(RendererOf(first));
    EXPECT_TRUE(WaitUntil([&] { return PictureSample(RendererOf(first)) != seen; }, 3000));
    EXPECT_TRUE(::IsWindow(first));
    EXPECT_EQ(WindowText(first), "clip_short.avi  ");
    EXPECT_FALSE(FindTopWindow(kVideoClass, "clip_video.avi  ", player.process.Id()));
    PostCommand(player.window, ID_PLAYBACK_REPEAT);  // repeat off: the clip ends and the next one comes
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_video.avi  ", 10000));
    Finish(player);
}

TEST_F(PlayerTest, SkipsMoveThePositionBySettingsSeconds) {
    // 62-second clip: a skip of 55 s leaves a few seconds before the next entry comes.
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipForward", 55);
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipBackward", 50);
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(ChooseInOpenDialog(player, MediaDirectory(), "\"clip_long.avi\" \"clip_short.avi\""));
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_long.avi  ", 10000));

    PostCommand(player.window, ID_JUMP_FORWARD);   // to about 56 s
    PostCommand(player.window, ID_JUMP_BACKWARD);  // back to about 6 s: the end is far again
    // Well past the 6 s that were left after the first skip alone, and still short of the end.
    EXPECT_TRUE(WaitUntil(
        [&] {
            int at = ShownSeconds(player.window);
            return ShownLength(player.window) == 62 && at >= 14 && at < 50;
        },
        20000))
        << TimeText(player.window);
    EXPECT_FALSE(FindTopWindow(kVideoClass, "clip_short.avi  ", player.process.Id()));
    PostChar(player.window, 'q');  // skip forward again: the end comes within seconds
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_short.avi  ", 12000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, StopReturnsToTheStartSoPlayRunsTheWholeClipAgain) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(ChooseInOpenDialog(player, MediaDirectory(), "\"clip_video.avi\" \"clip_short.avi\""));
    ASSERT_TRUE(WaitForVideoTitle(player, "clip_video.avi  ", 10000));
    ASSERT_TRUE(WaitUntil([&] { return ShownSeconds(player.window) >= 2; }, 10000));
    PostCommand(player.window, ID_PLAYBACK_STOP);  // stop 2 s or more into the 4-second clip
    // Stopped and back at the start (a repaint may show the state before the position poll).
    ASSERT_TRUE(WaitUntil(
        [&] { return ShownState(player.window) == "STOP" && ShownSeconds(player.window) == 0; }, 5000))
        << ShownState(player.window) << " " << TimeText(player.window);
    // Under 2 s were left when it stopped: had it gone on, it would have ended within 3 s.
    EXPECT_TRUE(HoldsFor(
        [&] {
            return ShownState(player.window) == "STOP" &&
                   !FindTopWindow(kVideoClass, "clip_short.avi  ", player.process.Id());
        },
        3000));
    EXPECT_FALSE(FindTopWindow(kVideoClass, "clip_short.avi  ", player.process.Id()));
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    // From the start again: the clip needs its whole 4 s before the next entry.
    EXPECT_TRUE(WaitUntil(
        [&] { return ShownState(player.window) == "PLAY" && ShownSeconds(player.window) >= 2; }, 10000));
    EXPECT_FALSE(FindTopWindow(kVideoClass, "clip_short.avi  ", player.process.Id()));
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_short.avi  ", 10000));
    Finish(player);
}

TEST_F(PlayerTest, FullScreenFillsTheScreenWithThePictureAndEscapeLeavesIt) {
    Player player = Player::Start({Media("clip_wide.avi")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "clip_wide.avi  ");
    ASSERT_TRUE(video);
    RECT windowed = WindowRect(video);

    PostCommand(player.window, ID_OPTIONS_FULLSCREEN);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(RendererOf(video)).top == 96; }, 5000));
    RECT full = WindowRect(video);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.bottom, 768);
    // 16:9 on the 4:3 screen: full width, bands of 96 above and below.
    RECT picture = WindowRect(RendererOf(video));
    EXPECT_EQ(picture.left, 0);
    EXPECT_EQ(picture.top, 96);
    EXPECT_EQ(picture.right, 1024);
    EXPECT_EQ(picture.bottom, 672);
    Screenshot("C:\\tesmaro_fullscreen.png");

    Post(video, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(video).right != 1024; }, 5000));
    RECT back = WindowRect(video);
    EXPECT_TRUE(::EqualRect(&back, &windowed));

    PostChar(player.window, 'm');  // the key toggles too
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(video).right == 1024; }, 5000));
    PostCommand(player.window, ID_OPTIONS_FULLSCREEN);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(video).right != 1024; }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, TheStoredFullScreenWishOpensFilesFullScreen) {
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "g_bFullscreen", 1);
    // An ".avi" goes full screen once playback runs, half a second later.
    Player player = Player::Start({Media("clip_video.avi")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "clip_video.avi  ");
    ASSERT_TRUE(video);
    EXPECT_TRUE(
        WaitUntil([&] { return WindowRect(video).right == 1024 && WindowRect(video).bottom == 768; }, 5000));
    // The picture follows the window within the same step; 4:3 fills the 4:3 screen.
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT picture = WindowRect(RendererOf(video));
            return picture.right - picture.left == 1024 && picture.bottom - picture.top == 768;
        },
        3000));
    Finish(player);
}

TEST_F(PlayerTest, AnAudioFileKeepsTheVideoWindowHidden) {
    Player player = Player::Start({Media("tone.wav")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "tone.wav  ");
    ASSERT_TRUE(video);
    PostCommand(player.window, ID_OPTIONS_FULLSCREEN);  // no full screen without a picture
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    EXPECT_TRUE(WaitForVideoTitle(player, "tone.wav  (Paused)", 5000));
    EXPECT_FALSE(IsShown(video));
    EXPECT_NE(WindowRect(video).right, 1024);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlayerTest, ASilentVolumeSliderMarksTheTitleMuted) {
    // The stored slider position 0 is below the curve's one per cent: silence.
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "Volume", 0);
    Player player = Player::Start({Media("tone.wav")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(WaitForVideoWindow(player));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);  // the caption is recomputed on pause
    EXPECT_TRUE(WaitForVideoTitle(player, "tone.wav (Muted) (Paused)", 5000));
    PostCommand(player.window,
                ID_AUDIO_VOLUMEUP);  // a step up from the renderer's volume is no longer silence
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(WaitForVideoTitle(player, "tone.wav  ", 5000));
    Finish(player);
}

TEST_F(PlayerTest, ARightClickOffersTheOpenMenuAndAboutShowsTheProductLinks) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    Post(player.window, WM_RBUTTONUP, 0, MAKELPARAM(30, 30));
    HWND menu = WaitForMenu(player.process.Id());
    ASSERT_TRUE(menu);
    RECT r = WindowRect(menu);
    RECT main = WindowRect(player.window);
    EXPECT_EQ(r.left, main.left + 30);
    EXPECT_EQ(r.top, main.top + 30);
    Screenshot("C:\\tesmaro_open_menu.png");
    CloseMenu(menu);

    PostCommand(player.window, ID_APP_ABOUT);
    HWND about = WaitForWindow("#32770", "About Tesmaro Player", player.process.Id(), 5000);
    ASSERT_TRUE(about);
    EXPECT_TRUE(FindChild(about, "Button", "http://www.tesmaro.example/"));
    EXPECT_TRUE(FindChild(about, "Button", "http://www.tesmaro.example/support/"));
    WaitPainted(about);
    ScreenshotWindow(about, "C:\\tesmaro_about.png");
    Post(about, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(about); }, 5000));
    EXPECT_TRUE(player.process.Running());
    Finish(player);
}

TEST_F(PlayerTest, ACorruptFileShowsTheCannotPlayTextAndLeavesNothingOpen) {
    Player player = Player::Start({Media("corrupt.avi")});
    ASSERT_TRUE(player.window);
    std::optional<MessageBoxInfo> box = player.boxes->WaitForBox(15000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Tesmaro Player");
    EXPECT_EQ(box->text, kCannotPlay);
    EXPECT_TRUE(WaitUntil([&] { return VideoWindowOf(player) == nullptr; }, 5000));
    EXPECT_TRUE(player.process.Running());
    ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
    ASSERT_TRUE(Flush(player.window));
    ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);

    // The playlist kept its entry: the open command is not needed to try it again.
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    ASSERT_TRUE(Flush(player.window));
    ASSERT_TRUE(WaitNoMessageBox(player.process.Id()));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
    Finish(player);
    EXPECT_EQ(player.process.ExitCode(), 0u);
}

TEST_F(PlayerTest, MissingFilesAndSilentAddressesFailCleanly) {
    for (std::string path :
         {Media("no_such_clip.avi"), std::string("http://127.0.0.1:9/clip.avi"), Media("list.asx")}) {
        Player player = Player::Start({path});
        ASSERT_TRUE(player.window) << path;
        std::optional<MessageBoxInfo> box = player.boxes->WaitForBox(20000);
        ASSERT_TRUE(box) << path;
        EXPECT_EQ(box->caption, "Tesmaro Player") << path;
        EXPECT_TRUE(WaitUntil([&] { return VideoWindowOf(player) == nullptr; }, 5000)) << path;
        EXPECT_TRUE(player.process.Running()) << path;
        Finish(player);
    }
}

TEST_F(PlayerTest, AFileNamedLikeWindowsMediaThatIsNotFallsBackToTheGeneralWay) {
    Player player = Player::Start({Media("not_asf.wmv")});
    ASSERT_TRUE(player.window);
    HWND video = WaitForVideoTitle(player, "not_asf.wmv  ", 15000);
    EXPECT_TRUE(video);
    for (const MessageBoxInfo& box : player.boxes->Seen())
        ADD_FAILURE() << box.caption << ": " << box.text;
    Finish(player);
}
