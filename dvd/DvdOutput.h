// What the DVD engine does to its output rather than to navigation: the overlay's brightness,
// and a change of the system's DVD region when the navigator refused a disc for its region.
#pragma once

#include <windows.h>
#include <dshow.h>

// Turns the overlay's brightness full up, the other colour controls as they were. The two
// failures the user can act on are reported in a box.
HRESULT SetFullBrightness(IDvdGraphBuilder* dvdGraphBuilder);

// The drive letter ("D") of the volume the navigator plays; false when it cannot tell.
bool GetRegionDrive(IDvdInfo2* dvdInfo, char& drive);
// Runs the system's region tool for drive, owned by window; true when the region was changed.
// Blocks until the tool has finished.
bool RunRegionTool(HWND window, char drive);
// Pauses and stops the graph with the navigator reset, then runs it again: a region change
// takes effect only from a fresh start of the disc.
HRESULT RestartNavigator(IMediaControl* mediaControl, IDvdControl2* dvdControl);
