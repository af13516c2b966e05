#include "Settings.h"

#include <cstdio>
#include <cstdlib>

namespace {

enum class Kind { Integer, Rate, Text };
enum Writer { ByDialog = 1, AtExit = 2 };

// Every key of the section, once: its type, default, field and who writes it back.
struct Setting {
    const char* key;
    Kind kind;
    const char* defaultValue;  // decimal text for integers
    int PlayerSettings::*intField;
    float PlayerSettings::*rateField;
    std::string PlayerSettings::*textField;
    int writers;
};

constexpr Setting kSettings[] = {
    {kKeyFullscreen, Kind::Integer, "0", &PlayerSettings::mFullscreen, nullptr, nullptr, ByDialog},
    {"AutoStart", Kind::Integer, "0", &PlayerSettings::mAutoStart, nullptr, nullptr, ByDialog},
    {"SkipForward", Kind::Integer, "20", &PlayerSettings::mSkipForward, nullptr, nullptr, ByDialog},
    {"SkipBackward", Kind::Integer, "10", &PlayerSettings::mSkipBackward, nullptr, nullptr, ByDialog},
    {"FastForward", Kind::Integer, "2", &PlayerSettings::mFastForward, nullptr, nullptr, ByDialog},
    {"FastBackward", Kind::Integer, "2", &PlayerSettings::mFastBackward, nullptr, nullptr, ByDialog},
    {"SlowlyForward", Kind::Rate, "0.5", nullptr, &PlayerSettings::mSlowlyForward, nullptr, ByDialog},
    {"SlowlyBackward", Kind::Rate, "0.5", nullptr, &PlayerSettings::mSlowlyBackward, nullptr, ByDialog},
    {"Volume", Kind::Integer, "100", &PlayerSettings::mVolume, nullptr, nullptr, AtExit},
    {"mCurrentSkin", Kind::Text, "", nullptr, nullptr, &PlayerSettings::mCurrentSkin, AtExit},
};

void Write(const fw::Profile& profile, const PlayerSettings& settings, int writer) {
    for (const Setting& s : kSettings) {
        if (!(s.writers & writer)) continue;
        switch (s.kind) {
            case Kind::Integer:
                profile.WriteInt(kSetupSection, s.key, settings.*s.intField);
                break;
            case Kind::Rate:
                profile.WriteString(kSetupSection, s.key, FormatRate(settings.*s.rateField));
                break;
            case Kind::Text:
                profile.WriteString(kSetupSection, s.key, settings.*s.textField);
                break;
        }
    }
}

}  // namespace

void ReadSettings(const fw::Profile& profile, PlayerSettings& settings) {
    for (const Setting& s : kSettings) {
        switch (s.kind) {
            case Kind::Integer:
                settings.*s.intField = profile.GetInt(kSetupSection, s.key, std::atoi(s.defaultValue));
                break;
            case Kind::Rate:
                settings.*s.rateField = ParseRate(profile.GetString(kSetupSection, s.key, s.defaultValue));
                break;
            case Kind::Text:
                settings.*s.textField = profile.GetString(kSetupSection, s.key, s.defaultValue);
                break;
        }
    }
}

void WriteDialogSettings(const fw::Profile& profile, const PlayerSettings& settings) {
    Write(profile, settings, ByDialog);
}

void WriteExitSettings(const fw::Profile& profile, const PlayerSettings& settings) {
    Write(profile, settings, AtExit);
}

int ReadStoredFullscreen(const fw::Profile& profile) {
    return profile.GetInt(kSetupSection, kKeyFullscreen, 0);
}
int ReadFirstRunMarker(const fw::Profile& profile) {
    return profile.GetInt(kSetupSection, kKeyFirstRun, 0);
}
void WriteFirstRunMarker(const fw::Profile& profile) {
    profile.WriteInt(kSetupSection, kKeyFirstRun, 1);
}
