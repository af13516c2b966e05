// Start-up, the single instance and shutdown of the real player under Wine.
#include "Observe.h"
#include "PlayerSession.h"

using namespace e2e;

namespace {

std::string LongPath(size_t length) {
    std::string path = "C:\\";
    while (path.size() + 4 < length)
        path += "d\\";
    path.resize(length - 4, 'x');
    return path + ".avi";
}

}  // namespace

TEST_F(PlayerTest, AnEmptyStartPlacesTheWindowAboveTheWorkAreaBottom) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    EXPECT_EQ(WindowText(player.window), "TesmaroPlayer");
    RECT r = WindowRect(player.window);
    EXPECT_EQ(r.left, 160);
    EXPECT_EQ(r.top, WorkArea().bottom - 250);
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(player.process.ExitCode(), 0u);
}

TEST_F(PlayerTest, ClosingWritesVolumeAndTheDefaultSkinToTheProfile) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    EXPECT_FALSE(StoredInt("Volume"));  // nothing is written at start
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredInt("Volume"), 100u);
    EXPECT_EQ(StoredString("mCurrentSkin"), ExeDirectory() + "skin\\skin1.ini");
    EXPECT_EQ(StoredInt("bFirst"), 1u);  // the only value a very first start writes itself
}

TEST_F(PlayerTest, StoredSettingsSurviveARunAndBadOnesFallBackToDefaults) {
    WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipForward", 45);
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "Volume", "loud");  // wrongly typed
    WriteRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin", "C:\\nowhere\\skin.ini");
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(StoredInt("Volume"), 100u);
    EXPECT_EQ(StoredString("mCurrentSkin"), "C:\\nowhere\\skin.ini");
    EXPECT_EQ(StoredInt("SkipForward"), 45u);
}

TEST_F(PlayerTest, EscapeAndEnterDoNotCloseTheWindow) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        Post(player.window, WM_KEYDOWN, key, 1);
        Post(player.window, WM_KEYUP, key, 0xC0000001);
    }
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(player.process.Running());
    EXPECT_TRUE(IsShown(player.window));
    ASSERT_TRUE(player.Close());
}

TEST_F(PlayerTest, TheExitCommandEndsThePlayer) {
    Player player = Player::Start();
    ASSERT_TRUE(player.window);
    PostCommand(player.window, ID_FILE_EXIT);
    EXPECT_TRUE(player.process.WaitExit(15000));
}

TEST_F(PlayerTest, ASecondStartWithAPathHandsItOverAndEndsWhileTheFirstComesForward) {
    Player first = Player::Start();
    ASSERT_TRUE(first.window);
    Post(first.window, WM_SYSCOMMAND, SC_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsIconic(first.window) != FALSE; }, 5000));

    Process second = Process::Start(PlayerPath(), {MediaDirectory() + "clip_av.avi"});
    ASSERT_TRUE(second);
    EXPECT_TRUE(second.WaitExit(5000));
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(first.process.Running());
    EXPECT_TRUE(WaitUntil([&] { return !::IsIconic(first.window); }, 3000));
    // The first is in front; once the handed-over file opens, its video window is.
    EXPECT_EQ(ProcessOf(::GetForegroundWindow()), first.process.Id());
    // The first plays the handed-over file.
    EXPECT_TRUE(WaitForWindow("VCDEventWindow", "clip_av.avi  ", first.process.Id(), 10000));
    // Only one main window exists: the second never showed one.
    EXPECT_EQ(FindTopWindow(kMainClass, kMainTitle, second.Id()), nullptr);
    ASSERT_TRUE(first.Close());
}

TEST_F(PlayerTest, ASecondStartWithoutAPathLeavesTheFirstAlone) {
    Player first = Player::Start();
    ASSERT_TRUE(first.window);
    RECT before = WindowRect(first.window);
    Process second = Process::Start(PlayerPath());
    EXPECT_TRUE(second.WaitExit(5000));
    EXPECT_TRUE(first.process.Running());
    RECT after = WindowRect(first.window);
    EXPECT_TRUE(::EqualRect(&before, &after));
    EXPECT_TRUE(first.boxes->Seen().empty());
    ASSERT_TRUE(first.Close());
}

TEST_F(PlayerTest, OverlongCommandLinePathsAreHandledSafely) {
    // Alone: the path is cut to the buffer and the player still runs and closes normally.
    Player player = Player::Start({LongPath(300)});
    ASSERT_TRUE(player.window);
    ASSERT_TRUE(Flush(player.window));
    EXPECT_TRUE(player.process.Running());

    // The cut path does not exist: the open fails with its message and nothing stays open.
    ASSERT_TRUE(player.boxes->WaitForBox(15000));
    EXPECT_EQ(player.boxes->Seen().front().caption, "Tesmaro Player");

    // Handed over: 256..259 characters cannot become an atom, so the first instance asks for a
    // file instead; 300 are cut first, then likewise. Both end the second process and leave the
    // first running.
    for (size_t length : {258u, 300u}) {
        Process second = Process::Start(PlayerPath(), {LongPath(length)});
        EXPECT_TRUE(second.WaitExit(5000)) << length;
        EXPECT_TRUE(player.process.Running()) << length;
        HWND dialog = WaitForWindow("#32770", "Open Media Files...", player.process.Id(), 10000);
        ASSERT_TRUE(dialog) << length;
        Post(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
             reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
        EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 5000)) << length;
    }
    EXPECT_EQ(FindTopWindow("VCDEventWindow", nullptr, player.process.Id()), nullptr);
    ASSERT_TRUE(player.Close());
}
