// The application's profile: named values in sections under
// HKEY_CURRENT_USER\software\<company>\<application>\<section>.
#pragma once

#include <windows.h>

#include <string>

#include "Handles.h"

namespace fw {

class Profile {
public:
    Profile() = default;
    Profile(HKEY root, std::string company, std::string appName)
        : mRoot(root), mCompany(std::move(company)), mAppName(std::move(appName)) {}

    void SetLocation(HKEY root, std::string company, std::string appName);
    bool IsSet() const { return !mCompany.empty() && !mAppName.empty(); }
    // "software\<company>\<application>\<section>"
    std::string SectionPath(const char* section) const;
    // The user's own folder of the application, "<application data>\<company>\<application>\",
    // made when missing; empty when the profile has no location or the folder cannot be made.
    std::string DataFolder() const;

    // A value that is absent, unreadable or of another type reads as the default.
    int GetInt(const char* section, const char* key, int def) const;
    std::string GetString(const char* section, const char* key, const char* def) const;
    // Failures to write are reported by the result only.
    bool WriteInt(const char* section, const char* key, int value) const;
    bool WriteString(const char* section, const char* key, const std::string& value) const;

private:
    RegKey OpenSection(const char* section) const;

    HKEY mRoot = HKEY_CURRENT_USER;
    std::string mCompany;
    std::string mAppName;
};

}  // namespace fw
