// Waiting for what the player has done rather than for a time: its queue handled, its windows
// painted, its menus tracking, its child processes ended.
#pragma once

#include <windows.h>

#include <functional>

namespace e2e {

// Waits until the thread of the player's main window has handled every message posted to any
// of its windows before this call (the window answers the queue mark of framework/QueueMark.h).
// A handler that shows something modal is under way when this returns, with its window shown.
bool Flush(HWND mainWindow, DWORD timeoutMs = 10000);

// Watches condition for the whole time; false as soon as it fails once. For what must not
// happen, where the time itself is what is being checked: say why that time in the test.
bool HoldsFor(const std::function<bool()>& condition, DWORD ms, DWORD pollMs = 25);

// Waits until the window and its descendants have nothing left to paint.
bool WaitPainted(HWND hwnd, DWORD timeoutMs = 5000);

// Whether the thread of hwnd is tracking a menu (a popup menu takes the keyboard only then).
bool TracksMenu(HWND hwnd);

// The window of hwnd's thread that has the mouse captured (a scroll bar while its arrow is held,
// a button while it is pressed), or null.
HWND CaptureOf(HWND hwnd);

// Waits until process pid shows no message box; a box that came meanwhile has been seen by a
// MessageBoxGuard of the process before it went.
bool WaitNoMessageBox(DWORD pid, DWORD timeoutMs = 10000);

// How many processes started by parentPid with this program file name (no folder) run now.
int ChildProcesses(DWORD parentPid, const char* exeName);

}  // namespace e2e
