#include "PercentBar.h"

#include "ControlLogic.h"
#include "Pictures.h"

namespace skin {

void PercentBar::SetValue(int value) {
    if (mDragging || value == mValue) return;
    mValue = ClampPercent(value);
    Invalidate();
}

void PercentBar::OnLButtonDown(WPARAM keys, POINT point) {
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    mValue = ClampPercent(mVertical ? PercentAt(point.y, client.bottom) : PercentAt(point.x, client.right));
    mDragging = true;
    Invalidate();
    HoverButton::OnLButtonDown(keys, point);
}

void PercentBar::OnMouseMove(WPARAM keys, POINT point) {
    TrackHover(keys, point);
    if (!Hovering() || !mDragging) return;
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    // Dragging follows the horizontal axis whatever the orientation.
    mValue = ClampPercent(PercentAt(point.x, client.right));
    Invalidate();
}

void PercentBar::OnLButtonUp(WPARAM keys, POINT point) {
    mDragging = false;
    HoverButton::OnLButtonUp(keys, point);
}

void PercentBar::Draw(HDC dc, const RECT& client, UINT) {
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    DrawPicture(dc, NormalPicture(), client.left, client.top, client.right, client.bottom);
    if (mVertical) {
        DrawPicture(dc, PressedPicture(), client.left, client.top, client.right,
                    client.top + height * mValue / 100);
    } else {
        DrawPicture(dc, PressedPicture(), client.left, client.top, client.left + width * mValue / 100,
                    client.bottom);
    }
}

}  // namespace skin
