// Building the DVD graph, the video window that shows it, and letting both go again.
#include "DvdPlayer.h"

#include <mmsystem.h>

#include <cstring>

#include "DsUtil.h"
#include "DvdTexts.h"
#include "OwnDvdGraphBuilder.h"
#include "Messages.h"
#include "RenderStatus.h"

namespace {

// An ANSI path as the navigator wants it; at most MAX_PATH characters.
void WidenPath(const char* path, wchar_t (&wide)[MAX_PATH + 1]) {
    wide[0] = L'\0';
    int length = static_cast<int>(strnlen(path, MAX_PATH));
    int written = ::MultiByteToWideChar(CP_ACP, 0, path, length, wide, MAX_PATH);
    wide[written > 0 ? written : 0] = L'\0';
}

}  // namespace

DvdPlayer::DvdPlayer(HINSTANCE instance_, HWND notifyWindow_, EngineHost* host)
    : instance(instance_), notifyWindow(notifyWindow_), mainWindow(host) {}

DvdPlayer::~DvdPlayer() {
    if (windowCreated) DestroyVideoWindow();
    ReleaseAll();
}

void DvdPlayer::SetPath(const char* path) {
    size_t length = strnlen(path ? path : "", MAX_PATH - 1);
    if (path) std::memcpy(dvdPath, path, length);
    dvdPath[length] = '\0';
}

bool DvdPlayer::Initialize() {
    if (!BuildGraph()) {
        ReleaseAll();
        return false;
    }
    CreateVideoWindow();
    return ApplyInitialOptions();
}

int DvdPlayer::Message(HWND owner, const char* text, const char* caption, UINT flags) {
    return GuardedMessageBox(modalGuard, owner, text, caption, flags);
}

bool DvdPlayer::Fail(const char* text) {
    Message(nullptr, text, dvdtext::kDvdErrorCaption, MB_OK);
    return false;
}

bool DvdPlayer::BuildGraph() {
    ReleaseAll();
    state = DvdPlayerState::Uninitialized;
    wchar_t widePath[MAX_PATH + 1];
    WidenPath(dvdPath, widePath);
    const wchar_t* volume = dvdPath[0] ? widePath : nullptr;

    // The platform's navigator first, as everywhere.
    AM_DVD_RENDERSTATUS status{};
    HRESULT hr = ::CoCreateInstance(CLSID_DvdGraphBuilder, nullptr, CLSCTX_INPROC_SERVER, IID_IDvdGraphBuilder,
                                    reinterpret_cast<void**>(dvdGraphBuilder.ReleaseAndGetAddressOf()));
    if (SUCCEEDED(hr) && !dvdGraphBuilder) hr = E_NOINTERFACE;
    if (SUCCEEDED(hr)) hr = dvdGraphBuilder->RenderDvdVideoVolume(volume, renderFlags, &status);
    // Where the platform has none that renders the volume (Wine has none at all, and a Windows
    // without an MPEG-2 decoder has none that decodes it), ours, which decodes the disc itself.
    if (FAILED(hr) && !RenderWithOwnNavigator(volume, hr, status)) return false;
    if (hr == S_FALSE) {
        char question[kRenderStatusWorkChars + sizeof(dvdtext::kContinueQuestion)] = {};
        if (RenderStatusSummary(status, question, kRenderStatusWorkChars) == 0)
            std::strcpy(question, dvdtext::kUnknownError);
        std::strcat(question, dvdtext::kContinueQuestion);
        if (Message(nullptr, question, dvdtext::kWarningCaption, MB_YESNO) == IDNO) return false;
    }
    return QueryInterfaces();
}

bool DvdPlayer::RenderWithOwnNavigator(const wchar_t* volume, HRESULT& hr, AM_DVD_RENDERSTATUS& status) {
    HRESULT platformHr = hr;
    ComPtr<IDvdGraphBuilder> own;
    AM_DVD_RENDERSTATUS ownStatus{};
    HRESULT ownHr = CreateOwnDvdGraphBuilder(own.GetAddressOf());
    if (SUCCEEDED(ownHr)) ownHr = own->RenderDvdVideoVolume(volume, renderFlags, &ownStatus);
    bool noVolume = ownHr == S_FALSE && (ownStatus.bDvdVolInvalid || ownStatus.bDvdVolUnknown);
    if (SUCCEEDED(ownHr) && !noVolume) {
        dvdGraphBuilder = own;
        hr = ownHr;
        status = ownStatus;
        return true;
    }
    // Neither can play it. The platform's answer when it has a navigator that lacked a decoder;
    // otherwise what ours found, which says more about the disc than "not implemented".
    dvdGraphBuilder.Reset();
    if (platformHr == VFW_E_DVD_DECNOTENOUGH) {
        Message(nullptr, dvdtext::kNoDecoderText, dvdtext::kNoDecoderCaption, MB_OK);
        return false;
    }
    if (noVolume) {
        Message(nullptr, dvdtext::kNoVolumeText, dvdtext::kRenderFailedCaption, MB_OK);
        return false;
    }
    char text[101] = {};
    ::AMGetErrorTextA(FAILED(ownHr) ? ownHr : platformHr, text, 100);
    text[100] = '\0';
    if (!text[0]) std::strcpy(text, dvdtext::kUnknownError);
    Message(nullptr, text, dvdtext::kRenderFailedCaption, MB_OK);
    return false;
}

bool DvdPlayer::QueryInterfaces() {
    if (FAILED(dvdGraphBuilder->GetDvdInterface(IID_IDvdInfo2,
                                                reinterpret_cast<void**>(dvdInfo.ReleaseAndGetAddressOf())))) {
        ComPtr<IUnknown> older;
        if (SUCCEEDED(dvdGraphBuilder->GetDvdInterface(IID_IDvdInfo, reinterpret_cast<void**>(older.GetAddressOf()))))
            return Fail(dvdtext::kOlderNavigator);
        return Fail(dvdtext::kNoInfo);
    }
    if (FAILED(dvdGraphBuilder->GetDvdInterface(IID_IDvdControl2,
                                                reinterpret_cast<void**>(dvdControl.ReleaseAndGetAddressOf())))) {
        ComPtr<IUnknown> older;
        if (SUCCEEDED(
                dvdGraphBuilder->GetDvdInterface(IID_IDvdControl, reinterpret_cast<void**>(older.GetAddressOf()))))
            return Fail(dvdtext::kOlderNavigator);
        return Fail(dvdtext::kNoControl);
    }
    if (FAILED(dvdGraphBuilder->GetFiltergraph(graphBuilder.ReleaseAndGetAddressOf())) || !graphBuilder)
        return Fail(dvdtext::kNoGraph);
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IMediaControl, mediaControl))) return Fail(dvdtext::kNoMediaControl);
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IMediaEventEx, mediaEvent))) return Fail(dvdtext::kNoMediaEvent);
    if (FAILED(dvdGraphBuilder->GetDvdInterface(IID_IVideoWindow,
                                                reinterpret_cast<void**>(videoRenderer.ReleaseAndGetAddressOf()))))
        return Fail(dvdtext::kNoVideoWindow);
    // Closed captions are optional: without the decoder they simply cannot be switched on.
    if (FAILED(dvdGraphBuilder->GetDvdInterface(IID_IAMLine21Decoder,
                                                reinterpret_cast<void**>(line21Decoder.ReleaseAndGetAddressOf()))))
        line21Decoder.Reset();
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IBasicVideo, basicVideo))) return Fail(dvdtext::kNoBasicVideo);
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IBasicAudio, basicAudio))) return Fail(dvdtext::kNoBasicAudio);
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IMediaSeeking, mediaSeeking))) return Fail(dvdtext::kNoSeeking);
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IMediaPosition, mediaPosition))) return Fail(dvdtext::kNoPosition);
    state = DvdStateAfter(state, DvdTransition::GraphBuilt);
    return true;
}

bool DvdPlayer::ApplyInitialOptions() {
    if (line21Decoder && FAILED(line21Decoder->SetServiceState(AM_L21_CCSTATE_Off))) return false;
    if (!dvdControl) return false;
    if (FAILED(dvdControl->SetOption(DVD_ResetOnStop, FALSE))) return false;
    if (FAILED(dvdControl->SetOption(DVD_NotifyParentalLevelChange, TRUE))) return false;
    return SUCCEEDED(dvdControl->SetOption(DVD_HMSF_TimeCodeEvents, TRUE));
}

bool DvdPlayer::CreateVideoWindow() {
    if (!videoFrame.Open(instance, kDvdWindowClass, notifyWindow)) return false;
    videoWindow = videoFrame.Hwnd();
    if (mediaEvent) mediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(videoWindow), WM_DVDEVENT, 0);
    if (videoRenderer) {
        AttachRenderer(videoRenderer.Get(), videoWindow);
        OnSize();
    }
    windowCreated = true;
    return true;
}

bool DvdPlayer::SetVideoWindowTitle(const char* text) {
    return ::SetWindowTextA(videoWindow, text) == 1;
}

bool DvdPlayer::SetDvdDirectory(const char* path) {
    if (!dvdControl) return false;
    if (FAILED(dvdControl->Stop())) return false;
    state = DvdStateAfter(state, DvdTransition::DirectorySet);
    wchar_t widePath[MAX_PATH + 1];
    WidenPath(path ? path : "", widePath);
    return SUCCEEDED(dvdControl->SetDVDDirectory(widePath));
}

void DvdPlayer::DestroyVideoWindow() {
    if (videoRenderer) {
        ::ShowWindow(videoWindow, SW_HIDE);
        videoRenderer->put_Visible(OAFALSE);
        if (fullScreen) {
            LeaveFullScreen();
            ::ShowWindow(videoWindow, SW_HIDE);
        }
    }
    ::UpdateWindow(notifyWindow);
    // Messages still queued for the window are dropped with it.
    videoFrame.Destroy();
    videoWindow = nullptr;
    windowCreated = false;
}

void DvdPlayer::ReleaseAll() {
    graphBuilder.Reset();
    dvdControl.Reset();
    dvdGraphBuilder.Reset();
    dvdInfo.Reset();
    line21Decoder.Reset();
    mediaControl.Reset();
    if (mediaEvent) mediaEvent->SetNotifyWindow(0, WM_DVDEVENT, 0);
    mediaEvent.Reset();
    if (videoRenderer) videoRenderer->put_Owner(0);
    videoRenderer.Reset();
    basicAudio.Reset();
    basicVideo.Reset();
    mediaSeeking.Reset();
    mediaPosition.Reset();
    state = DvdStateAfter(state, DvdTransition::Released);
}

void DvdPlayer::NoteProhibited() {
    prohibitedAt = ::timeGetTime();
    everProhibited = true;
    if (mainWindow) mainWindow->NoteProhibited();
}

void DvdPlayer::Repaint() {
    if (mainWindow) mainWindow->Repaint();
}

TransportSettings DvdPlayer::Settings() const {
    return mainWindow ? mainWindow->CurrentTransportSettings() : TransportSettings{};
}

EngineStatus DvdPlayer::Status() const {
    EngineStatus status;
    // The song-name field has nothing else to show for a disc: it names title and chapter.
    status.showsName = true;
    bool prohibited = everProhibited && ::timeGetTime() - prohibitedAt <= kProhibitedShownMs;
    status.name = DvdLocationText(currentTitle, currentChapter, prohibited);
    status.showsTime = true;
    uint32_t total = static_cast<uint32_t>(GetTotalTitleSeconds());
    status.positionSeconds = DvdTimeCodeSeconds({currentTime.hours, currentTime.minutes, currentTime.seconds, 0});
    status.lengthSeconds = total;
    status.stateWord = DvdStateWord(static_cast<int>(state));
    status.slider = DvdSliderPosition(GetCurrentSeconds(), total);
    return status;
}
