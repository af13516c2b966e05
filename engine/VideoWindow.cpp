#include "VideoWindow.h"

#include <mmsystem.h>

#include <cstdarg>
#include <cstdio>

#include "VideoArithmetic.h"
#include "resource.h"

bool VideoWindow::Open(HINSTANCE instance, const char* className, HWND mainWindow) {
    // Registering fails harmlessly once the class exists.
    fw::Window::RegisterWindowClass(instance, className, ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN)),
                                    static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return Create(className, "Video Window", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, InitialVideoRect(mainWindow),
                  instance);
}

LRESULT VideoWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return mHandler.OnVideoMessage(Hwnd(), message, wParam, lParam);
}

RECT InitialVideoRect(HWND mainWindow) {
    RECT workArea{}, main{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    ::GetWindowRect(mainWindow, &main);
    RECT r;
    r.left = workArea.left + 100;
    r.top = workArea.top + 5;
    r.bottom = main.top;
    r.right = workArea.left + 4 * (r.bottom - r.top) / 3;
    return r;
}

void AttachRenderer(IVideoWindow* renderer, HWND window) {
    long style = 0;
    renderer->get_WindowStyle(&style);
    renderer->put_WindowStyle((style & ~(WS_CAPTION | WS_THICKFRAME)) | WS_CHILD);
    renderer->put_Owner(reinterpret_cast<OAHWND>(window));
    renderer->put_MessageDrain(reinterpret_cast<OAHWND>(window));
}

SIZE FullScreenPlacement::Enter(HWND window, UINT showFlag) {
    SIZE screen{::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::GetWindowRect(window, &mRect);
    mStyle = static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)) | WS_VISIBLE;
    ::SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
    ::SetWindowPos(window, nullptr, 0, 0, screen.cx, screen.cy, SWP_NOOWNERZORDER | SWP_FRAMECHANGED | showFlag);
    return screen;
}

bool FullScreenPlacement::EnterWithVideo(HWND window, IVideoWindow* renderer, IBasicVideo* video) {
    long w = 0, h = 0;
    if (!renderer || !video || FAILED(video->GetVideoSize(&w, &h)) || w <= 0 || h <= 0) return false;
    SIZE screen = Enter(window, SWP_SHOWWINDOW);
    PlaceRendererPicture(renderer, FitVideoToScreen(w, h, screen.cx, screen.cy));
    return true;
}

void FullScreenPlacement::Leave(HWND window, HWND mainWindow, UINT showFlag) const {
    ::SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(mStyle));
    const RECT& r = mRect;
    ::SetWindowPos(window, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOOWNERZORDER | SWP_FRAMECHANGED | showFlag);
    ::SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | showFlag);
}

HRESULT PlaceRendererPicture(IVideoWindow* renderer, const FitRect& fit) {
    if (!renderer) return E_POINTER;
    return renderer->SetWindowPosition(fit.left, fit.top, fit.width, fit.height);
}

void RendererFullScreen::Enter(IVideoWindow* renderer, int cx, int cy) {
    renderer->get_WindowStyle(&mStyle);
    renderer->get_WindowStyleEx(&mStyleEx);
    renderer->put_Owner(0);
    renderer->put_WindowStyle(mStyle & ~(WS_CAPTION | WS_THICKFRAME));
    constexpr long edges = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE | WS_EX_CLIENTEDGE | WS_EX_STATICEDGE;
    renderer->put_WindowStyleEx((mStyleEx & ~edges) | WS_EX_TOPMOST);
    renderer->SetWindowPosition(0, 0, cx, cy);
}

void RendererFullScreen::Leave(IVideoWindow* renderer, HWND window) const {
    RECT client{};
    ::GetClientRect(window, &client);
    renderer->SetWindowPosition(0, 0, client.right, client.bottom);
    renderer->put_Owner(reinterpret_cast<OAHWND>(window));
    renderer->put_WindowStyle(mStyle);
    renderer->put_WindowStyleEx(mStyleEx);
}

void CursorHider::Arm(HWND window, UINT intervalMs) {
    NoteActivity();
    ::SetTimer(window, kCursorTimer, intervalMs, nullptr);
}

void CursorHider::Disarm(HWND window) {
    ::KillTimer(window, kCursorTimer);
    Show();
}

void CursorHider::Show() {
    while (mCount < 0)
        mCount = ::ShowCursor(TRUE);
    NoteActivity();
}

void CursorHider::Hide() {
    while (mCount >= 0)
        mCount = ::ShowCursor(FALSE);
}

void CursorHider::NoteActivity() {
    mLastActivity = ::timeGetTime();
}

bool CursorHider::IdleLongerThan(DWORD ms) const {
    return ::timeGetTime() - mLastActivity > ms;
}

void ToggleFront(HWND mainWindow, HWND videoWindow, bool fullScreen, BOOL& mainOnTop, FrontTurn& turn) {
    constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE;
    if (fullScreen) {
        if (mainOnTop == 1) {
            ::SetWindowPos(mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, keep | SWP_HIDEWINDOW);
        } else {
            ::SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        }
        mainOnTop = !mainOnTop;
        return;
    }
    if (turn == FrontTurn::Main) {
        ::SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        turn = FrontTurn::Video;
    } else {
        ::SetWindowPos(mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        ::SetWindowPos(videoWindow, HWND_TOP, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        turn = FrontTurn::Main;
    }
}

int GuardedMessageBox(ModalGuard& guard, HWND owner, const char* text, const char* caption, UINT flags) {
    ModalScope modal(guard);
    return ::MessageBoxA(owner, text, caption, flags);
}

void ErrorBox(ModalGuard& guard, const char* caption, const char* text) {
    GuardedMessageBox(guard, nullptr, text, caption, MB_OK);
}

void ErrorBoxFormat(ModalGuard& guard, const char* caption, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    ErrorBox(guard, caption, text);
}
