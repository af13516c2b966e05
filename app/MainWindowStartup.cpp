// Start-up of the main window: the single-instance hand-over, placement, and shutdown.
#include <windows.h>

#include "App.h"
#include "AssociationDialog.h"
#include "ExecutionState.h"
#include "MainWindow.h"
#include "Messages.h"
#include "PathText.h"
#include "PlayerApp.h"
#include "resource.h"

namespace {

std::string WindowClassName(HWND hwnd) {
    char name[MAX_PATH] = {};
    ATOM atom = static_cast<ATOM>(::GetClassLongA(hwnd, GCW_ATOM));
    ::GlobalGetAtomNameA(atom, name, MAX_PATH);
    return name;
}

}  // namespace

// A first instance runs: bring it forward, hand it our file and end this one. The window's own
// title is still empty here, so the search never finds this window itself.
bool MainWindow::HandOverToRunningInstance() {
    fw::SetMainDialog(this);
    HWND first = ::FindWindowA(WindowClassName(Hwnd()).c_str(), mTitle);
    if (!first) return false;
    if (::IsIconic(first)) ::ShowWindow(first, SW_RESTORE);
    ::SetForegroundWindow(first);
    if (mPendingPath[0]) {
        // A path that cannot be an atom is handed over as 0: the first instance then asks for a file.
        fw::GlobalAtom atom(mPendingPath);
        if (::PostMessageA(first, WM_FORWARDFILE, 0, atom.Get())) atom.Release();  // the receiver deletes it
        ::Sleep(500);
    }
    EndDialog(2);
    return true;
}

void MainWindow::PlaceAndStart() {
    HWND hwnd = Hwnd();
    int smallSize = ::GetSystemMetrics(SM_CXSMICON);
    mSmallIcon.Reset(static_cast<HICON>(::LoadImageA(mInstance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                     smallSize, smallSize, LR_DEFAULTCOLOR)));
    ::SetWindowTextA(hwnd, mTitle);
    ::SetTimer(hwnd, kDiscPollTimer, kDiscPollPeriodMs, nullptr);
    ::SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(mIcon));
    ::SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mSmallIcon.Get()));
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    ::SetWindowPos(hwnd, nullptr, 160, workArea.bottom - 250, 0, 0, SWP_NOSIZE | SWP_NOOWNERZORDER);

    if (mPendingPath[0]) {
        ClearPlaylist();
        AppendToPlaylist(mPendingPath);
        ::PostMessageA(hwnd, WM_COMMAND, ID_FILE_SELECTDISC, 0);
    }
    CreatePlaylistWindow();
}

BOOL MainWindow::OnInitDialog() {
    if (ReadFirstRunMarker(Profile()) == 0) RunFirstStartAssociation();

    mProgramDirectory = fw::ModuleDirectory(nullptr);
    std::string defaultSkin = mProgramDirectory + "skin\\skin1.ini";
    ::SetWindowTextA(Hwnd(), "TesmaroPlayer");
    if (mCurrentSkin.empty()) mCurrentSkin = defaultSkin;
    SetSkinFile(mCurrentSkin);
    SetSliderHeldFlag(&ThePlayerApp().mSliderHeld);
    SkinDialog::OnInitDialog();

    ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(mIcon));
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mSmallIcon.Get()));
    UpdateButtons(IDC_BUTTON_CLOSE_PLAYLIST);
    SetSliderRange("IDC_SLIDER1_PLAYBACK_POSITION", 600);
    SetSliderRange("IDC_SLIDER1_VOLUME", 100);
    for (const char* field : {"ID_SONG_NAME", "TEXT_POS", "ID_PLAYBACK_TIME", "ID_PLAYBACK_STATUS"}) {
        SetText(field, "");
    }
    SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", mPosition);
    SetSliderPos("IDC_SLIDER1_VOLUME", mVolume);
    return TRUE;
}

void MainWindow::OnForwardFile(ATOM atom) {
    if (atom) {
        ClearPlaylist();
        ::GlobalGetAtomNameA(atom, mPendingPath, MAX_PATH);
        ::GlobalDeleteAtom(atom);
        AppendToPlaylist(mPendingPath);
        mCurrentIndex = 0;
    }
    // Without a path the open-file command asks the user for one.
    ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_SELECTDISC, 0);
}

void MainWindow::OnClose() {
    ::SendMessageA(Hwnd(), WM_COMMAND, ID_FILE_CLOSE, 0);
    mSmallIcon.Reset();
    EndDialog(1);
}

void MainWindow::CleanUp() {
    if (mCleanedUp) return;
    mCleanedUp = true;
    ::KillTimer(Hwnd(), kDiscPollTimer);
    DestroyPlaylistWindow();
    ReleaseDisplay();
    mCurrentIndex = 0;
    mPlaylist.clear();
    WriteExitSettings(Profile(), *this);
}

// The very first start registers the default media types without showing anything: the hidden
// association dialog checks its default set, which is applied at once. The marker is written
// only when that happened, so a start that could not make the dialog tries again next time.
void MainWindow::RunFirstStartAssociation() {
    AssociationDialog associations(Hwnd(), mInstance, Profile());
    if (!associations.Create()) return;
    associations.ApplyNow();
    associations.Destroy();
    WriteFirstRunMarker(Profile());
}
// The disc drives' poll for an inserted disc to start.
void MainWindow::PollDiscs() {}
