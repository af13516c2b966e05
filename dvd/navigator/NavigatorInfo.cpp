// IDvdInfo2: answers from the model, which the reading thread keeps with the machine's state
// and the delivery thread with what is shown, and from the IFO's facts.
#include <cstring>

#include "DvdAttributes.h"
#include "DvdStateObject.h"
#include "DvdTime.h"
#include "Languages.h"
#include "Navigator.h"
#include "PictureGeometry.h"
#include "WideText.h"

namespace navigator {

namespace {

bool InMenu(DVD_DOMAIN d) {
    return d == DVD_DOMAIN_VideoManagerMenu || d == DVD_DOMAIN_VideoTitleSetMenu;
}

const TitleSetAttributes* CurrentSet(const Model& m) {
    return m.titleSet >= 1 && m.titleSet <= m.facts.titleSets.size() ? &m.facts.titleSets[m.titleSet - 1]
                                                                     : nullptr;
}

const TitleFacts* CurrentTitle(const Model& m) {
    return m.title >= 1 && m.title <= m.facts.titles.size() ? &m.facts.titles[m.title - 1] : nullptr;
}

// The audio streams of the current domain: the title set's in a title, the menu's in a menu.
const std::vector<AudioAttributes>* AudioStreams(const Model& m) {
    if (m.domain == DVD_DOMAIN_VideoManagerMenu) return &m.facts.managerMenuAudio;
    const TitleSetAttributes* set = CurrentSet(m);
    if (!set) return nullptr;
    return m.domain == DVD_DOMAIN_VideoTitleSetMenu ? &set->menuAudio : &set->audio;
}

const std::vector<SubpictureAttributes>* SubpictureStreams(const Model& m) {
    if (m.domain == DVD_DOMAIN_VideoManagerMenu) return &m.facts.managerMenuSubpictures;
    const TitleSetAttributes* set = CurrentSet(m);
    if (!set) return nullptr;
    return m.domain == DVD_DOMAIN_VideoTitleSetMenu ? &set->menuSubpictures : &set->subpictures;
}

}  // namespace

bool Navigator::PicturePoint(POINT window, POINT& picture) {
    // Mouse messages over the picture come from the renderer's window (its message drain passes
    // them on as they are): the point is in that window's client area, where the renderer draws
    // its source rectangle of the picture into its destination rectangle.
    Box destination, source;
    IPin* peer = nullptr;
    if (SUCCEEDED(mVideoPin.ConnectedTo(&peer))) {
        PIN_INFO info{};
        if (SUCCEEDED(peer->QueryPinInfo(&info)) && info.pFilter) {
            IBasicVideo* video = nullptr;
            if (SUCCEEDED(info.pFilter->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video)))) {
                if (FAILED(video->GetDestinationPosition(&destination.left, &destination.top,
                                                         &destination.width, &destination.height)))
                    destination = Box{};
                if (FAILED(
                        video->GetSourcePosition(&source.left, &source.top, &source.width, &source.height)))
                    source = Box{};
                video->Release();
            }
            info.pFilter->Release();
        }
        peer->Release();
    }
    if (source.width <= 0 || source.height <= 0) source = Box{0, 0, mWidth, mHeight};
    if (destination.width <= 0 || destination.height <= 0) {
        // No renderer to ask: the point is taken as a picture point.
        picture = window;
        return window.x >= 0 && window.y >= 0 && window.x < mWidth && window.y < mHeight;
    }
    long x = 0, y = 0;
    if (!WindowToPicture(window.x, window.y, destination, source, x, y)) return false;
    picture.x = x;
    picture.y = y;
    return true;
}

unsigned Navigator::ButtonAt(POINT p) const {
    return static_cast<unsigned>(navigator::ButtonAt(mModel.buttons, p.x, p.y));
}

HRESULT Info::QueryInterface(REFIID iid, void** out) {
    return mNav.QueryInterface(iid, out);
}
ULONG Info::AddRef() {
    return mNav.AddRef();
}
ULONG Info::Release() {
    return mNav.Release();
}

#define MODEL                     \
    Lock lock_(mNav.mModelLock);  \
    const Model& m = mNav.mModel; \
    (void)m

HRESULT Info::GetCurrentDomain(DVD_DOMAIN* domain) {
    if (!domain) return E_POINTER;
    MODEL;
    *domain = static_cast<DVD_DOMAIN>(m.shown.domain ? m.shown.domain : m.domain);
    return S_OK;
}

HRESULT Info::GetCurrentLocation(DVD_PLAYBACK_LOCATION2* location) {
    if (!location) return E_POINTER;
    MODEL;
    if (m.domain != DVD_DOMAIN_Title) return VFW_E_DVD_INVALIDDOMAIN;
    std::memset(location, 0, sizeof *location);
    location->TitleNum = m.shown.title ? m.shown.title : m.title;
    location->ChapterNum = m.shown.chapter ? m.shown.chapter : m.chapter;
    Hmsf t = MsToHmsf(m.shown.timeMs, m.shown.fps);
    location->TimeCode = DVD_HMSF_TIMECODE{t.hours, t.minutes, t.seconds, t.frames};
    location->TimeCodeFlags = m.shown.fps == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps;
    return S_OK;
}

HRESULT Info::GetTotalTitleTime(DVD_HMSF_TIMECODE* time, ULONG* flags) {
    if (!time) return E_POINTER;
    MODEL;
    const TitleFacts* t = m.domain == DVD_DOMAIN_Title ? CurrentTitle(m) : nullptr;
    if (!t) return VFW_E_DVD_INVALIDDOMAIN;
    Hmsf length = MsToHmsf(t->lengthMs, t->frameRate);
    *time = DVD_HMSF_TIMECODE{length.hours, length.minutes, length.seconds, length.frames};
    if (flags) *flags = t->frameRate == 30 ? DVD_TC_FLAG_30fps : DVD_TC_FLAG_25fps;
    return S_OK;
}

HRESULT Info::GetCurrentButton(ULONG* count, ULONG* current) {
    if (!count || !current) return E_POINTER;
    MODEL;
    // In every domain: where there are no buttons, both are 0.
    *count = m.buttonCount;
    *current = m.buttonCount ? m.button : 0;
    return S_OK;
}

HRESULT Info::GetCurrentAngle(ULONG* count, ULONG* current) {
    if (!count || !current) return E_POINTER;
    MODEL;
    if (m.domain != DVD_DOMAIN_Title) return VFW_E_DVD_INVALIDDOMAIN;
    *count = m.angleCount;
    *current = m.angle;
    return S_OK;
}

HRESULT Info::GetCurrentAudio(ULONG* count, ULONG* current) {
    if (!count || !current) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    *count = m.audioCount;
    *current = m.audio;
    return S_OK;
}

HRESULT Info::GetCurrentSubpicture(ULONG* count, ULONG* current, WINBOOL* disabled) {
    if (!count || !current || !disabled) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    *count = m.subpictureCount;
    *current = m.subpicture;
    // Whether the display is off, not on.
    *disabled = m.subpictureOn ? FALSE : TRUE;
    return S_OK;
}

HRESULT Info::GetCurrentUOPS(ULONG* uops) {
    if (!uops) return E_POINTER;
    MODEL;
    *uops = m.prohibited;
    return S_OK;
}

HRESULT Info::GetAllSPRMs(SPRMARRAY* regs) {
    if (!regs) return E_POINTER;
    MODEL;
    std::memcpy(regs, m.sprm, sizeof *regs);
    return S_OK;
}

HRESULT Info::GetAllGPRMs(GPRMARRAY* regs) {
    if (!regs) return E_POINTER;
    MODEL;
    std::memcpy(regs, m.gprm, sizeof *regs);
    return S_OK;
}

HRESULT Info::GetAudioLanguage(ULONG stream, LCID* language) {
    if (!language) return E_POINTER;
    MODEL;
    const auto* streams = AudioStreams(m);
    if (!m.hasDisc || !streams) return VFW_E_DVD_INVALID_DISC;
    if (stream == DVD_STREAM_DATA_CURRENT) stream = m.audio;
    if (stream >= streams->size()) return E_INVALIDARG;
    *language = LcidFromLanguageCode((*streams)[stream].language);
    return S_OK;
}

HRESULT Info::GetSubpictureLanguage(ULONG stream, LCID* language) {
    if (!language) return E_POINTER;
    MODEL;
    const auto* streams = SubpictureStreams(m);
    if (!m.hasDisc || !streams) return VFW_E_DVD_INVALID_DISC;
    if (stream == DVD_STREAM_DATA_CURRENT) stream = m.subpicture;
    if (stream >= streams->size()) return E_INVALIDARG;
    *language = LcidFromLanguageCode((*streams)[stream].language);
    return S_OK;
}

HRESULT Info::GetTitleAttributes(ULONG index, DVD_MenuAttributes* menu, DVD_TitleAttributes* title) {
    if (!menu || !title) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    ULONG t = index == DVD_TITLE_MENU ? m.title : index;
    if (index == DVD_TITLE_MENU && t == 0) t = 1;
    if (t < 1 || t > m.facts.titles.size()) return E_INVALIDARG;
    unsigned setNumber = m.facts.titles[t - 1].titleSet;
    if (setNumber < 1 || setNumber > m.facts.titleSets.size()) return E_INVALIDARG;
    const TitleSetAttributes& set = m.facts.titleSets[setNumber - 1];
    FillMenuAttributes(set.menuVideo, set.menuAudio, set.menuSubpictures, m.facts.regionMask, *menu);
    FillTitleAttributes(set, *title);
    // With DVD_EnableTitleLength (option 13) the application mode holds the title's length.
    if (m.options[13]) {
        const TitleFacts& tf = m.facts.titles[t - 1];
        Hmsf length = MsToHmsf(tf.lengthMs, tf.frameRate);
        DVD_HMSF_TIMECODE code{length.hours, length.minutes, length.seconds, length.frames};
        std::memcpy(&title->AppMode, &code, sizeof code);
    }
    return S_OK;
}

HRESULT Info::GetVMGAttributes(DVD_MenuAttributes* attr) {
    if (!attr) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    FillMenuAttributes(m.facts.managerMenuVideo, m.facts.managerMenuAudio, m.facts.managerMenuSubpictures,
                       m.facts.regionMask, *attr);
    return S_OK;
}

HRESULT Info::GetCurrentVideoAttributes(DVD_VideoAttributes* attr) {
    if (!attr) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    const TitleSetAttributes* set = CurrentSet(m);
    if (m.domain == DVD_DOMAIN_VideoManagerMenu || !set)
        FillVideoAttributes(m.facts.managerMenuVideo, *attr);
    else
        FillVideoAttributes(m.domain == DVD_DOMAIN_VideoTitleSetMenu ? set->menuVideo : set->video, *attr);
    return S_OK;
}

HRESULT Info::GetAudioAttributes(ULONG stream, DVD_AudioAttributes* attr) {
    if (!attr) return E_POINTER;
    MODEL;
    const auto* streams = AudioStreams(m);
    if (!m.hasDisc || !streams) return VFW_E_DVD_INVALID_DISC;
    if (stream == DVD_STREAM_DATA_CURRENT) stream = m.audio;
    if (stream >= streams->size()) return E_INVALIDARG;
    FillAudioAttributes((*streams)[stream], *attr);
    return S_OK;
}

HRESULT Info::GetKaraokeAttributes(ULONG stream, DVD_KaraokeAttributes* attr) {
    if (!attr) return E_POINTER;
    MODEL;
    const auto* streams = AudioStreams(m);
    if (!m.hasDisc || !streams) return VFW_E_DVD_INVALID_DISC;
    if (stream == DVD_STREAM_DATA_CURRENT) stream = m.audio;
    if (stream >= streams->size()) return E_INVALIDARG;
    if ((*streams)[stream].appMode != 1) return VFW_E_DVD_NOT_IN_KARAOKE_MODE;
    FillKaraokeAttributes((*streams)[stream], *attr);
    // The IFO gives no contents per channel; the platform then says so.
    return VFW_S_DVD_CHANNEL_CONTENTS_NOT_AVAILABLE;
}

HRESULT Info::GetSubpictureAttributes(ULONG stream, DVD_SubpictureAttributes* attr) {
    if (!attr) return E_POINTER;
    MODEL;
    const auto* streams = SubpictureStreams(m);
    if (!m.hasDisc || !streams) return VFW_E_DVD_INVALID_DISC;
    if (stream == DVD_STREAM_DATA_CURRENT) stream = m.subpicture;
    if (stream >= streams->size()) return E_INVALIDARG;
    FillSubpictureAttributes((*streams)[stream], *attr);
    return S_OK;
}

HRESULT Info::GetDVDVolumeInfo(ULONG* volumes, ULONG* current, DVD_DISC_SIDE* side, ULONG* titles) {
    if (!volumes || !current || !side || !titles) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    *volumes = m.facts.volumes;
    *current = m.facts.volume;
    *side = m.facts.side == 2 ? DVD_SIDE_B : DVD_SIDE_A;
    *titles = static_cast<ULONG>(m.facts.titles.size());
    return S_OK;
}

// Text data (TXTDT_MG) is seldom authored and libdvdread does not read its strings: a disc
// reports no text languages, which callers show as a disc without text.
HRESULT Info::GetDVDTextNumberOfLanguages(ULONG* count) {
    if (!count) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    *count = 0;
    return S_OK;
}

HRESULT Info::GetDVDTextLanguageInfo(ULONG, ULONG* strings, LCID* language, enum DVD_TextCharSet* charset) {
    if (!strings || !language || !charset) return E_POINTER;
    return E_INVALIDARG;
}

HRESULT Info::GetDVDTextStringAsNative(ULONG, ULONG, BYTE*, ULONG, ULONG* needed,
                                       enum DVD_TextStringType* type) {
    if (!needed || !type) return E_POINTER;
    return E_INVALIDARG;
}

HRESULT Info::GetDVDTextStringAsUnicode(ULONG, ULONG, WCHAR*, ULONG, ULONG* needed,
                                        enum DVD_TextStringType* type) {
    if (!needed || !type) return E_POINTER;
    return E_INVALIDARG;
}

HRESULT Info::GetPlayerParentalLevel(ULONG* level, BYTE country[2]) {
    if (!level) return E_POINTER;
    MODEL;
    *level = m.parentalLevel >= 1 && m.parentalLevel <= 8 ? m.parentalLevel : 0xffffffff;
    if (country) {
        country[0] = m.country[0];
        country[1] = m.country[1];
    }
    return S_OK;
}

HRESULT Info::GetNumberOfChapters(ULONG title, ULONG* count) {
    if (!count) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    if (title < 1 || title > m.facts.titles.size()) return E_INVALIDARG;
    *count = static_cast<ULONG>(m.facts.titles[title - 1].chapterStartMs.size());
    return S_OK;
}

HRESULT Info::GetTitleParentalLevels(ULONG title, ULONG* levels) {
    if (!levels) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    if (title < 1 || title > m.facts.titles.size()) return E_INVALIDARG;
    // DVD_PARENTAL_LEVEL_1 is 0x100, level n one bit above the one before.
    *levels = TitleParentalLevels(m.facts, title) << 8;
    return S_OK;
}

HRESULT Info::GetDVDDirectory(WCHAR* path, ULONG size, ULONG* needed) {
    if (!needed) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    ULONG length = static_cast<ULONG>(m.folder.size()) + 1;
    *needed = length;
    if (!path || size == 0) return S_OK;  // the caller asks for the size first
    if (size < length) return E_INVALIDARG;
    std::memcpy(path, m.folder.c_str(), length * sizeof(WCHAR));
    return S_OK;
}

HRESULT Info::IsAudioStreamEnabled(ULONG stream, WINBOOL* enable) {
    if (!enable) return E_POINTER;
    MODEL;
    if (stream >= 8) return E_INVALIDARG;
    *enable = stream < m.audioCount;
    return S_OK;
}

HRESULT Info::IsSubpictureStreamEnabled(ULONG stream, WINBOOL* enable) {
    if (!enable) return E_POINTER;
    MODEL;
    if (stream >= 32) return E_INVALIDARG;
    *enable = stream < m.subpictureCount;
    return S_OK;
}

HRESULT Info::GetDiscID(const WCHAR* path, ULONGLONG* id) {
    if (!id) return E_POINTER;
    if (!path) {
        MODEL;
        if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
        *id = m.facts.id;
        return S_OK;
    }
    std::string folder = VideoTsFolder(Utf8(path), [](const std::string& p) {
        DWORD a = ::GetFileAttributesW(Wide(p).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    DiscFacts facts;
    std::string why;
    if (!ReadDiscFacts(folder, facts, why)) return VFW_E_DVD_INVALID_DISC;
    *id = facts.id;
    return S_OK;
}

HRESULT Info::GetState(IDvdState** state) {
    if (!state) return E_POINTER;
    *state = nullptr;
    SavedState s;
    {
        MODEL;
        if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
        if (m.domain != DVD_DOMAIN_Title && !InMenu(m.domain)) return VFW_E_DVD_INVALIDDOMAIN;
        s.discId = m.facts.id;
        s.domain = static_cast<uint32_t>(m.domain);
        s.title = m.shown.title ? m.shown.title : m.title;
        s.chapter = m.shown.chapter ? m.shown.chapter : m.chapter;
        s.timeMs = static_cast<uint32_t>(m.shown.timeMs > 0 ? m.shown.timeMs : 0);
        s.audio = m.audio;
        s.subpicture = m.subpicture;
        s.subpictureOn = m.subpictureOn;
        s.angle = m.angle;
        s.menuButton = m.button;
        s.parentalLevel = m.parentalLevel >= 1 && m.parentalLevel <= 8 ? m.parentalLevel : 0xffffffff;
        if (s.title == 0) return VFW_E_DVD_INVALIDDOMAIN;  // nothing played yet to return to
    }
    return CreateDvdState(s, state);
}

HRESULT Info::GetMenuLanguages(LCID* languages, ULONG count, ULONG* found) {
    if (!found) return E_POINTER;
    MODEL;
    if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
    *found = static_cast<ULONG>(m.facts.menuLanguages.size());
    if (!languages) return S_OK;
    ULONG n = count < *found ? count : *found;
    for (ULONG i = 0; i < n; ++i)
        languages[i] = LcidFromLanguageCode(m.facts.menuLanguages[i]);
    *found = n;
    return S_OK;
}

HRESULT Info::GetButtonAtPosition(POINT point, ULONG* button) {
    if (!button) return E_POINTER;
    {
        MODEL;
        if (m.buttonCount == 0) return VFW_E_DVD_NO_BUTTON;
    }
    POINT p;
    if (!mNav.PicturePoint(point, p)) return VFW_E_DVD_NO_BUTTON;
    MODEL;
    unsigned found = mNav.ButtonAt(p);
    if (found == 0) return VFW_E_DVD_NO_BUTTON;  // the caller's value stays as it was
    *button = found;
    return S_OK;
}

HRESULT Info::GetCmdFromEvent(LONG_PTR param, IDvdCmd** cmd) {
    if (!cmd) return E_POINTER;
    *cmd = mNav.mCmdRegistry->Find(static_cast<uint32_t>(param));
    return *cmd ? S_OK : E_INVALIDARG;
}

HRESULT Info::GetDefaultMenuLanguage(LCID* language) {
    if (!language) return E_POINTER;
    MODEL;
    *language = m.menuLanguage;
    return S_OK;
}

HRESULT Info::GetDefaultAudioLanguage(LCID* language, DVD_AUDIO_LANG_EXT* ext) {
    if (!language || !ext) return E_POINTER;
    MODEL;
    *language = m.audioLanguage;
    *ext = m.audioExtension;
    return S_OK;
}

HRESULT Info::GetDefaultSubpictureLanguage(LCID* language, DVD_SUBPICTURE_LANG_EXT* ext) {
    if (!language || !ext) return E_POINTER;
    MODEL;
    *language = m.subpictureLanguage;
    *ext = m.subpictureExtension;
    return S_OK;
}

HRESULT Info::GetDecoderCaps(DVD_DECODER_CAPS* caps) {
    if (!caps) return E_POINTER;
    if (caps->dwSize < sizeof(DVD_DECODER_CAPS)) return E_INVALIDARG;
    caps->dwAudioCaps = DVD_AUDIO_CAPS_AC3 | DVD_AUDIO_CAPS_LPCM;
    // Scans step through pictures at any rate; sound plays at the normal rate only.
    caps->dFwdMaxRateVideo = 64;
    caps->dFwdMaxRateAudio = 1;
    caps->dFwdMaxRateSP = 1;
    caps->dBwdMaxRateVideo = 64;
    caps->dBwdMaxRateAudio = 0;
    caps->dBwdMaxRateSP = 0;
    return S_OK;
}

HRESULT Info::GetButtonRect(ULONG button, RECT* rect) {
    if (!rect) return E_POINTER;
    MODEL;
    // In picture coordinates (720 x 576 or 720 x 480), for the buttons there are now.
    if (m.buttons.empty()) return VFW_E_DVD_NO_BUTTON;
    if (button < 1 || button > m.buttons.size()) return E_INVALIDARG;
    const VmButton& b = m.buttons[button - 1];
    *rect = RECT{b.left, b.top, b.right + 1, b.bottom + 1};
    return S_OK;
}

#undef MODEL

}  // namespace navigator
