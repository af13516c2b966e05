// The fixture of the installer's end-to-end tests: a machine that never had the player, and
// every installation a test makes uninstalled at its end.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "InstallSession.h"
#include "PlayerSession.h"

namespace e2e {

inline constexpr char kHelpClass[] = "HH Parent";

// A running player started from an installed folder, as the Start-menu shortcut starts it.
inline Player StartInstalledPlayer(const std::string& folder, const std::vector<std::string>& args = {}) {
    Player p;
    p.process = Process::Start(folder + "tesmaro_player.exe", args, folder);
    if (!p.process) return p;
    p.boxes = std::make_unique<MessageBoxGuard>(p.process.Id());
    p.window = WaitForWindow(kMainClass, kMainTitle, p.process.Id(), 20000);
    if (p.window) WaitUntil([&] { return IsShown(p.window); }, 20000);
    return p;
}

inline void CloseHelpWindows() {
    while (HWND help = FindTopWindow(kHelpClass, nullptr)) {
        DWORD pid = ProcessOf(help);
        Post(help, WM_CLOSE);
        if (!WaitUntil([&] { return !::IsWindow(help); }, 5000)) EndProcess(pid);
    }
}

// Earlier tests in this prefix started the player from the build folder, whose first start took
// the media types for it. An install begins from a machine that never had the player: those
// types are taken off again before the "before" picture is made.
inline void ForgetEarlierPlayerTypes() {
    // The build's own restore tool gives back every type an earlier player took (by its first
    // start or a test of the association dialog), to the owner it had or to nothing, exactly as
    // the uninstaller will: whatever stays is not the player's, so the uninstaller leaves it.
    RunToEnd(ExeDirectory() + "assoc_restore.exe", "");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "Tesmaro Player");
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, "Vistrane+");
}

class InstallTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        ASSERT_TRUE(Exists(InstallerPath())) << InstallerPath();
        ASSERT_FALSE(Exists(kDefaultInstallDir)) << "an earlier run left an installation";
        ForgetEarlierPlayerTypes();
    }
    void TearDown() override {
        CloseHelpWindows();
        // An uninstaller that takes no entry away ends when its copy has removed itself.
        for (const std::string& folder : mFolders) {
            if (!Exists(folder + "uninstall.exe")) continue;
            SilentUninstall(folder);
            WaitUntil([&] { return !Exists(folder + "uninstall.exe"); }, 60000, 100);
        }
    }
    // Uninstalled at the end of the test should the test stop early.
    std::string Installed(const std::string& folder) {
        mFolders.push_back(folder);
        return folder;
    }

private:
    std::vector<std::string> mFolders;
};

}  // namespace e2e
