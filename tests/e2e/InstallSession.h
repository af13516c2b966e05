// Common ground of the installer's end-to-end tests: the built installer, running it and its
// uninstaller as a user or an administrator would, and pictures of the machine's files and
// registry to compare before and after.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <winternl.h>

#include <map>
#include <string>
#include <vector>

#include "Driver.h"

namespace e2e {

inline constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline constexpr char kProductUninstallKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tesmaro Player";
inline constexpr char kDefaultInstallDir[] = "C:\\Program Files\\Tesmaro Player\\";
inline constexpr char kStartMenuDir[] =
    "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tesmaro Player\\";
// Exit codes the installer gives an administrator's script.
inline constexpr DWORD kExitFolderTooLong = 3;
inline constexpr DWORD kExitPlayerRunning = 4;

// The installer the build made beside the program folder.
inline std::string InstallerPath() {
    std::string bin = ExeDirectory();
    std::string build = bin.substr(0, bin.find_last_of('\\', bin.size() - 2) + 1);
    return build + "TesmaroPlayer-" TESMARO_VERSION "-setup.exe";
}

// A program started with a command line as typed (the installer's /D= must stay unquoted);
// ended at the close of the test if it still runs.
struct RawProcess {
    fw::KernelHandle handle;
    DWORD id = 0;

    static RawProcess Start(const std::string& exe, const std::string& arguments) {
        std::string line = "\"" + exe + "\" " + arguments;
        STARTUPINFOA si{};
        si.cb = sizeof(si);
        PROCESS_INFORMATION pi{};
        RawProcess p;
        if (!::CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            return p;
        ::CloseHandle(pi.hThread);
        p.handle.Reset(pi.hProcess);
        p.id = pi.dwProcessId;
        return p;
    }
    ~RawProcess() {
        if (handle && ::WaitForSingleObject(handle.Get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(handle.Get(), 1);
            ::WaitForSingleObject(handle.Get(), 5000);
        }
    }
    RawProcess() = default;
    RawProcess(RawProcess&&) = default;
    RawProcess& operator=(RawProcess&&) = default;

    // The exit code, or ~0u when it has not ended within the time (it is then ended).
    DWORD Wait(DWORD timeoutMs) {
        if (!handle) return ~0u;
        if (::WaitForSingleObject(handle.Get(), timeoutMs) != WAIT_OBJECT_0) {
            ::TerminateProcess(handle.Get(), 1);
            return ~0u;
        }
        DWORD code = ~0u;
        ::GetExitCodeProcess(handle.Get(), &code);
        return code;
    }
};

// Runs a program to its end and gives its exit code (~0u when it could not start or hung).
inline DWORD RunToEnd(const std::string& exe, const std::string& arguments, DWORD timeoutMs = 60000) {
    return RawProcess::Start(exe, arguments).Wait(timeoutMs);
}

inline DWORD SilentInstall(const std::string& folder = {}) {
    std::string args = "/S";
    if (!folder.empty()) {
        // The installer takes the folder without its trailing backslash, unquoted and last.
        args += " /D=" + (folder.back() == '\\' ? folder.substr(0, folder.size() - 1) : folder);
    }
    return RunToEnd(InstallerPath(), args);
}

inline bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The uninstaller copies itself away to be able to remove its folder, and returns at once: the
// uninstall is over when its entry in the list of programs has gone.
inline bool SilentUninstall(const std::string& folder, const std::string& options = {}) {
    DWORD code = RunToEnd(folder + "uninstall.exe", "/S" + (options.empty() ? "" : " " + options));
    if (code != 0) return false;
    return WaitUntil(
        [] {
            HKEY key = nullptr;
            if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kProductUninstallKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
                return true;
            ::RegCloseKey(key);
            return false;
        },
        60000, 100);
}

inline std::string ReadWholeFile(const std::string& path) {
    std::string text;
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[65536];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &got, nullptr) && got > 0) text.append(buffer, got);
    ::CloseHandle(file);
    return text;
}

inline bool WriteWholeFile(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    bool ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) && put == text.size();
    ::CloseHandle(file);
    return ok;
}

// ---- Pictures of the machine ------------------------------------------------------------------

// Every file and folder below root with its size, by full path.
inline void ListFiles(const std::string& root, const std::vector<std::string>& skip,
                      std::map<std::string, ULONGLONG>& out) {
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((root + "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = root + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            path += "\\";
            bool skipped = false;
            for (const std::string& s : skip) skipped = skipped || _stricmp(path.c_str(), s.c_str()) == 0;
            if (skipped) continue;
            out[path] = 0;
            ListFiles(path, skip, out);
        } else {
            out[path] = (static_cast<ULONGLONG>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        }
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
}

// The places an installation may write to: the program folders, the shared Start menu and
// desktop, and the user's folders, less the temporary folder where programs (the uninstaller
// too) leave copies, and less the user's documents, desktop and templates, which are the Unix
// home under Wine.
inline std::map<std::string, ULONGLONG> FilesPicture() {
    std::vector<std::string> skip;
    char path[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, path);
    skip.push_back(path);
    for (int folder : {CSIDL_PERSONAL, CSIDL_DESKTOPDIRECTORY, CSIDL_MYMUSIC, CSIDL_MYPICTURES, CSIDL_MYVIDEO,
                       CSIDL_TEMPLATES}) {
        if (::SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path) == S_OK)
            skip.push_back(std::string(path) + "\\");
    }
    char profile[MAX_PATH] = {};
    ::GetEnvironmentVariableA("USERPROFILE", profile, MAX_PATH);
    // Downloads has no old-style folder number; it is the home too.
    skip.push_back(std::string(profile) + "\\Downloads\\");
    std::map<std::string, ULONGLONG> files;
    for (const char* root : {"C:\\Program Files\\", "C:\\ProgramData\\", "C:\\users\\"})
        ListFiles(root, skip, files);
    return files;
}

// Every key and value below path, as "key|value" -> "type:data".
inline void ListRegistry(HKEY root, const std::string& path, std::map<std::string, std::string>& out) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    out[path + "\\"] = "key";
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameSize = sizeof(name);
        BYTE data[8192];
        DWORD dataSize = sizeof(data);
        DWORD type = 0;
        LONG r = ::RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize);
        if (r == ERROR_NO_MORE_ITEMS) break;
        std::string text = r == ERROR_SUCCESS ? std::string(reinterpret_cast<char*>(data), dataSize) : "(large)";
        out[path + "|" + std::string(name, nameSize)] = std::to_string(type) + ":" + text;
    }
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameSize = sizeof(name);
        if (::RegEnumKeyExA(key, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.emplace_back(name, nameSize);
    }
    ::RegCloseKey(key);
    for (const std::string& sub : subkeys) ListRegistry(root, path.empty() ? sub : path + "\\" + sub, out);
}

// The file types and program identifiers, and every program's entry in the list of programs.
inline std::map<std::string, std::string> RegistryPicture() {
    std::map<std::string, std::string> reg;
    std::map<std::string, std::string> part;
    ListRegistry(HKEY_CLASSES_ROOT, "", part);
    for (auto& [k, v] : part) reg["HKCR\\" + k] = v;
    part.clear();
    ListRegistry(HKEY_LOCAL_MACHINE, kUninstallKey, part);
    for (auto& [k, v] : part) reg["HKLM\\" + k] = v;
    part.clear();
    ListRegistry(HKEY_CURRENT_USER, kUninstallKey, part);
    for (auto& [k, v] : part) reg["HKCU\\" + k] = v;
    return reg;
}

// What differs between two pictures, one line per entry, for a readable failure.
template <typename V>
std::string Differences(const std::map<std::string, V>& before, const std::map<std::string, V>& after) {
    std::string out;
    for (const auto& [k, v] : before) {
        auto it = after.find(k);
        if (it == after.end()) out += "  gone:    " + k + "\n";
        else if (!(it->second == v)) out += "  changed: " + k + "\n";
    }
    for (const auto& [k, v] : after)
        if (!before.count(k)) out += "  new:     " + k + "\n";
    return out;
}

// ---- Other processes ------------------------------------------------------------------------

// The command line another process was started with, read from its own process parameters.
inline std::string ProcessCommandLine(DWORD pid) {
    fw::KernelHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid));
    if (!process) return {};
    using QueryFn = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    if (!query) return {};
    PROCESS_BASIC_INFORMATION basic{};
    if (query(process.Get(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) return {};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS params{};
    if (!::ReadProcessMemory(process.Get(), basic.PebBaseAddress, &peb, sizeof(peb), nullptr) ||
        !::ReadProcessMemory(process.Get(), peb.ProcessParameters, &params, sizeof(params), nullptr))
        return {};
    std::wstring line(params.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!::ReadProcessMemory(process.Get(), params.CommandLine.Buffer, line.data(), params.CommandLine.Length,
                             nullptr))
        return {};
    int size = ::WideCharToMultiByte(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr,
                                     nullptr);
    std::string narrow(size, '\0');
    ::WideCharToMultiByte(CP_ACP, 0, line.c_str(), static_cast<int>(line.size()), narrow.data(), size, nullptr,
                          nullptr);
    return narrow;
}

inline void EndProcess(DWORD pid) {
    fw::KernelHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
    if (!process) return;
    ::TerminateProcess(process.Get(), 1);
    ::WaitForSingleObject(process.Get(), 5000);
}

}  // namespace e2e
