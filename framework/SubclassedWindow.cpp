#include "SubclassedWindow.h"

#include <commctrl.h>

#include "Window.h"

namespace fw {

namespace {
constexpr UINT_PTR kSubclassId = 0x534B;  // "SK"
}  // namespace

SubclassedWindow::~SubclassedWindow() {
    Detach();
}

bool SubclassedWindow::Create(const char* className, const char* text, DWORD style, const RECT& rect,
                              HWND parent) {
    HWND hwnd = ::CreateWindowExA(0, className, text, style | WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                                  ::GetModuleHandleA(nullptr), nullptr);
    if (!hwnd) return false;
    if (Attach(hwnd)) return true;
    ::DestroyWindow(hwnd);
    return false;
}

bool SubclassedWindow::Attach(HWND hwnd) {
    if (mHwnd || !hwnd) return false;
    if (!::SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    mHwnd = hwnd;
    OnAttached();
    return true;
}

void SubclassedWindow::Detach() {
    if (!mHwnd) return;
    ::RemoveWindowSubclass(mHwnd, SubclassProc, kSubclassId);
    mHwnd = nullptr;
}

void SubclassedWindow::DestroyWindow() {
    if (mHwnd) ::DestroyWindow(mHwnd);  // WM_NCDESTROY detaches
}

// A skin makes a score of controls before its window shows: hidden, they are left unmarked.
void SubclassedWindow::Invalidate(bool erase) const {
    InvalidateIfShown(mHwnd, erase);
}

void SubclassedWindow::ModifyStyle(DWORD remove, DWORD add) const {
    if (!mHwnd) return;
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(mHwnd, GWL_STYLE));
    DWORD changed = (style & ~remove) | add;
    // Setting a style is a round trip to the window server and two messages; most calls at
    // start-up find the style already as asked.
    if (changed != style) ::SetWindowLongPtrA(mHwnd, GWL_STYLE, changed);
}

LRESULT SubclassedWindow::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return Default(msg, wParam, lParam);
}

LRESULT SubclassedWindow::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(mHwnd, msg, wParam, lParam);
}

namespace {
// A control without a frame or scroll bars has nothing outside its client area.
bool HasNonClientArea(HWND hwnd) {
    RECT window{}, client{};
    ::GetWindowRect(hwnd, &window);
    ::GetClientRect(hwnd, &client);
    return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}
}  // namespace

LRESULT CALLBACK SubclassedWindow::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedWindow*>(data);
    // Painting an empty frame still costs a clipped drawing context per control: with a skin's
    // score of controls that was a good part of the time the main window took to show.
    if (msg == WM_NCPAINT && !HasNonClientArea(hwnd)) return 0;
    if (msg == WM_NCDESTROY) {
        LRESULT result = self->WindowProc(msg, wParam, lParam);
        self->Detach();
        return result;
    }
    return self->WindowProc(msg, wParam, lParam);
}

}  // namespace fw
