// The player's visible window: a borderless, skinned dialog that owns the playlist, the
// settings and the open playback engine, and receives every user command.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "DiscDrives.h"
#include "EngineHost.h"
#include "Handles.h"
#include "PlaylistHost.h"
#include "Settings.h"
#include "StartsMadeTogether.h"
#include "SkinDialog.h"
#include "TransportSettings.h"

class PlaybackEngine;
class PlaylistDialog;

// The main window is a skinned dialog; what it owns (the settings, the drive table, the
// playlist, the open engine, the playlist window) are members, and the playlist window and the
// engines reach it only through their host interfaces.
class MainWindow final : public SkinDialog, private PlaylistHost, private EngineHost {
public:
    // instance holds the menus, dialogs and icons; pendingPath (from the command line, cut to
    // MAX_PATH - 1 characters) is opened once the window is up, or handed to the running player.
    MainWindow(HINSTANCE instance, const std::string& pendingPath);
    ~MainWindow() override;

    fw::PreTranslate PreTranslateMessage(MSG& msg) override;

protected:
    INT_PTR WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void ShowModal() override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override {}      // Enter does not end the player
    void OnCancel() override {}  // nor does the dialog's cancel; WM_CLOSE ends it

private:
    // Start-up data
    char mPendingPath[MAX_PATH] = {};  // opened by the next open-file command instead of asking
    char mTitle[100] = {};             // "TesmaroPlayer": the title that identifies the instance
    char mProductName[50] = {};        // "Tesmaro Player"
    HINSTANCE mInstance = nullptr;
    HICON mIcon = nullptr;

    PlayerSettings mSettings;
    disc::DiscDrives mDrives;
    LONG mDiscPollTicks = 0;  // told to whoever asks with kDiscPollTicksMessage

    // Playlist
    playlist::Playlist mPlaylist;
    int mCurrentIndex = 0;
    int mShuffle = 0;
    int mRepeatList = 0;

    int mPosition = 0;  // position slider, 0..600

    // The open engine (a file or a DVD); null when nothing is open.
    std::unique_ptr<PlaybackEngine> mEngine;
    DWORD mProhibitedAt = 0;  // tick of the last operation that the disc refused

    // The modeless playlist window: the object lives as long as MainWindow, its window from
    // initialisation to destruction.
    std::unique_ptr<PlaylistDialog> mPlaylistDialog;

    // Shared operations
    // The open-file command: mPendingPath, or the files the user chooses, opened after closing
    // what is open.
    void OpenMedia();
    // Closes what is open, then opens path (lower-cased, at most MAX_PATH - 1 characters) in a
    // new file engine; on failure path is emptied and nothing is open.
    bool OpenFile(char* path);
    void CloseMedia();
    void ClearPlaylist();
    void AppendToPlaylist(const char* entry);
    // Plays entry `index` through the open-file command; false when there is no such entry.
    bool PlayEntry(int index);
    // Seeks the open media to mPosition / 600 of its length; false when no length is known.
    bool SeekToFraction();
    // Gives the open media the volume of the volume slider, mSettings.mVolume.
    void ApplyVolume();
    // A file or a DVD is open.
    bool IsMediaOpen() const;
    // The decoder filters around a DVD graph: the secondary decoder off and the audio decoder on
    // before it is built (with the wait for the registrar), the audio decoder off afterwards.
    void PrepareDvdDecoders();
    void ReleaseDvdDecoders();
    // Writes name, times, state word and position slider for what is open.
    void RefreshStatus(HDC dc = nullptr);
    // What the engines ask of their owner.
    HWND HostWindow() const override { return Hwnd(); }
    HINSTANCE HostInstance() const override { return mInstance; }
    TransportSettings CurrentTransportSettings() const override;
    void NoteProhibited() override;
    DWORD Repaint() override;
    std::string DataFolder() const override { return Profile().DataFolder(); }
    // Enables the transport buttons for what the command `reason` left open (closing the
    // playlist or the media: nothing; the open-file command: media); other reasons change nothing.
    void UpdateButtons(int reason);

    // Skins (MainWindowSkin.cpp)
    // Loads the skin at `path` and puts the buttons and sliders back as they were; false for an
    // empty path. The caller stores the path in mSettings.mCurrentSkin.
    bool ApplySkin(const std::string& path);
    // Switches between the normal skin and the small one (command 12).
    void ToggleSkin();
    void FallBackFromRefusedSkin(const std::string& defaultSkin);
    void TellSkinRefused(const std::string& path, SkinRefusal why, bool fallback);
    void OnSkinProgressClick(const std::string& name) override;
    void OnSkinButtonClick(const std::string& name) override;
    void OnSkinSliderEvent(const std::string& name, int code, int pos) override;
    void OnSkinMouseMove(const std::string& name, POINT point) override;
    bool ButtonStartsEnabled(const std::string& name) const override;

    // The playlist window's view of the playlist (MainWindowPlaylist.cpp).
    playlist::Playlist& PlaylistEntries() override { return mPlaylist; }
    int& PlaylistCurrentIndex() override { return mCurrentIndex; }
    int& PlaylistShuffle() override { return mShuffle; }
    void ClearPlaylistAndMedia() override;
    void CloseOpenMedia() override;
    bool PlayPlaylistEntry(int index) override;
    const char* ApplicationTitle() const override { return mProductName; }

    // Commands and menus
    void PlayNext();
    void PlayPrevious();
    void OpenAddress();
    void ShowAbout();
    void OpenHomepage();
    void OpenHelp();
    void ShowOpenResourceMenu(WPARAM flags, LPARAM point);
    void AddDriveItems(HMENU popup, UINT position);
    INT_PTR OnNotify(NMHDR* header, WPARAM wParam, LPARAM lParam);
    void OnPaint();
    INT_PTR OnPaintMessage(WPARAM wParam, LPARAM lParam);
    bool mPlaced = false;           // PlaceAndStart ran: this is the instance that stays
    bool mStartupFinished = false;  // FinishStartup ran
    void PaintMinimised();
    void OnKeyUp(WPARAM key, LPARAM lParam);
    // The open dialog: fills the playlist with the chosen files and copies the first into path.
    bool ChooseMediaFiles(char (&path)[MAX_PATH]);
    // Says once that the disc of the track about to play has left drive `root`.
    void ReportDiscGone(const std::string& root);
    // A DVD folder's ".ifo" file: the decoders around the graph, the open, full screen, play.
    bool OpenDvdMedia(char* path);
    // Opens path in a new DVD engine; false leaves the unbuilt engine open for CloseMedia().
    bool OpenDvd(const char* path);

    // While the engine or the open command runs a modal loop (a message box, a popup menu, the
    // open dialog), messages that would close or replace the engine wait; they are posted again
    // once the loop has returned, so an engine is never deleted under its own feet.
    bool EngineBusy() const;
    bool DeferIfBusy(UINT msg, WPARAM wParam, LPARAM lParam);
    void ReplayDeferred();
    struct DeferredMessage {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<DeferredMessage> mDeferred;
    int mOpenDepth = 0;
    // Holds off replacements while an open is under way (the open dialog, a disc's first track,
    // whose engine may show a message box meanwhile).
    class OpenScope {
    public:
        explicit OpenScope(int& depth) : mDepth(depth) { ++mDepth; }
        ~OpenScope() { --mDepth; }
        OpenScope(const OpenScope&) = delete;
        OpenScope& operator=(const OpenScope&) = delete;

    private:
        int& mDepth;
    };

    // Start-up and shutdown
    bool HandOverToRunningInstance();
    void PlaceAndStart();
    void FinishStartup();
    void OnForwardFile(ATOM atom);
    void ReleaseInstanceLock();
    bool JoinsHandOverBurst() const;
    void ReceivePath(const std::string& path, bool replace, bool rowsLater = false);
    static constexpr LONG kHandOverBurstMs = 3000;
    // Hand-overs from starts made together with ours join our own file; a start made later is a
    // new request and replaces it, as a single second start always does.
    StartsMadeTogether mStartsTogether;
    fw::KernelHandle mInstanceLock;
    WPARAM mQueueMark = 0;  // the last mark a watcher posted (QueueMark.h)
    DWORD mLastHandOverAt = 0;  // message time of the last hand-over (or of our own start's file)
    bool mHandOverSeen = false;
    bool mLastWasOwnStart = false;  // mLastHandOverAt is our own start's file, not a hand-over
    void OnClose();
    void CleanUp();
    const fw::Profile& Profile() const;

    // Hooks for parts of the player that arrive later.
    void RunFirstStartAssociation();
    void CreatePlaylistWindow();
    void DestroyPlaylistWindow();
    // The playlist command: the playlist window with fresh rows.
    void ShowPlaylistWindow();

    // Disc drives (MainWindowDiscs.cpp)
    // Commands 40050, 40051 and the drive items; false for any other command.
    bool OnDiscCommand(WORD id);
    void OnDiscPollTimer();
    // The automatic start: the first drive with a recognised disc that is still armed starts.
    void PollDiscs();
    void OpenDisc(int index);
    void OpenDvdDisc(const std::string& probePath);
    // Fills the playlist with the disc's numbered tracks and opens track 1.
    void PlayDiscTracks(const char* root, disc::DiscKind kind);
    void ToggleTray(int index);
    void ShowEjectChoice(LPARAM screenPoint);
    // The path the open media plays from; empty when nothing is open.
    const char* OpenMediaPath() const;

    std::string mProgramDirectory;
    // A skin refused at start-up, told once the window is initialised.
    std::string mRefusedSkin;
    SkinRefusal mRefusedWhy = SkinRefusal::None;
    bool mRefusedFallback = false;
    std::string mNormalSkin;  // the normal skin the small one was chosen from
    fw::IconHandle mSmallIcon;
    bool mCleanedUp = false;
};
