// The one interface through which the main window drives whatever is open: a media file
// (FilePlayer) or a DVD (DvdPlayer). Every "DVD X / file Y" command of the command table is one
// call here; where the two engines differ for the same command (the sign of a backward scan,
// what "next" means), the engine decides.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// What the main window's status display shows of the open engine (refreshed on every
// WM_POSITIONUPDATE and paint).
struct EngineStatus {
    bool showsName = false;    // write `name` into the song-name field (files; a DVD leaves it)
    std::string name;          // display name of the file or address
    bool showsTime = false;    // write time, state word and slider (not for a still picture)
    uint32_t positionSeconds = 0;
    uint32_t lengthSeconds = 0;
    const char* stateWord = "";  // "PLAY", "PAUSE", "STOP", "SCAN", "OPEN"
    int slider = 0;              // position slider 0..600
};

class PlaybackEngine {
public:
    virtual ~PlaybackEngine() = default;  // an engine closes its media when it goes away
    PlaybackEngine() = default;
    PlaybackEngine(const PlaybackEngine&) = delete;
    PlaybackEngine& operator=(const PlaybackEngine&) = delete;

    // Transport
    virtual void Play() = 0;
    virtual void Pause() = 0;
    virtual void Stop() = 0;
    // Rates are the settings as the user gave them (positive); the engine applies its own sign.
    virtual void ScanForward(float rate) = 0;
    virtual void ScanBackward(float rate) = 0;
    virtual void SkipSeconds(int delta) = 0;
    virtual void StepForward() = 0;
    // Next/previous chapter. False when the engine has no chapters: the owner then steps
    // through its playlist instead.
    virtual bool NextChapter() = 0;
    virtual bool PreviousChapter() = 0;
    // Seeks to fraction (0..1) of the length; false when no length is known.
    virtual bool SeekToFraction(double fraction) = 0;

    // Picture
    virtual void Zoom(int multiplier, int divisor) = 0;
    virtual void ToggleFullScreen() = 0;
    virtual void ShowColourControls() = 0;

    // Sound
    virtual void SetVolumeFraction(float fraction) = 0;
    virtual void VolumeUp() = 0;
    virtual void VolumeDown() = 0;
    virtual void ToggleMute() = 0;
    virtual void SetAudioChannel(int channel) = 0;  // -1 left, 0 both, +1 right

    // Input the main window receives while this engine is open.
    virtual void OnChar(WPARAM ch) = 0;
    virtual void OnKeyUp(WPARAM key, LPARAM lParam) = 0;
    // Commands that only one kind of engine knows (repeat, frame capture, DVD menus, captions,
    // dialogs, bookmarks...), after the shared ones of RunEngineCommand. False when this engine
    // does not know the command.
    virtual bool OnEngineCommand(UINT id) = 0;

    // State
    virtual EngineStatus Status() const = 0;
    // A still picture: only next and previous make sense.
    virtual bool IsStillPicture() const = 0;
    // The path the media was opened from (lower-cased), to tell which drive it plays from.
    virtual const char* MediaPath() const = 0;
    // True while the engine runs a modal loop (a message box, a menu): its owner must not
    // delete it until the loop has returned.
    virtual bool InModalLoop() const = 0;
    // The full-screen wish to carry to the next open once this engine closes; the DVD engine
    // does not change it.
    virtual int FullScreenMemory(int current) const { return current; }
};
