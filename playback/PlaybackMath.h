// The file engine's arithmetic and text rules: seek targets, file-type tests and the video
// window caption. Plain values in, plain values out. The volume curve and the full-screen fit
// are every engine's (VideoArithmetic.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Text.h"
#include "VideoArithmetic.h"

// Media times are counted in 100-nanosecond units.
inline constexpr int64_t kMediaTimePerSecond = 10000000;

// A skip of deltaSeconds from position; never before the start, no limit at the end.
int64_t SkipTarget(int64_t position, int deltaSeconds);
// A seek target: negative times become the start.
int64_t ClampToStart(int64_t time);

// Tests on the path as the engine sees it.
bool IsAsfFile(std::string_view path);                 // ".asf", ".wma", ".wmv" in lower or upper case
bool IsMpegFile(std::string_view path);                // MPEG program/elementary streams and VCD files
bool IsDeferredFullScreenFile(std::string_view path);  // full screen waits until playback runs
using fw::BaseName;
using fw::ContainsNoCase;

// "Tesmaro Player" with no file; else "name (Muted) (Paused)" with empty slots left blank.
std::string VideoWindowCaption(std::string_view fileName, bool muted, bool paused);

// The video window command that a typed character stands for, and whether it must run at once
// (sent) rather than after the current message (posted). 0 when the character means nothing.
struct CharCommand {
    unsigned command = 0;
    bool immediate = false;
};
CharCommand CommandForChar(char ch);
