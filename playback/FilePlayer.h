// The engine that plays one media file (video, audio or address) through a DirectShow filter
// graph and shows it in a top-level window of its own, "VCDEventWindow".
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>
#include <memory>

#include "Commands.h"
#include "EngineHost.h"
#include "GraphFilters.h"
#include "PlaybackEngine.h"
#include "TransportSettings.h"
#include "VideoWindow.h"

enum FilePlayerState {
    Stopped = 0,
    Paused = 1,
    Running = 2,
    Closed = 3,
    Scanning = 4,
};

inline constexpr char kVideoWindowClass[] = "VCDEventWindow";
// Where a captured frame goes: the current directory.
inline constexpr char kCapturedFrameFile[] = "VideoImage.bmp";
inline constexpr UINT kFilterCommandBase = ID_FILTER_BASE;

class FilePlayer final : public PlaybackEngine, private VideoWindowHandler {
public:
    // The engine of a host window: commands and position updates go to host.HostWindow(), the
    // skip and scan amounts come from the host at the moment of each command.
    explicit FilePlayer(EngineHost& host);
    // An engine without a host; settings may be null: the default skip and scan amounts are
    // used then.
    FilePlayer(HINSTANCE module, HWND owner, const TransportSettingsSource* settings = nullptr);
    // Closes the media, so that no video window outlives the engine it points at.
    ~FilePlayer() override;

    // The engine interface
    void Play() override;
    void Pause() override;
    void Stop() override;
    void ScanForward(float rate) override;
    void ScanBackward(float rate) override;  // rate > 0: the engine plays backwards at it
    void SkipSeconds(int delta) override;
    void StepForward() override;
    bool NextChapter() override { return false; }  // a file has no chapters: the playlist steps
    bool PreviousChapter() override { return false; }
    bool SeekToFraction(double fraction) override;
    void Zoom(int multiplier, int divisor) override;
    void ToggleFullScreen() override;
    void ShowColourControls() override;
    void SetVolumeFraction(float fraction) override;
    void VolumeUp() override;
    void VolumeDown() override;
    void ToggleMute() override;
    void SetAudioChannel(int channel) override;
    void OnChar(WPARAM ch) override;
    void OnKeyUp(WPARAM key, LPARAM lParam) override;
    // Repeat, step backward, frame capture and opening the captured frame.
    bool OnEngineCommand(UINT id) override;
    EngineStatus Status() const override;
    bool IsStillPicture() const override;
    const char* MediaPath() const override { return fileName; }
    // True while the engine runs a modal loop of its own (a message box, its popup menu): its
    // owner must not delete it until the loop has returned.
    bool InModalLoop() const override { return modalGuard.Active(); }
    int FullScreenMemory(int) const override { return fullScreen; }

    // Opening and closing
    // The path to open (cut to MAX_PATH - 1 characters) and whether it opens full screen.
    void SetPath(const char* path);
    void SetFullScreenWish(int wish) { fullScreen = wish; }
    bool OpenMediaFile();
    void CloseMedia();

    // Transport
    HRESULT StepFrames(int delta);
    HRESULT SeekTo(int64_t time);
    int ToggleRepeat();
    void PollPosition();
    int64_t GetPosition() const { return position; }
    int64_t GetStopPosition() const { return stopPosition; }
    HRESULT InitVideoWindow(int multiplier, int divisor);

    // Still pictures and frame capture
    static bool IsStillImage(const char* path);
    // A picture file that declares more pixels than the process can decode and show.
    static bool PictureExceedsLimit(const char* path);
    bool CaptureFrame(const char* path);
    void OpenCapturedImage(const char* path);

    // Decoder filters and the Filters submenu
    int RegisterDecoders(const char* path);
    int UnregisterDecoders(const char* path);
    int RemoveExtraFilters();
    // The first filter of the graph with exactly this name, or null.
    Microsoft::WRL::ComPtr<IBaseFilter> FindFilterByName(const char* name);
    void RemoveDuplicateRenderer(const char* prefix);
    HRESULT FillFiltersMenu(HMENU popup);
    void ShowFilterPropertyPage(const char* name);

    // What tests look at.
    FilePlayerState GetState() const { return state; }
    IGraphBuilder* Graph() const { return graphBuilder.Get(); }
    HWND VideoWindowHandle() const { return videoWindow; }
    const char* FilterName(int index) const { return filterNames[index]; }
    // A graph the test builds by hand, without a file.
    void SetGraphForTest(IGraphBuilder* graph) { graphBuilder = graph; }

private:
    // Opening, graph and closing
    HRESULT BuildGraph(const char* path);
    HRESULT RenderAsfFile(const wchar_t* widePath);
    HRESULT RenderUnconnectedOutputs(IGraphBuilder* graph, IBaseFilter* filter);
    HRESULT AddKeyProvider(IGraphBuilder* graph);
    HRESULT CreateFilter(REFCLSID clsid, IBaseFilter** filter);
    Microsoft::WRL::ComPtr<IBaseFilter> AddWindowedRenderer();
    void DetectAudioOnly();
    bool InitFrameStep();
    bool GetClipFileName(char* path);
    void HandleGraphEvents();
    void UpdateVideoWindowTitle();
    void ReportError(const char* format, ...);
    void CheckZoomMenu(UINT commandId);
    void EnableVideoMenu(bool enable);
    void ReleaseInterfaces();

    // Video window
    bool CreateVideoWindow();
    void DestroyVideoWindow();
    void OnVideoCommand(UINT id);
    LRESULT OnVideoTimer(UINT_PTR id);
    LRESULT OnVideoSize();
    void OnVideoPaint();
    LRESULT OnVideoMouse(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnVideoKeyUp(WPARAM key, LPARAM lParam);
    int ToggleFront();
    void ShowContextMenu(int x, int y);
    LRESULT OnVideoScroll(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Sizing and full screen
    bool EnterFullScreen();
    bool LeaveFullScreen();
    HRESULT StepOneFrame();

    LRESULT OnVideoMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    TransportSettings Settings() const;
    LRESULT DefaultTail(UINT message, WPARAM wParam, LPARAM lParam);
    HRESULT SeekAbsolute(int64_t target);
    bool DeferredFullScreenWanted() const;
    // The still-picture sides of sizing, painting and full screen.
    HRESULT InitStillWindow(long w, long h);
    LRESULT OnStillSize();
    void OnStillPaint();
    bool EnterStillFullScreen();
    bool LeaveStillFullScreen();
    void RedeliverPicture();
    void WaitForPicture();
    // The renderer's current frame as a packed bitmap, and its size in bytes.
    HRESULT ReadCurrentImage(std::unique_ptr<unsigned char[]>& image, long& size);

    HWND notifyWindow = nullptr;
    HMENU mainMenu = nullptr;
    HINSTANCE instance = nullptr;
    char fileName[MAX_PATH] = {};
    BOOL audioOnly = 0;
    BOOL fullScreen = 0;  // also the wish to open the next file full screen
    FilePlayerState state = Closed;
    Microsoft::WRL::ComPtr<IVideoWindow> videoRenderer;  // pVW
    BOOL videoShown = 0;
    Microsoft::WRL::ComPtr<IBasicVideo> basicVideo;      // pBV
    long volume = 0;                                     // hundredths of a decibel, 0 .. -10000
    Microsoft::WRL::ComPtr<IGraphBuilder> graphBuilder;  // pGB
    Microsoft::WRL::ComPtr<IMediaControl> mediaControl;  // pMC
    Microsoft::WRL::ComPtr<IMediaEventEx> mediaEvent;    // pME
    Microsoft::WRL::ComPtr<IBasicAudio> basicAudio;      // pBA
    Microsoft::WRL::ComPtr<IMediaSeeking> mediaSeeking;  // pMS
    Microsoft::WRL::ComPtr<IVideoFrameStep> frameStep;   // only when the renderer can step
    HWND videoWindow = nullptr;
    bool windowCreated = false;
    int64_t position = 0;      // at the last poll, 100-nanosecond units
    int64_t stopPosition = 0;  // at the last poll: the clip's length
    BOOL repeat = 0;
    BOOL mainOnTop = 1;
    RECT videoRect{};
    float zoom = 1.0f;
    FilterNameTable filterNames = {};

    EngineHost* host = nullptr;
    const TransportSettingsSource* settingsSource = nullptr;
    ModalGuard modalGuard{notifyWindow};
    CursorHider cursor;
    FullScreenPlacement placement;
    VideoWindow videoFrame{*this};  // last: it goes first, while the engine it calls still stands
};
