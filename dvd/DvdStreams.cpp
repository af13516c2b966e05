#include "DvdStreams.h"

#include "DvdMenuIds.h"
#include "LanguageNames.h"

namespace {

// Reads the names of streams 0..count-1 (at most limit) until a query fails.
template <typename LanguageQuery, typename AttributesQuery>
void ReadNames(DvdStreamList& list, ULONG limit, LanguageQuery&& language,
               AttributesQuery&& attributesLanguage) {
    ULONG listed = ListedCount(list.count, limit);
    for (ULONG i = 0; i < listed; ++i) {
        LCID lcid = 0;
        if (FAILED(language(i, lcid))) return;
        list.names.push_back(StreamLanguageName(lcid, lcid ? 0 : attributesLanguage(i)));
    }
}

}  // namespace

std::string StreamLanguageName(LCID lcid, LCID attributesLanguage) {
    char name[kMenuLanguageLength] = {};
    if (lcid != 0 && ::GetLocaleInfoA(lcid, LOCALE_SLANGUAGE, name, sizeof(name)) > 0) return name;
    LookupLanguageName(attributesLanguage, name, sizeof(name));
    return name;
}

DvdStreamList ReadSubpictureStreams(IDvdInfo2* dvdInfo) {
    DvdStreamList list;
    if (!dvdInfo) return list;
    BOOL disabled = FALSE;
    if (FAILED(dvdInfo->GetCurrentSubpicture(&list.count, &list.current, &disabled))) return list;
    list.known = true;
    list.disabled = disabled != FALSE;
    ReadNames(
        list, kMaxSubpictureStreams,
        [&](ULONG i, LCID& lcid) { return dvdInfo->GetSubpictureLanguage(i, &lcid); },
        [&](ULONG i) -> LCID {
            DVD_SubpictureAttributes attributes{};
            return SUCCEEDED(dvdInfo->GetSubpictureAttributes(i, &attributes)) ? attributes.Language : 0;
        });
    return list;
}

DvdStreamList ReadAudioStreams(IDvdInfo2* dvdInfo) {
    DvdStreamList list;
    if (!dvdInfo) return list;
    if (FAILED(dvdInfo->GetCurrentAudio(&list.count, &list.current))) return list;
    list.known = true;
    ReadNames(
        list, kMaxAudioStreams, [&](ULONG i, LCID& lcid) { return dvdInfo->GetAudioLanguage(i, &lcid); },
        [&](ULONG i) -> LCID {
            DVD_AudioAttributes attributes{};
            return SUCCEEDED(dvdInfo->GetAudioAttributes(i, &attributes)) ? attributes.Language : 0;
        });
    return list;
}
