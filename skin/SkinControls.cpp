#include "SkinControls.h"

#include <commctrl.h>

#include "SkinDialog.h"

namespace skin {

namespace {
constexpr char kEjectButton[] = "ID_FILE_EJECT";
}

void SkinButton::OnMouseMove(WPARAM keys, POINT point) {
    mId.dialog->OnSkinMouseMove(mId.name, point);
    HoverButton::OnMouseMove(keys, point);
}

void SkinButton::OnLButtonUp(WPARAM keys, POINT point) {
    if (mId.name == kEjectButton) {
        // The main window offers the drives to eject at the pointer.
        PostScreenPointRelease(WM_LBUTTONUP, point);
    } else if (Inside(point)) {
        SetHovering(false);
        Invalidate();
        mId.dialog->NotifyButtonClick(mId.index);
    }
    HoverButton::OnLButtonUp(keys, point);
}

void SkinText::OnMouseMove(WPARAM keys, POINT point) {
    Default(WM_MOUSEMOVE, keys, MAKELPARAM(point.x, point.y));
    mId.dialog->OnSkinMouseMove(mId.name, point);
}

void SkinText::OnLButtonUp(WPARAM keys, POINT point) {
    MarqueeLabel::OnLButtonUp(keys, point);
    mId.dialog->NotifyTextClick(mId.index);
}

void SkinProgress::OnMouseMove(WPARAM keys, POINT point) {
    PercentBar::OnMouseMove(keys, point);
    mId.dialog->OnSkinMouseMove(mId.name, point);
}

void SkinProgress::OnLButtonUp(WPARAM keys, POINT point) {
    PercentBar::OnLButtonUp(keys, point);
    Invalidate();
    if (Inside(point)) mId.dialog->NotifyProgressClick(mId.index);
}

void SkinSlider::OnLButtonDown(WPARAM keys, POINT point) {
    SetIdentity(mId.name, mId.index);
    BitmapSlider::OnLButtonDown(keys, point);
    mHeld = true;
}

void SkinSlider::OnMouseMove(WPARAM keys, POINT point) {
    BitmapSlider::OnMouseMove(keys, point);
    if (mHeld) {
        mId.dialog->NotifySliderEvent(mId.index, TB_THUMBPOSITION, GetPos());
    } else {
        mId.dialog->OnSkinMouseMove(mId.name, point);
    }
}

void SkinSlider::OnLButtonUp(WPARAM keys, POINT point) {
    mHeld = false;
    mId.dialog->NotifySliderEvent(mId.index, TB_ENDTRACK, GetPos());
    BitmapSlider::OnLButtonUp(keys, point);
}

void SkinSlider::OnPressAbandoned() {
    mHeld = false;
}

}  // namespace skin
