// The filters of a graph as the video windows' popup menus show them: finding one by name, the
// Filters submenu, and a filter's property pages.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

class ModalGuard;

inline constexpr int kFilterNameCount = 64;
inline constexpr int kFilterNameChars = 256;
using FilterNameTable = char[kFilterNameCount][kFilterNameChars];

// The first filter of the graph with exactly this name, or null.
Microsoft::WRL::ComPtr<IBaseFilter> FindFilterByName(IGraphBuilder* graph, const char* name);
// Lists the graph's filters in `names` from entry 1 (entry 0 is never used; at most 63) and, when
// submenu is not null, appends one item per filter whose command is commandBase + its entry.
HRESULT FillFiltersMenu(IGraphBuilder* graph, HMENU submenu, FilterNameTable& names, UINT commandBase);
// The property frame of the named filter, owned by owner, if the filter has pages.
void ShowFilterPropertyPage(IGraphBuilder* graph, HWND owner, const char* name, ModalGuard& guard);
