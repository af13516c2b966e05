#include "Profile.h"

#include <shlobj.h>

#include "Registry.h"

namespace fw {

namespace {
// Profile texts hold paths and short numbers; anything longer than this is not ours.
constexpr size_t kProfileTextBytes = 32768;
}  // namespace

void Profile::SetLocation(HKEY root, std::string company, std::string appName) {
    mRoot = root;
    mCompany = std::move(company);
    mAppName = std::move(appName);
}

std::string Profile::SectionPath(const char* section) const {
    return "software\\" + mCompany + "\\" + mAppName + "\\" + section;
}

std::string Profile::DataFolder() const {
    if (!IsSet()) return {};
    char base[MAX_PATH] = {};
    if (FAILED(::SHGetFolderPathA(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, base))) return {};
    std::string folder = base;
    for (const std::string* part : {&mCompany, &mAppName}) {
        folder += "\\" + *part;
        if (!::CreateDirectoryA(folder.c_str(), nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS) return {};
    }
    return folder + "\\";
}

// The keys on the path are created on first use, reads included.
RegKey Profile::OpenSection(const char* section) const {
    if (!IsSet()) return RegKey();
    return RegCreate(mRoot, SectionPath(section).c_str(), KEY_READ | KEY_WRITE);
}

int Profile::GetInt(const char* section, const char* key, int def) const {
    RegKey k = OpenSection(section);
    DWORD value = 0;
    return k && RegReadDword(k.Get(), key, value) ? static_cast<int>(value) : def;
}

std::string Profile::GetString(const char* section, const char* key, const char* def) const {
    RegKey k = OpenSection(section);
    std::string text;
    if (!k || !RegReadString(k.Get(), key, text, kProfileTextBytes, TextTypes::PlainOrExpand)) return def;
    return text;
}

bool Profile::WriteInt(const char* section, const char* key, int value) const {
    RegKey k = OpenSection(section);
    return k && RegWriteDword(k.Get(), key, static_cast<DWORD>(value));
}

bool Profile::WriteString(const char* section, const char* key, const std::string& value) const {
    RegKey k = OpenSection(section);
    return k && RegWriteString(k.Get(), key, value);
}

}  // namespace fw
