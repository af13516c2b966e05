#include "PlaybackMath.h"

#include <cctype>
#include <cstdio>

namespace {

// Rounds to single precision here and now, whatever precision the processor computes in.
float Single(float value) {
    volatile float stored = value;
    return stored;
}

}  // namespace

long VolumeFromFraction(float fraction) {
    // Single-precision throughout, so the lines meet their round values (0.5 gives -1000).
    float value;
    if (fraction < 0.01f) {
        value = static_cast<float>(kVolumeSilent);
    } else if (fraction < 0.2f) {
        value = Single(Single(Single(fraction * 10000.0f) * 0.5f) - 5000.0f);
    } else if (fraction < 0.5f) {
        value = Single(Single(Single(fraction * 10000.0f) * 0.3f) - 3000.0f);
    } else {
        value = Single(Single(Single(fraction * 10000.0f) * 0.2f) - 2000.0f);
    }
    long volume = static_cast<long>(value);
    if (volume >= kVolumeFull) volume = kVolumeFull;
    if (volume <= kVolumeSilent) volume = kVolumeSilent;
    return volume;
}

long VolumeStepUp(long volume) {
    volume += 100;
    return volume >= kVolumeFull ? kVolumeFull : volume;
}

long VolumeStepDown(long volume) {
    volume -= 100;
    return volume < kVolumeSilent + 1 ? kVolumeSilent : volume;
}

bool BalanceForChannel(int channel, long& balance) {
    switch (channel) {
        case -1:
            balance = kBalanceLeftOnly;
            return true;
        case 0:
            balance = 0;
            return true;
        case 1:
            balance = kBalanceRightOnly;
            return true;
    }
    return false;
}

namespace {

FitRect FitWidth(double aspect, int cx, int cy) {
    int height = static_cast<int>(cx / aspect);
    int top = (cy - height) / 2;
    return {0, top, cx, cy - 2 * top};
}

FitRect FitHeight(double aspect, int cx, int cy) {
    int width = static_cast<int>(cy * aspect);
    int left = (cx - width) / 2;
    return {left, 0, cx - 2 * left, cy};
}

}  // namespace

FitRect FitToScreen(long w, long h, int cx, int cy) {
    if (w <= 0 || h <= 0) return {0, 0, cx, cy};
    double aspect = static_cast<double>(w) / h;
    bool wider = w > cx;
    bool higher = h > cy;
    if (!wider && !higher) {
        return {static_cast<int>((cx - w) / 2), static_cast<int>((cy - h) / 2), static_cast<int>(w),
                static_cast<int>(h)};
    }
    if (wider && !higher) return FitWidth(aspect, cx, cy);
    if (!wider && higher) return FitHeight(aspect, cx, cy);
    if (static_cast<double>(cx) / w < static_cast<double>(cy) / h) return FitWidth(aspect, cx, cy);
    return FitHeight(aspect, cx, cy);
}

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
    if (fileName.empty()) return "Tesmaro Player";
    return BaseName(fileName) + " " + (muted ? "(Muted)" : "") + " " + (paused ? "(Paused)" : "");
}

CharCommand CommandForChar(char ch) {
    switch (ch) {
        case 'a':
            return {40029, false};  // step forward
        case 'b':
            return {40008, false};  // next entry
        case 'c':
            return {40004, false};  // pause
        case 'd':
            return {40063, false};  // slow forward
        case 'e':
            return {40064, false};  // slow backward
        case 'f':
            return {40006, false};  // fast forward
        case 'm':
            return {40016, true};  // full screen
        case 'n':
            return {40036, true};  // the video's own size
        case 'q':
            return {40061, false};  // skip forward
        case 'r':
            return {40007, false};  // fast backward
        case 's':
            return {40065, false};  // step backward
        case 'v':
            return {40005, false};  // stop
        case 'w':
            return {40062, false};  // skip backward
        case 'x':
            return {40003, false};  // play
        case 'z':
            return {40009, false};  // previous entry
    }
    return {};
}
