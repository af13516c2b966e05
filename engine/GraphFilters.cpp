#include "GraphFilters.h"

#include <ocidl.h>
#include <olectl.h>

#include <cstring>
#include <string>
#include <vector>

#include "DsUtil.h"
#include "VideoWindow.h"

namespace {
constexpr char kUnknownFilter[] = "Unknow filter";
constexpr int kEnumAttempts = 5;
}  // namespace

ComPtr<IBaseFilter> FindFilterByName(IGraphBuilder* graph, const char* name) {
    if (!graph || !name) return nullptr;
    ComPtr<IEnumFilters> filters;
    if (FAILED(graph->EnumFilters(filters.GetAddressOf()))) return nullptr;
    for (ComPtr<IBaseFilter> filter; filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK;) {
        std::string filterName;
        if (!ReadFilterName(filter.Get(), filterName)) return nullptr;
        if (::lstrcmpA(filterName.c_str(), name) == 0) return filter;
    }
    return nullptr;
}

HRESULT FillFiltersMenu(IGraphBuilder* graph, HMENU submenu, FilterNameTable& names, UINT commandBase) {
    if (!graph) return E_NOINTERFACE;
    ComPtr<IEnumFilters> filters;
    HRESULT hr = graph->EnumFilters(filters.GetAddressOf());
    if (FAILED(hr)) return hr;
    // The graph may change while it is walked (its threads add and drop filters of their own):
    // the enumerator then reports that it is out of step and the walk starts over.
    std::vector<std::string> found;
    for (int attempt = 0; attempt < kEnumAttempts; ++attempt) {
        found.clear();
        ComPtr<IBaseFilter> filter;
        while (static_cast<int>(found.size()) < kFilterNameCount - 1 &&
               (hr = filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr)) == S_OK) {
            std::string name;
            if (!ReadFilterName(filter.Get(), name)) name = kUnknownFilter;
            found.push_back(std::move(name));
        }
        if (hr != VFW_E_ENUM_OUT_OF_SYNC) break;
        filters->Reset();
    }
    for (size_t i = 0; i < found.size(); ++i) {
        int k = static_cast<int>(i) + 1;
        char* entry = names[k];
        std::strncpy(entry, found[i].c_str(), kFilterNameChars - 1);
        entry[kFilterNameChars - 1] = '\0';
        if (submenu) ::AppendMenuA(submenu, MF_STRING, commandBase + k, entry);
    }
    return S_OK;
}

void ShowFilterPropertyPage(IGraphBuilder* graph, HWND owner, const char* name, ModalGuard& guard) {
    ComPtr<IBaseFilter> filter = FindFilterByName(graph, name);
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
        ModalScope modal(guard);
        ::OleCreatePropertyFrame(owner, 0, 0, info.achName, 1, &object, pageIds.cElems, pageIds.pElems, 0, 0,
                                 nullptr);
    }
    ::CoTaskMemFree(pageIds.pElems);
}
