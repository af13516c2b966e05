// A disc taken out of its drive while its tracks play: the next track finds the disc gone and
// says so once, and the drive's commands afterwards find nothing to report.
#include "DiscSession.h"

using namespace e2e;

namespace {

class DiscGoneTest : public DiscSessionTest {};

bool SaysTheDiscIsGone(const MessageBoxInfo& box) {
    return box.text.find("disc") != std::string::npos && box.text.find("gone") != std::string::npos;
}

}  // namespace

TEST_F(DiscGoneTest, TheTrackAfterTheDiscWasTakenOutStopsTheListWithOneMessage) {
    disctest::CdDrive& drive = AddDrive();
    ASSERT_TRUE(drive);
    ASSERT_TRUE(drive.PutTracks("MPEGAV", "AVSEQ", "DAT", 3, Track()));
    Start();
    PostCommand(player.window, kOpenDrive0);
    ASSERT_TRUE(WaitPlaying("AVSEQ01.DAT"));

    drive.Empty();
    PostCommand(player.window, ID_PLAYBACK_NEXTCHAPTER);  // a file has no chapters: the next track
    ASSERT_TRUE(WaitUntil([&] { return !player.boxes->Seen().empty(); }, 15000));
    ASSERT_TRUE(WaitNothingPlays());
    std::vector<MessageBoxInfo> seen = player.boxes->Seen();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_TRUE(SaysTheDiscIsGone(seen[0])) << seen[0].text;
    EXPECT_NE(seen[0].text.find(drive.Root()), std::string::npos) << seen[0].text;
    // The list stops there: the third track is not tried.
    Settle();
    EXPECT_EQ(Playing(), "");

    // With no disc, playing the disc and the eject button find nothing to tell.
    PostCommand(player.window, kPlayDisc);
    PressEject();
    PressEject();
    Settle();
    EXPECT_EQ(Playing(), "");
    EXPECT_EQ(player.boxes->Seen().size(), 1u);

    // The disc put back plays again.
    ASSERT_TRUE(drive.PutTracks("MPEGAV", "AVSEQ", "DAT", 3, Track()));
    PostCommand(player.window, kPlayDisc);
    EXPECT_TRUE(WaitPlaying("AVSEQ01.DAT"));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
}
