// Helpers of the playback end-to-end tests: the video window, the open dialog, the playlist.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

#include "Observe.h"
#include "PlayerSession.h"

namespace e2e {

inline constexpr char kVideoClass[] = "VCDEventWindow";

// The player's video window, shown or not; null when there is none.
inline HWND VideoWindowOf(const Player& player) {
    return FindTopWindow(kVideoClass, nullptr, player.process.Id());
}

inline HWND WaitForVideoWindow(const Player& player, DWORD timeoutMs = 15000) {
    return WaitForWindow(kVideoClass, nullptr, player.process.Id(), timeoutMs);
}

// Waits until the video window's caption is `title` (a new window may replace the old one).
inline HWND WaitForVideoTitle(const Player& player, const std::string& title, DWORD timeoutMs = 15000) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = FindTopWindow(kVideoClass, title.c_str(), player.process.Id());
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

// The position and the length that the status display shows, in whole seconds; -1 while it
// shows no time. The display follows the video window's position poll, once a second.
inline int ShownSeconds(HWND mainWindow, size_t at = 0) {
    std::string text = TimeText(mainWindow);
    if (text.size() < at + 8) return -1;
    auto number = [&](size_t i) { return (text[at + i] - '0') * 10 + (text[at + i + 1] - '0'); };
    return number(0) * 3600 + number(3) * 60 + number(6);
}
inline int ShownLength(HWND mainWindow) {
    return ShownSeconds(mainWindow, 13);
}

// The state word of the status display ("PLAY", "PAUSE", "STOP", "SCAN"), or empty.
inline std::string ShownState(HWND mainWindow) {
    for (const char* word : {"PLAY", "PAUSE", "STOP", "SCAN", "OPEN"}) {
        if (ChildWithText(mainWindow, word)) return word;
    }
    return {};
}

// Moves the pointer onto a skin control and waits until the control has seen it arrive: the
// hint line names it (hint null: the skin has no hint line), or the control has taken the mouse
// as it does when it lights up in an active window. A press given sooner may reach the control
// the pointer was over before, or the face of a skin whose controls are still being made.
inline bool PointAt(const Player& player, POINT at, const char* hint, DWORD timeoutMs = 5000) {
    int nudge = 0;
    return WaitUntil(
        [&] {
            MoveMouse(player.window, at.x + nudge, at.y);
            nudge = 1 - nudge;
            HWND control = ::ChildWindowFromPointEx(player.window, at, CWP_SKIPINVISIBLE);
            if (!control || control == player.window) return false;
            if (hint && ChildWithText(player.window, hint)) return true;  // the buttons carry no text
            return CaptureOf(player.window) == control;
        },
        timeoutMs, 100);
}

// The renderer's window inside the video window.
inline HWND RendererOf(HWND videoWindow) {
    return ::GetWindow(videoWindow, GW_CHILD);
}

// Chooses files in the player's open dialog: goes to `directory`, then picks `names` (one name,
// or several each in double quotes). False when the dialog did not come or did not close.
inline bool ChooseInOpenDialog(const Player& player, const std::string& directory, const std::string& names) {
    HWND dialog = WaitForWindow("#32770", "Open Media Files...", player.process.Id(), 10000);
    if (!dialog) return false;
    auto enter = [&](const std::string& text) {
        HWND box = ::GetDlgItem(dialog, 0x47c);  // the file name field
        if (!box) box = ::GetDlgItem(dialog, 0x480);
        Send(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        Post(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
             reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
    };
    enter(directory);
    // The names are typed once the dialog shows the folder.
    RemoteMemory folder(player.process.Id(), MAX_PATH);
    std::string wanted = directory;
    if (wanted.empty() || wanted.back() != '\\') wanted += '\\';
    auto inFolder = [&] {
        char shown[MAX_PATH] = {};
        if (Send(dialog, CDM_GETFOLDERPATH, MAX_PATH, folder.Address()).value_or(0) <= 0 ||
            !folder.Read(shown, MAX_PATH))
            return false;
        std::string path = shown;
        if (path.empty() || path.back() != '\\') path += '\\';
        return ::lstrcmpiA(path.c_str(), wanted.c_str()) == 0;
    };
    if (!WaitUntil([&] { return !::IsWindow(dialog) || inFolder(); }, 10000)) return false;
    if (!::IsWindow(dialog)) return false;
    enter(names);
    return WaitUntil([&] { return !::IsWindow(dialog) || !IsShown(dialog); }, 10000);
}

// The video window's popup menu, opened by a right click on the picture; null if none came.
inline HWND OpenVideoMenu(const Player& player, HWND video) {
    Post(video, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    return WaitForMenu(player.process.Id());
}

inline void CloseMenu(HWND menu) {
    Post(menu, WM_KEYDOWN, VK_ESCAPE, 1);
    WaitUntil([&] { return !IsShown(menu); }, 3000);
}

// Whether the text of the menu item in row `row` (0-based, separators are rows of their own of
// `separatorHeight`) is drawn in black, as enabled items are, rather than grayed.
inline bool MenuRowLooksEnabled(HWND menu, int itemsAbove, int separatorsAbove) {
    constexpr int kItemHeight = 17, kSeparatorHeight = 9, kBorder = 3;
    RECT r = WindowRect(menu);
    int top = r.top + kBorder + itemsAbove * kItemHeight + separatorsAbove * kSeparatorHeight;
    fw::WindowDc screen(nullptr);
    for (int y = top + 2; y < top + kItemHeight - 2; ++y) {
        for (int x = r.left + 18; x < r.left + 60; ++x) {
            if (::GetPixel(screen.Get(), x, y) == RGB(0, 0, 0)) return true;
        }
    }
    return false;
}

// Closes the player; a player that cannot close in time is ended.
inline void Finish(Player& player) {
    if (!player.Close(15000)) player.process.Kill();
}

}  // namespace e2e
