// The playlist window: a modeless dialog that shows the owner's playlist and edits it. It keeps
// no entries of its own; every button acts on the owner's list and then refreshes the rows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Dialog.h"
#include "PlaylistHost.h"

class PlaylistDialog : public fw::Dialog {
public:
    explicit PlaylistDialog(PlaylistHost& host);

    // The rows become the playlist's entries again (and nothing is selected).
    void RefreshList();
    // Entries were added at the end: new rows, the selected ones stay selected.
    void EntriesAppended();
    // Refreshes the rows and shows the window.
    void ShowRefreshed();

    // Reads an M3U file into the playlist; replace first clears it (closing the media).
    void LoadPlaylistFile(const std::string& path, bool replace);
    void SavePlaylistFile(const std::string& path);

    // The selected rows in ascending order, each naming an entry of the playlist.
    std::vector<int> SelectedRows() const;
    HWND List() const { return mList; }

protected:
    INT_PTR WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;  // Play
    void OnCancel() override { EndDialog(IDCANCEL); }

private:
    INT_PTR OnNotify(const NMHDR& header);
    void OnGetDispInfo(NMLVDISPINFOA& info);
    void OnGetDispInfo(NMLVDISPINFOW& info);
    int OnFindItem(const NMLVFINDITEMA& find);
    int OnFindItem(const NMLVFINDITEMW& find);
    void OnListDoubleClick();
    void OnRemove();
    void OnRandomize();
    void OnAddFiles();
    void OnAddLocation();
    void OnLoadList(bool replace);
    void OnSaveList();
    void OnSearchFiles();
    void OnClearAll();

    // The path the user chose in the playlist-file dialog; false when cancelled.
    bool AskPlaylistPath(bool save, std::string& path);
    void AppendEntries(const std::vector<std::string>& entries);
    void ShowMessage(const std::string& text);

    PlaylistHost& mHost;
    HWND mList = nullptr;
};
