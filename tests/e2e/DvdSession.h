// Helpers of the DVD end-to-end tests: the navigator double in the test prefix, the disc the
// build authored, the player's DVD video window and its status fields.
#pragma once

#include <string>

#include "NavigatorFixture.h"
#include "PlaybackSession.h"

namespace e2e {

inline constexpr char kDvdClass[] = "EventWindow";
inline constexpr char kDvdTitle[] = "DVD Video Window";

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

    // Starts the player on the authored disc with `script` and waits for the picture to run.
    Player OpenDisc(const std::string& script = {}) {
        nav.WriteScript(script);
        Player player = Player::Start({dvdnav::NavigatorFixture::DiscIfoPath()});
        if (player.window) {
            WaitUntil([&] { return DvdWindowOf(player) && IsShown(DvdWindowOf(player)); }, 15000);
        }
        return player;
    }

    // Waits for a recorded call that starts with `prefix` after the record's entry `from`.
    bool Called(const std::string& prefix, size_t from = 0, DWORD timeoutMs = 5000) {
        return nav.WaitForCall(prefix, timeoutMs, from) >= 0;
    }

    size_t CallCount() const { return nav.Calls().size(); }

    dvdnav::NavigatorFixture nav;
};

}  // namespace e2e
