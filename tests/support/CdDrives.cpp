#include "CdDrives.h"

#include <winioctl.h>
#include <ddk/mountmgr.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "Driver.h"
#include "Handles.h"

namespace disctest {

namespace {

// The request of Wine's mount manager for defining a drive (its own, larger than the one the
// cross compiler's headers know).
#pragma pack(push, 8)
struct WineUnixDrive {
    ULONG size;
    ULONG type;
    ULONG fsType;
    DWORD serial;
    ULONGLONG unixDevice;
    WCHAR letter;
    USHORT mountPointOffset;
    USHORT deviceOffset;
    USHORT labelOffset;
};
#pragma pack(pop)

constexpr char kWineDrivesKey[] = "Software\\Wine\\Drives";
// Marks the folder of a drive these tests made, so a run that was killed can be cleaned up after.
constexpr char kMarkerFile[] = ".tesmaro-test-drive";
constexpr char kLabelFile[] = ".windows-label";

bool LetterInUse(char letter) {
    return (::GetLogicalDrives() >> (letter - 'A')) & 1;
}

void ForgetDriveConfiguration(char letter) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kWineDrivesKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    char name[3] = {static_cast<char>(letter - 'A' + 'a'), ':', '\0'};
    ::RegDeleteValueA(key, name);
    ::RegCloseKey(key);
}

bool MakeFolders(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1)) {
        std::string part = path.substr(0, at);
        if (!::CreateDirectoryA(part.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    return true;
}

}  // namespace

std::string UnixPathOf(const std::string& windowsPath) {
    using ToUnix = char*(CDECL*)(LPCWSTR);
    auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* unixPath = toUnix(wide.c_str());
    if (!unixPath) return {};
    std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

bool DefineWineDrive(char letter, const std::string& unixPath, UINT driveType) {
    fw::FileHandle manager(::CreateFileW(MOUNTMGR_DOS_DEVICE_NAME, GENERIC_READ | GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                                         nullptr));
    if (!manager) return false;
    std::vector<char> request(sizeof(WineUnixDrive) + unixPath.size() + 1, '\0');
    auto* drive = reinterpret_cast<WineUnixDrive*>(request.data());
    drive->size = static_cast<ULONG>(request.size());
    drive->type = unixPath.empty() ? DRIVE_NO_ROOT_DIR : driveType;
    drive->letter = static_cast<WCHAR>(letter - 'A' + 'a');
    if (!unixPath.empty()) {
        drive->mountPointOffset = sizeof(WineUnixDrive);
        std::memcpy(request.data() + sizeof(WineUnixDrive), unixPath.c_str(), unixPath.size() + 1);
    }
    DWORD returned = 0;
    return ::DeviceIoControl(manager.Get(), IOCTL_MOUNTMGR_DEFINE_UNIX_DRIVE, request.data(),
                             static_cast<DWORD>(request.size()), nullptr, 0, &returned, nullptr) != 0;
}

void RemoveTree(const std::string& folder) {
    std::string base = folder;
    if (!base.empty() && base.back() != '\\') base += '\\';
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((base + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = base + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileA(path.c_str());
            }
        } while (::FindNextFileA(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryA(base.c_str());
}

void RemoveAllCdDrives() {
    for (char letter = 'D'; letter <= 'Y'; ++letter) {
        std::string marker = std::string(1, letter) + ":\\" + kMarkerFile;
        if (!LetterInUse(letter) || ::GetFileAttributesA(marker.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
        DefineWineDrive(letter, {}, DRIVE_NO_ROOT_DIR);
        ForgetDriveConfiguration(letter);
    }
}

CdDrive::CdDrive(char from, const std::string& label) {
    char letter = from;
    while (letter <= 'Y' && LetterInUse(letter))
        ++letter;
    if (letter > 'Y') return;
    mFolder = e2e::MakeTempDirectory(std::string("cd_") + letter);
    if (mFolder.empty()) return;
    fw::FileHandle(::CreateFileA((mFolder + kMarkerFile).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!label.empty()) {
        // Wine reads the label of a drive that is a plain folder from this file in its root.
        fw::FileHandle file(::CreateFileA((mFolder + kLabelFile).c_str(), GENERIC_WRITE, 0, nullptr,
                                          CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        DWORD written = 0;
        if (file) ::WriteFile(file.Get(), label.data(), static_cast<DWORD>(label.size()), &written, nullptr);
    }
    if (!DefineWineDrive(letter, UnixPathOf(mFolder), DRIVE_CDROM)) {
        RemoveTree(mFolder);
        return;
    }
    mLetter = letter;
}

CdDrive::~CdDrive() {
    if (mLetter) {
        DefineWineDrive(mLetter, {}, DRIVE_NO_ROOT_DIR);
        ForgetDriveConfiguration(mLetter);
    }
    if (!mFolder.empty()) RemoveTree(mFolder);
}

bool CdDrive::PutFile(const std::string& relative, const std::string& source) const {
    std::string target = mFolder + relative;
    return MakeFolders(target) && ::CopyFileA(source.c_str(), target.c_str(), FALSE);
}

bool CdDrive::PutTracks(const std::string& folder, const std::string& stem, const std::string& extension,
                        int count, const std::string& source) const {
    for (int n = 1; n <= count; ++n) {
        char name[64];
        std::snprintf(name, sizeof(name), "%s\\%s%02d.%s", folder.c_str(), stem.c_str(), n,
                      extension.c_str());
        if (!PutFile(name, source)) return false;
    }
    return true;
}

bool CdDrive::RemoveFile(const std::string& relative) const {
    return ::DeleteFileA((mFolder + relative).c_str()) != 0;
}

void CdDrive::Empty() const {
    WIN32_FIND_DATAA found{};
    HANDLE search = ::FindFirstFileA((mFolder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == ".." || name == kLabelFile || name == kMarkerFile) continue;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(mFolder + name);
        } else {
            ::DeleteFileA((mFolder + name).c_str());
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}

bool CdDrive::MarkFixed(bool fixed) const {
    return mLetter && DefineWineDrive(mLetter, UnixPathOf(mFolder), fixed ? DRIVE_FIXED : DRIVE_CDROM);
}

}  // namespace disctest
