#include "MainWindow.h"

#include <cstdlib>
#include <ctime>

#include "App.h"
#include "ExecutionState.h"
#include "Messages.h"
#include "PathText.h"
#include "resource.h"

MainWindow::MainWindow() : SkinDialog(IDD_MAIN, nullptr) {
    mIcon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_MAIN));
    // The display stays on for the whole life of the window, playing or not.
    KeepDisplayOn();
    ReadSettings(Profile(), *this);
    std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MainWindow::~MainWindow() {
    Destroy();
}

const fw::Profile& MainWindow::Profile() const {
    return fw::App::Current()->GetProfile();
}

void MainWindow::AppendToPlaylist(const char* entry) {
    mPlaylist.emplace_back(entry);
}

bool MainWindow::PlayEntry(int index) {
    if (index < 0 || index >= static_cast<int>(mPlaylist.size())) return false;
    CopyPath(mPendingPath, mPlaylist[index]);  // an entry longer than the buffer is cut
    ::PostMessageA(Hwnd(), WM_COMMAND, ID_FILE_SELECTDISC, 0);
    return true;
}

bool MainWindow::IsMediaOpen() const {
    return false;
}

// With nothing open there is no length to seek in and nothing to give a volume to.
bool MainWindow::SeekToFraction() {
    return false;
}
void MainWindow::ApplyVolume() {}

void MainWindow::ClearPlaylist() {
    CloseMedia();
    mPlaylist.clear();
    mCurrentIndex = 0;
}

void MainWindow::CloseMedia() {
    mPosition = 0;
    SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", 0);
    if (Hwnd()) ::InvalidateRect(Hwnd(), nullptr, FALSE);
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
        }
        return fw::PreTranslate::Consumed;
    }
    return fw::PreTranslate::Default;
}

INT_PTR MainWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            if (HandOverToRunningInstance()) return TRUE;
            PlaceAndStart();
            break;
        case WM_FORWARDFILE:
            OnForwardFile(static_cast<ATOM>(lParam));
            return TRUE;
        case WM_TIMER:
            if (wParam == kDiscPollTimer && mAutoStart) PollDiscs();
            break;
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

bool MainWindow::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
        case ID_FILE_EXIT:
            ::PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
            break;
        case ID_FILE_CLOSE:
            CloseMedia();
            break;
        case ID_CHANGE_SKIN:
            ToggleSkin();
            break;
    }
    // Identifiers without an action do nothing, IDOK and IDCANCEL included.
    return true;
}
