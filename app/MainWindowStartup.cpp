// Start-up of the main window: the single-instance hand-over, placement, and shutdown.
#include <windows.h>

#include "App.h"
#include "AssociationDialog.h"
#include "Captions.h"
#include "ComOnDemand.h"
#include "ExecutionState.h"
#include "FileError.h"
#include "FileSystem.h"
#include "MainWindow.h"
#include "Messages.h"
#include "PathText.h"
#include "PlayerApp.h"
#include "PlaylistDialog.h"
#include "PlaylistFile.h"
#include "PlaylistModel.h"
#include "resource.h"

namespace {

// Starts that look for the running instance take turns, and the one that finds none keeps the
// turn until its window carries the title the others look for: two players started at the same
// moment would otherwise both find nothing and both become the first.
constexpr char kInstanceLockName[] = "TesmaroPlayer.InstanceCheck";
constexpr DWORD kInstanceLockWaitMs = 15000;

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
    mInstanceLock.Reset(::CreateMutexA(nullptr, FALSE, kInstanceLockName));
    // An abandoned turn (a start that died holding it) is ours as well; after the time-out the
    // check runs without a turn rather than not at all.
    if (mInstanceLock && ::WaitForSingleObject(mInstanceLock.Get(), kInstanceLockWaitMs) == WAIT_TIMEOUT)
        mInstanceLock.Reset();
    HWND first = ::FindWindowA(WindowClassName(Hwnd()).c_str(), mTitle);
    if (!first) return false;
    ReleaseInstanceLock();  // the next start may look while this one hands over
    if (::IsIconic(first)) ::ShowWindow(first, SW_RESTORE);
    ::SetForegroundWindow(first);
    if (mPendingPath[0]) {
        // A path that cannot be an atom is handed over as 0: the first instance then asks for a file.
        // Nothing here waits for it to arrive: a global atom outlives this process, and the
        // receiver deletes it.
        fw::GlobalAtom atom(mPendingPath);
        if (::PostMessageA(first, WM_FORWARDFILE, 0, atom.Get())) atom.Release();
    }
    EndDialog(2);
    return true;
}

void MainWindow::ReleaseInstanceLock() {
    if (mInstanceLock) ::ReleaseMutex(mInstanceLock.Get());
    mInstanceLock.Reset();
}

void MainWindow::PlaceAndStart() {
    mPlaced = true;
    HWND hwnd = Hwnd();
    ::SetWindowTextA(hwnd, mTitle);
    ReleaseInstanceLock();  // from now on other starts find this window
    ::SetTimer(hwnd, kDiscPollTimer, kDiscPollPeriodMs, nullptr);
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    ::SetWindowPos(hwnd, nullptr, 160, workArea.bottom - 250, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (mPendingPath[0]) {
        // Files handed over by starts made together with this one join its playlist.
        mLastHandOverAt = ::GetTickCount();
        mHandOverSeen = true;
        mLastWasOwnStart = true;
        mStartsTogether.Take();
        std::string path = mPendingPath;
        ReceivePath(path, true);
    }
}

// What the window does not need to be seen: its icons (the window system's copy of an icon costs
// a few milliseconds), COM, the table of disc drives and the hidden playlist window. Done once the
// face is first painted, or first thing for a command, hand-over or timer that comes sooner; COM
// is also started by whatever needs it earlier (opening media, a picture only OLE reads).
void MainWindow::FinishStartup() {
    if (mStartupFinished) return;
    mStartupFinished = true;
    int smallSize = ::GetSystemMetrics(SM_CXSMICON);
    mSmallIcon.Reset(static_cast<HICON>(::LoadImageA(mInstance, MAKEINTRESOURCEA(IDI_MAIN), IMAGE_ICON,
                                                     smallSize, smallSize, LR_DEFAULTCOLOR)));
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(mIcon));
    ::SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(mSmallIcon.Get()));
    fw::EnsureCom();
    mDrives.ScanDrives();
    CreatePlaylistWindow();
}

// A window started minimised is not painted: the rest of the start-up is done at once instead.
void MainWindow::ShowModal() {
    SkinDialog::ShowModal();
    if (::IsIconic(Hwnd()) || !::IsWindowVisible(Hwnd())) FinishStartup();
}

BOOL MainWindow::OnInitDialog() {
    if (ReadFirstRunMarker(Profile()) == 0) RunFirstStartAssociation();

    mProgramDirectory = fw::ModuleDirectory(nullptr);
    std::string defaultSkin = mProgramDirectory + "skin\\skin1.ini";
    ::SetWindowTextA(Hwnd(), kInstanceTitle);
    if (mSettings.mCurrentSkin.empty()) mSettings.mCurrentSkin = defaultSkin;
    // A stored skin that is not there now (on a drive not attached, or removed with an older
    // installation) gives way to the normal one for this run, or the window would have no face
    // at all; the setting stays until the user picks another skin.
    SetSkinFile(fw::FileExists(mSettings.mCurrentSkin.c_str()) ? mSettings.mCurrentSkin : defaultSkin);
    SetSliderHeldFlag(&ThePlayerApp().mSliderHeld);
    SkinDialog::OnInitDialog();
    if (LastSkinRefusal() != SkinRefusal::None) FallBackFromRefusedSkin(defaultSkin);

    UpdateButtons(IDC_BUTTON_CLOSE_PLAYLIST);
    SetSliderRange("IDC_SLIDER1_PLAYBACK_POSITION", 600);
    SetSliderRange("IDC_SLIDER1_VOLUME", 100);
    for (const char* field : {"ID_SONG_NAME", "TEXT_POS", "ID_PLAYBACK_TIME", "ID_PLAYBACK_STATUS"}) {
        SetText(field, "");
    }
    SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", mPosition);
    SetSliderPos("IDC_SLIDER1_VOLUME", mSettings.mVolume);
    if (mRefusedWhy != SkinRefusal::None) {
        TellSkinRefused(mRefusedSkin, mRefusedWhy, mRefusedFallback);
        mRefusedWhy = SkinRefusal::None;
    }
    // No focus is given while the window is hidden: focusing a control would activate the hidden
    // window, a costly round with the window system; showing it activates it and gives the focus.
    return FALSE;
}

// Several hand-overs close together are one request: a user who selected several files in the
// shell and pressed Enter starts one player per file. The first of such a burst replaces the
// playlist and opens its file, as a single second start always does; every later one is appended
// to the playlist in the order it arrived and opens nothing, so the files are all received and
// the first keeps playing. Arrival is the time the message was posted, so a hand-over that
// waited behind a long open still counts from when it was sent.
bool MainWindow::JoinsHandOverBurst() const {
    if (!mHandOverSeen) return false;
    LONG sentAt = ::GetMessageTime();
    LONG since = sentAt - static_cast<LONG>(mLastHandOverAt);
    return mLastWasOwnStart ? mStartsTogether.Sent(since, static_cast<DWORD>(sentAt)) : since < kHandOverBurstMs;
}

void MainWindow::OnForwardFile(ATOM atom) {
    bool joins = JoinsHandOverBurst();
    mLastHandOverAt = static_cast<DWORD>(::GetMessageTime());
    mHandOverSeen = true;
    mLastWasOwnStart = false;
    // Hand-overs come one message a path. While more are queued, the playlist window's rows wait
    // for the last of them: under Wine a list view's row count costs more the more rows it has,
    // and setting it once a path made a burst of 2000 take a minute.
    MSG next;
    bool moreQueued = ::PeekMessageA(&next, Hwnd(), WM_FORWARDFILE, WM_FORWARDFILE, PM_NOREMOVE) != FALSE;
    if (!atom) {
        // A path that could not be sent: the open-file command asks the user for it.
        if (mPlaylistDialog && !moreQueued) mPlaylistDialog->EntriesAppended();
        ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_SELECTDISC, 0);
        return;
    }
    char path[MAX_PATH] = {};
    ::GlobalGetAtomNameA(atom, path, MAX_PATH);
    ::GlobalDeleteAtom(atom);
    ReceivePath(path, !joins, moreQueued);
}

// A playlist file is read into the playlist, as the playlist window would read it, and its first
// entry plays; its bytes never reach the media decoders. Anything else is one entry. `replace`
// starts afresh and opens the first entry; otherwise the entries are appended, and they open
// only when the playlist had nothing to play before. `rowsLater`: a later hand-over shows the row.
void MainWindow::ReceivePath(const std::string& path, bool replace, bool rowsLater) {
    if (replace) {
        ClearPlaylist();
        mPendingPath[0] = '\0';  // a playlist file that names nothing leaves nothing to open
    }
    bool startOpen = replace || mPlaylist.empty();
    if (playlist::IsPlaylistFile(path)) {
        playlist::FileErrorCause cause = playlist::ReadPlaylistFile(path, mPlaylist);
        if (mPlaylistDialog) mPlaylistDialog->EntriesAppended();
        if (cause != playlist::FileErrorCause::None)
            ::MessageBoxA(Hwnd(), playlist::FileErrorText(cause, path).c_str(), mProductName, MB_OK);
    } else if (rowsLater) {
        mPlaylist.Append(path.c_str());
    } else {
        AppendToPlaylist(path.c_str());
    }
    if (!startOpen || mPlaylist.empty()) return;
    mCurrentIndex = 0;
    PlayEntry(0);
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
    WriteExitSettings(Profile(), mSettings);
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
