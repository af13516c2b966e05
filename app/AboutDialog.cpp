#include "AboutDialog.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

#include "Handles.h"
#include "resource.h"

namespace {

constexpr int kLinkIds[] = {IDC_LINK_WEBSITE, IDC_LINK_SUPPORT};

std::string Caption(HWND button) {
    char caption[256] = {};
    ::GetWindowTextA(button, caption, sizeof(caption));
    return caption;
}

void PaintLink(HWND button) {
    fw::PaintDc dc(button);
    std::string caption = Caption(button);
    RECT r{};
    ::GetClientRect(button, &r);
    ::FillRect(dc.Get(), &r, ::GetSysColorBrush(COLOR_BTNFACE));
    int height = -::MulDiv(8, ::GetDeviceCaps(dc.Get(), LOGPIXELSY), 72);
    fw::Font font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                                "MS Sans Serif"));
    fw::SavedDcState saved(dc.Get());
    fw::SelectedObject selected(dc.Get(), font.Get());
    ::SetTextColor(dc.Get(), RGB(0, 0, 255));
    ::SetBkMode(dc.Get(), TRANSPARENT);
    ::DrawTextA(dc.Get(), caption.c_str(), -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

}  // namespace

LRESULT AboutDialog::LinkButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            PaintLink(Hwnd());
            return 0;
        case WM_LBUTTONDOWN:
            ::ShellExecuteA(nullptr, nullptr, Caption(Hwnd()).c_str(), nullptr, nullptr, SW_SHOWMAXIMIZED);
            return 0;
    }
    return Default(msg, wParam, lParam);
}

AboutDialog::AboutDialog(HWND owner) : fw::Dialog(IDD_ABOUT, owner) {}

BOOL AboutDialog::OnInitDialog() {
    const char* addresses[] = {kProductWebPage, kSupportPage};
    for (int i = 0; i < 2; ++i) {
        HWND button = Item(kLinkIds[i]);
        if (!button) continue;
        ::SetWindowTextA(button, addresses[i]);
        mLinks[i].Attach(button);
    }
    return TRUE;
}
