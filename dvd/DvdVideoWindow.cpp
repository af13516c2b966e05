// The DVD video window: its messages, menu-button input by keys and mouse, the commands it runs
// itself, which window is in front, cursor hiding, both full-screen modes and zoom.
#include <windowsx.h>

#include "DvdPlayer.h"

#include <mmsystem.h>

#include "Commands.h"
#include "Messages.h"

namespace {

// Whether the last windowed left click made the main window topmost; shared by every player.
bool mainTopmost = false;

constexpr UINT kFrontFlags = SWP_NOMOVE | SWP_NOSIZE;

}  // namespace

LRESULT CALLBACK DvdPlayer::VideoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* player = reinterpret_cast<DvdPlayer*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!player) return ::DefWindowProcA(window, message, wParam, lParam);
    switch (message) {
        case WM_SIZE:
            return player->OnSize();
        case WM_CLOSE:
            ::PostMessageA(player->notifyWindow, WM_COMMAND, ID_FILE_CLOSE, 0);
            return 0;
        case WM_KEYUP:
            return player->OnKeyUpDvd(wParam, lParam);
        case WM_COMMAND:
            player->OnCommand(LOWORD(wParam));
            return ::DefWindowProcA(window, message, wParam, lParam);
        case WM_TIMER:
            return player->OnTimer(wParam);
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return player->OnMouse(message, wParam, lParam);
        case WM_DVDEVENT:
            return player->ProcessGraphEvents();
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

LRESULT DvdPlayer::OnSize() {
    RECT client{};
    ::GetClientRect(videoWindow, &client);
    if (videoRenderer) videoRenderer->SetWindowPosition(0, 0, client.right, client.bottom);
    return 0;
}

LRESULT DvdPlayer::OnKeyUpDvd(WPARAM key, LPARAM lParam) {
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

void DvdPlayer::OnCharDvd(WPARAM ch) {
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

LRESULT DvdPlayer::OnCommand(UINT id) {
    TransportSettings settings = Settings();
    switch (id) {
        case ID_PLAYBACK_PLAY: PlayDvd(); break;
        case ID_PLAYBACK_PAUSE: PauseDvd(); break;
        case ID_PLAYBACK_STOP: StopDvd(); break;
        case ID_PLAYBACK_FASTFORWARD: ScanDvdForward(static_cast<float>(settings.fastForward)); break;
        case ID_PLAYBACK_REWIND: ScanDvdBackward(static_cast<float>(settings.fastBackward)); break;
        case ID_PLAYBACK_NEXTCHAPTER: PlayNextChapter(); break;
        case ID_PLAYBACK_PREVIOUSCHAPTER: PlayPreviousChapter(); break;
        case ID_OPTIONS_CLOSEDCAPTION: ToggleClosedCaptions(); break;
        case ID_OPTIONS_FULLSCREEN: ToggleFullScreen(); break;
        case ID_PLAYBACK_STEPFORWARD: StepFrame(); break;
        case ID_ZOOM_100: ZoomVideo(1, 1); break;
        case ID_FILE_CLOSE: ::SendMessageA(videoWindow, WM_CLOSE, 0, 0); break;
        case ID_JUMP_FORWARD: SkipDvdSeconds(settings.skipForward); break;
        case ID_JUMP_BACKWARD: SkipDvdSeconds(-settings.skipBackward); break;
        case ID_PLAYBACK_SLOWFORWARD: ScanDvdForward(settings.slowlyForward); break;
        case ID_SUBPICTURE_DISABLE: DisableSubpicture(); break;
        default: OnMenuCommand(id); break;  // bookmarks, subpictures and the generated menu items
    }
    return 0;
}

void DvdPlayer::ShowCursorAgain() {
    while (cursorCount < 0) cursorCount = ::ShowCursor(TRUE);
}

void DvdPlayer::HideCursor() {
    while (cursorCount >= 0) cursorCount = ::ShowCursor(FALSE);
}

LRESULT DvdPlayer::OnTimer(UINT_PTR id) {
    if (id != kDvdCursorTimer) return ::DefWindowProcA(videoWindow, WM_TIMER, id, 0);
    if (fullScreen && ::timeGetTime() - lastMouseTime > kDvdCursorIdleMs) HideCursor();
    return 0;
}

LRESULT DvdPlayer::OnMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (fullScreen) {
        ShowCursorAgain();
        lastMouseTime = ::timeGetTime();
    }
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
            ShowContextMenu(videoWindow, point.x, point.y);
            mainOnTop = TRUE;
            return 0;
    }
    return ::DefWindowProcA(videoWindow, message, wParam, lParam);
}

void DvdPlayer::ToggleFront() {
    if (fullScreen && videoRenderer) {
        if (fitFullScreen) {
            if (mainOnTop) {
                ::SetWindowPos(notifyWindow, HWND_NOTOPMOST, 1, 100, 1, 100, kFrontFlags | SWP_HIDEWINDOW);
            } else {
                ::SetWindowPos(notifyWindow, HWND_TOPMOST, 1, 100, 1, 100, kFrontFlags | SWP_SHOWWINDOW);
            }
        } else {
            ::SetWindowPos(notifyWindow, mainOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 1, 100, 1, 100,
                           kFrontFlags | SWP_SHOWWINDOW);
        }
        mainOnTop = !mainOnTop;
        return;
    }
    if (!mainTopmost) {
        ::SetWindowPos(notifyWindow, HWND_TOPMOST, 1, 100, 1, 100, kFrontFlags | SWP_SHOWWINDOW);
    } else {
        ::SetWindowPos(notifyWindow, HWND_NOTOPMOST, 1, 100, 1, 100, kFrontFlags | SWP_SHOWWINDOW);
        ::SetWindowPos(videoWindow, HWND_TOP, 1, 100, 1, 100, kFrontFlags | SWP_SHOWWINDOW);
    }
    mainTopmost = !mainTopmost;
}

bool DvdPlayer::EnterFullScreen() {
    if (!videoRenderer) return false;
    int cx = ::GetSystemMetrics(SM_CXSCREEN);
    int cy = ::GetSystemMetrics(SM_CYSCREEN);
    UINT interval = kDvdFitCursorTimerMs;
    if (fitFullScreen) {
        // Ask for the picture's size first: a renderer that cannot tell it leaves the window as
        // it was, rather than a borderless full-screen popup that no key takes back.
        long w = 0, h = 0;
        if (!basicVideo || FAILED(basicVideo->GetVideoSize(&w, &h)) || w <= 0 || h <= 0) return false;
        ::GetWindowRect(videoWindow, &savedWindowRect);
        savedWindowStyle = static_cast<DWORD>(::GetWindowLongA(videoWindow, GWL_STYLE)) | WS_VISIBLE;
        ::SetWindowLongA(videoWindow, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
        ::SetWindowPos(videoWindow, nullptr, 0, 0, cx, cy, SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        DvdFit fit = DvdFullScreenFit(w, h, cx, cy);
        videoRenderer->SetWindowPosition(fit.left, fit.top, fit.width, fit.height);
    } else {
        long left = 0, top = 0, width = 0, height = 0;
        videoRenderer->GetWindowPosition(&left, &top, &width, &height);
        savedWindowRect = {left, top, left + width, top + height};
        long style = 0, styleEx = 0;
        videoRenderer->get_WindowStyle(&style);
        videoRenderer->get_WindowStyleEx(&styleEx);
        savedVideoStyle = static_cast<DWORD>(style);
        savedVideoStyleEx = static_cast<DWORD>(styleEx);
        videoRenderer->put_Owner(0);
        videoRenderer->put_WindowStyle(static_cast<long>(savedVideoStyle & ~(WS_CAPTION | WS_THICKFRAME)));
        DWORD edges = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
        videoRenderer->put_WindowStyleEx(static_cast<long>((savedVideoStyleEx & ~edges) | WS_EX_TOPMOST));
        videoRenderer->SetWindowPosition(0, 0, cx, cy);
        interval = kDvdRendererCursorTimerMs;
    }
    lastMouseTime = ::timeGetTime();
    ::SetTimer(videoWindow, kDvdCursorTimer, interval, nullptr);
    fullScreen = true;
    mainOnTop = TRUE;
    return true;
}

bool DvdPlayer::LeaveFullScreen() {
    if (!videoRenderer) return false;
    if (fitFullScreen) {
        ::SetWindowLongA(videoWindow, GWL_STYLE, static_cast<LONG>(savedWindowStyle));
        const RECT& r = savedWindowRect;
        ::SetWindowPos(videoWindow, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOOWNERZORDER | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
        ::KillTimer(videoWindow, kDvdCursorTimer);
        ShowCursorAgain();
        fullScreen = false;
        ::SetWindowPos(notifyWindow, HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
        ::SetWindowPos(videoWindow, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE);
    } else {
        RECT client{};
        ::GetClientRect(videoWindow, &client);
        videoRenderer->SetWindowPosition(0, 0, client.right, client.bottom);
        videoRenderer->put_Owner(reinterpret_cast<OAHWND>(videoWindow));
        videoRenderer->put_WindowStyle(static_cast<long>(savedVideoStyle));
        videoRenderer->put_WindowStyleEx(static_cast<long>(savedVideoStyleEx));
        ::KillTimer(videoWindow, kDvdCursorTimer);
        ShowCursorAgain();
        fullScreen = false;
    }
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
