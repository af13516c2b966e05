#include "IniFile.h"

#include <windows.h>

#include <string_view>

namespace {
constexpr DWORD kValueBuffer = 2048;
constexpr DWORD kKeyNameChars = 16384;
constexpr DWORD kFirstSectionChars = 16 * 1024;
constexpr DWORD kMostSectionChars = 1024 * 1024;

std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// A stored value as the platform hands it out: one pair of enclosing quotes taken off, and cut to
// the buffer (when the cut takes the closing quote, the character before it goes as well).
std::string AsReturned(std::string_view value) {
    char quote = 0;
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        quote = value[0];
        value.remove_prefix(1);
    }
    std::string text(value.substr(0, kValueBuffer - 1));
    if (quote && kValueBuffer >= value.size() && !text.empty()) text.pop_back();
    return text;
}

}  // namespace

const IniFile::Section& IniFile::CachedSection(const char* section) const {
    if (mCachedPath != path) {
        mSections.clear();
        mCachedPath = path;
    }
    std::string name = AsciiLower(section);
    auto found = mSections.find(name);
    if (found != mSections.end()) return found->second;
    Section& cached = mSections[name];
    std::vector<char> block;
    DWORD length = 0;
    for (DWORD size = kFirstSectionChars; size <= kMostSectionChars; size *= 4) {
        block.assign(size, '\0');
        length = ::GetPrivateProfileSectionA(section, block.data(), size, path.c_str());
        cached.whole = length < size - 2;  // size - 2 is the platform's word for "cut"
        if (cached.whole) break;
    }
    if (!cached.whole) return cached;
    // "key=value" strings one after the other; a line without '=' has no value to give.
    for (size_t at = 0; at < length && block[at] != '\0';) {
        std::string_view line(block.data() + at);
        at += line.size() + 1;
        size_t equals = line.find('=');
        if (equals == std::string_view::npos || equals == 0) continue;
        cached.values.try_emplace(AsciiLower(line.substr(0, equals)), AsReturned(line.substr(equals + 1)));
    }
    return cached;
}

std::string IniFile::GetString(const char* section, const char* key, const char* def) const {
    if (section && key) {
        const Section& cached = CachedSection(section);
        auto found = cached.values.find(AsciiLower(key));
        if (found != cached.values.end()) return found->second;
        // Not held (a missing key, a section too large, a name that differs in case beyond
        // ASCII): the platform answers, with its own handling of the default.
    }
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
