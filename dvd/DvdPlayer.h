// The engine that plays a DVD-Video volume through the platform's DVD graph builder and
// navigator, and shows it in a top-level window of its own, "EventWindow".
#pragma once

#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>

#include "DvdMath.h"
#include "EngineHost.h"
#include "Line21Decoder.h"
#include "PlaybackEngine.h"

// The toolchain's control.h gives these interfaces no identifier for ComPtr::As.
__CRT_UUID_DECL(IMediaPosition, 0x56a868b2, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicAudio, 0x56a868b3, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IBasicVideo, 0x56a868b5, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)
__CRT_UUID_DECL(IMediaEventEx, 0x56a868c0, 0x0ad4, 0x11ce, 0xb0, 0x3a, 0x00, 0x20, 0xaf, 0x0b, 0xa7, 0x70)

inline constexpr char kDvdWindowClass[] = "EventWindow";
inline constexpr char kDvdWindowTitle[] = "DVD Video Window";
inline constexpr int kDvdFilterNameCount = 64;
// The cursor-hiding timer of the video window, and how long the mouse must rest.
inline constexpr UINT_PTR kDvdCursorTimer = 1;
inline constexpr UINT kDvdFitCursorTimerMs = 50000;
inline constexpr UINT kDvdRendererCursorTimerMs = 30000;
inline constexpr DWORD kDvdCursorIdleMs = 100000;

class DvdPlayer : public PlaybackEngine {
public:
    // host may be null (then there are no settings, repaints or prohibited notes to give).
    DvdPlayer(HINSTANCE instance, HWND notifyWindow, EngineHost* host);
    ~DvdPlayer() override;

    Microsoft::WRL::ComPtr<IDvdControl2> dvdControl;
    Microsoft::WRL::ComPtr<IDvdInfo2> dvdInfo;
    ULONG currentChapter = 0;
    ULONG currentTitle = 0;
    DvdTimeCode currentTime{};
    EngineHost* mainWindow = nullptr;
    bool inMenu = false;
    bool showOnFirstPlay = true;
    bool fullScreen = false;
    RECT savedWindowRect{};
    DWORD savedVideoStyle = 0;
    DWORD savedVideoStyleEx = 0;
    DWORD lastMouseTime = 0;
    int cursorCount = 0;
    HWND videoWindow = nullptr;
    bool stillOn = false;
    HINSTANCE instance = nullptr;
    Microsoft::WRL::ComPtr<IAMLine21Decoder> line21Decoder;
    Microsoft::WRL::ComPtr<IGraphBuilder> graphBuilder;
    Microsoft::WRL::ComPtr<IVideoWindow> videoRenderer;
    Microsoft::WRL::ComPtr<IMediaEventEx> mediaEvent;
    Microsoft::WRL::ComPtr<IMediaControl> mediaControl;
    Microsoft::WRL::ComPtr<IDvdGraphBuilder> dvdGraphBuilder;
    DWORD renderFlags = AM_DVD_HWDEC_PREFER;
    DvdPlayerState state = DvdPlayerState::Uninitialized;
    bool windowCreated = false;
    Microsoft::WRL::ComPtr<IBasicVideo> basicVideo;
    Microsoft::WRL::ComPtr<IBasicAudio> basicAudio;
    long savedVolume = 0;
    HWND notifyWindow = nullptr;
    BOOL mainOnTop = TRUE;
    Microsoft::WRL::ComPtr<IMediaSeeking> mediaSeeking;
    Microsoft::WRL::ComPtr<IMediaPosition> mediaPosition;
    DWORD savedWindowStyle = 0;
    bool captionsOn = false;
    BOOL subpictureShown = TRUE;
    char filterNames[kDvdFilterNameCount][256] = {};
    char dvdPath[MAX_PATH] = {};
    int fitFullScreen = 1;

    // Graph and window (DvdPlayer.cpp)
    bool Initialize();
    bool BuildGraph();
    bool ApplyInitialOptions();
    bool CreateVideoWindow();
    bool SetVideoWindowTitle(const char* text);
    bool SetDvdDirectory(const char* path);
    void DestroyVideoWindow();
    void ReleaseAll();
    // Copies path (cut to MAX_PATH - 1 characters) as the volume to render.
    void SetPath(const char* path);
    RECT InitialVideoRect() const;

    DvdPlayerState GetState() const { return state; }
    ULONG GetCurrentTitle() const { return currentTitle; }
    ULONG GetCurrentChapter() const { return currentChapter; }
    DvdTimeCode GetCurrentTimeCode() const { return currentTime; }
    uint32_t GetCurrentSeconds() const { return DvdTimeCodeSeconds(currentTime); }

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
    bool SetClosedCaptions(bool on) override;
    bool ToggleClosedCaptions();
    uint64_t GetTotalTitleSeconds() const;
    ULONG GetParentalLevel() const;

    // Sound (DvdTransport.cpp): 0 without audio or when the renderer has no volume control, else
    // the result of the last call to the renderer.
    HRESULT DvdVolumeUp();
    HRESULT DvdVolumeDown();
    HRESULT DvdToggleMute();
    HRESULT DvdSetVolumeFraction(float fraction);
    HRESULT DvdSetAudioChannel(int channel);

    // Events (DvdEvents.cpp)
    LRESULT ProcessGraphEvents();

    // Video window (DvdVideoWindow.cpp)
    static LRESULT CALLBACK VideoWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnSize();
    LRESULT OnKeyUpDvd(WPARAM key, LPARAM lParam);
    void OnCharDvd(WPARAM ch);
    LRESULT OnCommand(UINT id);
    LRESULT OnTimer(UINT_PTR id);
    LRESULT OnMouse(UINT message, WPARAM wParam, LPARAM lParam);
    // The right-click menu's place: the DVD menus plug in here.
    void ShowContextMenu(HWND window, int x, int y);
    // Commands of the right-click menu and dialogs that the menus bring; false when unknown.
    bool OnMenuCommand(UINT id);
    void ToggleFront();
    bool EnterFullScreen();
    bool LeaveFullScreen();
    int ZoomVideo(int numerator, int denominator);
    void ShowCursorAgain();
    void HideCursor();

    // Menus, dialogs, bookmark, disc information and output controls (DvdMenuCommands.cpp)
    // Shows subpictures from `stream`, or hides them.
    bool SelectSubpicture(ULONG stream);
    bool DisableSubpicture();
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
    // The stream, angle, jump, karaoke and parental dialogs of the main window's commands;
    // false for any other command.
    bool ShowDvdDialog(UINT command);
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
    void OnChar(WPARAM ch) override { OnCharDvd(ch); }
    void OnKeyUp(WPARAM key, LPARAM lParam) override { OnKeyUpDvd(key, lParam); }
    bool OnEngineCommand(UINT id) override;
    EngineStatus Status() const override;
    bool IsStillPicture() const override { return false; }
    const char* MediaPath() const override { return dvdPath; }
    bool InModalLoop() const override { return modalDepth > 0; }

private:
    friend class DvdModalScope;
    // A message box of the engine; counted as a modal loop so the owner keeps the engine alive.
    int Message(HWND owner, const char* text, const char* caption, UINT flags);
    bool Fail(const char* text);
    bool QueryInterfaces();
    bool WaitAndRelease(HRESULT hr, IDvdCmd* command);
    bool ToggleMenu(DVD_MENU_ID menu, bool noteRefusal);
    void NoteProhibited();
    void Repaint();
    TransportSettings Settings() const;
    void OnGraphEvent(long code, LONG_PTR param1, LONG_PTR param2);
    void OnNavigatorError(long code);

    int modalDepth = 0;
    DWORD prohibitedAt = 0;
    bool everProhibited = false;
};
