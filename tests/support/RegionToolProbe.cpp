// A stand-in for the system's DVD region tool library. Tests copy it into the system directory as
// "storprop.dll"; its DvdLauncher records the owner window and the drive letter it was given
// under kRegionKey ("Owner", "Drive", and "Calls" counting the calls) and answers the value
// "Answer" there (1, a changed region, when the value is missing).
#include <windows.h>

namespace {

constexpr char kRegionKey[] = "Software\\TesmaroTest\\Region";

DWORD ReadDword(HKEY key, const char* name, DWORD fallback) {
    DWORD value = 0;
    DWORD size = sizeof(value);
    if (::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size) !=
        ERROR_SUCCESS)
        return fallback;
    return value;
}

void WriteDword(HKEY key, const char* name, DWORD value) {
    ::RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

}  // namespace

extern "C" BOOL WINAPI DvdLauncher(HWND owner, CHAR drive) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kRegionKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key,
                          nullptr) != ERROR_SUCCESS)
        return FALSE;
    char letter[2] = {drive, '\0'};
    ::RegSetValueExA(key, "Drive", 0, REG_SZ, reinterpret_cast<const BYTE*>(letter), sizeof(letter));
    WriteDword(key, "Owner", static_cast<DWORD>(reinterpret_cast<UINT_PTR>(owner)));
    WriteDword(key, "Calls", ReadDword(key, "Calls", 0) + 1);
    BOOL answer = static_cast<BOOL>(ReadDword(key, "Answer", 1));
    ::RegCloseKey(key);
    return answer;
}
