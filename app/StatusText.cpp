#include "StatusText.h"

#include <cstdio>

#include "Commands.h"

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

const char* TooltipText(unsigned toolId) {
    switch (toolId) {
        case ID_PLAYBACK_PLAY:
            return "Play";
        case ID_PLAYBACK_PAUSE:
            return "Pause";
        case ID_PLAYBACK_STOP:
            return "Stop";
        case ID_PLAYBACK_FASTFORWARD:
            return "FastForward";
        case ID_PLAYBACK_REWIND:
            return "Rewind";
        case ID_PLAYBACK_NEXTCHAPTER:
            return "Next Chapter";
        case ID_PLAYBACK_PREVIOUSCHAPTER:
            return "Previous Chapter";
        case ID_PLAYBACK_ROOTMENU:
            return "Root Menu / Resume";
        case ID_OPTIONS_FULLSCREEN:
            return "Full Screen";
        case ID_PLAYBACK_STEPFORWARD:
            return "Step Forward";
    }
    return nullptr;
}

std::string DirectoryOf(std::string_view path) {
    size_t slash = path.find_last_of('\\');
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}
