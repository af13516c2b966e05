// What the main window writes into its status fields, and the small rules of the playlist and
// the open dialog. Plain values in, plain values out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The position slider's range.
inline constexpr int kPositionSliderMax = 600;

struct ClockTime {
    unsigned hours = 0;
    unsigned minutes = 0;
    unsigned seconds = 0;
};
ClockTime SplitSeconds(uint32_t seconds);
// Whole seconds of a media time (100-nanosecond units).
uint32_t MediaTimeSeconds(int64_t mediaTime);
// "HH:MM:SS     HH:MM:SS": position, five blanks, length. Hours are not cut to two digits.
std::string PlaybackTimeText(ClockTime position, ClockTime length);
std::string PlaybackTimeText(uint32_t positionSeconds, uint32_t lengthSeconds);

// The position slider for position of length: 0..600, truncated; 0 when the length is unknown,
// and kept to 0..600 for a position outside the clip.
int SliderFraction(int64_t position, int64_t length);
int SliderFraction(double position, double length);
// The media time that slider position `slider` stands for in a clip of `length`.
int64_t SeekTimeForSlider(int slider, int64_t length);

// The one-word state of the file engine (its state numbers 0..4).
const char* FileStateWord(int state);

// The name shown for an open file: an address in full, a DVD folder as its drive, else the
// file name with its extension.
std::string DisplayName(std::string_view path);
// A path that opens as a DVD: it names an ".ifo" file, in any letter case.
bool IsDvdPath(std::string_view path);

// The shuffled playlist index for a run-time random number 0..32767. The rare result equal to
// count stands for no entry.
int ShuffleIndex(int random, int count);
// An open-dialog entry: directory and name joined by one backslash ("C:\" already ends in one).
std::string JoinDirectoryAndName(std::string_view directory, std::string_view name);

// The tooltip of a transport tool, or nullptr when the tool has none.
const char* TooltipText(unsigned toolId);
