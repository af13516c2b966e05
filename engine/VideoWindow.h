// What every engine's video window does the same way: its class and first placement, the
// renderer attached as its child, full screen over the whole screen with the placement kept for
// the way back, the mouse cursor hidden while it rests, the front toggle between it and the main
// window, the modal-loop guard that keeps an owner from deleting a busy engine, and error boxes.
// Each engine composes these and keeps only what is its own.
#pragma once

#include <windows.h>
#include <dshow.h>

#include "Messages.h"
#include "VideoArithmetic.h"
#include "Window.h"

// The engine behind a video window: it receives every message of the window's life.
class VideoWindowHandler {
public:
    virtual LRESULT OnVideoMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~VideoWindowHandler() = default;
};

// A top-level video window of a named class, bound to its engine while it exists.
class VideoWindow final : public fw::Window {
public:
    explicit VideoWindow(VideoWindowHandler& handler) : mHandler(handler) {}
    // Registers the class (the program's icon, a black background) and creates the window,
    // hidden, between the work area's top and the main window.
    bool Open(HINSTANCE instance, const char* className, HWND mainWindow);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    VideoWindowHandler& mHandler;
};

// A video window's first rectangle: from 100 pixels right of the work area's left edge and 5
// below its top down to the main window's top, four by three.
RECT InitialVideoRect(HWND mainWindow);
// Makes the renderer's window a child of window (no caption or frame), its owner and the drain
// of its mouse and key messages.
void AttachRenderer(IVideoWindow* renderer, HWND window);

// Full screen: the window becomes a popup over the whole screen; its rectangle and style are
// kept so that leaving puts it back. showFlag is SWP_SHOWWINDOW or SWP_HIDEWINDOW.
class FullScreenPlacement {
public:
    // Returns the screen size the window now covers.
    SIZE Enter(HWND window, UINT showFlag);
    // A video over the whole screen: the window covers it and the renderer's picture is scaled
    // into it, aspect kept. The picture's size is asked first: without it nothing changes (a
    // borderless popup over the screen with an unplaced picture would be no way back) and the
    // answer is false.
    bool EnterWithVideo(HWND window, IVideoWindow* renderer, IBasicVideo* video);
    // Puts the window back (above everything for a moment, then not) and shows the main window.
    void Leave(HWND window, HWND mainWindow, UINT showFlag) const;

private:
    RECT mRect{};
    DWORD mStyle = 0;
};
// Places the renderer's picture where a fit (VideoArithmetic.h) puts it.
HRESULT PlaceRendererPicture(IVideoWindow* renderer, const FitRect& fit);

// The other way to cover the screen, for an engine that wants it: the renderer's own window leaves
// the video window, loses its frame and lies topmost over the whole screen; leaving gives it back
// to the video window with its styles as they were.
class RendererFullScreen {
public:
    void Enter(IVideoWindow* renderer, int cx, int cy);
    void Leave(IVideoWindow* renderer, HWND window) const;

private:
    long mStyle = 0;
    long mStyleEx = 0;
};

// The mouse cursor, hidden in full screen once the mouse has rested long enough.
class CursorHider {
public:
    // Full screen begins: the mouse counts as just moved and the window's cursor timer runs.
    void Arm(HWND window, UINT intervalMs);
    // Full screen ends: the timer stops and the cursor shows.
    void Disarm(HWND window);
    // ShowCursor keeps a count: it is brought just across zero, so calls never stack up.
    void Show();
    void Hide();
    void NoteActivity();
    bool IdleLongerThan(DWORD ms) const;

private:
    int mCount = 0;
    DWORD mLastActivity = 0;
};

// Which window the next windowed left click brings to the front. Each kind of engine keeps one
// turn for the whole process, so the alternation goes on from one file or disc to the next.
enum class FrontTurn { Video, Main };

// A left click in the video window: outside full screen it brings the main window and the video
// window to the front in turn; in full screen it shows or hides the main window above the
// picture. mainOnTop tracks the full-screen turn.
void ToggleFront(HWND mainWindow, HWND videoWindow, bool fullScreen, BOOL& mainOnTop, FrontTurn& turn);

// Counts an engine's modal loops (message boxes, popup menus, property frames); when the
// outermost ends the owner is woken (WM_NULL) so that it can do what it had to put off.
class ModalGuard {
public:
    explicit ModalGuard(HWND owner = nullptr) : mOwner(owner) {}
    bool Active() const { return mDepth > 0; }

private:
    friend class ModalScope;
    HWND mOwner;
    int mDepth = 0;
};

class ModalScope {
public:
    explicit ModalScope(ModalGuard& guard) : mGuard(guard) { ++mGuard.mDepth; }
    ~ModalScope() {
        if (--mGuard.mDepth == 0 && mGuard.mOwner) ::PostMessageA(mGuard.mOwner, WM_NULL, 0, 0);
    }
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

private:
    ModalGuard& mGuard;
};

// A message box inside the guard; the answer as MessageBox gives it.
int GuardedMessageBox(ModalGuard& guard, HWND owner, const char* text, const char* caption, UINT flags);
// An error box without owner under the given caption, inside the guard.
void ErrorBox(ModalGuard& guard, const char* caption, const char* text);
// The same with printf formatting; the text is cut at 511 characters.
void ErrorBoxFormat(ModalGuard& guard, const char* caption, const char* format, ...);
