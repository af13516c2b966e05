// The figures and words that the main window's status display shows of an engine, and the
// arithmetic between the position slider and media time. Plain values in, plain values out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The position slider's range.
inline constexpr int kPositionSliderMax = 600;

// Whole seconds of a media time (100-nanosecond units).
uint32_t MediaTimeSeconds(int64_t mediaTime);

// The position slider for position of length: 0..600, truncated; 0 when the length is unknown.
int SliderFraction(int64_t position, int64_t length);
int SliderFraction(double position, double length);
// The media time that slider position `slider` stands for in a clip of `length`.
int64_t SeekTimeForSlider(int slider, int64_t length);
// The media time that fraction (0..1) of a clip of `length` stands for.
int64_t SeekTimeForFraction(double fraction, int64_t length);

// The one-word state of the file engine (its state numbers 0..4).
const char* FileStateWord(int state);

// The name shown for an open file: an address in full, a DVD folder as its drive, else the
// file name with its extension.
std::string DisplayName(std::string_view path);
// A path that opens as a DVD: it names an ".ifo" file, in any letter case.
bool IsDvdPath(std::string_view path);
