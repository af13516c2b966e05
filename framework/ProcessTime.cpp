#include "ProcessTime.h"

namespace fw {

DWORD MillisecondsSince(const FILETIME& then) {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER from{{then.dwLowDateTime, then.dwHighDateTime}};
    ULARGE_INTEGER to{{now.dwLowDateTime, now.dwHighDateTime}};
    return to.QuadPart > from.QuadPart ? static_cast<DWORD>((to.QuadPart - from.QuadPart) / 10000) : 0;
}

DWORD MillisecondsRunning(HANDLE process) {
    FILETIME created, exited, kernel, user;
    if (!process || !::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return MillisecondsSince(created);
}

}  // namespace fw
