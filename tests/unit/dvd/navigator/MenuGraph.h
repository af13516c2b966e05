// What the menu tests add to the navigator's graph: the volumes with menus, waiting for a colour
// at a point of the picture, and a video window of the DVD engine's kind (the renderer's window
// as its child, its mouse messages drained to it and passed on to the navigator as the engine
// passes them).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "NavGraph.h"

namespace navtest {

// A volume of scripts/make_menu_discs.sh (bin/media/menus): "menus" or "plain".
std::wstring MenuDiscIfo(const std::string& name);

bool IsWhite(Colour c);
bool IsYellow(Colour c);
bool IsMagenta(Colour c);
bool IsDark(Colour c);  // the menus' backgrounds

// The menu volume's buttons, in picture coordinates: a point on each button's face that no
// label covers.
inline constexpr POINT kButtonOne{220, 200};
inline constexpr POINT kButtonTwo{220, 360};

// Waits until the picture's colour at (x, y) satisfies `is`; the last colour read in `last`.
bool WaitForColour(NavGraph& nav, POINT at, const std::function<bool(Colour)>& is, Colour* last = nullptr,
                   DWORD timeoutMs = 8000);

// A top-level window that owns the renderer's window, as the DVD engine's video window does: the
// renderer is its child at `picture` (in its client area), and the mouse messages the renderer
// drains to it go to SelectAtPosition and ActivateAtPosition with their points unchanged.
class OwnerWindow {
public:
    OwnerWindow(NavGraph& nav, const RECT& outer, DWORD style);
    ~OwnerWindow();
    OwnerWindow(const OwnerWindow&) = delete;
    OwnerWindow& operator=(const OwnerWindow&) = delete;

    bool Ok() const { return mWindow && mRenderer; }
    // Places the renderer's window in the client area.
    void PlaceRenderer(const RECT& picture);
    // A mouse move or a left click over the renderer's window at `client` (its client
    // coordinates), as Windows sends them; waits until the owner has passed it on.
    HRESULT MoveTo(POINT client);
    HRESULT ClickAt(POINT client);
    // Where the renderer draws a picture point, in its window's client coordinates.
    POINT RendererPoint(POINT picture);
    // Waits until the screen shows a colour that satisfies `is` where the renderer draws the
    // picture point: what a user sees, whatever the renderer holds.
    bool WaitForShown(POINT picture, const std::function<bool(Colour)>& is, Colour* last = nullptr,
                      DWORD timeoutMs = 8000);

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT Send(UINT message, POINT client);

    NavGraph& mNav;
    HWND mWindow = nullptr;
    HWND mRenderer = nullptr;
    bool mHandled = false;
    HRESULT mResult = E_FAIL;
};

}  // namespace navtest
