// The application object: one per process, it owns the profile location and runs the program
// from InitInstance (which for a dialog-based program runs the main dialog modally).
#pragma once

#include <windows.h>

#include <string>

#include "Profile.h"

namespace fw {

class App {
public:
    App();
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    static App* Current();

    // The whole program. Returning false ends the process.
    virtual bool InitInstance() = 0;
    // Called from WinMain.
    int Run(HINSTANCE instance);

    HINSTANCE Instance() const { return mInstance; }
    // Profile values live under HKEY_CURRENT_USER\software\<company>\<executable base name>.
    void SetRegistryKey(const char* company);
    const Profile& GetProfile() const { return mProfile; }

    int GetProfileInt(const char* section, const char* key, int def) const;
    std::string GetProfileString(const char* section, const char* key, const char* def) const;
    bool WriteProfileInt(const char* section, const char* key, int value) const;
    bool WriteProfileString(const char* section, const char* key, const std::string& value) const;

private:
    HINSTANCE mInstance = nullptr;
    Profile mProfile;
};

// The executable's file name without folder and extension ("tesmaro_player").
std::string ModuleBaseName(HMODULE module);
// The folder of the executable, up to and including the last backslash.
std::string ModuleDirectory(HMODULE module);

}  // namespace fw
