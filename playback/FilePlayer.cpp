// Opening a file: the filter graph, its interfaces, graph events, the window caption, error
// reports and closing.
#include "FilePlayer.h"

#include <commdlg.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Captions.h"
#include "Commands.h"
#include "DsUtil.h"
#include "Messages.h"
#include "OpenFileDialog.h"
#include "OpenFilter.h"
#include "PlaybackMath.h"
#include "StatusFigures.h"

namespace {

constexpr char kCannotPlayAsf[] =
    "The program can not play the file. The file is either corrupt or\nthe player does not support the "
    "format "
    "you are trying to play.\nIf you want more decoders, please visit our website.";
constexpr char kCannotPlay[] =
    "Tesmaro Player cannot play the file.  The file is either corrupt or\nthe appropriate decoders need to "
    "be "
    "installed.\nFor more information, please visit our website.";
constexpr char kAsxRefused[] =
    "ASX Playlists are not supported by this application.\n\nPlease select a valid media file.";

// The main menu's zoom items, checked one at a time, and the items that need a video.
constexpr UINT kZoomItems[] = {ID_ZOOM_50, ID_ZOOM_200, ID_ZOOM_100, ID_ZOOM_OTHER};
constexpr UINT kVideoItems[] = {ID_VIDEO_MENU_ITEM3, ID_VIDEO_MENU_ITEM4, ID_AUDIO_MUTE,
                                ID_VIDEO_MENU_ITEM2, ID_ZOOM_50,          ID_ZOOM_200,
                                ID_ZOOM_100,         ID_ZOOM_OTHER,       ID_VIDEO_MENU_ITEM1};

unsigned Hex(HRESULT hr) {
    return static_cast<unsigned>(hr);
}

}  // namespace

FilePlayer::FilePlayer(EngineHost& owner) : FilePlayer(owner.HostInstance(), owner.HostWindow()) {
    host = &owner;
}

FilePlayer::FilePlayer(HINSTANCE module, HWND owner, const TransportSettingsSource* settings)
    : notifyWindow(owner),
      mainMenu(owner ? ::GetMenu(owner) : nullptr),
      instance(module),
      settingsSource(settings) {}

FilePlayer::~FilePlayer() {
    if (state != Closed || windowCreated) CloseMedia();
}

void FilePlayer::SetPath(const char* path) {
    size_t length = strnlen(path ? path : "", MAX_PATH - 1);
    if (path) std::memcpy(fileName, path, length);
    fileName[length] = '\0';
}

TransportSettings FilePlayer::Settings() const {
    if (host) return host->CurrentTransportSettings();
    return settingsSource ? settingsSource->CurrentTransportSettings() : TransportSettings{};
}

bool FilePlayer::OnEngineCommand(UINT id) {
    switch (id) {
        case ID_PLAYBACK_REPEAT:
            ToggleRepeat();
            return true;
        case ID_PLAYBACK_STEPBACKWARD:
            StepFrames(-1);
            return true;
        case ID_CAPTURE_FRAME:
            CaptureFrame(kCapturedFrameFile);
            return true;
        case ID_CAPTURE_OPEN:
            OpenCapturedImage(kCapturedFrameFile);
            return true;
    }
    if (id >= kFilterCommandBase && id < kFilterCommandBase + kFilterNameCount) {
        ShowFilterPropertyPage(filterNames[id - kFilterCommandBase]);
        return true;
    }
    return false;
}

EngineStatus FilePlayer::Status() const {
    EngineStatus status;
    status.showsName = true;
    status.name = DisplayName(fileName);
    status.showsTime = !IsStillPicture();  // a picture has no time
    status.positionSeconds = MediaTimeSeconds(position);
    status.lengthSeconds = MediaTimeSeconds(stopPosition);
    status.stateWord = FileStateWord(state);
    status.slider = SliderFraction(position, stopPosition);
    return status;
}

bool FilePlayer::IsStillPicture() const {
    return IsStillImage(fileName);
}

bool FilePlayer::OpenMediaFile() {
    if (!fileName[0]) {
        UpdateVideoWindowTitle();
        ::ShowWindow(notifyWindow, SW_SHOWNORMAL);
        ::SetForegroundWindow(notifyWindow);
        char chosen[MAX_PATH] = {};
        if (!GetClipFileName(chosen)) {
            if (::CommDlgExtendedError())
                ReportError("GetClipFileName Failed! Error=0x%x\r\n",
                            static_cast<unsigned>(::GetLastError()));
            return false;
        }
        ::CharLowerA(chosen);
        if (std::strstr(chosen, ".asx")) {
            ReportError(kAsxRefused);
            return false;
        }
        std::memcpy(fileName, chosen, sizeof(fileName));
    }
    state = Stopped;
    volume = 0;
    CreateVideoWindow();
    HRESULT hr = BuildGraph(fileName);
    UnregisterDecoders(fileName);
    if (SUCCEEDED(hr)) return true;
    CloseMedia();
    return false;
}

bool FilePlayer::GetClipFileName(char* path) {
    // The first dialog starts at the drive's root; later ones are given no folder, so that the
    // platform starts them where the user last chose a file.
    static bool firstCall = true;
    path[0] = '\0';
    fw::FileDialog dialog;
    dialog.owner = notifyWindow;
    dialog.title = fw::kOpenMediaFilesTitle;
    dialog.filter = kMediaOpenFilter;
    dialog.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_READONLY;
    dialog.defaultExtension = "*";
    dialog.initialDirectory = firstCall ? "\\" : nullptr;
    firstCall = false;
    ModalScope modal(modalGuard);
    return fw::AskForFile(dialog, path, MAX_PATH);
}

HRESULT FilePlayer::BuildGraph(const char* path) {
    RegisterDecoders(path);
    std::wstring widePath = WidePath(path);

    HRESULT hr = ::CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                    reinterpret_cast<void**>(graphBuilder.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) {
        ReportError(
            "FAILED(hr=0x%x) in CoCreateInstance(CLSID_FilterGraph, NULL, CLSCTX_INPROC_SERVER, "
            "IID_IGraphBuilder, (void **)&pGB)\n",
            Hex(hr));
        return hr;
    }

    if (PictureExceedsLimit(path)) {
        // Decoding it would exhaust the process inside the platform's decoder, which ends the
        // process: it is refused like any file that the graph cannot render.
        ModalScope modal(modalGuard);
        ::MessageBoxA(nullptr, IsAsfFile(path) ? kCannotPlayAsf : kCannotPlay, kProductName, MB_OK);
        return VFW_E_CANNOT_RENDER;
    }

    ComPtr<IBaseFilter> windowedRenderer = AddWindowedRenderer();
    if (IsAsfFile(path)) {
        hr = RenderAsfFile(widePath.c_str());
        if (FAILED(hr)) {
            hr = AddKeyProvider(graphBuilder.Get());
            if (FAILED(hr)) {
                ReportError("FAILED(hr=0x%x) in AddKeyProvider(pGB)\n", Hex(hr));
                return hr;
            }
            hr = graphBuilder->RenderFile(widePath.c_str(), nullptr);
            if (FAILED(hr)) {
                ModalScope modal(modalGuard);
                ::MessageBoxA(nullptr, kCannotPlayAsf, kProductName, MB_OK);
                return hr;
            }
        }
    } else {
        hr = graphBuilder->RenderFile(widePath.c_str(), nullptr);
        if (FAILED(hr)) {
            ModalScope modal(modalGuard);
            ::MessageBoxA(nullptr, kCannotPlay, kProductName, MB_OK);
            return hr;
        }
    }

    // A file without pictures leaves the renderer unconnected: out it goes, so that the graph
    // reports no video window.
    if (windowedRenderer && !IsFilterConnected(windowedRenderer.Get())) {
        graphBuilder->RemoveFilter(windowedRenderer.Get());
    }
    RemoveExtraFilters();

    struct Query {
        REFIID iid;
        void** target;
        const char* failure;
    };
    const Query queries[] = {
        {IID_IMediaControl, reinterpret_cast<void**>(mediaControl.ReleaseAndGetAddressOf()),
         "FAILED(hr=0x%x) in pGB->QueryInterface(IID_IMediaControl, (void **)&pMC)\n"},
        {IID_IMediaEventEx, reinterpret_cast<void**>(mediaEvent.ReleaseAndGetAddressOf()),
         "FAILED(hr=0x%x) in pGB->QueryInterface(IID_IMediaEventEx, (void **)&pME)\n"},
        {IID_IMediaSeeking, reinterpret_cast<void**>(mediaSeeking.ReleaseAndGetAddressOf()),
         "FAILED(hr=0x%x) in pGB->QueryInterface(IID_IMediaSeeking, (void **)&pMS)\n"},
        {IID_IVideoWindow, reinterpret_cast<void**>(videoRenderer.ReleaseAndGetAddressOf()),
         "FAILED(hr=0x%x) in pGB->QueryInterface(IID_IVideoWindow, (void **)&pVW)\n"},
        {IID_IBasicVideo, reinterpret_cast<void**>(basicVideo.ReleaseAndGetAddressOf()),
         "FAILED(hr=0x%x) in pGB->QueryInterface(IID_IBasicVideo, (void **)&pBV)\n"},
        {IID_IBasicAudio, reinterpret_cast<void**>(basicAudio.ReleaseAndGetAddressOf()),
         "FAILED(hr=0x%x) in pGB->QueryInterface(IID_IBasicAudio, (void **)&pBA)\n"},
    };
    for (const Query& query : queries) {
        hr = graphBuilder->QueryInterface(query.iid, query.target);
        if (FAILED(hr)) {
            ReportError(query.failure, Hex(hr));
            return hr;
        }
    }

    DetectAudioOnly();
    hr = mediaEvent->SetNotifyWindow(reinterpret_cast<OAHWND>(videoWindow), WM_GRAPHNOTIFY, 0);
    if (FAILED(hr)) {
        ReportError(
            "FAILED(hr=0x%x) in pME->SetNotifyWindow(reinterpret_cast<OAHWND>(m_hWnd), WM_GRAPHNOTIFY, 0)\n",
            Hex(hr));
        return hr;
    }

    if (!audioOnly) {
        long style = 0;
        videoRenderer->get_WindowStyle(&style);
        videoRenderer->put_WindowStyle((style & ~(WS_CAPTION | WS_THICKFRAME)) | WS_CHILD);
        videoRenderer->put_Owner(reinterpret_cast<OAHWND>(videoWindow));
        videoRenderer->put_MessageDrain(reinterpret_cast<OAHWND>(videoWindow));
        hr = InitVideoWindow(1, 1);
        if (FAILED(hr)) {
            ReportError("FAILED(hr=0x%x) in InitVideoWindow(1, 1)\n", Hex(hr));
            return hr;
        }
        InitFrameStep();
    }
    CheckZoomMenu(ID_ZOOM_100);

    if (!audioOnly) {
        if (!IsDeferredFullScreenFile(fileName) && fullScreen == 1) EnterFullScreen();
        videoShown = 1;
        ::ShowWindow(videoWindow, SW_SHOWNORMAL);
    } else {
        ::ShowWindow(videoWindow, SW_HIDE);
    }
    ::UpdateWindow(videoWindow);
    ::SetForegroundWindow(videoWindow);
    ::SetFocus(videoWindow);
    UpdateVideoWindowTitle();
    ::SetTimer(videoWindow, kPositionTimer, kPositionTimerMs, nullptr);

    hr = mediaControl->Run();
    if (FAILED(hr)) {
        ReportError("FAILED(hr=0x%x) in pMC->Run()\n", Hex(hr));
        return hr;
    }
    state = Running;
    if (DeferredFullScreenWanted()) ::SetTimer(videoWindow, kFullScreenTimer, kFullScreenTimerMs, nullptr);
    return hr;
}

bool FilePlayer::DeferredFullScreenWanted() const {
    return IsDeferredFullScreenFile(fileName) && fullScreen == 1;
}

HRESULT FilePlayer::RenderAsfFile(const wchar_t* widePath) {
    ComPtr<IBaseFilter> reader;
    HRESULT hr = CreateFilter(CLSID_WMAsfReader, reader.GetAddressOf());
    if (FAILED(hr)) {
        ReportError("Failed to create WMAsfWriter filter!  hr=0x%x\n", Hex(hr));
        return hr;
    }
    hr = graphBuilder->AddFilter(reader.Get(), L"ASF Reader");
    if (FAILED(hr)) {
        ReportError("Failed to add ASF reader filter to graph!  hr=0x%x\n", Hex(hr));
        return hr;
    }
    ComPtr<IFileSourceFilter> source;
    hr = QueryInto(reader.Get(), IID_IFileSourceFilter, source);
    if (FAILED(hr)) {
        ReportError("FAILED(hr=0x%x) in pReader->QueryInterface(IID_IFileSourceFilter, (void **) &pFSF)\n",
                    Hex(hr));
        return hr;
    }
    hr = source->Load(widePath, nullptr);
    if (FAILED(hr)) {
        // Not a file for this reader: the caller renders it the general way.
        graphBuilder->RemoveFilter(reader.Get());
        return hr;
    }
    source.Reset();
    return RenderUnconnectedOutputs(graphBuilder.Get(), reader.Get());
}

// The graph builder tries the filters already in the graph first, so the video goes to this
// renderer. It draws with GDI into whatever window owns it; the mixing renderer that the builder
// would choose by itself presents through Direct3D, which on some systems (Wine among them) shows
// nothing once its window is made a child of ours.
Microsoft::WRL::ComPtr<IBaseFilter> FilePlayer::AddWindowedRenderer() {
    ComPtr<IBaseFilter> renderer;
    if (FAILED(::CoCreateInstance(CLSID_VideoRenderer, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(renderer.GetAddressOf()))) ||
        FAILED(graphBuilder->AddFilter(renderer.Get(), L"Video Renderer"))) {
        return nullptr;
    }
    return renderer;
}

HRESULT FilePlayer::RenderUnconnectedOutputs(IGraphBuilder* graph, IBaseFilter* filter) {
    return ::RenderUnconnectedOutputs(graph, filter);
}

// Protected Windows Media content would need a key provider here; plain files play without.
HRESULT FilePlayer::AddKeyProvider(IGraphBuilder*) {
    return S_OK;
}

HRESULT FilePlayer::CreateFilter(REFCLSID clsid, IBaseFilter** filter) {
    HRESULT hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                    reinterpret_cast<void**>(filter));
    if (FAILED(hr)) {
        ReportError("CreateFilter: Failed to create filter!  hr=0x%x\n", Hex(hr));
        *filter = nullptr;
        return hr;
    }
    return S_OK;
}

void FilePlayer::DetectAudioOnly() {
    if (!videoRenderer || !basicVideo) {
        audioOnly = 1;
        return;
    }
    audioOnly = 0;
    long visible = 0;
    HRESULT hr = videoRenderer->get_Visible(&visible);
    if (hr == E_NOINTERFACE) {
        audioOnly = 1;
    } else if (FAILED(hr)) {
        ReportError("Failed(%08lx) in pVW->get_Visible()!\r\n", static_cast<unsigned long>(hr));
    }
}

bool FilePlayer::InitFrameStep() {
    ComPtr<IVideoFrameStep> step;
    if (FAILED(QueryInto(graphBuilder.Get(), IID_IVideoFrameStep, step))) return false;
    if (step->CanStep(0, nullptr) != S_OK) return false;
    frameStep = step;
    return true;
}

void FilePlayer::HandleGraphEvents() {
    if (!mediaEvent) return;
    long code;
    LONG_PTR param1, param2;
    while (mediaEvent && SUCCEEDED(mediaEvent->GetEvent(&code, &param1, &param2, 0))) {
        mediaEvent->FreeEventParams(code, param1, param2);
        if (code != EC_COMPLETE) continue;
        if (repeat) {
            LONGLONG start = 0;
            if (mediaSeeking && SUCCEEDED(mediaSeeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning,
                                                                     nullptr, AM_SEEKING_NoPositioning))) {
                continue;
            }
            HRESULT hr = mediaControl->Stop();
            if (FAILED(hr)) {
                ReportError("Failed(0x%08lx) to stop media clip!\r\n", static_cast<unsigned long>(hr));
                break;
            }
            hr = mediaControl->Run();
            if (FAILED(hr)) {
                ReportError("Failed(0x%08lx) to reset media clip!\r\n", static_cast<unsigned long>(hr));
                break;
            }
        } else if (IsStillImage(fileName)) {
            // A picture's stream ends once its one frame is out. Stopping holds that frame on
            // the screen; the picture stays until the user steps through the playlist.
            Stop();
            WaitForPicture();
        } else {
            Stop();
            ::PostMessageA(notifyWindow, WM_COMMAND, ID_PLAYBACK_NEXTCHAPTER, 0);
        }
    }
}

void FilePlayer::UpdateVideoWindowTitle() {
    std::string caption = VideoWindowCaption(fileName, volume == kVolumeSilent, state == Paused);
    if (videoWindow) ::SetWindowTextA(videoWindow, caption.c_str());
}

void FilePlayer::ReportError(const char* format, ...) {
    char text[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof(text), format, args);
    va_end(args);
    ModalScope modal(modalGuard);
    ::MessageBoxA(nullptr, text, kProductName, MB_OK);
}

void FilePlayer::CheckZoomMenu(UINT commandId) {
    if (!mainMenu) return;
    for (UINT id : kZoomItems)
        ::CheckMenuItem(mainMenu, id, MF_BYCOMMAND | (id == commandId ? MF_CHECKED : MF_UNCHECKED));
}

void FilePlayer::EnableVideoMenu(bool enable) {
    if (!mainMenu) return;
    for (UINT id : kVideoItems)
        ::EnableMenuItem(mainMenu, id, MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
}

void FilePlayer::CloseMedia() {
    if (mediaControl) mediaControl->Stop();
    state = Stopped;
    audioOnly = 1;
    if (windowCreated) DestroyVideoWindow();
    ReleaseInterfaces();
    fileName[0] = '\0';
    state = Closed;
    if (notifyWindow) ::InvalidateRect(notifyWindow, nullptr, TRUE);
    UpdateVideoWindowTitle();
}

void FilePlayer::ReleaseInterfaces() {
    if (videoRenderer) {
        videoRenderer->put_Visible(OAFALSE);
        videoRenderer->put_Owner(0);
    }
    if (mediaEvent) mediaEvent->SetNotifyWindow(0, 0, 0);
    // One reference each, given back in this order.
    mediaEvent.Reset();
    mediaSeeking.Reset();
    mediaControl.Reset();
    basicAudio.Reset();
    basicVideo.Reset();
    videoRenderer.Reset();
    frameStep.Reset();
    graphBuilder.Reset();
}
