// Common ground of the association tests: the test prefix's classes root with other programs'
// associations planted, and the player's Settings and association dialogs found and steered.
#pragma once

#include <string>

#include "PlayerSession.h"
#include "Registry.h"
#include "RegistryDump.h"

namespace e2e {

inline constexpr char kPlayerId[] = "Tesmaro Player";
inline constexpr char kToolId[] = "Vistrane+";
// The skin's "ID_SETUP" button in the normal skin (see scripts/make_art.py).
inline constexpr POINT kSettingsButton{318 + 9, 9 + 9};
inline constexpr int kFirstAssociationBox = 1067;
inline constexpr int kAssociationBoxes = 32;

// Every extension of the player's and the tool's tables.
inline const char* const kMediaExtensions[] = {
    ".wmv", ".mpg",  ".mpeg", ".m1v", ".dat", ".aaaa", ".qt",  ".mov",  ".asf", ".m2v", ".ifo",
    ".avi", ".divx", ".mp4",  ".mp3", ".mp2", ".mpa",  ".wav", ".wma",  ".au",  ".aif", ".aiff",
    ".snd", ".mid",  ".midi", ".rmi", ".ogg", ".bmp",  ".jpg", ".jpeg", ".gif", ".tga", ".ogm"};

// The open command registered for a program: its quoted path and the quoted "%1".
inline std::string OpenCommand(const std::string& program) {
    std::string command(1, '"');
    command += program;
    command += "\" \"%1\"";
    return command;
}

inline std::string ClassText(const std::string& path, const char* name = nullptr) {
    fw::RegKey key = fw::RegOpen(HKEY_CLASSES_ROOT, path.c_str(), KEY_READ);
    std::string text;
    if (!key || !fw::RegReadString(key.Get(), name, text, 4096)) return "<none>";
    return text;
}
inline void SetClassText(const std::string& path, const char* name, const std::string& text) {
    fw::RegKey key = fw::RegCreate(HKEY_CLASSES_ROOT, path.c_str(), KEY_ALL_ACCESS);
    fw::RegWriteString(key.Get(), name, text);
}
inline bool ClassKeyExists(const std::string& path) {
    return fw::RegKeyExists(HKEY_CLASSES_ROOT, path.c_str());
}

// Each test starts from a fresh profile (a first start) and a classes root where other programs
// own some media types, one with subkeys, and nobody owns the rest.
class AssociationTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        for (const char* ext : kMediaExtensions)
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ext);
        for (const char* id : {kPlayerId, kToolId, "OtherPlayer.avi", "OtherPlayer.mp3"})
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, id);
        SetClassText(".avi", nullptr, "OtherPlayer.avi");
        SetClassText(".avi", "Content Type", "video/avi");
        SetClassText(".avi\\OpenWithProgids", "OtherPlayer.avi", "");
        SetClassText("OtherPlayer.avi", nullptr, "Other player's video");
        SetClassText("OtherPlayer.avi\\shell\\open\\command", nullptr, "\"C:\\Other\\other.exe\" \"%1\"");
        SetClassText(".mp3", nullptr, "OtherPlayer.mp3");
        SetClassText(".mp3", "PerceivedType", "audio");
        SetClassText(".dat", nullptr, "VideoCD.dat");
        SetClassText(".bmp", nullptr, "Paint.Picture");
        SetClassText(".jpg", nullptr, "jpegfile");
        SetClassText(".jpg", "Content Type", "image/jpeg");
        SetClassText(".jpg\\ShellNew", "NullFile", "");
        SetClassText(".mov", "Content Type", "video/quicktime");  // a type without an owner
        SetClassText(".gif", nullptr, "");
    }
    void TearDown() override {
        for (const char* id : {kPlayerId, kToolId, "OtherPlayer.avi", "OtherPlayer.mp3"})
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, id);
        for (const char* ext : kMediaExtensions)
            ::RegDeleteTreeA(HKEY_CLASSES_ROOT, ext);
    }

    static std::string PlayerCommand() { return OpenCommand(PlayerPath()); }

    // Opens the Settings dialog with the skin's button. The click goes to the button itself, not
    // through the screen, where another test's window may lie over the player for a moment.
    static HWND OpenSettings(const Player& player) {
        HWND button = ::ChildWindowFromPointEx(player.window, kSettingsButton, CWP_ALL);
        Post(button, BM_CLICK);
        return WaitForWindow("#32770", "Settings", player.process.Id(), 10000);
    }
    static HWND OpenAssociations(const Player& player, HWND settings) {
        Post(settings, WM_COMMAND, MAKEWPARAM(1100, BN_CLICKED),
             reinterpret_cast<LPARAM>(::GetDlgItem(settings, 1100)));
        return WaitForWindow("#32770", "File associations", player.process.Id(), 10000);
    }
    static void Press(HWND dialog, int id) {
        Post(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
             reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    }
    static bool WaitGone(HWND dialog) {
        return WaitUntil([&] { return !::IsWindow(dialog); }, 10000);
    }
    static bool Checked(HWND dialog, int id) {
        return Send(::GetDlgItem(dialog, id), BM_GETCHECK).value_or(0) == BST_CHECKED;
    }
    static void SetCheck(HWND dialog, int id, bool checked) {
        Send(::GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    static void Type(HWND dialog, int id, const std::string& text) {
        Send(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    static std::string Field(HWND dialog, int id) { return WindowText(::GetDlgItem(dialog, id)); }

    // A first start: the player comes up and has registered itself.
    static Player FirstStart() {
        Player player = Player::Start();
        if (player.window) WaitUntil([] { return StoredInt("bFirst") == 1u; }, 10000);
        return player;
    }
};

}  // namespace e2e
