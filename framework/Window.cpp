#include "Window.h"

namespace fw {

Window::~Window() {
    Destroy();
}

bool Window::RegisterWindowClass(HINSTANCE instance, const char* className, HICON icon, HBRUSH background,
                                 UINT style) {
    WNDCLASSA windowClass{};
    windowClass.style = style;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = background;
    windowClass.lpszClassName = className;
    if (::RegisterClassA(&windowClass)) return true;
    return ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool Window::Create(const char* className, const char* title, DWORD style, const RECT& rect,
                    HINSTANCE instance, HWND owner, DWORD exStyle) {
    if (mHwnd) return false;
    // The window is bound at WM_NCCREATE, so mHwnd is set before CreateWindowEx returns.
    HWND created = ::CreateWindowExA(exStyle, className, title, style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, owner, nullptr, instance,
                                     this);
    return created != nullptr;
}

void Window::Destroy() {
    if (mHwnd) ::DestroyWindow(mHwnd);  // WM_NCDESTROY clears mHwnd
    mHwnd = nullptr;
}

Window* Window::FromHandle(HWND window) {
    return reinterpret_cast<Window*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT Window::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefaultProc(msg, wParam, lParam);
}

LRESULT CALLBACK Window::StaticWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (self) {
            self->mHwnd = window;
            ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        }
    }
    Window* self = FromHandle(window);
    if (!self) return ::DefWindowProcA(window, msg, wParam, lParam);
    if (msg != WM_NCDESTROY) return self->WindowProc(msg, wParam, lParam);
    LRESULT result = self->WindowProc(msg, wParam, lParam);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->mHwnd = nullptr;
    return result;
}

void InvalidateIfShown(HWND hwnd, bool erase) {
    if (hwnd && ::IsWindowVisible(hwnd)) ::InvalidateRect(hwnd, nullptr, erase ? TRUE : FALSE);
}

}  // namespace fw
