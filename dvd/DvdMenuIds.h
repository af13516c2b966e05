// The DVD popup menu's generated entries: how many of each kind the menu lists at most, and
// which entry a command identifier stands for. No window is needed to answer either.
#pragma once

#include "Commands.h"

// The navigator numbers streams from 0 and titles and chapters from 1; the filter list starts
// at 1 because entry 0 of the name table is never used.
inline constexpr unsigned kMaxSubpictureStreams = 32;
inline constexpr unsigned kMaxAudioStreams = 8;
inline constexpr unsigned kMaxTitles = 99;
inline constexpr unsigned kMaxChapters = 999;
inline constexpr unsigned kMaxFilters = 63;
inline constexpr unsigned kFilterNameSlots = kMaxFilters + 1;
inline constexpr unsigned kFilterNameLength = 256;
inline constexpr unsigned kMenuLanguageLength = 50;  // a language name in a menu entry or list

enum class DvdMenuEntry { None, Subpicture, Audio, Title, Chapter, Filter };

struct DvdMenuTarget {
    DvdMenuEntry entry = DvdMenuEntry::None;
    unsigned index = 0;  // stream, title, chapter or filter-table index
};

// The entry that a generated identifier names; DvdMenuEntry::None for any other identifier
// (including the fixed items of the menu).
constexpr DvdMenuTarget DecodeDvdMenuCommand(unsigned id) {
    if (id >= ID_DVD_SUBPICTURE_BASE && id < ID_DVD_SUBPICTURE_BASE + kMaxSubpictureStreams)
        return {DvdMenuEntry::Subpicture, id - ID_DVD_SUBPICTURE_BASE};
    if (id >= ID_DVD_AUDIO_BASE && id < ID_DVD_AUDIO_BASE + kMaxAudioStreams)
        return {DvdMenuEntry::Audio, id - ID_DVD_AUDIO_BASE};
    if (id > ID_DVD_TITLE_BASE && id <= ID_DVD_TITLE_BASE + kMaxTitles)
        return {DvdMenuEntry::Title, id - ID_DVD_TITLE_BASE};
    if (id > ID_DVD_CHAPTER_BASE && id <= ID_DVD_CHAPTER_BASE + kMaxChapters)
        return {DvdMenuEntry::Chapter, id - ID_DVD_CHAPTER_BASE};
    if (id > ID_FILTER_BASE && id <= ID_FILTER_BASE + kMaxFilters)
        return {DvdMenuEntry::Filter, id - ID_FILTER_BASE};
    return {};
}

// The number of titles on a disc whose title n exists when titleExists(n): the titles before the
// first one missing, at most kMaxTitles.
template <typename TitleProbe>
unsigned CountTitles(TitleProbe&& titleExists) {
    unsigned count = 0;
    while (count < kMaxTitles && titleExists(count + 1))
        ++count;
    return count;
}

// How many entries a navigator count gives in a submenu of at most limit entries.
constexpr unsigned ListedCount(unsigned count, unsigned limit) {
    return count < limit ? count : limit;
}
