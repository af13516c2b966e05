#include "DvdMath.h"

#include <cstdio>

#include "VideoArithmetic.h"

DvdPlayerState DvdStateAfter(DvdPlayerState from, DvdTransition transition) {
    using S = DvdPlayerState;
    if (transition == DvdTransition::Released) return S::Uninitialized;
    if (from == S::Uninitialized) return transition == DvdTransition::GraphBuilt ? S::Stopped : from;
    switch (transition) {
        case DvdTransition::GraphBuilt:
            return S::Stopped;
        case DvdTransition::DirectorySet:
            return S::NavigatorStopped;
        case DvdTransition::Run:
            return from == S::Playing ? from : S::Playing;
        case DvdTransition::PlayFromScan:
            return from == S::Scanning ? S::Playing : from;
        case DvdTransition::Pause:
            return DvdIsPlayingOrScanning(from) ? S::Paused : from;
        case DvdTransition::Stop:
            return S::Stopped;
        case DvdTransition::Scan:
            return DvdIsPlayingOrScanning(from) ? S::Scanning : from;
        case DvdTransition::MenuToggled:
            return S::Playing;
        case DvdTransition::FrameStep:
            return S::FramePaused;
        case DvdTransition::Released:
            break;
    }
    return from;
}

bool DvdIsPlaying(DvdPlayerState state) {
    return state == DvdPlayerState::Playing;
}

bool DvdIsPlayingOrScanning(DvdPlayerState state) {
    return state == DvdPlayerState::Playing || state == DvdPlayerState::Scanning;
}

const char* DvdStateWord(int state) {
    switch (state) {
        case 1:
        case 5:
        case 6:
            return "PAUSE";
        case 2:
        case 3:
            return "STOP";
        case 4:
            return "PLAY";
        case 7:
            return "SCAN";
    }
    return "OPEN";
}

uint32_t DvdTimeCodeSeconds(DvdTimeCode time) {
    return time.hours * 3600u + time.minutes * 60u + time.seconds;
}

DvdTimeCode DvdTimeCodeFromSeconds(uint32_t seconds, uint8_t frames) {
    DvdTimeCode time;
    time.hours = static_cast<uint8_t>(seconds / 3600);
    time.minutes = static_cast<uint8_t>((seconds % 3600) / 60);
    time.seconds = static_cast<uint8_t>(seconds % 60);
    time.frames = frames;
    return time;
}

DvdTimeCode SkipDvdTime(DvdTimeCode time, int deltaSeconds) {
    int64_t seconds = static_cast<int64_t>(DvdTimeCodeSeconds(time)) + deltaSeconds;
    if (seconds < 0) seconds = 0;
    return DvdTimeCodeFromSeconds(static_cast<uint32_t>(seconds), time.frames);
}

bool DvdTimeForFraction(double fraction, uint64_t totalSeconds, DvdTimeCode& time) {
    if (totalSeconds == 0) return false;
    if (fraction < 0) fraction = 0;
    if (fraction > 1) fraction = 1;
    time = DvdTimeCodeFromSeconds(static_cast<uint32_t>(fraction * static_cast<double>(totalSeconds)));
    return true;
}

bool DvdTimeForSlider(int slider, uint64_t totalSeconds, DvdTimeCode& time) {
    return DvdTimeForFraction(static_cast<double>(slider) / 600.0, totalSeconds, time);
}

int DvdSliderPosition(uint32_t currentSeconds, uint32_t totalSeconds) {
    if (totalSeconds == 0) return 0;
    return static_cast<int>(static_cast<double>(currentSeconds) / totalSeconds * 600.0);
}

std::string DvdLocationText(unsigned title, unsigned chapter, bool prohibited) {
    char text[80];
    std::snprintf(text, sizeof(text), "DVD            TITLE: %-3uCHAPTER: %u%s", title, chapter,
                  prohibited ? " PROHIBITED" : "");
    return text;
}
