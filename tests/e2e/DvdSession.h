// Helpers of the DVD end-to-end tests: the navigator double in the test prefix, the disc the
// build authored, the player's DVD video window and its status fields.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <string>

#include "NavigatorFixture.h"
#include "PlaybackSession.h"
#include "PlayerQueue.h"
#include "Pointer.h"

namespace e2e {

inline constexpr char kDvdClass[] = "EventWindow";
inline constexpr char kDvdTitle[] = "DVD Video Window";

// Where the player keeps its DVD bookmark: the user's folder of its profile.
inline std::string UserBookmarkFile() {
    char base[MAX_PATH] = {};
    ::SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, 0, base);
    return std::string(base) + "\\ZentaforStudio\\tesmaro_player\\DVDBookMark.bmk";
}

inline HWND DvdWindowOf(const Player& player) {
    return FindTopWindow(kDvdClass, nullptr, player.process.Id());
}

// The song-name field of a playing DVD: "DVD", title and chapter.
inline std::string LocationText(HWND window) {
    for (HWND child : Children(window)) {
        std::string text = WindowText(child);
        if (text.starts_with("DVD ")) return text;
    }
    return {};
}

// Waits until the message box of the player that a watcher dismissed has gone and the handler
// that showed it has returned.
inline bool BoxDone(const Player& player, DWORD timeoutMs = 10000) {
    return WaitUntil([&] { return !FindMessageBox(player.process.Id()); }, timeoutMs) &&
           WaitHandled(player.window);
}

inline bool ShowsWord(const Player& player, const char* word, DWORD timeoutMs = 5000) {
    return WaitUntil([&] { return ChildWithText(player.window, word) != nullptr; }, timeoutMs);
}

// Seconds of the position half of the time field, or -1.
inline int PositionSeconds(HWND window) {
    std::string t = TimeText(window);
    if (t.size() != 21) return -1;
    return std::stoi(t.substr(0, 2)) * 3600 + std::stoi(t.substr(3, 2)) * 60 + std::stoi(t.substr(6, 2));
}

inline int LengthSeconds(HWND window) {
    std::string t = TimeText(window);
    if (t.size() != 21) return -1;
    return std::stoi(t.substr(13, 2)) * 3600 + std::stoi(t.substr(16, 2)) * 60 + std::stoi(t.substr(19, 2));
}

// Every test starts with a fresh profile and the double registered with an empty script.
class DvdTest : public PlayerTest {
protected:
    void SetUp() override {
        PlayerTest::SetUp();
        ASSERT_TRUE(nav.Registered());
    }

    // A failed test shows what the player asked the navigator for. The pointer that a test moved
    // over the player's window does not stay where the next test's player comes up.
    void TearDown() override {
        ParkPointer();
        if (!HasFailure()) return;
        std::string record;
        for (const std::string& call : nav.Calls()) record += "  " + call + "\n";
        std::printf("navigator calls:\n%s", record.c_str());
    }

    // Starts the player on the authored disc with `script` and waits for the picture to run
    // and, unless the script keeps the disc out of its titles, for the first title to play.
    Player OpenDisc(const std::string& script = {}, bool waitForTitle = true) {
        nav.WriteScript(script);
        Player player = Player::Start({dvdnav::NavigatorFixture::DiscIfoPath()});
        if (player.window) {
            WaitUntil([&] { return DvdWindowOf(player) && IsShown(DvdWindowOf(player)); }, 15000);
            if (waitForTitle) WaitUntil([&] { return InTitle(player.window); }, 10000);
        }
        return player;
    }

    // The title-change event has named a title: the navigator plays in its title domain.
    static bool InTitle(HWND window) {
        std::string text = LocationText(window);
        size_t at = text.find("TITLE: ");
        return at != std::string::npos && text.size() > at + 7 && text[at + 7] >= '1' && text[at + 7] <= '9';
    }

    // Starts the player on the disc without the box watcher, for tests that answer boxes.
    static Player StartUnwatched() {
        Player p;
        p.process = Process::Start(PlayerPath(), {dvdnav::NavigatorFixture::DiscIfoPath()});
        if (p.process) p.window = WaitForWindow(kMainClass, kMainTitle, p.process.Id(), 20000);
        return p;
    }

    // Waits for a recorded call that starts with `prefix` after the record's entry `from`.
    bool Called(const std::string& prefix, size_t from = 0, DWORD timeoutMs = 5000) {
        return nav.WaitForCall(prefix, timeoutMs, from) >= 0;
    }

    size_t CallCount() const { return nav.Calls().size(); }

    // Waits until the player has handled the events injected so far: the double takes one
    // injection at a time, so once it has taken this later one it has sent the earlier ones'
    // events, and they are handled once the window thread has handled what is queued.
    bool InjectedEventsHandled(const Player& player) {
        return nav.Inject("# the events injected before this line have been sent") && WaitPolls(player.window);
    }

    dvdnav::NavigatorFixture nav;
};

}  // namespace e2e
