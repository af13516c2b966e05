#include "PlaylistDialog.h"

#include <commctrl.h>

#include <algorithm>

#include "PlaylistModel.h"
#include "resource.h"

namespace {
constexpr char kSelectItems[] = "Please select items!";
constexpr int kColumnWidth = 500;
}  // namespace

PlaylistDialog::PlaylistDialog(PlaylistHost& host) : fw::Dialog(IDD_PLAYLIST, nullptr), mHost(host) {}

BOOL PlaylistDialog::OnInitDialog() {
    mList = Item(IDC_PLAYLIST_LIST);
    ::CheckDlgButton(Hwnd(), IDC_PLAYLIST_RANDOMIZE, mHost.PlaylistShuffle() ? BST_CHECKED : BST_UNCHECKED);
    ListView_SetExtendedListViewStyle(mList, LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidth;
    char title[] = "File Name";
    column.pszText = title;
    ::SendMessageA(mList, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    RefreshList();
    // The window is made hidden while the player is in use: focusing a control now would
    // activate it and take the mouse from whatever the user is dragging in the main window.
    // Showing it activates it, and the dialog then focuses its first control.
    return FALSE;
}

INT_PTR PlaylistDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    }
    return fw::Dialog::WindowProc(msg, wParam, lParam);
}

bool PlaylistDialog::OnCommand(WORD id, WORD code, HWND control) {
    switch (id) {
        case IDC_PLAYLIST_REMOVE:
            OnRemove();
            return true;
        case IDC_PLAYLIST_RANDOMIZE:
            if (code == BN_CLICKED) OnRandomize();
            return true;
        case IDC_PLAYLIST_ADDFILES:
            OnAddFiles();
            return true;
        case IDC_PLAYLIST_ADDLOCATION:
            OnAddLocation();
            return true;
        case IDC_PLAYLIST_LOADLIST:
            OnLoadList(true);
            return true;
        case IDC_PLAYLIST_ADDLIST:
            OnLoadList(false);
            return true;
        case IDC_PLAYLIST_SAVELIST:
            OnSaveList();
            return true;
        case IDC_PLAYLIST_SEARCH:
            OnSearchFiles();
            return true;
        case IDC_PLAYLIST_CLEARALL:
            OnClearAll();
            return true;
    }
    return fw::Dialog::OnCommand(id, code, control);
}

INT_PTR PlaylistDialog::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != mList) return FALSE;
    switch (header.code) {
        case LVN_GETDISPINFOA:
            OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
            return TRUE;
        case LVN_GETDISPINFOW:
            OnGetDispInfo(*reinterpret_cast<NMLVDISPINFOW*>(const_cast<NMHDR*>(&header)));
            return TRUE;
        case LVN_ODFINDITEMA:
            return SetMessageResult(OnFindItem(*reinterpret_cast<const NMLVFINDITEMA*>(&header)));
        case LVN_ODFINDITEMW:
            return SetMessageResult(OnFindItem(*reinterpret_cast<const NMLVFINDITEMW*>(&header)));
        case NM_DBLCLK:
            OnListDoubleClick();
            return TRUE;
    }
    return FALSE;
}

// The list asks for the rows it draws. A row past the end (the playlist shrank elsewhere while
// the window showed it) is drawn empty.
void PlaylistDialog::OnGetDispInfo(NMLVDISPINFOA& info) {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
    const auto& entries = mHost.PlaylistEntries();
    int row = info.item.iItem;
    const char* text = row >= 0 && static_cast<size_t>(row) < entries.size() ? entries.CStr(row) : "";
    ::lstrcpynA(info.item.pszText, text, info.item.cchTextMax);
}

void PlaylistDialog::OnGetDispInfo(NMLVDISPINFOW& info) {
    if (!(info.item.mask & LVIF_TEXT) || !info.item.pszText || info.item.cchTextMax <= 0) return;
    const auto& entries = mHost.PlaylistEntries();
    int row = info.item.iItem;
    info.item.pszText[0] = L'\0';
    if (row < 0 || static_cast<size_t>(row) >= entries.size()) return;
    std::string_view text = entries[row];
    int n = ::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), info.item.pszText,
                                  info.item.cchTextMax - 1);
    info.item.pszText[std::max(n, 0)] = L'\0';
}

// Typing in the list moves to the next row that begins with what was typed; the list keeps no
// texts of its own, so it asks here.
int PlaylistDialog::OnFindItem(const NMLVFINDITEMA& find) {
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    return playlist::FindEntryByPrefix(mHost.PlaylistEntries(), find.lvfi.psz, find.iStart,
                                       (find.lvfi.flags & LVFI_WRAP) != 0);
}

int PlaylistDialog::OnFindItem(const NMLVFINDITEMW& find) {
    if (!(find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) || !find.lvfi.psz) return -1;
    char prefix[MAX_PATH] = {};
    ::WideCharToMultiByte(CP_ACP, 0, find.lvfi.psz, -1, prefix, sizeof(prefix) - 1, nullptr, nullptr);
    return playlist::FindEntryByPrefix(mHost.PlaylistEntries(), prefix, find.iStart,
                                       (find.lvfi.flags & LVFI_WRAP) != 0);
}

void PlaylistDialog::RefreshList() {
    if (!mList) return;
    ListView_DeleteAllItems(mList);
    ListView_SetItemCountEx(mList, static_cast<int>(mHost.PlaylistEntries().size()), 0);
    ::InvalidateRect(mList, nullptr, TRUE);
}

void PlaylistDialog::EntriesAppended() {
    if (!mList) return;
    // Only rows in view are painted, and the rows already there keep their meaning.
    ListView_SetItemCountEx(mList, static_cast<int>(mHost.PlaylistEntries().size()),
                            LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void PlaylistDialog::ShowRefreshed() {
    RefreshList();
    ::ShowWindow(Hwnd(), SW_SHOW);
}

std::vector<int> PlaylistDialog::SelectedRows() const {
    std::vector<int> rows;
    if (!mList) return rows;
    int count = static_cast<int>(mHost.PlaylistEntries().size());
    for (int row = ListView_GetNextItem(mList, -1, LVNI_SELECTED); row >= 0 && row < count;
         row = ListView_GetNextItem(mList, row, LVNI_SELECTED)) {
        rows.push_back(row);
    }
    return rows;
}

void PlaylistDialog::ShowMessage(const std::string& text) {
    ::MessageBoxA(Hwnd(), text.c_str(), mHost.ApplicationTitle(), MB_OK);
}

void PlaylistDialog::AppendEntries(const std::vector<std::string>& entries) {
    auto& playlist = mHost.PlaylistEntries();
    size_t characters = 0;
    for (const std::string& entry : entries)
        characters += entry.size();
    playlist.reserve(entries.size(), characters);
    for (const std::string& entry : entries)
        playlist.Append(entry);
}

void PlaylistDialog::OnOK() {
    if (!mHost.PlaylistEntries().empty()) {
        std::vector<int> rows = SelectedRows();
        int index = 0;
        if (!rows.empty()) {
            index = rows.front();
            mHost.PlaylistCurrentIndex() = index;
        }
        mHost.PlayPlaylistEntry(index);
    }
    EndDialog(IDOK);
}

// Each selected entry would be played in turn, so only the last selected one is: playing the
// others first would post open commands that find no pending path left.
void PlaylistDialog::OnListDoubleClick() {
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        ShowMessage(kSelectItems);
        return;
    }
    mHost.CloseOpenMedia();
    mHost.PlaylistCurrentIndex() = rows.back();
    mHost.PlayPlaylistEntry(rows.back());
}

void PlaylistDialog::OnRemove() {
    std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        ShowMessage(kSelectItems);
        return;
    }
    mHost.PlaylistEntries().RemoveRows(rows);
    mHost.PlaylistCurrentIndex() = 0;
    RefreshList();
}

void PlaylistDialog::OnRandomize() {
    mHost.PlaylistShuffle() = ::IsDlgButtonChecked(Hwnd(), IDC_PLAYLIST_RANDOMIZE) == BST_CHECKED ? 1 : 0;
}

// Unlike clearing the playlist from the main window, the media that plays goes on playing.
void PlaylistDialog::OnClearAll() {
    mHost.PlaylistEntries().clear();
    mHost.PlaylistCurrentIndex() = 0;
    RefreshList();
}
