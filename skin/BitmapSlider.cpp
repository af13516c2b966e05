#include "BitmapSlider.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "Pictures.h"

namespace skin {

void BitmapSlider::SetBackground(fw::Bitmap background) {
    mBackground = std::move(background);
    Invalidate();
}

void BitmapSlider::SetThumbs(fw::Bitmap thumb, fw::Bitmap pressedThumb, SIZE size) {
    mThumb = std::move(thumb);
    mPressedThumb = std::move(pressedThumb);
    mThumbSize = size;
    Invalidate();
}

void BitmapSlider::SetIdentity(const std::string& name, int index) {
    mName = name;
    mIndex = index;
}

void BitmapSlider::SetRange(int max) {
    ::SendMessageA(Hwnd(), TBM_SETRANGEMIN, FALSE, 0);
    ::SendMessageA(Hwnd(), TBM_SETRANGEMAX, TRUE, max);
    Invalidate();
}

void BitmapSlider::SetPos(int pos) {
    ::SendMessageA(Hwnd(), TBM_SETPOS, TRUE, pos);
    Invalidate();
}

int BitmapSlider::GetPos() const {
    return static_cast<int>(::SendMessageA(Hwnd(), TBM_GETPOS, 0, 0));
}

bool BitmapSlider::Vertical() const {
    return (::GetWindowLongPtrA(Hwnd(), GWL_STYLE) & TBS_VERT) != 0;
}

PixelRect BitmapSlider::ThumbRect() const {
    RECT own{};
    ::SendMessageA(Hwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&own));
    return SliderThumbRect(PixelRect{own.left, own.top, own.right, own.bottom}, mThumbSize.cx, mThumbSize.cy,
                           Vertical());
}

LRESULT BitmapSlider::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (msg) {
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_ERASEBKGND:
            return TRUE;  // the pictures cover the whole slider
        case WM_LBUTTONDOWN:
            OnLButtonDown(wParam, point);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(wParam, point);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(wParam, point);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            return 0;  // the keyboard does not move a skinned slider
    }
    return Default(msg, wParam, lParam);
}

void BitmapSlider::OnPaint() {
    fw::PaintDc paint(Hwnd());
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    // Composed off screen, so the thumb does not flicker as it moves.
    fw::MemoryDc memory(::CreateCompatibleDC(paint.Get()));
    fw::Bitmap canvas(::CreateCompatibleBitmap(paint.Get(), client.right, client.bottom));
    if (!memory || !canvas) return;
    fw::SelectedObject keepCanvas(memory.Get(), canvas.Get());
    DrawPicture(memory.Get(), mBackground.Get(), 0, 0, client.right, client.bottom);
    PixelRect thumb = ThumbRect();
    HBITMAP picture = mOnThumb && mPressedThumb ? mPressedThumb.Get() : mThumb.Get();
    DrawPicture(memory.Get(), picture, thumb.left, thumb.top, thumb.left + mThumbSize.cx,
                thumb.top + mThumbSize.cy);
    ::BitBlt(paint.Get(), 0, 0, client.right, client.bottom, memory.Get(), 0, 0, SRCCOPY);
}

void BitmapSlider::SetHeld(int value) {
    if (mHeldFlag) *mHeldFlag = value;
}

void BitmapSlider::OnLButtonDown(WPARAM keys, POINT point) {
    mOnThumb = false;
    PixelRect thumb = ThumbRect();
    if (point.x >= thumb.left && point.x < thumb.right && point.y >= thumb.top && point.y < thumb.bottom) {
        mOnThumb = true;
        // The picture may be wider than the track bar's own thumb: a press anywhere on it grabs the
        // thumb instead of paging the track.
        RECT own{};
        ::SendMessageA(Hwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&own));
        if (own.right > own.left && own.bottom > own.top) {
            point.x = std::clamp<LONG>(point.x, own.left, own.right - 1);
            point.y = std::clamp<LONG>(point.y, own.top, own.bottom - 1);
        }
        Default(WM_LBUTTONDOWN, keys, MAKELPARAM(point.x, point.y));
    } else {
        RECT window{};
        ::GetWindowRect(Hwnd(), &window);
        int pos = SliderJumpPosition(point.x, window.right - window.left, SliderRangeOf(mName));
        ::SendMessageA(Hwnd(), TBM_SETPOS, TRUE, pos);
        // The release must come back here even when it happens off the slider.
        ::SetCapture(Hwnd());
    }
    mPressed = true;
    SetHeld(1);
    Invalidate();
}

void BitmapSlider::OnLButtonUp(WPARAM keys, POINT point) {
    mPressed = false;
    SetHeld(0);
    Default(WM_LBUTTONUP, keys, MAKELPARAM(point.x, point.y));
    if (::GetCapture() == Hwnd()) ::ReleaseCapture();
    mOnThumb = false;
    Invalidate();
}

void BitmapSlider::OnMouseMove(WPARAM keys, POINT point) {
    Default(WM_MOUSEMOVE, keys, MAKELPARAM(point.x, point.y));
    if (mOnThumb) Invalidate();
}

void BitmapSlider::OnCaptureChanged(HWND next) {
    Default(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(next));
    if (next == Hwnd()) return;
    if (mOnThumb) {
        if (::GetCapture() == Hwnd()) ::ReleaseCapture();
        Invalidate();
    }
    if (mPressed) {
        mPressed = false;
        mOnThumb = false;
        SetHeld(0);
        OnPressAbandoned();
        Invalidate();
    }
}

void BitmapSlider::OnPressAbandoned() {}

}  // namespace skin
