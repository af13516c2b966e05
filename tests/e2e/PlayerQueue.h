// Waiting for the player's window thread to catch up with what a test gave it, instead of
// sleeping for a time that a loaded machine may not keep.
#pragma once

#include <windows.h>

#include "Driver.h"
#include "Messages.h"

namespace e2e {

// How many disc poll ticks the main window has handled so far; -1 when it does not answer.
inline long PollTicks(HWND mainWindow) {
    static const UINT message = ::RegisterWindowMessageA(kDiscPollTicksMessage);
    return static_cast<long>(Send(mainWindow, message, 0, 0, 30000).value_or(-1));
}

// Waits until the main window has handled `count` more poll ticks from now. The first of them
// sees the drives as they are now; and since a timer message is only taken once nothing else is
// queued, every message posted to the window thread before it (commands, input, the navigator's
// events) has been handled by then.
inline bool WaitPolls(HWND mainWindow, int count = 1) {
    long from = PollTicks(mainWindow);
    if (from < 0) return false;
    DWORD bound = static_cast<DWORD>(count) * kDiscPollPeriodMs + 20000;
    return WaitUntil([&] { return PollTicks(mainWindow) >= from + count; }, bound, 50);
}

// Waits until the window thread has finished the message it is handling now: a sent message is
// only taken between two handled ones. Whatever that handler posted is then queued ahead of
// anything posted from here on.
inline bool WaitHandled(HWND mainWindow) {
    return Send(mainWindow, WM_NULL, 0, 0, 30000).has_value();
}

}  // namespace e2e
