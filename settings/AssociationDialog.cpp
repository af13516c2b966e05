#include "AssociationDialog.h"

#include "App.h"
#include "ProfileKeys.h"
#include "resource.h"

AssociationDialog::AssociationDialog(HWND parent, HINSTANCE instance, const fw::Profile& profile, HKEY root)
    : fw::Dialog(IDD_ASSOCIATIONS, parent, instance), mProfile(profile), mRoot(root) {}

BOOL AssociationDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    ReadAssociations(GetProgramPath());
    if (mProfile.GetInt(kSetupSection, kKeyFirstRun, 0) == 0) {
        SetBoxes(CheckedBoxes() | FirstRunRows());
        mProfile.WriteInt(kSetupSection, kKeyFirstRun, 1);
    }
    return TRUE;
}

bool AssociationDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_ASSOC_HELP) {
        OnHelp();
        return true;
    }
    return fw::Dialog::OnCommand(id, code, control);
}

void AssociationDialog::OnOK() {
    ApplyAssociations(GetProgramPath());
    EndDialog(IDOK);
}

void AssociationDialog::OnHelp() {
    // The viewer takes the unquoted path; a missing viewer or file fails silently.
    std::string command = "hh.exe " + fw::ModuleDirectory(nullptr) + "help.chm::/supportmediatype.htm";
    ::WinExec(command.c_str(), SW_SHOW);
}

void AssociationDialog::ApplyNow() {
    ApplyAssociations(GetProgramPath());
}

void AssociationDialog::ReadAssociations(const std::string&) {
    CheckedRows rows = CheckedBoxes();
    ::ReadAssociations(mRoot, rows);
    SetBoxes(rows);
}

void AssociationDialog::ApplyAssociations(const std::string& programPath) {
    int failures = ::ApplyAssociations(mRoot, CheckedBoxes(), programPath);
    std::string caption = fw::ModuleBaseName(nullptr);
    for (int i = 0; i < failures; ++i)
        ::MessageBoxA(Hwnd(), "error", caption.c_str(), MB_OK);
}

std::string AssociationDialog::GetProgramPath() {
    return ProgramPathFrom(fw::ModuleDirectory(nullptr), fw::ModuleBaseName(nullptr));
}

CheckedRows AssociationDialog::CheckedBoxes() const {
    CheckedRows rows;
    for (int i = 0; i < kAssociationRowCount; ++i)
        rows.set(i, ::IsDlgButtonChecked(Hwnd(), IDC_ASSOC_FIRST + i) == BST_CHECKED);
    return rows;
}

void AssociationDialog::SetBoxes(const CheckedRows& rows) {
    for (int i = 0; i < kAssociationRowCount; ++i)
        ::CheckDlgButton(Hwnd(), IDC_ASSOC_FIRST + i, rows.test(i) ? BST_CHECKED : BST_UNCHECKED);
}
