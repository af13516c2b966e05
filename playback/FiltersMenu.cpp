// The filters of the current graph: finding them by name, removing the extras that the graph
// builder adds to an MPEG graph, listing them in the Filters submenu and showing their property
// pages.
#include <windows.h>

#include <cstring>
#include <string>

#include "DsUtil.h"
#include "FilePlayer.h"
#include "PlaybackMath.h"

namespace {

constexpr char kMpegVideoDecoder[] = "Pellwyn Video Decoder";
constexpr char kRendererPrefix[] = "Video Renderer";
constexpr char kLine21Decoder[] = "Line 21 Decoder";
constexpr int kFiltersSubmenu = 10;  // "Filters" in the video menu's popup

}  // namespace

ComPtr<IBaseFilter> FilePlayer::FindFilterByName(const char* name) {
    return ::FindFilterByName(graphBuilder.Get(), name);
}

// The graph builder may add a second renderer, named like the first with a suffix; only one
// is removed a call.
void FilePlayer::RemoveDuplicateRenderer(const char* prefix) {
    if (!graphBuilder) return;
    size_t prefixLength = std::strlen(prefix);
    ComPtr<IEnumFilters> filters;
    if (FAILED(graphBuilder->EnumFilters(filters.GetAddressOf()))) return;
    for (ComPtr<IBaseFilter> filter; filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        std::string name;
        if (!ReadFilterName(filter.Get(), name)) continue;
        if (name.compare(0, prefixLength, prefix) == 0 && name.size() >= prefixLength + 2) {
            graphBuilder->RemoveFilter(filter.Get());
            return;
        }
    }
}

int FilePlayer::RemoveExtraFilters() {
    if (!IsMpegFile(fileName)) return 0;
    // Without the program's own decoder the graph plays as the builder made it.
    if (!FindFilterByName(kMpegVideoDecoder)) return 0;
    RemoveDuplicateRenderer(kRendererPrefix);
    ComPtr<IBaseFilter> line21 = FindFilterByName(kLine21Decoder);
    if (line21 && FAILED(graphBuilder->RemoveFilter(line21.Get()))) return 0;
    return 1;
}

HRESULT FilePlayer::FillFiltersMenu(HMENU popup) {
    HMENU submenu = ::GetSubMenu(popup, kFiltersSubmenu);  // none in the picture menu
    return ::FillFiltersMenu(graphBuilder.Get(), submenu, filterNames, kFilterCommandBase);
}

void FilePlayer::ShowFilterPropertyPage(const char* name) {
    ::ShowFilterPropertyPage(graphBuilder.Get(), videoWindow, name, modalGuard);
}
