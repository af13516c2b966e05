// IDvdControl2 of the navigator double: every call is recorded, then answered from the model.
#include <cstdio>

#include "Navigator.h"

namespace dvdnav {

namespace {

const char* Tag(IDvdCmd** cmd) {
    return cmd ? " cmd" : "";
}

std::string TimeText(const DVD_HMSF_TIMECODE* t) {
    if (!t) return "(null)";
    char text[32];
    std::snprintf(text, sizeof text, "%u:%02u:%02u.%02u", t->bHours, t->bMinutes, t->bSeconds, t->bFrames);
    return text;
}

}  // namespace

HRESULT Navigator::Finish(HRESULT hr, DWORD flags, IDvdCmd** cmd) {
    if (FAILED(hr)) return hr;
    auto command = std::make_shared<navigator::Command>();
    command->id = mCmdRegistry->NextId();
    command->started.Set();  // the double acts when called
    {
        Guard g(*this);
        if (mScript.commandMs == 0)
            command->ended.Set();
        else
            mRunningCommands.emplace_back(command, ::GetTickCount() + mScript.commandMs);
    }
    if (cmd) *cmd = navigator::NewDvdCmd(command, mCmdRegistry, RecordCall);
    if (flags & DVD_CMD_FLAG_Block) command->ended.Wait(navigator::kCommandWaitMs);
    return hr;
}

void Navigator::EndDueCommands(bool all) {
    Guard g(*this);
    DWORD now = ::GetTickCount();
    for (auto it = mRunningCommands.begin(); it != mRunningCommands.end();) {
        if (all || static_cast<LONG>(it->second - now) <= 0) {
            it->first->ended.Set();
            it = mRunningCommands.erase(it);
        } else {
            ++it;
        }
    }
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

// The common start of a command: the out pointer cleared, then the script's answer if it has one.
#define SCRIPTED(name)       \
    if (cmd) *cmd = nullptr; \
    if (HRESULT s_; mNav.Scripted(name, false, s_)) return s_
#define SCRIPTED_NOCMD(name) \
    if (HRESULT s_; mNav.Scripted(name, false, s_)) return s_

HRESULT Control::PlayTitle(ULONG title, DWORD flags, IDvdCmd** cmd) {
    Record("PlayTitle %lu %lu%s", title, flags, Tag(cmd));
    SCRIPTED("PlayTitle");
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
        mNav.EnterTitle(title, 1, 0);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayChapterInTitle(ULONG title, ULONG chapter, DWORD flags, IDvdCmd** cmd) {
    Record("PlayChapterInTitle %lu %lu %lu%s", title, chapter, flags, Tag(cmd));
    SCRIPTED("PlayChapterInTitle");
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
        const auto& starts = mNav.mDisc.titles[title - 1].chapterStartMs;
        if (chapter < 1 || chapter > starts.size()) return E_INVALIDARG;
        mNav.EnterTitle(title, chapter, starts[chapter - 1]);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayAtTimeInTitle(ULONG title, DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) {
    Record("PlayAtTimeInTitle %lu %s %lu%s", title, TimeText(time).c_str(), flags, Tag(cmd));
    SCRIPTED("PlayAtTimeInTitle");
    if (!time) return E_POINTER;
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
        double ms = mNav.Ms(*time);
        if (ms >= mNav.mDisc.titles[title - 1].lengthMs) return E_INVALIDARG;
        mNav.EnterTitle(title, mNav.ChapterAt(title, ms), ms);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::Stop() {
    Record("Stop");
    SCRIPTED_NOCMD("Stop");
    Navigator::Guard g(mNav);
    mNav.mRate = 1.0;
    mNav.mStill = false;
    mNav.mCanResume = false;
    mNav.SetDomain(DVD_DOMAIN_Stop);
    return S_OK;
}

HRESULT Control::ReturnFromSubmenu(DWORD flags, IDvdCmd** cmd) {
    Record("ReturnFromSubmenu %lu%s", flags, Tag(cmd));
    SCRIPTED("ReturnFromSubmenu");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
        // The menus have no submenus: the root menu is as far back as one goes.
        mNav.EnterMenu(DVD_MENU_Root);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayAtTime(DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) {
    Record("PlayAtTime %s %lu%s", TimeText(time).c_str(), flags, Tag(cmd));
    SCRIPTED("PlayAtTime");
    if (!time) return E_POINTER;
    {
        Navigator::Guard g(mNav);
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        double ms = mNav.Ms(*time);
        if (time->bMinutes > 59 || time->bSeconds > 59 || ms >= mNav.CurrentTitle().lengthMs)
            return E_INVALIDARG;
        unsigned chapter = mNav.ChapterAt(mNav.mLoc.title, ms);
        mNav.mLoc.posMs = ms;
        mNav.mSecondsSent = -1;
        if (chapter != mNav.mLoc.chapter) {
            mNav.mLoc.chapter = chapter;
            mNav.Send(EC_DVD_CHAPTER_START, chapter, 0);
        }
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayChapter(ULONG chapter, DWORD flags, IDvdCmd** cmd) {
    Record("PlayChapter %lu %lu%s", chapter, flags, Tag(cmd));
    SCRIPTED("PlayChapter");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        const auto& starts = mNav.CurrentTitle().chapterStartMs;
        if (chapter < 1 || chapter > starts.size()) return E_INVALIDARG;
        mNav.EnterTitle(mNav.mLoc.title, chapter, starts[chapter - 1]);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayPrevChapter(DWORD flags, IDvdCmd** cmd) {
    Record("PlayPrevChapter %lu%s", flags, Tag(cmd));
    SCRIPTED("PlayPrevChapter");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        if (mNav.mLoc.chapter <= 1) return E_INVALIDARG;
        unsigned chapter = mNav.mLoc.chapter - 1;
        mNav.EnterTitle(mNav.mLoc.title, chapter, mNav.CurrentTitle().chapterStartMs[chapter - 1]);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::ReplayChapter(DWORD flags, IDvdCmd** cmd) {
    Record("ReplayChapter %lu%s", flags, Tag(cmd));
    SCRIPTED("ReplayChapter");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        unsigned chapter = mNav.mLoc.chapter;
        mNav.EnterTitle(mNav.mLoc.title, chapter, mNav.CurrentTitle().chapterStartMs[chapter - 1]);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayNextChapter(DWORD flags, IDvdCmd** cmd) {
    Record("PlayNextChapter %lu%s", flags, Tag(cmd));
    SCRIPTED("PlayNextChapter");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        const auto& starts = mNav.CurrentTitle().chapterStartMs;
        if (mNav.mLoc.chapter >= starts.size()) return E_INVALIDARG;
        unsigned chapter = mNav.mLoc.chapter + 1;
        mNav.EnterTitle(mNav.mLoc.title, chapter, starts[chapter - 1]);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayForwards(double speed, DWORD flags, IDvdCmd** cmd) {
    Record("PlayForwards %g %lu%s", speed, flags, Tag(cmd));
    SCRIPTED("PlayForwards");
    {
        Navigator::Guard g(mNav);
        if (!(speed > 0)) return E_INVALIDARG;
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mDvdPaused = false;
        if (mNav.mRate != speed) {
            mNav.mRate = speed;
            mNav.Send(EC_DVD_PLAYBACK_RATE_CHANGE, static_cast<LONG_PTR>(speed * 10000), 0);
        }
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayBackwards(double speed, DWORD flags, IDvdCmd** cmd) {
    Record("PlayBackwards %g %lu%s", speed, flags, Tag(cmd));
    SCRIPTED("PlayBackwards");
    {
        Navigator::Guard g(mNav);
        if (!(speed > 0)) return E_INVALIDARG;
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mDvdPaused = false;
        mNav.mRate = -speed;
        mNav.Send(EC_DVD_PLAYBACK_RATE_CHANGE, static_cast<LONG_PTR>(-speed * 10000), 0);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::ShowMenu(DVD_MENU_ID id, DWORD flags, IDvdCmd** cmd) {
    Record("ShowMenu %d %lu%s", static_cast<int>(id), flags, Tag(cmd));
    SCRIPTED("ShowMenu");
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (id != DVD_MENU_Title && id != DVD_MENU_Root) {
            if (id < DVD_MENU_Title || id > DVD_MENU_Chapter) return E_INVALIDARG;
            return VFW_E_DVD_MENU_DOES_NOT_EXIST;
        }
        if (!mNav.InTitle() && !mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.EnterMenu(id);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::Resume(DWORD flags, IDvdCmd** cmd) {
    Record("Resume %lu%s", flags, Tag(cmd));
    SCRIPTED("Resume");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
        if (!mNav.mCanResume) return VFW_E_DVD_NO_RESUME_INFORMATION;
        Location back = mNav.mResume;
        mNav.mCanResume = false;
        mNav.EnterTitle(back.title, back.chapter, back.posMs);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SelectRelativeButton(DVD_RELATIVE_BUTTON button) {
    Record("SelectRelativeButton %d", static_cast<int>(button));
    SCRIPTED_NOCMD("SelectRelativeButton");
    Navigator::Guard g(mNav);
    if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    unsigned n = mNav.MenuButtons(), cols = n < 6 ? n : 6, b = mNav.mLoc.menuButton;
    switch (button) {
        case DVD_Relative_Left:
            b = b > 1 ? b - 1 : b;
            break;
        case DVD_Relative_Right:
            b = b < n ? b + 1 : b;
            break;
        case DVD_Relative_Upper:
            b = b > cols ? b - cols : b;
            break;
        case DVD_Relative_Lower:
            b = b + cols <= n ? b + cols : b;
            break;
        default:
            return E_INVALIDARG;
    }
    if (b != mNav.mLoc.menuButton) {
        mNav.mLoc.menuButton = b;
        mNav.Send(EC_DVD_BUTTON_CHANGE, n, b);
    }
    return S_OK;
}

HRESULT Control::ActivateButton() {
    Record("ActivateButton");
    SCRIPTED_NOCMD("ActivateButton");
    Navigator::Guard g(mNav);
    if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    // Button i plays title i, wrapping over the titles when the menu has more buttons.
    unsigned title = (mNav.mLoc.menuButton - 1) % static_cast<unsigned>(mNav.mDisc.titles.size()) + 1;
    mNav.mCanResume = false;
    mNav.EnterTitle(title, 1, 0);
    return S_OK;
}

HRESULT Control::SelectButton(ULONG button) {
    Record("SelectButton %lu", button);
    SCRIPTED_NOCMD("SelectButton");
    Navigator::Guard g(mNav);
    if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    if (button < 1 || button > mNav.MenuButtons()) return E_INVALIDARG;
    if (button != mNav.mLoc.menuButton) {
        mNav.mLoc.menuButton = button;
        mNav.Send(EC_DVD_BUTTON_CHANGE, mNav.MenuButtons(), button);
    }
    return S_OK;
}

HRESULT Control::SelectAndActivateButton(ULONG button) {
    Record("SelectAndActivateButton %lu", button);
    SCRIPTED_NOCMD("SelectAndActivateButton");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
        if (button < 1 || button > mNav.MenuButtons()) return E_INVALIDARG;
        mNav.mLoc.menuButton = button;
    }
    return ActivateButton();
}

HRESULT Control::StillOff() {
    Record("StillOff");
    SCRIPTED_NOCMD("StillOff");
    Navigator::Guard g(mNav);
    if (mNav.mStill) mNav.Send(EC_DVD_STILL_OFF, 0, 0);
    return S_OK;
}

HRESULT Control::Pause(WINBOOL enable) {
    Record("Pause %d", enable ? 1 : 0);
    SCRIPTED_NOCMD("Pause");
    Navigator::Guard g(mNav);
    if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
    mNav.mDvdPaused = enable != FALSE;
    return S_OK;
}

HRESULT Control::SelectAudioStream(ULONG stream, DWORD flags, IDvdCmd** cmd) {
    Record("SelectAudioStream %lu %lu%s", stream, flags, Tag(cmd));
    SCRIPTED("SelectAudioStream");
    {
        Navigator::Guard g(mNav);
        if (mNav.mLoc.domain == DVD_DOMAIN_Stop) return VFW_E_DVD_INVALIDDOMAIN;
        if (stream >= mNav.mDisc.audio.size()) return E_INVALIDARG;
        mNav.mLoc.audio = stream;
        mNav.Send(EC_DVD_AUDIO_STREAM_CHANGE, stream, 0);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SelectSubpictureStream(ULONG stream, DWORD flags, IDvdCmd** cmd) {
    Record("SelectSubpictureStream %lu %lu%s", stream, flags, Tag(cmd));
    SCRIPTED("SelectSubpictureStream");
    {
        Navigator::Guard g(mNav);
        if (mNav.mLoc.domain == DVD_DOMAIN_Stop) return VFW_E_DVD_INVALIDDOMAIN;
        if (stream >= mNav.mDisc.subpictures.size()) return E_INVALIDARG;
        mNav.mLoc.subpicture = stream;
        mNav.Send(EC_DVD_SUBPICTURE_STREAM_CHANGE, stream, mNav.mLoc.subpictureOn);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SetSubpictureState(WINBOOL enable, DWORD flags, IDvdCmd** cmd) {
    Record("SetSubpictureState %d %lu%s", enable ? 1 : 0, flags, Tag(cmd));
    SCRIPTED("SetSubpictureState");
    {
        Navigator::Guard g(mNav);
        if (mNav.mLoc.domain == DVD_DOMAIN_Stop) return VFW_E_DVD_INVALIDDOMAIN;
        mNav.mLoc.subpictureOn = enable != FALSE;
        mNav.Send(EC_DVD_SUBPICTURE_STREAM_CHANGE, mNav.mLoc.subpicture, mNav.mLoc.subpictureOn);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SelectAngle(ULONG angle, DWORD flags, IDvdCmd** cmd) {
    Record("SelectAngle %lu %lu%s", angle, flags, Tag(cmd));
    SCRIPTED("SelectAngle");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InTitle()) return VFW_E_DVD_INVALIDDOMAIN;
        if (angle < 1 || angle > mNav.mScript.angles) return E_INVALIDARG;
        mNav.mLoc.angle = angle;
        mNav.Send(EC_DVD_ANGLE_CHANGE, mNav.mScript.angles, angle);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SelectParentalLevel(ULONG level) {
    Record("SelectParentalLevel %lu", level);
    SCRIPTED_NOCMD("SelectParentalLevel");
    Navigator::Guard g(mNav);
    // The level may change only while the navigator is stopped.
    if (mNav.mLoc.domain != DVD_DOMAIN_Stop && mNav.mFirstPlayDone) return VFW_E_DVD_INVALIDDOMAIN;
    if (level != 0xffffffff && (level < 1 || level > 8)) return E_INVALIDARG;
    mNav.mParentalLevel = level;
    return S_OK;
}

HRESULT Control::SelectParentalCountry(BYTE country[2]) {
    Record("SelectParentalCountry %c%c", country ? country[0] : '?', country ? country[1] : '?');
    SCRIPTED_NOCMD("SelectParentalCountry");
    if (!country) return E_POINTER;
    Navigator::Guard g(mNav);
    if (mNav.mLoc.domain != DVD_DOMAIN_Stop && mNav.mFirstPlayDone) return VFW_E_DVD_INVALIDDOMAIN;
    mNav.mCountry[0] = country[0];
    mNav.mCountry[1] = country[1];
    return S_OK;
}

HRESULT Control::SelectKaraokeAudioPresentationMode(ULONG mode) {
    Record("SelectKaraokeAudioPresentationMode %lu", mode);
    SCRIPTED_NOCMD("SelectKaraokeAudioPresentationMode");
    Navigator::Guard g(mNav);
    if (!mNav.mScript.karaoke.count(mNav.mLoc.audio)) return VFW_E_DVD_NOT_IN_KARAOKE_MODE;
    mNav.mKaraokeMode = mode;
    return S_OK;
}

HRESULT Control::SelectVideoModePreference(ULONG mode) {
    Record("SelectVideoModePreference %lu", mode);
    SCRIPTED_NOCMD("SelectVideoModePreference");
    return mode <= 3 ? S_OK : E_INVALIDARG;  // DVD_PREFERRED_DISPLAY_MODE: content default to 4:3 letterbox
}

HRESULT Control::SetDVDDirectory(const WCHAR* path) {
    Record("SetDVDDirectory %s", Utf8(path).c_str());
    SCRIPTED_NOCMD("SetDVDDirectory");
    if (!path) return E_POINTER;
    Navigator::Guard g(mNav);
    if (mNav.mLoc.domain != DVD_DOMAIN_Stop && mNav.mFirstPlayDone) return VFW_E_DVD_INVALIDDOMAIN;
    return mNav.LoadDisc(path) ? S_OK : E_INVALIDARG;
}

HRESULT Control::ActivateAtPosition(POINT point) {
    Record("ActivateAtPosition %ld %ld", point.x, point.y);
    SCRIPTED_NOCMD("ActivateAtPosition");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    }
    unsigned button = 0;
    if (!mNav.PictureButtonAt(point, button)) return VFW_E_DVD_NO_BUTTON;
    {
        Navigator::Guard g(mNav);
        mNav.mLoc.menuButton = button;
    }
    return ActivateButton();
}

HRESULT Control::SelectAtPosition(POINT point) {
    Record("SelectAtPosition %ld %ld", point.x, point.y);
    SCRIPTED_NOCMD("SelectAtPosition");
    {
        Navigator::Guard g(mNav);
        if (!mNav.InMenu()) return VFW_E_DVD_INVALIDDOMAIN;
    }
    unsigned button = 0;
    if (!mNav.PictureButtonAt(point, button)) return VFW_E_DVD_NO_BUTTON;
    Navigator::Guard g(mNav);
    if (button != mNav.mLoc.menuButton) {
        mNav.mLoc.menuButton = button;
        mNav.Send(EC_DVD_BUTTON_CHANGE, mNav.MenuButtons(), button);
    }
    return S_OK;
}

HRESULT Control::PlayChaptersAutoStop(ULONG title, ULONG chapter, ULONG count, DWORD flags, IDvdCmd** cmd) {
    Record("PlayChaptersAutoStop %lu %lu %lu %lu%s", title, chapter, count, flags, Tag(cmd));
    SCRIPTED("PlayChaptersAutoStop");
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
        const Title& t = mNav.mDisc.titles[title - 1];
        if (chapter < 1 || chapter > t.chapterStartMs.size() || count < 1) return E_INVALIDARG;
        mNav.EnterTitle(title, chapter, t.chapterStartMs[chapter - 1]);
        unsigned last = chapter - 1 + count;
        mNav.mAutoStopMs = last < t.chapterStartMs.size() ? t.chapterStartMs[last] : t.lengthMs - 1;
        mNav.mAutoStopEvent = EC_DVD_CHAPTER_AUTOSTOP;
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::AcceptParentalLevelChange(WINBOOL accept) {
    Record("AcceptParentalLevelChange %d", accept ? 1 : 0);
    SCRIPTED_NOCMD("AcceptParentalLevelChange");
    Navigator::Guard g(mNav);
    if (accept && mNav.mPendingParental) mNav.mParentalLevel = mNav.mPendingParental;
    mNav.mPendingParental = 0;
    return S_OK;
}

HRESULT Control::SetOption(DVD_OPTION_FLAG flag, WINBOOL option) {
    Record("SetOption %d %d", static_cast<int>(flag), option ? 1 : 0);
    SCRIPTED_NOCMD("SetOption");
    // The platform knows options 1 to 19 (the cross compiler's header names only the first four).
    if (flag < 1 || flag > 19) return E_INVALIDARG;
    Navigator::Guard g(mNav);
    mNav.mOptions[flag] = option != FALSE;
    return S_OK;
}

HRESULT Control::SetState(IDvdState* state, DWORD flags, IDvdCmd** cmd) {
    Record("SetState %lu%s", flags, Tag(cmd));
    SCRIPTED("SetState");
    if (!state) return E_POINTER;
    Location loc;
    unsigned long long disc = 0;
    if (!ReadDvdState(state, loc, disc)) return VFW_E_DVD_STATE_CORRUPT;
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (disc != mNav.mDisc.id) return VFW_E_DVD_STATE_WRONG_DISC;
        if (loc.title < 1 || loc.title > mNav.mDisc.titles.size()) return VFW_E_DVD_STATE_CORRUPT;
        mNav.mFirstPlayDone = true;
        mNav.mLoc.audio = loc.audio < mNav.mDisc.audio.size() ? loc.audio : 0;
        mNav.mLoc.subpicture = loc.subpicture < mNav.mDisc.subpictures.size() ? loc.subpicture : 0;
        mNav.mLoc.subpictureOn = loc.subpictureOn;
        mNav.mLoc.angle = loc.angle;
        double pos = loc.posMs < mNav.mDisc.titles[loc.title - 1].lengthMs ? loc.posMs : 0;
        mNav.EnterTitle(loc.title, mNav.ChapterAt(loc.title, pos), pos);
        if (loc.domain == DVD_DOMAIN_VideoManagerMenu || loc.domain == DVD_DOMAIN_VideoTitleSetMenu)
            mNav.EnterMenu(loc.domain == DVD_DOMAIN_VideoManagerMenu ? DVD_MENU_Title : DVD_MENU_Root);
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::PlayPeriodInTitleAutoStop(ULONG title, DVD_HMSF_TIMECODE* start, DVD_HMSF_TIMECODE* end,
                                           DWORD flags, IDvdCmd** cmd) {
    Record("PlayPeriodInTitleAutoStop %lu %s %s %lu%s", title, TimeText(start).c_str(), TimeText(end).c_str(),
           flags, Tag(cmd));
    SCRIPTED("PlayPeriodInTitleAutoStop");
    if (!start || !end) return E_POINTER;
    {
        Navigator::Guard g(mNav);
        if (!mNav.HasDisc()) return VFW_E_DVD_INVALID_DISC;
        if (title < 1 || title > mNav.mDisc.titles.size()) return E_INVALIDARG;
        double from = mNav.Ms(*start), to = mNav.Ms(*end);
        if (from >= to || from >= mNav.mDisc.titles[title - 1].lengthMs) return E_INVALIDARG;
        mNav.EnterTitle(title, mNav.ChapterAt(title, from), from);
        mNav.mAutoStopMs = to;
        mNav.mAutoStopEvent = EC_DVD_PLAYPERIOD_AUTOSTOP;
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SetGPRM(ULONG index, WORD value, DWORD flags, IDvdCmd** cmd) {
    Record("SetGPRM %lu %u %lu%s", index, value, flags, Tag(cmd));
    SCRIPTED("SetGPRM");
    if (index >= 16) return E_INVALIDARG;
    {
        Navigator::Guard g(mNav);
        mNav.mGprm[index] = value;
    }
    return mNav.Finish(S_OK, flags, cmd);
}

HRESULT Control::SelectDefaultMenuLanguage(LCID language) {
    Record("SelectDefaultMenuLanguage %lu", language);
    SCRIPTED_NOCMD("SelectDefaultMenuLanguage");
    Navigator::Guard g(mNav);
    if (mNav.mLoc.domain != DVD_DOMAIN_Stop && mNav.mFirstPlayDone) return VFW_E_DVD_INVALIDDOMAIN;
    mNav.mMenuLanguage = language;
    return S_OK;
}

HRESULT Control::SelectDefaultAudioLanguage(LCID language, DVD_AUDIO_LANG_EXT ext) {
    Record("SelectDefaultAudioLanguage %lu %d", language, static_cast<int>(ext));
    SCRIPTED_NOCMD("SelectDefaultAudioLanguage");
    Navigator::Guard g(mNav);
    if (mNav.mLoc.domain != DVD_DOMAIN_Stop && mNav.mFirstPlayDone) return VFW_E_DVD_INVALIDDOMAIN;
    mNav.mAudioLanguage = language;
    mNav.mAudioExt = ext;
    return S_OK;
}

HRESULT Control::SelectDefaultSubpictureLanguage(LCID language, DVD_SUBPICTURE_LANG_EXT ext) {
    Record("SelectDefaultSubpictureLanguage %lu %d", language, static_cast<int>(ext));
    SCRIPTED_NOCMD("SelectDefaultSubpictureLanguage");
    Navigator::Guard g(mNav);
    if (mNav.mLoc.domain != DVD_DOMAIN_Stop && mNav.mFirstPlayDone) return VFW_E_DVD_INVALIDDOMAIN;
    mNav.mSubpictureLanguage = language;
    mNav.mSubpictureExt = ext;
    return S_OK;
}

}  // namespace dvdnav
