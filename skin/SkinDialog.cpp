#include "SkinDialog.h"

#include <windowsx.h>

#include "MaskRegion.h"
#include "Pictures.h"
#include "Window.h"

namespace {

constexpr COLORREF kMaskKey = RGB(255, 255, 255);
constexpr COLORREF kMaskTolerance = RGB(16, 16, 16);

template <typename List>
auto FindIn(const List& list, const std::string& name) -> typename List::value_type::pointer {
    for (const auto& control : list) {
        if (control->Name() == name) return control.get();
    }
    return nullptr;
}

template <typename List>
void DestroyAll(List& list) {
    for (auto& control : list)
        control->DestroyWindow();
    list.clear();
}

}  // namespace

SkinDialog::SkinDialog(UINT templateId, HWND parent) : fw::Dialog(templateId, parent) {}

SkinDialog::~SkinDialog() {
    UnloadSkin();
}

void SkinDialog::OnSkinProgressClick(const std::string&) {}
void SkinDialog::OnSkinButtonClick(const std::string&) {}
void SkinDialog::OnSkinSliderEvent(const std::string&, int, int) {}
void SkinDialog::OnSkinTextClick(const std::string&) {}
void SkinDialog::OnSkinMouseMove(const std::string&, POINT) {}

void SkinDialog::NotifyButtonClick(int index) {
    if (index >= 0 && index < static_cast<int>(mButtons.size())) OnSkinButtonClick(mButtons[index]->Name());
}

void SkinDialog::NotifySliderEvent(int index, int code, int pos) {
    if (index >= 0 && index < static_cast<int>(mSliders.size()))
        OnSkinSliderEvent(mSliders[index]->Name(), code, pos);
}

void SkinDialog::NotifyTextClick(int index) {
    if (index >= 0 && index < static_cast<int>(mTexts.size())) OnSkinTextClick(mTexts[index]->Name());
}

void SkinDialog::NotifyProgressClick(int index) {
    if (index >= 0 && index < static_cast<int>(mProgressBars.size()))
        OnSkinProgressClick(mProgressBars[index]->Name());
}

skin::SkinButton* SkinDialog::FindButton(const std::string& name) const {
    return FindIn(mButtons, name);
}
skin::SkinSlider* SkinDialog::FindSlider(const std::string& name) const {
    return FindIn(mSliders, name);
}
skin::SkinText* SkinDialog::FindText(const std::string& name) const {
    return FindIn(mTexts, name);
}
skin::SkinProgress* SkinDialog::FindProgress(const std::string& name) const {
    return FindIn(mProgressBars, name);
}

size_t SkinDialog::ControlCount() const {
    return mButtons.size() + mSliders.size() + mTexts.size() + mProgressBars.size();
}

void SkinDialog::SetSliderRange(const char* name, int max) {
    if (skin::SkinSlider* slider = FindSlider(name)) slider->SetRange(max);
}

void SkinDialog::SetSliderPos(const char* name, int pos) {
    if (skin::SkinSlider* slider = FindSlider(name)) slider->SetPos(pos);
}

int SkinDialog::GetSliderPos(const char* name) const {
    skin::SkinSlider* slider = FindSlider(name);
    return slider ? slider->GetPos() : 0;
}

void SkinDialog::SetText(const char* name, const char* text) {
    if (skin::SkinText* field = FindText(name)) field->SetText(text ? text : "");
}

std::string SkinDialog::GetText(const char* name) const {
    skin::SkinText* field = FindText(name);
    return field ? field->Text() : std::string();
}

void SkinDialog::EnableButton(const char* name, bool enable) {
    skin::SkinButton* button = FindButton(name);
    if (!button || (::IsWindowEnabled(button->Hwnd()) != FALSE) == enable) return;
    ::EnableWindow(button->Hwnd(), enable ? TRUE : FALSE);
}

bool SkinDialog::ButtonStartsEnabled(const std::string&) const {
    return true;
}

void SkinDialog::SetButtonCheck(const char* name, bool checked) {
    if (skin::SkinButton* button = FindButton(name)) button->SetCheck(checked ? 1 : 0);
}

int SkinDialog::GetButtonCheck(const char* name) const {
    skin::SkinButton* button = FindButton(name);
    return button ? button->GetCheck() : 0;
}

void SkinDialog::UnloadSkin() {
    mMain.Reset();
    mOver.Reset();
    mSelected.Reset();
    mDisabled.Reset();
    DestroyAll(mButtons);
    DestroyAll(mSliders);
    DestroyAll(mTexts);
    DestroyAll(mProgressBars);
}

BOOL SkinDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    DWORD attributes = ::GetFileAttributesA(mSkinFile.c_str());
    if (!mSkinFile.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        LoadSkin();
    return TRUE;
}

void SkinDialog::ShowModal() {
    // A start asked to be minimised or hidden (a shortcut set so, say) is left to the platform.
    STARTUPINFOA start{};
    start.cb = sizeof(start);
    ::GetStartupInfoA(&start);
    bool plainShow = !(start.dwFlags & STARTF_USESHOWWINDOW) || start.wShowWindow == SW_SHOWNORMAL ||
                     start.wShowWindow == SW_SHOW || start.wShowWindow == SW_SHOWDEFAULT;
    if (!plainShow) {
        fw::Dialog::ShowModal();
        return;
    }
    ::SetWindowPos(Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOREDRAW);
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void SkinDialog::ApplyRegion(HBITMAP mask) {
    if (!Hwnd()) return;
    SetWindowRegion(skin::MaskToRegion(mask, kMaskKey, kMaskTolerance));
}

void SkinDialog::SetWindowRegion(fw::Region region) {
    HWND hwnd = Hwnd();
    if (!hwnd) return;
    if (!region) {
        ::MessageBoxA(hwnd, "Can not initialize region!", "error", MB_OK);
    } else if (::SetWindowRgn(hwnd, region.Get(), TRUE)) {
        region.Release();  // the window owns it now
    } else {
        ::MessageBoxA(hwnd, "Can not initialize region!", "error", MB_OK);
    }
    fw::InvalidateIfShown(hwnd, true);
}

INT_PTR SkinDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_PAINT:
            if (::IsIconic(Hwnd())) break;
            OnPaint();
            return TRUE;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_LBUTTONDOWN:
            OnFaceButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return FALSE;
        case WM_MOUSEMOVE:
            OnFaceMouseMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return FALSE;
        case WM_DESTROY:
            UnloadSkin();
            break;
    }
    return fw::Dialog::WindowProc(msg, wParam, lParam);
}

// The face is drawn through a window DC over the whole client area, so it is complete even when
// a derived window has already begun and ended painting for this same message.
void SkinDialog::OnPaint() {
    { fw::PaintDc validate(Hwnd()); }
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    fw::WindowDc dc(Hwnd());
    if (dc) skin::DrawPicture(dc.Get(), mMain.Get(), client.left, client.top, client.right, client.bottom);
    for (auto& button : mButtons)
        button->Invalidate();
    for (auto& slider : mSliders)
        slider->Invalidate();
    for (auto& text : mTexts)
        text->Invalidate();
}

void SkinDialog::OnDrawItem(const DRAWITEMSTRUCT& item) {
    if (item.CtlType == ODT_BUTTON && item.hwndItem)
        ::SendMessageA(item.hwndItem, skin::kReflectedDrawItem, 0, reinterpret_cast<LPARAM>(&item));
}

// The platform's own move loop drags the window from any point of its face.
void SkinDialog::OnFaceButtonDown(POINT point) {
    ::ClientToScreen(Hwnd(), &point);
    ::PostMessageA(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}

void SkinDialog::OnFaceMouseMove(POINT point) {
    OnSkinMouseMove("", point);
}
