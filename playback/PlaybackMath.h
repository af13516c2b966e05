// The file engine's arithmetic and text rules: volume curve, full-screen fit, seek targets,
// file-type tests and the video window caption. Plain values in, plain values out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Text.h"

// Media times are counted in 100-nanosecond units.
inline constexpr int64_t kMediaTimePerSecond = 10000000;

// Hundredths of a decibel: 0 is full volume, -10000 silence.
inline constexpr long kVolumeFull = 0;
inline constexpr long kVolumeSilent = -10000;
inline constexpr long kBalanceLeftOnly = -10000;
inline constexpr long kBalanceRightOnly = 10000;

// The volume slider's fraction (0.0 .. 1.0) on the player's loudness curve. The curve is steeper
// at the quiet end so that the slider feels even; it jumps at 0.2 and 0.5.
long VolumeFromFraction(float fraction);
// One step of 100 up or down, kept between silence and full volume.
long VolumeStepUp(long volume);
long VolumeStepDown(long volume);
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

// A skip of deltaSeconds from position; never before the start, no limit at the end.
int64_t SkipTarget(int64_t position, int deltaSeconds);
// A seek target: negative times become the start.
int64_t ClampToStart(int64_t time);

// Tests on the path as the engine sees it.
bool IsAsfFile(std::string_view path);                 // ".asf", ".wma", ".wmv" in lower or upper case
bool IsMpegFile(std::string_view path);                // MPEG program/elementary streams and VCD files
bool IsDeferredFullScreenFile(std::string_view path);  // full screen waits until playback runs
using fw::BaseName;
using fw::ContainsNoCase;

// "Tesmaro Player" with no file; else "name (Muted) (Paused)" with empty slots left blank.
std::string VideoWindowCaption(std::string_view fileName, bool muted, bool paused);

// The video window command that a typed character stands for, and whether it must run at once
// (sent) rather than after the current message (posted). 0 when the character means nothing.
struct CharCommand {
    unsigned command = 0;
    bool immediate = false;
};
CharCommand CommandForChar(char ch);
