#include "PlaybackMath.h"

#include <cctype>
#include <cstdio>

#include "Captions.h"
#include "Commands.h"

int64_t SkipTarget(int64_t position, int deltaSeconds) {
    return ClampToStart(static_cast<int64_t>(deltaSeconds) * kMediaTimePerSecond + position);
}

int64_t ClampToStart(int64_t time) {
    return time < 0 ? 0 : time;
}

namespace {

bool ContainsAny(std::string_view path, std::initializer_list<std::string_view> parts) {
    for (std::string_view part : parts) {
        if (path.find(part) != std::string_view::npos) return true;
    }
    return false;
}

}  // namespace

bool IsAsfFile(std::string_view path) {
    // Exactly these spellings: a mixed-case ".Wmv" goes the general way.
    return ContainsAny(path, {".asf", ".ASF", ".wma", ".WMA", ".wmv", ".WMV"});
}

bool IsMpegFile(std::string_view path) {
    return ContainsAny(fw::ToLower(path), {".mpg", ".mpeg", ".dat", ".m1v", ".m2v"});
}

bool IsDeferredFullScreenFile(std::string_view path) {
    return ContainsAny(fw::ToLower(path), {".avi", ".divx", ".mp4", ".wmv"});
}

std::string VideoWindowCaption(std::string_view fileName, bool muted, bool paused) {
    if (fileName.empty()) return kProductName;
    return BaseName(fileName) + " " + (muted ? "(Muted)" : "") + " " + (paused ? "(Paused)" : "");
}

CharCommand CommandForChar(char ch) {
    switch (ch) {
        case 'a':
            return {ID_PLAYBACK_STEPFORWARD, false};  // step forward
        case 'b':
            return {ID_PLAYBACK_NEXTCHAPTER, false};  // next entry
        case 'c':
            return {ID_PLAYBACK_PAUSE, false};  // pause
        case 'd':
            return {ID_PLAYBACK_SLOWFORWARD, false};  // slow forward
        case 'e':
            return {ID_PLAYBACK_SLOWBACKWARD, false};  // slow backward
        case 'f':
            return {ID_PLAYBACK_FASTFORWARD, false};  // fast forward
        case 'm':
            return {ID_OPTIONS_FULLSCREEN, true};  // full screen
        case 'n':
            return {ID_ZOOM_100, true};  // the video's own size
        case 'q':
            return {ID_JUMP_FORWARD, false};  // skip forward
        case 'r':
            return {ID_PLAYBACK_REWIND, false};  // fast backward
        case 's':
            return {ID_PLAYBACK_STEPBACKWARD, false};  // step backward
        case 'v':
            return {ID_PLAYBACK_STOP, false};  // stop
        case 'w':
            return {ID_JUMP_BACKWARD, false};  // skip backward
        case 'x':
            return {ID_PLAYBACK_PLAY, false};  // play
        case 'z':
            return {ID_PLAYBACK_PREVIOUSCHAPTER, false};  // previous entry
    }
    return {};
}
