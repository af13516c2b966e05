// The DVD engine's arithmetic and tables: its state machine, time codes, the position slider,
// the state words and the volume steps. Plain values in, plain values out.
#pragma once

#include <cstdint>
#include <string>

// The value 6 is not used: it stands between a frame pause and a scan in the numbering the
// status display reads.
enum class DvdPlayerState : int {
    Uninitialized = 0,  // no graph
    Paused = 1,
    Stopped = 2,
    NavigatorStopped = 3,  // stopped to change the DVD directory
    Playing = 4,
    FramePaused = 5,  // paused by a frame step
    Scanning = 7,     // forwards or backwards at a rate other than normal
};

// What moves the state machine.
enum class DvdTransition {
    GraphBuilt,        // the graph builder rendered the volume
    DirectorySet,      // the navigator was stopped to take a new directory
    Run,               // Play() in a paused or stopped state: IMediaControl::Run answered
    PlayFromScan,      // Play() while scanning: the normal rate was set
    Pause,             // Pause()
    Stop,              // Stop()
    Scan,              // ScanForward / ScanBackward accepted by the navigator
    MenuToggled,       // a menu was shown or resumed
    FrameStep,         // StepFrame() paused the graph to step
    Released,          // the graph is gone
};

// The state after `transition` from `from`. Transitions that do not apply in `from` leave it.
DvdPlayerState DvdStateAfter(DvdPlayerState from, DvdTransition transition);
// Chapter jumps need a running picture; scans and menus may also start from a scan.
bool DvdIsPlaying(DvdPlayerState state);
bool DvdIsPlayingOrScanning(DvdPlayerState state);

// "PLAY", "PAUSE", "STOP", "SCAN" or "OPEN" for the state number the engine reports.
const char* DvdStateWord(int state);

// The navigator's time code: hours, minutes, seconds and frames, one byte each.
struct DvdTimeCode {
    uint8_t hours = 0;
    uint8_t minutes = 0;
    uint8_t seconds = 0;
    uint8_t frames = 0;
};
uint32_t DvdTimeCodeSeconds(DvdTimeCode time);
// Splits whole seconds into a time code with `frames` as its frame byte.
DvdTimeCode DvdTimeCodeFromSeconds(uint32_t seconds, uint8_t frames = 0);
// The time `deltaSeconds` from `time` within the title: never before the start, frames kept.
DvdTimeCode SkipDvdTime(DvdTimeCode time, int deltaSeconds);

// The slider (0..600) as a time in a title of totalSeconds; false when the length is unknown.
bool DvdTimeForSlider(int slider, uint64_t totalSeconds, DvdTimeCode& time);
// The same for a fraction 0..1 of the title.
bool DvdTimeForFraction(double fraction, uint64_t totalSeconds, DvdTimeCode& time);
// The slider position for currentSeconds of totalSeconds; 0 when the length is unknown.
int DvdSliderPosition(uint32_t currentSeconds, uint32_t totalSeconds);


// The line that names where the disc plays: "DVD", the title and chapter, and " PROHIBITED"
// while the disc's last refusal is recent.
std::string DvdLocationText(unsigned title, unsigned chapter, bool prohibited);
// A refusal is shown for this long after it happened.
inline constexpr uint32_t kProhibitedShownMs = 5000;
