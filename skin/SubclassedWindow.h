// A platform control (push button, track bar) whose messages pass through an object first. The
// object is found from the window through the platform's subclass data; it cannot be copied and
// must outlive its window or detach from it.
#pragma once

#include <windows.h>

#include "Messages.h"

namespace skin {

// The owner-draw request of a button, handed back to the button by the dialog that received it.
inline constexpr UINT kReflectedDrawItem = WM_USER + 0x2000 + WM_DRAWITEM;
// wParam of a posted button release whose lParam is a screen point.
inline constexpr WPARAM kScreenPointMark = MK_SCREENPOINT;

class SubclassedWindow {
public:
    SubclassedWindow() = default;
    virtual ~SubclassedWindow();
    SubclassedWindow(const SubclassedWindow&) = delete;
    SubclassedWindow& operator=(const SubclassedWindow&) = delete;

    // Creates a visible child window of the class and subclasses it.
    bool Create(const char* className, const char* text, DWORD style, const RECT& rect, HWND parent);
    bool Attach(HWND hwnd);
    void Detach();
    // Destroys the window (the object stays).
    void DestroyWindow();

    HWND Hwnd() const { return mHwnd; }
    // Marks the control for painting, unless it is hidden (showing it paints it anyway).
    void Invalidate(bool erase = false) const;
    void ModifyStyle(DWORD remove, DWORD add) const;

protected:
    // Handles what it needs and calls Default for the rest.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
    // Called once the window is subclassed.
    virtual void OnAttached() {}

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    HWND mHwnd = nullptr;
};

// The application's main window, where marked button releases go.
HWND MainWindowOf(HWND control);

}  // namespace skin
