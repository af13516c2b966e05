// The filters of the current graph: finding them by name, removing the extras that the graph
// builder adds to an MPEG graph, listing them in the Filters submenu and showing their property
// pages.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <string>

#include "DsUtil.h"
#include "FilePlayer.h"
#include "PlaybackMath.h"

namespace {

constexpr char kMpegVideoDecoder[] = "Pellwyn Video Decoder";
constexpr char kRendererPrefix[] = "Video Renderer";
constexpr char kLine21Decoder[] = "Line 21 Decoder";
constexpr char kUnknownFilter[] = "Unknow filter";
constexpr int kFiltersSubmenu = 10;  // "Filters" in the video menu's popup

}  // namespace

ComPtr<IBaseFilter> FilePlayer::FindFilterByName(const char* name) {
    if (!graphBuilder || !name) return nullptr;
    ComPtr<IEnumFilters> filters;
    if (FAILED(graphBuilder->EnumFilters(filters.GetAddressOf()))) return nullptr;
    for (ComPtr<IBaseFilter> filter; filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        std::string filterName;
        if (!ReadFilterName(filter.Get(), filterName)) return nullptr;
        if (::lstrcmpA(filterName.c_str(), name) == 0) return filter;
    }
    return nullptr;
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
    if (!graphBuilder) return E_NOINTERFACE;
    ComPtr<IEnumFilters> filters;
    HRESULT hr = graphBuilder->EnumFilters(filters.GetAddressOf());
    if (FAILED(hr)) return hr;
    // Entry 0 is never used, so the ids run from one past the base; the list holds 63 names.
    int k = 1;
    for (ComPtr<IBaseFilter> filter;
         k < kFilterNameCount && filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK; ++k) {
        std::string name;
        if (!ReadFilterName(filter.Get(), name)) name = kUnknownFilter;
        char* entry = filterNames[k];
        std::strncpy(entry, name.c_str(), sizeof(filterNames[k]) - 1);
        entry[sizeof(filterNames[k]) - 1] = '\0';
        if (submenu) ::AppendMenuA(submenu, MF_STRING, kFilterCommandBase + k, entry);
    }
    return S_OK;
}

void FilePlayer::ShowFilterPropertyPage(const char* name) {
    ComPtr<IBaseFilter> filter = FindFilterByName(name);
    if (!filter) return;
    ComPtr<ISpecifyPropertyPages> pages;
    if (FAILED(QueryInto(filter.Get(), IID_ISpecifyPropertyPages, pages))) return;
    FILTER_INFO info{};
    if (FAILED(filter->QueryFilterInfo(&info))) return;
    if (info.pGraph) info.pGraph->Release();
    info.achName[MAX_FILTER_NAME - 1] = L'\0';
    CAUUID pageIds{};
    HRESULT hr = pages->GetPages(&pageIds);
    pages.Reset();
    if (FAILED(hr)) return;
    IUnknown* object = filter.Get();
    {
        ModalScope modal(*this);
        ::OleCreatePropertyFrame(videoWindow, 0, 0, info.achName, 1, &object, pageIds.cElems, pageIds.pElems,
                                 0, 0, nullptr);
    }
    ::CoTaskMemFree(pageIds.pElems);
}
