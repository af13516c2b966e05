#include "SettingsDialog.h"

#include <commctrl.h>

#include <string>

#include "App.h"
#include "AssociationDialog.h"
#include "SettingsText.h"
#include "resource.h"

namespace {

// One Settings dialog at a time.
SettingsDialogRecord* gRecord = nullptr;

constexpr DWORD kSpinStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | UDS_ALIGNRIGHT | UDS_SETBUDDYINT;

struct SpinEdit {
    int edit;
    int upper;
    int lower;
    int SettingsDialogRecord::*field;
};
constexpr SpinEdit kSpinEdits[] = {
    {IDC_SKIP_FORWARD, 600, 1, &SettingsDialogRecord::skipForward},
    {IDC_SKIP_BACKWARD, 600, 1, &SettingsDialogRecord::skipBackward},
    {IDC_FAST_FORWARD, 4, 1, &SettingsDialogRecord::fastForward},
    {IDC_FAST_BACKWARD, 4, 1, &SettingsDialogRecord::fastBackward},
};

std::string EditText(HWND dialog, int id) {
    char text[kSettingsEditChars + 1] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

void OnInitDialog(HWND dialog, SettingsDialogRecord* record) {
    gRecord = record;
    if (record->fullScreenOnPlay) ::CheckDlgButton(dialog, IDC_FULLSCREEN_ON_PLAY, BST_CHECKED);
    for (const SpinEdit& spin : kSpinEdits) {
        HWND edit = ::GetDlgItem(dialog, spin.edit);
        ::CreateUpDownControl(kSpinStyle, 20, 10, 50, 50, dialog, IDC_SETTINGS_SPIN, record->instance, edit,
                              spin.upper, spin.lower, record->*spin.field);
        // The spin control shows its position clamped to its range; a value typed earlier beyond
        // it (999 seconds) is shown as it is, so OK does not silently store the limit instead.
        ::SetDlgItemInt(dialog, spin.edit, static_cast<UINT>(record->*spin.field), TRUE);
    }
    ::SetDlgItemTextA(dialog, IDC_SLOW_FORWARD, FormatRate(record->slowForward).c_str());
}

// True when the dialog ended.
bool OnOK(HWND dialog) {
    SettingsDialogRecord* record = gRecord;
    record->fullScreenOnPlay = ::IsDlgButtonChecked(dialog, IDC_FULLSCREEN_ON_PLAY) == BST_CHECKED;
    for (const SpinEdit& spin : kSpinEdits)
        record->*spin.field = LeadingInteger(EditText(dialog, spin.edit));
    record->slowForward = ParseRate(EditText(dialog, IDC_SLOW_FORWARD));
    if (!SlowRateAccepted(record->slowForward)) {
        ::MessageBoxA(nullptr, "Please input Slowly forward between 0.1 to 0.9", "warning", MB_OK);
        return false;
    }
    ::EndDialog(dialog, IDOK);
    return true;
}

void OnFileAssociations(HWND dialog) {
    static const fw::Profile kNoProfile;
    fw::App* app = fw::App::Current();
    AssociationDialog associations(dialog, gRecord->instance, app ? app->GetProfile() : kNoProfile);
    associations.DoModal();
}

INT_PTR CALLBACK SettingsProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            OnInitDialog(dialog, reinterpret_cast<SettingsDialogRecord*>(lParam));
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    return OnOK(dialog) ? TRUE : FALSE;
                case IDCANCEL:
                    ::EndDialog(dialog, IDCANCEL);
                    return TRUE;
                case IDC_FILE_ASSOCIATIONS:
                    OnFileAssociations(dialog);
                    return FALSE;
            }
            return FALSE;
    }
    return FALSE;
}

}  // namespace

bool ShowSettingsDialog(SettingsDialogRecord& record) {
    INT_PTR result = ::DialogBoxParamA(record.instance, MAKEINTRESOURCEA(IDD_SETTINGS), record.parent,
                                       SettingsProc, reinterpret_cast<LPARAM>(&record));
    gRecord = nullptr;
    return result == IDOK;
}
