// The playlist window of the real player: shown by its command, filled and emptied through its
// buttons, with the platform's file dialogs and folder browser filled in as a user would.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "PlayerSession.h"
#include "PlaylistSession.h"

using namespace e2e;
using Entries = std::vector<std::string>;

namespace {

constexpr int kRemove = 1044, kAddFiles = 1045, kAddLocation = 1046, kLoadList = 1047, kAddList = 1048,
              kSaveList = 1049, kSearch = 1104, kClearAll = 1105;
constexpr int kFileTypeBox = 0x470, kReadOnlyBox = 0x410;  // cmb1 and chx1 of the file dialogs

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class PlaylistWindowTest : public PlaylistSessionTest {
protected:
    void SetUp() override {
        PlaylistSessionTest::SetUp();
        dir = MakeTempDirectory("playlist");
        ASSERT_FALSE(dir.empty());
    }

    HWND WaitForDialog(const char* title) {
        return WaitForWindow("#32770", title, player.process.Id(), 10000);
    }
    // Waits until the list shows this many rows.
    bool WaitForRows(int count) {
        return WaitUntil([&] { return ListViewCount(list) == count; }, 10000);
    }
    // A picture of the window once it has painted, for a person to look at.
    void Shot(const char* name) {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        WaitHandled(window);
        ScreenshotWindow(window, std::string("C:\\") + name + ".png");
    }
    // Whether the file dialog lists exactly these names (its view is made anew in each folder).
    static bool DialogLists(HWND dialog, Entries names) {
        HWND view = FindChild(dialog, "SysListView32", nullptr);
        if (!view) return false;
        Entries shown = ListViewTexts(view);
        std::sort(shown.begin(), shown.end());
        std::sort(names.begin(), names.end());
        return shown == names;
    }

    std::string dir;
};

}  // namespace

TEST_F(PlaylistWindowTest, TheWindowIsCreatedHiddenAndTheShowCommandShowsTheCurrentEntries) {
    std::string clip = MediaDirectory() + "clip_av.avi";
    Start({clip});
    EXPECT_FALSE(IsShown(window));
    Show();
    EXPECT_EQ(ListViewTexts(list), Entries{clip});
    Shot("playlist_shown");
    // Close hides it; the command shows it again.
    Press(IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsShown(window); }, 3000));
    Show();
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(PlaylistWindowTest, TheSkinsPlaylistButtonShowsTheWindow) {
    std::string clip = MediaDirectory() + "clip_video.avi";
    Start({clip});
    const POINT button{316 + 15, 36 + 12};  // the middle of the normal skin's Playlist button
    // The pointer rests on the button before the press, as a user's does.
    MoveMouse(player.window, button.x, button.y);
    Drain();
    Click(player.window, button.x, button.y);
    ASSERT_TRUE(WaitUntil([&] { return IsShown(window); }, 5000));
    EXPECT_EQ(ListViewTexts(list), Entries{clip});
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, LoadListReplacesTheEntriesAndAddListAppends) {
    WriteBytes(dir + "list.m3u",
               "#EXTM3U\r\n#EXTINF:3,One\r\nC:\\media\\one.avi\r\n\r\nhttp://host/two.wmv\n");
    Start({MediaDirectory() + "clip_av.avi"});
    Show();
    Press(kLoadList);
    HWND dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    EXPECT_EQ(Send(::GetDlgItem(dialog, kFileTypeBox), CB_GETCOUNT), 1);
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, kFileTypeBox)), "M3U Playlist");
    EXPECT_FALSE(IsShown(::GetDlgItem(dialog, kReadOnlyBox)));
    ASSERT_TRUE(FillFileDialog(dialog, dir + "list.m3u"));
    ASSERT_TRUE(WaitForRows(2));
    EXPECT_EQ(ListViewTexts(list), (Entries{"C:\\media\\one.avi", "http://host/two.wmv"}));

    Press(kAddList);
    dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "list.m3u"));
    ASSERT_TRUE(WaitForRows(4));
    EXPECT_EQ(ListViewText(list, 3), "http://host/two.wmv");
    EXPECT_TRUE(player.boxes->Seen().empty());
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, ALoadThatFailsReportsTheFileAndLeavesTheListEmpty) {
    Start({MediaDirectory() + "clip_av.avi"});
    Show();
    Press(kLoadList);
    HWND dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "missing.m3u"));
    auto box = player.boxes->WaitForBox(10000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Tesmaro Player");
    EXPECT_EQ(box->text, dir + "missing.m3u was not found.");
    EXPECT_TRUE(WaitForRows(0));
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, GarbageAndOverlongLinesLoadSafely) {
    std::string garbage;
    for (int i = 0; i < 20000; ++i)
        garbage += static_cast<char>((i * 131 + 7) % 256);
    std::string longLine(5000, 'L');
    WriteBytes(dir + "bad.m3u", "first.avi\r\n" + longLine + "\r\n" + garbage + "\r\nlast.avi");
    Start();
    Show();
    Press(kLoadList);
    HWND dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "bad.m3u"));
    ASSERT_TRUE(WaitUntil([&] { return ListViewCount(list) > 3; }, 10000));
    Entries rows = ListViewTexts(list);
    EXPECT_EQ(rows.front(), "first.avi");
    EXPECT_EQ(rows[1], std::string(259, 'L'));
    EXPECT_EQ(rows.back(), "last.avi");
    for (const std::string& row : rows)
        EXPECT_LE(row.size(), 259u);
    EXPECT_TRUE(player.process.Running());
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, SaveListWritesTheEntriesWithCrLf) {
    WriteBytes(dir + "in.m3u", "a.avi\nb.mp3\n\nhttp://h/c.wmv\n");
    Start();
    Show();
    Press(kAddList);
    HWND dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "in.m3u"));
    ASSERT_TRUE(WaitForRows(3));
    Press(kSaveList);
    dialog = WaitForDialog("Save Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "out.m3u"));
    ASSERT_TRUE(WaitUntil([&] { return ReadBytes(dir + "out.m3u").size() == 30; }, 10000));
    EXPECT_EQ(ReadBytes(dir + "out.m3u"), "a.avi\r\nb.mp3\r\nhttp://h/c.wmv\r\n");
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, AddFilesAppendsThreeChosenFilesInTheOrderReturned) {
    for (const char* name : {"a.wav", "b.wav", "c.wav"})
        WriteBytes(dir + name, "RIFF");
    Start();
    Show();
    Press(kAddFiles);
    HWND dialog = WaitForDialog("Open Media Files...");
    ASSERT_TRUE(dialog);
    // The eight filters, the first one chosen; the read-only box shown and ticked.
    EXPECT_EQ(Send(::GetDlgItem(dialog, kFileTypeBox), CB_GETCOUNT), 8);
    EXPECT_EQ(WindowText(::GetDlgItem(dialog, kFileTypeBox)), "Media Files (all types)");
    EXPECT_TRUE(IsShown(::GetDlgItem(dialog, kReadOnlyBox)));
    EXPECT_EQ(Send(::GetDlgItem(dialog, kReadOnlyBox), BM_GETCHECK), BST_CHECKED);
    ASSERT_TRUE(FillFileDialog(dialog, dir));  // go to the folder
    ASSERT_TRUE(WaitUntil([&] { return DialogLists(dialog, {"a.wav", "b.wav", "c.wav"}); }, 10000));
    ASSERT_TRUE(FillFileDialog(dialog, "\"c.wav\" \"a.wav\" \"b.wav\""));
    ASSERT_TRUE(WaitForRows(3));
    Entries rows = ListViewTexts(list);
    std::string folder = dir.substr(0, dir.size() - 1);
    Entries sorted = rows;
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, (Entries{folder + "\\a.wav", folder + "\\b.wav", folder + "\\c.wav"}));
    Shot("playlist_files");

    // One file gives its full path; Cancel changes nothing.
    Press(kAddFiles);
    dialog = WaitForDialog("Open Media Files...");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "b.wav"));
    ASSERT_TRUE(WaitForRows(4));
    EXPECT_EQ(ListViewText(list, 3), dir + "b.wav");
    Press(kAddFiles);
    dialog = WaitForDialog("Open Media Files...");
    ASSERT_TRUE(dialog);
    Post(dialog, WM_COMMAND, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(dialog); }, 5000));
    EXPECT_EQ(ListViewCount(list), 4);
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, AddLocationAppendsTheTypedAddressCutToTheEntryLimit) {
    Start();
    Show();
    Press(kAddLocation);
    HWND dialog = WaitForDialog("Input a URL to open here");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(
        Send(::GetDlgItem(dialog, 1041), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("http://host/a.wmv")));
    Post(dialog, WM_COMMAND, IDOK);
    ASSERT_TRUE(WaitForRows(1));
    EXPECT_EQ(ListViewText(list, 0), "http://host/a.wmv");

    std::string overlong = "http://host/" + std::string(400, 'x');
    Press(kAddLocation);
    dialog = WaitForDialog("Input a URL to open here");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(Send(::GetDlgItem(dialog, 1041), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(overlong.c_str())));
    Post(dialog, WM_COMMAND, IDOK);
    ASSERT_TRUE(WaitForRows(2));
    EXPECT_EQ(ListViewText(list, 1), overlong.substr(0, 259));
    EXPECT_TRUE(player.process.Running());
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, SearchFilesAddsTheMediaBelowTheChosenFolderBreadthFirst) {
    ASSERT_TRUE(::CreateDirectoryA((dir + "S").c_str(), nullptr));
    WriteBytes(dir + "S\\B.mp3", "x");
    WriteBytes(dir + "A.MP3", "x");
    WriteBytes(dir + "notes.txt", "x");
    Start();
    Show();
    Press(kSearch);
    HWND browser = WaitForDialog("Browse for Folder");
    ASSERT_TRUE(browser);
    EXPECT_NE(FindChild(browser, "Static", "Search media files in the folder you choose"), nullptr);
    ASSERT_TRUE(ChooseFolder(browser, dir.substr(0, dir.size() - 1)));
    ASSERT_TRUE(WaitForRows(2));
    EXPECT_EQ(ListViewTexts(list), (Entries{dir + "A.MP3", dir + "S\\B.mp3"}));
    EXPECT_TRUE(player.boxes->Seen().empty());

    // Cancel searches nothing.
    Press(kSearch);
    browser = WaitForDialog("Browse for Folder");
    ASSERT_TRUE(browser);
    Post(browser, WM_COMMAND, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindow(browser); }, 5000));
    EXPECT_EQ(ListViewCount(list), 2);
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, RemoveTakesTheSelectedRowsAndClearAllEmptiesTheList) {
    WriteBytes(dir + "five.m3u", "e0\r\ne1\r\ne2\r\ne3\r\ne4\r\n");
    Start();
    Show();
    Press(kAddList);
    HWND dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "five.m3u"));
    ASSERT_TRUE(WaitForRows(5));

    ASSERT_TRUE(ListViewSelect(list, {1, 3}));
    Press(kRemove);
    ASSERT_TRUE(WaitForRows(3));
    EXPECT_EQ(ListViewTexts(list), (Entries{"e0", "e2", "e4"}));

    // Nothing selected: the window asks for a selection and removes nothing.
    Press(kRemove);
    auto box = player.boxes->WaitForBox(5000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Tesmaro Player");
    EXPECT_EQ(box->text, "Please select items!");
    EXPECT_EQ(ListViewCount(list), 3);

    Press(kClearAll);
    ASSERT_TRUE(WaitForRows(0));
    // The main window's playlist is empty too: showing the window again lists nothing.
    Press(IDCANCEL);
    Show();
    EXPECT_EQ(ListViewCount(list), 0);
    ASSERT_TRUE(player.Close());
}

TEST_F(PlaylistWindowTest, AHundredThousandEntryListLoadsAndShows) {
    std::string text = "#EXTM3U\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "#EXTINF:1,T\r\nC:\\Music\\" + std::to_string(i) + ".mp3\r\n";
    WriteBytes(dir + "big.m3u", text);
    Start();
    Show();
    Press(kLoadList);
    HWND dialog = WaitForDialog("Load Playlist");
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(FillFileDialog(dialog, dir + "big.m3u"));
    ASSERT_TRUE(WaitForRows(100000));
    EXPECT_EQ(ListViewText(list, 0), "C:\\Music\\0.mp3");
    EXPECT_EQ(ListViewText(list, 99999), "C:\\Music\\99999.mp3");
    // The last rows can be scrolled to and selected like any other.
    Send(list, LVM_ENSUREVISIBLE, 99999, FALSE);
    ASSERT_TRUE(ListViewSelect(list, {99998, 99999}));
    Press(kRemove);
    ASSERT_TRUE(WaitForRows(99998));
    EXPECT_EQ(ListViewText(list, 99997), "C:\\Music\\99997.mp3");
    Shot("playlist_100k");
    ASSERT_TRUE(player.Close());
}
