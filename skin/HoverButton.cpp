#include "HoverButton.h"

#include <commctrl.h>
#include <windowsx.h>

#include "ControlLogic.h"
#include "Dialog.h"
#include "Pictures.h"

namespace skin {

namespace {
constexpr UINT_PTR kToolId = 1;

POINT PointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The application's main window, where marked button releases go.
HWND MainWindowOf(HWND control) {
    fw::Dialog* main = fw::MainDialog();
    if (main && main->Hwnd()) return main->Hwnd();
    return ::GetAncestor(control, GA_ROOT);
}
}  // namespace

void HoverButton::OnAttached() {
    // A button attached from elsewhere is made owner-drawn; one created so is left as it is.
    LONG_PTR style = ::GetWindowLongPtrA(Hwnd(), GWL_STYLE);
    if ((style & BS_TYPEMASK) != BS_OWNERDRAW) ::SendMessageA(Hwnd(), BM_SETSTYLE, BS_OWNERDRAW, FALSE);
    ModifyStyle(WS_TABSTOP, 0);
}

void HoverButton::SetPictures(fw::Bitmap normal, fw::Bitmap hover, fw::Bitmap pressed, fw::Bitmap disabled) {
    mNormal = std::move(normal);
    mHover = std::move(hover);
    mPressed = std::move(pressed);
    mDisabled = std::move(disabled);
    Invalidate();
}

void HoverButton::SetCheck(int checked) {
    if (checked == mCheck) return;
    mCheck = checked;
    Invalidate();
}

bool HoverButton::Inside(POINT point) const {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    return ::PtInRect(&client, point) != FALSE;
}

void HoverButton::PostScreenPointRelease(UINT msg, POINT point) const {
    ::ClientToScreen(Hwnd(), &point);
    ::PostMessageA(MainWindowOf(Hwnd()), msg, kScreenPointMark, MAKELPARAM(point.x, point.y));
}

LRESULT HoverButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) RelayToTooltip(msg, wParam, lParam);
    switch (msg) {
        case kReflectedDrawItem:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_ERASEBKGND:
            return TRUE;  // the pictures cover the whole button
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, PointOf(lParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, PointOf(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, PointOf(lParam));
            return 0;
        case WM_RBUTTONUP:
            PostScreenPointRelease(WM_RBUTTONUP, PointOf(lParam));
            break;
        case WM_KILLFOCUS:
            OnKillFocus(reinterpret_cast<HWND>(wParam));
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NCDESTROY:
            DestroyTooltip();
            break;
    }
    return Default(msg, wParam, lParam);
}

void HoverButton::OnDrawItem(const DRAWITEMSTRUCT& item) {
    Draw(item.hDC, item.rcItem, item.itemState);
}

void HoverButton::Draw(HDC dc, const RECT& client, UINT itemState) {
    ButtonLook look;
    look.twoState = mTwoState;
    look.checked = mCheck != 0;
    look.hovering = mHovering;
    look.selected = (itemState & ODS_SELECTED) != 0;
    look.disabled = (itemState & ODS_DISABLED) != 0 || !::IsWindowEnabled(Hwnd());
    HBITMAP picture = nullptr;
    switch (ChooseButtonPicture(look)) {
        case ButtonPicture::Normal:
            picture = mNormal.Get();
            break;
        case ButtonPicture::Hover:
            picture = mHover.Get();
            break;
        case ButtonPicture::Pressed:
            picture = mPressed.Get();
            break;
        case ButtonPicture::Disabled:
            picture = mDisabled.Get();
            break;
    }
    // A state whose picture could not be loaded shows the normal one.
    if (!picture) picture = mNormal.Get();
    DrawPicture(dc, picture, client.left, client.top, client.right, client.bottom);
}

void HoverButton::OnMouseMove(WPARAM keys, POINT point) {
    TrackHover(keys, point);
}

void HoverButton::OnLButtonDown(WPARAM keys, POINT point) {
    Default(WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
}

void HoverButton::OnLButtonUp(WPARAM keys, POINT point) {
    Default(WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
}

void HoverButton::TrackHover(WPARAM keys, POINT point) {
    Default(WM_MOUSEMOVE, keys, MAKELPARAM(point.x, point.y));
    bool leftDown = (keys & MK_LBUTTON) != 0;
    // A drag that began elsewhere does not light the button.
    if (leftDown && !mHovering) return;
    HWND self = Hwnd();
    if (::GetCapture() != self) {
        if (::GetActiveWindow() && ::GetParent(self)) {
            mHovering = true;
            ::SetCapture(self);
            Invalidate();
        }
        return;
    }
    POINT screen = point;
    ::ClientToScreen(self, &screen);
    HWND under = ::WindowFromPoint(screen);
    if (!under || under == self) return;
    if (mHovering) {
        mHovering = false;
        Invalidate();
    }
    // While the button is down the capture stays, so a press dragged off and back still counts.
    if (!leftDown) ::ReleaseCapture();
}

void HoverButton::OnKillFocus(HWND next) {
    Default(WM_KILLFOCUS, reinterpret_cast<WPARAM>(next), 0);
    mHovering = false;
    Invalidate();
}

void HoverButton::OnCaptureChanged(HWND next) {
    // Taking the capture again (as the button does when it is pressed) loses nothing.
    if (!mHovering || next == Hwnd()) return;
    // Never take the capture away from a window that has just got it (a popup menu, say).
    if (::GetCapture() == Hwnd()) ::ReleaseCapture();
    Invalidate();
}

// The tooltip control is made when the mouse first comes to the button: a skin has a score of
// buttons, and making their tooltips up front would slow every skin load for nothing.
void HoverButton::EnsureTooltip() {
    if (mTooltip || !Hwnd()) return;
    mTooltip =
        ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                          CW_USEDEFAULT, Hwnd(), nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (!mTooltip) return;
    ::SendMessageA(mTooltip, TTM_ACTIVATE, FALSE, 0);
    if (mTip) ApplyTooltip();
}

void HoverButton::DestroyTooltip() {
    if (mTooltip) ::DestroyWindow(mTooltip);
    mTooltip = nullptr;
    mHasTool = false;
}

void HoverButton::SetTooltip(const std::string& text, bool activate) {
    mTip = TipSetting{text, activate};
    if (mTooltip) ApplyTooltip();
}

void HoverButton::ApplyTooltip() {
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = Hwnd();
    tool.uId = kToolId;
    tool.hinst = nullptr;
    tool.lpszText = const_cast<char*>(mTip->text.c_str());
    if (!mHasTool) {
        ::GetClientRect(Hwnd(), &tool.rect);
        mHasTool = ::SendMessageA(mTooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
    }
    ::SendMessageA(mTooltip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageA(mTooltip, TTM_ACTIVATE, mTip->active ? TRUE : FALSE, 0);
}

void HoverButton::RelayToTooltip(UINT msg, WPARAM wParam, LPARAM lParam) {
    EnsureTooltip();
    if (!mTooltip) return;
    MSG relayed{Hwnd(), msg, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), {}};
    DWORD pos = ::GetMessagePos();
    relayed.pt = POINT{GET_X_LPARAM(pos), GET_Y_LPARAM(pos)};
    ::SendMessageA(mTooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace skin
