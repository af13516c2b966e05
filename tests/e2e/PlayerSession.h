// Common ground of the end-to-end tests: a fresh profile, a started player and its main window.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Commands.h"
#include "Driver.h"

namespace e2e {

inline constexpr char kMainClass[] = "#32770";
inline constexpr char kMainTitle[] = "TesmaroPlayer";

// A file of the generated test media.
inline std::string Media(const char* name) {
    return MediaDirectory() + name;
}

// The child window (a skinned text field, a button) showing exactly this text.
inline HWND ChildWithText(HWND parent, const std::string& text) {
    return FindChild(parent, nullptr, text.c_str());
}

// The skin's time field: "hh:mm:ss     hh:mm:ss".
inline std::string TimeText(HWND parent) {
    for (HWND child : Children(parent)) {
        std::string text = WindowText(child);
        if (text.size() == 21 && text.substr(8, 5) == "     ") return text;
    }
    return {};
}

// A running player: started with arguments, its main window found, its message boxes recorded
// and dismissed; killed at the end if a test left it running.
struct Player {
    Process process;
    HWND window = nullptr;
    std::unique_ptr<MessageBoxGuard> boxes;
    DWORD shownAt = 0;    // tick count when Start saw the window shown
    DWORD startupMs = 0;  // how long the process had run by then

    // cwd empty: the test's own directory.
    static Player Start(const std::vector<std::string>& args = {}, DWORD timeoutMs = 20000,
                        const std::string& cwd = {}) {
        Player p;
        p.process = Process::Start(PlayerPath(), args, cwd);
        if (!p.process) return p;
        p.boxes = std::make_unique<MessageBoxGuard>(p.process.Id());
        p.window = WaitForWindow(kMainClass, kMainTitle, p.process.Id(), timeoutMs);
        if (p.window) WaitUntil([&] { return IsShown(p.window); }, timeoutMs);
        p.shownAt = ::GetTickCount();
        p.startupMs = p.process.MillisecondsRunning();
        return p;
    }

    // A start made within about as long as a player's own start took (and a second more) after
    // its window shows joins that player's file: waits that out, so that the next start is a new
    // request (the rule is one of time, so time is the condition).
    void WaitOutOwnStartBurst() const {
        DWORD burst = 1000 + startupMs;
        WaitUntil([&] { return ::GetTickCount() - shownAt > burst; }, burst + 100);
    }

    // Closes the player as a user would and waits for the process to end.
    bool Close(DWORD timeoutMs = 15000) {
        Post(window, WM_CLOSE);
        return process.WaitExit(timeoutMs);
    }
};

// Each test starts from an empty profile: the defaults of a fresh user account.
class PlayerTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegTree(HKEY_CURRENT_USER, kPlayerKey); }
    static std::optional<DWORD> StoredInt(const char* name) {
        return ReadRegDword(HKEY_CURRENT_USER, kPlayerSetupKey, name);
    }
    static std::optional<std::string> StoredString(const char* name) {
        return ReadRegString(HKEY_CURRENT_USER, kPlayerSetupKey, name);
    }
};

}  // namespace e2e
