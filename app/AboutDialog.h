// The About box: product name, version and two links to the product's pages.
#pragma once

#include <windows.h>

#include "Captions.h"
#include "Dialog.h"
#include "SubclassedWindow.h"

inline constexpr char kSupportPage[] = "http://www.tesmaro.example/support/";

class AboutDialog : public fw::Dialog {
public:
    explicit AboutDialog(HWND owner);

protected:
    BOOL OnInitDialog() override;
    void OnOK() override { EndDialog(1); }
    void OnCancel() override { EndDialog(1); }

private:
    // A push button that looks and acts like a hyperlink: blue underlined caption, a press opens
    // the caption as an address. It is the button's own again once the dialog or the object goes.
    class LinkButton : public fw::SubclassedWindow {
    protected:
        LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    };
    LinkButton mLinks[2];
};
