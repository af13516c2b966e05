// Sizing the video to 50, 100 or 200 per cent, and full screen with the picture's aspect kept.
#include <windows.h>
#include <mmsystem.h>

#include "FilePlayer.h"
#include "PlaybackMath.h"

HRESULT FilePlayer::InitVideoWindow(int multiplier, int divisor) {
    if (fullScreen == 1 && videoShown == 1) LeaveFullScreen();
    if (!basicVideo) return 0;
    long w = 0, h = 0;
    if (basicVideo->GetVideoSize(&w, &h) == E_NOINTERFACE) return 0;
    EnableVideoMenu(true);
    w = multiplier * w / divisor;
    h = multiplier * h / divisor;
    zoom = static_cast<float>(multiplier) / divisor;
    if (IsStillImage(fileName)) return InitStillWindow(w, h);

    int width = w + 2 * ::GetSystemMetrics(SM_CXFRAME);
    int height = h + ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYFRAME);
    ::SetWindowPos(videoWindow, nullptr, 0, 0, width, height, SWP_NOOWNERZORDER | SWP_NOMOVE);
    RECT rect{};
    ::GetClientRect(videoWindow, &rect);
    HRESULT hr = videoRenderer
                     ? videoRenderer->SetWindowPosition(rect.left, rect.top, rect.right, rect.bottom)
                     : E_NOINTERFACE;
    if (FAILED(hr)) {
        ReportError(
            "FAILED(hr=0x%x) in pVW->SetWindowPosition(rect.left, rect.top, rect.right, rect.bottom)\n",
            static_cast<unsigned>(hr));
    }
    return hr;
}

void FilePlayer::Zoom(int multiplier, int divisor) {
    InitVideoWindow(multiplier, divisor);
}

void FilePlayer::ToggleFullScreen() {
    if (audioOnly || !videoRenderer) return;
    if (fullScreen) {
        LeaveFullScreen();
    } else {
        EnterFullScreen();
    }
}

bool FilePlayer::EnterFullScreen() {
    if (!videoRenderer) return false;
    if (IsStillImage(fileName)) return EnterStillFullScreen();
    if (!placement.EnterWithVideo(videoWindow, videoRenderer.Get(), basicVideo.Get())) return false;
    cursor.Arm(videoWindow, kCursorTimerMs);
    fullScreen = 1;
    mainOnTop = 1;
    return true;
}

bool FilePlayer::LeaveFullScreen() {
    if (!videoRenderer) return false;
    if (IsStillImage(fileName)) return LeaveStillFullScreen();
    placement.Leave(videoWindow, notifyWindow, videoShown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    cursor.Disarm(videoWindow);
    fullScreen = 0;
    return true;
}
