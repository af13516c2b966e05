// The reading thread: libdvdnav's block loop, the demultiplexing and decoding of the chosen
// streams, the time stamps against the graph's clock, and the events of what the machine does.
#include <dvdevcod.h>

#include <algorithm>
#include <cstring>

#include "DvdTime.h"
#include "Navigator.h"
#include "ProgramStream.h"

namespace navigator {

namespace {

// How far ahead of the clock a picture is stamped after a jump while running, so that the
// first pictures and their sound are decoded before they are due.
constexpr REFERENCE_TIME kJumpLatency = 250 * 10000;
// A scan shows one picture per step.
constexpr DWORD kScanStepMs = 250;
constexpr int kScanBlocksPerStep = 1200;
// How often a still looks at the renderer's picture rectangle.
constexpr DWORD kStillLookMs = 200;

DVD_DOMAIN ToDomain(VmDomain d) {
    switch (d) {
        case VmDomain::FirstPlay:
            return DVD_DOMAIN_FirstPlay;
        case VmDomain::ManagerMenu:
            return DVD_DOMAIN_VideoManagerMenu;
        case VmDomain::TitleSetMenu:
            return DVD_DOMAIN_VideoTitleSetMenu;
        case VmDomain::Title:
            return DVD_DOMAIN_Title;
        case VmDomain::Stop:
            return DVD_DOMAIN_Stop;
    }
    return DVD_DOMAIN_Stop;
}

}  // namespace

DWORD WINAPI Navigator::ReaderMain(void* self) {
    static_cast<Navigator*>(self)->ReaderLoop();
    return 0;
}

void Navigator::WaitForWork(DWORD ms) {
    ::WaitForSingleObject(mCommands.Wake(), ms);
}

bool Navigator::CanRead() {
    if (mCopyProtected || mStopDomain || State() == State_Stopped) return false;
    Lock lock(mModelLock);
    return mModel.hasDisc && !mModel.dvdPaused;
}

void Navigator::ReaderLoop() {
    while (!mQuit) {
        // Cleared before looking, so that whatever signals from here on ends the next wait.
        mCommands.ClearWake();
        LONG stops;
        {
            Lock lock(mModelLock);
            stops = mGraphStops;
        }
        if (stops != mSeenStops) {
            mSeenStops = stops;
            mGraphWasStopped = true;
            OnGraphStopped();
        }
        if (State() != State_Stopped && mGraphWasStopped) {
            mGraphWasStopped = false;
            OnGraphStarted();
        }
        FILTER_STATE state = State();
        if (state == State_Paused && mLastState == State_Running && mInStill) Redraw(true);
        mLastState = state;
        DrainCommands();
        if ((!mPendingVideo.empty() || !mPendingAudio.empty()) && !PushPending()) continue;
        if (!CanRead()) {
            WaitForWork(INFINITE);
            continue;
        }
        if (mInStill) {
            StillWait();
            continue;
        }
        if (mInWait) {
            // libdvdnav goes on once what is buffered has played.
            if (mVideo.Idle() && mAudio.Idle()) {
                mInWait = false;
                mVm.WaitSkip();
            } else {
                HANDLE handles[2] = {mCommands.Wake(), mVideo.IdleEvent()};
                ::WaitForMultipleObjects(2, handles, FALSE, 50);
            }
            continue;
        }
        if (mScanning) {
            ScanStep();
            continue;
        }
        HandleBlock(mVm.Next());
    }
}

void Navigator::OnGraphStarted() {
    // The stream time starts again from 0.
    mLastStamp = 0;
    mRebase = true;
    if (mStopDomain || !mStarted) {
        StartPlayback();
    } else if (mResumePending) {
        mResumePending = false;
        ResumeAt(mResumeMs);
    }
}

void Navigator::OnGraphStopped() {
    mVideo.Discard();
    mAudio.Discard();
    DropPending();
    mVideoDecoder.Reset();
    mAudioDecoder.Reset();
    mLastStamp = 0;
    mRebase = true;
    bool reset;
    {
        Lock lock(mModelLock);
        reset = mStopResets;
        mResumeMs = mModel.shown.timeMs;
        mResumePending = !reset && mModel.domain == DVD_DOMAIN_Title;
    }
    if (reset && mStarted) EnterStopDomain(false);
}

void Navigator::DropPending() {
    // Samples go; events are told in their order.
    for (Delivery& d : mPendingVideo)
        if (d.kind == Delivery::Kind::Event) ApplyAndNotify(d.code, d.p1, d.p2);
    mPendingVideo.clear();
    mPendingAudio.clear();
}

void Navigator::EnterStopDomain(bool playbackStopped) {
    mStopDomain = true;
    mRestart = true;
    mInStill = false;
    mInWait = false;
    mScanning = false;
    mSlowRate = 1.0;
    mAutoStopMs = -1;
    mAutoStopChapterEnd = 0;
    mLastTitle = mLastPart = -1;
    {
        Lock lock(mModelLock);
        mModel.domain = DVD_DOMAIN_Stop;
        mModel.still = false;
        mModel.rate = 1.0;
        mModel.canResume = false;
        mModel.buttonCount = mModel.button = 0;
        mModel.buttons.clear();
    }
    if (mLastDomain != DVD_DOMAIN_Stop) QueueEvent(EC_DVD_DOMAIN_CHANGE, DVD_DOMAIN_Stop, 0);
    mLastDomain = DVD_DOMAIN_Stop;
    if (playbackStopped) QueueEvent(EC_DVD_PLAYBACK_STOPPED, 0, 0);
}

bool Navigator::StartPlayback() {
    {
        Lock lock(mModelLock);
        if (!mModel.hasDisc) return false;
        mModel.domain = DVD_DOMAIN_FirstPlay;
    }
    if (mStarted || mRestart) mVm.Restart();
    mStarted = true;
    mRestart = false;
    mStopDomain = false;
    mCopyProtected = false;
    mLastTitle = mLastPart = -1;
    if (mLastDomain != DVD_DOMAIN_FirstPlay) QueueEvent(EC_DVD_DOMAIN_CHANGE, DVD_DOMAIN_FirstPlay, 0);
    mLastDomain = DVD_DOMAIN_FirstPlay;
    Discontinuity(false);
    return true;
}

void Navigator::ResumeAt(int64_t ms) {
    if (mVm.TimeSearch(MsToTicks(ms))) Discontinuity(false);
}

bool Navigator::PushPending() {
    while (!mPendingVideo.empty() || !mPendingAudio.empty()) {
        bool progressed = false;
        while (!mPendingVideo.empty() &&
               (mPendingVideo.front().kind == Delivery::Kind::Event || mVideo.HasRoom())) {
            Delivery& d = mPendingVideo.front();
            if (d.kind == Delivery::Kind::Event)
                mVideo.PushEvent(d.code, d.p1, d.p2);
            else
                mVideo.Push(std::move(d));
            mPendingVideo.erase(mPendingVideo.begin());
            progressed = true;
        }
        while (!mPendingAudio.empty() && mAudio.HasRoom()) {
            mAudio.Push(std::move(mPendingAudio.front()));
            mPendingAudio.erase(mPendingAudio.begin());
            progressed = true;
        }
        if (progressed) continue;
        HANDLE handles[3] = {mCommands.Wake()};
        DWORD count = 1;
        if (!mPendingVideo.empty()) handles[count++] = mVideo.RoomEvent();
        if (!mPendingAudio.empty()) handles[count++] = mAudio.RoomEvent();
        DWORD got = ::WaitForMultipleObjects(count, handles, FALSE, 1000);
        // A command, a state change or the end: the loop sees to it first.
        if (got == WAIT_OBJECT_0 || mQuit) return false;
    }
    return true;
}

void Navigator::QueueEvent(long code, LONG_PTR p1, LONG_PTR p2) {
    // After the pictures already decoded, so that it is told when they have been shown.
    if (!mPendingVideo.empty()) {
        Delivery d;
        d.kind = Delivery::Kind::Event;
        d.code = code;
        d.p1 = p1;
        d.p2 = p2;
        mPendingVideo.push_back(std::move(d));
        return;
    }
    mVideo.PushEvent(code, p1, p2);
}

void Navigator::SendEvent(long code, LONG_PTR p1, LONG_PTR p2) {
    ApplyAndNotify(code, p1, p2);
}

void Navigator::Discontinuity(bool flushRenderers) {
    mVideoDecoder.Reset();
    mAudioDecoder.Reset();
    mHaveLastPicture = false;
    mRebase = true;
    // The new place brings its own units; their times are on its own clock.
    DropSubpictures();
    mHaveClean = false;
    if (flushRenderers) {
        DropPending();
        mVideo.Flush();
        mAudio.Flush();
        mLastStamp = 0;
    } else {
        // What was decoded before the jump still plays; only its sound of a stream cut off goes.
        mPendingAudio.clear();
    }
}

REFERENCE_TIME Navigator::Stamp(int64_t linearPts) {
    REFERENCE_TIME t = TicksToReference(linearPts - mBasePts);
    if (mSlowRate > 0 && mSlowRate < 1) t = static_cast<REFERENCE_TIME>(static_cast<double>(t) / mSlowRate);
    return mBaseTime + t;
}

void Navigator::HandleBlock(const VmBlock& block) {
    switch (block.event) {
        case VmEvent::Block:
            mReadErrors = 0;
            OnSector(block.data, block.size);
            break;
        case VmEvent::Still:
            OnStill(block.stillSeconds);
            break;
        case VmEvent::SpuStreamChange:
            OnSubpictureStream(block.spuPhysical);
            UpdateMachineModel();
            break;
        case VmEvent::AudioStreamChange:
            if (block.audioPhysical != mAudioPhysical) {
                mAudioPhysical = block.audioPhysical;
                mAudioDecoder.Reset();
            }
            UpdateMachineModel();
            break;
        case VmEvent::VtsChange:
        case VmEvent::Highlight:
            UpdateMachineModel();
            break;
        case VmEvent::CellChange:
            OnCellChange();
            break;
        case VmEvent::NavPacket:
            mReadErrors = 0;
            OnNavPacket();
            break;
        case VmEvent::Stop:
            OnProgramEnd();
            break;
        case VmEvent::SpuClutChange:
            OnPalette(block.clut);
            break;
        case VmEvent::HopChannel:
            if (!mScanning) Discontinuity(false);
            break;
        case VmEvent::Wait:
            mInWait = true;
            break;
        case VmEvent::Error:
            OnReadError();
            break;
        case VmEvent::Nop:
            break;
    }
}

void Navigator::OnSector(const uint8_t* data, size_t size) {
    EsPacket packets[24];
    size_t n = ParsePack(data, size, packets, 24);
    bool wantAudio = !mScanning && mSlowRate == 1.0;
    for (size_t i = 0; i < n; ++i) {
        const EsPacket& p = packets[i];
        if (p.scrambled) {
            OnScrambled();
            return;
        }
        if (p.kind == EsKind::Video) {
            if (mScanning && !mScanWantPicture) continue;
            uint32_t tag = 0;
            if (p.hasPts) {
                tag = mNextTag++;
                Tag& t = mTags[tag % 64];
                t.linearPts = p.pts + mPtsOffset;
                int64_t sinceNav = p.pts - mNavVobuStart;
                t.titleTicks =
                    mNavPgcTicks + (sinceNav > 0 && sinceNav < 10 * kTicksPerSecond ? sinceNav : 0);
                t.position = mReaderPosition;
            }
            mVideoDecoder.Feed(p.data, p.size, p.hasPts, tag,
                               [this](const DecodedPicture& pic) { OnPicture(pic); });
        } else if (p.kind == EsKind::Subpicture) {
            OnSubpicturePacket(p);
        } else if (wantAudio && p.kind == mAudioKind && AudioDecoder::Decodes(p.kind) &&
                   static_cast<int>(p.stream) == (mAudioPhysical & 7)) {
            std::vector<PcmChunk> chunks;
            mAudioDecoder.Feed(p, chunks);
            for (PcmChunk& c : chunks)
                QueueSound(c);
        }
    }
}

void Navigator::QueueSound(PcmChunk& chunk) {
    if (chunk.samples.empty()) return;
    Delivery d;
    d.bytes.resize(chunk.samples.size() * sizeof(int16_t));
    std::memcpy(d.bytes.data(), chunk.samples.data(), d.bytes.size());
    REFERENCE_TIME length =
        static_cast<REFERENCE_TIME>(chunk.samples.size() / 2) * kReferencePerSecond / kOutputRate;
    if (chunk.hasPts) {
        d.start = Stamp(chunk.pts + mPtsOffset);
    } else if (mHaveNextSound) {
        d.start = mNextSound;
    } else {
        return;  // no time yet: it could only play at the wrong one
    }
    d.timed = true;
    d.stop = d.start + length;
    mNextSound = d.stop;
    mHaveNextSound = true;
    mLastStamp = std::max(mLastStamp, d.stop);
    mPendingAudio.push_back(std::move(d));
}

void Navigator::OnPicture(const DecodedPicture& picture) {
    Tag tag;
    if (picture.tagged) {
        tag = mTags[picture.tag % 64];
    } else if (mHaveLastPicture) {
        tag = mLastPicture;
        tag.linearPts += picture.periodTicks;
        tag.titleTicks += picture.periodTicks;
    } else {
        tag.linearPts = mBasePts;
        tag.titleTicks = mNavPgcTicks;
        tag.position = mReaderPosition;
    }
    mLastPicture = tag;
    mHaveLastPicture = true;

    Delivery d = {};
    d.bytes = mVideo.TakeBuffer();
    d.bytes.resize(static_cast<size_t>(mWidth) * mHeight * 4);
    YuvToRgb32(picture.yuv, d.bytes.data(), mWidth, mHeight, mWidth * 4);
    d.positioned = true;
    d.position = tag.position;
    d.position.timeMs = TicksToMs(tag.titleTicks);
    if (!mScanning) {
        KeepClean(d.bytes.data(), tag.linearPts, d.position);
        mShownOverlay = DrawOverlay(d.bytes.data(), tag.linearPts, 0);
    }
    if (mScanning) {
        // Shown as it comes; the time is where the scan has got to.
        d.position.timeMs = mScanMs;
        mScanWantPicture = false;
    } else {
        d.timed = true;
        d.start = Stamp(tag.linearPts);
        REFERENCE_TIME period = TicksToReference(picture.periodTicks);
        if (mSlowRate > 0 && mSlowRate < 1)
            period = static_cast<REFERENCE_TIME>(static_cast<double>(period) / mSlowRate);
        d.stop = d.start + period;
        mLastStamp = std::max(mLastStamp, d.stop);
    }
    bool autoStop =
        mAutoStopMs >= 0 && d.position.domain == DVD_DOMAIN_Title && d.position.timeMs >= mAutoStopMs;
    mPendingVideo.push_back(std::move(d));
    if (autoStop) AutoStop();
}

void Navigator::AutoStop() {
    long code = mAutoStopEvent;
    mAutoStopMs = -1;
    mAutoStopChapterEnd = 0;
    {
        Lock lock(mModelLock);
        mModel.dvdPaused = true;
    }
    QueueEvent(code, 0, 0);
}

void Navigator::OnNavPacket() {
    uint32_t start = 0, end = 0;
    mVm.VobuTimes(start, end);
    if (mRebase) {
        mRebase = false;
        mPtsOffset = 0;
        mBasePts = start;
        REFERENCE_TIME now = StreamTime();
        REFERENCE_TIME latency = State() == State_Running ? kJumpLatency : 0;
        mBaseTime = std::max(now + latency, mLastStamp);
        mLastVobuEnd = end;
        mHaveNextSound = false;
    } else {
        // The disc joins program streams of their own clocks seamlessly: keep time running on.
        if (static_cast<int64_t>(start) + mPtsOffset != mLastVobuEnd) mPtsOffset = mLastVobuEnd - start;
        mLastVobuEnd = end + mPtsOffset;
    }
    mNavPgcTicks = mVm.PgcTimeTicks();
    mNavVobuStart = start;
    UpdateMachineModel();
}

void Navigator::OnCellChange() {
    VmDomain vmDomain = mVm.Domain();
    int domain = ToDomain(vmDomain);
    int title = 0, part = 0;
    mVm.TitlePart(title, part);
    if (domain != mLastDomain) {
        QueueEvent(EC_DVD_DOMAIN_CHANGE, domain, 0);
        mLastDomain = domain;
        mLastTitle = mLastPart = -1;
    }
    if (domain == DVD_DOMAIN_Title) {
        if (title != mLastTitle) {
            QueueEvent(EC_DVD_TITLE_CHANGE, title, 0);
            mLastTitle = title;
            mLastPart = -1;
        }
        if (part != mLastPart) {
            if (mAutoStopChapterEnd && static_cast<unsigned>(part) >= mAutoStopChapterEnd) AutoStop();
            QueueEvent(EC_DVD_CHAPTER_START, part, 0);
            mLastPart = part;
        }
    }
    mReaderPosition.domain = domain;
    mReaderPosition.title = domain == DVD_DOMAIN_Title ? static_cast<unsigned>(title) : 0;
    mReaderPosition.chapter = domain == DVD_DOMAIN_Title ? static_cast<unsigned>(part) : 0;
    {
        Lock lock(mModelLock);
        mModel.domain = static_cast<DVD_DOMAIN>(domain);
        if (domain == DVD_DOMAIN_Title) {
            mModel.title = static_cast<unsigned>(title);
            mModel.chapter = static_cast<unsigned>(part);
            if (title >= 1 && static_cast<size_t>(title) <= mModel.facts.titles.size())
                mReaderPosition.fps = mModel.facts.titles[static_cast<size_t>(title) - 1].frameRate;
        }
    }
    UpdateMachineModel();
}

void Navigator::UpdateMachineModel() {
    uint32_t prohibited = mVm.Prohibited();
    int audio = mVm.ActiveAudio();
    bool shown = false;
    int subpicture = mVm.ActiveSubpicture(shown);
    int angle = 1, angles = 1;
    mVm.Angles(angle, angles);
    int button = 0, buttons = mVm.Buttons(button);
    std::vector<VmButton> boxes;
    for (int b = 1; b <= buttons; ++b) {
        VmButton box;
        mVm.Button(b, box);
        boxes.push_back(box);
    }
    bool canResume = mVm.CanResume();
    int menuTitleSet = mVm.TitleSet();
    WORD sprm[24], gprm[16];
    for (int i = 0; i < 24; ++i)
        sprm[i] = mVm.SystemRegister(i);
    for (int i = 0; i < 16; ++i)
        gprm[i] = mVm.GeneralRegister(i);
    {
        Lock lock(mModelLock);
        Model& m = mModel;
        // A title's own prohibitions (time and chapter play) hold in all of it.
        uint32_t titleOps = 0;
        if (m.domain == DVD_DOMAIN_Title && m.title >= 1 && m.title <= m.facts.titles.size())
            titleOps = m.facts.titles[m.title - 1].prohibited;
        m.prohibited = prohibited | titleOps;
        prohibited = m.prohibited;
        unsigned ttn = sprm[4];
        m.titleSet = ttn >= 1 && ttn <= m.facts.titles.size() ? m.facts.titles[ttn - 1].titleSet : 1;
        const TitleSetAttributes* set = m.titleSet >= 1 && m.titleSet <= m.facts.titleSets.size()
                                            ? &m.facts.titleSets[m.titleSet - 1]
                                            : nullptr;
        bool inTitle = m.domain == DVD_DOMAIN_Title;
        m.audioCount = set ? static_cast<unsigned>(inTitle ? set->audio.size() : set->menuAudio.size()) : 0;
        m.subpictureCount =
            set ? static_cast<unsigned>(inTitle ? set->subpictures.size() : set->menuSubpictures.size()) : 0;
        m.audio = audio >= 0 ? static_cast<unsigned>(audio) : 0;
        // The physical stream number counts within its coding: the attributes say which.
        const std::vector<AudioAttributes>* streams = m.domain == DVD_DOMAIN_VideoManagerMenu
                                                          ? &m.facts.managerMenuAudio
                                                      : set ? (inTitle ? &set->audio : &set->menuAudio)
                                                            : nullptr;
        uint8_t coding = streams && m.audio < streams->size() ? (*streams)[m.audio].coding : 0;
        mAudioKind = coding == 4                  ? EsKind::Lpcm
                     : coding == 6                ? EsKind::Dts
                     : coding == 2 || coding == 3 ? EsKind::MpegAudio
                                                  : EsKind::Ac3;
        m.subpicture = subpicture >= 0 ? static_cast<unsigned>(subpicture) : 0;
        m.subpictureOn = (sprm[2] & 0x40) != 0;
        m.angle = static_cast<unsigned>(angle);
        m.angleCount = static_cast<unsigned>(angles);
        m.buttonCount = static_cast<unsigned>(buttons);
        m.button = static_cast<unsigned>(button);
        m.buttons = boxes;
        m.canResume = canResume;
        m.menuTitleSet = menuTitleSet > 0 ? static_cast<unsigned>(menuTitleSet) : 0;
        std::memcpy(m.sprm, sprm, sizeof sprm);
        std::memcpy(m.gprm, gprm, sizeof gprm);
        audio = static_cast<int>(m.audio);
        subpicture = static_cast<int>(m.subpicture);
    }
    (void)shown;
    if (prohibited != mLastProhibited) {
        mLastProhibited = prohibited;
        QueueEvent(EC_DVD_VALID_UOPS_CHANGE, static_cast<LONG_PTR>(prohibited), 0);
    }
    if (audio != mLastAudio) {
        mLastAudio = audio;
        QueueEvent(EC_DVD_AUDIO_STREAM_CHANGE, audio, 0);
    }
    int subpictureState = subpicture | ((sprm[2] & 0x40) ? 0x100 : 0);
    if (subpictureState != mLastSubpicture) {
        mLastSubpicture = subpictureState;
        QueueEvent(EC_DVD_SUBPICTURE_STREAM_CHANGE, subpicture, (sprm[2] & 0x40) ? TRUE : FALSE);
    }
    if (angles != mLastAngles) {
        mLastAngles = angles;
        QueueEvent(EC_DVD_ANGLES_AVAILABLE, angles > 1 ? TRUE : FALSE, 0);
    }
    if (angle != mLastAngle) {
        mLastAngle = angle;
        if (angles > 1) QueueEvent(EC_DVD_ANGLE_CHANGE, angles, angle);
    }
    if (buttons != mLastButtons || button != mLastButton) {
        mLastButtons = buttons;
        mLastButton = button;
        QueueEvent(EC_DVD_BUTTON_CHANGE, buttons, button);
    }
}

void Navigator::OnStill(int seconds) {
    // The last picture of the still's VOBU is held back by the decoder until another starts.
    mVideoDecoder.Drain([this](const DecodedPicture& pic) { OnPicture(pic); });
    bool buttons;
    {
        Lock lock(mModelLock);
        buttons = mModel.buttonCount > 0;
        mModel.still = true;
    }
    mInStill = true;
    mStillEnd = false;
    mStillSeconds = seconds;
    mStillSince = 0;
    // Unknown: the first look delivers the picture again, in case the window changed after the
    // renderer last drew.
    mStillArea = RECT{};
    // A unit that came after the still's picture, or a button selected meanwhile, shows now.
    Redraw(false);
    // TRUE: no buttons, so StillOff can end it.
    QueueEvent(EC_DVD_STILL_ON, buttons ? FALSE : TRUE,
               seconds == 0xff ? static_cast<LONG_PTR>(0xffffffff) : seconds);
}

void Navigator::StillWait() {
    LookAtPictureArea();
    if (!mStillEnd && mStillSeconds != 0xff) {
        // A timed still counts from when its picture is shown.
        if (mStillSince == 0) {
            if (!mVideo.Idle()) {
                HANDLE handles[2] = {mCommands.Wake(), mVideo.IdleEvent()};
                ::WaitForMultipleObjects(2, handles, FALSE, 100);
                return;
            }
            mStillSince = ::GetTickCount();
        }
        DWORD elapsed = ::GetTickCount() - mStillSince, length = static_cast<DWORD>(mStillSeconds) * 1000;
        if (elapsed < length) {
            WaitForWork(std::min(length - elapsed, kStillLookMs));
            return;
        }
        mStillEnd = true;
    }
    if (!mStillEnd) {
        WaitForWork(kStillLookMs);
        return;
    }
    EndStill();
}

bool Navigator::PictureAreaChanged() {
    Microsoft::WRL::ComPtr<IBaseFilter> renderer = mVideoPin.PeerFilter();
    Microsoft::WRL::ComPtr<IBasicVideo> video;
    long left = 0, top = 0, width = 0, height = 0;
    if (!renderer ||
        FAILED(renderer->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(video.GetAddressOf()))) ||
        FAILED(video->GetDestinationPosition(&left, &top, &width, &height)))
        return false;
    RECT area{left, top, left + width, top + height};
    if (::EqualRect(&area, &mStillArea)) return false;
    mStillArea = area;
    return true;
}

void Navigator::LookAtPictureArea() {
    // Paused, the renderer holds the picture it was given; a delivery would wait for the run.
    if (State() != State_Running || !mPendingVideo.empty() || !PictureAreaChanged()) return;
    Redraw(true);
}

void Navigator::EndStill() {
    if (!mInStill) return;
    mInStill = false;
    mStillEnd = false;
    mVm.StillSkip();
    {
        Lock lock(mModelLock);
        mModel.still = false;
    }
    QueueEvent(EC_DVD_STILL_OFF, 0, 0);
}

void Navigator::OnProgramEnd() {
    mVideoDecoder.Drain([this](const DecodedPicture& pic) { OnPicture(pic); });
    EnterStopDomain(true);
}

void Navigator::OnScrambled() {
    // Encrypted sectors (CSS) need a key exchange with the drive that libdvdread cannot do
    // here: nothing of them is decoded, and the caller hears why playback stopped.
    mCopyProtected = true;
    DropPending();
    mVideoDecoder.Reset();
    mAudioDecoder.Reset();
    mVideo.Flush();
    mAudio.Flush();
    EnterStopDomain(false);
    SendEvent(EC_DVD_ERROR, DVD_ERROR_CopyProtectFail, 0);
}

void Navigator::OnReadError() {
    // libdvdnav tries the same read again on the next call: a read that keeps failing ends
    // playback instead of spinning.
    if (++mReadErrors < 3) return;
    mReadErrors = 0;
    std::string why = mVm.LastError();
    for (char& ch : why)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch + 32);
    // A file of the volume that is not there, or one that cannot be read to its end.
    long warning = why.find("open") != std::string::npos ? DVD_WARNING_Open : DVD_WARNING_Read;
    mVideoDecoder.Drain([this](const DecodedPicture& pic) { OnPicture(pic); });
    SendEvent(EC_DVD_WARNING, warning, 0);
    EnterStopDomain(true);
}

void Navigator::ScanStep() {
    DWORD now = ::GetTickCount();
    if (mScanTick) mScanMs += static_cast<int64_t>(mScanRate * static_cast<double>(now - mScanTick));
    mScanTick = now;
    int64_t length;
    {
        Lock lock(mModelLock);
        const Model& m = mModel;
        length = m.title >= 1 && m.title <= m.facts.titles.size() ? m.facts.titles[m.title - 1].lengthMs : 0;
    }
    bool atStart = mScanRate < 0 && mScanMs <= 0;
    bool atEnd = mScanRate > 0 && length > 0 && mScanMs >= length - 500;
    if (atStart || atEnd) {
        // Scanning ends at the title's edges: backwards plays on from the start, forwards lets
        // the title end as the disc has it.
        mScanning = false;
        mScanMs = atStart ? 0 : length - 500;
        {
            Lock lock(mModelLock);
            mModel.rate = 1.0;
        }
        if (mVm.TimeSearch(MsToTicks(mScanMs > 0 ? mScanMs : 0))) Discontinuity(true);
        SendEvent(EC_DVD_PLAYBACK_RATE_CHANGE, 10000, 0);
        return;
    }
    if (!mVm.TimeSearch(MsToTicks(mScanMs))) {
        mScanning = false;
        return;
    }
    mVideoDecoder.Reset();
    mHaveLastPicture = false;
    mScanWantPicture = true;
    for (int i = 0; i < kScanBlocksPerStep && mScanWantPicture && mScanning && !mQuit; ++i) {
        VmBlock block = mVm.Next();
        if (block.event == VmEvent::Still || block.event == VmEvent::Stop || block.event == VmEvent::Error) {
            mScanning = false;
            HandleBlock(block);
            return;
        }
        HandleBlock(block);
    }
    mScanWantPicture = false;
    WaitForWork(kScanStepMs);
}

}  // namespace navigator
