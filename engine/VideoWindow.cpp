#include "VideoWindow.h"

#include <mmsystem.h>

#include <cstdarg>
#include <cstdio>

#include "VideoArithmetic.h"
#include "resource.h"

namespace {

// Which window a left click outside full screen last brought to the front; shared by every
// engine of the process.
int frontToggle = 1;

}  // namespace

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

void FullScreenPlacement::Leave(HWND window, HWND mainWindow, UINT showFlag) const {
    ::SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(mStyle));
    const RECT& r = mRect;
    ::SetWindowPos(window, HWND_TOPMOST, r.left, r.top, r.right - r.left, r.bottom - r.top,
                   SWP_NOOWNERZORDER | SWP_FRAMECHANGED | showFlag);
    ::SetWindowPos(mainWindow, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | showFlag);
}

HRESULT FitRendererToScreen(IVideoWindow* renderer, long w, long h, int cx, int cy) {
    if (!renderer) return E_POINTER;
    FitRect fit = FitToScreen(w, h, cx, cy);
    return renderer->SetWindowPosition(fit.left, fit.top, fit.width, fit.height);
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

void ToggleFront(HWND mainWindow, HWND videoWindow, bool fullScreen, BOOL& mainOnTop) {
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
    if (frontToggle == 0) {
        ::SetWindowPos(mainWindow, HWND_TOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
    } else {
        ::SetWindowPos(mainWindow, HWND_NOTOPMOST, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
        ::SetWindowPos(videoWindow, HWND_TOP, 0, 0, 0, 0, keep | SWP_SHOWWINDOW);
    }
    frontToggle = !frontToggle;
}

void ErrorBox(ModalGuard& guard, const char* caption, const char* text) {
    ModalScope modal(guard);
    ::MessageBoxA(nullptr, text, caption, MB_OK);
}

void ErrorBoxFormat(ModalGuard& guard, const char* caption, const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    ErrorBox(guard, caption, text);
}
