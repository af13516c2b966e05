#include "AboutDialog.h"

#include <windows.h>
#include <shellapi.h>

#include "Handles.h"
#include "resource.h"

namespace {

constexpr char kOriginalProc[] = "TesmaroLinkButtonProc";
constexpr int kLinkIds[] = {IDC_LINK_WEBSITE, IDC_LINK_SUPPORT};

void PaintLink(HWND button) {
    fw::PaintDc dc(button);
    char caption[256] = {};
    ::GetWindowTextA(button, caption, sizeof(caption));
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
    ::DrawTextA(dc.Get(), caption, -1, &r, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
}

// A push button that looks and acts like a hyperlink: blue underlined caption, a press opens
// the caption as an address.
LRESULT CALLBACK LinkButtonProc(HWND button, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto original = reinterpret_cast<WNDPROC>(::GetPropA(button, kOriginalProc));
    switch (msg) {
        case WM_PAINT:
            PaintLink(button);
            return 0;
        case WM_LBUTTONDOWN: {
            char caption[256] = {};
            ::GetWindowTextA(button, caption, sizeof(caption));
            ::ShellExecuteA(nullptr, nullptr, caption, nullptr, nullptr, SW_SHOWMAXIMIZED);
            return 0;
        }
    }
    return original ? ::CallWindowProcA(original, button, msg, wParam, lParam)
                    : ::DefWindowProcA(button, msg, wParam, lParam);
}

}  // namespace

AboutDialog::AboutDialog(HWND owner) : fw::Dialog(IDD_ABOUT, owner) {}

AboutDialog::~AboutDialog() {
    RestoreLinks();
}

BOOL AboutDialog::OnInitDialog() {
    const char* addresses[] = {kProductWebPage, kSupportPage};
    for (int i = 0; i < 2; ++i) {
        HWND button = Item(kLinkIds[i]);
        if (!button) continue;
        ::SetWindowTextA(button, addresses[i]);
        LONG_PTR original =
            ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LinkButtonProc));
        ::SetPropA(button, kOriginalProc, reinterpret_cast<HANDLE>(original));
    }
    mLinksMade = true;
    return TRUE;
}

void AboutDialog::OnDestroy() {
    RestoreLinks();
}

void AboutDialog::RestoreLinks() {
    if (!mLinksMade || !Hwnd()) return;
    for (int id : kLinkIds) {
        HWND button = Item(id);
        if (!button) continue;
        if (HANDLE original = ::RemovePropA(button, kOriginalProc))
            ::SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    }
    mLinksMade = false;
}
