#include "CallLog.h"

#include <cstdarg>
#include <cstdio>

#include "NavigatorFixture.h"

namespace dvdnav {

namespace {

// Calls come from the player's thread and from the navigator's own threads.
CRITICAL_SECTION* LogLock() {
    static CRITICAL_SECTION lock;
    static bool made = [] {
        ::InitializeCriticalSection(&lock);
        return true;
    }();
    (void)made;
    return &lock;
}

}  // namespace

std::string SharedDir() {
    char dir[MAX_PATH] = {};
    DWORD size = sizeof dir;
    if (::RegGetValueA(HKEY_CURRENT_USER, kSettingsKey, "Dir", RRF_RT_REG_SZ, nullptr, dir, &size) ==
            ERROR_SUCCESS &&
        dir[0])
        return dir;
    return kDefaultDir;
}

void Record(const char* format, ...) {
    char line[1024];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(line, sizeof line - 1, format, args);
    va_end(args);
    if (n < 0) return;
    size_t len = static_cast<size_t>(n) < sizeof line - 2 ? static_cast<size_t>(n) : sizeof line - 2;
    line[len++] = '\n';
    ::EnterCriticalSection(LogLock());
    std::string path = SharedDir() + "\\calls.log";
    HANDLE f =
        ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(f, line, static_cast<DWORD>(len), &written, nullptr);
        ::CloseHandle(f);
    }
    ::LeaveCriticalSection(LogLock());
}

std::string Utf8(const WCHAR* text) {
    if (!text) return "(null)";
    int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::wstring Wide(const std::string& utf8) {
    int n = ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    if (n <= 0) return {};
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
    out.resize(static_cast<size_t>(n - 1));
    return out;
}

std::string ReadText(const std::string& path) {
    std::string text;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return text;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        text.append(chunk, got);
    std::fclose(f);
    return text;
}

}  // namespace dvdnav
