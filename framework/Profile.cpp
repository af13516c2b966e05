#include "Profile.h"

#include <vector>

namespace fw {

void Profile::SetLocation(HKEY root, std::string company, std::string appName) {
    mRoot = root;
    mCompany = std::move(company);
    mAppName = std::move(appName);
}

std::string Profile::SectionPath(const char* section) const {
    return "software\\" + mCompany + "\\" + mAppName + "\\" + section;
}

// The keys on the path are created on first use, reads included.
RegKey Profile::OpenSection(const char* section) const {
    RegKey key;
    if (!IsSet()) return key;
    std::string path = SectionPath(section);
    if (::RegCreateKeyExA(mRoot, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                          nullptr, key.Put(), nullptr) != ERROR_SUCCESS) {
        key.Reset();
    }
    return key;
}

int Profile::GetInt(const char* section, const char* key, int def) const {
    RegKey k = OpenSection(section);
    if (!k) return def;
    DWORD type = 0, value = 0, size = sizeof(value);
    if (::RegQueryValueExA(k.Get(), key, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(value)) {
        return def;
    }
    return static_cast<int>(value);
}

std::string Profile::GetString(const char* section, const char* key, const char* def) const {
    RegKey k = OpenSection(section);
    if (!k) return def;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(k.Get(), key, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return def;
    }
    std::vector<char> buffer(size + 1, '\0');
    if (::RegQueryValueExA(k.Get(), key, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) !=
        ERROR_SUCCESS) {
        return def;
    }
    return std::string(buffer.data());  // stops at the terminator, stored or added
}

bool Profile::WriteInt(const char* section, const char* key, int value) const {
    RegKey k = OpenSection(section);
    DWORD v = static_cast<DWORD>(value);
    return k && ::RegSetValueExA(k.Get(), key, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof(v)) ==
                    ERROR_SUCCESS;
}

bool Profile::WriteString(const char* section, const char* key, const std::string& value) const {
    RegKey k = OpenSection(section);
    return k && ::RegSetValueExA(k.Get(), key, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace fw
