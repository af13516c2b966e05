// The real player's file-type registration under Wine: the silent first start, the association
// dialog, the shell opening a registered type, and the restore tool.
#include <windows.h>
#include <shellapi.h>

#include "AssociationSession.h"
#include "PlaybackSession.h"

using namespace e2e;
using testsupport::RegistrySnapshot;
using testsupport::SnapshotRegistry;

namespace {

std::string RestoreToolPath() {
    return ExeDirectory() + "assoc_restore.exe";
}

// Runs the restore tool in a folder; its exit code, or STILL_ACTIVE when it did not end.
DWORD RunRestoreTool(const std::string& cwd) {
    Process tool = Process::Start(RestoreToolPath(), {}, cwd);
    if (!tool || !tool.WaitExit(20000)) return STILL_ACTIVE;
    return tool.ExitCode();
}

// The keys of `before` that are not exactly the same in `after`, and the keys `after` has in
// addition outside the ones we allow ourselves.
std::vector<std::string> Differences(const RegistrySnapshot& before, const RegistrySnapshot& after,
                                     std::initializer_list<const char*> ours) {
    std::vector<std::string> differ;
    for (const auto& [path, values] : before) {
        auto it = after.find(path);
        if (it == after.end())
            differ.push_back("removed: " + path);
        else if (it->second != values)
            differ.push_back("changed: " + path);
    }
    for (const auto& [path, values] : after) {
        if (before.count(path)) continue;
        std::string first = path.substr(0, path.find('\\'));
        bool allowed = false;
        for (const char* name : ours)
            allowed = allowed || first == name;
        if (!allowed) differ.push_back("added: " + path);
    }
    return differ;
}

}  // namespace

TEST_F(AssociationTest, TheFirstStartRegistersTheDefaultTypesWithoutAWord) {
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    EXPECT_EQ(StoredInt("bFirst"), 1u);
    EXPECT_EQ(ClassText(".avi"), kPlayerId);
    EXPECT_EQ(ClassText(".avi", "Backup type"), "OtherPlayer.avi");
    EXPECT_EQ(ClassText(".avi", "Content Type"), "video/avi");
    EXPECT_EQ(ClassText(".dat"), "VideoCD.dat");  // not in the first set
    EXPECT_EQ(ClassText(".ogm"), kPlayerId);
    EXPECT_EQ(ClassText(".ogm", "Content Type"), "Video file");
    EXPECT_EQ(ClassText(".mp3", "Content Type"), "<none>");
    EXPECT_EQ(ClassText(kPlayerId), "Tesmaro Player video");
    EXPECT_EQ(ClassText(std::string(kPlayerId) + "\\DefaultIcon"), PlayerPath() + ",0");
    EXPECT_EQ(ClassText(std::string(kPlayerId) + "\\shell\\open\\command"), PlayerCommand());
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());

    // Later starts leave the registry alone.
    SetClassText(".avi", nullptr, "OtherPlayer.avi");
    Player again = Player::Start();
    ASSERT_TRUE(again.window);
    EXPECT_EQ(ClassText(".avi"), "OtherPlayer.avi");
    ASSERT_TRUE(again.Close());
}

TEST_F(AssociationTest, TheDialogShowsWhatThePlayerOwnsAndOKWritesTheChoice) {
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    HWND settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    HWND dialog = OpenAssociations(player, settings);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(Checked(dialog, kFirstAssociationBox + 10));  // .avi
    EXPECT_FALSE(Checked(dialog, kFirstAssociationBox + 4));  // .dat
    EXPECT_TRUE(Checked(dialog, kFirstAssociationBox + 5));   // the free slots share ".aaaa"
    EXPECT_TRUE(Checked(dialog, kFirstAssociationBox + 31));  // .ogm
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, kFirstAssociationBox + 10)), ".avi");
    EXPECT_TRUE(::GetDlgItem(dialog, 1099));
    ScreenshotWindow(dialog, ExeDirectory() + "associations.png");

    SetCheck(dialog, kFirstAssociationBox + 10, false);
    SetCheck(dialog, kFirstAssociationBox + 4, true);
    SetCheck(dialog, kFirstAssociationBox + 13, false);  // .mp3
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    EXPECT_EQ(ClassText(".avi"), "OtherPlayer.avi");
    EXPECT_EQ(ClassText(".dat"), kPlayerId);
    EXPECT_EQ(ClassText(".dat", "Backup type"), "VideoCD.dat");
    EXPECT_EQ(ClassText(".mp3"), "OtherPlayer.mp3");
    EXPECT_EQ(ClassText(".wmv"), kPlayerId);

    // The associations stay even when the Settings dialog is cancelled.
    Press(settings, IDCANCEL);
    ASSERT_TRUE(WaitGone(settings));
    EXPECT_EQ(ClassText(".dat"), kPlayerId);
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}

TEST_F(AssociationTest, CancelInTheAssociationDialogChangesNothing) {
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    RegistrySnapshot before = SnapshotRegistry(HKEY_CLASSES_ROOT);
    HWND settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    HWND dialog = OpenAssociations(player, settings);
    ASSERT_TRUE(dialog);
    for (int i = 0; i < kAssociationBoxes; ++i)
        SetCheck(dialog, kFirstAssociationBox + i, i % 2 == 0);
    Press(dialog, IDCANCEL);
    ASSERT_TRUE(WaitGone(dialog));
    Press(settings, IDCANCEL);
    ASSERT_TRUE(WaitGone(settings));
    EXPECT_EQ(Differences(before, SnapshotRegistry(HKEY_CLASSES_ROOT), {}), std::vector<std::string>{});
    ASSERT_TRUE(player.Close());
}

TEST_F(AssociationTest, LettingEveryTypeGoAndTheRestoreToolLeaveOtherProgramsKeysAsTheyWere) {
    RegistrySnapshot before = SnapshotRegistry(HKEY_CLASSES_ROOT);
    Player player = FirstStart();
    ASSERT_TRUE(player.window);
    HWND settings = OpenSettings(player);
    ASSERT_TRUE(settings);
    HWND dialog = OpenAssociations(player, settings);
    ASSERT_TRUE(dialog);
    for (int i = 0; i < kAssociationBoxes; ++i)
        SetCheck(dialog, kFirstAssociationBox + i, false);
    Press(dialog, IDOK);
    ASSERT_TRUE(WaitGone(dialog));
    Press(settings, IDOK);
    ASSERT_TRUE(WaitGone(settings));
    EXPECT_EQ(ClassText(".avi"), "OtherPlayer.avi");
    ASSERT_TRUE(player.Close());

    std::string folder = MakeTempDirectory("restore");
    ASSERT_EQ(RunRestoreTool(folder), 0u);
    RegistrySnapshot after = SnapshotRegistry(HKEY_CLASSES_ROOT);
    // Only our identifiers and the player's placeholder type remain of what we wrote.
    EXPECT_EQ(Differences(before, after, {"tesmaro player", "vistrane+", ".aaaa"}),
              std::vector<std::string>{});
    EXPECT_FALSE(ClassKeyExists(".wmv"));
}

TEST_F(AssociationTest, TheShellOpensADoubleClickedAviWithThePlayer) {
    {
        Player player = FirstStart();
        ASSERT_TRUE(player.window);
        ASSERT_TRUE(player.Close());
    }
    std::string clip = Media("clip_av.avi");
    auto result = reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", clip.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    ASSERT_GT(result, 32);
    HWND window = WaitForWindow(kMainClass, kMainTitle, 0, 20000);
    ASSERT_TRUE(window);
    DWORD pid = ProcessOf(window);
    MessageBoxGuard boxes(pid);
    HWND video = WaitForWindow(kVideoClass, nullptr, pid, 20000);
    EXPECT_TRUE(video);
    // The clip plays: its elapsed time moves.
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::string t = TimeText(window);
            return !t.empty() && t.substr(0, 8) != "00:00:00";
        },
        15000))
        << TimeText(window);
    EXPECT_TRUE(boxes.Seen().empty());
    Post(window, WM_CLOSE);
    EXPECT_TRUE(WaitUntil([&] { return !::IsWindow(window); }, 15000));
}

TEST_F(AssociationTest, TheRestoreToolPointsItsIdentifierAtTheFolderItRunsInAndASecondRunChangesNothing) {
    SetClassText(".wav", nullptr, kPlayerId);
    SetClassText(".wav", "Backup type", "SoundRecorder");
    std::string folder = MakeTempDirectory("restore two");
    ASSERT_EQ(RunRestoreTool(folder), 0u);
    std::string expected = OpenCommand(folder + "Vistrane.exe");
    EXPECT_EQ(ClassText(std::string(kToolId) + "\\shell\\open\\command"), expected);
    EXPECT_EQ(ClassText(std::string(kToolId) + "\\DefaultIcon"), folder + "Vistrane.exe,0");
    EXPECT_EQ(ClassText(kToolId), "Vistrane+ video");
    EXPECT_EQ(ClassText(".wav"), "SoundRecorder");
    EXPECT_EQ(ClassText(".bmp"), "Paint.Picture");
    EXPECT_EQ(ClassText(".jpg\\ShellNew", "NullFile"), "");
    EXPECT_EQ(ClassText(".avi"), "OtherPlayer.avi");

    RegistrySnapshot once = SnapshotRegistry(HKEY_CLASSES_ROOT);
    ASSERT_EQ(RunRestoreTool(folder), 0u);
    EXPECT_EQ(Differences(once, SnapshotRegistry(HKEY_CLASSES_ROOT), {}), std::vector<std::string>{});

    // Run from elsewhere, it re-points the identifier there.
    std::string other = MakeTempDirectory("restore elsewhere");
    ASSERT_EQ(RunRestoreTool(other), 0u);
    EXPECT_EQ(ClassText(std::string(kToolId) + "\\shell\\open\\command"),
              OpenCommand(other + "Vistrane.exe"));
}
