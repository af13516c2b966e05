#include "MainWindow.h"

#include <windows.h>
#include <mmsystem.h>

#include <cstdlib>
#include <ctime>

#include "App.h"
#include "Captions.h"
#include "ExecutionState.h"
#include "GdiCount.h"
#include "PlaybackEngine.h"
#include "Messages.h"
#include "PathText.h"
#include "PlaylistDialog.h"
#include "QueueMark.h"
#include "resource.h"

TransportSettings MainWindow::CurrentTransportSettings() const {
    const PlayerSettings& s = mSettings;
    return {s.mSkipForward, s.mSkipBackward, s.mFastForward, s.mFastBackward, s.mSlowlyForward, s.mSlowlyBackward};
}

MainWindow::MainWindow(HINSTANCE instance, const std::string& pendingPath)
    : SkinDialog(IDD_MAIN, nullptr), mInstance(instance) {
    CopyPath(mProductName, kProductName);
    ::LoadStringA(instance, IDS_TITLE, mTitle, sizeof(mTitle));
    // A path longer than the buffer is cut; it then fails to open like any missing file.
    CopyPath(mPendingPath, pendingPath);
    mIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
    // The display stays on for the whole life of the window, playing or not.
    KeepDisplayOn();
    ReadSettings(Profile(), mSettings);
    ClampToDialogRanges(mSettings);
    mPlaylistDialog = std::make_unique<PlaylistDialog>(static_cast<PlaylistHost&>(*this));
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MainWindow::~MainWindow() {
    Destroy();
}

const fw::Profile& MainWindow::Profile() const {
    return fw::App::Current()->GetProfile();
}

// Every change of the playlist reaches the playlist window at once, whatever made it: a shown
// list that is no longer the playlist would play another entry than the row the user picks.
void MainWindow::AppendToPlaylist(const char* entry) {
    mPlaylist.Append(entry);
    if (mPlaylistDialog) mPlaylistDialog->EntriesAppended();
}

bool MainWindow::PlayEntry(int index) {
    if (index < 0 || index >= static_cast<int>(mPlaylist.size())) return false;
    CopyPath(mPendingPath, mPlaylist[index]);  // an entry longer than the buffer is cut
    ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_SELECTDISC, 0);
    return true;
}

bool MainWindow::IsMediaOpen() const {
    return mEngine != nullptr;
}

void MainWindow::ClearPlaylist() {
    CloseMedia();
    mPlaylist.clear();
    mCurrentIndex = 0;
    if (mPlaylistDialog) mPlaylistDialog->RefreshList();
}

void MainWindow::CloseMedia() {
    if (mEngine) {
        mSettings.mFullscreen = mEngine->FullScreenMemory(mSettings.mFullscreen);
        mEngine.reset();  // the engine closes its media as it goes
    }
    mPosition = 0;
    SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", 0);
    if (Hwnd()) ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

void MainWindow::NoteProhibited() {
    mProhibitedAt = ::timeGetTime();
    ::InvalidateRect(Hwnd(), nullptr, FALSE);
}

DWORD MainWindow::Repaint() {
    return ::InvalidateRect(Hwnd(), nullptr, FALSE) ? 0 : ::GetLastError();
}

bool MainWindow::EngineBusy() const {
    return mOpenDepth > 0 || (mEngine && mEngine->InModalLoop());
}

bool MainWindow::DeferIfBusy(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!EngineBusy()) return false;
    // A hand-over that joins a burst only appends to the playlist, which is safe at any time.
    bool replacesEngine = msg == WM_FORWARDFILE && !JoinsHandOverBurst();
    if (msg == WM_COMMAND) {
        switch (LOWORD(wParam)) {
            case ID_FILE_SELECTDISC:
            case ID_FILE_CLOSE:
            case ID_PLAYBACK_NEXTCHAPTER:
            case ID_PLAYBACK_PREVIOUSCHAPTER:
            case IDC_BUTTON_CLOSE_PLAYLIST:
            case ID_FILE_OPENURL:
            case ID_PLAY_DISK:
                replacesEngine = true;
                break;
        }
        // Opening a disc replaces the engine, and a tray may close it.
        WORD id = LOWORD(wParam);
        if ((id >= ID_DRIVE_OPEN_BASE && id < ID_DRIVE_OPEN_BASE + disc::kMaxDrives) ||
            (id >= ID_DRIVE_EJECT_BASE && id < ID_DRIVE_EJECT_BASE + disc::kMaxDrives))
            replacesEngine = true;
    }
    if (!replacesEngine) return false;
    mDeferred.push_back({msg, wParam, lParam});
    return true;
}

void MainWindow::ReplayDeferred() {
    if (mDeferred.empty() || EngineBusy()) return;
    std::vector<DeferredMessage> pending;
    pending.swap(mDeferred);
    for (const DeferredMessage& m : pending)
        ::PostMessageA(Hwnd(), m.msg, m.wParam, m.lParam);
}

fw::PreTranslate MainWindow::PreTranslateMessage(MSG& msg) {
    // Escape never reaches the dialog's keyboard handling, so it cannot close the window.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return fw::PreTranslate::Dispatch;
    if (msg.message == WM_CHAR) {
        switch (msg.wParam) {
            case 'k':
                ::PostMessageA(Hwnd(), WM_COMMAND, ID_CHANGE_SKIN, 0);
                break;
            case ' ':
                ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_CLOSE, 0);
                break;
            default:
                if (mEngine) mEngine->OnChar(msg.wParam);
                break;
        }
        return fw::PreTranslate::Consumed;
    }
    return fw::PreTranslate::Default;
}

INT_PTR MainWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    // Asked by soak runs: how many GDI objects the player holds now.
    if (msg == fw::GdiCountMessage()) {
        ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, fw::CountGdiObjects());
        return TRUE;
    }
    static const UINT pollTicksMessage = ::RegisterWindowMessageA(kDiscPollTicksMessage);
    if (msg == pollTicksMessage) {
        ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, mDiscPollTicks);
        return TRUE;
    }
    if (DeferIfBusy(msg, wParam, lParam)) return TRUE;
    ReplayDeferred();
    // Asked by tests (QueueMark.h); commands deferred while the engine was busy have been
    // replayed by now unless it still is.
    if (msg == fw::QueueMarkMessage()) {
        if (wParam) mQueueMark = wParam;
        ::SetWindowLongPtrA(Hwnd(), DWLP_MSGRESULT, static_cast<LONG_PTR>(mQueueMark));
        return TRUE;
    }
    if (mPlaced && (msg == WM_COMMAND || msg == WM_FORWARDFILE || msg == WM_TIMER)) FinishStartup();
    switch (msg) {
        case WM_INITDIALOG:
            if (HandOverToRunningInstance()) return TRUE;
            PlaceAndStart();
            break;
        case WM_NOTIFY:
            return OnNotify(reinterpret_cast<NMHDR*>(lParam), wParam, lParam);
        case WM_PAINT:
            return OnPaintMessage(wParam, lParam);
        case WM_POSITIONUPDATE:
            RefreshStatus();
            return TRUE;
        case WM_FORWARDFILE:
            OnForwardFile(static_cast<ATOM>(lParam));
            return TRUE;
        case WM_TIMER:
            if (wParam == kDiscPollTimer) OnDiscPollTimer();
            if (wParam == kFinishStartupTimer) ::KillTimer(Hwnd(), kFinishStartupTimer);
            break;
        case WM_KEYUP:
            OnKeyUp(wParam, lParam);
            break;
        case WM_RBUTTONUP:
            ShowOpenResourceMenu(wParam, lParam);
            break;
        case WM_LBUTTONUP:
            if (wParam != MK_SCREENPOINT) break;
            ShowEjectChoice(lParam);
            return TRUE;
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(mIcon);
        case WM_CLOSE:
            OnClose();
            break;
        case WM_DESTROY:
            ::SendMessageA(Hwnd(), WM_COMMAND, ID_FILE_CLOSE, 0);
            SkinDialog::WindowProc(msg, wParam, lParam);
            CleanUp();
            return TRUE;
    }
    return SkinDialog::WindowProc(msg, wParam, lParam);
}

INT_PTR MainWindow::OnPaintMessage(WPARAM wParam, LPARAM lParam) {
    OnPaint();
    INT_PTR result = ::IsIconic(Hwnd()) ? TRUE : SkinDialog::WindowProc(WM_PAINT, wParam, lParam);
    // A timer comes after the controls' own first paint, which a posted message would not.
    if (!mStartupFinished) ::SetTimer(Hwnd(), kFinishStartupTimer, USER_TIMER_MINIMUM, nullptr);
    return result;
}

void MainWindow::OnKeyUp(WPARAM key, LPARAM lParam) {
    bool forwarded = key == VK_RETURN || key == VK_ESCAPE || (key >= VK_LEFT && key <= VK_DOWN);
    if (forwarded && mEngine) mEngine->OnKeyUp(key, lParam);
}
