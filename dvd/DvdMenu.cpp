#include "DvdMenu.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include <cstdio>
#include <cstring>

#include "DsUtil.h"
#include "DvdStreams.h"
#include "Handles.h"
#include "resource.h"

namespace {

constexpr char kUnknownFilter[] = "Unknow filter";

void CheckItem(HMENU menu, UINT id, bool checked) {
    ::CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void GrayItem(HMENU menu, UINT id) {
    ::EnableMenuItem(menu, id, MF_BYCOMMAND | MF_GRAYED);
}

void GrayByState(HMENU popup, DvdPlayerState state) {
    switch (state) {
        case DvdPlayerState::Stopped:
        case DvdPlayerState::NavigatorStopped:
            GrayItem(popup, ID_PLAYBACK_PAUSE);
            GrayItem(popup, ID_PLAYBACK_STOP);
            break;
        case DvdPlayerState::Playing:
            GrayItem(popup, ID_PLAYBACK_PLAY);
            break;
        case DvdPlayerState::Paused:
        case DvdPlayerState::FramePaused:
            GrayItem(popup, ID_PLAYBACK_PAUSE);
            break;
        case DvdPlayerState::Uninitialized:
        case DvdPlayerState::Scanning:
            break;
    }
}

void AppendStreams(HMENU submenu, UINT base, const DvdStreamList& streams) {
    for (size_t i = 0; i < streams.names.size(); ++i) {
        ::AppendMenuA(submenu, MF_STRING, base + static_cast<UINT>(i), streams.names[i].c_str());
    }
}

void FillSubTitles(HMENU submenu, IDvdInfo2* dvdInfo, BOOL& subpictureShown) {
    DvdStreamList streams = ReadSubpictureStreams(dvdInfo);
    if (!streams.known) return;
    subpictureShown = streams.disabled ? FALSE : TRUE;
    if (!subpictureShown) CheckItem(submenu, ID_SUBPICTURE_DISABLE, true);
    AppendStreams(submenu, ID_DVD_SUBPICTURE_BASE, streams);
    if (streams.count > 0 && subpictureShown)
        CheckItem(submenu, ID_DVD_SUBPICTURE_BASE + streams.current, true);
}

void FillLanguages(HMENU submenu, IDvdInfo2* dvdInfo) {
    DvdStreamList streams = ReadAudioStreams(dvdInfo);
    if (!streams.known) return;
    AppendStreams(submenu, ID_DVD_AUDIO_BASE, streams);
    if (streams.count > 0) CheckItem(submenu, ID_DVD_AUDIO_BASE + streams.current, true);
}

void FillFilters(HMENU submenu, IGraphBuilder* graphBuilder, DvdFilterNames& names) {
    if (!graphBuilder) return;
    Microsoft::WRL::ComPtr<IEnumFilters> filters;
    if (FAILED(graphBuilder->EnumFilters(filters.GetAddressOf()))) return;
    Microsoft::WRL::ComPtr<IBaseFilter> filter;
    for (unsigned i = 1;
         i <= kMaxFilters && filters->Next(1, filter.ReleaseAndGetAddressOf(), nullptr) == S_OK; ++i) {
        std::string name;
        if (!ReadFilterName(filter.Get(), name)) name = kUnknownFilter;
        std::strncpy(names[i], name.c_str(), kFilterNameLength - 1);
        names[i][kFilterNameLength - 1] = '\0';
        ::AppendMenuA(submenu, MF_STRING, ID_FILTER_BASE + i, names[i]);
    }
}

void AppendNumbered(HMENU submenu, UINT base, const char* format, ULONG count, ULONG current) {
    char text[32];
    for (ULONG n = 1; n <= count; ++n) {
        std::snprintf(text, sizeof(text), format, static_cast<unsigned>(n));
        ::AppendMenuA(submenu, MF_STRING | (n == current ? MF_CHECKED : MF_UNCHECKED), base + n, text);
    }
}

void FillTitles(HMENU submenu, IDvdInfo2* dvdInfo, ULONG currentTitle) {
    if (!dvdInfo) return;
    unsigned count = CountTitles([&](unsigned title) {
        ULONG chapters = 0;
        return SUCCEEDED(dvdInfo->GetNumberOfChapters(title, &chapters));
    });
    AppendNumbered(submenu, ID_DVD_TITLE_BASE, "Title %d", count, currentTitle);
}

void FillChapters(HMENU submenu, IDvdInfo2* dvdInfo, ULONG currentTitle, ULONG currentChapter) {
    ULONG chapters = 0;
    if (!dvdInfo || FAILED(dvdInfo->GetNumberOfChapters(currentTitle, &chapters))) return;
    AppendNumbered(submenu, ID_DVD_CHAPTER_BASE, "Chapter %d", ListedCount(chapters, kMaxChapters),
                   currentChapter);
}

}  // namespace

void PrepareContextMenu(HMENU popup, const DvdMenuSource& source, BOOL& subpictureShown,
                        DvdFilterNames& names) {
    if (!popup) return;
    CheckItem(popup, ID_OPTIONS_CLOSEDCAPTION, source.captionsOn);
    CheckItem(popup, ID_OPTIONS_FULLSCREEN, source.fullScreen);
    GrayByState(popup, source.state);
    bool built = source.state != DvdPlayerState::Uninitialized;
    if (built) FillSubTitles(::GetSubMenu(popup, kSubTitlesSubmenu), source.dvdInfo, subpictureShown);
    if (built) FillLanguages(::GetSubMenu(popup, kLanguagesSubmenu), source.dvdInfo);
    FillFilters(::GetSubMenu(popup, kFiltersSubmenu), source.graphBuilder, names);
    FillTitles(::GetSubMenu(popup, kTitleSubmenu), source.dvdInfo, source.currentTitle);
    FillChapters(::GetSubMenu(popup, kChapterSubmenu), source.dvdInfo, source.currentTitle,
                 source.currentChapter);
}

POINT ContextMenuScreenPoint(HWND window, int x, int y, bool fullScreen, bool fitFullScreen,
                             IVideoWindow* renderer) {
    POINT point{x, y};
    if (!fullScreen) {
        ::ClientToScreen(window, &point);
    } else if (fitFullScreen && renderer) {
        long left = 0, top = 0, width = 0, height = 0;
        if (SUCCEEDED(renderer->GetWindowPosition(&left, &top, &width, &height))) {
            point.x += left;
            point.y += top;
        }
    }
    return point;
}

void TrackContextMenu(HINSTANCE instance, HWND window, POINT screen, const DvdMenuSource& source,
                      BOOL& subpictureShown, DvdFilterNames& names) {
    fw::MenuHandle menu(::LoadMenuA(instance, MAKEINTRESOURCEA(IDR_DVDMENU)));
    if (!menu) return;
    HMENU popup = ::GetSubMenu(menu.Get(), 0);
    PrepareContextMenu(popup, source, subpictureShown, names);
    ::TrackPopupMenu(popup, TPM_LEFTBUTTON, screen.x, screen.y, 0, window, nullptr);
}

