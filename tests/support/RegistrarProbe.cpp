// A stand-in for a decoder filter file. Tests copy it into the system directory under a decoder's
// name; when the system's registrar registers or unregisters it, it leaves a mark in the registry
// (a value named after the file under kMarksKey: present while registered) and a line in the log
// file that kProbeKey's "Log" names: the registrar process's creation time, the file's name and
// "register" or "unregister". Sorting the lines by time gives the order in which the processes
// were started.
#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr char kProbeKey[] = "Software\\TesmaroTest";
constexpr char kMarksKey[] = "Software\\TesmaroTest\\Decoders";

HMODULE module = nullptr;

const char* OwnName(char (&path)[MAX_PATH]) {
    ::GetModuleFileNameA(module, path, MAX_PATH);
    const char* slash = std::strrchr(path, '\\');
    return slash ? slash + 1 : path;
}

void AppendToLog(const char* name, const char* action) {
    char logPath[MAX_PATH] = {};
    DWORD size = sizeof(logPath);
    if (::RegGetValueA(HKEY_CURRENT_USER, kProbeKey, "Log", RRF_RT_REG_SZ, nullptr, logPath, &size) !=
        ERROR_SUCCESS)
        return;
    FILETIME created{}, exited{}, kernel{}, user{};
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    unsigned long long when =
        (static_cast<unsigned long long>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    char line[MAX_PATH + 64];
    int length = std::snprintf(line, sizeof(line), "%020llu %s %s\r\n", when, name, action);
    // Several registrars may run at once: each waits for the log in turn.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE log =
            ::CreateFileA(logPath, FILE_APPEND_DATA, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (log != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            ::WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr);
            ::CloseHandle(log);
            return;
        }
        ::Sleep(10);
    }
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*) {
    if (reason == DLL_PROCESS_ATTACH) module = instance;
    return TRUE;
}

extern "C" HRESULT WINAPI DllRegisterServer() {
    char path[MAX_PATH];
    const char* name = OwnName(path);
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kMarksKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return E_FAIL;
    DWORD one = 1;
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof(one));
    ::RegCloseKey(key);
    AppendToLog(name, "register");
    return S_OK;
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
    char path[MAX_PATH];
    const char* name = OwnName(path);
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kMarksKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
        ::RegDeleteValueA(key, name);
        ::RegCloseKey(key);
    }
    AppendToLog(name, "unregister");
    return S_OK;
}
