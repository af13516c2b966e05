// What the navigator tells the player while a disc plays, and graph builds that fail or half
// succeed: every message is found, recorded and answered as a user would.
#include <windows.h>
#include <dshow.h>

#include <dvdevcod.h>

#include <fstream>
#include <string>

#include "Commands.h"
#include "DvdSession.h"

using namespace e2e;

namespace {

const char* const kErrorTexts[] = {
    "An unexpected error (possibly incorrectly authored content)\nwas encountered.\nCan't playback this "
    "DVD-Video disc.",
    "Key exchange for DVD copy protection failed.\nCan't playback this DVD-Video disc.",
    "This DVD-Video disc is incorrectly authored for v1.0  of the DVD-Video standard.\nCan't playback this disc.",
    "This DVD-Video disc cannot be played, because it is not\nauthored to play in the current system region.\n"
    "The region mismatch may be fixed by changing the\nsystem region (with DVDRgn.exe).",
    "Player parental level is set lower than the lowest parental\nlevel available in this DVD-Video content.\n"
    "Cannot playback this DVD-Video disc.",
    "This DVD-Video content is protected by Macrovision.\nThe system does not satisfy Macrovision requirement.\n"
    "Can't continue playing this disc.",
    "No DVD-Video disc can be played on this system, because \nthe system region does not match the decoder "
    "region.\nPlease contact the manufacturer of this system.",
    "This DVD-Video disc cannot be played on this system, because it is\nnot authored to be played in the "
    "installed decoder's region.",
};

// Message boxes show "\n" as line breaks; the text control holds what was asked for, with
// "\r\n" where the caller wrote it.
bool SameText(const std::string& shown, const std::string& wanted) {
    std::string a, b;
    for (char c : shown)
        if (c != '\r') a += c;
    for (char c : wanted)
        if (c != '\r') b += c;
    return a == b;
}

}  // namespace

TEST_F(DvdTest, EveryNavigatorErrorIsShownOnceAndStopsThePicture) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    for (long code = 1; code <= 8; ++code) {
        size_t seen = player.boxes->Seen().size();
        ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, code)) << code;
        auto box = player.boxes->WaitForBox(5000, seen);
        ASSERT_TRUE(box) << code;
        EXPECT_EQ(box->caption, "Error");
        EXPECT_TRUE(SameText(box->text, kErrorTexts[code - 1])) << code << ": " << box->text;
        // The graph stops once the box is answered; playing again restarts it for the next error.
        ASSERT_TRUE(BoxDone(player)) << code;
        PostCommand(player.window, ID_PLAYBACK_STOP);
        PostCommand(player.window, ID_PLAYBACK_PLAY);
        ASSERT_TRUE(ShowsWord(player, "PLAY"));
        ASSERT_TRUE(WaitPolls(player.window));
    }
    EXPECT_EQ(player.boxes->Seen().size(), 8u);
    // Codes outside the navigator's table are ignored and playback goes on.
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, 9));
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_ERROR, 0));
    ASSERT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) >= 0; }, 2000));
    int before = PositionSeconds(player.window);
    EXPECT_TRUE(WaitUntil([&] { return PositionSeconds(player.window) > before; }, 4000));
    EXPECT_EQ(player.boxes->Seen().size(), 8u);
    Finish(player);
}

TEST_F(DvdTest, TheOpenWarningIsShownAndOtherWarningsAreNot) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_WARNING, DVD_WARNING_InvalidDVD1_0Disc));
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_WARNING, DVD_WARNING_Open));
    auto box = player.boxes->WaitForBox(5000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Warning");
    EXPECT_EQ(box->text, "A file on the DVD disc could not be opened. Playback may not continue.");
    ASSERT_TRUE(BoxDone(player));
    ASSERT_TRUE(InjectedEventsHandled(player));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
    // Unknown event codes and parameters change nothing.
    ASSERT_TRUE(nav.InjectEvent(0x1FF, -1, -1));
    ASSERT_TRUE(nav.InjectEvent(EC_DVD_DOMAIN_CHANGE, 77));
    ASSERT_TRUE(InjectedEventsHandled(player));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
    Finish(player);
}

TEST_F(DvdTest, TheParentalQuestionPassesYesAndNoToTheNavigator) {
    Player player = OpenDisc();
    ASSERT_TRUE(ShowsWord(player, "PLAY"));
    player.boxes.reset();  // this test answers the boxes itself
    for (int answer : {IDYES, IDNO}) {
        size_t mark = CallCount();
        ASSERT_TRUE(nav.InjectEvent(EC_DVD_PARENTAL_LEVEL_CHANGE, 6));
        auto box = WaitForMessageBox(player.process.Id(), 5000);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->caption, "Accept Change?");
        EXPECT_EQ(box->text, "Accept Parental Level Change Request?");
        ASSERT_TRUE(DismissMessageBox(*box, answer));
        EXPECT_TRUE(Called(std::string("AcceptParentalLevelChange ") + (answer == IDYES ? "1" : "0"), mark));
    }
    Finish(player);
}

TEST_F(DvdTest, ADiscWithoutAFirstPlayProgramStartsTitleOne) {
    Player player = OpenDisc("first_play none\n", false);
    ASSERT_TRUE(player.window);
    EXPECT_TRUE(Called("PlayTitle 1 0", 0, 8000));
    EXPECT_TRUE(WaitUntil([&] { return LocationText(player.window).find("TITLE: 1") != std::string::npos; }, 5000));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(DvdTest, AHalfRenderedVolumeAsksAndNoLeavesNothingOpen) {
    nav.WriteScript("render_partial\n");
    Player player = StartUnwatched();
    ASSERT_TRUE(player.window);
    auto box = WaitForMessageBox(player.process.Id(), 10000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Warning");
    EXPECT_TRUE(SameText(box->text, "An unknown error has occurred\n\nDo you still want to continue?")) << box->text;
    ASSERT_TRUE(DismissMessageBox(*box, IDNO));
    ASSERT_TRUE(BoxDone(player));
    ASSERT_TRUE(WaitPolls(player.window));  // and whatever the refused open posted
    EXPECT_FALSE(DvdWindowOf(player));
    EXPECT_FALSE(FindMessageBox(player.process.Id()));
    EXPECT_EQ(ChildWithText(player.window, "PLAY"), nullptr);
    EXPECT_TRUE(player.process.Running());
    Finish(player);
}

TEST_F(DvdTest, AHalfRenderedVolumeListsWhatFailedAndYesPlaysIt) {
    nav.WriteScript("render_partial iNumStreams=3 iNumStreamsFailed=1 dwFailedStreamsFlag=2 bNoLine21In=1\n");
    Player player = StartUnwatched();
    ASSERT_TRUE(player.window);
    auto box = WaitForMessageBox(player.process.Id(), 10000);
    ASSERT_TRUE(box);
    EXPECT_TRUE(SameText(box->text,
                         "* 1 out of 3 DVD-Video streams failed to render properly\n    - audio stream\n"
                         "* The video decoder doesn't produce closed caption data\n\n\nDo you still want to continue?"))
        << box->text;
    ASSERT_TRUE(DismissMessageBox(*box, IDYES));
    EXPECT_TRUE(WaitUntil([&] { return DvdWindowOf(player) && IsShown(DvdWindowOf(player)); }, 10000));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    Finish(player);
}

TEST_F(DvdTest, AnOlderNavigatorIsRefused) {
    nav.WriteScript("old_navigator\n");
    Player player = Player::Start({dvdnav::NavigatorFixture::DiscIfoPath()});
    ASSERT_TRUE(player.window);
    auto box = player.boxes->WaitForBox(10000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "DVD Error!");
    EXPECT_EQ(box->text, "This version of the application cannot run using\nthe current DirectShow components. \n");
    ASSERT_TRUE(BoxDone(player));
    ASSERT_TRUE(WaitPolls(player.window));  // a second box would be shown by now
    EXPECT_FALSE(DvdWindowOf(player));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
    Finish(player);
}

TEST_F(DvdTest, MissingDecodersAndAMissingVideoWindowEachGiveTheirOneMessage) {
    // A volume that our own navigator cannot play either: the platform's answer stands.
    std::string notADisc = MakeTempDirectory("notadisc") + "VIDEO_TS.IFO";
    { std::ofstream(notADisc, std::ios::binary) << "DVDVIDEO-VMG"; }
    struct Case {
        const char* script;
        std::string path;
        const char* caption;
        const char* textStart;
    } cases[] = {
        {"render_hr 0x8004027B\n", notADisc, "Can't play the DVD, please install the third party DVD decoder.",
         "The program could not locate a DVD decoder on your system."},
        {"no_interface IVideoWindow\n", dvdnav::NavigatorFixture::DiscIfoPath(), "DVD Error!",
         "Cannot get the IVideoWindow interface."},
    };
    for (const Case& c : cases) {
        nav.WriteScript(c.script);
        Player player = Player::Start({c.path});
        ASSERT_TRUE(player.window);
        auto box = player.boxes->WaitForBox(10000);
        ASSERT_TRUE(box) << c.script;
        EXPECT_EQ(box->caption, c.caption);
        EXPECT_TRUE(box->text.starts_with(c.textStart)) << box->text;
        ASSERT_TRUE(BoxDone(player));
        ASSERT_TRUE(WaitPolls(player.window));  // a second box would be shown by now
        EXPECT_EQ(player.boxes->Seen().size(), 1u) << c.script;
        EXPECT_FALSE(DvdWindowOf(player));
        Finish(player);
    }
}

TEST_F(DvdTest, APlatformNavigatorWithoutDecodersGivesWayToOurOwn) {
    // The platform's navigator is there but cannot decode: the disc plays with ours, silently.
    Player player = OpenDisc("render_hr 0x8004027B\n");
    ASSERT_TRUE(player.window);
    EXPECT_TRUE(DvdWindowOf(player));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    for (const std::string& call : nav.Calls())
        EXPECT_FALSE(call.starts_with("GetDvdInterface")) << "the stand-in's graph was used";
    Finish(player);
}

TEST_F(DvdTest, ANavigatorWithoutClosedCaptionsStillPlays) {
    Player player = OpenDisc("no_interface IAMLine21Decoder\n");
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    PostCommand(player.window, ID_OPTIONS_CLOSEDCAPTION);  // nothing to switch: silently nothing
    ASSERT_TRUE(WaitPolls(player.window));
    EXPECT_TRUE(ShowsWord(player, "PLAY"));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}
