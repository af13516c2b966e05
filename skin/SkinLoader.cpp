// Loading a skin: its pictures, the window's shape and size, and every control it describes.
#include <windows.h>

#include <commctrl.h>

#include "IniFile.h"
#include "MaskRegion.h"
#include "Pictures.h"
#include "SkinDialog.h"
#include "SkinFormat.h"
#include "Window.h"

namespace {

constexpr char kBackground[] = "BACKGROUND";
constexpr COLORREF kMaskKey = RGB(255, 255, 255);
constexpr COLORREF kMaskTolerance = RGB(16, 16, 16);

RECT ToRect(const skin::SkinRect& r) {
    return RECT{r.left, r.top, r.right, r.bottom};
}

fw::Bitmap Cut(skin::PictureCutter& cutter, HBITMAP source, const skin::SkinRect& r) {
    fw::Bitmap piece;
    cutter.Cut(piece, source, r.left, r.top, r.right, r.bottom);
    return piece;
}

// A picture named by the skin; a name that does not load leaves it empty.
fw::Bitmap LoadNamedPicture(const std::string& directory, const std::string& name, SIZE& size) {
    fw::Bitmap picture;
    if (!name.empty()) skin::LoadPictureFile(directory + name, picture, size);
    return picture;
}

}  // namespace

skin::ControlIdentity SkinDialog::Identity(const std::string& name, size_t index) {
    return skin::ControlIdentity{this, name, static_cast<int>(index)};
}

namespace skin {
SkinRefusal JudgeSkinWindow(SIZE maskSize, bool regionEmpty, const RECT& workArea) {
    if (maskSize.cx > workArea.right - workArea.left || maskSize.cy > workArea.bottom - workArea.top)
        return SkinRefusal::LargerThanWork;
    if (regionEmpty) return SkinRefusal::Invisible;
    return SkinRefusal::None;
}
}  // namespace skin

void SkinDialog::LoadSkin() {
    IniFile ini;
    ini.SetPath(mSkinFile);
    std::string directory = skin::SkinDirectoryOf(mSkinFile);
    // The mask decides the window's size and shape, so it is judged before anything is
    // replaced: a skin that would leave the user without a window to find is refused whole.
    SIZE maskSize{0, 0};
    fw::Bitmap mask = LoadNamedPicture(directory, ini.GetString(kBackground, "Mask", ""), maskSize);
    fw::Region region;
    mRefusal = SkinRefusal::None;
    if (mask) {
        RECT workArea{0, 0, 0, 0};
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
        // Judged on size first: a huge mask is not worth scanning.
        mRefusal = skin::JudgeSkinWindow(maskSize, false, workArea);
        if (mRefusal == SkinRefusal::None) {
            region = skin::MaskToRegion(mask.Get(), kMaskKey, kMaskTolerance);
            RECT box{};
            mRefusal = skin::JudgeSkinWindow(maskSize, region && ::GetRgnBox(region.Get(), &box) == NULLREGION,
                                             workArea);
        }
        if (mRefusal != SkinRefusal::None) return;
    }

    UnloadSkin();
    // The face is painted around the controls, not under them, so they do not flicker.
    if (Hwnd()) {
        LONG_PTR style = ::GetWindowLongPtrA(Hwnd(), GWL_STYLE);
        ::SetWindowLongPtrA(Hwnd(), GWL_STYLE, style | WS_CLIPCHILDREN);
    }
    // Without a mask the window keeps its size: a window of no size could not be found again.
    if (mask && Hwnd()) {
        ::SetWindowPos(Hwnd(), nullptr, 0, 0, maskSize.cx, maskSize.cy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LoadFaces(ini, directory);
    if (mask) {
        SetWindowRegion(std::move(region));
    } else {
        ApplyRegion(nullptr);  // tells that the skin gives the window no shape
    }
    {
        fw::WindowDc dc(Hwnd());
        skin::PictureCutter cutter(dc.Get());
        CreateButtons(ini, cutter);
        CreateTexts(ini, cutter);
        CreateSliders(ini, directory, cutter);
        CreateProgressBars(ini, cutter);
    }
    fw::InvalidateIfShown(Hwnd(), true);
}

void SkinDialog::LoadFaces(const IniFile& ini, const std::string& directory) {
    SIZE ignored{};
    mMain = LoadNamedPicture(directory, ini.GetString(kBackground, "Main", ""), ignored);
    mOver = LoadNamedPicture(directory, ini.GetString(kBackground, "Over", ""), ignored);
    mSelected = LoadNamedPicture(directory, ini.GetString(kBackground, "Selected", ""), ignored);
    mDisabled = LoadNamedPicture(directory, ini.GetString(kBackground, "Disabled", ""), ignored);
}

void SkinDialog::CreateButtons(const IniFile& ini, skin::PictureCutter& cutter) {
    for (const std::string& value : skin::NumberedEntries(ini, "BUTTON")) {
        skin::ButtonEntry entry;
        if (!skin::ParseButtonEntry(value, entry)) continue;
        auto button = std::make_unique<skin::SkinButton>(Identity(entry.name, mButtons.size()));
        DWORD style = BS_OWNERDRAW | (ButtonStartsEnabled(entry.name) ? 0 : WS_DISABLED);
        if (!button->Create(WC_BUTTONA, "", style, ToRect(entry.rect), Hwnd())) continue;
        button->SetPictures(Cut(cutter, mMain.Get(), entry.rect), Cut(cutter, mOver.Get(), entry.rect),
                            Cut(cutter, mSelected.Get(), entry.rect),
                            Cut(cutter, mDisabled.Get(), entry.rect));
        button->ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
        button->SetTooltip(entry.tip, true);
        button->SetTwoState(entry.twoState);
        mButtons.push_back(std::move(button));
    }
}

void SkinDialog::CreateTexts(const IniFile& ini, skin::PictureCutter& cutter) {
    for (const std::string& value : skin::NumberedEntries(ini, "TEXTINFO")) {
        skin::TextEntry entry;
        if (!skin::ParseTextEntry(value, entry)) continue;
        auto text = std::make_unique<skin::SkinText>(Identity(entry.name, mTexts.size()));
        if (!text->Create(WC_BUTTONA, entry.text.c_str(), BS_OWNERDRAW, ToRect(entry.rect), Hwnd())) continue;
        text->SetBackground(Cut(cutter, mMain.Get(), entry.rect));
        text->SetText(entry.text);
        text->SetTextColor(static_cast<COLORREF>(entry.colour));
        LOGFONTA font{};
        font.lfHeight = entry.size;
        font.lfWeight = entry.bold ? FW_BOLD : FW_NORMAL;
        font.lfItalic = entry.italic ? TRUE : FALSE;
        font.lfCharSet = DEFAULT_CHARSET;
        entry.face.copy(font.lfFaceName, skin::kMaxFaceChars);  // the rest stays zero
        text->SetFont(font);
        mTexts.push_back(std::move(text));
    }
}

void SkinDialog::CreateSliders(const IniFile& ini, const std::string& directory, skin::PictureCutter& cutter) {
    for (const std::string& value : skin::NumberedEntries(ini, "TRACKBARINFO")) {
        skin::SliderEntry entry;
        if (!skin::ParseSliderEntry(value, entry)) continue;
        auto slider = std::make_unique<skin::SkinSlider>(Identity(entry.name, mSliders.size()));
        DWORD style = TBS_HORZ | (entry.horizontal ? 0 : TBS_VERT);
        if (!slider->Create(TRACKBAR_CLASSA, "", style, ToRect(entry.rect), Hwnd())) continue;
        slider->SetBackground(Cut(cutter, mMain.Get(), entry.rect));
        SIZE thumbSize{0, 0};
        SIZE ignored{};
        fw::Bitmap thumb = LoadNamedPicture(directory, entry.thumb, thumbSize);
        fw::Bitmap pressedThumb = LoadNamedPicture(directory, entry.pressedThumb, ignored);
        slider->SetThumbs(std::move(thumb), std::move(pressedThumb), thumbSize);
        slider->ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
        slider->SetHeldFlag(mSliderHeld);
        slider->SetIdentity(entry.name, static_cast<int>(mSliders.size()));
        slider->SetPos(entry.position);
        mSliders.push_back(std::move(slider));
    }
}

void SkinDialog::CreateProgressBars(const IniFile& ini, skin::PictureCutter& cutter) {
    for (const std::string& value : skin::NumberedEntries(ini, "PROGRESSINFO")) {
        skin::ProgressEntry entry;
        if (!skin::ParseProgressEntry(value, entry)) continue;
        auto bar = std::make_unique<skin::SkinProgress>(Identity(entry.name, mProgressBars.size()));
        if (!bar->Create(WC_BUTTONA, "", BS_OWNERDRAW, ToRect(entry.rect), Hwnd())) continue;
        bar->SetPictures(Cut(cutter, mMain.Get(), entry.rect), {},
                         Cut(cutter, mSelected.Get(), entry.rect), {});
        bar->ModifyStyle(WS_BORDER | WS_TABSTOP, 0);
        bar->SetTooltip(entry.tip, true);
        bar->SetVertical(entry.vertical);
        mProgressBars.push_back(std::move(bar));
    }
}
