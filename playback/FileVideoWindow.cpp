// The file engine's own window: class, placement, message handling, popup menu, keys and mouse.
#include <windowsx.h>
#include <windows.h>
#include <mmsystem.h>

#include "Commands.h"
#include "EngineCommands.h"
#include "FilePlayer.h"
#include "Messages.h"
#include "PlaybackMath.h"
#include "resource.h"

bool FilePlayer::CreateVideoWindow() {
    videoFrame.Open(instance, kVideoWindowClass, notifyWindow);
    videoWindow = videoFrame.Hwnd();
    windowCreated = true;
    return true;
}

void FilePlayer::DestroyVideoWindow() {
    if (videoRenderer) {
        ::ShowWindow(videoWindow, SW_HIDE);
        videoRenderer->put_Visible(OAFALSE);
        if (fullScreen == 1) {
            videoShown = 0;
            LeaveFullScreen();
            fullScreen = 1;  // the next file opens full screen too
            ::ShowWindow(videoWindow, SW_HIDE);
        }
    }
    ::UpdateWindow(notifyWindow);
    videoFrame.Destroy();
    videoWindow = nullptr;
    windowCreated = false;
}

LRESULT FilePlayer::OnVideoMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!videoWindow) videoWindow = window;  // from the window's first message on
    switch (message) {
        case WM_GRAPHNOTIFY:
            HandleGraphEvents();
            break;
        case WM_TIMER:
            return OnVideoTimer(wParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            OnVideoScroll(window, message, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return OnVideoMouse(message, wParam, lParam);
        case WM_KEYUP:
            return OnVideoKeyUp(wParam, lParam);
        case WM_COMMAND:
            OnVideoCommand(LOWORD(wParam));
            break;
        case WM_CLOSE:
            // The owner closes the file; the window goes with it.
            ::PostMessageA(notifyWindow, WM_COMMAND, ID_FILE_CLOSE, 0);
            return 0;
        case WM_MOVE:
        case WM_SIZE:
            if (videoShown) return OnVideoSize();
            break;
        case WM_PAINT:
            OnVideoPaint();
            break;
        case WM_NCDESTROY:
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return DefaultTail(message, wParam, lParam);
}

LRESULT FilePlayer::DefaultTail(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = videoWindow;
    if (videoRenderer) {
        videoRenderer->NotifyOwnerMessage(reinterpret_cast<OAHWND>(window), static_cast<long>(message),
                                          static_cast<LONG_PTR>(wParam), static_cast<LONG_PTR>(lParam));
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

// The popup menu's entries and the typed characters' commands: the engine's own, or, when it
// does not know one (close, about, the playlist's next and previous), its owner's.
void FilePlayer::OnVideoCommand(UINT id) {
    if (!RunEngineCommand(*this, id, Settings())) ::PostMessageA(notifyWindow, WM_COMMAND, id, 0);
}

void FilePlayer::OnChar(WPARAM ch) {
    if (ch > 0x7f) return;
    CharCommand command = CommandForChar(static_cast<char>(ch));
    if (!command.command || !videoWindow) return;
    if (command.immediate) {
        ::SendMessageA(videoWindow, WM_COMMAND, command.command, 0);
    } else {
        ::PostMessageA(videoWindow, WM_COMMAND, command.command, 0);
    }
}

void FilePlayer::OnKeyUp(WPARAM key, LPARAM lParam) {
    OnVideoKeyUp(key, lParam);
}

LRESULT FilePlayer::OnVideoKeyUp(WPARAM key, LPARAM lParam) {
    if (key == VK_ESCAPE && fullScreen == 1) {
        LeaveFullScreen();
        return 0;
    }
    return ::DefWindowProcA(videoWindow, WM_KEYUP, key, lParam);
}

LRESULT FilePlayer::OnVideoTimer(UINT_PTR id) {
    switch (id) {
        case kFullScreenTimer:
            EnterFullScreen();
            ::UpdateWindow(videoWindow);
            ::KillTimer(videoWindow, kFullScreenTimer);
            return ::DefWindowProcA(videoWindow, WM_TIMER, id, 0);
        case kCursorTimer:
            if (fullScreen && cursor.IdleLongerThan(kCursorIdleMs)) cursor.Hide();
            return 0;
        case kPositionTimer:
            PollPosition();
            return 0;
    }
    return ::DefWindowProcA(videoWindow, WM_TIMER, id, 0);
}

LRESULT FilePlayer::OnVideoMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (fullScreen) cursor.Show();
    switch (message) {
        case WM_LBUTTONUP:
            ToggleFront();
            return 0;
        case WM_RBUTTONUP:
            ShowContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            mainOnTop = 1;
            return 0;
    }
    return ::DefWindowProcA(videoWindow, message, wParam, lParam);
}

int FilePlayer::ToggleFront() {
    // The first windowed click of the process brings the picture in front of the main window.
    static FrontTurn turn = FrontTurn::Video;
    if (!videoRenderer) return 0;
    ::ToggleFront(notifyWindow, videoWindow, fullScreen != 0, mainOnTop, turn);
    return 1;
}

void FilePlayer::ShowContextMenu(int x, int y) {
    bool still = IsStillImage(fileName);
    HMENU menu = ::LoadMenuA(instance, MAKEINTRESOURCEA(still ? IDR_STILLMENU : IDR_VCDMENU));
    if (!menu) {
        ErrorBox(modalGuard, "error", "error");
        return;
    }
    HMENU popup = ::GetSubMenu(menu, 0);
    ::CheckMenuItem(popup, ID_OPTIONS_FULLSCREEN, MF_BYCOMMAND | (fullScreen == 1 ? MF_CHECKED : MF_UNCHECKED));
    if (!still) {
        auto gray = [&](UINT id) { ::EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED); };
        switch (state) {
            case Stopped:
                gray(ID_PLAYBACK_PAUSE);
                gray(ID_PLAYBACK_STOP);
                break;
            case Paused:
                gray(ID_PLAYBACK_PAUSE);
                break;
            case Running:
                gray(ID_PLAYBACK_PLAY);
                break;
            default:
                break;
        }
    }
    POINT at{x, y};
    if (!fullScreen) {
        ::ClientToScreen(videoWindow, &at);
    } else if (videoRenderer) {
        long left = 0, top = 0, width = 0, height = 0;
        videoRenderer->GetWindowPosition(&left, &top, &width, &height);
        at.x += left;
        at.y += top;
    }
    FillFiltersMenu(popup);
    {
        ModalScope modal(modalGuard);
        ::TrackPopupMenu(popup, TPM_LEFTBUTTON, at.x, at.y, 0, videoWindow, nullptr);
    }
    ::DestroyMenu(menu);
}

// Videos are painted by their renderer; a picture is placed where its scroll bars say.
void FilePlayer::OnVideoPaint() {
    if (videoShown && !fullScreen && IsStillImage(fileName)) OnStillPaint();
}

LRESULT FilePlayer::OnVideoSize() {
    if (IsStillImage(fileName)) return OnStillSize();
    RECT client{};
    ::GetClientRect(videoWindow, &client);
    if (videoRenderer) videoRenderer->SetWindowPosition(0, 0, client.right, client.bottom);
    return 0;
}
