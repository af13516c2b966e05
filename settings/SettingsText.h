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
// The edits are read with a 10-byte buffer: at most 9 characters.
inline constexpr int kSettingsEditChars = 9;
