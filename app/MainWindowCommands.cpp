// The command dispatcher of the main window, its popup menu, tooltips and the playlist steps.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdlib>

#include "AboutDialog.h"
#include "AddressDialog.h"
#include "EngineCommands.h"
#include "MainWindow.h"
#include "Messages.h"
#include "PathText.h"
#include "PlaybackEngine.h"
#include "Settings.h"
#include "SettingsDialog.h"
#include "StatusText.h"
#include "resource.h"

namespace {

// Command 40080: the dialog starts from the in-memory values and the stored full-screen wish;
// only OK takes them back, and writes them in the store's order.
void RunSettingsDialog(HINSTANCE instance, HWND owner, void* mainWindow, PlayerSettings& settings,
                       const fw::Profile& profile) {
    SettingsDialogRecord record;
    record.instance = instance;
    record.parent = owner;
    record.mainWindow = mainWindow;
    record.autoStart = settings.mAutoStart;
    record.skipForward = settings.mSkipForward;
    record.skipBackward = settings.mSkipBackward;
    record.fastForward = settings.mFastForward;
    record.fastBackward = settings.mFastBackward;
    record.slowForward = settings.mSlowlyForward;
    record.slowBackward = settings.mSlowlyBackward;
    record.fullScreenOnPlay = ReadStoredFullscreen(profile);
    if (!ShowSettingsDialog(record)) return;
    settings.mAutoStart = record.autoStart;
    settings.mSkipForward = record.skipForward;
    settings.mSkipBackward = record.skipBackward;
    settings.mFastForward = record.fastForward;
    settings.mFastBackward = record.fastBackward;
    settings.mSlowlyForward = record.slowForward;
    settings.mSlowlyBackward = record.slowBackward;
    settings.mFullscreen = record.fullScreenOnPlay;
    WriteDialogSettings(profile, settings);
}

}  // namespace

bool MainWindow::OnCommand(WORD id, WORD, HWND) {
    if (OnDiscCommand(id)) return true;
    switch (id) {
        case ID_BUTTON_MINIMIZE:
            ::ShowWindow(Hwnd(), SW_MINIMIZE);
            break;
        case IDC_BUTTON1_FILELIST_LOOP:
            mRepeatList = !mRepeatList;
            ::InvalidateRect(Hwnd(), nullptr, FALSE);
            break;
        case IDC_BUTTON_CLOSE_PLAYLIST:
            ClearPlaylist();
            UpdateButtons(IDC_BUTTON_CLOSE_PLAYLIST);
            break;
        case ID_APP_ABOUT:
            ShowAbout();
            break;
        case ID_FILE_EXIT:
            ::PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
            break;
        case ID_FILE_SELECTDISC:
            OpenMedia();
            break;
        case ID_FILE_CLOSE:
            CloseMedia();
            UpdateButtons(ID_FILE_CLOSE);
            break;
        case ID_PLAYBACK_NEXTCHAPTER:
            if (mEngine && !mEngine->NextChapter()) PlayNext();
            break;
        case ID_PLAYBACK_PREVIOUSCHAPTER:
            if (mEngine && !mEngine->PreviousChapter()) PlayPrevious();
            break;
        case ID_FILE_OPENURL:
            OpenAddress();
            break;
        case ID_WEBSITE:
            OpenHomepage();
            break;
        case ID_POPUP_HELP:
            OpenHelp();
            break;
        case ID_CHANGE_SKIN:
            ToggleSkin();
            break;
        case ID_OPEN_PLAYLIST:
            ShowPlaylistWindow();
            break;
        case ID_SETUP:
            RunSettingsDialog(mInstance, Hwnd(), this, mSettings, Profile());
            break;
        default:
            // Everything else acts on what is open, as it does from the video windows.
            if (mEngine) RunEngineCommand(*mEngine, id, CurrentTransportSettings());
            break;
    }
    // Identifiers without an action do nothing, IDOK and IDCANCEL included.
    return true;
}

void MainWindow::PlayNext() {
    if (!mEngine) return;
    int count = static_cast<int>(mPlaylist.size());
    if (mShuffle) {
        mCurrentIndex = ShuffleIndex(std::rand(), count);
        PlayEntry(mCurrentIndex);
        return;
    }
    if (mCurrentIndex + 1 >= count) {
        if (!mRepeatList) return;  // the index stays on the last entry
        mCurrentIndex = 0;
        PlayEntry(0);
        return;
    }
    PlayEntry(++mCurrentIndex);
}

void MainWindow::PlayPrevious() {
    if (!mEngine) return;
    if (--mCurrentIndex < 0) {
        mCurrentIndex = 0;
        return;
    }
    PlayEntry(mCurrentIndex);
}

void MainWindow::OpenAddress() {
    std::string address;
    // OK on nothing typed opens nothing: the playlist and what plays stay, as with Cancel.
    if (!AskForAddress(Hwnd(), address) || IsBlankAddress(address)) return;
    ClearPlaylist();
    AppendToPlaylist(address.c_str());
    mCurrentIndex = 0;
    CopyPath(mPendingPath, address);
    ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_SELECTDISC, 0);
}

void MainWindow::ShowAbout() {
    AboutDialog about(Hwnd());
    about.DoModal();
}

void MainWindow::OpenHomepage() {
    ::ShellExecuteA(nullptr, "open", kProductWebPage, nullptr, nullptr, SW_SHOWNORMAL);
}

void MainWindow::OpenHelp() {
    // The viewer takes the unquoted path; a missing viewer or file fails silently.
    std::string command = "hh.exe " + mProgramDirectory + "help.chm::/Introduction.htm";
    ::WinExec(command.c_str(), SW_SHOW);
}

INT_PTR MainWindow::OnNotify(NMHDR* header, WPARAM wParam, LPARAM lParam) {
    if (header && header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(header);
        if (const char* text = TooltipText(static_cast<unsigned>(header->idFrom)))
            info->lpszText = const_cast<char*>(text);
        return SetMessageResult(0);
    }
    // Other notifications belong to the skinned controls.
    return SkinDialog::WindowProc(WM_NOTIFY, wParam, lParam);
}

void MainWindow::ShowOpenResourceMenu(WPARAM flags, LPARAM point) {
    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    if (flags == MK_SCREENPOINT) ::ScreenToClient(Hwnd(), &at);
    fw::MenuHandle menu(::LoadMenuA(mInstance, MAKEINTRESOURCEA(IDR_OPENRESOURCE)));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    AddDriveItems(popup, 2);  // between the two separators
    ::ClientToScreen(Hwnd(), &at);
    ::TrackPopupMenu(popup, TPM_LEFTBUTTON, at.x, at.y, 0, Hwnd(), nullptr);
}
