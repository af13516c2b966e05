// A line of text over a background picture that scrolls in a loop, on a timer, when it is longer
// than the label can show.
#pragma once

#include <windows.h>

#include <string>

#include "Handles.h"
#include "HoverButton.h"

namespace skin {

class MarqueeLabel : public HoverButton {
public:
    // Also becomes the window text; a different text restarts the scrolling.
    void SetText(const std::string& text);
    const std::string& Text() const { return mText; }
    // Makes a font of its own from the description.
    void SetFont(const LOGFONTA& description);
    void SetTextColor(COLORREF colour);
    void SetBackground(fw::Bitmap background);

    int Capacity() const { return mCapacity; }
    bool Scrolling() const { return mScrolling; }
    size_t Offset() const { return mOffset; }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnAttached() override;
    void Draw(HDC dc, const RECT& client, UINT itemState) override;

private:
    void Layout();
    void OnTimer(UINT_PTR id);
    std::string WindowText() const;

    std::string mText;
    size_t mOffset = 0;
    int mCapacity = 0;
    bool mScrolling = false;
    bool mLaidOut = false;
    fw::Bitmap mBackground;
    fw::Font mFont;
    COLORREF mColour = RGB(0, 0, 0);
};

}  // namespace skin
