#include "StatusText.h"

#include <cstdio>

ClockTime SplitSeconds(uint32_t seconds) {
    return {seconds / 3600, (seconds % 3600) / 60, seconds % 60};
}

std::string PlaybackTimeText(ClockTime position, ClockTime length) {
    char text[64];
    std::snprintf(text, sizeof(text), "%02d:%02d:%02d     %02d:%02d:%02d", static_cast<int>(position.hours),
                  static_cast<int>(position.minutes), static_cast<int>(position.seconds),
                  static_cast<int>(length.hours), static_cast<int>(length.minutes),
                  static_cast<int>(length.seconds));
    return text;
}

std::string PlaybackTimeText(uint32_t positionSeconds, uint32_t lengthSeconds) {
    return PlaybackTimeText(SplitSeconds(positionSeconds), SplitSeconds(lengthSeconds));
}

int ShuffleIndex(int random, int count) {
    return static_cast<int>(static_cast<int64_t>(random) * count / 32767);  // no overflow on long lists
}

std::string JoinDirectoryAndName(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (directory.size() != 3) path += '\\';
    return path.append(name);
}

const char* TooltipText(unsigned toolId) {
    switch (toolId) {
        case 40003:
            return "Play";
        case 40004:
            return "Pause";
        case 40005:
            return "Stop";
        case 40006:
            return "FastForward";
        case 40007:
            return "Rewind";
        case 40008:
            return "Next Chapter";
        case 40009:
            return "Previous Chapter";
        case 40010:
            return "Root Menu / Resume";
        case 40016:
            return "Full Screen";
        case 40029:
            return "Step Forward";
    }
    return nullptr;
}
