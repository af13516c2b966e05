#include "StatusFigures.h"

#include "Text.h"

uint32_t MediaTimeSeconds(int64_t mediaTime) {
    return static_cast<uint32_t>(mediaTime / 10000000);
}

int SliderFraction(double position, double length) {
    if (length == 0) return 0;
    return static_cast<int>(position / length * kPositionSliderMax);
}

int SliderFraction(int64_t position, int64_t length) {
    return SliderFraction(static_cast<double>(position), static_cast<double>(length));
}

int64_t SeekTimeForSlider(int slider, int64_t length) {
    long double fraction = static_cast<long double>(slider) / kPositionSliderMax;
    return static_cast<int64_t>(fraction * length);
}

int64_t SeekTimeForFraction(double fraction, int64_t length) {
    return static_cast<int64_t>(static_cast<long double>(fraction) * length);
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
    return fw::IsIfoPath(path);
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
