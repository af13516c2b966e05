// Real DVD-Video volumes under plain Wine, whose own DVD graph builder cannot render one: the
// player falls back on its own navigator. The volumes are authored so that the picture tells
// what plays (title 1: chapter 1 red, chapter 2 green; title 2 blue), and the tests read it off
// the screen as a user sees it, with the status the main window shows.
#include <windows.h>
#include <dshow.h>

#include <cstdlib>
#include <string>

#include "Commands.h"
#include "DvdSession.h"

using namespace e2e;

namespace {

std::string ColoursIfo() {
    return MediaDirectory() + "navigator\\colours\\VIDEO_TS\\VIDEO_TS.IFO";
}

std::string BadIfo(const char* name) {
    return MediaDirectory() + "navigator\\bad\\" + name + "\\VIDEO_TS\\VIDEO_TS.IFO";
}

// The colour in the middle of the picture: 'r', 'g' or 'b' when one channel clearly leads, 'k'
// for black, '?' otherwise.
char PictureColour(HWND video) {
    RECT client{};
    ::GetClientRect(video, &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ::ClientToScreen(video, &centre);
    COLORREF c = ScreenPixel(centre.x, centre.y);
    int r = GetRValue(c), g = GetGValue(c), b = GetBValue(c);
    if (r < 40 && g < 40 && b < 40) return 'k';
    if (r > 2 * g + 40 && r > 2 * b + 40) return 'r';
    if (g > 2 * r + 30 && g > 2 * b + 30) return 'g';
    if (b > 2 * r + 40 && b > 2 * g + 40) return 'b';
    return '?';
}

bool Shows(const Player& player, char colour, DWORD timeoutMs = 10000) {
    return WaitUntil(
        [&] {
            HWND video = DvdWindowOf(player);
            return video && IsShown(video) && PictureColour(video) == colour;
        },
        timeoutMs);
}

bool AtLocation(const Player& player, const std::string& where, DWORD timeoutMs = 10000) {
    return WaitUntil([&] { return LocationText(player.window).find(where) != std::string::npos; }, timeoutMs);
}

// The time has moved past `seconds` within the wait.
bool TimePasses(const Player& player, int seconds, DWORD timeoutMs = 6000) {
    return WaitUntil([&] { return PositionSeconds(player.window) > seconds; }, timeoutMs);
}

// The DVD window's popup entries and commands go to that window, as a click in its menu would.
void ChooseInVideoWindow(const Player& player, UINT id) {
    PostCommand(DvdWindowOf(player), id);
}

class OwnNavigatorTest : public PlayerTest {
protected:
    // Opens the colour volume from the command line and waits for title 1's red.
    Player OpenColours() {
        Player player = Player::Start({ColoursIfo()});
        if (player.window) Shows(player, 'r', 20000);
        return player;
    }

    // A second start with the volume, which hands it to the running player and ends, as a new
    // request: past the time in which a start joins the player's own start's files.
    static void OpenAgain(const Player& player, const std::string& ifo) {
        player.WaitOutOwnStartBurst();
        Process second = Process::Start(PlayerPath(), {ifo});
        EXPECT_TRUE(second.WaitExit(15000));
    }
};

}  // namespace

TEST_F(OwnNavigatorTest, TheCommandLineOpensARealDiscThatPlaysItsTitlesInTheirColours) {
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    EXPECT_EQ(WindowText(video), kDvdTitle);
    EXPECT_TRUE(Shows(player, 'r'));
    EXPECT_TRUE(AtLocation(player, "TITLE: 1  CHAPTER: 1")) << LocationText(player.window);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    // The time runs, and chapter 2 comes after six seconds of red.
    int start = PositionSeconds(player.window);
    EXPECT_TRUE(TimePasses(player, start));
    EXPECT_TRUE(Shows(player, 'g', 15000));
    EXPECT_TRUE(AtLocation(player, "CHAPTER: 2")) << LocationText(player.window);
    EXPECT_EQ(LengthSeconds(player.window), 12);
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, TheOpenDialogOpensARealDisc) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_SELECTDISC);
    ASSERT_TRUE(ChooseInOpenDialog(player, MediaDirectory() + "navigator\\colours\\VIDEO_TS", "VIDEO_TS.IFO"));
    EXPECT_TRUE(Shows(player, 'r', 20000));
    EXPECT_TRUE(AtLocation(player, "TITLE: 1"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, ChaptersAndTitlesChangeThePictureAndTheStatus) {
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    EXPECT_TRUE(Shows(player, 'g'));
    EXPECT_TRUE(AtLocation(player, "CHAPTER: 2"));
    PostCommand(player.window, ID_PLAYBACK_PREVIOUSCHAPTER);
    EXPECT_TRUE(Shows(player, 'r'));
    EXPECT_TRUE(AtLocation(player, "CHAPTER: 1"));
    // The popup's title entry: title 2 is blue.
    ChooseInVideoWindow(player, ID_DVD_TITLE_BASE + 2);
    EXPECT_TRUE(Shows(player, 'b'));
    EXPECT_TRUE(AtLocation(player, "TITLE: 2"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, PauseFreezesTheTimePlayGoesOnAndStopThenPlayStartsOver) {
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(TimePasses(player, 1));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    ASSERT_TRUE(ShowsWord(player, "PAUSE"));
    int paused = PositionSeconds(player.window);
    // A frozen time cannot be waited for, and while paused nothing else ticks that the time
    // could be held against: it is watched over two seconds in which a running one would move.
    EXPECT_FALSE(WaitUntil([&] { return PositionSeconds(player.window) != paused; }, 2000));
    EXPECT_EQ(PositionSeconds(player.window), paused);
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(TimePasses(player, paused));

    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    ASSERT_TRUE(Shows(player, 'g'));
    PostCommand(player.window, ID_PLAYBACK_STOP);
    EXPECT_TRUE(ShowsWord(player, "STOP"));
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(Shows(player, 'r'));
    EXPECT_TRUE(AtLocation(player, "TITLE: 1  CHAPTER: 1"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, ScansMoveTheTimeByTheirRatesAndSkipsBySettingsSeconds) {
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipForward", 5);
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipBackward", 3);
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "FastForward", 4);
    Player player = OpenColours();
    ASSERT_TRUE(player.window);

    PostCommand(player.window, ID_JUMP_FORWARD);
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= 5; }, 5000));
    EXPECT_TRUE(Shows(player, 'r'));  // five seconds in: still chapter 1
    int before = PositionSeconds(player.window);
    PostCommand(player.window, ID_JUMP_BACKWARD);
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) <= before - 2; }, 5000));

    // Four times normal speed: the rest of title 1 goes by in a fraction of its length.
    PostCommand(player.window, ID_PLAYBACK_FASTFORWARD);
    EXPECT_TRUE(ShowsWord(player, "SCAN"));
    DWORD started = ::GetTickCount();
    int from = PositionSeconds(player.window);
    ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= from + 4; }, 5000));
    EXPECT_LT(::GetTickCount() - started, 3000u) << "four seconds of the title took this long";
    PostCommand(player.window, ID_PLAYBACK_REWIND);
    int back = PositionSeconds(player.window);
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) < back; }, 5000));
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, TheSecondAudioStreamIsChosenAndReported) {
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    ChooseInVideoWindow(player, ID_DVD_AUDIO_BASE + 1);
    ASSERT_TRUE(WaitPolls(player.window));  // the choice has been handled
    size_t seen = player.boxes->Seen().size();
    PostCommand(player.window, ID_INFO_AUDIO);
    auto box = player.boxes->WaitForBox(5000, seen);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Audio Attributes");
    EXPECT_NE(box->text.find("LPCM"), std::string::npos) << box->text;
    Finish(player);
}

TEST_F(OwnNavigatorTest, TheVideoReportShowsTheDiscsPicture) {
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_INFO_VIDEO);
    auto box = player.boxes->WaitForBox(5000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Video Attributes");
    EXPECT_EQ(0u, box->text.find("Video Attributes:"));
    EXPECT_NE(box->text.find("720"), std::string::npos) << box->text;
    EXPECT_NE(box->text.find("Frame Height: 576"), std::string::npos) << box->text;
    Finish(player);
}

TEST_F(OwnNavigatorTest, ABookmarkSavedInOneRunReturnsToItsTitleAndTimeInTheNext) {
    ::DeleteFileA(UserBookmarkFile().c_str());
    int savedAt = 0;
    {
        Player player = OpenColours();
        ASSERT_TRUE(player.window);
        ChooseInVideoWindow(player, ID_DVD_TITLE_BASE + 2);
        ASSERT_TRUE(Shows(player, 'b'));
        ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= 2; }, 6000));
        PostCommand(player.window, ID_PLAYBACK_PAUSE);
        ASSERT_TRUE(ShowsWord(player, "PAUSE"));
        savedAt = PositionSeconds(player.window);
        PostCommand(player.window, ID_BOOKMARK_SAVE);
        Send(player.window, WM_NULL);
        EXPECT_TRUE(player.boxes->Seen().empty());
        Finish(player);
    }
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_BOOKMARK_RESTORE);
    EXPECT_TRUE(Shows(player, 'b'));
    EXPECT_TRUE(AtLocation(player, "TITLE: 2"));
    EXPECT_TRUE(WaitUntil([&] { return std::abs(PositionSeconds(player.window) - savedAt) <= 1; }, 5000))
        << PositionSeconds(player.window) << " against " << savedAt;
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
    ::DeleteFileA(UserBookmarkFile().c_str());
}

TEST_F(OwnNavigatorTest, VolumesThatCannotBeReadGiveOneMessageAndLeaveNothingOpen) {
    for (const char* name : {"truncated_ifo", "empty_ifo", "random_bytes"}) {
        Player player = Player::Start({BadIfo(name)});
        ASSERT_TRUE(player.window) << name;
        auto box = player.boxes->WaitForBox(15000);
        ASSERT_TRUE(box) << name;
        EXPECT_EQ(box->caption, "RenderDvdVideoVolume Failed!") << name;
        EXPECT_EQ(box->text, "There is no DVD-Video volume here that can be played.") << name;
        Send(player.window, WM_NULL);
        EXPECT_EQ(player.boxes->Seen().size(), 1u) << name;
        EXPECT_FALSE(DvdWindowOf(player)) << name;
        EXPECT_TRUE(player.process.Running()) << name;
        Finish(player);
    }
}

TEST_F(OwnNavigatorTest, AnEncryptedDiscSaysSoAndShowsNoPicture) {
    Player player = Player::Start({BadIfo("encrypted")});
    ASSERT_TRUE(player.window);
    auto box = player.boxes->WaitForBox(15000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Error");
    EXPECT_TRUE(box->text.starts_with("Key exchange for DVD copy protection failed.")) << box->text;
    HWND video = DvdWindowOf(player);
    if (video && IsShown(video)) {
        EXPECT_EQ(PictureColour(video), 'k') << "no garbage picture";
    }
    EXPECT_TRUE(player.process.Running());
    Finish(player);
}

TEST_F(OwnNavigatorTest, BrokenFilesOfAReadableDiscNeverBringThePlayerDown) {
    for (const char* name : {"no_vob", "cut_vob", "titles99"}) {
        Player player = Player::Start({BadIfo(name)});
        ASSERT_TRUE(player.window) << name;
        // Whatever each says, the player answers and can be closed as a user would.
        player.boxes->WaitForBox(8000);
        Send(player.window, WM_NULL);
        EXPECT_TRUE(player.process.Running()) << name;
        Finish(player);
    }
}

TEST_F(OwnNavigatorTest, FullScreenFitsThePictureAndEscapeAndZoomComeBack) {
    Player player = OpenColours();
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    RECT windowed = WindowRect(video);

    PostCommand(player.window, ID_OPTIONS_FULLSCREEN);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(video).right == 1024; }, 5000));
    RECT full = WindowRect(video);
    EXPECT_EQ(full.left, 0);
    EXPECT_EQ(full.top, 0);
    EXPECT_EQ(full.bottom, 768);
    // 720 x 576 on 1024 x 768: the full height, 960 wide at left 32.
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(RendererOf(video)).left == 32; }, 5000));
    RECT picture = WindowRect(RendererOf(video));
    EXPECT_EQ(picture.top, 0);
    EXPECT_EQ(picture.right - picture.left, 960);
    EXPECT_EQ(picture.bottom, 768);

    Post(video, WM_KEYUP, VK_ESCAPE, 0xC0000001);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(video).right != 1024; }, 5000));
    RECT back = WindowRect(video);
    EXPECT_TRUE(::EqualRect(&back, &windowed));

    // Original size from full screen leaves it first, then fits the window round the picture.
    PostChar(player.window, 'm');
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(video).right == 1024; }, 5000));
    PostCommand(player.window, ID_ZOOM_100);
    int width = 720 + 2 * ::GetSystemMetrics(SM_CXBORDER);
    int height = 576 + ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER);
    EXPECT_TRUE(WaitUntil(
        [&] {
            RECT r = WindowRect(video);
            return r.right - r.left == width && r.bottom - r.top == height;
        },
        5000));
    PostCommand(player.window, ID_ZOOM_50);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(video).right - WindowRect(video).left == 360 + 2 * ::GetSystemMetrics(SM_CXBORDER); }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, ClosingTheVideoWindowClosesTheDiscButNotThePlayer) {
    Player player = OpenColours();
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    Post(video, WM_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(video); }, 5000));
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(player.window, "PLAY") == nullptr; }, 5000));
    EXPECT_TRUE(player.process.Running());
    // A second open after the close plays again.
    OpenAgain(player, ColoursIfo());
    EXPECT_TRUE(WaitUntil([&] { return DvdWindowOf(player) && IsShown(DvdWindowOf(player)); }, 15000));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, ASecondOpenWhileADiscPlaysReplacesIt) {
    Player player = OpenColours();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    HWND first = DvdWindowOf(player);
    OpenAgain(player, ColoursIfo());
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(first); }, 10000));
    EXPECT_TRUE(WaitUntil([&] { return DvdWindowOf(player) && IsShown(DvdWindowOf(player)); }, 15000));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(OwnNavigatorTest, OnlyTheSpaceAmongTheKeysFrom0x20To0x2FClosesTheDisc) {
    Player player = OpenColours();
    ASSERT_TRUE(player.window);
    HWND video = DvdWindowOf(player);
    ASSERT_TRUE(video);
    for (WPARAM code = 0x21; code <= 0x2F; ++code) {
        Post(video, WM_KEYDOWN, code, 1);
        Post(video, WM_CHAR, code, 1);
        Post(video, WM_KEYUP, code, 0xC0000001);
        Send(player.window, WM_NULL);
        Send(video, WM_NULL);
        ASSERT_TRUE(::IsWindow(video)) << "key " << code << " closed the disc";
        ASSERT_TRUE(ShowsWord(player, "PLAY", 1000)) << "key " << code;
    }
    // A sent message may overtake posted ones: once everything posted is handled, it still plays.
    ASSERT_TRUE(WaitPolls(player.window));
    ASSERT_TRUE(::IsWindow(video)) << "one of the keys closed the disc";
    // The space is the close key of the main window, wherever it is typed.
    Post(video, WM_CHAR, ' ', 1);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(video); }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}
