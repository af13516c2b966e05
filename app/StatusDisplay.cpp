// What the main window shows of the playback: name, times, state word, position slider, the
// transport buttons' states, and its icon when minimised.
#include "MainWindow.h"
#include "PlaybackEngine.h"
#include "PlayerApp.h"
#include "StatusText.h"
#include "resource.h"

namespace {
constexpr const char* kTransportButtons[] = {
    "ID_PLAYBACK_PLAY",        "ID_PLAYBACK_PAUSE",           "ID_PLAYBACK_STOP",
    "ID_PLAYBACK_NEXTCHAPTER", "ID_PLAYBACK_PREVIOUSCHAPTER", "ID_JUMP_BACKWARD",
    "ID_JUMP_FORWARD",
};
// Still pictures can only be stepped through the playlist.
constexpr const char* kPictureShowButtons[] = {"ID_PLAYBACK_NEXTCHAPTER", "ID_PLAYBACK_PREVIOUSCHAPTER"};
}  // namespace

// Without media the transport buttons start disabled; UpdateButtons settles the rest.
bool MainWindow::ButtonStartsEnabled(const std::string& name) const {
    if (IsMediaOpen()) return true;
    for (const char* transport : kTransportButtons)
        if (name == transport) return false;
    return true;
}

void MainWindow::UpdateButtons(int reason) {
    if (reason != IDC_BUTTON_CLOSE_PLAYLIST && reason != ID_FILE_CLOSE && reason != ID_FILE_SELECTDISC)
        return;
    bool open = reason == ID_FILE_SELECTDISC;
    bool still = open && mEngine && mEngine->IsStillPicture();
    for (const char* name : kTransportButtons)
        EnableButton(name, open && !still);
    if (still) {
        for (const char* name : kPictureShowButtons)
            EnableButton(name, true);
    }
}

// The drawing context of a paint makes no difference to what is written.
void MainWindow::RefreshStatus(HDC) {
    if (ThePlayerApp().mSliderHeld == 1) return;  // the thumb is not moved under the mouse
    if (!mEngine) {
        SetText("ID_SONG_NAME", "");
        SetText("ID_PLAYBACK_STATUS", "");
        SetText("ID_PLAYBACK_TIME", PlaybackTimeText(0, 0).c_str());
        return;
    }
    EngineStatus status = mEngine->Status();
    if (status.showsName) SetText("ID_SONG_NAME", status.name.c_str());
    if (!status.showsTime) return;
    SetText("ID_PLAYBACK_TIME", PlaybackTimeText(status.positionSeconds, status.lengthSeconds).c_str());
    SetText("ID_PLAYBACK_STATUS", status.stateWord);
    mPosition = status.slider;
    SetSliderPos("IDC_SLIDER1_PLAYBACK_POSITION", mPosition);
}

void MainWindow::OnPaint() {
    RefreshStatus();
    if (::IsIconic(Hwnd())) PaintMinimised();
}

void MainWindow::PaintMinimised() {
    fw::PaintDc dc(Hwnd());
    ::SendMessageA(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, mIcon);
}
