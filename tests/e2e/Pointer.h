// Where the real pointer rests between tests.
#pragma once

#include <windows.h>

#include "Driver.h"

namespace e2e {

// Moves the pointer to the screen's top-left corner, where no window of the player comes up. A
// pointer left resting where a new player's window then appears is reported to that window by
// the display as a move of its own, which can arrive after a test's first real move and put the
// pointer back, so the test's click lands there (over the position slider, say) instead.
inline bool ParkPointer() {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;  // dx = dy = 0: the corner
    ::SendInput(1, &in, sizeof(in));
    return WaitUntil(
        [] {
            POINT p{};
            return ::GetCursorPos(&p) && p.x == 0 && p.y == 0;
        },
        5000);
}

}  // namespace e2e
