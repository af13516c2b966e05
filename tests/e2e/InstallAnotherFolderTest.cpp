// A second installation in another folder: one installation stays, and an uninstaller left in a
// folder that is not the installation's takes nothing of it.
#include <gtest/gtest.h>

#include <string>

#include "InstallFixture.h"

namespace e2e {
namespace {

constexpr char kOtherPlace[] = "C:\\Other Place\\";
constexpr char kOtherFolder[] = "C:\\Other Place\\TP\\";
constexpr char kCommandKey[] = "Tesmaro Player\\shell\\open\\command";

std::string OpenCommandOf(const std::string& folder) {
    return "\"" + folder + "tesmaro_player.exe\" \"%1\"";
}

// The next start of the player is a first start again, which takes the default set of types.
void ForgetFirstStart() {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kPlayerSetupKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueA(key, "bFirst");
    ::RegCloseKey(key);
}

// Starts the installed player once and waits for its first start to point the types at it.
void StartOnce(const std::string& folder) {
    Player player = StartInstalledPlayer(folder);
    ASSERT_TRUE(player.window);
    EXPECT_TRUE(WaitUntil(
        [&] { return ReadRegString(HKEY_CLASSES_ROOT, kCommandKey, "") == OpenCommandOf(folder); }, 20000));
    ASSERT_TRUE(player.Close());
}

// Every file and folder below from, copied below to (made first).
bool CopyTree(const std::string& from, const std::string& to) {
    if (!::CreateDirectoryA(to.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((from + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool ok = true;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            ok = CopyTree(from + name + "\\", to + name + "\\") && ok;
        else
            ok = ::CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE) && ok;
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return ok;
}

TEST_F(InstallTest, InstallingInAnotherFolderReplacesTheFirstInstallationAndAForeignUninstallerTakesNothing) {
    auto filesBefore = FilesPicture();
    auto registryBefore = RegistryPicture();
    ASSERT_EQ(SilentInstall(), 0u);
    std::string first = Installed(kDefaultInstallDir);
    StartOnce(first);

    ASSERT_EQ(SilentInstall(kOtherFolder), 0u);
    std::string second = Installed(kOtherFolder);
    for (const char* name : {"tesmaro_player.exe", "Vistrane.exe", "assoc_restore.exe", "help.chm",
                             "uninstall.exe", "skin\\skin1.ini"})
        EXPECT_TRUE(Exists(second + name)) << name;
    // The first installation is gone with its uninstaller, its file types with it; its settings
    // stay for the new one.
    EXPECT_FALSE(Exists(first)) << "the first installation stayed";
    EXPECT_NE(ReadRegString(HKEY_CLASSES_ROOT, kCommandKey, ""), OpenCommandOf(first));
    EXPECT_EQ(StoredString("mCurrentSkin"), first + "skin\\skin1.ini");
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "InstallLocation"),
              second.substr(0, second.size() - 1));
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kProductUninstallKey, "UninstallString"),
              "\"" + second + "uninstall.exe\"");
    for (const char* link : {"Tesmaro Player.lnk", "Uninstall Tesmaro Player.lnk"}) {
        std::string shortcut = ReadWholeFile(std::string(kStartMenuDir) + link);
        EXPECT_NE(shortcut.find(second), std::string::npos) << link;
        EXPECT_EQ(shortcut.find(first), std::string::npos) << link;
    }

    // The second installation takes the types; then an uninstaller that is not the installed
    // one's (a copy of the installation elsewhere) runs: it removes its own folder's files only.
    ForgetFirstStart();
    StartOnce(second);
    auto registered = RegistryPicture();
    std::string copy = std::string(kOtherPlace) + "Copy\\";
    ASSERT_TRUE(CopyTree(second, copy));
    EXPECT_EQ(RunToEnd(copy + "uninstall.exe", "/S _?=" + copy.substr(0, copy.size() - 1)), 0u);
    EXPECT_FALSE(Exists(copy + "tesmaro_player.exe"));
    ::DeleteFileA((copy + "uninstall.exe").c_str());
    ::RemoveDirectoryA(copy.c_str());
    EXPECT_EQ(Differences(registered, RegistryPicture()), "");
    for (const char* link : {"Tesmaro Player.lnk", "Tesmaro Player Help.lnk", "Uninstall Tesmaro Player.lnk"})
        EXPECT_TRUE(Exists(std::string(kStartMenuDir) + link)) << link;

    ASSERT_TRUE(SilentUninstall(second));
    EXPECT_FALSE(Exists(second));
    ::RemoveDirectoryA(kOtherPlace);
    EXPECT_EQ(Differences(registryBefore, RegistryPicture()), "");
    EXPECT_EQ(Differences(filesBefore, FilesPicture()), "");
}

}  // namespace
}  // namespace e2e
