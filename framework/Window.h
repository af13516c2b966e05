// Windows with a this-pointer, beside the dialogs: the object is bound to its window at
// WM_NCCREATE and unbound at WM_NCDESTROY, and nothing of it is used outside that span. An
// object that still has a window when it goes away destroys the window first.
#pragma once

#include <windows.h>

namespace fw {

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Registers a class whose procedure serves every Window; registering it again is harmless.
    static bool RegisterWindowClass(HINSTANCE instance, const char* className, HICON icon, HBRUSH background,
                              UINT style = CS_HREDRAW | CS_VREDRAW);
    // Creates a window of a class registered above, bound to this object.
    bool Create(const char* className, const char* title, DWORD style, const RECT& rect, HINSTANCE instance,
                HWND owner = nullptr, DWORD exStyle = 0);
    void Destroy();

    HWND Hwnd() const { return mHwnd; }
    // The object bound to a window of such a class, or null outside WM_NCCREATE..WM_NCDESTROY.
    static Window* FromHandle(HWND window);

protected:
    // Every message from WM_NCCREATE to WM_NCDESTROY (both included).
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam) {
        return ::DefWindowProcA(mHwnd, msg, wParam, lParam);
    }

private:
    static LRESULT CALLBACK StaticWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND mHwnd = nullptr;
};

// Marks the whole window for painting, unless it is hidden: showing a window paints it whole
// anyway, and each mark is a round trip to the window server.
void InvalidateIfShown(HWND hwnd, bool erase);

}  // namespace fw
