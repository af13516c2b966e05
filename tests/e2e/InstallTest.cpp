// The installer and uninstaller as a Windows user and an administrator meet them: silent
// installs into the default and a chosen folder, the installed player with its help, the
// uninstaller's give-back of the file types, and what an installation leaves behind.
#include <gtest/gtest.h>

#include <string>

#include "InstallFixture.h"

namespace e2e {
namespace {

constexpr char kHelpTitle[] = "Tesmaro Player Help";
constexpr WORD kHelpCommand = ID_POPUP_HELP;

// The product version in a program's version information, as "1.2.3.0".
std::string ProductVersion(const std::string& path) {
    DWORD ignored = 0;
    DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) return {};
    std::string block(size, '\0');
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
    char* text = nullptr;
    UINT length = 0;
    if (!::VerQueryValueA(block.data(), "\\StringFileInfo\\040904b0\\ProductVersion",
                          reinterpret_cast<void**>(&text), &length) ||
        length == 0)
        return {};
    return std::string(text, strnlen(text, length));
}

TEST_F(InstallTest, SilentRoundTripLeavesFilesAndFileTypesAsBeforeButKeepsTheSettings) {
    // A type another program owns before the player comes: the uninstaller has to hand it back.
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, "TmOtherPlayer.mpa", "", "Another player's audio"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".mpa", "", "TmOtherPlayer.mpa"));
    auto filesBefore = FilesPicture();
    auto registryBefore = RegistryPicture();

    ASSERT_EQ(SilentInstall(), 0u);
    std::string folder = Installed(kDefaultInstallDir);
    for (const char* name : {"tesmaro_player.exe", "Vistrane.exe", "assoc_restore.exe", "help.chm", "uninstall.exe",
                             "LICENSE.txt", "NOTICE.txt", "skin\\skin1.ini",
                             "skin\\small.ini", "skin\\skin1_mask.bmp"})
        EXPECT_TRUE(Exists(folder + name)) << name;
    for (const char* link : {"Tesmaro Player.lnk", "Tesmaro Player Help.lnk", "Uninstall Tesmaro Player.lnk",
                             "Give file types back.lnk"})
        EXPECT_TRUE(Exists(std::string(kStartMenuDir) + link)) << link;
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "DisplayName"), "Tesmaro Player");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "DisplayVersion"), TESMARO_VERSION);
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "Publisher"), "Zentafor Studio");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "DisplayIcon"),
              folder + "tesmaro_player.exe,0");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "UninstallString"),
              "\"" + folder + "uninstall.exe\"");
    // One version everywhere: the installer, every program it installs, the list of programs.
    for (const std::string& program : {InstallerPath(), folder + "tesmaro_player.exe", folder + "Vistrane.exe",
                                       folder + "assoc_restore.exe"})
        EXPECT_EQ(ProductVersion(program), TESMARO_VERSION ".0") << program;
    auto size = ReadRegDword(HKEY_LOCAL_MACHINE, kProductUninstallKey, "EstimatedSize");
    ASSERT_TRUE(size.has_value());
    EXPECT_GT(*size, 500u);  // kilobytes: the program, its skins and the help

    // The player as installed: it starts from its folder with its skin, and its Help command
    // starts the viewer on the installed help file at the introduction, from a folder with blanks.
    {
        Player player = StartInstalledPlayer(folder);
        ASSERT_TRUE(player.window);
        ASSERT_TRUE(PostCommand(player.window, kHelpCommand));
        HWND help = WaitForWindow(kHelpClass, kHelpTitle, 0, 20000);
        ASSERT_TRUE(help) << "no help window";
        std::string line = ProcessCommandLine(ProcessOf(help));
        EXPECT_NE(line.find(folder + "help.chm::/Introduction.htm"), std::string::npos) << line;
        std::string dir = ExeDirectory() + "screens\\";
        ::CreateDirectoryA(dir.c_str(), nullptr);
        // Painted before the picture is taken.
        ::RedrawWindow(help, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Send(help, WM_NULL, 0, 0, 10000);
        ScreenshotWindow(help, dir + "help.png");
        CloseHelpWindows();
        EXPECT_TRUE(player.boxes->Seen().empty());
        ASSERT_TRUE(player.Close());
    }
    EXPECT_EQ(StoredString("mCurrentSkin"), folder + "skin\\skin1.ini");

    // The types as the association dialog's OK leaves them: ".mpa" taken from its owner, ".m2v"
    // made new. (A player whose first start takes the default set has done the same already.)
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".mpa", "Backup type", "TmOtherPlayer.mpa"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".mpa", "", "Tesmaro Player"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".m2v", "", "Tesmaro Player"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, ".m2v", "Content Type", "Video file"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, "Tesmaro Player", "", "Tesmaro Player video"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, "Tesmaro Player\\DefaultIcon", "", folder + "tesmaro_player.exe,0"));
    ASSERT_TRUE(WriteRegString(HKEY_CLASSES_ROOT, "Tesmaro Player\\shell\\open\\command", "",
                               "\"" + folder + "tesmaro_player.exe\" \"%1\""));

    // The restore tool run as its Start-menu entry runs it, in the program folder: its own
    // identifier opens files with the Vistrane.exe there, which is the installed player's.
    char here[MAX_PATH] = {};
    ::GetCurrentDirectoryA(MAX_PATH, here);
    ASSERT_TRUE(::SetCurrentDirectoryA(folder.c_str()));
    EXPECT_EQ(RunToEnd(folder + "assoc_restore.exe", ""), 0u);
    ::SetCurrentDirectoryA(here);
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, "Vistrane+\\shell\\open\\command", ""),
              "\"" + folder + "Vistrane.exe\" \"%1\"");
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, ".mpa", ""), "TmOtherPlayer.mpa");

    ASSERT_TRUE(SilentUninstall(folder));
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(Exists(kStartMenuDir));
    EXPECT_EQ(ReadRegString(HKEY_CLASSES_ROOT, ".mpa", ""), "TmOtherPlayer.mpa");
    EXPECT_EQ(Differences(filesBefore, FilesPicture()), "");
    EXPECT_EQ(Differences(registryBefore, RegistryPicture()), "");
    EXPECT_EQ(StoredString("mCurrentSkin"), folder + "skin\\skin1.ini") << "the settings were not kept";

    DeleteRegTree(HKEY_CLASSES_ROOT, ".mpa");
    DeleteRegTree(HKEY_CLASSES_ROOT, "TmOtherPlayer.mpa");
}

TEST_F(InstallTest, ChosenFolderHoldsTheProgramAndTheRestoreToolsLauncherOpensFilesInThePlayer) {
    std::string base = MakeTempDirectory("install");
    ASSERT_FALSE(base.empty());
    std::string folder = Installed(base + "My Programs\\Tesmaro Player\\");
    ASSERT_EQ(SilentInstall(folder), 0u);
    EXPECT_TRUE(Exists(folder + "tesmaro_player.exe"));
    EXPECT_FALSE(Exists(kDefaultInstallDir));
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "InstallLocation"),
              folder.substr(0, folder.size() - 1));

    // "Vistrane.exe" is what the restore tool's own file types open: it must bring the file to
    // the player beside it, in that player's one profile.
    Process launcher = Process::Start(folder + "Vistrane.exe", {Media("clip.mpg")}, folder);
    ASSERT_TRUE(launcher);
    HWND window = WaitForWindow(kMainClass, kMainTitle, 0, 20000);
    ASSERT_TRUE(window);
    EXPECT_NE(ProcessOf(window), launcher.Id());
    EXPECT_TRUE(launcher.WaitExit(5000));
    EXPECT_TRUE(WaitUntil([&] { return ChildWithText(window, "clip.mpg") != nullptr; }, 20000));
    MessageBoxGuard boxes(ProcessOf(window));
    DWORD pid = ProcessOf(window);
    Post(window, WM_CLOSE);
    fw::KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, pid));
    EXPECT_EQ(::WaitForSingleObject(process.Get(), 15000), WAIT_OBJECT_0);
    EXPECT_TRUE(StoredString("mCurrentSkin").has_value()) << "the player wrote no settings of its own";

    ASSERT_TRUE(SilentUninstall(folder));
    EXPECT_FALSE(Exists(folder));
    ::RemoveDirectoryA((base + "My Programs").c_str());
    ::RemoveDirectoryA(base.c_str());
}

TEST_F(InstallTest, InstallOverAnInstallKeepsTheSettingsAndUninstallRemovesThemOnlyWhenAsked) {
    ASSERT_EQ(SilentInstall(), 0u);
    std::string folder = Installed(kDefaultInstallDir);
    ASSERT_TRUE(WriteRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, "SkipForward", 33));
    // An older help file, replaced by the upgrade.
    ASSERT_TRUE(WriteWholeFile(folder + "help.chm", "old"));

    ASSERT_EQ(SilentInstall(), 0u);
    EXPECT_NE(ReadWholeFile(folder + "help.chm"), "old");
    EXPECT_EQ(StoredInt("SkipForward"), 33u);
    {
        Player player = StartInstalledPlayer(folder);
        ASSERT_TRUE(player.window);
        ASSERT_TRUE(player.Close());
    }

    ASSERT_TRUE(SilentUninstall(folder, "/REMOVESETTINGS"));
    EXPECT_FALSE(Exists(folder));
    EXPECT_FALSE(StoredInt("SkipForward").has_value());
    EXPECT_FALSE(ReadRegString(HKEY_CURRENT_USER, kPlayerSetupKey, "mCurrentSkin").has_value());
}

TEST_F(InstallTest, InstallWhileThePlayerRunsWaitsForItAndNeverReplacesHalfTheProgram) {
    ASSERT_EQ(SilentInstall(), 0u);
    std::string folder = Installed(kDefaultInstallDir);
    ASSERT_TRUE(WriteWholeFile(folder + "help.chm", "old"));
    std::string program = ReadWholeFile(folder + "tesmaro_player.exe");

    Player player = StartInstalledPlayer(folder);
    ASSERT_TRUE(player.window);
    // A player that stays: the silent installer gives up and leaves the installation whole.
    EXPECT_EQ(SilentInstall(), kExitPlayerRunning);
    EXPECT_EQ(ReadWholeFile(folder + "help.chm"), "old");
    EXPECT_EQ(ReadWholeFile(folder + "tesmaro_player.exe"), program);
    EXPECT_TRUE(player.process.Running());

    // A player closed while the installer waits: the installer goes on.
    RawProcess installer = RawProcess::Start(InstallerPath(), "/S");
    ASSERT_TRUE(installer.handle);
    // It looks for the player twice a second and gives up after ten: one that did not wait
    // would have ended, or replaced a file, within the first second and a half.
    EXPECT_FALSE(WaitUntil([&] { return ::WaitForSingleObject(installer.handle.Get(), 0) == WAIT_OBJECT_0; }, 1500))
        << "the installer did not wait for the player";
    EXPECT_EQ(ReadWholeFile(folder + "help.chm"), "old");
    ASSERT_TRUE(player.Close());
    EXPECT_EQ(installer.Wait(60000), 0u);
    EXPECT_NE(ReadWholeFile(folder + "help.chm"), "old");

    // The uninstaller also waits for a running player rather than pulling files from under it
    // (run in place, as an administrator's script does to learn its result).
    Player again = StartInstalledPlayer(folder);
    ASSERT_TRUE(again.window);
    EXPECT_EQ(RunToEnd(folder + "uninstall.exe", "/S _?=" + folder.substr(0, folder.size() - 1)),
              kExitPlayerRunning);
    EXPECT_TRUE(Exists(folder + "tesmaro_player.exe"));
    EXPECT_TRUE(Exists(folder + "help.chm"));
    EXPECT_TRUE(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "DisplayName").has_value());
    ASSERT_TRUE(again.Close());
}

TEST_F(InstallTest, UninstallAfterFilesWereDeletedByHandRemovesTheRestAndLeavesTheUsersOwnFiles) {
    ASSERT_EQ(SilentInstall(), 0u);
    std::string folder = Installed(kDefaultInstallDir);
    ASSERT_TRUE(::DeleteFileA((folder + "help.chm").c_str()));
    ASSERT_TRUE(::DeleteFileA((folder + "Vistrane.exe").c_str()));
    ASSERT_TRUE(::DeleteFileA((folder + "skin\\skin1.ini").c_str()));
    ASSERT_TRUE(::DeleteFileA((std::string(kStartMenuDir) + "Tesmaro Player Help.lnk").c_str()));
    // A skin of the user's own next to the shipped ones.
    ASSERT_TRUE(WriteWholeFile(folder + "skin\\mine.ini", "[BACKGROUND]\r\n"));

    ASSERT_TRUE(SilentUninstall(folder));
    EXPECT_TRUE(Exists(folder + "skin\\mine.ini"));
    EXPECT_FALSE(Exists(folder + "tesmaro_player.exe"));
    EXPECT_FALSE(Exists(folder + "skin\\skin1_main.bmp"));
    EXPECT_FALSE(Exists(folder + "uninstall.exe"));
    EXPECT_FALSE(Exists(kStartMenuDir));

    ASSERT_TRUE(::DeleteFileA((folder + "skin\\mine.ini").c_str()));
    ASSERT_TRUE(::RemoveDirectoryA((folder + "skin").c_str()));
    ASSERT_TRUE(::RemoveDirectoryA(folder.c_str()));
}

// A folder path of exactly length characters below base, made of 10-character parts.
std::string FolderOfLength(const std::string& base, size_t length) {
    std::string folder = base;
    while (folder.size() + 11 <= length) folder += "Folder 10\\";  // 10 characters each
    std::string last(length - folder.size(), 'x');
    return folder + last + "\\";
}

TEST_F(InstallTest, FolderOf200CharactersWorksAndALongerOneIsRefusedWithAReason) {
    std::string base = MakeTempDirectory("long");
    ASSERT_FALSE(base.empty());
    std::string longest = FolderOfLength(base, 200);
    ASSERT_EQ(longest.size(), 201u);  // with its trailing backslash
    std::string folder = Installed(longest);
    ASSERT_EQ(SilentInstall(folder), 0u);
    {
        Player player = StartInstalledPlayer(folder);
        ASSERT_TRUE(player.window);
        EXPECT_TRUE(player.boxes->Seen().empty()) << player.boxes->Seen().front().text;
        ASSERT_TRUE(player.Close());
    }
    EXPECT_EQ(StoredString("mCurrentSkin"), folder + "skin\\skin1.ini");
    ASSERT_TRUE(SilentUninstall(folder));
    EXPECT_FALSE(Exists(folder));

    std::string tooLong = FolderOfLength(base, 201);
    EXPECT_EQ(SilentInstall(tooLong), kExitFolderTooLong);
    EXPECT_FALSE(Exists(tooLong));
    EXPECT_FALSE(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "DisplayName").has_value());

    // A user who types such a folder is told why when pressing Next, and stays on the page.
    RawProcess installer = RawProcess::Start(InstallerPath(), "/D=" + tooLong.substr(0, tooLong.size() - 1));
    ASSERT_TRUE(installer.handle);
    MessageBoxGuard boxes(installer.id);
    HWND wizard = WaitForWindow("#32770", nullptr, installer.id, 20000);
    ASSERT_TRUE(wizard);
    // The wizard's window comes before the controls of its page. The licence page comes first
    // and asks for nothing: Next goes on to the folder.
    HWND next = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (next = FindChild(wizard, "Button", "&Next >")) != nullptr; }, 20000));
    Post(next, BM_CLICK);
    ASSERT_TRUE(WaitUntil([&] { return (next = FindChild(wizard, "Button", "&Install")) != nullptr; }, 20000));
    Post(next, BM_CLICK);
    auto box = boxes.WaitForBox(10000);
    ASSERT_TRUE(box.has_value());
    EXPECT_NE(box->text.find("201 characters long"), std::string::npos) << box->text;
    EXPECT_TRUE(IsShown(wizard));
    EXPECT_FALSE(Exists(tooLong));

    // Remove the empty parents of the long folders.
    for (std::string dir = longest; dir.size() > base.size(); dir = dir.substr(0, dir.find_last_of('\\', dir.size() - 2) + 1))
        ::RemoveDirectoryA(dir.c_str());
    ::RemoveDirectoryA(base.c_str());
}

}  // namespace
}  // namespace e2e
