// IDvdControl2 on the caller's thread: each command is checked against the domain, the disc's
// user-operation mask and its own limits, then handed to the reading thread. DVD_CMD_FLAG_Block
// and IDvdCmd::WaitForEnd wait until that thread has carried it out.
#include <dvdevcod.h>

#include "DvdStateObject.h"
#include "DvdTime.h"
#include "Languages.h"
#include "Navigator.h"
#include "UserOps.h"
#include "WideText.h"

namespace navigator {

namespace {

CommandPtr NewCommand(Op op, int a = 0, int b = 0, int c = 0) {
    auto command = std::make_shared<Command>();
    command->op = op;
    command->a = a;
    command->b = b;
    command->c = c;
    return command;
}

bool InMenu(DVD_DOMAIN d) {
    return d == DVD_DOMAIN_VideoManagerMenu || d == DVD_DOMAIN_VideoTitleSetMenu;
}

}  // namespace

HRESULT Navigator::Submit(const CommandPtr& command, DWORD flags, IDvdCmd** cmd) {
    command->id = mCmdRegistry->NextId();
    if (cmd) {
        command->notify = true;
        *cmd = NewDvdCmd(command, mCmdRegistry);
    }
    mCommands.Push(command);
    if (!(flags & DVD_CMD_FLAG_Block)) return S_OK;
    if (!command->ended.Wait(kCommandWaitMs)) return VFW_E_TIMEOUT;
    return command->result;
}

HRESULT Navigator::Check(uint32_t operations, bool titleOnly, bool menuOnly) {
    Lock lock(mModelLock);
    if (!mModel.hasDisc) return VFW_E_DVD_INVALID_DISC;
    if (titleOnly && mModel.domain != DVD_DOMAIN_Title) return VFW_E_DVD_INVALIDDOMAIN;
    if (menuOnly && !InMenu(mModel.domain)) return VFW_E_DVD_INVALIDDOMAIN;
    if (uop::Prohibited(mModel.prohibited, operations)) return VFW_E_DVD_OPERATION_INHIBITED;
    return S_OK;
}

HRESULT Navigator::CheckButtons(bool anyDomain) {
    Lock lock(mModelLock);
    if (!mModel.hasDisc) return VFW_E_DVD_INVALID_DISC;
    DVD_DOMAIN d = mModel.domain;
    bool domainOk = anyDomain ? d != DVD_DOMAIN_Stop : d == DVD_DOMAIN_Title || InMenu(d);
    if (!domainOk) return VFW_E_DVD_INVALIDDOMAIN;
    if (uop::Prohibited(mModel.prohibited, uop::kButton)) return VFW_E_DVD_OPERATION_INHIBITED;
    if (mModel.buttonCount == 0) return VFW_E_DVD_NO_BUTTON;
    return S_OK;
}

HRESULT Navigator::CheckMenuExists(int menuId) {
    Lock lock(mModelLock);
    const Model& m = mModel;
    // The title menu is the video manager's; the others are the title set's that the machine
    // has loaded (none before it has been in one).
    if (menuId == DVD_MENU_Title)
        return (m.facts.managerMenus >> DVD_MENU_Title) & 1 ? S_OK : VFW_E_DVD_MENU_DOES_NOT_EXIST;
    unsigned set = m.menuTitleSet;
    if (set < 1 || set > m.facts.titleSets.size()) return VFW_E_DVD_MENU_DOES_NOT_EXIST;
    return (m.facts.titleSets[set - 1].menus >> menuId) & 1 ? S_OK : VFW_E_DVD_MENU_DOES_NOT_EXIST;
}

HRESULT Control::QueryInterface(REFIID iid, void** out) {
    return mNav.QueryInterface(iid, out);
}
ULONG Control::AddRef() {
    return mNav.AddRef();
}
ULONG Control::Release() {
    return mNav.Release();
}

#define CLEAR_CMD \
    if (cmd) *cmd = nullptr

HRESULT Control::PlayTitle(ULONG title, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kTitlePlay, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (title < 1 || title > mNav.mModel.facts.titles.size()) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::PlayTitle, static_cast<int>(title)), flags, cmd);
}

HRESULT Control::PlayChapterInTitle(ULONG title, ULONG chapter, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kChapterPlay, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        const auto& titles = mNav.mModel.facts.titles;
        if (title < 1 || title > titles.size()) return E_INVALIDARG;
        if (chapter < 1 || chapter > titles[title - 1].chapterStartMs.size()) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::PlayChapterInTitle, static_cast<int>(title), static_cast<int>(chapter)),
                       flags, cmd);
}

HRESULT Control::PlayAtTimeInTitle(ULONG title, DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (!time) return E_POINTER;
    if (HRESULT hr = mNav.Check(uop::kTitleOrTimePlay, false, false); FAILED(hr)) return hr;
    int64_t ms;
    {
        Lock lock(mNav.mModelLock);
        const auto& titles = mNav.mModel.facts.titles;
        if (title < 1 || title > titles.size()) return E_INVALIDARG;
        unsigned fps = titles[title - 1].frameRate;
        Hmsf t{time->bHours, time->bMinutes, time->bSeconds, time->bFrames};
        if (!HmsfValid(t, fps)) return E_INVALIDARG;
        ms = HmsfToMs(t, fps);
        if (ms >= titles[title - 1].lengthMs) return E_INVALIDARG;
    }
    CommandPtr c = NewCommand(Op::PlayAtTimeInTitle, static_cast<int>(title));
    c->ms = ms;
    return mNav.Submit(c, flags, cmd);
}

HRESULT Control::Stop() {
    if (HRESULT hr = mNav.Check(uop::kStop, false, false); FAILED(hr) && hr != VFW_E_DVD_INVALID_DISC)
        return hr;
    // Synchronous: a caller stops the navigator to change its directory right after.
    CommandPtr c = NewCommand(Op::Stop);
    return mNav.Submit(c, DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::ReturnFromSubmenu(DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kGoUp, false, true); FAILED(hr)) return hr;
    return mNav.Submit(NewCommand(Op::GoUp), flags, cmd);
}

HRESULT Control::PlayAtTime(DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (!time) return E_POINTER;
    if (HRESULT hr = mNav.Check(uop::kTimeOrChapterSearch, true, false); FAILED(hr)) return hr;
    int64_t ms;
    {
        Lock lock(mNav.mModelLock);
        const Model& m = mNav.mModel;
        if (m.title < 1 || m.title > m.facts.titles.size()) return VFW_E_DVD_INVALIDDOMAIN;
        const TitleFacts& t = m.facts.titles[m.title - 1];
        Hmsf code{time->bHours, time->bMinutes, time->bSeconds, time->bFrames};
        if (!HmsfValid(code, t.frameRate)) return E_INVALIDARG;
        ms = HmsfToMs(code, t.frameRate);
        if (ms >= t.lengthMs) return E_INVALIDARG;
    }
    CommandPtr c = NewCommand(Op::PlayAtTime);
    c->ms = ms;
    return mNav.Submit(c, flags, cmd);
}

HRESULT Control::PlayChapter(ULONG chapter, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kTimeOrChapterSearch, true, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        const Model& m = mNav.mModel;
        if (m.title < 1 || m.title > m.facts.titles.size()) return VFW_E_DVD_INVALIDDOMAIN;
        if (chapter < 1 || chapter > m.facts.titles[m.title - 1].chapterStartMs.size()) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::PlayChapter, static_cast<int>(chapter)), flags, cmd);
}

HRESULT Control::PlayPrevChapter(DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kPrevOrTopChapter, true, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.mModel.chapter <= 1) return E_INVALIDARG;  // there is none before the first
    }
    return mNav.Submit(NewCommand(Op::PrevChapter), flags, cmd);
}

HRESULT Control::ReplayChapter(DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kPrevOrTopChapter, true, false); FAILED(hr)) return hr;
    return mNav.Submit(NewCommand(Op::ReplayChapter), flags, cmd);
}

HRESULT Control::PlayNextChapter(DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kNextChapter, true, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        const Model& m = mNav.mModel;
        if (m.title < 1 || m.title > m.facts.titles.size()) return VFW_E_DVD_INVALIDDOMAIN;
        if (m.chapter >= m.facts.titles[m.title - 1].chapterStartMs.size()) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::NextChapter), flags, cmd);
}

HRESULT Control::PlayForwards(double speed, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (!(speed > 0) || speed > 64) return E_INVALIDARG;
    if (HRESULT hr = mNav.Check(speed == 1.0 ? 0 : uop::kForwardScan, true, false); FAILED(hr)) return hr;
    CommandPtr c = NewCommand(Op::Rate);
    c->rate = speed;
    return mNav.Submit(c, flags, cmd);
}

HRESULT Control::PlayBackwards(double speed, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (!(speed > 0) || speed > 64) return E_INVALIDARG;
    if (HRESULT hr = mNav.Check(uop::kBackwardScan, true, false); FAILED(hr)) return hr;
    CommandPtr c = NewCommand(Op::Rate);
    c->rate = -speed;
    return mNav.Submit(c, flags, cmd);
}

HRESULT Control::ShowMenu(DVD_MENU_ID id, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    uint32_t operation = uop::MenuCall(static_cast<int>(id));
    if (!operation) return E_INVALIDARG;
    {
        // Menus are called from a title or another menu, not before the disc has started.
        Lock lock(mNav.mModelLock);
        DVD_DOMAIN d = mNav.mModel.domain;
        if (mNav.mModel.hasDisc && d != DVD_DOMAIN_Title && !InMenu(d)) return VFW_E_DVD_INVALIDDOMAIN;
    }
    if (HRESULT hr = mNav.Check(operation, false, false); FAILED(hr)) return hr;
    if (HRESULT hr = mNav.CheckMenuExists(static_cast<int>(id)); FAILED(hr)) return hr;
    return mNav.Submit(NewCommand(Op::ShowMenu, static_cast<int>(id)), flags, cmd);
}

HRESULT Control::Resume(DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kResume, false, true); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (!mNav.mModel.canResume) return VFW_E_DVD_NO_RESUME_INFORMATION;
    }
    return mNav.Submit(NewCommand(Op::Resume), flags, cmd);
}

HRESULT Control::SelectRelativeButton(DVD_RELATIVE_BUTTON button) {
    if (button < DVD_Relative_Upper || button > DVD_Relative_Right) return E_INVALIDARG;
    if (HRESULT hr = mNav.CheckButtons(false); FAILED(hr)) return hr;
    return mNav.Submit(NewCommand(Op::ButtonRelative, static_cast<int>(button)), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::ActivateButton() {
    if (HRESULT hr = mNav.CheckButtons(false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.mModel.button == 0) return VFW_E_DVD_NO_BUTTON;  // none is selected
    }
    return mNav.Submit(NewCommand(Op::ButtonActivate), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectButton(ULONG button) {
    if (button < 1 || button > 36) return E_INVALIDARG;
    if (HRESULT hr = mNav.CheckButtons(false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (button > mNav.mModel.buttonCount) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::ButtonSelect, static_cast<int>(button)), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectAndActivateButton(ULONG button) {
    if (button < 1 || button > 36) return E_INVALIDARG;
    if (HRESULT hr = mNav.CheckButtons(false); FAILED(hr))
        return hr == VFW_E_DVD_NO_BUTTON ? E_INVALIDARG : hr;
    {
        Lock lock(mNav.mModelLock);
        if (button > mNav.mModel.buttonCount) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::ButtonSelectActivate, static_cast<int>(button)), DVD_CMD_FLAG_Block,
                       nullptr);
}

HRESULT Control::StillOff() {
    if (HRESULT hr = mNav.Check(uop::kStillOff, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (!mNav.mModel.still) return S_OK;  // nothing to end
        if (mNav.mModel.buttonCount > 0)
            return VFW_E_DVD_INVALIDDOMAIN;  // a menu's still ends by its buttons
    }
    return mNav.Submit(NewCommand(Op::StillOff), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::Pause(WINBOOL enable) {
    if (HRESULT hr = mNav.Check(enable ? uop::kPauseOn : 0, true, false); FAILED(hr)) return hr;
    return mNav.Submit(NewCommand(Op::Pause, enable ? 1 : 0), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectAudioStream(ULONG stream, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kAudioStream, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.mModel.domain == DVD_DOMAIN_Stop) return VFW_E_DVD_INVALIDDOMAIN;
        if (stream >= mNav.mModel.audioCount || stream > 7) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::SelectAudio, static_cast<int>(stream)), flags, cmd);
}

HRESULT Control::SelectSubpictureStream(ULONG stream, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kSubpictureStream, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.mModel.domain == DVD_DOMAIN_Stop) return VFW_E_DVD_INVALIDDOMAIN;
        if (stream >= mNav.mModel.subpictureCount || stream > 31) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::SelectSubpicture, static_cast<int>(stream)), flags, cmd);
}

HRESULT Control::SetSubpictureState(WINBOOL enable, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kSubpictureStream, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.mModel.domain == DVD_DOMAIN_Stop) return VFW_E_DVD_INVALIDDOMAIN;
    }
    return mNav.Submit(NewCommand(Op::SubpictureOn, enable ? 1 : 0), flags, cmd);
}

HRESULT Control::SelectAngle(ULONG angle, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kAngle, true, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        if (angle < 1 || angle > mNav.mModel.angleCount) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::SelectAngle, static_cast<int>(angle)), flags, cmd);
}

namespace {
// Player settings change only while nothing plays.
bool Settable(const Model& m) {
    return m.domain == DVD_DOMAIN_Stop || m.domain == DVD_DOMAIN_FirstPlay || !m.hasDisc;
}
}  // namespace

HRESULT Control::SelectParentalLevel(ULONG level) {
    if (level != 0xffffffff && (level < 1 || level > 8)) return E_INVALIDARG;
    {
        Lock lock(mNav.mModelLock);
        if (!Settable(mNav.mModel)) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mModel.parentalLevel = level == 0xffffffff ? 15 : level;
    }
    return mNav.Submit(NewCommand(Op::ParentalLevel, level == 0xffffffff ? 15 : static_cast<int>(level)),
                       DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectParentalCountry(BYTE country[2]) {
    if (!country) return E_POINTER;
    {
        Lock lock(mNav.mModelLock);
        if (!Settable(mNav.mModel)) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mModel.country[0] = country[0];
        mNav.mModel.country[1] = country[1];
    }
    return mNav.Submit(NewCommand(Op::ParentalCountry, country[0] << 8 | country[1]), DVD_CMD_FLAG_Block,
                       nullptr);
}

HRESULT Control::SelectKaraokeAudioPresentationMode(ULONG mode) {
    if (HRESULT hr = mNav.Check(uop::kKaraokeMode, false, false); FAILED(hr)) return hr;
    Lock lock(mNav.mModelLock);
    const Model& m = mNav.mModel;
    const TitleSetAttributes* set = m.titleSet >= 1 && m.titleSet <= m.facts.titleSets.size()
                                        ? &m.facts.titleSets[m.titleSet - 1]
                                        : nullptr;
    if (!set || m.audio >= set->audio.size() || set->audio[m.audio].appMode != 1)
        return VFW_E_DVD_NOT_IN_KARAOKE_MODE;
    // The channels are mixed down to two as decoded; the choice is kept and reported.
    mNav.mModel.karaokeMode = mode;
    return S_OK;
}

HRESULT Control::SelectVideoModePreference(ULONG mode) {
    if (mode > 3) return E_INVALIDARG;  // DVD_PREFERRED_DISPLAY_MODE
    Lock lock(mNav.mModelLock);
    mNav.mModel.videoModePreference = mode;
    return S_OK;
}

HRESULT Control::SetDVDDirectory(const WCHAR* path) {
    if (!path) return E_POINTER;
    {
        Lock lock(mNav.mModelLock);
        if (!Settable(mNav.mModel)) return VFW_E_DVD_INVALIDDOMAIN;
    }
    CommandPtr c = NewCommand(Op::Directory);
    c->path = path;
    return mNav.Submit(c, DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::ActivateAtPosition(POINT point) {
    if (HRESULT hr = mNav.CheckButtons(true); FAILED(hr)) return hr;
    POINT p;
    if (!mNav.PicturePoint(point, p)) return VFW_E_DVD_NO_BUTTON;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.ButtonAt(p) == 0) return VFW_E_DVD_NO_BUTTON;
    }
    return mNav.Submit(NewCommand(Op::MouseActivate, p.x, p.y), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectAtPosition(POINT point) {
    if (HRESULT hr = mNav.CheckButtons(true); FAILED(hr)) return hr;
    POINT p;
    if (!mNav.PicturePoint(point, p)) return VFW_E_DVD_NO_BUTTON;
    {
        Lock lock(mNav.mModelLock);
        if (mNav.ButtonAt(p) == 0) return VFW_E_DVD_NO_BUTTON;
    }
    return mNav.Submit(NewCommand(Op::MouseSelect, p.x, p.y), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::PlayChaptersAutoStop(ULONG title, ULONG chapter, ULONG count, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (HRESULT hr = mNav.Check(uop::kChapterPlay, false, false); FAILED(hr)) return hr;
    {
        Lock lock(mNav.mModelLock);
        const auto& titles = mNav.mModel.facts.titles;
        if (title < 1 || title > titles.size() || count < 1) return E_INVALIDARG;
        if (chapter < 1 || chapter > titles[title - 1].chapterStartMs.size()) return E_INVALIDARG;
    }
    return mNav.Submit(NewCommand(Op::ChaptersAutoStop, static_cast<int>(title), static_cast<int>(chapter),
                                  static_cast<int>(count)),
                       flags, cmd);
}

HRESULT Control::AcceptParentalLevelChange(WINBOOL) {
    // libdvdnav carries out a disc's temporary parental level change itself, without asking;
    // there is never a request pending to accept or refuse.
    return S_OK;
}

HRESULT Control::SetOption(DVD_OPTION_FLAG flag, WINBOOL option) {
    // The platform knows options 1 to 19 (the cross compiler's header names only the first four).
    if (flag < 1 || flag > 19) return E_INVALIDARG;
    Lock lock(mNav.mModelLock);
    mNav.mModel.options[flag] = option != FALSE;
    return S_OK;
}

HRESULT Control::SetState(IDvdState* state, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (!state) return E_POINTER;
    SavedState saved;
    if (!ReadDvdState(state, saved)) return VFW_E_DVD_STATE_CORRUPT;
    {
        Lock lock(mNav.mModelLock);
        const Model& m = mNav.mModel;
        if (!m.hasDisc) return VFW_E_DVD_INVALID_DISC;
        if (saved.discId != m.facts.id) return VFW_E_DVD_STATE_WRONG_DISC;
        if (saved.title < 1 || saved.title > m.facts.titles.size()) return VFW_E_DVD_STATE_CORRUPT;
    }
    CommandPtr c = NewCommand(Op::SetState);
    c->state = saved;
    return mNav.Submit(c, flags, cmd);
}

HRESULT Control::PlayPeriodInTitleAutoStop(ULONG title, DVD_HMSF_TIMECODE* start, DVD_HMSF_TIMECODE* end,
                                           DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (!start || !end) return E_POINTER;
    if (HRESULT hr = mNav.Check(uop::kTitleOrTimePlay, false, false); FAILED(hr)) return hr;
    CommandPtr c = NewCommand(Op::PeriodAutoStop, static_cast<int>(title));
    {
        Lock lock(mNav.mModelLock);
        const auto& titles = mNav.mModel.facts.titles;
        if (title < 1 || title > titles.size()) return E_INVALIDARG;
        unsigned fps = titles[title - 1].frameRate;
        Hmsf from{start->bHours, start->bMinutes, start->bSeconds, start->bFrames};
        Hmsf to{end->bHours, end->bMinutes, end->bSeconds, end->bFrames};
        if (!HmsfValid(from, fps) || !HmsfValid(to, fps)) return E_INVALIDARG;
        c->ms = HmsfToMs(from, fps);
        c->endMs = HmsfToMs(to, fps);
        if (c->ms >= c->endMs || c->ms >= titles[title - 1].lengthMs) return E_INVALIDARG;
    }
    return mNav.Submit(c, flags, cmd);
}

HRESULT Control::SetGPRM(ULONG index, WORD value, DWORD flags, IDvdCmd** cmd) {
    CLEAR_CMD;
    if (index >= 16) return E_INVALIDARG;
    return mNav.Submit(NewCommand(Op::SetGprm, static_cast<int>(index), value), flags, cmd);
}

HRESULT Control::SelectDefaultMenuLanguage(LCID language) {
    uint16_t code = LanguageCodeFromLcid(language);
    if (!code) return E_INVALIDARG;
    {
        Lock lock(mNav.mModelLock);
        if (!Settable(mNav.mModel)) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mModel.menuLanguage = language;
    }
    return mNav.Submit(NewCommand(Op::Languages, code, 0, 0), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectDefaultAudioLanguage(LCID language, DVD_AUDIO_LANG_EXT ext) {
    uint16_t code = LanguageCodeFromLcid(language);
    if (!code) return E_INVALIDARG;
    {
        Lock lock(mNav.mModelLock);
        if (!Settable(mNav.mModel)) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mModel.audioLanguage = language;
        mNav.mModel.audioExtension = ext;
    }
    return mNav.Submit(NewCommand(Op::Languages, 0, code, 0), DVD_CMD_FLAG_Block, nullptr);
}

HRESULT Control::SelectDefaultSubpictureLanguage(LCID language, DVD_SUBPICTURE_LANG_EXT ext) {
    uint16_t code = LanguageCodeFromLcid(language);
    if (!code) return E_INVALIDARG;
    {
        Lock lock(mNav.mModelLock);
        if (!Settable(mNav.mModel)) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mModel.subpictureLanguage = language;
        mNav.mModel.subpictureExtension = ext;
    }
    return mNav.Submit(NewCommand(Op::Languages, 0, 0, code), DVD_CMD_FLAG_Block, nullptr);
}

#undef CLEAR_CMD

}  // namespace navigator
