#include "DvdTime.h"

namespace navigator {

namespace {

unsigned FromBcd(uint8_t value) {
    return (value >> 4) * 10u + (value & 0x0f);
}

uint32_t ToBcd(unsigned value) {
    value %= 100;
    return (value / 10) << 4 | value % 10;
}

}  // namespace

unsigned IfoFrameRate(uint8_t frameU) {
    return (frameU >> 6) == 3 ? 30 : 25;
}

int64_t IfoTimeTicks(uint8_t hour, uint8_t minute, uint8_t second, uint8_t frameU, unsigned* fps) {
    unsigned rate = IfoFrameRate(frameU);
    if (fps) *fps = rate;
    int64_t seconds = (FromBcd(hour) * 60 + FromBcd(minute)) * 60 + static_cast<int64_t>(FromBcd(second));
    int64_t frames = FromBcd(frameU & 0x3f);
    return seconds * kTicksPerSecond + frames * kTicksPerSecond / rate;
}

int64_t TicksToMs(int64_t ticks) {
    return ticks / 90;
}

int64_t MsToTicks(int64_t ms) {
    return ms * 90;
}

int64_t TicksToReference(int64_t ticks) {
    return ticks * 1000 / 9;
}

int64_t ReferenceToTicks(int64_t reference) {
    return reference * 9 / 1000;
}

Hmsf MsToHmsf(int64_t ms, unsigned fps) {
    if (ms < 0) ms = 0;
    if (fps == 0) fps = 25;
    Hmsf t;
    int64_t hours = ms / 3600000;
    t.hours = static_cast<uint8_t>(hours > 255 ? 255 : hours);
    t.minutes = static_cast<uint8_t>(ms / 60000 % 60);
    t.seconds = static_cast<uint8_t>(ms / 1000 % 60);
    t.frames = static_cast<uint8_t>(ms % 1000 * fps / 1000);
    return t;
}

int64_t HmsfToMs(const Hmsf& time, unsigned fps) {
    if (fps == 0) fps = 25;
    return ((time.hours * 60LL + time.minutes) * 60 + time.seconds) * 1000 + time.frames * 1000LL / fps;
}

bool HmsfValid(const Hmsf& time, unsigned fps) {
    return time.minutes < 60 && time.seconds < 60 && time.frames < (fps ? fps : 25);
}

uint32_t PackHmsf(const Hmsf& time) {
    return static_cast<uint32_t>(time.hours) | static_cast<uint32_t>(time.minutes) << 8 |
           static_cast<uint32_t>(time.seconds) << 16 | static_cast<uint32_t>(time.frames) << 24;
}

Hmsf UnpackHmsf(uint32_t packed) {
    Hmsf t;
    t.hours = static_cast<uint8_t>(packed);
    t.minutes = static_cast<uint8_t>(packed >> 8);
    t.seconds = static_cast<uint8_t>(packed >> 16);
    t.frames = static_cast<uint8_t>(packed >> 24);
    return t;
}

uint32_t PackBcdTimeCode(const Hmsf& time, unsigned fps) {
    uint32_t rate = fps == 30 ? 3 : 1;
    uint32_t frames = ToBcd(time.frames) & 0x3f;
    return ToBcd(time.hours) | ToBcd(time.minutes) << 8 | ToBcd(time.seconds) << 16 |
           (frames | rate << 6) << 24;
}

}  // namespace navigator
