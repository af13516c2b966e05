// What the DVD engine does to its output rather than to navigation: volume and balance through
// the graph's IBasicAudio, the overlay's brightness, and a change of the system's DVD region
// when the navigator refused a disc for its region.
#pragma once

#include <windows.h>
#include <dshow.h>

// One volume step of the DVD engine, in hundredths of a decibel.
inline constexpr long kDvdVolumeStep = 500;
// volume + delta, kept between silence (-10000) and full volume (0).
long DvdVolumeAfterStep(long volume, long delta);

// Each answers 0 at once without an audio interface, and 0 without acting when the renderer
// has no volume or balance control (E_NOTIMPL); another failing query is returned unchanged;
// otherwise the result of the final put_Volume / put_Balance.
HRESULT DvdVolumeUp(IBasicAudio* audio, long& savedVolume);
HRESULT DvdVolumeDown(IBasicAudio* audio, long& savedVolume);
// Mute does not touch savedVolume: unmuting returns to it.
HRESULT DvdToggleMute(IBasicAudio* audio, long savedVolume);
HRESULT DvdSetVolumeFraction(IBasicAudio* audio, float fraction, long& savedVolume);
// channel -1 left, 0 both, +1 right; any other value is reported in a box and the balance read
// is written back.
HRESULT DvdSetAudioChannel(IBasicAudio* audio, int channel);

// Turns the overlay's brightness full up, the other colour controls as they were. The two
// failures the user can act on are reported in a box.
HRESULT SetFullBrightness(IDvdGraphBuilder* dvdGraphBuilder);

// The drive letter ("D") of the volume the navigator plays; false when it cannot tell.
bool GetRegionDrive(IDvdInfo2* dvdInfo, char& drive);
// Runs the system's region tool for drive, owned by window; true when the region was changed.
// Blocks until the tool has finished.
bool RunRegionTool(HWND window, char drive);
// Pauses and stops the graph with the navigator reset, then runs it again: a region change
// takes effect only from a fresh start of the disc.
HRESULT RestartNavigator(IMediaControl* mediaControl, IDvdControl2* dvdControl);
