// A DVD graph builder of our own, for where the platform's cannot render a volume (Wine has
// none that can). It keeps IDvdGraphBuilder's contract: RenderDvdVideoVolume builds a real
// filter graph (CLSID_FilterGraph) of our navigator and the platform's Video Renderer and
// DirectSound renderer, and GetDvdInterface answers IDvdControl2, IDvdInfo2, IVideoWindow,
// IBasicVideo and IBasicAudio from that graph, so the rest of the graph's interfaces are the
// platform's own. While any such builder lives, OleLoadFromStream can make our IDvdState.
#pragma once

#include <windows.h>
#include <dshow.h>

// A new builder, with one reference for the caller; E_OUTOFMEMORY or a COM failure otherwise.
HRESULT CreateOwnDvdGraphBuilder(IDvdGraphBuilder** out);
