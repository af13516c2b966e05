// A platform control (push button, track bar, link) whose messages pass through an object first.
// The object is found from the window through the platform's subclass data, bound from Attach
// until Detach or WM_NCDESTROY (both included); it cannot be copied and detaches when it goes
// away first.
#pragma once

#include <windows.h>

namespace fw {

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

}  // namespace fw
