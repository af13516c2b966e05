// The dialog base of the skinned main window. The skin engine gives it its face, shape and
// controls; MainWindow addresses the controls by their names and overrides the hooks.
#pragma once

#include <windows.h>

#include <string>

#include "Dialog.h"

class SkinDialog : public fw::Dialog {
public:
    SkinDialog(UINT templateId, HWND parent);

    // Hooks with the name of the control concerned.
    virtual void OnSkinProgressClick(const std::string& name);
    virtual void OnSkinButtonClick(const std::string& name);
    virtual void OnSkinSliderEvent(const std::string& name, int code, int pos);
    virtual void OnSkinTextClick(const std::string& name);
    virtual void OnSkinMouseMove(const std::string& name, POINT point);

    // Operations by name; a name that no control carries does nothing (getters give 0).
    void SetSkinFile(const std::string& path) { mSkinFile = path; }
    const std::string& SkinFile() const { return mSkinFile; }
    void SetSliderRange(const char* name, int max);
    void SetSliderPos(const char* name, int pos);
    int GetSliderPos(const char* name) const;
    void SetText(const char* name, const char* text);
    void EnableButton(const char* name, bool enable);
    void SetButtonCheck(const char* name, bool checked);
    int GetButtonCheck(const char* name) const;

protected:
    BOOL OnInitDialog() override;

private:
    std::string mSkinFile;
};
