// How long ago a process started or ended.
#pragma once

#include <windows.h>

namespace fw {

// Milliseconds from a wall-clock time (a process's creation or exit time) until now; 0 for a
// time not yet come.
DWORD MillisecondsSince(const FILETIME& then);
// Milliseconds since the process was created; 0 when the platform cannot tell.
DWORD MillisecondsRunning(HANDLE process);

}  // namespace fw
