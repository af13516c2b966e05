// Where the player's profile keeps what the settings and the first start remember.
#pragma once

inline constexpr char kSetupSection[] = "Setup";
inline constexpr char kKeyFirstRun[] = "bFirst";
inline constexpr char kKeyFullscreen[] = "g_bFullscreen";
