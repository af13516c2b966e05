#include "App.h"

namespace fw {

namespace {
App* gApp = nullptr;

std::string ModulePath(HMODULE module) {
    char path[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameA(module, path, MAX_PATH);
    return std::string(path, n < MAX_PATH ? n : 0);
}
}  // namespace

App::App() {
    gApp = this;
}
App::~App() {
    if (gApp == this) gApp = nullptr;
}
App* App::Current() {
    return gApp;
}

int App::Run(HINSTANCE instance) {
    mInstance = instance;
    InitInstance();
    return 0;
}

void App::SetRegistryKey(const char* company) {
    mProfile.SetLocation(HKEY_CURRENT_USER, company, ModuleBaseName(nullptr));
}

int App::GetProfileInt(const char* section, const char* key, int def) const {
    return mProfile.GetInt(section, key, def);
}
std::string App::GetProfileString(const char* section, const char* key, const char* def) const {
    return mProfile.GetString(section, key, def);
}
bool App::WriteProfileInt(const char* section, const char* key, int value) const {
    return mProfile.WriteInt(section, key, value);
}
bool App::WriteProfileString(const char* section, const char* key, const std::string& value) const {
    return mProfile.WriteString(section, key, value);
}

std::string ModuleBaseName(HMODULE module) {
    std::string path = ModulePath(module);
    size_t slash = path.find_last_of("\\/");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string ModuleDirectory(HMODULE module) {
    std::string path = ModulePath(module);
    size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace fw
