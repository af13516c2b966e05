// The engine that plays a DVD-Video volume through the platform's DVD graph builder and
// navigator, and shows it in the shared video window of class "EventWindow". What every video
// window does (its class and placement, full screen, the cursor, the front toggle, the modal
// guard) comes from engine/; this class keeps what is the navigator's.
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>

#include "DvdBookmark.h"
#include "DvdMath.h"
#include "EngineHost.h"
#include "GraphFilters.h"
#include "Line21Decoder.h"
#include "PlaybackEngine.h"
#include "VideoWindow.h"

// The toolchain's control.h gives these interfaces no identifier for ComPtr::As.
__CRT_UUID_DECL(IMediaPosition, 0x56a868b2, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicAudio, 0x56a868b3, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicVideo, 0x56a868b5, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IMediaEventEx, 0x56a868c0, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)

inline constexpr char kDvdWindowClass[] = "EventWindow";
inline constexpr char kDvdWindowTitle[] = "DVD Video Window";

class DvdPlayer final : public PlaybackEngine, private VideoWindowHandler {
public:
    // host may be null (then there are no settings, repaints or prohibited notes to give).
    DvdPlayer(HINSTANCE instance, HWND notifyWindow, EngineHost* host);
    ~DvdPlayer() override;

    // Opening: the volume's path, the graph and the window, the window's title, the directory.
    // Copies path (cut to MAX_PATH - 1 characters) as the volume to render.
    void SetPath(const char* path);
    bool Initialize();
    bool SetVideoWindowTitle(const char* text);
    bool SetDvdDirectory(const char* path);

    DvdPlayerState GetState() const { return state; }
    ULONG GetCurrentTitle() const { return currentTitle; }
    ULONG GetCurrentChapter() const { return currentChapter; }
    DvdTimeCode GetCurrentTimeCode() const { return currentTime; }
    uint32_t GetCurrentSeconds() const { return DvdTimeCodeSeconds(currentTime); }
    uint64_t GetTotalTitleSeconds() const;
    ULONG GetParentalLevel() const;

    // Transport (DvdTransport.cpp); the results as the navigator gave them.
    HRESULT PlayDvd();
    bool PauseDvd();
    bool StopDvd();
    bool PlayNextChapter();
    bool PlayPreviousChapter();
    bool ScanDvdForward(float rate);
    bool ScanDvdBackward(float rate);
    bool ToggleRootMenu();
    bool ToggleTitleMenu();
    bool PlayChapter(ULONG chapter);
    bool PlayChapterInTitle(ULONG title, ULONG chapter);
    bool PlayAtTime(DvdTimeCode time);
    void SkipDvdSeconds(int delta);
    bool StepFrame();
    // Closed captions on or off, and the switch of the caption command; false when the graph has
    // no caption decoder or it refused.
    bool SetClosedCaptions(bool on);
    bool ToggleClosedCaptions();

    // Sound (DvdTransport.cpp): 0 without audio or when the renderer has no volume control, else
    // the result of the last call to the renderer.
    HRESULT DvdVolumeUp();
    HRESULT DvdVolumeDown();
    HRESULT DvdToggleMute();
    HRESULT DvdSetVolumeFraction(float fraction);
    HRESULT DvdSetAudioChannel(int channel);

    // Picture (DvdVideoWindow.cpp)
    bool EnterFullScreen();
    bool LeaveFullScreen();
    int ZoomVideo(int numerator, int denominator);

    // Menus, dialogs, bookmark, disc information and output controls (DvdMenuCommands.cpp)
    // Shows subpictures from `stream`, or hides them.
    bool SelectSubpicture(ULONG stream);
    bool DisableSubpicture();
    bool SelectAudio(ULONG stream);
    void ShowFilterPropertyPage(const char* name);
    bool SaveBookmark();
    bool RestoreBookmark();
    bool ShowTextInfo();
    bool ShowAudioAttributes();
    bool ShowVideoAttributes();
    bool ShowSubpictureAttributes();
    HRESULT SetFullBrightness();
    // After the navigator refused the disc for its region: asks the system's region tool to
    // change the drive's region and starts the disc afresh when it did.
    bool ChangeRegion();
    // Applies a parental level; the navigator takes one only while stopped.
    bool ApplyParentalLevel(ULONG level);

    // PlaybackEngine
    void Play() override { PlayDvd(); }
    void Pause() override { PauseDvd(); }
    void Stop() override { StopDvd(); }
    void ScanForward(float rate) override { ScanDvdForward(rate); }
    void ScanBackward(float rate) override { ScanDvdBackward(rate); }
    void SkipSeconds(int delta) override { SkipDvdSeconds(delta); }
    void StepForward() override { StepFrame(); }
    bool NextChapter() override;
    bool PreviousChapter() override;
    bool SeekToFraction(double fraction) override;
    void Zoom(int multiplier, int divisor) override { ZoomVideo(multiplier, divisor); }
    void ToggleFullScreen() override;
    void ShowColourControls() override { SetFullBrightness(); }
    void SetVolumeFraction(float fraction) override { DvdSetVolumeFraction(fraction); }
    void VolumeUp() override { DvdVolumeUp(); }
    void VolumeDown() override { DvdVolumeDown(); }
    void ToggleMute() override { DvdToggleMute(); }
    void SetAudioChannel(int channel) override { DvdSetAudioChannel(channel); }
    void OnChar(WPARAM ch) override;
    void OnKeyUp(WPARAM key, LPARAM lParam) override;
    // Menus, captions, the popup's entries, the dialogs, bookmarks and reports.
    bool OnEngineCommand(UINT id) override;
    EngineStatus Status() const override;
    bool IsStillPicture() const override { return false; }
    const char* MediaPath() const override { return dvdPath; }
    bool InModalLoop() const override { return modalGuard.Active(); }

    // What tests look at: the navigator's interfaces, the window, the graph and the values the
    // popup menu and the sound controls keep.
    IDvdInfo2* Info() const { return dvdInfo.Get(); }
    IDvdControl2* Control() const { return dvdControl.Get(); }
    IGraphBuilder* Graph() const { return graphBuilder.Get(); }
    IBasicAudio* Audio() const { return basicAudio.Get(); }
    HWND VideoWindowHandle() const { return videoWindow; }
    const char* FilterName(int index) const { return filterNames[index]; }
    bool SubpicturesShown() const { return subpictureShown != FALSE; }
    bool CaptionsOn() const { return captionsOn; }
    long StoredVolume() const { return savedVolume; }
    void SetStoredVolume(long volume) { savedVolume = volume; }
    // The sound controls on a graph of the test's own, without a disc.
    void SetAudioForTest(IBasicAudio* audio) { basicAudio = audio; }

private:
    // Graph and window (DvdPlayer.cpp)
    bool BuildGraph();
    // After the platform's builder failed with hr: renders the volume with our own navigator.
    // True with its builder, hr and status taken; false, with the failure told, when ours
    // cannot play the volume either.
    bool RenderWithOwnNavigator(const wchar_t* volume, HRESULT& hr, AM_DVD_RENDERSTATUS& status);
    bool QueryInterfaces();
    bool ApplyInitialOptions();
    bool CreateVideoWindow();
    void DestroyVideoWindow();
    void ReleaseAll();
    // A message box of the engine; counted as a modal loop so the owner keeps the engine alive.
    int Message(HWND owner, const char* text, const char* caption, UINT flags);
    bool Fail(const char* text);
    void NoteProhibited();
    void Repaint();
    TransportSettings Settings() const;

    // Transport helpers (DvdTransport.cpp)
    bool WaitAndRelease(HRESULT hr, IDvdCmd* command);
    bool ToggleMenu(DVD_MENU_ID menu, bool noteRefusal);

    // Events (DvdEvents.cpp)
    LRESULT ProcessGraphEvents();
    void OnGraphEvent(long code, LONG_PTR param1, LONG_PTR param2);
    void OnNavigatorError(long code);

    // The video window's messages (DvdVideoWindow.cpp)
    LRESULT OnVideoMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnSize();
    LRESULT OnVideoKeyUp(WPARAM key, LPARAM lParam);
    void OnVideoCommand(UINT id);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    void ToggleFront();

    // The popup menu and what it and the main window's DVD commands lead to (DvdMenuCommands.cpp)
    void ShowContextMenu(int x, int y);
    bool OnMenuCommand(UINT id);
    // Where the bookmark is written and looked for.
    BookmarkFiles Bookmarks() const;
    // The stream, angle, jump, karaoke and parental dialogs; false for any other command.
    bool ShowDvdDialog(UINT command);

    HINSTANCE instance = nullptr;
    HWND notifyWindow = nullptr;
    EngineHost* mainWindow = nullptr;
    char dvdPath[MAX_PATH] = {};
    DWORD renderFlags = AM_DVD_HWDEC_PREFER;

    // The graph, as the builder gives it.
    Microsoft::WRL::ComPtr<IDvdGraphBuilder> dvdGraphBuilder;
    Microsoft::WRL::ComPtr<IDvdControl2> dvdControl;
    Microsoft::WRL::ComPtr<IDvdInfo2> dvdInfo;
    Microsoft::WRL::ComPtr<IAMLine21Decoder> line21Decoder;
    Microsoft::WRL::ComPtr<IGraphBuilder> graphBuilder;
    Microsoft::WRL::ComPtr<IVideoWindow> videoRenderer;
    Microsoft::WRL::ComPtr<IMediaEventEx> mediaEvent;
    Microsoft::WRL::ComPtr<IMediaControl> mediaControl;
    Microsoft::WRL::ComPtr<IBasicVideo> basicVideo;
    Microsoft::WRL::ComPtr<IBasicAudio> basicAudio;
    Microsoft::WRL::ComPtr<IMediaSeeking> mediaSeeking;
    Microsoft::WRL::ComPtr<IMediaPosition> mediaPosition;

    // Where the disc plays, as the navigator's events said.
    DvdPlayerState state = DvdPlayerState::Uninitialized;
    ULONG currentTitle = 0;
    ULONG currentChapter = 0;
    DvdTimeCode currentTime{};
    bool inMenu = false;
    bool stillOn = false;
    bool captionsOn = false;
    BOOL subpictureShown = TRUE;
    long savedVolume = 0;
    FilterNameTable filterNames = {};
    DWORD prohibitedAt = 0;
    bool everProhibited = false;

    // The window. fitFullScreen chooses the picture fitted into the window covering the screen;
    // otherwise the renderer's own window covers it.
    HWND videoWindow = nullptr;
    bool windowCreated = false;
    bool showOnFirstPlay = true;
    bool fullScreen = false;
    bool fitFullScreen = true;
    BOOL mainOnTop = TRUE;
    FullScreenPlacement placement;
    RendererFullScreen rendererScreen;
    CursorHider cursor;
    ModalGuard modalGuard{notifyWindow};
    VideoWindow videoFrame{*this};  // last: it goes first, while the engine it calls still stands
};
