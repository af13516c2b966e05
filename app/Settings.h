// What the player remembers between runs: section "Setup" of the application profile.
#pragma once

#include <string>

#include "Profile.h"
#include "ProfileKeys.h"
#include "SettingsText.h"  // FormatRate, ParseRate


// The in-memory copies that the main window holds; engines and dialogs read them directly.
struct PlayerSettings {
    int mFullscreen = 0;  // "g_bFullscreen"; afterwards the full-screen memory of the last file
    int mAutoStart = 0;
    int mSkipForward = 20;  // seconds
    int mSkipBackward = 10;
    int mFastForward = 2;  // multiples of normal speed
    int mFastBackward = 2;
    float mSlowlyForward = 0.5f;
    float mSlowlyBackward = 0.5f;
    int mVolume = 100;         // volume slider position 0..100
    std::string mCurrentSkin;  // empty: the default skin
};

// Reads every key (absent or wrongly typed values give their defaults).
void ReadSettings(const fw::Profile& profile, PlayerSettings& settings);
// Brings every value that playback uses into the range the dialogs allow, whatever the store
// held: volume 0..100, slow rates 0.1..0.9 (a rate that is no number at all becomes its default),
// skips and fast rates as their spin controls allow (1..600 seconds, 1..4 times). Values already
// in range stay as they are, so what is written back afterwards is always sane.
void ClampToDialogRanges(PlayerSettings& settings);
inline constexpr float kMinSlowRate = 0.1f, kMaxSlowRate = 0.9f;
inline constexpr int kMaxVolume = 100;

// What the Settings dialog confirms: full screen, auto-start, skips, fast and slow rates.
void WriteDialogSettings(const fw::Profile& profile, const PlayerSettings& settings);
// What is written when the main window goes away: "Volume", then "mCurrentSkin".
void WriteExitSettings(const fw::Profile& profile, const PlayerSettings& settings);

// The stored full-screen wish, read afresh (it is not cached).
int ReadStoredFullscreen(const fw::Profile& profile);
int ReadFirstRunMarker(const fw::Profile& profile);
void WriteFirstRunMarker(const fw::Profile& profile);
