// Common ground of the disc drive end-to-end tests: real CD-ROM drives in the test prefix, the
// started player with its playlist window, and the popup menus it shows for the drives.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "CdDrives.h"
#include "PlayerQueue.h"
#include "Pointer.h"
#include "PlaybackSession.h"
#include "PlaylistSession.h"

namespace e2e {

inline constexpr WORD kCloseMedia = ID_FILE_CLOSE;
inline constexpr WORD kToggleAutoStart = ID_OPTIONS_AUTOSTART;
inline constexpr WORD kPlayDisc = ID_PLAY_DISK;
inline constexpr WORD kOpenDrive0 = ID_DRIVE_OPEN_BASE;
inline constexpr WORD kEjectDrive0 = ID_DRIVE_EJECT_BASE;
inline constexpr WPARAM kScreenPoint = 0x0404;

class DiscSessionTest : public PlaylistSessionTest {
protected:
    void SetUp() override {
        PlaylistSessionTest::SetUp();
        disctest::RemoveAllCdDrives();
        // These tests click the skin's buttons for real; an earlier test may have left the
        // pointer over the player's window.
        ASSERT_TRUE(ParkPointer());
    }
    void TearDown() override {
        if (player.process.Running()) player.process.Kill();
        drives.clear();
    }

    // A new CD-ROM drive after the ones made so far, so the platform lists them in making order.
    disctest::CdDrive& AddDrive(const std::string& label = {}) {
        char from = drives.empty() ? 'M' : static_cast<char>(drives.back()->Letter() + 1);
        drives.push_back(std::make_unique<disctest::CdDrive>(from, label));
        return *drives.back();
    }
    static std::string Track() { return Media("clip.mpg"); }
    static std::string Mpeg2Track() { return Media("clip_mpeg2.mpg"); }

    // The playlist as the playlist window lists it.
    std::vector<std::string> Playlist() {
        PostCommand(player.window, kShowPlaylist);
        WaitUntil([&] { return IsShown(window); }, 5000);
        Send(window, WM_NULL);
        return ListViewTexts(list);
    }
    // The file name of what plays (the video window's title without its state marks), empty
    // when nothing does.
    std::string Playing() const {
        HWND video = VideoWindowOf(player);
        if (!video || !IsShown(video)) return {};
        std::string title = WindowText(video);
        return title.substr(0, title.find(' '));
    }
    // File names compare as Windows compares them: an entry played from the list is opened by
    // its lower-case path.
    bool WaitPlaying(const std::string& name, DWORD timeoutMs = 15000) const {
        return WaitUntil([&] { return ::lstrcmpiA(Playing().c_str(), name.c_str()) == 0; }, timeoutMs, 100);
    }
    bool WaitNothingPlays(DWORD timeoutMs = 10000) const {
        return WaitUntil([&] { return VideoWindowOf(player) == nullptr; }, timeoutMs, 100);
    }
    long PollTicks() const { return e2e::PollTicks(player.window); }
    bool WaitPolls(int count) const { return e2e::WaitPolls(player.window, count); }
    // Waits until the main window has handled everything posted to it so far.
    void Settle() { ASSERT_TRUE(WaitPolls(1)) << "the main window stopped polling"; }

    // What the skinned eject button posts when it is clicked, at a screen point over the window.
    void PressEject() {
        RECT r = WindowRect(player.window);
        Post(player.window, WM_LBUTTONUP, kScreenPoint, MAKELPARAM(r.left + 60, r.top + 40));
    }
    // The open-resource menu, as a right click on the main window opens it.
    HWND OpenResourceMenu() {
        Post(player.window, WM_RBUTTONUP, 0, MAKELPARAM(40, 30));
        return e2e::WaitForMenu(player.process.Id());
    }
    HWND WaitForMenu(DWORD timeoutMs = 5000) const {
        return e2e::WaitForMenu(player.process.Id(), timeoutMs);
    }
    // The number of item rows of a shown popup menu that has `separators` separators, from its
    // height (Wine does not let another process read a menu's items).
    static int MenuItemRows(HWND menu, int separators) {
        constexpr int kItemHeight = 17, kSeparatorHeight = 9, kBorders = 6;
        RECT r = WindowRect(menu);
        return (r.bottom - r.top - kBorders - separators * kSeparatorHeight + kItemHeight / 2) / kItemHeight;
    }
    // Chooses the item `downs` presses of the down key away from the top of the shown menu.
    static void ChooseMenuItem(HWND menu, int downs) {
        for (int i = 0; i < downs; ++i)
            PressKey(VK_DOWN);
        PressKey(VK_RETURN);
        WaitUntil([&] { return !IsShown(menu); }, 5000);
    }

    std::vector<std::unique_ptr<disctest::CdDrive>> drives;
};

}  // namespace e2e
