// The playlist window in this process on a recording owner: rows, buttons, selection rules and
// messages, through the window's real controls and messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "Driver.h"
#include "PlaylistDialog.h"
#include "resource.h"

using namespace e2e;
using Entries = playlist::Playlist;

namespace {

// The owner's side as MainWindow keeps it, with a record of the calls that play or close.
struct RecordingHost : PlaylistHost {
    Entries entries;
    int currentIndex = 0;
    int shuffle = 0;
    std::vector<int> played;
    int closes = 0;
    int clears = 0;

    Entries& PlaylistEntries() override { return entries; }
    int& PlaylistCurrentIndex() override { return currentIndex; }
    int& PlaylistShuffle() override { return shuffle; }
    void ClearPlaylistAndMedia() override {
        ++clears;
        ++closes;
        entries.clear();
        currentIndex = 0;
    }
    void CloseOpenMedia() override { ++closes; }
    bool PlayPlaylistEntry(int index) override {
        if (index < 0 || index >= static_cast<int>(entries.size())) return false;
        played.push_back(index);
        return true;
    }
    const char* ApplicationTitle() const override { return "Tesmaro Player"; }
};

class PlaylistWindow : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&icc);
        host.entries = {"e0", "e1", "e2", "e3", "e4"};
        ASSERT_TRUE(dialog.Create());
        dialog.ShowRefreshed();
        boxes = std::make_unique<MessageBoxGuard>(::GetCurrentProcessId());
        dir = MakeTempDirectory("pldlg");
    }
    void Press(int id) { ::SendMessageA(dialog.Item(id), BM_CLICK, 0, 0); }
    void DoubleClickRow(int row) {
        POINT p = ListViewRowPoint(dialog.List(), row);
        ::SendMessageA(dialog.List(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(p.x, p.y));
    }

    RecordingHost host;
    PlaylistDialog dialog{host};
    std::unique_ptr<MessageBoxGuard> boxes;
    std::string dir;
};

// The texts of the list's rows, as a playlist to compare with the owner's.
Entries Rows(HWND list) {
    Entries rows;
    for (const std::string& text : ListViewTexts(list))
        rows.Append(text);
    return rows;
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST_F(PlaylistWindow, TheTemplateHasEveryControlWithItsCaption) {
    EXPECT_EQ(WindowText(dialog.Hwnd()), "Playlist");
    const std::pair<int, const char*> buttons[] = {
        {IDOK, "&Play"},         {IDCANCEL, "&Close"},    {1044, "Remo&ve"},   {1045, "Add &Files"},
        {1046, "Add Loc&ation"}, {1047, "&Load List"},    {1048, "Add Lis&t"}, {1049, "&Save List"},
        {1103, "Ra&ndomize"},    {1104, "S&earch Files"}, {1105, "Clea&r All"}};
    for (auto [id, caption] : buttons) {
        ASSERT_TRUE(dialog.Item(id)) << id;
        EXPECT_EQ(WindowText(dialog.Item(id)), caption);
    }
    EXPECT_EQ(ClassName(dialog.List()), "SysListView32");
    LONG style = ::GetWindowLongA(dialog.List(), GWL_STYLE);
    EXPECT_EQ(style & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_FALSE(style & LVS_SINGLESEL);
    DWORD ex = ListView_GetExtendedListViewStyle(dialog.List());
    EXPECT_TRUE(ex & LVS_EX_GRIDLINES);
    EXPECT_TRUE(ex & LVS_EX_FULLROWSELECT);
    char title[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = title;
    column.cchTextMax = sizeof(title);
    ASSERT_TRUE(::SendMessageA(dialog.List(), LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ(title, "File Name");
    EXPECT_EQ(column.cx, 500);
    EXPECT_NE(FindChild(dialog.Hwnd(), "Button", "Add"), nullptr);
    EXPECT_NE(FindChild(dialog.Hwnd(), "Button", "Playlist"), nullptr);
}

TEST_F(PlaylistWindow, RowsMirrorThePlaylistAfterEveryRefresh) {
    EXPECT_EQ(Rows(dialog.List()), host.entries);
    host.entries.Append("http://host/clip.wmv");
    EXPECT_EQ(ListViewCount(dialog.List()), 5);  // stale until refreshed
    dialog.RefreshList();
    EXPECT_EQ(Rows(dialog.List()), host.entries);
    // Rows the list still shows after the playlist shrank elsewhere read as empty, not past the end.
    host.entries = {"e0"};
    EXPECT_EQ(ListViewText(dialog.List(), 4), "");
}

TEST_F(PlaylistWindow, TypingInTheListGoesToTheRowThatBeginsWithIt) {
    host.entries = {"alpha.avi", "beta.avi", "Gamma.avi", "gold.avi"};
    dialog.RefreshList();
    ::SetFocus(dialog.List());
    ::SendMessageA(dialog.List(), WM_CHAR, 'g', 1);
    EXPECT_EQ(ListView_GetNextItem(dialog.List(), -1, LVNI_FOCUSED), 2);
    ::SendMessageA(dialog.List(), WM_CHAR, 'o', 1);
    EXPECT_EQ(ListView_GetNextItem(dialog.List(), -1, LVNI_FOCUSED), 3);
}

TEST_F(PlaylistWindow, RemovingRowsOneAndThreeOfFiveLeavesZeroTwoFour) {
    host.currentIndex = 4;
    ASSERT_TRUE(ListViewSelect(dialog.List(), {1, 3}));
    Press(IDC_PLAYLIST_REMOVE);
    EXPECT_EQ(host.entries, (Entries{"e0", "e2", "e4"}));
    EXPECT_EQ(host.currentIndex, 0);
    EXPECT_EQ(Rows(dialog.List()), host.entries);
    EXPECT_EQ(host.closes, 0);  // what plays is not touched
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(PlaylistWindow, RemoveAndDoubleClickWithoutASelectionAskForOne) {
    Press(IDC_PLAYLIST_REMOVE);
    auto box = boxes->WaitForBox(3000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Tesmaro Player");
    EXPECT_EQ(box->text, "Please select items!");
    EXPECT_EQ(host.entries.size(), 5u);

    ListViewSelect(dialog.List(), {});
    RECT client = ClientRect(dialog.List());
    ::SendMessageA(dialog.List(), WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, client.bottom - 5));
    box = boxes->WaitForBox(3000, 1);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, "Please select items!");
    EXPECT_TRUE(host.played.empty());
    EXPECT_EQ(host.closes, 0);
}

TEST_F(PlaylistWindow, PlayStartsTheFirstSelectedRowAndHidesTheWindow) {
    ListViewSelect(dialog.List(), {2, 4});
    Press(IDOK);
    EXPECT_EQ(host.played, std::vector<int>{2});
    EXPECT_EQ(host.currentIndex, 2);
    EXPECT_FALSE(IsShown(dialog.Hwnd()));
}

TEST_F(PlaylistWindow, PlayWithoutASelectionStartsTheFirstEntryAndKeepsTheIndex) {
    host.currentIndex = 3;
    Press(IDOK);
    EXPECT_EQ(host.played, std::vector<int>{0});
    EXPECT_EQ(host.currentIndex, 3);
    EXPECT_FALSE(IsShown(dialog.Hwnd()));

    host.entries.clear();
    dialog.ShowRefreshed();
    Press(IDOK);
    EXPECT_EQ(host.played.size(), 1u);  // nothing more to play
    EXPECT_FALSE(IsShown(dialog.Hwnd()));
}

TEST_F(PlaylistWindow, CloseHidesWithoutPlaying) {
    Press(IDCANCEL);
    EXPECT_FALSE(IsShown(dialog.Hwnd()));
    EXPECT_TRUE(host.played.empty());
    dialog.ShowRefreshed();
    EXPECT_TRUE(IsShown(dialog.Hwnd()));
}

TEST_F(PlaylistWindow, DoubleClickClosesTheMediaAndPlaysTheLastSelectedRow) {
    ListViewSelect(dialog.List(), {1, 3});
    DoubleClickRow(3);
    EXPECT_EQ(host.closes, 1);
    EXPECT_EQ(host.played, std::vector<int>{3});
    EXPECT_EQ(host.currentIndex, 3);
    EXPECT_TRUE(IsShown(dialog.Hwnd()));  // stays open
}

TEST_F(PlaylistWindow, RandomizeFollowsTheCheckBoxOnEveryClick) {
    Press(IDC_PLAYLIST_RANDOMIZE);
    EXPECT_EQ(host.shuffle, 1);
    Press(IDC_PLAYLIST_RANDOMIZE);
    EXPECT_EQ(host.shuffle, 0);
    Press(IDC_PLAYLIST_RANDOMIZE);
    EXPECT_EQ(host.shuffle, 1);
}

TEST_F(PlaylistWindow, TheCheckBoxStartsFromTheShuffleFlag) {
    RecordingHost shuffled;
    shuffled.shuffle = 1;
    PlaylistDialog other(shuffled);
    ASSERT_TRUE(other.Create());
    EXPECT_EQ(::IsDlgButtonChecked(other.Hwnd(), IDC_PLAYLIST_RANDOMIZE), BST_CHECKED);
    EXPECT_EQ(::IsDlgButtonChecked(dialog.Hwnd(), IDC_PLAYLIST_RANDOMIZE), BST_UNCHECKED);
}

TEST_F(PlaylistWindow, ClearAllEmptiesTheListButLeavesTheMediaPlaying) {
    host.currentIndex = 2;
    Press(IDC_PLAYLIST_CLEARALL);
    EXPECT_TRUE(host.entries.empty());
    EXPECT_EQ(host.currentIndex, 0);
    EXPECT_EQ(host.closes, 0);
    EXPECT_EQ(ListViewCount(dialog.List()), 0);
}

TEST_F(PlaylistWindow, LoadingReplacesOrAppendsAndSavingWritesTheRows) {
    std::string list = dir + "list.m3u";
    std::ofstream(list, std::ios::binary) << "#EXTM3U\r\nC:\\x\\one.avi\r\n\r\ntwo.mp3\n";
    dialog.LoadPlaylistFile(list, true);
    EXPECT_EQ(host.clears, 1);
    EXPECT_EQ(host.entries, (Entries{"C:\\x\\one.avi", "two.mp3"}));
    EXPECT_EQ(Rows(dialog.List()), host.entries);

    dialog.LoadPlaylistFile(list, false);
    EXPECT_EQ(host.clears, 1);
    EXPECT_EQ(host.entries.size(), 4u);
    EXPECT_EQ(ListViewCount(dialog.List()), 4);

    dialog.SavePlaylistFile(dir + "saved.m3u");
    EXPECT_EQ(ReadBytes(dir + "saved.m3u"),
              "C:\\x\\one.avi\r\ntwo.mp3\r\nC:\\x\\one.avi\r\ntwo.mp3\r\n");
    EXPECT_TRUE(boxes->Seen().empty());
}

TEST_F(PlaylistWindow, AFailedLoadReportsTheFileAndStillClearsForReplace) {
    dialog.LoadPlaylistFile(dir + "missing.m3u", true);
    auto box = boxes->WaitForBox(3000);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->caption, "Tesmaro Player");
    EXPECT_EQ(box->text, dir + "missing.m3u was not found.");
    EXPECT_EQ(host.clears, 1);
    EXPECT_TRUE(host.entries.empty());
    EXPECT_EQ(ListViewCount(dialog.List()), 0);

    dialog.SavePlaylistFile(dir + "no\\folder\\x.m3u");
    box = boxes->WaitForBox(3000, 1);
    ASSERT_TRUE(box);
    EXPECT_EQ(box->text, dir + "no\\folder\\x.m3u contains an invalid path.");
}

namespace {
// Fills the address dialog once it appears and presses one of its buttons, from another thread.
std::thread AnswerAddressDialog(const std::string& text, int button) {
    return std::thread([text, button] {
        HWND box = WaitForWindow("#32770", "Input a URL to open here", ::GetCurrentProcessId(), 5000);
        if (!box) return;
        ::SendMessageA(::GetDlgItem(box, IDC_ADDRESS), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, button)));
    });
}
}  // namespace

TEST_F(PlaylistWindow, AddLocationAppendsWhatWasTypedEvenWhenEmpty) {
    std::thread answer = AnswerAddressDialog("http://www.example.com/a.wmv", IDOK);
    Press(IDC_PLAYLIST_ADDLOCATION);
    answer.join();
    answer = AnswerAddressDialog("", IDOK);
    Press(IDC_PLAYLIST_ADDLOCATION);
    answer.join();
    answer = AnswerAddressDialog("cancelled", IDCANCEL);
    Press(IDC_PLAYLIST_ADDLOCATION);
    answer.join();
    ASSERT_EQ(host.entries.size(), 7u);
    EXPECT_EQ(host.entries[5], "http://www.example.com/a.wmv");
    EXPECT_EQ(host.entries[6], "");
    EXPECT_EQ(ListViewCount(dialog.List()), 7);
}

TEST_F(PlaylistWindow, AnOverlongAddressIsCutToTheEntryLimit) {
    std::thread answer = AnswerAddressDialog("http://h/" + std::string(400, 'a'), IDOK);
    Press(IDC_PLAYLIST_ADDLOCATION);
    answer.join();
    ASSERT_EQ(host.entries.size(), 6u);
    EXPECT_EQ(host.entries[5], ("http://h/" + std::string(400, 'a')).substr(0, 259));
}
