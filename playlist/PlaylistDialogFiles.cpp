// The playlist window's buttons that bring entries in from outside or write them out: file
// dialogs, the address dialog, M3U files and the folder search.
#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>

#include "AddressDialog.h"
#include "FolderSearch.h"
#include "Handles.h"
#include "OpenFileDialog.h"
#include "PlaylistDialog.h"
#include "PlaylistFile.h"
#include "PlaylistModel.h"

namespace {

// Filter pairs of the Add Files dialog: display text, then patterns, ending with an empty pair.
constexpr char kMediaFilter[] =
    "Media Files (all types)\0"
    "*.ifo;*.asf;*.wma;*.wmv;*.avi;*.qt;*.mov;*.mpg;*.mpeg;*.m1v;*.dat;*.wav;*.mpa;*.mp2;*.mp3;*.au;*.aif;*."
    "aiff;"
    "*.snd;*.mid;*.midi;*.rmi;*.jpg;*.bmp;*.gif;*.tga;*.jpeg\0"
    "Video DVD (*.ifo)\0*.ifo\0"
    "Windows Media Files (*.asf;*.wma;*.wmv)\0*.asf; *.wma; *.wmv\0"
    "Video Files (*.avi;*.qt;*.mov;*.mpg;*.mpeg;*.m1v;*.dat)\0*.avi; *.qt; *.mov; *.mpg; *.mpeg; "
    "*.m1v;*.dat\0"
    "Audio files (*.wav;*.mpa;*.mp2;*.mp3;*.au;*.aif;*.aiff;*.snd)\0"
    "*.wav; *.mpa; *.mp2; *.mp3; *.au; *.aif; *.aiff; *.snd\0"
    "MIDI Files (*.mid;*.midi;*.rmi)\0*.mid; *.midi; *.rmi\0"
    "Image Files (*.jpg;*.bmp;*.gif;*.tga)\0*.jpg; *.bmp; *.gif; *.tga; *.jpeg\0"
    "Any Files (*.*)\0*.*;\0";

constexpr char kPlaylistFilter[] = "M3U Playlist\0*.m3u\0";
constexpr char kSearchTitle[] = "Search media files in the folder you choose";

// The wait cursor for as long as the object lives.
class WaitCursor {
public:
    WaitCursor() : mOld(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { ::SetCursor(mOld); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR mOld;
};

}  // namespace

void PlaylistDialog::OnAddFiles() {
    std::vector<char> names;
    WORD fileOffset = 0;
    if (!fw::AskForMediaFiles(Hwnd(), kMediaFilter, names, fileOffset)) return;
    AppendEntries(playlist::SplitChosenFiles(names.data(), names.size(), fileOffset));
    RefreshList();
}

void PlaylistDialog::OnAddLocation() {
    std::string address;
    if (AskForAddress(Hwnd(), address)) mHost.PlaylistEntries().Append(address);
    RefreshList();
}

bool PlaylistDialog::AskPlaylistPath(bool save, std::string& path) {
    char buffer[MAX_PATH] = "*.m3u";
    fw::FileDialog dialog;
    dialog.owner = Hwnd();
    dialog.filter = kPlaylistFilter;
    dialog.save = save;
    if (save) {
        dialog.title = "Save Playlist";
        dialog.flags = OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    } else {
        dialog.title = "Load Playlist";
        dialog.flags = OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    }
    if (!fw::AskForFile(dialog, buffer, MAX_PATH)) return false;
    path = buffer;
    return true;
}

void PlaylistDialog::OnLoadList(bool replace) {
    std::string path;
    if (AskPlaylistPath(false, path)) LoadPlaylistFile(path, replace);
}

void PlaylistDialog::OnSaveList() {
    std::string path;
    if (AskPlaylistPath(true, path)) SavePlaylistFile(path);
}

void PlaylistDialog::LoadPlaylistFile(const std::string& path, bool replace) {
    if (replace) mHost.ClearPlaylistAndMedia();
    playlist::FileErrorCause cause = playlist::ReadPlaylistFile(path, mHost.PlaylistEntries());
    // Whatever was read before a failure is shown with the rest.
    RefreshList();
    if (cause != playlist::FileErrorCause::None) ShowMessage(playlist::FileErrorText(cause, path));
}

void PlaylistDialog::SavePlaylistFile(const std::string& path) {
    playlist::FileErrorCause cause = playlist::WritePlaylistFile(path, mHost.PlaylistEntries());
    if (cause != playlist::FileErrorCause::None) ShowMessage(playlist::FileErrorText(cause, path));
}

void PlaylistDialog::OnSearchFiles() {
    std::string folder;
    {
        fw::ComInit com;
        if (!com.Ok()) return;
        Microsoft::WRL::ComPtr<IMalloc> shellMalloc;
        if (FAILED(::SHGetMalloc(&shellMalloc))) return;
        BROWSEINFOA info{};
        info.hwndOwner = Hwnd();
        info.lpszTitle = kSearchTitle;
        info.ulFlags = BIF_RETURNONLYFSDIRS;
        LPITEMIDLIST item = ::SHBrowseForFolderA(&info);
        if (!item) return;
        char path[MAX_PATH] = {};
        BOOL converted = ::SHGetPathFromIDListA(item, path);
        shellMalloc->Free(item);
        if (!converted) return;
        folder = path;
    }
    WaitCursor wait;
    std::vector<std::string> found;
    playlist::FolderSearch search([this](const std::string& text) { ShowMessage(text); });
    if (search.Search(folder, found)) {
        AppendEntries(found);
        RefreshList();
    }
}
