// The DVD video window's popup menu: loaded from its resource on every right click, checked,
// grayed and filled with what the navigator reports at that moment (subpicture and audio
// streams, the graph's filters, the titles and the current title's chapters).
#pragma once


#include <windows.h>
#include <dshow.h>

#include <wrl/client.h>

#include "DvdMath.h"
#include "DvdMenuIds.h"
#include "GraphFilters.h"  // FindFilterByName, shared with the file engine

using DvdFilterNames = char[kFilterNameSlots][kFilterNameLength];

// What the menu reads of the engine while it is built.
struct DvdMenuSource {
    IDvdInfo2* dvdInfo = nullptr;
    IGraphBuilder* graphBuilder = nullptr;
    DvdPlayerState state = DvdPlayerState::Uninitialized;
    bool captionsOn = false;
    bool fullScreen = false;
    ULONG currentTitle = 0;
    ULONG currentChapter = 0;
};

// Positions of the submenus in the popup.
inline constexpr int kSubTitlesSubmenu = 10;
inline constexpr int kLanguagesSubmenu = 11;
inline constexpr int kFiltersSubmenu = 14;
inline constexpr int kTitleSubmenu = 15;
inline constexpr int kChapterSubmenu = 16;

// Checks, grays and fills popup (the "DVDMENU" popup of the resource). subpictureShown takes
// what the navigator says of subpicture display; names receives the listed filters' names.
void PrepareContextMenu(HMENU popup, const DvdMenuSource& source, BOOL& subpictureShown,
                        DvdFilterNames& names);

// Where the menu opens for a click at client point (x, y) of window. In full screen the picture
// either fills window as it is (fit) or sits at the renderer's own window position.
POINT ContextMenuScreenPoint(HWND window, int x, int y, bool fullScreen, bool fitFullScreen,
                             IVideoWindow* renderer);

// Loads, prepares and tracks the popup owned by window; the chosen command arrives at window as
// WM_COMMAND. Nothing happens when the resource cannot be loaded.
void TrackContextMenu(HINSTANCE instance, HWND window, POINT screen, const DvdMenuSource& source,
                      BOOL& subpictureShown, DvdFilterNames& names);

