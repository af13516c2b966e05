// The player's visible window: a borderless, skinned dialog that owns the playlist, the
// settings and the open playback engine, and receives every user command.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "Handles.h"
#include "Settings.h"
#include "SkinDialog.h"

class MainWindow : public SkinDialog, public PlayerSettings {
public:
    MainWindow();
    ~MainWindow() override;

    // Start-up data
    char mPendingPath[MAX_PATH] = {};  // opened by the next open-file command instead of asking
    char mTitle[100] = {};             // "TesmaroPlayer": the title that identifies the instance
    char mProductName[50] = {};        // "Tesmaro Player"
    HINSTANCE mInstance = nullptr;
    HICON mIcon = nullptr;

    // Playlist
    std::vector<std::string> mPlaylist;
    int mCurrentIndex = 0;
    int mShuffle = 0;
    int mRepeatList = 0;

    int mPosition = 0;  // position slider, 0..600

    // Shared operations
    void CloseMedia();
    void ClearPlaylist();
    void AppendToPlaylist(const char* entry);
    // Plays entry `index` through the open-file command; false when there is no such entry.
    bool PlayEntry(int index);
    // Seeks the open media to mPosition / 600 of its length; false when no length is known.
    bool SeekToFraction();
    // Gives the open media the volume of the volume slider, mVolume.
    void ApplyVolume();
    // A file or a DVD is open.
    bool IsMediaOpen() const;
    // Enables the transport buttons for what the command `reason` left open (1051/40047 nothing,
    // 40018 media); other reasons change nothing.
    void UpdateButtons(int reason);

    fw::PreTranslate PreTranslateMessage(MSG& msg) override;

    // Skins (MainWindowSkin.cpp)
    // Loads the skin at `path` and puts the buttons and sliders back as they were; false for an
    // empty path. The caller stores the path in mCurrentSkin.
    bool ApplySkin(const std::string& path);
    // Switches between the normal skin and the small one (command 12).
    void ToggleSkin();
    void OnSkinProgressClick(const std::string& name) override;
    void OnSkinButtonClick(const std::string& name) override;
    void OnSkinSliderEvent(const std::string& name, int code, int pos) override;
    void OnSkinMouseMove(const std::string& name, POINT point) override;

protected:
    INT_PTR WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnOK() override {}      // Enter does not end the player
    void OnCancel() override {}  // nor does the dialog's cancel; WM_CLOSE ends it

private:
    // Start-up and shutdown
    bool HandOverToRunningInstance();
    void PlaceAndStart();
    void OnForwardFile(ATOM atom);
    void OnClose();
    void CleanUp();
    const fw::Profile& Profile() const;

    // Hooks for parts of the player that arrive later.
    void RunFirstStartAssociation();
    void CreatePlaylistWindow();
    void DestroyPlaylistWindow();
    void PollDiscs();

    std::string mProgramDirectory;
    bool mSmallSkinActive = false;
    std::string mNormalSkin;  // the normal skin the small one was chosen from
    fw::IconHandle mSmallIcon;
    bool mCleanedUp = false;
};
