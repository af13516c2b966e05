// Dialogs with a this-pointer: the object is found from the window at every message, from
// WM_INITDIALOG until WM_NCDESTROY. Modal dialogs run the framework's own message loop, so a
// dialog can look at each message before the platform's dialog keyboard handling does.
#pragma once

#include <windows.h>

namespace fw {

// What a dialog wants done with a message it has looked at before it is dispatched.
enum class PreTranslate {
    Default,   // the usual dialog keyboard handling, then dispatch
    Dispatch,  // dispatch without the dialog keyboard handling
    Consumed,  // handled; nothing more is done with it
};

class Dialog {
public:
    explicit Dialog(UINT templateId, HWND parent = nullptr, HINSTANCE instance = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns the value given to EndDialog, or -1 when it could not be made.
    INT_PTR DoModal();
    // Creates the dialog modelessly; it shows itself only if its template says so.
    bool Create();
    void Destroy();
    // Ends a modal dialog (its loop returns after the current message); hides a modeless one.
    void EndDialog(INT_PTR result);

    HWND Hwnd() const { return mHwnd; }
    HWND Item(int id) const { return ::GetDlgItem(mHwnd, id); }
    HINSTANCE Instance() const { return mInstance; }
    HWND Parent() const { return mParent; }
    bool IsModal() const { return mModal; }
    bool Ended() const { return mEnded; }

    // Sees every queued message for this dialog and its children (and, for the main dialog, the
    // messages of top-level windows that are not dialogs) before it is dispatched.
    virtual PreTranslate PreTranslateMessage(MSG& msg);

protected:
    // The message dispatch; overrides handle what they need and call the base for the rest.
    // Returns the dialog-procedure result (TRUE when handled).
    virtual INT_PTR WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnInitDialog() { return TRUE; }
    // Shows a modal dialog once it is made: shown and activated.
    virtual void ShowModal();
    // Returns true when the command was handled.
    virtual bool OnCommand(WORD id, WORD code, HWND control);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    virtual void OnDestroy() {}
    // The result of a message whose value the platform reads from DWLP_MSGRESULT (WM_NOTIFY).
    INT_PTR SetMessageResult(LRESULT result);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UINT mTemplate;
    HWND mParent;
    HINSTANCE mInstance;
    HWND mHwnd = nullptr;
    bool mModal = false;
    bool mEnded = false;
    INT_PTR mResult = 0;
};

// The main dialog gets a last look at messages of top-level windows that are not dialogs.
void SetMainDialog(Dialog* dialog);
Dialog* MainDialog();
// Pre-translation, dialog keyboard handling and dispatch of one message.
void PumpMessage(MSG& msg);

}  // namespace fw
