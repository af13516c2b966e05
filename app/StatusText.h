// What the main window writes into its status fields, and the small rules of the playlist. Plain
// values in, plain values out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "StatusFigures.h"

struct ClockTime {
    unsigned hours = 0;
    unsigned minutes = 0;
    unsigned seconds = 0;
};
ClockTime SplitSeconds(uint32_t seconds);
// "HH:MM:SS     HH:MM:SS": position, five blanks, length. Hours are not cut to two digits.
std::string PlaybackTimeText(ClockTime position, ClockTime length);
std::string PlaybackTimeText(uint32_t positionSeconds, uint32_t lengthSeconds);


// The shuffled playlist index for a run-time random number 0..32767. The rare result equal to
// count stands for no entry.
int ShuffleIndex(int random, int count);
// The folder part of a path: up to and including its last backslash; empty without one.
std::string DirectoryOf(std::string_view path);

// The tooltip of a transport tool, or nullptr when the tool has none.
const char* TooltipText(unsigned toolId);
