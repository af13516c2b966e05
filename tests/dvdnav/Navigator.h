// The navigator double's filter, on the product navigator's filter-and-pin base: an output pin of
// generated RGB32 pictures for the real Video Renderer, one of silence for the real audio
// renderer, and IDvdControl2 / IDvdInfo2 over a model read from the disc's IFO files. The two
// navigator interfaces live on member objects because IDvdControl2::Stop and IBaseFilter::Stop
// share a signature; all of them share the filter's reference count.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <dvdevcod.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BaseFilter.h"
#include "CallLog.h"
#include "Commands.h"
#include "DvdCmd.h"
#include "DiscModel.h"
#include "Line21.h"
#include "MixerConfig.h"
#include "OldNavigator.h"
#include "OutputPin.h"
#include "Script.h"

namespace dvdnav {

inline constexpr LONG kWidth = 720, kHeight = 576;
inline constexpr LONG kAudioChunk = 48000 * 4 / 4;  // a quarter second of 48 kHz 16-bit stereo

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
    HRESULT Attributes(ULONG stream, bool audio, ULONG& index);
    Navigator& mNav;
};

// The overlay mixer's pin configuration, for graphs whose script asks for one: it keeps its colour
// controls (brightness 750 of 0..10000 at first) and records the colour calls.
class Mixer final : public IMixerConfig2 {
public:
    explicit Mixer(Navigator& nav) : mNav(nav) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE SetRelativePosition(DWORD, DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetRelativePosition(DWORD* l, DWORD* t, DWORD* r, DWORD* b) override;
    HRESULT STDMETHODCALLTYPE SetZOrder(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetZOrder(DWORD* order) override;
    HRESULT STDMETHODCALLTYPE SetColorKey(void*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetColorKey(void*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetBlendingParameter(DWORD) override { return E_UNEXPECTED; }  // primary stream
    HRESULT STDMETHODCALLTYPE GetBlendingParameter(DWORD*) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE SetAspectRatioMode(int) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetAspectRatioMode(int* mode) override;
    HRESULT STDMETHODCALLTYPE SetStreamTransparent(BOOL) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE GetStreamTransparent(BOOL*) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE SetOverlaySurfaceColorControls(DDCOLORCONTROL* controls) override;
    HRESULT STDMETHODCALLTYPE GetOverlaySurfaceColorControls(DDCOLORCONTROL* controls) override;

private:
    Navigator& mNav;
    DDCOLORCONTROL mColours = {
        sizeof(DDCOLORCONTROL), DDCOLOR_BRIGHTNESS | DDCOLOR_CONTRAST, 750, 10000, 0, 0, 0, 0, 0, 0};
};

// Where the navigator is: everything a bookmark keeps.
struct Location {
    DVD_DOMAIN domain = DVD_DOMAIN_Stop;
    unsigned title = 0, chapter = 0;
    double posMs = 0;
    unsigned audio = 0, subpicture = 0, angle = 1;
    bool subpictureOn = true;
    unsigned menuButton = 1;
};

class Navigator final : public navigator::BaseFilter {
public:
    Navigator(const Script& script, const Disc& disc, bool hasDisc);
    ~Navigator() override;

    IPin* Pin() { return &mPin; }
    IPin* AudioPin() { return &mAudioPin; }
    IDvdControl2* ControlInterface() { return &mControl; }
    IDvdInfo2* InfoInterface() { return &mInfo; }
    IDvdControl* OldControlInterface() { return &mOldControl; }
    IDvdInfo* OldInfoInterface() { return &mOldInfo; }
    IUnknown* Line21Interface() { return &mLine21; }
    IUnknown* MixerInterface() { return &mMixer; }
    // Script lines from the fixture while the navigator runs.
    void ApplyInjected(const std::string& line);

    // --- shared with Control, Info and the state objects; the model is guarded by mLock ---
    struct Guard {
        explicit Guard(Navigator& n) : nav(n) { ::EnterCriticalSection(&nav.mLock); }
        ~Guard() { ::LeaveCriticalSection(&nav.mLock); }
        Navigator& nav;
    };
    // The scripted answer of `method`, if any (fail or inhibit); `info` for IDvdInfo2 queries.
    bool Scripted(const char* method, bool info, HRESULT& hr);
    // Ends a command: makes the IDvdCmd asked for, and waits for the end under the Block flag.
    // The command ends the script's command_ms after it was called.
    HRESULT Finish(HRESULT hr, DWORD flags, IDvdCmd** cmd);
    void Send(long code, LONG_PTR p1, LONG_PTR p2);
    void SetDomain(DVD_DOMAIN domain);
    void EnterTitle(unsigned title, unsigned chapter, double posMs);
    void EnterMenu(DVD_MENU_ID id);
    unsigned ChapterAt(unsigned title, double posMs) const;
    unsigned MenuButtons() const;
    RECT ButtonRect(unsigned button) const;                     // 1-based, in picture coordinates
    bool PictureButtonAt(POINT windowPoint, unsigned& button);  // takes no lock: asks the renderer
    DVD_HMSF_TIMECODE TimeCode(double ms) const;
    double Ms(const DVD_HMSF_TIMECODE& t) const;
    bool LoadDisc(const std::wstring& path);
    bool HasDisc() const { return mHasDisc; }
    bool InTitle() const { return mLoc.domain == DVD_DOMAIN_Title; }
    bool InMenu() const {
        return mLoc.domain == DVD_DOMAIN_VideoManagerMenu || mLoc.domain == DVD_DOMAIN_VideoTitleSetMenu;
    }
    const Title& CurrentTitle() const { return mDisc.titles[mLoc.title - 1]; }

    CRITICAL_SECTION mLock;
    Script mScript;
    Disc mDisc;
    bool mHasDisc = false;
    Location mLoc;
    Location mResume;
    bool mCanResume = false;
    bool mFirstPlayDone = false;
    double mRate = 1.0;
    bool mStill = false;
    bool mDvdPaused = false;
    double mAutoStopMs = -1;
    long mAutoStopEvent = 0;
    unsigned mParentalLevel = 8;
    BYTE mCountry[2] = {'U', 'S'};
    unsigned mPendingParental = 0;
    unsigned mKaraokeMode = 0;
    LCID mMenuLanguage = 0, mAudioLanguage = 0, mSubpictureLanguage = 0;
    DVD_AUDIO_LANG_EXT mAudioExt = DVD_AUD_EXT_NotSpecified;
    DVD_SUBPICTURE_LANG_EXT mSubpictureExt = DVD_SP_EXT_NotSpecified;
    bool mOptions[20] = {};
    WORD mGprm[16] = {};
    double mSecondsSent = -1;  // the time event last sent, in whole seconds

private:
    HRESULT QueryOther(REFIID iid, void** out) override;
    void OnStop() override;
    void OnPause(bool fromStop) override;
    void OnRun(REFERENCE_TIME start) override;
    static DWORD WINAPI ControlThread(void* self);
    void WantAgainWhilePaused(bool& wanted);
    static DWORD WINAPI FrameThread(void* self);
    static DWORD WINAPI AudioThread(void* self);
    void Tick(double elapsedMs, DWORD now);
    void StartFirstPlay();
    void PollInjection();
    void EndDueCommands(bool all);
    void DrawFrame(HDC dc);

    navigator::OutputPin mPin;
    navigator::OutputPin mAudioPin;
    Control mControl{*this};
    Info mInfo{*this};
    OldControl mOldControl{this};
    OldInfo mOldInfo{this};
    Line21 mLine21{this};
    Mixer mMixer{*this};
    std::shared_ptr<navigator::CmdRegistry> mCmdRegistry = std::make_shared<navigator::CmdRegistry>();
    // Commands still under way, with the tick count at which each ends.
    std::vector<std::pair<navigator::CommandPtr, DWORD>> mRunningCommands;
    HANDLE mQuit = nullptr;
    HANDLE mControlThread = nullptr, mFrameThread = nullptr, mAudioThread = nullptr;
    bool mFrameWanted = false;  // one frame for a pause
    bool mAudioWanted = false;
    DWORD mFirstRunTick = 0;
    bool mRunEventsSent = false;
};

// The IDvdState objects, the product navigator's with the double's class identifier: a snapshot
// of the navigator's location on one disc.
HRESULT CreateDvdState(const Location& loc, unsigned long long discId, unsigned parentalLevel,
                       IDvdState** out);
HRESULT CreateDvdStateObject(REFIID iid, void** out);  // for the class factory: empty, to be loaded
// The state's contents, when `state` is one of ours (its class identifier says so).
bool ReadDvdState(IDvdState* state, Location& loc, unsigned long long& discId);
// Records a call on a command or state object ("State.Load").
void RecordCall(const char* call);

// Counts the DLL's live objects for DllCanUnloadNow.
void ObjectCreated();
void ObjectDestroyed();

}  // namespace dvdnav
