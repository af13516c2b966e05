// A reader of INI files through the platform's private-profile functions.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

class IniFile {
public:
    std::string path;

    void SetPath(const std::string& p) { path = p; }
    // At most 2047 characters; the default when the file or the key is missing.
    std::string GetString(const char* section, const char* key, const char* def) const;
    // The section's key names in file order, as far as 16384 characters of names reach.
    // Returns whether any name was found.
    bool GetKeyNames(const char* section, std::vector<std::string>& names) const;

private:
    // One section as read in a single call; every key asked for after is answered from it, since
    // each call of the platform reads and checks the file again. Keys are in lower case (ASCII).
    struct Section {
        bool whole = false;  // false: the section was too large to hold, the platform answers
        std::unordered_map<std::string, std::string> values;
    };
    const Section& CachedSection(const char* section) const;

    mutable std::string mCachedPath;
    mutable std::unordered_map<std::string, Section> mSections;
};
