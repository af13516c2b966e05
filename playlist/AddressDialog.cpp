#include "AddressDialog.h"

#include "resource.h"

namespace {
// Addresses go into 260-character path buffers: the edit takes no more than fits.
constexpr int kMaxAddress = MAX_PATH - 1;
}  // namespace

AddressDialog::AddressDialog(HWND owner) : fw::Dialog(IDD_ADDRESS, owner) {}

BOOL AddressDialog::OnInitDialog() {
    ::SendDlgItemMessageA(Hwnd(), IDC_ADDRESS, EM_LIMITTEXT, kMaxAddress, 0);
    return TRUE;
}

void AddressDialog::OnOK() {
    char text[kMaxAddress + 1] = {};
    ::GetDlgItemTextA(Hwnd(), IDC_ADDRESS, text, sizeof(text));
    mAddress = text;
    EndDialog(1);
}

bool IsBlankAddress(std::string_view address) {
    return address.find_first_not_of(" \t") == std::string_view::npos;
}

bool AskForAddress(HWND owner, std::string& address) {
    AddressDialog dialog(owner);
    if (dialog.DoModal() != 1) return false;
    address = dialog.Address();
    return true;
}
