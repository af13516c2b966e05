#include "MarqueeLabel.h"

#include "ControlLogic.h"
#include "Messages.h"
#include "Pictures.h"

namespace skin {

namespace {
// The width of "W" in the font of a fresh drawing context (the system font), not the label's own;
// it is the same for every label, so it is measured once (until a measurement succeeds).
int SystemLetterWidth() {
    static int width = 0;
    if (width == 0) {
        fw::WindowDc dc(nullptr);
        SIZE letter{};
        if (dc && ::GetTextExtentPoint32A(dc.Get(), "W", 1, &letter)) width = letter.cx;
    }
    return width;
}
}  // namespace

void MarqueeLabel::OnAttached() {
    HoverButton::OnAttached();
    LOGFONTA uiFont{};
    ::GetObjectA(::GetStockObject(DEFAULT_GUI_FONT), sizeof(uiFont), &uiFont);
    mFont.Reset(::CreateFontIndirectA(&uiFont));
}

void MarqueeLabel::SetText(const std::string& text) {
    // The status display writes its fields every second; the same text again must not restart
    // the scrolling, or a long name would never get past its first characters.
    if (mLaidOut && text == mText) return;
    mText = text;
    // Setting the window's text is a round trip to the window server; a label made with its
    // text (as a skin makes them) already has it.
    if (Hwnd() && WindowText() != text) ::SetWindowTextA(Hwnd(), text.c_str());
    Layout();
}

std::string MarqueeLabel::WindowText() const {
    int length = ::GetWindowTextLengthA(Hwnd());
    std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(Hwnd(), text.data(), static_cast<int>(text.size()))));
    return text;
}

void MarqueeLabel::SetFont(const LOGFONTA& description) {
    fw::Font font(::CreateFontIndirectA(&description));
    if (font) mFont = std::move(font);
    Layout();
}

void MarqueeLabel::SetTextColor(COLORREF colour) {
    mColour = colour;
    Invalidate();
}

void MarqueeLabel::SetBackground(fw::Bitmap background) {
    mBackground = std::move(background);
    Invalidate();
}

void MarqueeLabel::Layout() {
    if (!Hwnd()) return;
    if (mScrolling) ::KillTimer(Hwnd(), kMarqueeTimer);
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    mCapacity = MarqueeCapacity(client.right - client.left, SystemLetterWidth());
    mScrolling = MarqueeScrolls(mText, mCapacity);
    if (mScrolling) ::SetTimer(Hwnd(), kMarqueeTimer, kMarqueePeriodMs, nullptr);
    mOffset = 0;
    mLaidOut = true;
    Invalidate();
}

LRESULT MarqueeLabel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER) {
        OnTimer(wParam);
        return 0;
    }
    return HoverButton::WindowProc(msg, wParam, lParam);
}

void MarqueeLabel::OnTimer(UINT_PTR id) {
    if (id != kMarqueeTimer) return;
    mOffset = NextMarqueeOffset(mOffset, mText.size());
    Invalidate();
}

void MarqueeLabel::Draw(HDC dc, const RECT& client, UINT) {
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    // Composed off screen, so the text does not flicker as it moves.
    fw::MemoryDc memory(::CreateCompatibleDC(dc));
    fw::Bitmap canvas(::CreateCompatibleBitmap(dc, width, height));
    if (!memory || !canvas) return;
    fw::SelectedObject keepCanvas(memory.Get(), canvas.Get());
    if (mBackground) {
        DrawPicture(memory.Get(), mBackground.Get(), 0, 0, width, height);
    } else {
        ::BitBlt(memory.Get(), 0, 0, width, height, dc, client.left, client.top, SRCCOPY);
    }
    std::string shown = MarqueeShownText(mText, mOffset, mCapacity);
    {
        fw::SavedDcState state(memory.Get());
        ::SetBkMode(memory.Get(), TRANSPARENT);
        ::SelectObject(memory.Get(), mFont.Get());
        ::SetTextColor(memory.Get(), mColour);
        RECT area{0, 0, width, height};
        ::DrawTextA(memory.Get(), shown.c_str(), static_cast<int>(shown.size()), &area, DT_VCENTER);
    }
    ::BitBlt(dc, client.left, client.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

}  // namespace skin
