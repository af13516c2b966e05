// The eject button and the eject choice on real CD-ROM drives of the test prefix. Wine's MCI
// takes the tray commands of such a drive without moving anything, so the tests look at what
// the player does around them: the media it closes, the menu it shows and the messages of a
// drive whose tray commands really fail (one that has turned into a fixed disk).
#include "DiscSession.h"

using namespace e2e;

namespace {

class DiscTrayTest : public DiscSessionTest {
protected:
    // Plays the Video CD of drive 0 and waits for it.
    void PlayDisc() {
        PostCommand(player.window, kOpenDrive0);
        ASSERT_TRUE(WaitPlaying("AVSEQ01.DAT"));
    }
};

}  // namespace

TEST_F(DiscTrayTest, WithOneDriveTheEjectButtonTogglesTheTrayAtOnce) {
    disctest::CdDrive& drive = AddDrive();
    ASSERT_TRUE(drive);
    ASSERT_TRUE(drive.PutTracks("MPEGAV", "AVSEQ", "DAT", 2, Track()));
    Start();
    PlayDisc();

    // Opening the tray of the drive that plays closes the media and clears the playlist first.
    RECT r = WindowRect(player.window);
    Click(player.window, 67, 144);  // the skin's eject button
    ASSERT_TRUE(WaitNothingPlays());
    // A choice would have been shown before the eject that closed the media.
    EXPECT_EQ(FindTopWindow("#32768", nullptr, player.process.Id()), nullptr) << "no menu for one drive";
    EXPECT_TRUE(Playlist().empty());

    // The same button closes the tray again: what plays meanwhile stays.
    PlayDisc();
    ::SetWindowPos(player.window, HWND_TOP, r.left, r.top, 0, 0, SWP_NOSIZE);
    PressEject();
    Settle();  // the press and the eject it posts are handled
    EXPECT_EQ(Playing(), "AVSEQ01.DAT");
    EXPECT_EQ(Playlist().size(), 2u);

    // And opens it once more.
    PressEject();
    EXPECT_TRUE(WaitNothingPlays());
    EXPECT_TRUE(player.boxes->Seen().empty());
}

TEST_F(DiscTrayTest, AFilePlayingFromAnotherDriveStaysWhenATrayOpens) {
    disctest::CdDrive& drive = AddDrive();
    ASSERT_TRUE(drive);
    Start({Media("clip_long.avi")});
    ASSERT_TRUE(WaitPlaying("clip_long.avi"));
    PressEject();
    Settle();  // the press and the eject it posts are handled
    EXPECT_EQ(Playing(), "clip_long.avi");
    EXPECT_EQ(Playlist().size(), 1u);
}

TEST_F(DiscTrayTest, WithTwoDrivesTheEjectButtonOffersBothWithTheirLabels) {
    disctest::CdDrive& first = AddDrive("FIRST_DISC");
    disctest::CdDrive& second = AddDrive();
    ASSERT_TRUE(first && second);
    ASSERT_TRUE(second.PutTracks("MPEGAV", "AVSEQ", "DAT", 1, Track()));
    Start();
    PostCommand(player.window, kOpenDrive0 + 1);
    ASSERT_TRUE(WaitPlaying("AVSEQ01.DAT"));

    PressEject();
    HWND menu = WaitForMenu();
    ASSERT_TRUE(menu);
    ScreenshotWindow(menu, "disc_eject_menu.png");
    // Both drives below the separator, each drawn as an enabled item (the texts, with the label,
    // are in the screenshot).
    EXPECT_EQ(MenuItemRows(menu, 1), 2);
    EXPECT_TRUE(MenuRowLooksEnabled(menu, 0, 1));
    EXPECT_TRUE(MenuRowLooksEnabled(menu, 1, 1));

    // Ejecting the first drive leaves the second drive's disc playing.
    ChooseMenuItem(menu, 1);
    Settle();
    EXPECT_EQ(Playing(), "AVSEQ01.DAT");

    // Ejecting the second one closes it.
    PressEject();
    menu = WaitForMenu();
    ASSERT_TRUE(menu);
    ChooseMenuItem(menu, 2);
    EXPECT_TRUE(WaitNothingPlays());
    EXPECT_TRUE(Playlist().empty());
    EXPECT_TRUE(player.boxes->Seen().empty());
}

TEST_F(DiscTrayTest, WithoutACdDriveTheEjectButtonDoesNothing) {
    Start({Media("clip_long.avi")});
    ASSERT_TRUE(WaitPlaying("clip_long.avi"));
    Click(player.window, 67, 144);
    PressEject();
    Settle();  // a menu is tracked while the window polls on, so it would be there now
    EXPECT_EQ(FindTopWindow("#32768", nullptr, player.process.Id()), nullptr);
    EXPECT_EQ(Playing(), "clip_long.avi");
    EXPECT_TRUE(player.boxes->Seen().empty());
    // The command the eject button is named for does nothing either.
    PostCommand(player.window, ID_FILE_EJECT);
    Settle();
    EXPECT_EQ(Playing(), "clip_long.avi");
}

TEST_F(DiscTrayTest, ATrayThatCannotMoveSaysSoBothWays) {
    disctest::CdDrive& first = AddDrive();
    disctest::CdDrive& second = AddDrive();
    ASSERT_TRUE(first && second);
    Start();

    // The second drive stops being a CD drive while the choice is shown: its tray commands fail.
    for (const char* expected : {"Can not eject CDROM!", "Can not close CDROM!"}) {
        SCOPED_TRACE(expected);
        ASSERT_TRUE(second.MarkFixed(false));
        size_t before = player.boxes->Seen().size();
        PressEject();
        HWND menu = WaitForMenu();
        ASSERT_TRUE(menu);
        ASSERT_TRUE(second.MarkFixed(true));
        ChooseMenuItem(menu, 2);
        auto box = player.boxes->WaitForBox(10000, before);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->text, expected);
        EXPECT_EQ(box->caption, "Error");
    }
}
