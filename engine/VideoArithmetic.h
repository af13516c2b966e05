// The arithmetic that every engine's video window and sound share: the volume curve and steps,
// the channel balance, and where a picture goes on the screen in full screen. Plain values in,
// plain values out.
#pragma once

// Hundredths of a decibel: 0 is full volume, -10000 silence.
inline constexpr long kVolumeFull = 0;
inline constexpr long kVolumeSilent = -10000;
inline constexpr long kBalanceLeftOnly = -10000;
inline constexpr long kBalanceRightOnly = 10000;

// The volume slider's fraction (0.0 .. 1.0) on the player's loudness curve. The curve is steeper
// at the quiet end so that the slider feels even; it jumps at 0.2 and 0.5.
long VolumeFromFraction(float fraction);
// What one press of a volume key moves: the file engine's keys go by 100, the DVD's by 500.
inline constexpr long kFileVolumeStep = 100;
inline constexpr long kDvdVolumeStep = 500;
// The volume moved by step (up when positive), kept between silence and full volume.
long VolumeStepped(long volume, long step);
inline long VolumeStepUp(long volume, long step = kFileVolumeStep) { return VolumeStepped(volume, step); }
inline long VolumeStepDown(long volume, long step = kFileVolumeStep) { return VolumeStepped(volume, -step); }
// What mute switches to: silence, or back to `stored` when already silent.
long MuteToggled(long current, long stored);
// The balance for a channel choice: -1 left only, 0 both, +1 right only. False for any other
// choice (the current balance then stays).
bool BalanceForChannel(int channel, long& balance);

// Where a picture of w x h goes on a screen of cx x cy, keeping its aspect ratio.
struct FitRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};
FitRect FitToScreen(long w, long h, int cx, int cy);
// A video in full screen is always scaled to the screen, never shown small and centred: its size
// is taken ten times over.
FitRect FitVideoToScreen(long nativeWidth, long nativeHeight, int cx, int cy);
