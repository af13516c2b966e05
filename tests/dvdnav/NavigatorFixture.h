// Test side of the DVD navigator double (tm_dvdnav.dll): puts it behind CLSID_DvdGraphBuilder in
// the test prefix, writes its script, reads its call record and injects events while a player
// runs. The formats are described in tests/dvdnav/README.md.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace dvdnav {

// {4E1A7C3B-2D5F-4B8E-9C61-7A3D5E0F1B21}: the double's IDvdState objects.
inline constexpr CLSID kDvdStateClsid = {
    0x4e1a7c3b, 0x2d5f, 0x4b8e, {0x9c, 0x61, 0x7a, 0x3d, 0x5e, 0x0f, 0x1b, 0x21}};

// Registry key (under HKEY_CURRENT_USER) shared by the fixture and the double.
inline constexpr char kSettingsKey[] = "Software\\Tesmaro\\DvdNavDouble";
inline constexpr char kDefaultDir[] = "C:\\tm_dvdnav";

class NavigatorFixture {
public:
    // Registers the double (keeping Wine's own registration), empties the script and the call
    // record. Registered() says whether that worked.
    NavigatorFixture();
    // Restores Wine's registration and removes the script, record and injection files.
    ~NavigatorFixture();
    NavigatorFixture(const NavigatorFixture&) = delete;
    NavigatorFixture& operator=(const NavigatorFixture&) = delete;

    bool Registered() const { return mRegistered; }

    // The script is read each time a graph builder is created: write it before the open.
    bool WriteScript(const std::string& text);
    bool AddScriptLine(const std::string& line);

    // The call record so far, one entry per call ("SetOption 9 1").
    std::vector<std::string> Calls() const;
    // Forgets the calls recorded so far (the next Calls() starts empty).
    void ClearCalls();
    // Index of the first call at or after `from` that starts with `prefix`, or -1.
    int FindCall(const std::string& prefix, size_t from = 0) const;
    // Waits until such a call is recorded; returns its index, or -1 after the time-out.
    int WaitForCall(const std::string& prefix, DWORD timeoutMs = 10000, size_t from = 0) const;

    // Sends an event through the running navigator's graph (`event now code p1 p2`). True once
    // the double has taken it up; false when no navigator consumed it in time.
    bool InjectEvent(long code, long p1 = 0, long p2 = 0, DWORD timeoutMs = 5000);
    // Any script directive applied to the running navigator.
    bool Inject(const std::string& line, DWORD timeoutMs = 5000);

    // Windows paths of the disc the build authored (build/bin/media/dvd).
    static std::string DiscIfoPath();  // ...\media\dvd\VIDEO_TS\VIDEO_TS.IFO
    static std::string DiscFolder();   // ...\media\dvd\VIDEO_TS
    // The double itself, next to the test programs.
    static std::string DllPath();
    // The folder of script.txt, calls.log and inject.txt.
    static std::string Dir();

    // Puts Wine's own registration back even without a fixture object (for a test program's
    // start after a crashed run). Also done by the constructor.
    static bool RestoreWineRegistration();

private:
    bool mRegistered = false;
};

}  // namespace dvdnav
