// The commands as the reading thread carries them out: each drives the virtual machine, then
// throws away what was decoded for the old place when it jumps.
#include <dvdevcod.h>

#include "DvdTime.h"
#include "Navigator.h"
#include "WideText.h"

namespace navigator {

void Navigator::DrainCommands() {
    while (CommandPtr c = mCommands.Pop()) {
        c->started.Set();
        if (c->notify) Notify(EC_DVD_CMD_START, static_cast<LONG_PTR>(c->id), 0);
        c->result = Execute(*c);
        if (c->notify) Notify(EC_DVD_CMD_END, static_cast<LONG_PTR>(c->id), c->result);
        c->ended.Set();
    }
}

namespace {

bool IsButton(Op op) {
    switch (op) {
        case Op::ButtonRelative:
        case Op::ButtonSelect:
        case Op::MouseSelect:
        case Op::ButtonActivate:
        case Op::ButtonSelectActivate:
        case Op::MouseActivate:
            return true;
        default:
            return false;
    }
}

bool IsJump(Op op) {
    switch (op) {
        case Op::PlayTitle:
        case Op::PlayChapterInTitle:
        case Op::PlayAtTimeInTitle:
        case Op::PlayAtTime:
        case Op::PlayChapter:
        case Op::PrevChapter:
        case Op::ReplayChapter:
        case Op::NextChapter:
        case Op::ShowMenu:
        case Op::Resume:
        case Op::GoUp:
        case Op::ChaptersAutoStop:
        case Op::PeriodAutoStop:
            return true;
        default:
            return false;
    }
}

}  // namespace

HRESULT Navigator::Execute(Command& c) {
    if (IsJump(c.op)) return ExecuteJump(c);
    if (IsButton(c.op)) return ExecuteButton(c);
    switch (c.op) {
        case Op::Rate:
            return ExecuteRate(c.rate);
        case Op::StillOff:
            if (mInStill) mStillEnd = true;
            return S_OK;
        case Op::Pause: {
            bool resume;
            {
                Lock lock(mModelLock);
                resume = mModel.dvdPaused && !c.a;
                mModel.dvdPaused = c.a != 0;
            }
            // What was queued before the pause is late now: play on from what is shown.
            if (resume) {
                int64_t at;
                {
                    Lock lock(mModelLock);
                    at = mModel.shown.timeMs;
                }
                if (mVm.TimeSearch(MsToTicks(at))) Discontinuity(true);
            }
            return S_OK;
        }
        case Op::SelectAudio:
            if (!mVm.SetAudio(c.a)) return E_FAIL;
            UpdateMachineModel();
            return S_OK;
        case Op::SelectSubpicture: {
            bool shown;
            mVm.ActiveSubpicture(shown);
            if (!mVm.SetSubpicture(c.a, shown)) return E_FAIL;
            UpdateMachineModel();
            return S_OK;
        }
        case Op::SubpictureOn: {
            // Until a stream is chosen the register names none (62): the display is switched
            // for the stream the machine would show, else the first.
            bool shown;
            int active = mVm.ActiveSubpicture(shown);
            int stream = mVm.SystemRegister(2) & 0x3f;
            if (stream > 31) stream = active >= 0 ? active : 0;
            if (!mVm.SetSubpicture(stream, c.a != 0)) return E_FAIL;
            UpdateMachineModel();
            return S_OK;
        }
        case Op::SelectAngle:
            if (!mVm.SetAngle(c.a)) return E_FAIL;
            UpdateMachineModel();
            return S_OK;
        case Op::SetState:
            return ExecuteSetState(c.state);
        case Op::SetGprm:
            if (!mVm.SetGeneralRegister(c.a, static_cast<uint16_t>(c.b))) return E_FAIL;
            UpdateMachineModel();
            return S_OK;
        case Op::Stop:
            if (mStarted || !mStopDomain) {
                DropPending();
                mVideo.Flush();
                mAudio.Flush();
                mVideoDecoder.Reset();
                mAudioDecoder.Reset();
                EnterStopDomain(false);
            }
            return S_OK;
        case Op::Directory:
            return LoadVolume(c.path, nullptr);
        case Op::Languages:
            mVm.SetLanguages(static_cast<uint16_t>(c.a), static_cast<uint16_t>(c.b),
                             static_cast<uint16_t>(c.c));
            return S_OK;
        case Op::ParentalLevel:
            mVm.SetParentalLevel(static_cast<unsigned>(c.a));
            return S_OK;
        case Op::ParentalCountry:
            mVm.SetParentalCountry(static_cast<char>(c.a >> 8), static_cast<char>(c.a & 0xff));
            return S_OK;
        default:
            return E_NOTIMPL;
    }
}

bool Navigator::LeaveForJump() {
    // A jump ends a still, a wait and a scan, and plays at the normal rate.
    if (mInStill) {
        mVm.LeaveStill();
        mInStill = false;
        {
            Lock lock(mModelLock);
            mModel.still = false;
        }
        QueueEvent(EC_DVD_STILL_OFF, 0, 0);
    }
    mInWait = false;
    bool rateChanged = mScanning || mSlowRate != 1.0;
    mScanning = false;
    mSlowRate = 1.0;
    mAutoStopMs = -1;
    mAutoStopChapterEnd = 0;
    Lock lock(mModelLock);
    mModel.rate = 1.0;
    mModel.dvdPaused = false;
    return rateChanged;
}

void Navigator::AfterJump(bool rateChanged) {
    // A command from the stop domain starts the machine where it says.
    if (mStopDomain) {
        mStopDomain = false;
        mRestart = false;
        mStarted = true;
        mCopyProtected = false;
    }
    Discontinuity(true);
    if (rateChanged) SendEvent(EC_DVD_PLAYBACK_RATE_CHANGE, 10000, 0);
}

HRESULT Navigator::ExecuteButton(Command& c) {
    int current = 0;
    if (mVm.Buttons(current) == 0) return VFW_E_DVD_NO_BUTTON;
    unsigned jumps = mVm.Jumps();
    bool activate =
        c.op == Op::ButtonActivate || c.op == Op::ButtonSelectActivate || c.op == Op::MouseActivate;
    bool done = false;
    switch (c.op) {
        case Op::ButtonRelative:
            done = c.a == DVD_Relative_Upper   ? mVm.SelectUpper()
                   : c.a == DVD_Relative_Lower ? mVm.SelectLower()
                   : c.a == DVD_Relative_Left  ? mVm.SelectLeft()
                                               : mVm.SelectRight();
            break;
        case Op::ButtonSelect:
        case Op::ButtonSelectActivate:
            done = mVm.SelectButton(c.a);
            break;
        case Op::MouseSelect:
        case Op::MouseActivate:
            done = mVm.MouseSelect(c.a, c.b);
            break;
        case Op::ButtonActivate:
            done = current > 0;
            break;
        default:
            break;
    }
    if (done && activate && mVm.Jumps() == jumps) {
        UpdateMachineModel();
        ShowActivated();
        done = mVm.Activate();
    }
    if (mVm.Jumps() != jumps) {
        // The button's command (or an automatic action on selection) went elsewhere.
        AfterJump(LeaveForJump());
        UpdateMachineModel();
        return S_OK;
    }
    // Only the selection changed, or the command set registers: the same picture, redrawn.
    UpdateMachineModel();
    Redraw(activate);
    if (done) return S_OK;
    return c.op == Op::ButtonSelectActivate ? E_UNEXPECTED : VFW_E_DVD_NO_BUTTON;
}

HRESULT Navigator::ExecuteJump(Command& c) {
    bool rateChanged = LeaveForJump();
    bool done = false;
    switch (c.op) {
        case Op::PlayTitle:
            done = mVm.PlayTitle(c.a);
            break;
        case Op::PlayChapterInTitle:
            done = mVm.PlayPart(c.a, c.b);
            break;
        case Op::ChaptersAutoStop:
            done = mVm.PlayPart(c.a, c.b);
            if (done) {
                mAutoStopChapterEnd = static_cast<unsigned>(c.b + c.c);
                mAutoStopEvent = EC_DVD_CHAPTER_AUTOSTOP;
            }
            break;
        case Op::PlayAtTimeInTitle:
        case Op::PeriodAutoStop:
            done = mVm.PlayPart(c.a, 1) && mVm.TimeSearch(MsToTicks(c.ms));
            if (done && c.op == Op::PeriodAutoStop) {
                mAutoStopMs = c.endMs;
                mAutoStopEvent = EC_DVD_PLAYPERIOD_AUTOSTOP;
            }
            break;
        case Op::PlayAtTime:
            done = mVm.TimeSearch(MsToTicks(c.ms));
            break;
        case Op::PlayChapter:
            done = mVm.PartSearch(c.a);
            break;
        case Op::PrevChapter:
            done = mVm.PrevChapter();
            break;
        case Op::ReplayChapter:
            done = mVm.TopChapter();
            break;
        case Op::NextChapter:
            done = mVm.NextChapter();
            break;
        case Op::ShowMenu:
            done = mVm.MenuCall(c.a);
            break;
        case Op::Resume:
            done = mVm.MenuCall(0);  // from a menu, the escape call resumes the title
            break;
        case Op::GoUp:
            done = mVm.GoUp();
            break;
        default:
            break;
    }
    if (!done) {
        if (c.op == Op::PrevChapter || c.op == Op::NextChapter) return E_INVALIDARG;
        return c.op == Op::ShowMenu ? VFW_E_DVD_MENU_DOES_NOT_EXIST : E_FAIL;
    }
    AfterJump(rateChanged);
    return S_OK;
}

HRESULT Navigator::ExecuteRate(double rate) {
    int64_t at;
    double before;
    {
        Lock lock(mModelLock);
        at = mModel.shown.timeMs;
        before = mModel.rate;
        mModel.rate = rate;
        mModel.dvdPaused = false;
    }
    if (rate == before) return S_OK;
    if (rate > 1.0 || rate < 0) {
        mScanning = true;
        mScanRate = rate;
        mScanMs = at;
        mScanTick = 0;
        mSlowRate = 1.0;
        Discontinuity(true);
    } else {
        // Normal or slow: play on from the picture shown.
        mScanning = false;
        mSlowRate = rate;
        if (mVm.TimeSearch(MsToTicks(at))) Discontinuity(true);
    }
    SendEvent(EC_DVD_PLAYBACK_RATE_CHANGE, static_cast<LONG_PTR>(rate * 10000), 0);
    return S_OK;
}

HRESULT Navigator::ExecuteSetState(const SavedState& s) {
    if (mInStill) {
        mVm.LeaveStill();
        mInStill = false;
    }
    if (!mVm.PlayPart(static_cast<int>(s.title), 1)) return E_FAIL;
    if (s.timeMs > 0) mVm.TimeSearch(MsToTicks(s.timeMs));
    if (s.audio < 8) mVm.SetAudio(static_cast<int>(s.audio));
    if (s.subpicture < 32) mVm.SetSubpicture(static_cast<int>(s.subpicture), s.subpictureOn != 0);
    if (s.angle >= 1 && s.angle <= 9) mVm.SetAngle(static_cast<int>(s.angle));
    {
        Lock lock(mModelLock);
        mModel.rate = 1.0;
        mModel.dvdPaused = false;
    }
    mScanning = false;
    mSlowRate = 1.0;
    if (mStopDomain) {
        mStopDomain = false;
        mRestart = false;
        mStarted = true;
    }
    Discontinuity(true);
    UpdateMachineModel();
    return S_OK;
}

HRESULT Navigator::LoadVolume(const std::wstring& path, std::string* why) {
    std::string folder = VideoTsFolder(Utf8(path), [](const std::string& p) {
        DWORD a = ::GetFileAttributesW(Wide(p).c_str());
        return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY) != 0;
    });
    {
        // The volume already open stays as it is.
        Lock lock(mModelLock);
        if (mModel.hasDisc && Utf8(mModel.folder) == folder) return S_OK;
    }
    DiscFacts facts;
    std::string reason;
    if (folder.empty() || !ReadDiscFacts(folder, facts, reason)) {
        if (why) *why = reason;
        return E_INVALIDARG;
    }
    if (!mVm.Open(folder, reason)) {
        if (why) *why = reason;
        return E_INVALIDARG;
    }
    {
        Lock lock(mModelLock);
        mModel.hasDisc = true;
        mModel.folder = Wide(folder);
        mModel.facts = std::move(facts);
        mModel.domain = DVD_DOMAIN_Stop;
        mModel.title = mModel.chapter = 0;
        mModel.canResume = false;
        mVm.SetParentalLevel(mModel.parentalLevel);
        mVm.SetParentalCountry(static_cast<char>(mModel.country[0]), static_cast<char>(mModel.country[1]));
    }
    mStarted = false;
    mRestart = false;
    mStopDomain = true;
    mCopyProtected = false;
    mLastDomain = DVD_DOMAIN_Stop;
    mLastTitle = mLastPart = -1;
    return S_OK;
}

}  // namespace navigator
