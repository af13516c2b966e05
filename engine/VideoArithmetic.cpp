#include "VideoArithmetic.h"

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

long VolumeStepped(long volume, long step) {
    volume += step;
    if (volume >= kVolumeFull) return kVolumeFull;
    return volume <= kVolumeSilent ? kVolumeSilent : volume;
}

long MuteToggled(long current, long stored) {
    return current != kVolumeSilent ? kVolumeSilent : stored;
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

FitRect FitVideoToScreen(long nativeWidth, long nativeHeight, int cx, int cy) {
    return FitToScreen(nativeWidth * 10, nativeHeight * 10, cx, cy);
}
