// Holds the test session's virtual desktop open: desktop_holder READYFILE (a path without spaces)
//
// Wine starts the desktop's own process from the first program that needs a window and ends it
// once no program uses the desktop. Started from a test, that process inherits the test's output
// and outlives it whenever other tests keep the desktop busy, so the test runner waits for it until
// the whole run ends. Started here, from the session script with its output sent to a log, the
// desktop lives for the session and no test starts it. The session's end (wineserver -k) ends this.
#include <windows.h>

#include <cstdio>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR readyFile, int) {
    // One holder per Wine server: a second start only confirms that the desktop is held.
    HANDLE once = ::CreateMutexA(nullptr, FALSE, "TesmaroTestDesktopHolder");
    bool first = once && ::GetLastError() != ERROR_ALREADY_EXISTS;
    HWND window = first ? ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr)
                        : nullptr;
    ::GetDesktopWindow();
    if (*readyFile) {
        if (FILE* ready = std::fopen(readyFile, "w")) std::fclose(ready);
    }
    if (!window) return first ? 1 : 0;
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) ::DispatchMessageA(&msg);
    return 0;
}
