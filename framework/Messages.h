// Private window messages between the player's windows and processes.
#pragma once

#include <windows.h>

// A second instance hands its path to the first: lParam is a global atom holding it, or 0.
inline constexpr UINT WM_FORWARDFILE = WM_USER + 2;
// An engine has a new position: the main window refreshes its status display.
inline constexpr UINT WM_POSITIONUPDATE = WM_USER + 3;
// File graph events, to the file video window.
inline constexpr UINT WM_GRAPHNOTIFY = WM_USER + 13;
// DVD navigator events, to the DVD video window.
inline constexpr UINT WM_DVDEVENT = WM_USER + 100;
// wParam of a posted WM_LBUTTONUP / WM_RBUTTONUP whose lParam is a point in screen coordinates.
inline constexpr WPARAM MK_SCREENPOINT = 0x0404;

// Timers, by window. Identifiers need only differ within one window.

// The main window.
inline constexpr UINT_PTR kDiscPollTimer = 3;
// Fires as soon as the face and its controls are first painted: what the window does not need to
// be seen is done then.
inline constexpr UINT_PTR kFinishStartupTimer = 4;
inline constexpr UINT kDiscPollPeriodMs = 3000;
// The name of a registered message the main window answers with the number of disc poll timer
// ticks it has handled so far, polling or not, so that a test waits for the next poll instead of
// guessing when it comes. A tick's own posted work is done before the next tick: timer messages
// come only when nothing else is queued.
inline constexpr char kDiscPollTicksMessage[] = "TesmaroPlayer.DiscPollTicks";

// A video window: cursor hiding in full screen, the position poll, deferred full screen.
inline constexpr UINT_PTR kCursorTimer = 1;
inline constexpr UINT kCursorTimerMs = 50000;
inline constexpr UINT kRendererCursorTimerMs = 30000;  // the renderer's own full screen looks more often
inline constexpr DWORD kCursorIdleMs = 100000;  // the rest after which the cursor timer hides it
inline constexpr UINT_PTR kPositionTimer = 2;
inline constexpr UINT kPositionTimerMs = 1000;
inline constexpr UINT_PTR kFullScreenTimer = 4;
inline constexpr UINT kFullScreenTimerMs = 500;

// A skinned text field: scrolling a text longer than the field.
inline constexpr UINT_PTR kMarqueeTimer = 9;
inline constexpr UINT kMarqueePeriodMs = 500;
