// Our DVD navigator: a source filter that runs the disc's virtual machine (libdvdnav) on its own
// reading thread, decodes the chosen video and audio streams itself, and delivers RGB32 pictures
// and 48 kHz PCM to the platform's renderers through two output pins. IDvdControl2 and IDvdInfo2
// live on member objects (IDvdControl2::Stop and IBaseFilter::Stop share a signature) that share
// the filter's reference count; events go to the graph's IMediaEventSink.
//
// Threads: the caller's (the interfaces), the reading thread (the machine, the decoders, the
// commands), and one delivery thread per pin. The model is what the interfaces answer from.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "AudioDecoder.h"
#include "BaseFilter.h"
#include "Commands.h"
#include "DeliveryQueue.h"
#include "DiscInfo.h"
#include "DvdCmd.h"
#include "DvdVm.h"
#include "OutputPin.h"
#include "ProgramStream.h"
#include "SpuOverlay.h"
#include "Subpicture.h"
#include "VideoDecoder.h"

namespace navigator {

class Navigator;

class Control final : public IDvdControl2 {
public:
    explicit Control(Navigator& nav) : mNav(nav) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE PlayTitle(ULONG title, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayChapterInTitle(ULONG title, ULONG chapter, DWORD flags,
                                                 IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayAtTimeInTitle(ULONG title, DVD_HMSF_TIMECODE* time, DWORD flags,
                                                IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE ReturnFromSubmenu(DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayAtTime(DVD_HMSF_TIMECODE* time, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayChapter(ULONG chapter, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayPrevChapter(DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE ReplayChapter(DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayNextChapter(DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayForwards(double speed, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayBackwards(double speed, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE ShowMenu(DVD_MENU_ID id, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE Resume(DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SelectRelativeButton(DVD_RELATIVE_BUTTON button) override;
    HRESULT STDMETHODCALLTYPE ActivateButton() override;
    HRESULT STDMETHODCALLTYPE SelectButton(ULONG button) override;
    HRESULT STDMETHODCALLTYPE SelectAndActivateButton(ULONG button) override;
    HRESULT STDMETHODCALLTYPE StillOff() override;
    HRESULT STDMETHODCALLTYPE Pause(WINBOOL enable) override;
    HRESULT STDMETHODCALLTYPE SelectAudioStream(ULONG stream, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SelectSubpictureStream(ULONG stream, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SetSubpictureState(WINBOOL enable, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SelectAngle(ULONG angle, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SelectParentalLevel(ULONG level) override;
    HRESULT STDMETHODCALLTYPE SelectParentalCountry(BYTE country[2]) override;
    HRESULT STDMETHODCALLTYPE SelectKaraokeAudioPresentationMode(ULONG mode) override;
    HRESULT STDMETHODCALLTYPE SelectVideoModePreference(ULONG mode) override;
    HRESULT STDMETHODCALLTYPE SetDVDDirectory(const WCHAR* path) override;
    HRESULT STDMETHODCALLTYPE ActivateAtPosition(POINT point) override;
    HRESULT STDMETHODCALLTYPE SelectAtPosition(POINT point) override;
    HRESULT STDMETHODCALLTYPE PlayChaptersAutoStop(ULONG title, ULONG chapter, ULONG count, DWORD flags,
                                                   IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE AcceptParentalLevelChange(WINBOOL accept) override;
    HRESULT STDMETHODCALLTYPE SetOption(DVD_OPTION_FLAG flag, WINBOOL option) override;
    HRESULT STDMETHODCALLTYPE SetState(IDvdState* state, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE PlayPeriodInTitleAutoStop(ULONG title, DVD_HMSF_TIMECODE* start,
                                                        DVD_HMSF_TIMECODE* end, DWORD flags,
                                                        IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SetGPRM(ULONG index, WORD value, DWORD flags, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE SelectDefaultMenuLanguage(LCID language) override;
    HRESULT STDMETHODCALLTYPE SelectDefaultAudioLanguage(LCID language, DVD_AUDIO_LANG_EXT ext) override;
    HRESULT STDMETHODCALLTYPE SelectDefaultSubpictureLanguage(LCID language,
                                                              DVD_SUBPICTURE_LANG_EXT ext) override;

private:
    Navigator& mNav;
};

class Info final : public IDvdInfo2 {
public:
    explicit Info(Navigator& nav) : mNav(nav) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE GetCurrentDomain(DVD_DOMAIN* domain) override;
    HRESULT STDMETHODCALLTYPE GetCurrentLocation(DVD_PLAYBACK_LOCATION2* location) override;
    HRESULT STDMETHODCALLTYPE GetTotalTitleTime(DVD_HMSF_TIMECODE* time, ULONG* flags) override;
    HRESULT STDMETHODCALLTYPE GetCurrentButton(ULONG* count, ULONG* current) override;
    HRESULT STDMETHODCALLTYPE GetCurrentAngle(ULONG* count, ULONG* current) override;
    HRESULT STDMETHODCALLTYPE GetCurrentAudio(ULONG* count, ULONG* current) override;
    HRESULT STDMETHODCALLTYPE GetCurrentSubpicture(ULONG* count, ULONG* current, WINBOOL* disabled) override;
    HRESULT STDMETHODCALLTYPE GetCurrentUOPS(ULONG* uops) override;
    HRESULT STDMETHODCALLTYPE GetAllSPRMs(SPRMARRAY* regs) override;
    HRESULT STDMETHODCALLTYPE GetAllGPRMs(GPRMARRAY* regs) override;
    HRESULT STDMETHODCALLTYPE GetAudioLanguage(ULONG stream, LCID* language) override;
    HRESULT STDMETHODCALLTYPE GetSubpictureLanguage(ULONG stream, LCID* language) override;
    HRESULT STDMETHODCALLTYPE GetTitleAttributes(ULONG index, DVD_MenuAttributes* menu,
                                                 DVD_TitleAttributes* title) override;
    HRESULT STDMETHODCALLTYPE GetVMGAttributes(DVD_MenuAttributes* attr) override;
    HRESULT STDMETHODCALLTYPE GetCurrentVideoAttributes(DVD_VideoAttributes* attr) override;
    HRESULT STDMETHODCALLTYPE GetAudioAttributes(ULONG stream, DVD_AudioAttributes* attr) override;
    HRESULT STDMETHODCALLTYPE GetKaraokeAttributes(ULONG stream, DVD_KaraokeAttributes* attr) override;
    HRESULT STDMETHODCALLTYPE GetSubpictureAttributes(ULONG stream, DVD_SubpictureAttributes* attr) override;
    HRESULT STDMETHODCALLTYPE GetDVDVolumeInfo(ULONG* volumes, ULONG* current, DVD_DISC_SIDE* side,
                                               ULONG* titles) override;
    HRESULT STDMETHODCALLTYPE GetDVDTextNumberOfLanguages(ULONG* count) override;
    HRESULT STDMETHODCALLTYPE GetDVDTextLanguageInfo(ULONG index, ULONG* strings, LCID* language,
                                                     enum DVD_TextCharSet* charset) override;
    HRESULT STDMETHODCALLTYPE GetDVDTextStringAsNative(ULONG lang, ULONG index, BYTE* text, ULONG size,
                                                       ULONG* needed, enum DVD_TextStringType* type) override;
    HRESULT STDMETHODCALLTYPE GetDVDTextStringAsUnicode(ULONG lang, ULONG index, WCHAR* text, ULONG size,
                                                        ULONG* needed,
                                                        enum DVD_TextStringType* type) override;
    HRESULT STDMETHODCALLTYPE GetPlayerParentalLevel(ULONG* level, BYTE country[2]) override;
    HRESULT STDMETHODCALLTYPE GetNumberOfChapters(ULONG title, ULONG* count) override;
    HRESULT STDMETHODCALLTYPE GetTitleParentalLevels(ULONG title, ULONG* levels) override;
    HRESULT STDMETHODCALLTYPE GetDVDDirectory(WCHAR* path, ULONG size, ULONG* needed) override;
    HRESULT STDMETHODCALLTYPE IsAudioStreamEnabled(ULONG stream, WINBOOL* enable) override;
    HRESULT STDMETHODCALLTYPE GetDiscID(const WCHAR* path, ULONGLONG* id) override;
    HRESULT STDMETHODCALLTYPE GetState(IDvdState** state) override;
    HRESULT STDMETHODCALLTYPE GetMenuLanguages(LCID* languages, ULONG count, ULONG* found) override;
    HRESULT STDMETHODCALLTYPE GetButtonAtPosition(POINT point, ULONG* button) override;
    HRESULT STDMETHODCALLTYPE GetCmdFromEvent(LONG_PTR param, IDvdCmd** cmd) override;
    HRESULT STDMETHODCALLTYPE GetDefaultMenuLanguage(LCID* language) override;
    HRESULT STDMETHODCALLTYPE GetDefaultAudioLanguage(LCID* language, DVD_AUDIO_LANG_EXT* ext) override;
    HRESULT STDMETHODCALLTYPE GetDefaultSubpictureLanguage(LCID* language,
                                                           DVD_SUBPICTURE_LANG_EXT* ext) override;
    HRESULT STDMETHODCALLTYPE GetDecoderCaps(DVD_DECODER_CAPS* caps) override;
    HRESULT STDMETHODCALLTYPE GetButtonRect(ULONG button, RECT* rect) override;
    HRESULT STDMETHODCALLTYPE IsSubpictureStreamEnabled(ULONG stream, WINBOOL* enable) override;

private:
    Navigator& mNav;
};

// What the interfaces answer from. The reading thread writes the machine's part, the video
// delivery thread the part that is shown; both under Navigator::mModelLock.
struct Model {
    bool hasDisc = false;
    std::wstring folder;  // the VIDEO_TS folder
    DiscFacts facts;

    // The machine, as far as the reading thread has read.
    DVD_DOMAIN domain = DVD_DOMAIN_FirstPlay;
    unsigned title = 0, chapter = 0, titleSet = 0;
    uint32_t prohibited = 0;
    unsigned audioCount = 0, audio = 0;
    unsigned subpictureCount = 0, subpicture = 0;
    bool subpictureOn = false;
    unsigned angleCount = 1, angle = 1;
    unsigned buttonCount = 0, button = 0;
    std::vector<VmButton> buttons;
    WORD sprm[24] = {};
    WORD gprm[16] = {};
    bool still = false;
    double rate = 1.0;
    bool dvdPaused = false;
    bool canResume = false;     // the machine keeps a place in a title to go back to
    unsigned menuTitleSet = 0;  // the title set whose menus the machine can call; 0 none yet

    // What is on the screen now.
    DiscPosition shown;
    int64_t secondSent = -1;

    // The player's settings.
    bool options[20] = {};
    unsigned parentalLevel = 15;  // 15: none
    BYTE country[2] = {'U', 'S'};
    LCID menuLanguage = 0, audioLanguage = 0, subpictureLanguage = 0;
    DVD_AUDIO_LANG_EXT audioExtension = DVD_AUD_EXT_NotSpecified;
    DVD_SUBPICTURE_LANG_EXT subpictureExtension = DVD_SP_EXT_NotSpecified;
    unsigned karaokeMode = 0;
    DWORD videoModePreference = 0;
};

// How a navigator came up: its disc, or why it has none.
struct OpenResult {
    bool hasDisc = false;
    std::string why;
};

class Navigator final : public BaseFilter, private DeliveryListener {
public:
    // A navigator on the volume at `path` (a VIDEO_TS folder, the volume's root or its
    // VIDEO_TS.IFO). It is made without a disc when the path holds none; `result` says why.
    static Navigator* Create(const std::wstring& path, OpenResult& result);

    OutputPin* VideoPin() { return &mVideoPin; }
    OutputPin* AudioPin() { return &mAudioPin; }
    IDvdControl2* ControlInterface() { return &mControl; }
    IDvdInfo2* InfoInterface() { return &mInfo; }
    LONG Width() const { return mWidth; }
    LONG Height() const { return mHeight; }

private:
    friend class Control;
    friend class Info;

    Navigator(LONG width, LONG height);
    ~Navigator() override;

    HRESULT QueryOther(REFIID iid, void** out) override;
    void OnStop() override;
    void OnStopped() override;
    void OnPause(bool fromStop) override;
    void OnRun(REFERENCE_TIME start) override;

    // DeliveryListener, on the delivery threads.
    void OnPresented(const Delivery& sample) override;
    void OnQueuedEvent(long code, LONG_PTR p1, LONG_PTR p2) override;
    // The model's side of an event, then the graph's queue.
    void ApplyAndNotify(long code, LONG_PTR p1, LONG_PTR p2);

    // --- commands (NavigatorControl.cpp): the caller's side ---
    HRESULT Submit(const CommandPtr& command, DWORD flags, IDvdCmd** cmd);
    HRESULT Check(uint32_t operations, bool titleOnly, bool menuOnly);
    // The buttons' commands: in a menu or a title, allowed by the disc, and with buttons there.
    // `anyDomain` lets every domain but the stop domain ask (the mouse may move at any time).
    HRESULT CheckButtons(bool anyDomain);
    // VFW_E_DVD_MENU_DOES_NOT_EXIST unless the machine can call that menu from where it is.
    HRESULT CheckMenuExists(int menuId);
    // A point of the renderer's window in picture coordinates; false when it is off the picture.
    bool PicturePoint(POINT window, POINT& picture);
    unsigned ButtonAt(POINT picture) const;  // with mModelLock held; 0 for none

    // --- the reading thread (NavigatorReader.cpp) ---
    static DWORD WINAPI ReaderMain(void* self);
    void ReaderLoop();
    bool CanRead();
    void WaitForWork(DWORD ms);
    void OnGraphStarted();
    void OnGraphStopped();
    bool PushPending();
    void DropPending();
    void HandleBlock(const VmBlock& block);
    void OnSector(const uint8_t* data, size_t size);
    void OnPicture(const DecodedPicture& picture);
    // --- subpictures and highlights over the pictures (NavigatorOverlay.cpp) ---
    void OnSubpicturePacket(const EsPacket& packet);
    void OnSubpictureStream(int physical);
    void OnPalette(const uint32_t (&clut)[16]);
    void DropSubpictures();
    // What is drawn over a picture: the subpicture unit, the selected button, its state.
    struct OverlayKey {
        uint32_t spu = 0;  // 0 for none
        int button = 0, mode = 0;
        uint32_t palette = 0;
        bool operator==(const OverlayKey&) const = default;
    };
    OverlayKey OverlayAt(int64_t linearPts, int mode, const SpuPicture** spu, SpuHighlight& highlight);
    OverlayKey DrawOverlay(uint8_t* rgb, int64_t linearPts, int mode);
    // Keeps the picture as decoded, to draw it again with another overlay.
    void KeepClean(const uint8_t* rgb, int64_t linearPts, const DiscPosition& position);
    // Delivers the last picture again with what should be drawn over it now: after a button's
    // selection in a still menu, at a still's start, and when the graph pauses in a still (a
    // paused renderer shows and gives out only a picture it holds). `always` even when the
    // overlay is the one shown.
    void Redraw(bool always, int mode = 0);
    // The activated button's colours for a moment before its command runs.
    void ShowActivated();
    void QueueSound(PcmChunk& chunk);
    void OnNavPacket();
    void OnCellChange();
    void OnStill(int seconds);
    void StillWait();
    // A renderer may paint nothing of its own when its window changes size (Wine's does not):
    // while running in a still, the picture is delivered again when the rectangle the renderer
    // draws it into changes. True when that rectangle differs from the one last seen.
    bool PictureAreaChanged();
    void LookAtPictureArea();
    void EndStill();
    void OnProgramEnd();
    void OnScrambled();
    void OnReadError();
    void AutoStop();
    void EnterStopDomain(bool playbackStopped);
    void UpdateMachineModel();
    void QueueEvent(long code, LONG_PTR p1, LONG_PTR p2);
    void SendEvent(long code, LONG_PTR p1, LONG_PTR p2);
    // A jump: nothing buffered plays any more; the next navigation packet sets the time base.
    void Discontinuity(bool flushRenderers);
    REFERENCE_TIME Stamp(int64_t linearPts);
    void ScanStep();
    bool StartPlayback();

    // --- the reading thread's commands (NavigatorCommands.cpp) ---
    void DrainCommands();
    HRESULT Execute(Command& command);
    HRESULT ExecuteJump(Command& command);
    // Selection and activation of buttons, whose commands may jump or not.
    HRESULT ExecuteButton(Command& command);
    // A jump ends a still, a wait, a scan and an auto-stop; true when the rate was not normal.
    bool LeaveForJump();
    // After a jump: nothing of the old place plays any more.
    void AfterJump(bool rateChanged);
    HRESULT ExecuteRate(double rate);
    HRESULT ExecuteSetState(const SavedState& state);
    HRESULT LoadVolume(const std::wstring& path, std::string* why);
    void ResumeAt(int64_t ms);

    // --- shared ---
    LONG mWidth, mHeight;
    OutputPin mVideoPin;
    OutputPin mAudioPin;
    DeliveryQueue mVideo;
    DeliveryQueue mAudio;
    Control mControl{*this};
    Info mInfo{*this};
    CommandQueue mCommands;
    std::shared_ptr<CmdRegistry> mCmdRegistry = std::make_shared<CmdRegistry>();
    CriticalSection mModelLock;
    Model mModel;
    // Graph stops so far, and whether the last one reset the navigator: the reading thread may
    // see a stop only after the graph runs again.
    LONG mGraphStops = 0;
    bool mStopResets = false;
    volatile LONG mQuit = 0;
    Thread mReader;

    // --- the reading thread's own ---
    Vm mVm;
    VideoDecoder mVideoDecoder;
    AudioDecoder mAudioDecoder;
    std::vector<Delivery> mPendingVideo, mPendingAudio;
    bool mStarted = false;     // first play has begun since the last restart
    bool mRestart = false;     // the machine goes back to first play at the next start
    bool mStopDomain = false;  // stopped: nothing is read until a command or a start
    bool mCopyProtected = false;
    bool mGraphWasStopped = true;
    LONG mSeenStops = 0;
    int mReadErrors = 0;
    DiscPosition mReaderPosition;  // where the machine reads, for the pictures it gives
    bool mResumePending = false;
    int64_t mResumeMs = 0;
    int mAudioPhysical = 0;
    EsKind mAudioKind = EsKind::Ac3;
    int mSpuPhysical = -1;  // 0x80 set: only forced units show
    struct TimedSpu {
        SpuPicture picture;
        int64_t start = 0, stop = -1;  // linear PTS; stop -1 until the next unit
        uint32_t serial = 0;
    };
    SpuAssembler mSpuAssembler;
    std::deque<TimedSpu> mSpus;  // decoded and not yet replaced, by start
    uint32_t mSpuSerial = 0;
    uint32_t mPaletteSerial = 1;
    // The last picture as decoded, before anything was drawn over it.
    std::vector<uint8_t> mClean;
    bool mHaveClean = false;
    int64_t mCleanPts = 0;
    DiscPosition mCleanPosition;
    OverlayKey mShownOverlay;  // what the last picture queued had drawn over it
    FILTER_STATE mLastState = State_Stopped;
    int mLastDomain = -1;
    int mLastTitle = -1, mLastPart = -1;
    uint32_t mLastProhibited = 0xffffffff;
    int mLastAudio = -1, mLastSubpicture = -1;
    int mLastButtons = -1, mLastButton = -1;
    int mLastAngle = -1, mLastAngles = -1;
    // Time: linear PTS = stream PTS + mPtsOffset, continuous across the disc's seamless joins.
    bool mRebase = true;
    int64_t mPtsOffset = 0;
    int64_t mLastVobuEnd = 0;
    int64_t mBasePts = 0;
    REFERENCE_TIME mBaseTime = 0;
    REFERENCE_TIME mLastStamp = 0;  // the end of the last sample queued
    bool mHaveNextSound = false;
    REFERENCE_TIME mNextSound = 0;
    uint32_t mClut[16] = {};
    int64_t mNavPgcTicks = 0;   // the title time at the last navigation packet
    int64_t mNavVobuStart = 0;  // its first picture's PTS
    struct Tag {
        int64_t linearPts = 0;
        int64_t titleTicks = 0;
        DiscPosition position;
    };
    Tag mTags[64];
    uint32_t mNextTag = 0;
    bool mHaveLastPicture = false;
    Tag mLastPicture;
    // Scanning (rates above 1 and backwards): one picture per step, stepped through the title.
    bool mScanning = false;
    double mScanRate = 1.0;
    int64_t mScanMs = 0;
    DWORD mScanTick = 0;
    bool mScanWantPicture = false;
    double mSlowRate = 1.0;  // rates below 1 stretch the time stamps
    // Still frames and waits.
    bool mInStill = false;
    bool mStillEnd = false;
    int mStillSeconds = 0;
    DWORD mStillSince = 0;  // when a timed still's picture was shown
    RECT mStillArea{};      // where the renderer drew the still's picture; empty until seen
    bool mInWait = false;
    // Auto-stop (PlayChaptersAutoStop, PlayPeriodInTitleAutoStop).
    int64_t mAutoStopMs = -1;
    unsigned mAutoStopChapterEnd = 0;  // the chapter after the last one to play
    long mAutoStopEvent = 0;
};

}  // namespace navigator
