// The file association dialog: one check box per row of the association table. Only OK writes
// the registry; the very first start creates it hidden and applies its default set.
#pragma once

#include <windows.h>

#include <string>

#include "Associations.h"
#include "Dialog.h"
#include "Profile.h"

class AssociationDialog : public fw::Dialog {
public:
    // root: where the associations live (HKEY_CLASSES_ROOT; tests pass a private key).
    AssociationDialog(HWND parent, HINSTANCE instance, const fw::Profile& profile,
                      HKEY root = HKEY_CLASSES_ROOT);

    // The silent first-start apply: the boxes as OnInitDialog left them.
    void ApplyNow();
    void ReadAssociations(const std::string& programPath);
    void ApplyAssociations(const std::string& programPath);
    // The program's folder + its base name + ".exe".
    static std::string GetProgramPath();

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;
    void OnHelp();

private:
    CheckedRows CheckedBoxes() const;
    void SetBoxes(const CheckedRows& rows);

    const fw::Profile& mProfile;
    HKEY mRoot;
};
