// Time arithmetic of DVD-Video: the IFO's BCD playback times, the 90 kHz clock of the program
// stream, the hours-minutes-seconds-frames time codes of the navigator's interfaces, and the
// two packed forms the time events carry. Plain values only.
#pragma once

#include <cstdint>

namespace navigator {

inline constexpr int64_t kTicksPerSecond = 90000;         // MPEG presentation time stamps
inline constexpr int64_t kReferencePerSecond = 10000000;  // DirectShow's 100 ns units

struct Hmsf {
    uint8_t hours = 0, minutes = 0, seconds = 0, frames = 0;
};

// An IFO playback time: BCD hours, minutes and seconds, and BCD frames in the low six bits of
// frameU with the frame rate in its top two (1: 25 frames a second, 3: 30). `fps` receives 25 or
// 30. Digits above 9 count as they stand, so a corrupt time cannot read outside a table.
int64_t IfoTimeTicks(uint8_t hour, uint8_t minute, uint8_t second, uint8_t frameU, unsigned* fps = nullptr);
unsigned IfoFrameRate(uint8_t frameU);

int64_t TicksToMs(int64_t ticks);
int64_t MsToTicks(int64_t ms);
int64_t TicksToReference(int64_t ticks);
int64_t ReferenceToTicks(int64_t reference);

Hmsf MsToHmsf(int64_t ms, unsigned fps);
int64_t HmsfToMs(const Hmsf& time, unsigned fps);
// Minutes and seconds below 60, frames below the rate.
bool HmsfValid(const Hmsf& time, unsigned fps);

// The four bytes of a DVD_HMSF_TIMECODE (hours first in memory) as the event's 32-bit value.
uint32_t PackHmsf(const Hmsf& time);
Hmsf UnpackHmsf(uint32_t packed);
// The older DVD_TIMECODE of EC_DVD_CURRENT_TIME: BCD digits from hours up, with the frame-rate
// code (1: 25, 3: 30) in the top two bits.
uint32_t PackBcdTimeCode(const Hmsf& time, unsigned fps);

}  // namespace navigator
