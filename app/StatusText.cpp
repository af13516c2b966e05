#include "StatusText.h"

#include <cstdio>

#include "PlaybackMath.h"

ClockTime SplitSeconds(uint32_t seconds) {
    return {seconds / 3600, (seconds % 3600) / 60, seconds % 60};
}

uint32_t MediaTimeSeconds(int64_t mediaTime) {
    return static_cast<uint32_t>(mediaTime / 10000000);
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

int SliderFraction(double position, double length) {
    if (length == 0) return 0;
    double fraction = position / length * kPositionSliderMax;
    // A position outside the clip (or no number at all) must not become an integer it cannot be.
    if (!(fraction > 0)) return 0;
    if (fraction >= kPositionSliderMax) return kPositionSliderMax;
    return static_cast<int>(fraction);
}

int SliderFraction(int64_t position, int64_t length) {
    return SliderFraction(static_cast<double>(position), static_cast<double>(length));
}

int64_t SeekTimeForSlider(int slider, int64_t length) {
    long double fraction = static_cast<long double>(slider) / kPositionSliderMax;
    return static_cast<int64_t>(fraction * length);
}

const char* FileStateWord(int state) {
    switch (state) {
        case 0:
            return "STOP";
        case 1:
            return "PAUSE";
        case 2:
            return "PLAY";
        case 4:
            return "SCAN";
    }
    return "OPEN";
}

bool IsDvdPath(std::string_view path) {
    return ContainsNoCase(path, ".ifo");
}

std::string DisplayName(std::string_view path) {
    if (path.empty()) return {};
    // "http://..." or "mms://...": the scheme's colon is the fourth or fifth character.
    if ((path.size() > 3 && path[3] == ':') || (path.size() > 4 && path[4] == ':')) return std::string(path);
    if (IsDvdPath(path)) {
        std::string drive = path.size() > 1 && path[1] == ':' ? std::string(path.substr(0, 2)) : "";
        return drive + "\\";
    }
    size_t slash = path.find_last_of("\\/");
    std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (slash == std::string_view::npos && path.size() > 1 && path[1] == ':') name = path.substr(2);
    return std::string(name);
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
