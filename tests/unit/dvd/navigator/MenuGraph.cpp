#include "MenuGraph.h"

#include <windowsx.h>

#include "Handles.h"

namespace navtest {

namespace {

constexpr char kOwnerClass[] = "TesmaroMenuTestOwner";

}  // namespace

std::wstring MenuDiscIfo(const std::string& name) {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    size_t slash = dir.find_last_of('\\');
    std::string ifo = (slash == std::string::npos ? std::string(".") : dir.substr(0, slash)) +
                      "\\media\\menus\\" + name + "\\VIDEO_TS\\VIDEO_TS.IFO";
    return std::wstring(ifo.begin(), ifo.end());
}

// The authored colours as MPEG-2, the subpicture palette and the conversion give them back.
bool IsWhite(Colour c) {
    return c.r > 190 && c.g > 190 && c.b > 190;
}
bool IsYellow(Colour c) {
    return c.r > 190 && c.g > 190 && c.b < 90;
}
bool IsMagenta(Colour c) {
    return c.r > 190 && c.b > 190 && c.g < 90;
}
bool IsDark(Colour c) {
    return c.r < 90 && c.g < 90 && c.b < 90;
}

bool WaitForColour(NavGraph& nav, POINT at, const std::function<bool(Colour)>& is, Colour* last,
                   DWORD timeoutMs) {
    DWORD start = ::GetTickCount();
    Colour c;
    for (;;) {
        bool read = nav.ShownColour(c, at.x, at.y);
        if (last) *last = c;
        if (read && is(c)) return true;
        if (::GetTickCount() - start >= timeoutMs) return false;
        nav.Pump(40);
    }
}

OwnerWindow::OwnerWindow(NavGraph& nav, const RECT& outer, DWORD style) : mNav(nav) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.hbrBackground = static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    wc.lpszClassName = kOwnerClass;
    ::RegisterClassA(&wc);  // fails harmlessly when an earlier test registered it
    mWindow =
        ::CreateWindowExA(0, kOwnerClass, "Menu test", style, outer.left, outer.top, outer.right - outer.left,
                          outer.bottom - outer.top, nullptr, nullptr, wc.hInstance, nullptr);
    if (!mWindow || !nav.window) return;
    ::SetWindowLongPtrA(mWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    // As the engine makes its video window: the renderer a child without frame, drained to it.
    long rendererStyle = 0;
    nav.window->get_WindowStyle(&rendererStyle);
    nav.window->put_WindowStyle((rendererStyle | WS_CHILD) & ~(WS_CAPTION | WS_THICKFRAME));
    nav.window->put_Owner(reinterpret_cast<OAHWND>(mWindow));
    nav.window->put_MessageDrain(reinterpret_cast<OAHWND>(mWindow));
    ::ShowWindow(mWindow, SW_SHOWNORMAL);
    mRenderer = ::FindWindowExA(mWindow, nullptr, nullptr, nullptr);
}

OwnerWindow::~OwnerWindow() {
    if (mNav.window) {
        mNav.window->put_Visible(OAFALSE);
        mNav.window->put_MessageDrain(0);
        mNav.window->put_Owner(0);
    }
    if (mWindow) ::DestroyWindow(mWindow);
}

void OwnerWindow::PlaceRenderer(const RECT& picture) {
    mNav.window->SetWindowPosition(picture.left, picture.top, picture.right - picture.left,
                                   picture.bottom - picture.top);
    mNav.window->put_Visible(OATRUE);
    mNav.Pump(0);
}

POINT OwnerWindow::RendererPoint(POINT picture) {
    // The renderer stretches the picture over its destination rectangle.
    long left = 0, top = 0, width = 0, height = 0, sourceWidth = 720, sourceHeight = 576;
    mNav.video->GetDestinationPosition(&left, &top, &width, &height);
    mNav.video->GetVideoSize(&sourceWidth, &sourceHeight);
    return POINT{static_cast<LONG>(left + (2 * picture.x + 1) * width / (2 * sourceWidth)),
                 static_cast<LONG>(top + (2 * picture.y + 1) * height / (2 * sourceHeight))};
}

bool OwnerWindow::WaitForShown(POINT picture, const std::function<bool(Colour)>& is, Colour* last,
                               DWORD timeoutMs) {
    fw::WindowDc screen(nullptr);
    DWORD start = ::GetTickCount();
    for (;;) {
        POINT p = RendererPoint(picture);
        ::ClientToScreen(mRenderer, &p);
        COLORREF pixel = ::GetPixel(screen.Get(), p.x, p.y);
        Colour c{GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)};
        if (last) *last = c;
        if (pixel != CLR_INVALID && is(c)) return true;
        if (::GetTickCount() - start >= timeoutMs) return false;
        mNav.Pump(40);
    }
}

HRESULT OwnerWindow::MoveTo(POINT client) {
    return Send(WM_MOUSEMOVE, client);
}

HRESULT OwnerWindow::ClickAt(POINT client) {
    return Send(WM_LBUTTONUP, client);
}

HRESULT OwnerWindow::Send(UINT message, POINT client) {
    mHandled = false;
    mResult = E_FAIL;
    ::PostMessageA(mRenderer, message, 0, MAKELPARAM(client.x, client.y));
    DWORD start = ::GetTickCount();
    while (!mHandled && ::GetTickCount() - start < 5000)
        mNav.Pump(10);
    return mHandled ? mResult : E_ABORT;
}

LRESULT CALLBACK OwnerWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<OwnerWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_MOUSEMOVE || message == WM_LBUTTONUP)) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        self->mResult = message == WM_MOUSEMOVE ? self->mNav.control->SelectAtPosition(point)
                                                : self->mNav.control->ActivateAtPosition(point);
        self->mHandled = true;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace navtest
