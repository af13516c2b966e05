#include "NavigatorFixture.h"

#include <cstdio>

namespace dvdnav {

namespace {

constexpr char kBuilderServerKey[] = "CLSID\\{FCC152B7-F372-11D0-8E00-00C04FD7C08B}\\InprocServer32";
constexpr char kStateKey[] = "CLSID\\{4E1A7C3B-2D5F-4B8E-9C61-7A3D5E0F1B21}";

std::string ExeDir() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    size_t slash = dir.find_last_of('\\');
    return slash == std::string::npos ? "." : dir.substr(0, slash);
}

bool ReadString(HKEY root, const char* key, const char* name, std::string& value) {
    char text[MAX_PATH * 2] = {};
    DWORD size = sizeof text;
    if (::RegGetValueA(root, key, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) return false;
    value = text;
    return true;
}

bool WriteString(HKEY root, const char* key, const char* name, const std::string& value) {
    HKEY k = nullptr;
    if (::RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_WRITE, nullptr, &k, nullptr) != ERROR_SUCCESS)
        return false;
    LONG r = ::RegSetValueExA(k, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>(value.size() + 1));
    ::RegCloseKey(k);
    return r == ERROR_SUCCESS;
}

bool WriteFileText(const std::string& path, const std::string& text) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

std::string NavigatorFixture::DiscFolder() {
    return ExeDir() + "\\media\\dvd\\VIDEO_TS";
}
std::string NavigatorFixture::DiscIfoPath() {
    return DiscFolder() + "\\VIDEO_TS.IFO";
}
std::string NavigatorFixture::DllPath() {
    return ExeDir() + "\\tm_dvdnav.dll";
}
std::string NavigatorFixture::Dir() {
    return kDefaultDir;
}

bool NavigatorFixture::RestoreWineRegistration() {
    std::string saved;
    if (ReadString(HKEY_CURRENT_USER, kSettingsKey, "Saved", saved)) {
        std::string server, model;
        ReadString(HKEY_CURRENT_USER, kSettingsKey, "SavedServer", server);
        ReadString(HKEY_CURRENT_USER, kSettingsKey, "SavedThreadingModel", model);
        if (server.empty()) {
            ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kBuilderServerKey);
        } else if (!WriteString(HKEY_CLASSES_ROOT, kBuilderServerKey, nullptr, server) ||
                   (!model.empty() &&
                    !WriteString(HKEY_CLASSES_ROOT, kBuilderServerKey, "ThreadingModel", model))) {
            return false;
        }
        HKEY k = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_WRITE, &k) == ERROR_SUCCESS) {
            ::RegDeleteValueA(k, "Saved");
            ::RegDeleteValueA(k, "SavedServer");
            ::RegDeleteValueA(k, "SavedThreadingModel");
            ::RegCloseKey(k);
        }
    }
    ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kStateKey);
    return true;
}

NavigatorFixture::NavigatorFixture() {
    RestoreWineRegistration();
    std::string server, model;
    ReadString(HKEY_CLASSES_ROOT, kBuilderServerKey, nullptr, server);
    ReadString(HKEY_CLASSES_ROOT, kBuilderServerKey, "ThreadingModel", model);
    bool kept = WriteString(HKEY_CURRENT_USER, kSettingsKey, "SavedServer", server) &&
                WriteString(HKEY_CURRENT_USER, kSettingsKey, "SavedThreadingModel", model) &&
                WriteString(HKEY_CURRENT_USER, kSettingsKey, "Saved", "1");
    std::string dll = DllPath();
    std::string stateServer = std::string(kStateKey) + "\\InprocServer32";
    ::CreateDirectoryA(Dir().c_str(), nullptr);
    ::DeleteFileA((Dir() + "\\calls.log").c_str());
    ::DeleteFileA((Dir() + "\\inject.txt").c_str());
    mRegistered = kept && Exists(dll) && WriteString(HKEY_CURRENT_USER, kSettingsKey, "Dir", Dir()) &&
                  WriteString(HKEY_CLASSES_ROOT, kBuilderServerKey, nullptr, dll) &&
                  WriteString(HKEY_CLASSES_ROOT, kBuilderServerKey, "ThreadingModel", "Both") &&
                  WriteString(HKEY_CLASSES_ROOT, stateServer.c_str(), nullptr, dll) &&
                  WriteString(HKEY_CLASSES_ROOT, stateServer.c_str(), "ThreadingModel", "Both") &&
                  WriteScript("");
}

NavigatorFixture::~NavigatorFixture() {
    RestoreWineRegistration();
    ::DeleteFileA((Dir() + "\\script.txt").c_str());
    ::DeleteFileA((Dir() + "\\calls.log").c_str());
    ::DeleteFileA((Dir() + "\\inject.txt").c_str());
}

bool NavigatorFixture::WriteScript(const std::string& text) {
    return WriteFileText(Dir() + "\\script.txt", text);
}

bool NavigatorFixture::AddScriptLine(const std::string& line) {
    FILE* f = std::fopen((Dir() + "\\script.txt").c_str(), "ab");
    if (!f) return false;
    bool ok = std::fprintf(f, "%s\n", line.c_str()) > 0;
    return std::fclose(f) == 0 && ok;
}

std::vector<std::string> NavigatorFixture::Calls() const {
    std::vector<std::string> calls;
    FILE* f = std::fopen((Dir() + "\\calls.log").c_str(), "rb");
    if (!f) return calls;
    std::string text;
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, f)) > 0)
        text.append(chunk, got);
    std::fclose(f);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) break;  // a line still being written
        std::string line = text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        calls.push_back(line);
        at = end + 1;
    }
    return calls;
}

void NavigatorFixture::ClearCalls() {
    ::DeleteFileA((Dir() + "\\calls.log").c_str());
}

int NavigatorFixture::FindCall(const std::string& prefix, size_t from) const {
    std::vector<std::string> calls = Calls();
    for (size_t i = from; i < calls.size(); ++i)
        if (calls[i].compare(0, prefix.size(), prefix) == 0) return static_cast<int>(i);
    return -1;
}

int NavigatorFixture::WaitForCall(const std::string& prefix, DWORD timeoutMs, size_t from) const {
    DWORD start = ::GetTickCount();
    for (;;) {
        int at = FindCall(prefix, from);
        if (at >= 0 || ::GetTickCount() - start >= timeoutMs) return at;
        ::Sleep(50);
    }
}

bool NavigatorFixture::Inject(const std::string& line, DWORD timeoutMs) {
    std::string target = Dir() + "\\inject.txt", temp = Dir() + "\\inject.tmp";
    DWORD start = ::GetTickCount();
    // One injection at a time: the navigator takes the whole file and deletes it.
    while (Exists(target)) {
        if (::GetTickCount() - start >= timeoutMs) return false;
        ::Sleep(20);
    }
    if (!WriteFileText(temp, line + "\n") ||
        !::MoveFileExA(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING))
        return false;
    while (Exists(target)) {
        if (::GetTickCount() - start >= timeoutMs) {
            ::DeleteFileA(target.c_str());  // nobody runs: do not leave it for a later navigator
            return false;
        }
        ::Sleep(20);
    }
    return true;
}

bool NavigatorFixture::InjectEvent(long code, long p1, long p2, DWORD timeoutMs) {
    char line[96];
    std::snprintf(line, sizeof line, "event now %ld %ld %ld", code, p1, p2);
    return Inject(line, timeoutMs);
}

}  // namespace dvdnav
