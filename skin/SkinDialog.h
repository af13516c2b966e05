// The dialog base of the skinned main window. A skin description gives it its face, shape, size
// and controls; the controls are found by their names and report through the hooks below.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "Dialog.h"
#include "Handles.h"
#include "SkinControls.h"

class IniFile;
namespace skin {
class PictureCutter;
}

// Why the last LoadSkin kept the skin it had instead of the one it was asked for.
enum class SkinRefusal {
    None,
    Invisible,       // the mask has no opaque pixel: the window would be shown but never seen
    LargerThanWork,  // the mask is wider or higher than the desktop's work area
};

class SkinDialog : public fw::Dialog {
public:
    SkinDialog(UINT templateId, HWND parent);
    ~SkinDialog() override;

    // Hooks with the name of the control concerned; they do nothing here.
    virtual void OnSkinProgressClick(const std::string& name);
    virtual void OnSkinButtonClick(const std::string& name);
    virtual void NotifyButtonClick(int index);
    virtual void OnSkinSliderEvent(const std::string& name, int code, int pos);
    virtual void NotifySliderEvent(int index, int code, int pos);
    virtual void OnSkinTextClick(const std::string& name);
    virtual void NotifyTextClick(int index);
    // `point` is in the coordinates of the window that saw the move; an empty name is the face.
    virtual void OnSkinMouseMove(const std::string& name, POINT point);
    // Whether a button the skin makes starts enabled: making it so is cheaper than changing it.
    virtual bool ButtonStartsEnabled(const std::string& name) const;
    // Shows the window without painting it there and then: its first paint draws the face and
    // every control anyway, and the platform's immediate erase of each control is a round trip
    // to the window server, a good part of the time a skin's window took to show.
    void ShowModal() override;
    // Gives the window the shape of the mask picture.
    virtual void ApplyRegion(HBITMAP mask);
    // Loads the skin the skin file names, replacing pictures, shape, size and every control.
    // A skin whose window would be invisible or larger than the work area is refused before
    // anything changes: the window keeps what it had, and LastSkinRefusal says why.
    virtual void LoadSkin();
    SkinRefusal LastSkinRefusal() const { return mRefusal; }
    void NotifyProgressClick(int index);

    // Operations by name; a name that no control carries does nothing (getters give 0 or "").
    void SetSkinFile(const std::string& path) { mSkinFile = path; }
    const std::string& SkinFile() const { return mSkinFile; }
    void SetSliderRange(const char* name, int max);
    void SetSliderPos(const char* name, int pos);
    int GetSliderPos(const char* name) const;
    void SetText(const char* name, const char* text);
    std::string GetText(const char* name) const;
    void EnableButton(const char* name, bool enable);
    void SetButtonCheck(const char* name, bool checked);
    int GetButtonCheck(const char* name) const;

    // The flag that is 1 while the user holds any skinned slider.
    void SetSliderHeldFlag(int* flag) { mSliderHeld = flag; }

    skin::SkinButton* FindButton(const std::string& name) const;
    skin::SkinSlider* FindSlider(const std::string& name) const;
    skin::SkinText* FindText(const std::string& name) const;
    skin::SkinProgress* FindProgress(const std::string& name) const;
    size_t ControlCount() const;
    HBITMAP FacePicture() const { return mMain.Get(); }

protected:
    INT_PTR WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;

private:
    void UnloadSkin();
    void LoadFaces(const IniFile& ini, const std::string& directory);
    void SetWindowRegion(fw::Region region);
    void CreateButtons(const IniFile& ini, skin::PictureCutter& cutter);
    void CreateTexts(const IniFile& ini, skin::PictureCutter& cutter);
    void CreateSliders(const IniFile& ini, const std::string& directory, skin::PictureCutter& cutter);
    void CreateProgressBars(const IniFile& ini, skin::PictureCutter& cutter);
    skin::ControlIdentity Identity(const std::string& name, size_t index);

    void OnPaint();
    void OnFaceButtonDown(POINT point);
    void OnFaceMouseMove(POINT point);
    void OnDrawItem(const DRAWITEMSTRUCT& item);

    std::string mSkinFile;
    fw::Bitmap mMain;
    fw::Bitmap mOver;
    fw::Bitmap mSelected;
    fw::Bitmap mDisabled;
    std::vector<std::unique_ptr<skin::SkinButton>> mButtons;
    std::vector<std::unique_ptr<skin::SkinSlider>> mSliders;
    std::vector<std::unique_ptr<skin::SkinText>> mTexts;
    std::vector<std::unique_ptr<skin::SkinProgress>> mProgressBars;
    int* mSliderHeld = nullptr;
    SkinRefusal mRefusal = SkinRefusal::None;
};

namespace skin {
// The verdict on a skin's window from its mask: its size, and whether its region has any pixel.
SkinRefusal JudgeSkinWindow(SIZE maskSize, bool regionEmpty, const RECT& workArea);
}  // namespace skin
