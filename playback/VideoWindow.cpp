// The file engine's own window: class, placement, message handling, popup menu, keys and mouse.
#include <windowsx.h>
#include <windows.h>
#include <mmsystem.h>

#include "FilePlayer.h"
#include "Messages.h"
#include "PlaybackMath.h"

namespace {

// Which window a left click outside full screen last brought to the front; shared by every
// player of the process.
int frontToggle = 1;

constexpr int kMainIcon = 100;
constexpr int kVideoMenu = 132;  // VCDMENU
constexpr int kStillMenu = 135;  // STILLMENU

}  // namespace

bool FilePlayer::CreateVideoWindow() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = VideoWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(instance, MAKEINTRESOURCEA(kMainIcon));
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kVideoWindowClass;
    ::RegisterClassA(&windowClass);  // fails harmlessly once the class exists

    RECT r = GetInitialVideoRect();
    videoWindow =
        ::CreateWindowExA(0, kVideoWindowClass, "Video Window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, r.left,
                          r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, instance, this);
    windowCreated = true;
    return true;
}

RECT FilePlayer::GetInitialVideoRect() const {
    RECT workArea{}, main{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    ::GetWindowRect(notifyWindow, &main);
    RECT r;
    r.left = workArea.left + 100;
    r.top = workArea.top + 5;
    r.bottom = main.top;
    r.right = workArea.left + 4 * (r.bottom - r.top) / 3;
    return r;
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
    if (videoWindow) ::DestroyWindow(videoWindow);
    videoWindow = nullptr;
    windowCreated = false;
}

LRESULT CALLBACK FilePlayer::VideoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* player = reinterpret_cast<FilePlayer*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!player) {
        if (message != WM_CREATE) return ::DefWindowProcA(window, message, wParam, lParam);
        player = static_cast<FilePlayer*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(player));
        player->videoWindow = window;
    }
    switch (message) {
        case WM_GRAPHNOTIFY:
            player->HandleGraphEvents();
            break;
        case WM_TIMER:
            return player->OnVideoTimer(wParam);
        case WM_HSCROLL:
        case WM_VSCROLL:
            player->OnVideoScroll(window, message, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            return player->OnVideoMouse(message, wParam, lParam);
        case WM_KEYUP:
            return player->OnVideoKeyUp(wParam, lParam);
        case WM_COMMAND:
            player->OnVideoCommand(LOWORD(wParam));
            break;
        case WM_CLOSE:
            // The owner closes the file; the window goes with it.
            ::PostMessageA(player->notifyWindow, WM_COMMAND, 40047, 0);
            return 0;
        case WM_MOVE:
        case WM_SIZE:
            if (player->videoShown) return player->OnVideoSize();
            break;
        case WM_PAINT:
            player->OnVideoPaint();
            break;
        case WM_NCDESTROY:
            ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return player->DefaultTail(message, wParam, lParam);
}

LRESULT FilePlayer::DefaultTail(UINT message, WPARAM wParam, LPARAM lParam) {
    HWND window = videoWindow;
    if (videoRenderer) {
        videoRenderer->NotifyOwnerMessage(reinterpret_cast<OAHWND>(window), static_cast<long>(message),
                                          static_cast<LONG_PTR>(wParam), static_cast<LONG_PTR>(lParam));
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

void FilePlayer::OnVideoCommand(UINT id) {
    TransportSettings settings = Settings();
    switch (id) {
        case 40001:
        case 40008:
        case 40009:
            ::PostMessageA(notifyWindow, WM_COMMAND, id, 0);
            break;
        case 40003:
            Play();
            break;
        case 40004:
            Pause();
            break;
        case 40005:
            Stop();
            break;
        case 40006:
            ScanForward(static_cast<float>(settings.fastForward));
            break;
        case 40007:
            ScanBackward(static_cast<float>(settings.fastBackward));
            break;
        case 40063:
            ScanForward(settings.slowlyForward);
            break;
        case 40064:
            ScanBackward(settings.slowlyBackward);
            break;
        case 40061:
            SkipSeconds(settings.skipForward);
            break;
        case 40062:
            SkipSeconds(-settings.skipBackward);
            break;
        case 40029:
            StepFrames(+1);
            break;
        case 40065:
            StepFrames(-1);
            break;
        case 40016:
            ToggleFullScreen();
            break;
        case 40036:
            InitVideoWindow(1, 1);
            break;
        case 40037:
            InitVideoWindow(1, 2);
            break;
        case 40039:
            InitVideoWindow(2, 1);
            break;
        case 40044:
            ToggleMute();
            break;
        case 40047:
            ::SendMessageA(videoWindow, WM_CLOSE, 0, 0);
            break;
        case 40048:
            ToggleRepeat();
            break;
        case 40052:
            VolumeUp();
            break;
        case 40053:
            VolumeDown();
            break;
        case 40058:
        case 40059:
        case 40060:
            channelMode = id == 40058 ? 1 : id == 40059 ? -1 : 0;
            SetAudioChannel(channelMode);
            break;
        case 40066:
            CaptureFrame(kCapturedFrameFile);
            break;
        case 40067:
            OpenCapturedImage(kCapturedFrameFile);
            break;
        default:
            if (id >= kFilterCommandBase && id < kFilterCommandBase + kFilterNameCount)
                ShowFilterPropertyPage(filterNames[id - kFilterCommandBase]);
            break;
    }
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
            if (fullScreen && ::timeGetTime() - lastMouseTime > kCursorIdleMs) ShowMouseCursor(false);
            return 0;
        case kPositionTimer:
            PollPosition();
            return 0;
    }
    return ::DefWindowProcA(videoWindow, WM_TIMER, id, 0);
}

LRESULT FilePlayer::OnVideoMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (fullScreen) ShowMouseCursor(true);
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

void FilePlayer::ShowMouseCursor(bool show) {
    // ShowCursor keeps a count; bring it just across zero so that calls never stack up.
    if (show) {
        while (cursorCount < 0)
            cursorCount = ::ShowCursor(TRUE);
        lastMouseTime = ::timeGetTime();
    } else {
        while (cursorCount >= 0)
            cursorCount = ::ShowCursor(FALSE);
    }
}

int FilePlayer::ToggleFront() {
    if (!videoRenderer) return 0;
    constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    if (fullScreen) {
        if (mainOnTop == 1) {
            ::SetWindowPos(notifyWindow, HWND_NOTOPMOST, 0, 0, 0, 0, keep | SWP_HIDEWINDOW);
        } else {
            ::SetWindowPos(notifyWindow, HWND_TOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        }
        mainOnTop = !mainOnTop;
    } else {
        if (frontToggle == 0) {
            ::SetWindowPos(notifyWindow, HWND_TOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        } else {
            ::SetWindowPos(notifyWindow, HWND_NOTOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
            ::SetWindowPos(videoWindow, HWND_TOP, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        }
        frontToggle = !frontToggle;
    }
    return 1;
}

void FilePlayer::ShowContextMenu(int x, int y) {
    bool still = IsStillImage(fileName);
    HMENU menu = ::LoadMenuA(instance, MAKEINTRESOURCEA(still ? kStillMenu : kVideoMenu));
    if (!menu) {
        ModalScope modal(*this);
        ::MessageBoxA(nullptr, "error", "error", MB_OK);
        return;
    }
    HMENU popup = ::GetSubMenu(menu, 0);
    ::CheckMenuItem(popup, 40016, MF_BYCOMMAND | (fullScreen == 1 ? MF_CHECKED : MF_UNCHECKED));
    if (!still) {
        auto gray = [&](UINT id) { ::EnableMenuItem(popup, id, MF_BYCOMMAND | MF_GRAYED); };
        switch (state) {
            case Stopped:
                gray(40004);
                gray(40005);
                break;
            case Paused:
                gray(40004);
                break;
            case Running:
                gray(40003);
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
        ModalScope modal(*this);
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
