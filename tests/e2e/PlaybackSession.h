// Helpers of the playback end-to-end tests: the video window, the open dialog, the playlist.
#pragma once

#include <string>

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
    Pause(700);
    if (!::IsWindow(dialog)) return false;
    enter(names);
    return WaitUntil([&] { return !::IsWindow(dialog) || !IsShown(dialog); }, 10000);
}

// The video window's popup menu, opened by a right click on the picture; null if none came.
inline HWND OpenVideoMenu(const Player& player, HWND video) {
    Post(video, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
    return WaitForWindow("#32768", nullptr, player.process.Id(), 5000);
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
