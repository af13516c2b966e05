// DVD folders opened with the platform's own DVD graph builder: Wine's cannot render a volume,
// so every open ends in its one message and the player is left with nothing open.
#include <windows.h>

#include <fstream>
#include <string>

#include "PlaybackSession.h"

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

void ExpectNothingOpen(const Player& player) {
    EXPECT_FALSE(FindTopWindow(kDvdClass, nullptr, player.process.Id()));
    EXPECT_EQ(ChildWithText(player.window, "PLAY"), nullptr);
    EXPECT_EQ(ChildWithText(player.window, "STOP"), nullptr);
    EXPECT_TRUE(player.process.Running());
}

}  // namespace

TEST_F(PlayerTest, WinesOwnDvdBuilderFailsWithThePlatformsTextAndNothingStaysOpen) {
    Player player = Player::Start({MakeFakeDisc()});
    ASSERT_TRUE(player.window);
    auto box = player.boxes->WaitForBox(15000);
    ASSERT_TRUE(box) << "no message for the failed build";
    EXPECT_EQ(box->caption, "RenderDvdVideoVolume Failed!");
    EXPECT_FALSE(box->text.empty());
    EXPECT_LE(box->text.size(), 100u);  // the platform's text, cut to the message's room
    Pause(500);
    EXPECT_EQ(player.boxes->Seen().size(), 1u);
    ExpectNothingOpen(player);
    // The player still opens a file afterwards.
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
        Pause(500);
        EXPECT_LE(player.boxes->Seen().size(), 1u) << path.size();
        ExpectNothingOpen(player);
        Finish(player);
    }
}
