#include "SettingsDialog.h"

#include <commctrl.h>

#include <string>

#include "App.h"
#include "AssociationDialog.h"
#include "Dialog.h"
#include "SettingsText.h"
#include "resource.h"

namespace {

constexpr DWORD kSpinStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;

struct SpinEdit {
    int edit;
    int upper;
    int lower;
    int SettingsDialogRecord::*field;
};
constexpr SpinEdit kSpinEdits[] = {
    {IDC_SKIP_FORWARD, kMaxSkipSeconds, kMinSkipSeconds, &SettingsDialogRecord::skipForward},
    {IDC_SKIP_BACKWARD, kMaxSkipSeconds, kMinSkipSeconds, &SettingsDialogRecord::skipBackward},
    {IDC_FAST_FORWARD, kMaxFastRate, kMinFastRate, &SettingsDialogRecord::fastForward},
    {IDC_FAST_BACKWARD, kMaxFastRate, kMinFastRate, &SettingsDialogRecord::fastBackward},
};

// The dialog over the record its owner filled; it writes what was typed back into the record on
// OK, even when it then refuses the slow rate and stays open.
class SettingsDialog : public fw::Dialog {
public:
    explicit SettingsDialog(SettingsDialogRecord& record)
        : fw::Dialog(IDD_SETTINGS, record.parent, record.instance), mRecord(record) {}

protected:
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override;

private:
    std::string EditText(int id) const;
    void OnFileAssociations();

    SettingsDialogRecord& mRecord;
};

std::string SettingsDialog::EditText(int id) const {
    char text[kSettingsEditChars + 1] = {};
    ::GetDlgItemTextA(Hwnd(), id, text, sizeof(text));
    return text;
}

BOOL SettingsDialog::OnInitDialog() {
    if (mRecord.fullScreenOnPlay) ::CheckDlgButton(Hwnd(), IDC_FULLSCREEN_ON_PLAY, BST_CHECKED);
    for (const SpinEdit& spin : kSpinEdits) {
        ::CreateUpDownControl(kSpinStyle, 20, 10, 50, 50, Hwnd(), IDC_SETTINGS_SPIN, mRecord.instance,
                              Item(spin.edit), spin.upper, spin.lower, mRecord.*spin.field);
    }
    ::SetDlgItemTextA(Hwnd(), IDC_SLOW_FORWARD, FormatRate(mRecord.slowForward).c_str());
    return TRUE;
}

void SettingsDialog::OnOK() {
    mRecord.fullScreenOnPlay = ::IsDlgButtonChecked(Hwnd(), IDC_FULLSCREEN_ON_PLAY) == BST_CHECKED;
    // What is stored and used is what the spin control allows, and the edit shows it.
    for (const SpinEdit& spin : kSpinEdits) {
        mRecord.*spin.field = SpinValue(EditText(spin.edit), spin.lower, spin.upper);
        ::SetDlgItemInt(Hwnd(), spin.edit, static_cast<UINT>(mRecord.*spin.field), TRUE);
    }
    mRecord.slowForward = ParseRate(EditText(IDC_SLOW_FORWARD));
    if (!SlowRateAccepted(mRecord.slowForward)) {
        ::MessageBoxA(nullptr, "Please input Slowly forward between 0.1 to 0.9", "warning", MB_OK);
        return;
    }
    EndDialog(IDOK);
}

bool SettingsDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDC_FILE_ASSOCIATIONS) {
        OnFileAssociations();
        return true;
    }
    return fw::Dialog::OnCommand(id, code, control);
}

void SettingsDialog::OnFileAssociations() {
    static const fw::Profile kNoProfile;
    fw::App* app = fw::App::Current();
    AssociationDialog associations(Hwnd(), mRecord.instance, app ? app->GetProfile() : kNoProfile);
    associations.DoModal();
}

}  // namespace

bool ShowSettingsDialog(SettingsDialogRecord& record) {
    SettingsDialog dialog(record);
    return dialog.DoModal() == IDOK;
}
