#include "Observe.h"

#include <tlhelp32.h>

#include "Driver.h"
#include "Handles.h"
#include "QueueMark.h"

namespace e2e {

bool Flush(HWND mainWindow, DWORD timeoutMs) {
    static WPARAM lastMark = 0;
    WPARAM mark = ++lastMark;
    if (!Post(mainWindow, fw::QueueMarkMessage(), mark)) return false;
    return WaitUntil(
        [&] { return Send(mainWindow, fw::QueueMarkMessage(), 0, 0, 1000).value_or(0) == static_cast<LRESULT>(mark); },
        timeoutMs);
}

bool HoldsFor(const std::function<bool()>& condition, DWORD ms, DWORD pollMs) {
    DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < ms) {
        if (!condition()) return false;
        Pause(pollMs);
    }
    return condition();
}

namespace {
bool NothingToPaint(HWND hwnd) {
    if (::GetUpdateRect(hwnd, nullptr, FALSE)) return false;
    for (HWND child : Children(hwnd)) {
        if (IsShown(child) && ::GetUpdateRect(child, nullptr, FALSE)) return false;
    }
    return true;
}
}  // namespace

bool WaitPainted(HWND hwnd, DWORD timeoutMs) {
    return WaitUntil([&] { return ::IsWindow(hwnd) && NothingToPaint(hwnd); }, timeoutMs);
}

bool TracksMenu(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = ::GetWindowThreadProcessId(hwnd, nullptr);
    return thread && ::GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE) != 0;
}

HWND CaptureOf(HWND hwnd) {
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    DWORD thread = ::GetWindowThreadProcessId(hwnd, nullptr);
    return thread && ::GetGUIThreadInfo(thread, &info) ? info.hwndCapture : nullptr;
}

bool WaitNoMessageBox(DWORD pid, DWORD timeoutMs) {
    return WaitUntil([&] { return !FindMessageBox(pid); }, timeoutMs);
}

int ChildProcesses(DWORD parentPid, const char* exeName) {
    fw::FileHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    for (BOOL more = ::Process32First(snapshot.Get(), &entry); more; more = ::Process32Next(snapshot.Get(), &entry)) {
        if (entry.th32ParentProcessID == parentPid && ::lstrcmpiA(entry.szExeFile, exeName) == 0) ++count;
    }
    return count;
}

}  // namespace e2e
