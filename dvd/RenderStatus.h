// The text that tells the user what part of a DVD volume the graph builder could not render.
#pragma once

#include <windows.h>
#include <dshow.h>

// The work text holds every line at once; the caller's buffer may be shorter.
inline constexpr int kRenderStatusWorkChars = 1000;

// Writes the summary of `status`, cut to `size` characters with its terminator, into `buffer`
// and answers the number of characters produced; 0 for a buffer that cannot take `size`.
int RenderStatusSummary(const AM_DVD_RENDERSTATUS& status, char* buffer, int size);
