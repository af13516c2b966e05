#include "IniFile.h"

#include <windows.h>

namespace {
constexpr DWORD kValueBuffer = 2048;
constexpr DWORD kKeyNameChars = 16384;
}  // namespace

std::string IniFile::GetString(const char* section, const char* key, const char* def) const {
    char value[kValueBuffer];
    DWORD n = ::GetPrivateProfileStringA(section, key, def, value, kValueBuffer, path.c_str());
    return std::string(value, n);
}

bool IniFile::GetKeyNames(const char* section, std::vector<std::string>& names) const {
    names.clear();
    // One byte more than requested, always zero, so the walk below stops inside the buffer.
    std::vector<char> block(kKeyNameChars + 1, '\0');
    ::GetPrivateProfileStringA(section, nullptr, "", block.data(), kKeyNameChars, path.c_str());
    for (size_t at = 0; at < kKeyNameChars && block[at] != '\0';) {
        std::string name(block.data() + at);
        at += name.size() + 1;
        names.push_back(std::move(name));
    }
    return !names.empty();
}
