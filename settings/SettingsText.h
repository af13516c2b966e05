// The texts of the Settings dialog's edits and of the stored slow rates, without any window.
#pragma once

#include <string>

// Slow rates are stored and shown as text: three significant digits, no trailing zeros
// ("0.5", "0.333").
std::string FormatRate(float rate);
// The run-time library's text-to-double rule; text that is not a number reads as 0.
float ParseRate(const std::string& text);
// An optional sign, then digits; text without leading digits reads as 0. Digits beyond what a
// 32-bit integer holds saturate instead of wrapping round.
int LeadingInteger(const std::string& text);
// The slow forward rate the dialog accepts, compared as the 32-bit float it is kept as:
// 0.1 to 0.9, both typed exactly included. Not-a-number is refused.
bool SlowRateAccepted(float rate);
// What the spin controls allow: the skips in seconds, the fast rates in multiples of normal speed.
inline constexpr int kMinSkipSeconds = 1, kMaxSkipSeconds = 600;
inline constexpr int kMinFastRate = 1, kMaxFastRate = 4;
// A typed number as the spin control beside it allows it: its leading integer (LeadingInteger),
// brought into lower..upper, so that an empty, negative or huge entry is never used as typed.
int SpinValue(const std::string& text, int lower, int upper);
// The edits are read with a 10-byte buffer: at most 9 characters.
inline constexpr int kSettingsEditChars = 9;
