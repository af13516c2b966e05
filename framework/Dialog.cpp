#include "Dialog.h"

#include <algorithm>
#include <vector>

namespace fw {

namespace {

std::vector<Dialog*>& LiveDialogs() {
    static std::vector<Dialog*> dialogs;
    return dialogs;
}
Dialog* gMainDialog = nullptr;

Dialog* FindDialog(HWND root) {
    for (Dialog* d : LiveDialogs()) {
        if (d->Hwnd() == root) return d;
    }
    return nullptr;
}

void Forget(Dialog* dialog) {
    auto& dialogs = LiveDialogs();
    dialogs.erase(std::remove(dialogs.begin(), dialogs.end(), dialog), dialogs.end());
}

}  // namespace

void SetMainDialog(Dialog* dialog) {
    gMainDialog = dialog;
}
Dialog* MainDialog() {
    return gMainDialog;
}

void PumpMessage(MSG& msg) {
    if (msg.hwnd) {
        HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
        Dialog* dialog = FindDialog(root);
        if (!dialog && gMainDialog && gMainDialog->Hwnd()) dialog = gMainDialog;
        if (dialog) {
            PreTranslate what = dialog->PreTranslateMessage(msg);
            if (what == PreTranslate::Consumed) return;
            if (what == PreTranslate::Default && dialog->Hwnd() == root && ::IsDialogMessageA(root, &msg))
                return;
        }
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
}

Dialog::Dialog(UINT templateId, HWND parent, HINSTANCE instance)
    : mTemplate(templateId), mParent(parent), mInstance(instance ? instance : ::GetModuleHandleA(nullptr)) {}

Dialog::~Dialog() {
    Destroy();
    Forget(this);
    if (gMainDialog == this) gMainDialog = nullptr;
}

INT_PTR Dialog::DoModal() {
    mModal = true;
    mEnded = false;
    mResult = -1;
    LiveDialogs().push_back(this);
    HWND hwnd = ::CreateDialogParamA(mInstance, MAKEINTRESOURCEA(mTemplate), mParent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!hwnd) {
        Forget(this);
        return -1;
    }
    // Like the platform's modal dialogs: the owner is disabled while the dialog runs.
    bool ownerDisabled = false;
    if (!mEnded) {
        if (mParent && ::IsWindowEnabled(mParent)) {
            ::EnableWindow(mParent, FALSE);
            ownerDisabled = true;
        }
        ShowModal();
        MSG msg;
        while (!mEnded) {
            BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
            if (got <= 0) {
                if (got == 0) ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            PumpMessage(msg);
        }
    }
    if (ownerDisabled) {
        ::EnableWindow(mParent, TRUE);
        ::SetActiveWindow(mParent);
    }
    Destroy();
    Forget(this);
    return mResult;
}

void Dialog::ShowModal() {
    ::ShowWindow(mHwnd, SW_SHOW);
}

bool Dialog::Create() {
    mModal = false;
    mEnded = false;
    LiveDialogs().push_back(this);
    HWND hwnd = ::CreateDialogParamA(mInstance, MAKEINTRESOURCEA(mTemplate), mParent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    if (!hwnd) Forget(this);
    return hwnd != nullptr;
}

void Dialog::Destroy() {
    if (mHwnd) ::DestroyWindow(mHwnd);
}

void Dialog::EndDialog(INT_PTR result) {
    mResult = result;
    mEnded = true;
    if (mHwnd && mModal) {
        ::PostMessageA(mHwnd, WM_NULL, 0, 0);  // wakes the modal loop so it sees the end
    } else if (mHwnd) {
        ::ShowWindow(mHwnd, SW_HIDE);
    }
}

PreTranslate Dialog::PreTranslateMessage(MSG&) {
    return PreTranslate::Default;
}

INT_PTR Dialog::SetMessageResult(LRESULT result) {
    ::SetWindowLongPtrA(mHwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

bool Dialog::OnCommand(WORD id, WORD, HWND) {
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
    }
    return false;
}

INT_PTR Dialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
    }
    return FALSE;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        self->mHwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->WindowProc(msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, DWLP_USER, 0);
        self->mHwnd = nullptr;
    }
    return result;
}

}  // namespace fw
