// The playlist window starting, stopping and keeping playback of the real player: each played
// file shows its video window, titled with the file's name.
#include <windows.h>
#include <commctrl.h>

#include <fstream>

#include "PlaybackSession.h"
#include "PlaylistSession.h"

using namespace e2e;
using Entries = std::vector<std::string>;

namespace {

constexpr WORD kNext = ID_PLAYBACK_NEXTCHAPTER;
constexpr int kLoadList = 1047, kRandomize = 1103, kClearAll = 1105;

class PlaylistPlaybackTest : public PlaylistSessionTest {
protected:
    void SetUp() override {
        PlaylistSessionTest::SetUp();
        dir = MakeTempDirectory("playback");
        ASSERT_FALSE(dir.empty());
        media = MediaDirectory();
        // Three playable clips, each with a name of its own.
        for (const char* name : {"first.avi", "second.avi", "third.avi"})
            ASSERT_TRUE(::CopyFileA((media + "clip_long.avi").c_str(), (dir + name).c_str(), FALSE));
        std::ofstream(dir + "three.m3u", std::ios::binary) << "#EXTM3U\r\n"
                                                           << dir << "first.avi\r\n"
                                                           << dir << "second.avi\r\n"
                                                           << dir << "third.avi\r\n";
    }

    void LoadThree() {
        Press(kLoadList);
        HWND dialog = WaitForWindow("#32770", "Load Playlist", player.process.Id(), 10000);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(FillFileDialog(dialog, dir + "three.m3u"));
        ASSERT_TRUE(WaitUntil([&] { return ListViewCount(list) == 3; }, 10000));
    }
    // The name of the file whose video window is open (its title without the state marks),
    // empty when none is.
    std::string Playing() {
        HWND video = VideoWindowOf(player);
        if (!video) return {};
        std::string title = WindowText(video);
        return title.substr(0, title.find(' '));
    }
    bool WaitPlaying(const std::string& name, DWORD timeoutMs = 15000) {
        return WaitUntil([&] { return Playing() == name; }, timeoutMs, 100);
    }

    std::string dir, media;
};

}  // namespace

TEST_F(PlaylistPlaybackTest, LoadListReplacesTheListAndStopsTheMedia) {
    Start({media + "clip_long.avi"});
    ASSERT_TRUE(WaitPlaying("clip_long.avi"));
    Show();
    LoadThree();
    EXPECT_TRUE(WaitPlaying(""));
    EXPECT_EQ(ListViewTexts(list), (Entries{dir + "first.avi", dir + "second.avi", dir + "third.avi"}));
    EXPECT_TRUE(player.boxes->Seen().empty());
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, ALoadThatFailsStillStopsTheMedia) {
    Start({media + "clip_long.avi"});
    ASSERT_TRUE(WaitPlaying("clip_long.avi"));
    Show();
    Press(kLoadList);
    HWND dialog = WaitForWindow("#32770", "Load Playlist", player.process.Id(), 10000);
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "missing.m3u"));
    auto box = player.boxes->WaitForBox(10000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, dir + "missing.m3u was not found.");
    EXPECT_TRUE(WaitPlaying(""));
    EXPECT_EQ(ListViewCount(list), 0);
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, PlayStartsTheSelectedEntryAndHidesTheWindow) {
    Start();
    Show();
    LoadThree();
    ASSERT_TRUE(ListViewSelect(list, {1}));
    Press(IDOK);
    EXPECT_TRUE(WaitPlaying("second.avi"));
    EXPECT_FALSE(IsShown(window));
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, PlayWithoutASelectionStartsTheFirstEntry) {
    Start();
    Show();
    LoadThree();
    Press(IDOK);
    EXPECT_TRUE(WaitPlaying("first.avi"));
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, DoubleClickPlaysTheLastSelectedEntryWithoutAskingForAFile) {
    Start();
    Show();
    LoadThree();
    ASSERT_TRUE(ListViewSelect(list, {0, 2}));
    POINT at = ListViewRowPoint(list, 2);
    Post(list, WM_LBUTTONDBLCLK, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(WaitPlaying("third.avi"));
    Drain();  // an open dialog would be up by now
    EXPECT_EQ(Playing(), "third.avi");
    EXPECT_EQ(FindTopWindow("#32770", "Open Media Files...", player.process.Id()), nullptr);
    EXPECT_TRUE(IsShown(window));  // the window stays open
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, ClearAllLeavesThePlayingFilePlaying) {
    Start();
    Show();
    LoadThree();
    ASSERT_TRUE(ListViewSelect(list, {2}));
    Press(IDOK);
    ASSERT_TRUE(WaitPlaying("third.avi"));
    Show();
    Press(kClearAll);
    ASSERT_TRUE(WaitUntil([&] { return ListViewCount(list) == 0; }, 5000));
    Drain();
    EXPECT_EQ(Playing(), "third.avi");
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, RandomizeLetsNextChooseAnyEntry) {
    Start();
    Show();
    LoadThree();
    ASSERT_TRUE(ListViewSelect(list, {2}));
    Press(IDOK);
    ASSERT_TRUE(WaitPlaying("third.avi"));
    // In order, Next after the last entry (repeat off) changes nothing.
    PostCommand(player.window, kNext);
    Drain();
    EXPECT_EQ(Playing(), "third.avi");
    // In random order it goes on with an entry chosen at random: sooner or later another one.
    Show();
    Press(kRandomize);
    ASSERT_TRUE(
        WaitUntil([&] { return Send(::GetDlgItem(window, kRandomize), BM_GETCHECK) == BST_CHECKED; }, 3000));
    bool moved = false;
    for (int i = 0; i < 12 && !moved; ++i) {
        PostCommand(player.window, kNext);
        moved = WaitUntil([&] { return Playing() == "first.avi" || Playing() == "second.avi"; }, 4000, 100);
    }
    EXPECT_TRUE(moved);
    Finish(player);
}

TEST_F(PlaylistPlaybackTest, AnEmptyOrBlankAddressChangesNothingAsCancelDoes) {
    Start({dir + "three.m3u"});
    ASSERT_TRUE(WaitPlaying("first.avi"));
    for (const char* typed : {"", "   "}) {
        PostCommand(player.window, ID_FILE_OPENURL);
        HWND dialog = WaitForWindow("#32770", "Input a URL to open here", player.process.Id(), 10000);
        ASSERT_TRUE(dialog);
        ASSERT_TRUE(Send(::GetDlgItem(dialog, 1041), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed)));
        Post(dialog, WM_COMMAND, IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
        Send(player.window, WM_NULL);
        // Nothing asks for files, and the first file goes on playing.
        EXPECT_FALSE(FindTopWindow("#32770", "Open Media Files...", player.process.Id())) << '"' << typed << '"';
        EXPECT_EQ(Playing(), "first.avi") << '"' << typed << '"';
    }
    Show();
    EXPECT_TRUE(WaitUntil([&] { return ListViewCount(list) == 3; }, 5000)) << ListViewCount(list);
    EXPECT_EQ(ListViewText(list, 1), dir + "second.avi");
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}
