// A clickable bar holding a value of 0..100, drawn as its empty picture with the full picture
// over the part that the value covers.
#pragma once

#include "HoverButton.h"

namespace skin {

class PercentBar : public HoverButton {
public:
    // Ignored while the user drags it or when unchanged; clamped to 0..100.
    void SetValue(int value);
    int Value() const { return mValue; }
    void SetVertical(bool vertical) { mVertical = vertical; }
    bool Dragging() const { return mDragging; }

protected:
    void Draw(HDC dc, const RECT& client, UINT itemState) override;
    void OnMouseMove(WPARAM keys, POINT point) override;
    void OnLButtonDown(WPARAM keys, POINT point) override;
    void OnLButtonUp(WPARAM keys, POINT point) override;

private:
    int mValue = 0;
    bool mVertical = false;
    bool mDragging = false;
};

}  // namespace skin
