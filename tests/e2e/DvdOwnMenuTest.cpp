// A disc's menus on our own navigator, through the player under plain Wine: the buttons drawn
// by the disc's subpictures, chosen with the arrow keys, Enter, the mouse pointer and a click
// wherever the picture is shown, the title set's menus and its subtitles. The menu volume is
// authored so that colours tell everything: buttons white, the selected one yellow; title 1
// red then green (chapter 2), title 2 blue; a white subtitle bar low in title 1, and a forced
// one high in title 2.
#include <windows.h>

#include <string>

#include "Commands.h"
#include "DvdSession.h"

using namespace e2e;

namespace {

std::string MenuIfo(const char* volume) {
    return MediaDirectory() + "menus\\" + volume + "\\VIDEO_TS\\VIDEO_TS.IFO";
}

// Points of the 720 x 576 picture: a part of each button's face that its label leaves free,
// the middle of the picture, and the subtitle bars of title 1 (low) and title 2 (forced, high).
constexpr POINT kButtonOne{220, 200};
constexpr POINT kButtonTwo{220, 360};
constexpr POINT kButtonThree{220, 440};
constexpr POINT kMiddle{360, 300};
constexpr POINT kSubtitle{360, 450};
constexpr POINT kForcedSubtitle{360, 130};
constexpr POINT kBesideTheButtons{620, 280};

// Where the renderer shows a picture point: its window holds the whole picture, at any size.
POINT ScreenPoint(HWND video, POINT picture) {
    HWND renderer = RendererOf(video);
    RECT client = ClientRect(renderer);
    POINT p{picture.x * client.right / 720, picture.y * client.bottom / 576};
    ::ClientToScreen(renderer, &p);
    return p;
}

// The same point in the renderer window's own client coordinates, for the driver's input.
POINT RendererPoint(HWND video, POINT picture) {
    RECT client = ClientRect(RendererOf(video));
    return POINT{picture.x * client.right / 720, picture.y * client.bottom / 576};
}

COLORREF PixelAt(HWND video, POINT picture) {
    POINT p = ScreenPoint(video, picture);
    return ScreenPixel(p.x, p.y);
}

bool IsWhite(COLORREF c) {
    return GetRValue(c) > 190 && GetGValue(c) > 190 && GetBValue(c) > 190;
}
bool IsYellow(COLORREF c) {
    return GetRValue(c) > 190 && GetGValue(c) > 190 && GetBValue(c) < 90;
}
bool IsRed(COLORREF c) {
    return GetRValue(c) > 150 && GetGValue(c) < 90 && GetBValue(c) < 90;
}
bool IsGreen(COLORREF c) {
    return GetGValue(c) > 90 && GetRValue(c) < 60 && GetBValue(c) < 60;
}
bool IsBlue(COLORREF c) {
    return GetBValue(c) > 150 && GetRValue(c) < 90 && GetGValue(c) < 90;
}

std::string Text(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c));
}

class OwnMenuTest : public PlayerTest {
protected:
    // Waits until the picture point shows a colour that `is` accepts; the test's message names
    // the point and the last colour seen.
    template <typename Is>
    ::testing::AssertionResult Shows(POINT at, Is is, DWORD timeoutMs = 10000) {
        COLORREF last = 0;
        bool seen = WaitUntil(
            [&] {
                HWND shown = DvdWindowOf(player);
                if (!shown || !IsShown(shown) || !RendererOf(shown)) return false;
                last = PixelAt(shown, at);
                return is(last);
            },
            timeoutMs);
        if (seen) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "at " << at.x << "," << at.y << " the picture shows " << Text(last);
    }

    bool AtLocation(const std::string& where, DWORD timeoutMs = 10000) {
        return WaitUntil([&] { return LocationText(player.window).find(where) != std::string::npos; },
                         timeoutMs);
    }

    // Opens the menu volume and waits for its main menu, button 1 highlighted.
    void OpenOnMainMenu() {
        player = Player::Start({MenuIfo("menus")});
        ASSERT_TRUE(player.window);
        ASSERT_TRUE(Shows(kButtonOne, IsYellow, 20000));
        video = DvdWindowOf(player);
        ASSERT_TRUE(video);
    }

    void Key(WPARAM key) { Post(video, WM_KEYUP, key, 0xC0000001); }

    // From the main menu into title `title` with the keys, until its colour shows.
    void PlayFromMainMenu(int title) {
        if (title == 2) {
            Key(VK_DOWN);
            ASSERT_TRUE(Shows(kButtonTwo, IsYellow));
        }
        Key(VK_RETURN);
        if (title == 1) {
            ASSERT_TRUE(Shows(kMiddle, IsRed));
        } else {
            ASSERT_TRUE(Shows(kMiddle, IsBlue));
        }
        ASSERT_TRUE(AtLocation("TITLE: " + std::to_string(title)));
    }

    // The pointer over button 1 selects it and a click there plays title 1; the title menu
    // command brings the main menu back. Starts and ends on the main menu with button 2 chosen.
    void PointAndClickButtonOne(const char* where) {
        SCOPED_TRACE(where);
        ASSERT_TRUE(Shows(kButtonTwo, IsYellow));
        // The pointer comes from beside the buttons, as a hand moves it: a move to where it
        // already is would not be a move.
        POINT beside = RendererPoint(video, kBesideTheButtons);
        MoveMouse(RendererOf(video), beside.x, beside.y);
        POINT one = RendererPoint(video, kButtonOne);
        MoveMouse(RendererOf(video), one.x, one.y);
        ASSERT_TRUE(Shows(kButtonOne, IsYellow));
        EXPECT_TRUE(Shows(kButtonTwo, IsWhite));
        Click(RendererOf(video), one.x, one.y);
        ASSERT_TRUE(Shows(kMiddle, IsRed));
        EXPECT_TRUE(AtLocation("TITLE: 1"));
        // Back on the main menu, button 2 chosen by the keys for the next round. The pointer
        // leaves button 1 first: the window manager's moves of a resting pointer (when windows
        // change under it) would choose button 1 again, as a hand resting there would.
        MoveMouse(RendererOf(video), beside.x, beside.y);
        PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
        ASSERT_TRUE(Shows(kButtonOne, IsYellow));
        Key(VK_DOWN);
        ASSERT_TRUE(Shows(kButtonTwo, IsYellow));
    }

    void TearDown() override {
        if (player.window) {
            EXPECT_TRUE(player.boxes->Seen().empty());
            Finish(player);
        }
    }

    Player player;
    HWND video = nullptr;
};

}  // namespace

TEST_F(OwnMenuTest, TheDiscOpensOnItsMenuAndTheKeysChooseAndPlayAButton) {
    ASSERT_NO_FATAL_FAILURE(OpenOnMainMenu());
    EXPECT_EQ(WindowText(video), kDvdTitle);
    EXPECT_TRUE(Shows(kButtonTwo, IsWhite));
    // A menu has no time to scan or skip through and no chapters: the navigator refuses them
    // and the menu stays as it is; a pause and a play go on with the menu.
    PostCommand(player.window, ID_PLAYBACK_FASTFORWARD);
    PostCommand(player.window, ID_JUMP_FORWARD);
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);
    Send(player.window, WM_NULL);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_FALSE(ChildWithText(player.window, "SCAN"));
    EXPECT_TRUE(Shows(kButtonOne, IsYellow));
    PostCommand(player.window, ID_PLAYBACK_PAUSE);
    EXPECT_TRUE(ShowsWord(player, "PAUSE"));
    PostCommand(player.window, ID_PLAYBACK_PLAY);
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(Shows(kButtonOne, IsYellow));
    // Down moves the highlight, Up brings it back, and Down again.
    Key(VK_DOWN);
    EXPECT_TRUE(Shows(kButtonTwo, IsYellow));
    EXPECT_TRUE(Shows(kButtonOne, IsWhite));
    Key(VK_UP);
    EXPECT_TRUE(Shows(kButtonOne, IsYellow));
    Key(VK_DOWN);
    ASSERT_TRUE(Shows(kButtonTwo, IsYellow));
    // Enter plays button 2's title, in blue.
    Key(VK_RETURN);
    EXPECT_TRUE(Shows(kMiddle, IsBlue));
    EXPECT_TRUE(AtLocation("TITLE: 2"));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    // The title menu command during playback returns to the menu.
    PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
    EXPECT_TRUE(Shows(kButtonOne, IsYellow));
    EXPECT_TRUE(Shows(kButtonTwo, IsWhite));
}

TEST_F(OwnMenuTest, ThePointerSelectsAndAClickPlaysAButtonAtEveryWindowSize) {
    ASSERT_NO_FATAL_FAILURE(OpenOnMainMenu());
    Key(VK_DOWN);
    ASSERT_NO_FATAL_FAILURE(PointAndClickButtonOne("a window of the normal size"));

    // The zooms size the window round the picture by the thin borders, so that the window's own
    // frame takes a few pixels of the picture's: the picture is a little smaller than 360 wide.
    PostCommand(player.window, ID_ZOOM_50);
    ASSERT_TRUE(WaitUntil([&] { return ClientRect(RendererOf(video)).right <= 360; }, 5000))
        << ClientRect(RendererOf(video)).right;
    ASSERT_NO_FATAL_FAILURE(PointAndClickButtonOne("half size"));

    PostCommand(player.window, ID_ZOOM_100);
    ASSERT_TRUE(WaitUntil([&] { return ClientRect(RendererOf(video)).right > 700; }, 5000))
        << ClientRect(RendererOf(video)).right;
    ASSERT_NO_FATAL_FAILURE(PointAndClickButtonOne("original size"));

    // Double size: the window grows as far as the screen lets it, and the picture with it.
    PostCommand(player.window, ID_ZOOM_200);
    ASSERT_TRUE(WaitUntil([&] { return ClientRect(RendererOf(video)).right > 900; }, 5000))
        << ClientRect(RendererOf(video)).right;
    ASSERT_NO_FATAL_FAILURE(PointAndClickButtonOne("double size"));

    PostCommand(player.window, ID_OPTIONS_FULLSCREEN);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(RendererOf(video)).left == 32; }, 5000));
    ASSERT_NO_FATAL_FAILURE(PointAndClickButtonOne("full screen"));
    Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return WindowRect(video).right != 1024; }, 5000));
}

TEST_F(OwnMenuTest, TheTitleSetsMenuOpensTheChapterMenuWhichPlaysChapterTwo) {
    ASSERT_NO_FATAL_FAILURE(OpenOnMainMenu());
    ASSERT_NO_FATAL_FAILURE(PlayFromMainMenu(1));
    // The root menu of title 1's set: a moving background whose third button opens the chapters.
    PostCommand(player.window, ID_PLAYBACK_ROOTMENU);
    ASSERT_TRUE(Shows(kButtonOne, IsYellow));
    EXPECT_TRUE(Shows(kButtonThree, IsWhite));
    Key(VK_UP);
    ASSERT_TRUE(Shows(kButtonThree, IsYellow));
    Key(VK_RETURN);
    // The chapter menu, button 1 chosen; button 2 plays chapter 2, in green.
    ASSERT_TRUE(Shows(kButtonOne, IsYellow));
    EXPECT_TRUE(Shows(kButtonThree, [](COLORREF c) { return !IsWhite(c) && !IsYellow(c); }));
    Key(VK_DOWN);
    ASSERT_TRUE(Shows(kButtonTwo, IsYellow));
    Key(VK_RETURN);
    EXPECT_TRUE(Shows(kMiddle, IsGreen));
    EXPECT_TRUE(AtLocation("TITLE: 1  CHAPTER: 2"));
}

TEST_F(OwnMenuTest, ASubtitleStreamSwitchedOnShowsAndOffHides) {
    ASSERT_NO_FATAL_FAILURE(OpenOnMainMenu());
    ASSERT_NO_FATAL_FAILURE(PlayFromMainMenu(1));
    // On from the start: the player shows stream 0 when it opens a disc.
    EXPECT_TRUE(Shows(kSubtitle, IsWhite));
    PostCommand(video, ID_SUBPICTURE_DISABLE);
    auto titleOne = [](COLORREF c) { return IsRed(c) || IsGreen(c); };
    EXPECT_TRUE(Shows(kSubtitle, titleOne));
    PostCommand(video, ID_DVD_SUBPICTURE_BASE + 0);
    EXPECT_TRUE(Shows(kSubtitle, IsWhite));
    EXPECT_TRUE(Shows(kMiddle, titleOne));
    PostCommand(video, ID_SUBPICTURE_DISABLE);
    EXPECT_TRUE(Shows(kSubtitle, titleOne));
    // Title 2's bar at the top is forced: it shows with the subtitles off, until its end.
    PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
    ASSERT_TRUE(Shows(kButtonOne, IsYellow));
    ASSERT_NO_FATAL_FAILURE(PlayFromMainMenu(2));
    EXPECT_TRUE(Shows(kForcedSubtitle, IsWhite));
    EXPECT_TRUE(Shows(kForcedSubtitle, IsBlue));
}

TEST_F(OwnMenuTest, AVolumeWithoutMenusPlaysOnThroughTheMenuCommands) {
    player = Player::Start({MenuIfo("plain")});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(Shows(kMiddle, IsRed, 20000));
    video = DvdWindowOf(player);
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    PostCommand(player.window, ID_PLAYBACK_ROOTMENU);
    PostCommand(player.window, ID_PLAYBACK_TITLEMENU);
    Key(VK_DOWN);
    Key(VK_RETURN);
    Send(player.window, WM_NULL);
    Send(video, WM_NULL);
    // The disc has no menu to show: it plays on in its title, with no message.
    EXPECT_TRUE(Shows(kMiddle, IsRed));
    EXPECT_TRUE(AtLocation("TITLE: 1"));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
}
