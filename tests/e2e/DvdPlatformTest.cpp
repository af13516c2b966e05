// DVD folders opened where the platform's own DVD graph builder cannot render a volume (Wine's
// answers E_NOTIMPL): our own navigator takes over, and a folder that it cannot play either ends
// in one message, with the player left with nothing open.
#include <windows.h>

#include <fstream>
#include <string>

#include "PlaybackSession.h"
#include "PlayerQueue.h"

using namespace e2e;

namespace {

constexpr char kDvdClass[] = "EventWindow";

// A folder that looks like a disc's: VIDEO_TS\VIDEO_TS.IFO with a few bytes in it.
std::string MakeFakeDisc() {
    std::string root = MakeTempDirectory("fakedvd");
    std::string folder = root + "VIDEO_TS";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    std::string ifo = folder + "\\VIDEO_TS.IFO";
    std::ofstream(ifo, std::ios::binary) << "DVDVIDEO-VMG";
    return ifo;
}

// Waits until no box of the player is shown and what its failed open left queued is handled: a
// second box would be up by then.
bool OpenOver(const Player& player) {
    return WaitUntil([&] { return !FindMessageBox(player.process.Id()); }, 10000) && WaitPolls(player.window);
}

void ExpectNothingOpen(const Player& player) {
    EXPECT_FALSE(FindTopWindow(kDvdClass, nullptr, player.process.Id()));
    EXPECT_EQ(ChildWithText(player.window, "PLAY"), nullptr);
    EXPECT_EQ(ChildWithText(player.window, "STOP"), nullptr);
    EXPECT_TRUE(player.process.Running());
}

}  // namespace

TEST_F(PlayerTest, AFolderNeitherNavigatorCanPlayGivesOneMessageAndNothingStaysOpen) {
    Player player = Player::Start({MakeFakeDisc()});
    ASSERT_TRUE(player.window);
    auto box = player.boxes->WaitForBox(15000);
    ASSERT_TRUE(box) << "no message for the failed build";
    EXPECT_EQ(box->caption, "RenderDvdVideoVolume Failed!");
    EXPECT_FALSE(box->text.empty());
    EXPECT_EQ(box->text, "There is no DVD-Video volume here that can be played.");
    ASSERT_TRUE(OpenOver(player));
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
    ExpectNothingOpen(player);
    // The player still opens a file afterwards, handed over as a new request.
    player.WaitOutOwnStartBurst();
    Process::Start(PlayerPath(), {Media("clip_long.avi")}).WaitExit(15000);
    EXPECT_TRUE(WaitForVideoTitle(player, "clip_long.avi  "));
    Finish(player);
}

TEST_F(PlayerTest, DvdPathsThatAreMissingOrTooLongLeaveNothingOpen) {
    std::string tooLong = "C:\\" + std::string(270, 'a') + "\\VIDEO_TS.IFO";
    for (const std::string& path : {std::string("C:\\no\\such\\folder\\VIDEO_TS.IFO"), tooLong}) {
        Player player = Player::Start({path});
        ASSERT_TRUE(player.window);
        player.boxes->WaitForBox(10000);
        ASSERT_TRUE(OpenOver(player));
        EXPECT_LE(player.boxes->Seen().size(), 1u) << path.size();
        ExpectNothingOpen(player);
        Finish(player);
    }
}
