// The DVD video window: its messages, menu-button input by keys and mouse, which window is in
// front, both full-screen modes and zoom. The window itself, full screen, the cursor and the
// front toggle are the shared video window's; what is the navigator's stays here.
#include <windowsx.h>

#include "DvdPlayer.h"

#include "Commands.h"
#include "EngineCommands.h"
#include "Messages.h"

LRESULT DvdPlayer::OnVideoMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Until the window is made and the renderer attached, nothing here applies to it.
    if (!windowCreated) return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_SIZE:
            return OnSize();
        case WM_CLOSE:
            ::PostMessageA(notifyWindow, WM_COMMAND, ID_FILE_CLOSE, 0);
            return 0;
        case WM_KEYUP:
            return OnVideoKeyUp(wParam, lParam);
        case WM_COMMAND:
            OnVideoCommand(LOWORD(wParam));
            break;
        case WM_TIMER:
            return OnTimer(wParam);
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnMouse(message, wParam, lParam);
        case WM_DVDEVENT:
            return ProcessGraphEvents();
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT DvdPlayer::OnSize() {
    RECT client{};
    ::GetClientRect(videoWindow, &client);
    if (videoRenderer) videoRenderer->SetWindowPosition(0, 0, client.right, client.bottom);
    return 0;
}

// The popup menu's entries and the typed characters' commands: the engine's own, or, when it
// does not know one (close, about), its owner's.
void DvdPlayer::OnVideoCommand(UINT id) {
    if (!RunEngineCommand(*this, id, Settings())) ::PostMessageA(notifyWindow, WM_COMMAND, id, 0);
}

void DvdPlayer::OnKeyUp(WPARAM key, LPARAM lParam) {
    OnVideoKeyUp(key, lParam);
}

LRESULT DvdPlayer::OnVideoKeyUp(WPARAM key, LPARAM lParam) {
    switch (key) {
        case VK_RETURN:
            if (dvdControl) dvdControl->ActivateButton();
            return 0;
        case VK_ESCAPE:
            if (fullScreen) LeaveFullScreen();
            return 0;
        case VK_LEFT:
            if (dvdControl) dvdControl->SelectRelativeButton(DVD_Relative_Left);
            return 0;
        case VK_UP:
            if (dvdControl) dvdControl->SelectRelativeButton(DVD_Relative_Upper);
            return 0;
        case VK_RIGHT:
            if (dvdControl) dvdControl->SelectRelativeButton(DVD_Relative_Right);
            return 0;
        case VK_DOWN:
            if (dvdControl) dvdControl->SelectRelativeButton(DVD_Relative_Lower);
            return 0;
    }
    return ::DefWindowProcA(videoWindow, WM_KEYUP, key, lParam);
}

void DvdPlayer::OnChar(WPARAM ch) {
    UINT command = 0;
    switch (ch) {
        case 'a': command = ID_PLAYBACK_STEPFORWARD; break;
        case 'b': command = ID_PLAYBACK_NEXTCHAPTER; break;
        case 'c': command = ID_PLAYBACK_PAUSE; break;
        case 'd': command = ID_PLAYBACK_SLOWFORWARD; break;
        case 'f': command = ID_PLAYBACK_FASTFORWARD; break;
        case 'g': command = ID_BOOKMARK_SAVE; break;
        case 'h': command = ID_BOOKMARK_RESTORE; break;
        case 'm': command = ID_OPTIONS_FULLSCREEN; break;
        case 'n': command = ID_ZOOM_100; break;
        case 'q': command = ID_JUMP_FORWARD; break;
        case 'r': command = ID_PLAYBACK_REWIND; break;
        case 'v': command = ID_PLAYBACK_STOP; break;
        case 'w': command = ID_JUMP_BACKWARD; break;
        case 'x': command = ID_PLAYBACK_PLAY; break;
        case 'z': command = ID_PLAYBACK_PREVIOUSCHAPTER; break;
        default: return;
    }
    ::PostMessageA(videoWindow, WM_COMMAND, command, 0);
}

LRESULT DvdPlayer::OnTimer(UINT_PTR id) {
    if (id != kCursorTimer) return ::DefWindowProcA(videoWindow, WM_TIMER, id, 0);
    if (fullScreen && cursor.IdleLongerThan(kCursorIdleMs)) cursor.Hide();
    return 0;
}

LRESULT DvdPlayer::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (fullScreen) cursor.Show();
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE:
            if (dvdControl) dvdControl->SelectAtPosition(point);
            return 0;
        case WM_LBUTTONUP:
            if (dvdControl) dvdControl->ActivateAtPosition(point);
            ToggleFront();
            return 0;
        case WM_RBUTTONUP:
            ShowContextMenu(point.x, point.y);
            mainOnTop = TRUE;
            return 0;
    }
    return ::DefWindowProcA(videoWindow, message, wParam, lParam);
}

void DvdPlayer::ToggleFront() {
    // The first windowed click of the process raises the main window above the picture.
    static FrontTurn turn = FrontTurn::Main;
    bool rendererCoversScreen = fullScreen && videoRenderer && !fitFullScreen;
    if (!rendererCoversScreen) {
        ::ToggleFront(notifyWindow, videoWindow, fullScreen && videoRenderer, mainOnTop, turn);
        return;
    }
    // Over the renderer's own topmost window the main window only changes band.
    ::SetWindowPos(notifyWindow, mainOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    mainOnTop = !mainOnTop;
}

void DvdPlayer::ToggleFullScreen() {
    if (fullScreen) {
        LeaveFullScreen();
    } else {
        EnterFullScreen();
    }
}

bool DvdPlayer::EnterFullScreen() {
    if (!videoRenderer) return false;
    UINT interval = kCursorTimerMs;
    if (fitFullScreen) {
        if (!placement.EnterWithVideo(videoWindow, videoRenderer.Get(), basicVideo.Get())) return false;
    } else {
        rendererScreen.Enter(videoRenderer.Get(), ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
        interval = kRendererCursorTimerMs;
    }
    cursor.Arm(videoWindow, interval);
    fullScreen = true;
    mainOnTop = TRUE;
    return true;
}

bool DvdPlayer::LeaveFullScreen() {
    if (!videoRenderer) return false;
    if (fitFullScreen) {
        placement.Leave(videoWindow, notifyWindow, SWP_SHOWWINDOW);
    } else {
        rendererScreen.Leave(videoRenderer.Get(), videoWindow);
    }
    cursor.Disarm(videoWindow);
    fullScreen = false;
    return true;
}

int DvdPlayer::ZoomVideo(int numerator, int denominator) {
    if (!videoRenderer || denominator == 0) return 0;
    if (fullScreen) LeaveFullScreen();
    if (!basicVideo) return 0;
    long w = 0, h = 0;
    if (FAILED(basicVideo->GetVideoSize(&w, &h))) return 0;
    w = numerator * w / denominator;
    h = numerator * h / denominator;
    ::SetWindowPos(videoWindow, nullptr, 0, 0, w, h, SWP_NOOWNERZORDER | SWP_NOMOVE);
    int width = w + 2 * ::GetSystemMetrics(SM_CXBORDER);
    int height = h + ::GetSystemMetrics(SM_CYCAPTION) + 2 * ::GetSystemMetrics(SM_CYBORDER);
    ::SetWindowPos(videoWindow, nullptr, 0, 0, width, height, SWP_NOOWNERZORDER | SWP_NOMOVE);
    return 1;
}
