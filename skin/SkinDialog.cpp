#include "SkinDialog.h"

// The skin engine (description reader, pictures, skinned controls and the window region) lands
// here; until a skin is loaded the window keeps its template look and has no named controls.

SkinDialog::SkinDialog(UINT templateId, HWND parent) : fw::Dialog(templateId, parent) {}

void SkinDialog::OnSkinProgressClick(const std::string&) {}
void SkinDialog::OnSkinButtonClick(const std::string&) {}
void SkinDialog::OnSkinSliderEvent(const std::string&, int, int) {}
void SkinDialog::OnSkinTextClick(const std::string&) {}
void SkinDialog::OnSkinMouseMove(const std::string&, POINT) {}

void SkinDialog::SetSliderRange(const char*, int) {}
void SkinDialog::SetSliderPos(const char*, int) {}
int SkinDialog::GetSliderPos(const char*) const {
    return 0;
}
void SkinDialog::SetText(const char*, const char*) {}
void SkinDialog::EnableButton(const char*, bool) {}
void SkinDialog::SetButtonCheck(const char*, bool) {}
int SkinDialog::GetButtonCheck(const char*) const {
    return 0;
}

BOOL SkinDialog::OnInitDialog() {
    return TRUE;
}
