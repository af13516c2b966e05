// The About box: product name, version and two links to the product's pages.
#pragma once

#include <windows.h>

#include "Captions.h"
#include "Dialog.h"

inline constexpr char kSupportPage[] = "http://www.tesmaro.example/support/";

class AboutDialog : public fw::Dialog {
public:
    explicit AboutDialog(HWND owner);
    ~AboutDialog() override;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { EndDialog(1); }
    void OnCancel() override { EndDialog(1); }
    void OnDestroy() override;

private:
    void RestoreLinks();
    bool mLinksMade = false;
};
