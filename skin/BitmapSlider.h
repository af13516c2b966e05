// A track bar drawn as a background picture with a thumb picture (and a pressed one while the
// thumb is dragged). A press on the bare track jumps the thumb there.
#pragma once

#include <windows.h>

#include <string>

#include "ControlLogic.h"
#include "Handles.h"
#include "SubclassedWindow.h"

namespace skin {

class BitmapSlider : public fw::SubclassedWindow {
public:
    void SetBackground(fw::Bitmap background);
    // The thumb's size is that of its normal picture; the pressed one is drawn at that size.
    void SetThumbs(fw::Bitmap thumb, fw::Bitmap pressedThumb, SIZE size);
    // The flag that is 1 while any slider is held (shared with whoever must wait for it).
    void SetHeldFlag(int* flag) { mHeldFlag = flag; }
    // The name decides the range of a jump.
    void SetIdentity(const std::string& name, int index);

    void SetRange(int max);
    void SetPos(int pos);
    int GetPos() const;
    bool Vertical() const;
    PixelRect ThumbRect() const;
    bool OnThumb() const { return mOnThumb; }
    bool Pressed() const { return mPressed; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    virtual void OnLButtonDown(WPARAM keys, POINT point);
    virtual void OnLButtonUp(WPARAM keys, POINT point);
    virtual void OnMouseMove(WPARAM keys, POINT point);
    // The press ended without a button release reaching the slider (its capture was taken away).
    virtual void OnPressAbandoned();

    const std::string& Name() const { return mName; }
    int Index() const { return mIndex; }

private:
    void OnPaint();
    void OnCaptureChanged(HWND next);
    void SetHeld(int value);

    fw::Bitmap mBackground;
    fw::Bitmap mThumb;
    fw::Bitmap mPressedThumb;
    SIZE mThumbSize{0, 0};
    bool mOnThumb = false;
    bool mPressed = false;
    int* mHeldFlag = nullptr;
    std::string mName;
    int mIndex = 0;
};

}  // namespace skin
