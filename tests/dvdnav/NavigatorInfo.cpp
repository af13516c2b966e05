// IDvdInfo2 of the navigator double: answers from the disc model, the script and the navigator's
// location. Every call is recorded first.
#include <cstring>

#include "DvdAttributes.h"
#include "Languages.h"
#include "Navigator.h"

namespace dvdnav {

namespace {

// The navigator reports stream languages as locale identifiers of the IFO's ISO 639 codes, as the
// product navigator does; a code it does not know (or none) gives 0.
LCID LanguageLcid(uint16_t code) {
    return navigator::LcidFromLanguageCode(code);
}

using navigator::AudioFormat;

void FillVideo(const VideoInfo& v, DVD_VideoAttributes& a) {
    std::memset(&a, 0, sizeof a);
    a.fPanscanPermitted = !v.panScanForbidden;
    a.fLetterboxPermitted = !v.letterboxForbidden;
    a.ulAspectX = v.aspect == 3 ? 16 : 4;
    a.ulAspectY = v.aspect == 3 ? 9 : 3;
    a.ulFrameRate = v.pal ? 50 : 60;
    a.ulFrameHeight = v.pal ? 576 : 480;
    a.Compression = v.compression == 0 ? DVD_VideoCompression_MPEG1 : DVD_VideoCompression_MPEG2;
    a.fLine21Field1InGOP = v.line21Field1;
    a.fLine21Field2InGOP = v.line21Field2;
    static const ULONG widths[] = {720, 704, 352, 352};
    a.ulSourceResolutionX = widths[v.resolution & 3];
    a.ulSourceResolutionY = (v.resolution & 3) == 3 ? a.ulFrameHeight / 2 : a.ulFrameHeight;
    a.fIsSourceLetterboxed = v.letterboxed;
    a.fIsFilmMode = v.film;
}

// The script's attribute members for `target` ("audio 1"), written over the record by name.
template <typename Record>
void Override(const Script& script, const std::string& target, Record& r,
              std::initializer_list<std::pair<const char*, void (*)(Record&, long)>> members) {
    auto found = script.attributes.find(target);
    if (found == script.attributes.end()) return;
    for (const auto& [name, value] : found->second)
        for (const auto& m : members)
            if (name == m.first) m.second(r, value);
}

#define MEMBER(Type, field, cast)                                        \
    {                                                                    \
#field, [](Type & r, long v) { r.field = static_cast<cast>(v); } \
    }

void OverrideAudio(const Script& s, ULONG i, DVD_AudioAttributes& a) {
    Override<DVD_AudioAttributes>(
        s, "audio " + std::to_string(i), a,
        {MEMBER(DVD_AudioAttributes, AppMode, DVD_AUDIO_APPMODE),
         MEMBER(DVD_AudioAttributes, AppModeData, BYTE),
         MEMBER(DVD_AudioAttributes, AudioFormat, DVD_AUDIO_FORMAT),
         MEMBER(DVD_AudioAttributes, Language, LCID),
         MEMBER(DVD_AudioAttributes, LanguageExtension, DVD_AUDIO_LANG_EXT),
         MEMBER(DVD_AudioAttributes, fHasMultichannelInfo, WINBOOL),
         MEMBER(DVD_AudioAttributes, dwFrequency, DWORD), MEMBER(DVD_AudioAttributes, bQuantization, BYTE),
         MEMBER(DVD_AudioAttributes, bNumberOfChannels, BYTE)});
}

void OverrideSubpicture(const Script& s, ULONG i, DVD_SubpictureAttributes& a) {
    Override<DVD_SubpictureAttributes>(
        s, "subpicture " + std::to_string(i), a,
        {MEMBER(DVD_SubpictureAttributes, Type, DVD_SUBPICTURE_TYPE),
         MEMBER(DVD_SubpictureAttributes, CodingMode, DVD_SUBPICTURE_CODING),
         MEMBER(DVD_SubpictureAttributes, Language, LCID),
         MEMBER(DVD_SubpictureAttributes, LanguageExtension, DVD_SUBPICTURE_LANG_EXT)});
}

void OverrideVideo(const Script& s, DVD_VideoAttributes& a) {
    Override<DVD_VideoAttributes>(
        s, "video", a,
        {MEMBER(DVD_VideoAttributes, fPanscanPermitted, WINBOOL),
         MEMBER(DVD_VideoAttributes, fLetterboxPermitted, WINBOOL),
         MEMBER(DVD_VideoAttributes, ulAspectX, ULONG), MEMBER(DVD_VideoAttributes, ulAspectY, ULONG),
         MEMBER(DVD_VideoAttributes, ulFrameRate, ULONG), MEMBER(DVD_VideoAttributes, ulFrameHeight, ULONG),
         MEMBER(DVD_VideoAttributes, Compression, DVD_VIDEO_COMPRESSION),
         MEMBER(DVD_VideoAttributes, fLine21Field1InGOP, WINBOOL),
         MEMBER(DVD_VideoAttributes, fLine21Field2InGOP, WINBOOL),
         MEMBER(DVD_VideoAttributes, ulSourceResolutionX, ULONG),
         MEMBER(DVD_VideoAttributes, ulSourceResolutionY, ULONG),
         MEMBER(DVD_VideoAttributes, fIsSourceLetterboxed, WINBOOL),
         MEMBER(DVD_VideoAttributes, fIsFilmMode, WINBOOL)});
}

void OverrideKaraoke(const Script& s, ULONG i, DVD_KaraokeAttributes& a) {
    Override<DVD_KaraokeAttributes>(
        s, "karaoke " + std::to_string(i), a,
        {MEMBER(DVD_KaraokeAttributes, bVersion, BYTE),
         MEMBER(DVD_KaraokeAttributes, fMasterOfCeremoniesInGuideVocal1, WINBOOL),
         MEMBER(DVD_KaraokeAttributes, fDuet, WINBOOL),
         MEMBER(DVD_KaraokeAttributes, ChannelAssignment, DVD_KARAOKE_ASSIGNMENT)});
}

#undef MEMBER

}  // namespace

HRESULT Info::QueryInterface(REFIID iid, void** out) {
    return mNav.QueryInterface(iid, out);
}
ULONG Info::AddRef() {
    return mNav.AddRef();
}
ULONG Info::Release() {
    return mNav.Release();
}

#define QUERY(name)                                           \
    if (HRESULT s_; mNav.Scripted(name, true, s_)) return s_; \
    Navigator::Guard g(mNav)

HRESULT Info::GetCurrentDomain(DVD_DOMAIN* domain) {
    Record("GetCurrentDomain");
    if (!domain) return E_POINTER;
    QUERY("GetCurrentDomain");
    *domain = mNav.mLoc.domain;
    return S_OK;
}

HRESULT Info::GetCurrentLocation(DVD_PLAYBACK_LOCATION2* location) {
    Record("GetCurrentLocation");
    if (!location) return E_POINTER;
    QUERY("GetCurrentLocation");
    if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
    location->TitleNum = mNav.mLoc.title;
    location->ChapterNum = mNav.mLoc.chapter;
    location->TimeCode = mNav.TimeCode(mNav.mLoc.posMs);
    location->TimeCodeFlags = mNav.CurrentTitle().frameRate == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps;
    return S_OK;
}

HRESULT Info::GetTotalTitleTime(DVD_HMSF_TIMECODE* time, ULONG* flags) {
    Record("GetTotalTitleTime");
    if (!time) return E_POINTER;
    QUERY("GetTotalTitleTime");
    if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
    *time = mNav.TimeCode(mNav.CurrentTitle().lengthMs);
    if (flags) *flags = mNav.CurrentTitle().frameRate == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps;
    return S_OK;
}

HRESULT Info::GetCurrentButton(ULONG* count, ULONG* current) {
    Record("GetCurrentButton");
    if (!count || !current) return E_POINTER;
    QUERY("GetCurrentButton");
    bool menu = mNav.InMenu();
    *count = menu ? mNav.MenuButtons() : 0;
    *current = menu ? mNav.mLoc.menuButton : 0;
    return S_OK;
}

HRESULT Info::GetCurrentAngle(ULONG* count, ULONG* current) {
    Record("GetCurrentAngle");
    if (!count || !current) return E_POINTER;
    QUERY("GetCurrentAngle");
    if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
    *count = mNav.mScript.angles;
    *current = mNav.mLoc.angle;
    return S_OK;
}

HRESULT Info::GetCurrentAudio(ULONG* count, ULONG* current) {
    Record("GetCurrentAudio");
    if (!count || !current) return E_POINTER;
    QUERY("GetCurrentAudio");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    *count = static_cast<ULONG>(mNav.mDisc.audio.size());
    *current = mNav.mLoc.audio;
    return S_OK;
}

HRESULT Info::GetCurrentSubpicture(ULONG* count, ULONG* current, WINBOOL* disabled) {
    Record("GetCurrentSubpicture");
    if (!count || !current || !disabled) return E_POINTER;
    QUERY("GetCurrentSubpicture");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    *count = static_cast<ULONG>(mNav.mDisc.subpictures.size());
    *current = mNav.mLoc.subpicture;
    // The platform's navigator answers whether the display is off, not on.
    *disabled = mNav.mLoc.subpictureOn ? FALSE : TRUE;
    return S_OK;
}

HRESULT Info::GetCurrentUOPS(ULONG* uops) {
    Record("GetCurrentUOPS");
    if (!uops) return E_POINTER;
    QUERY("GetCurrentUOPS");
    // Prohibited operations are those the script inhibits; they are not mapped to flags one by one.
    *uops = 0;
    return S_OK;
}

HRESULT Info::GetAllSPRMs(SPRMARRAY* regs) {
    Record("GetAllSPRMs");
    if (!regs) return E_POINTER;
    QUERY("GetAllSPRMs");
    std::memset(regs, 0, sizeof *regs);
    (*regs)[1] = static_cast<WORD>(mNav.mLoc.audio);
    (*regs)[2] = static_cast<WORD>(mNav.mLoc.subpicture | (mNav.mLoc.subpictureOn ? 0x40 : 0));
    (*regs)[3] = static_cast<WORD>(mNav.mLoc.angle);
    (*regs)[4] = static_cast<WORD>(mNav.mLoc.title);
    (*regs)[5] = static_cast<WORD>(mNav.mLoc.title);
    (*regs)[7] = static_cast<WORD>(mNav.mLoc.chapter);
    (*regs)[8] = static_cast<WORD>(mNav.mLoc.menuButton << 10);
    (*regs)[13] = static_cast<WORD>(mNav.mParentalLevel > 8 ? 15 : mNav.mParentalLevel);
    return S_OK;
}

HRESULT Info::GetAllGPRMs(GPRMARRAY* regs) {
    Record("GetAllGPRMs");
    if (!regs) return E_POINTER;
    QUERY("GetAllGPRMs");
    std::memcpy(regs, mNav.mGprm, sizeof *regs);
    return S_OK;
}

HRESULT Info::Attributes(ULONG stream, bool audio, ULONG& index) {
    size_t count = audio ? mNav.mDisc.audio.size() : mNav.mDisc.subpictures.size();
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    index = stream == DVD_STREAM_DATA_CURRENT ? (audio ? mNav.mLoc.audio : mNav.mLoc.subpicture) : stream;
    return index < count ? S_OK : E_INVALIDARG;
}

HRESULT Info::GetAudioLanguage(ULONG stream, LCID* language) {
    Record("GetAudioLanguage %lu", stream);
    if (!language) return E_POINTER;
    QUERY("GetAudioLanguage");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, true, i); FAILED(hr)) return hr;
    auto o = mNav.mScript.audioLang.find(i);
    *language = LanguageLcid(o != mNav.mScript.audioLang.end() ? o->second : mNav.mDisc.audio[i].language);
    return S_OK;
}

HRESULT Info::GetSubpictureLanguage(ULONG stream, LCID* language) {
    Record("GetSubpictureLanguage %lu", stream);
    if (!language) return E_POINTER;
    QUERY("GetSubpictureLanguage");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, false, i); FAILED(hr)) return hr;
    auto o = mNav.mScript.subpictureLang.find(i);
    *language =
        LanguageLcid(o != mNav.mScript.subpictureLang.end() ? o->second : mNav.mDisc.subpictures[i].language);
    return S_OK;
}

HRESULT Info::GetTitleAttributes(ULONG index, DVD_MenuAttributes* menu, DVD_TitleAttributes* title) {
    Record("GetTitleAttributes %lu", index);
    if (!menu || !title) return E_POINTER;
    QUERY("GetTitleAttributes");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    ULONG t = index == DVD_TITLE_MENU ? mNav.mLoc.title : index;
    if (t < 1 || t > mNav.mDisc.titles.size()) return E_INVALIDARG;
    std::memset(menu, 0, sizeof *menu);
    std::memset(title, 0, sizeof *title);
    for (auto& region : menu->fCompatibleRegion)
        region = TRUE;
    FillVideo(mNav.mDisc.video, menu->VideoAttributes);
    // With DVD_EnableTitleLength the application-mode member holds the title's length instead.
    if (mNav.mOptions[13]) {
        DVD_HMSF_TIMECODE length = mNav.TimeCode(mNav.mDisc.titles[t - 1].lengthMs);
        std::memcpy(&title->AppMode, &length, sizeof length);
    }
    FillVideo(mNav.mDisc.video, title->VideoAttributes);
    title->ulNumberOfAudioStreams = static_cast<ULONG>(mNav.mDisc.audio.size());
    for (ULONG i = 0; i < title->ulNumberOfAudioStreams; ++i) {
        const AudioStream& a = mNav.mDisc.audio[i];
        title->AudioAttributes[i].AudioFormat = AudioFormat(a.coding);
        title->AudioAttributes[i].Language = LanguageLcid(a.language);
        title->AudioAttributes[i].bNumberOfChannels = a.channels;
        title->AudioAttributes[i].dwFrequency = 48000;
    }
    title->ulNumberOfSubpictureStreams = static_cast<ULONG>(mNav.mDisc.subpictures.size());
    for (ULONG i = 0; i < title->ulNumberOfSubpictureStreams; ++i)
        title->SubpictureAttributes[i].Language = LanguageLcid(mNav.mDisc.subpictures[i].language);
    return S_OK;
}

HRESULT Info::GetVMGAttributes(DVD_MenuAttributes* attr) {
    Record("GetVMGAttributes");
    if (!attr) return E_POINTER;
    QUERY("GetVMGAttributes");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    std::memset(attr, 0, sizeof *attr);
    for (auto& region : attr->fCompatibleRegion)
        region = TRUE;
    FillVideo(mNav.mDisc.video, attr->VideoAttributes);
    return S_OK;
}

HRESULT Info::GetCurrentVideoAttributes(DVD_VideoAttributes* attr) {
    Record("GetCurrentVideoAttributes");
    if (!attr) return E_POINTER;
    QUERY("GetCurrentVideoAttributes");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    FillVideo(mNav.mDisc.video, *attr);
    OverrideVideo(mNav.mScript, *attr);
    return S_OK;
}

HRESULT Info::GetAudioAttributes(ULONG stream, DVD_AudioAttributes* attr) {
    Record("GetAudioAttributes %lu", stream);
    if (!attr) return E_POINTER;
    QUERY("GetAudioAttributes");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, true, i); FAILED(hr)) return hr;
    const AudioStream& a = mNav.mDisc.audio[i];
    std::memset(attr, 0, sizeof *attr);
    bool karaoke = mNav.mScript.karaoke.count(i) > 0;
    attr->AppMode = karaoke ? DVD_AudioMode_Karaoke : static_cast<DVD_AUDIO_APPMODE>(a.appMode);
    attr->AppModeData = a.appInfo;
    attr->AudioFormat = AudioFormat(a.coding);
    auto o = mNav.mScript.audioLang.find(i);
    attr->Language = LanguageLcid(o != mNav.mScript.audioLang.end() ? o->second : a.language);
    attr->LanguageExtension = static_cast<DVD_AUDIO_LANG_EXT>(a.extension);
    attr->dwFrequency = a.sampleRate == 1 ? 96000 : 48000;
    attr->bQuantization = static_cast<BYTE>(a.quantization == 0 ? 16 : a.quantization == 1 ? 20 : 24);
    attr->bNumberOfChannels =
        karaoke ? static_cast<BYTE>(mNav.mScript.karaoke.at(i).contents.size()) : a.channels;
    OverrideAudio(mNav.mScript, i, *attr);
    return S_OK;
}

HRESULT Info::GetKaraokeAttributes(ULONG stream, DVD_KaraokeAttributes* attr) {
    Record("GetKaraokeAttributes %lu", stream);
    if (!attr) return E_POINTER;
    QUERY("GetKaraokeAttributes");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, true, i); FAILED(hr)) return hr;
    auto k = mNav.mScript.karaoke.find(i);
    if (k == mNav.mScript.karaoke.end()) return VFW_E_DVD_NOT_IN_KARAOKE_MODE;
    std::memset(attr, 0, sizeof *attr);
    attr->bVersion = 1;
    attr->fMasterOfCeremoniesInGuideVocal1 = TRUE;
    attr->fDuet = FALSE;
    attr->ChannelAssignment = static_cast<DVD_KARAOKE_ASSIGNMENT>(k->second.assignment);
    for (size_t c = 0; c < k->second.contents.size() && c < 8; ++c)
        attr->wChannelContents[c] = k->second.contents[c];
    OverrideKaraoke(mNav.mScript, i, *attr);
    return S_OK;
}

HRESULT Info::GetSubpictureAttributes(ULONG stream, DVD_SubpictureAttributes* attr) {
    Record("GetSubpictureAttributes %lu", stream);
    if (!attr) return E_POINTER;
    QUERY("GetSubpictureAttributes");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, false, i); FAILED(hr)) return hr;
    const SubpictureStream& s = mNav.mDisc.subpictures[i];
    attr->Type = s.language ? DVD_SPType_Language : DVD_SPType_NotSpecified;
    attr->CodingMode = s.coding == 0 ? DVD_SPCoding_RunLength : DVD_SPCoding_Other;
    auto o = mNav.mScript.subpictureLang.find(i);
    attr->Language = LanguageLcid(o != mNav.mScript.subpictureLang.end() ? o->second : s.language);
    attr->LanguageExtension = static_cast<DVD_SUBPICTURE_LANG_EXT>(s.extension);
    OverrideSubpicture(mNav.mScript, i, *attr);
    return S_OK;
}

HRESULT Info::GetDVDVolumeInfo(ULONG* volumes, ULONG* current, DVD_DISC_SIDE* side, ULONG* titles) {
    Record("GetDVDVolumeInfo");
    if (!volumes || !current || !side || !titles) return E_POINTER;
    QUERY("GetDVDVolumeInfo");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    *volumes = 1;
    *current = 1;
    *side = DVD_SIDE_A;
    *titles = static_cast<ULONG>(mNav.mDisc.titles.size());
    return S_OK;
}

namespace {

// The text languages of the script, in the order they first appear, and the strings of one.
std::vector<unsigned> TextLanguages(const Script& s) {
    std::vector<unsigned> langs;
    for (const auto& t : s.texts) {
        bool seen = false;
        for (unsigned l : langs)
            seen = seen || l == t.lcid;
        if (!seen) langs.push_back(t.lcid);
    }
    return langs;
}

std::vector<const TextString*> TextsOf(const Script& s, unsigned lcid) {
    std::vector<const TextString*> texts;
    for (const auto& t : s.texts)
        if (t.lcid == lcid) texts.push_back(&t);
    return texts;
}

}  // namespace

HRESULT Info::GetDVDTextNumberOfLanguages(ULONG* count) {
    Record("GetDVDTextNumberOfLanguages");
    if (!count) return E_POINTER;
    QUERY("GetDVDTextNumberOfLanguages");
    *count = static_cast<ULONG>(TextLanguages(mNav.mScript).size());
    return S_OK;
}

HRESULT Info::GetDVDTextLanguageInfo(ULONG index, ULONG* strings, LCID* language,
                                     enum DVD_TextCharSet* charset) {
    Record("GetDVDTextLanguageInfo %lu", index);
    if (!strings || !language || !charset) return E_POINTER;
    QUERY("GetDVDTextLanguageInfo");
    auto langs = TextLanguages(mNav.mScript);
    if (index >= langs.size()) return E_INVALIDARG;
    *language = langs[index];
    *strings = static_cast<ULONG>(TextsOf(mNav.mScript, langs[index]).size());
    *charset = DVD_CharSet_Unicode;
    return S_OK;
}

HRESULT Info::GetDVDTextStringAsNative(ULONG lang, ULONG index, BYTE* text, ULONG size, ULONG* needed,
                                       enum DVD_TextStringType* type) {
    Record("GetDVDTextStringAsNative %lu %lu %lu", lang, index, size);
    if (!needed || !type) return E_POINTER;
    QUERY("GetDVDTextStringAsNative");
    auto langs = TextLanguages(mNav.mScript);
    if (lang >= langs.size()) return E_INVALIDARG;
    auto texts = TextsOf(mNav.mScript, langs[lang]);
    if (index >= texts.size()) return E_INVALIDARG;
    const std::string& s = texts[index]->text;
    *type = static_cast<enum DVD_TextStringType>(texts[index]->type);
    *needed = static_cast<ULONG>(s.size() + 1);
    if (!text) return S_OK;
    if (size < *needed) return E_OUTOFMEMORY;
    std::memcpy(text, s.c_str(), s.size() + 1);
    return S_OK;
}

HRESULT Info::GetDVDTextStringAsUnicode(ULONG lang, ULONG index, WCHAR* text, ULONG size, ULONG* needed,
                                        enum DVD_TextStringType* type) {
    Record("GetDVDTextStringAsUnicode %lu %lu %lu", lang, index, size);
    if (!needed || !type) return E_POINTER;
    QUERY("GetDVDTextStringAsUnicode");
    auto langs = TextLanguages(mNav.mScript);
    if (lang >= langs.size()) return E_INVALIDARG;
    auto texts = TextsOf(mNav.mScript, langs[lang]);
    if (index >= texts.size()) return E_INVALIDARG;
    std::wstring s = Wide(texts[index]->text);
    *type = static_cast<enum DVD_TextStringType>(texts[index]->type);
    *needed = static_cast<ULONG>(s.size() + 1);
    if (!text) return S_OK;
    if (size < *needed) return E_OUTOFMEMORY;
    std::memcpy(text, s.c_str(), (s.size() + 1) * sizeof(WCHAR));
    return S_OK;
}

HRESULT Info::GetPlayerParentalLevel(ULONG* level, BYTE country[2]) {
    Record("GetPlayerParentalLevel");
    if (!level) return E_POINTER;
    QUERY("GetPlayerParentalLevel");
    *level = mNav.mParentalLevel;
    if (country) {
        country[0] = mNav.mCountry[0];
        country[1] = mNav.mCountry[1];
    }
    return S_OK;
}

HRESULT Info::GetNumberOfChapters(ULONG title, ULONG* count) {
    Record("GetNumberOfChapters %lu", title);
    if (!count) return E_POINTER;
    QUERY("GetNumberOfChapters");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
    *count = static_cast<ULONG>(mNav.mDisc.titles[title - 1].chapterStartMs.size());
    return S_OK;
}

HRESULT Info::GetTitleParentalLevels(ULONG title, ULONG* levels) {
    Record("GetTitleParentalLevels %lu", title);
    if (!levels) return E_POINTER;
    QUERY("GetTitleParentalLevels");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
    *levels = 0;  // the authored disc sets no parental levels
    return S_OK;
}

HRESULT Info::GetDVDDirectory(WCHAR* path, ULONG size, ULONG* needed) {
    Record("GetDVDDirectory %lu", size);
    if (!needed) return E_POINTER;
    QUERY("GetDVDDirectory");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    std::wstring folder = Wide(mNav.mDisc.folder);
    *needed = static_cast<ULONG>(folder.size() + 1);
    if (!path) return S_OK;
    if (size < *needed) return E_INVALIDARG;
    std::memcpy(path, folder.c_str(), (folder.size() + 1) * sizeof(WCHAR));
    return S_OK;
}

HRESULT Info::IsAudioStreamEnabled(ULONG stream, WINBOOL* enable) {
    Record("IsAudioStreamEnabled %lu", stream);
    if (!enable) return E_POINTER;
    QUERY("IsAudioStreamEnabled");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, true, i); FAILED(hr)) return hr;
    *enable = TRUE;
    return S_OK;
}

HRESULT Info::GetDiscID(const WCHAR* path, ULONGLONG* id) {
    Record("GetDiscID %s", Utf8(path).c_str());
    if (!id) return E_POINTER;
    QUERY("GetDiscID");
    if (!path) {
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        *id = mNav.mDisc.id;
        return S_OK;
    }
    Disc other;
    std::string why;
    if (!ReadDisc(Utf8(path), other, why)) return E_INVALIDARG;
    *id = other.id;
    return S_OK;
}

HRESULT Info::GetState(IDvdState** state) {
    Record("GetState");
    if (!state) return E_POINTER;
    *state = nullptr;
    QUERY("GetState");
    if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
    if (!mNav.InTitle() && !mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    Location loc = mNav.InTitle() ? mNav.mLoc : mNav.mResume;
    loc.domain = mNav.mLoc.domain;
    if (!mNav.InTitle() && !mNav.mCanResume) {
        loc.title = 1;
        loc.posMs = 0;
    }
    return CreateDvdState(loc, mNav.mDisc.id, mNav.mParentalLevel, state);
}

HRESULT Info::GetMenuLanguages(LCID* languages, ULONG count, ULONG* found) {
    Record("GetMenuLanguages %lu", count);
    if (!found) return E_POINTER;
    QUERY("GetMenuLanguages");
    (void)languages;
    *found = 0;  // the menus are modelled, not authored in languages
    return S_OK;
}

HRESULT Info::GetButtonAtPosition(POINT point, ULONG* button) {
    Record("GetButtonAtPosition %ld %ld", point.x, point.y);
    if (!button) return E_POINTER;
    {
        QUERY("GetButtonAtPosition");
        if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    }
    unsigned b = 0;
    if (!mNav.PictureButtonAt(point, b)) return VFW_E_DVD_NO_BUTTON;
    *button = b;
    return S_OK;
}

HRESULT Info::GetCmdFromEvent(LONG_PTR param, IDvdCmd** cmd) {
    Record("GetCmdFromEvent %ld", static_cast<long>(param));
    if (!cmd) return E_POINTER;
    *cmd = nullptr;
    // The navigator sends no command events, so no event names a command.
    return E_INVALIDARG;
}

HRESULT Info::GetDefaultMenuLanguage(LCID* language) {
    Record("GetDefaultMenuLanguage");
    if (!language) return E_POINTER;
    QUERY("GetDefaultMenuLanguage");
    *language = mNav.mMenuLanguage;
    return S_OK;
}

HRESULT Info::GetDefaultAudioLanguage(LCID* language, DVD_AUDIO_LANG_EXT* ext) {
    Record("GetDefaultAudioLanguage");
    if (!language || !ext) return E_POINTER;
    QUERY("GetDefaultAudioLanguage");
    *language = mNav.mAudioLanguage;
    *ext = mNav.mAudioExt;
    return S_OK;
}

HRESULT Info::GetDefaultSubpictureLanguage(LCID* language, DVD_SUBPICTURE_LANG_EXT* ext) {
    Record("GetDefaultSubpictureLanguage");
    if (!language || !ext) return E_POINTER;
    QUERY("GetDefaultSubpictureLanguage");
    *language = mNav.mSubpictureLanguage;
    *ext = mNav.mSubpictureExt;
    return S_OK;
}

HRESULT Info::GetDecoderCaps(DVD_DECODER_CAPS* caps) {
    Record("GetDecoderCaps");
    if (!caps) return E_POINTER;
    QUERY("GetDecoderCaps");
    if (caps->dwSize != sizeof *caps) return E_INVALIDARG;
    std::memset(caps, 0, sizeof *caps);
    caps->dwSize = sizeof *caps;
    caps->dwAudioCaps = DVD_AUDIO_CAPS_AC3 | DVD_AUDIO_CAPS_MPEG2 | DVD_AUDIO_CAPS_LPCM;
    caps->dFwdMaxRateVideo = caps->dFwdMaxRateAudio = caps->dFwdMaxRateSP = 32;
    caps->dBwdMaxRateVideo = 32;
    return S_OK;
}

HRESULT Info::GetButtonRect(ULONG button, RECT* rect) {
    Record("GetButtonRect %lu", button);
    if (!rect) return E_POINTER;
    QUERY("GetButtonRect");
    if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    if (button < 1 || button > mNav.MenuButtons()) return E_INVALIDARG;
    *rect = mNav.ButtonRect(button);
    return S_OK;
}

HRESULT Info::IsSubpictureStreamEnabled(ULONG stream, WINBOOL* enable) {
    Record("IsSubpictureStreamEnabled %lu", stream);
    if (!enable) return E_POINTER;
    QUERY("IsSubpictureStreamEnabled");
    ULONG i = 0;
    if (HRESULT hr = Attributes(stream, false, i); FAILED(hr)) return hr;
    *enable = TRUE;
    return S_OK;
}

}  // namespace dvdnav
