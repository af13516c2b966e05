// A push button drawn from four pictures (normal, hover, pressed, disabled) that lights up while
// the mouse is over it, with a tooltip and an optional two-state look.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "Handles.h"
#include "Messages.h"
#include "SubclassedWindow.h"

namespace skin {

// The owner-draw request of a button, handed back to the button by the dialog that received it.
inline constexpr UINT kReflectedDrawItem = WM_USER + 0x2000 + WM_DRAWITEM;
// wParam of a posted button release whose lParam is a screen point.
inline constexpr WPARAM kScreenPointMark = MK_SCREENPOINT;

class HoverButton : public fw::SubclassedWindow {
public:
    // Replaces the pictures, releasing the old ones.
    void SetPictures(fw::Bitmap normal, fw::Bitmap hover, fw::Bitmap pressed, fw::Bitmap disabled);
    void SetTooltip(const std::string& text, bool activate);
    // Redraws only when the state changes.
    void SetCheck(int checked);
    int GetCheck() const { return mCheck; }
    void SetTwoState(bool twoState) { mTwoState = twoState; }
    bool TwoState() const { return mTwoState; }
    bool Hovering() const { return mHovering; }
    HWND Tooltip() const { return mTooltip; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    // Owner-drawn, out of the tab order.
    void OnAttached() override;
    // Paints the whole client area for the owner-draw request.
    virtual void Draw(HDC dc, const RECT& client, UINT itemState);
    virtual void OnMouseMove(WPARAM keys, POINT point);
    virtual void OnLButtonDown(WPARAM keys, POINT point);
    virtual void OnLButtonUp(WPARAM keys, POINT point);
    // Default processing and the hover tracking of a mouse move.
    void TrackHover(WPARAM keys, POINT point);
    void SetHovering(bool hovering) { mHovering = hovering; }
    bool Inside(POINT point) const;
    // Posts a button release to the main window with the point in screen coordinates.
    void PostScreenPointRelease(UINT msg, POINT point) const;

    HBITMAP NormalPicture() const { return mNormal.Get(); }
    HBITMAP PressedPicture() const { return mPressed.Get(); }

private:
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    void OnKillFocus(HWND next);
    void OnCaptureChanged(HWND next);
    void RelayToTooltip(UINT msg, WPARAM wParam, LPARAM lParam);
    void EnsureTooltip();
    void DestroyTooltip();
    void ApplyTooltip();

    fw::Bitmap mNormal;
    fw::Bitmap mHover;
    fw::Bitmap mPressed;
    fw::Bitmap mDisabled;
    bool mHovering = false;
    int mCheck = 0;
    bool mTwoState = false;
    HWND mTooltip = nullptr;
    bool mHasTool = false;
    struct TipSetting {
        std::string text;
        bool active;
    };
    std::optional<TipSetting> mTip;  // given before the tooltip control existed
};

}  // namespace skin
