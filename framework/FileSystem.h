// Small file-system questions that several parts of the player ask.
#pragma once

#include <windows.h>

namespace fw {

// Sets the process error mode so that a missing disc or an unreadable drive raises no system
// message box, and puts the previous mode back when the scope ends.
class QuietErrorMode {
public:
    QuietErrorMode() : mPrevious(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}
    ~QuietErrorMode() { ::SetErrorMode(mPrevious); }
    QuietErrorMode(const QuietErrorMode&) = delete;
    QuietErrorMode& operator=(const QuietErrorMode&) = delete;

private:
    UINT mPrevious;
};

// True when the file opens for reading; no critical-error box is shown for a missing disc.
// Folders do not count as files.
bool FileExists(const char* path);

}  // namespace fw
