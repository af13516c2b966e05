#include "DiscDrives.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "FileSystem.h"

namespace disc {

namespace {

constexpr DWORD kDriveListChars = 256;  // 26 roots of four characters and the final null fit
constexpr DWORD kLabelChars = MAX_PATH;

bool SendMci(const char* command) {
    return ::mciSendStringA(command, nullptr, 0, nullptr) == 0;
}

}  // namespace

void DiscDrives::ScanDrives() {
    std::vector<char> list(kDriveListChars + 1, '\0');
    DWORD length = ::GetLogicalDriveStringsA(kDriveListChars, list.data());
    if (length > kDriveListChars) {
        // A list longer than ever expected: ask again with room for all of it.
        list.assign(length + 1, '\0');
        length = ::GetLogicalDriveStringsA(length, list.data());
        if (length >= list.size()) length = 0;
    }
    std::memset(mDriveRoots, 0, sizeof(mDriveRoots));
    mDriveCount = 0;
    list.resize(length + 1);  // the list ends with an empty string, even a list cut short
    list.push_back('\0');
    for (const char* root = list.data(); *root && mDriveCount < kMaxDrives; root += std::strlen(root) + 1) {
        // A root that does not fit the table could only be stored cut, naming another place.
        if (std::strlen(root) >= kRootChars) continue;
        if (::GetDriveTypeA(root) != DRIVE_CDROM) continue;
        std::strcpy(mDriveRoots[mDriveCount++], root);
    }
}

std::string GoneDiscRoot(const char* path) {
    return GoneDiscRoot(
        path, [](const char* root) { return ::GetDriveTypeA(root) == DRIVE_CDROM; }, fw::FileExists);
}

PollDecision DiscDrives::PollOnce() {
    ScanDrives();
    return PollDrives(mDriveRoots, mDriveCount, fw::FileExists, mDvdArmed, mVcdArmed);
}

bool DiscDrives::ReadVolumeLabel(int index, std::string& label) const {
    if (index < 0 || index >= mDriveCount) return false;
    char text[kLabelChars] = {};
    fw::QuietErrorMode quiet;
    if (!::GetVolumeInformationA(mDriveRoots[index], text, kLabelChars, nullptr, nullptr, nullptr, nullptr,
                                 0))
        return false;
    text[kLabelChars - 1] = '\0';
    label = text;
    return true;
}

std::string DiscDrives::OpenItemText(int index) const {
    std::string label;
    bool known = ReadVolumeLabel(index, label);
    return disc::OpenItemText(mDriveRoots[index], known ? label.c_str() : nullptr);
}

std::string DiscDrives::EjectItemText(int index) const {
    std::string label;
    bool known = ReadVolumeLabel(index, label);
    return disc::EjectItemText(mDriveRoots[index], known ? label.c_str() : nullptr);
}

TraySession::TraySession(const char* root) {
    char command[64] = {};
    std::snprintf(command, sizeof(command), "open cdaudio!%s alias driveCDROM", root);
    SendMci(command);  // a failed open shows in the door commands, which then fail too
}

TraySession::~TraySession() {
    SendMci("close driveCDROM");
}

bool TraySession::OpenDoor() {
    return SendMci("set driveCDROM door open wait");
}

bool TraySession::CloseDoor() {
    return SendMci("set driveCDROM door closed wait");
}

}  // namespace disc
