// "Input a URL to open here": asks for an address (or any path) to play.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "Dialog.h"

class AddressDialog : public fw::Dialog {
public:
    explicit AddressDialog(HWND owner);
    // The text typed, at most 259 characters, once the dialog ended with OK.
    const std::string& Address() const { return mAddress; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override { EndDialog(0); }

private:
    std::string mAddress;
};

// Nothing but blanks: no address at all.
bool IsBlankAddress(std::string_view address);
// Shows the dialog modally; true and the typed text (blank or not) on OK, false on Cancel.
bool AskForAddress(HWND owner, std::string& address);
