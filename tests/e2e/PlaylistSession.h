// Common ground of the playlist window's end-to-end tests: the started player, its playlist
// window (created hidden) and the window's list and buttons.
#pragma once

#include "PlayerQueue.h"
#include "PlayerSession.h"

namespace e2e {

class PlaylistSessionTest : public PlayerTest {
protected:
    static constexpr WORD kShowPlaylist = ID_OPEN_PLAYLIST;
    static constexpr int kList = 1043;

    // Starts the player and finds its playlist window, still hidden.
    void Start(const std::vector<std::string>& args = {}) {
        player = Player::Start(args);
        ASSERT_TRUE(player.window);
        // Made hidden once the main window is first painted.
        window = WaitForWindow("#32770", "Playlist", player.process.Id(), 10000);
        ASSERT_TRUE(window);
        list = ::GetDlgItem(window, kList);
    }
    void Show() {
        PostCommand(player.window, kShowPlaylist);
        ASSERT_TRUE(WaitUntil([&] { return IsShown(window); }, 5000));
    }
    void Press(int id) { Post(::GetDlgItem(window, id), BM_CLICK); }
    // Waits until the player has handled everything posted to it so far (the windows share one
    // thread).
    void Drain() { ASSERT_TRUE(WaitPolls(player.window)) << "the main window stopped polling"; }

    Player player;
    HWND window = nullptr;
    HWND list = nullptr;
};

}  // namespace e2e
