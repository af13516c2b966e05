// The settings store against the real registry of the test prefix.
#include <gtest/gtest.h>

#include <cmath>

#include "Settings.h"

namespace {

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "software\\ZentaforStudio\\tesmaro_unit_settings");
    }
    void TearDown() override { SetUp(); }
    std::string Path() const { return profile.SectionPath("Setup"); }
    std::string StoredString(const char* name) const { return profile.GetString("Setup", name, "<absent>"); }
    int StoredInt(const char* name) const { return profile.GetInt("Setup", name, -12345); }

    fw::Profile profile{HKEY_CURRENT_USER, "ZentaforStudio", "tesmaro_unit_settings"};
};

}  // namespace

TEST_F(SettingsStore, AFreshUserGetsEveryDefault) {
    PlayerSettings s;
    s.mSkipForward = s.mVolume = -1;
    s.mCurrentSkin = "stale";
    ReadSettings(profile, s);
    EXPECT_EQ(s.mFullscreen, 0);
    EXPECT_EQ(s.mAutoStart, 0);
    EXPECT_EQ(s.mSkipForward, 20);
    EXPECT_EQ(s.mSkipBackward, 10);
    EXPECT_EQ(s.mFastForward, 2);
    EXPECT_EQ(s.mFastBackward, 2);
    EXPECT_FLOAT_EQ(s.mSlowlyForward, 0.5f);
    EXPECT_FLOAT_EQ(s.mSlowlyBackward, 0.5f);
    EXPECT_EQ(s.mVolume, 100);
    EXPECT_EQ(s.mCurrentSkin, "");
    EXPECT_EQ(ReadFirstRunMarker(profile), 0);
    // Reading writes nothing.
    EXPECT_EQ(StoredString("Volume"), "<absent>");
    EXPECT_EQ(StoredInt("Volume"), -12345);
}

TEST_F(SettingsStore, TheDialogsValuesRoundTripWithTheirTypes) {
    PlayerSettings s;
    s.mFullscreen = 1;
    s.mAutoStart = 1;
    s.mSkipForward = 999;
    s.mSkipBackward = 5;
    s.mFastForward = 4;
    s.mFastBackward = 3;
    s.mSlowlyForward = 0.25f;
    s.mSlowlyBackward = 1.0f / 3.0f;
    s.mVolume = 42;  // not the dialog's to write
    WriteDialogSettings(profile, s);

    EXPECT_EQ(StoredInt("g_bFullscreen"), 1);
    EXPECT_EQ(StoredInt("SkipForward"), 999);
    EXPECT_EQ(StoredString("SlowlyForward"), "0.25");
    EXPECT_EQ(StoredString("SlowlyBackward"), "0.333");
    EXPECT_EQ(StoredInt("Volume"), -12345);
    EXPECT_EQ(ReadStoredFullscreen(profile), 1);

    PlayerSettings back;
    ReadSettings(profile, back);
    EXPECT_EQ(back.mFullscreen, 1);
    EXPECT_EQ(back.mAutoStart, 1);
    EXPECT_EQ(back.mSkipForward, 999);
    EXPECT_EQ(back.mSkipBackward, 5);
    EXPECT_EQ(back.mFastForward, 4);
    EXPECT_EQ(back.mFastBackward, 3);
    EXPECT_FLOAT_EQ(back.mSlowlyForward, 0.25f);
    EXPECT_FLOAT_EQ(back.mSlowlyBackward, 0.333f);
    EXPECT_EQ(back.mVolume, 100);
}

TEST_F(SettingsStore, ExitWritesOnlyVolumeAndSkin) {
    PlayerSettings s;
    s.mVolume = 0;
    s.mSkipForward = 77;
    s.mCurrentSkin = "C:\\Program Files\\Tesmaro\\skin\\small.ini";
    WriteExitSettings(profile, s);
    EXPECT_EQ(StoredInt("Volume"), 0);
    EXPECT_EQ(StoredString("mCurrentSkin"), "C:\\Program Files\\Tesmaro\\skin\\small.ini");
    EXPECT_EQ(StoredInt("SkipForward"), -12345);
}

TEST_F(SettingsStore, SlowRatesAreTextsOfThreeSignificantDigits) {
    EXPECT_EQ(FormatRate(0.5f), "0.5");
    EXPECT_EQ(FormatRate(0.25f), "0.25");
    EXPECT_EQ(FormatRate(1.0f / 3.0f), "0.333");
    EXPECT_EQ(FormatRate(0.1f), "0.1");
    EXPECT_EQ(FormatRate(2.0f), "2");
    EXPECT_FLOAT_EQ(ParseRate("0.25"), 0.25f);
    EXPECT_FLOAT_EQ(ParseRate("abc"), 0.0f);
    EXPECT_FLOAT_EQ(ParseRate(""), 0.0f);
    EXPECT_FLOAT_EQ(ParseRate("0.7x"), 0.7f);
}

TEST_F(SettingsStore, WronglyTypedValuesReadAsDefaultsAndSpareTheOthers) {
    profile.WriteString("Setup", "SkipForward", "30");  // text where a number belongs
    DWORD number = 9;
    ::RegSetKeyValueA(HKEY_CURRENT_USER, Path().c_str(), "SlowlyForward", REG_DWORD, &number, sizeof(number));
    ::RegSetKeyValueA(HKEY_CURRENT_USER, Path().c_str(), "mCurrentSkin", REG_DWORD, &number, sizeof(number));
    profile.WriteString("Setup", "SlowlyBackward", "fast");  // a text that is not a number
    profile.WriteInt("Setup", "SkipBackward", 15);
    profile.WriteInt("Setup", "Volume", 30);

    PlayerSettings s;
    ReadSettings(profile, s);
    EXPECT_EQ(s.mSkipForward, 20);
    EXPECT_FLOAT_EQ(s.mSlowlyForward, 0.5f);
    EXPECT_EQ(s.mCurrentSkin, "");
    EXPECT_FLOAT_EQ(s.mSlowlyBackward, 0.0f);
    EXPECT_EQ(s.mSkipBackward, 15);
    EXPECT_EQ(s.mVolume, 30);
}

TEST_F(SettingsStore, OutOfRangeValuesAreReadAsStoredThenClampedAndWrittenBackSane) {
    profile.WriteInt("Setup", "Volume", 1000);
    profile.WriteInt("Setup", "SkipForward", 2000000000);
    profile.WriteInt("Setup", "SkipBackward", -5);
    profile.WriteInt("Setup", "FastForward", 0);
    profile.WriteInt("Setup", "FastBackward", 99);
    profile.WriteString("Setup", "SlowlyForward", "nan");
    profile.WriteString("Setup", "SlowlyBackward", "7");

    PlayerSettings s;
    ReadSettings(profile, s);
    EXPECT_EQ(s.mVolume, 1000);  // the store's rules are unchanged
    EXPECT_EQ(s.mSkipBackward, -5);
    EXPECT_FLOAT_EQ(s.mSlowlyBackward, 7.0f);

    ClampToDialogRanges(s);
    EXPECT_EQ(s.mVolume, 100);
    EXPECT_EQ(s.mSkipForward, 600);  // stored beyond the spin range: its limit
    EXPECT_EQ(s.mSkipBackward, 1);
    EXPECT_EQ(s.mFastForward, 1);
    EXPECT_EQ(s.mFastBackward, 4);
    // "nan" reads as whatever the run-time library makes of it; either way it ends in range.
    EXPECT_GE(s.mSlowlyForward, 0.1f);
    EXPECT_LE(s.mSlowlyForward, 0.9f);
    EXPECT_FLOAT_EQ(s.mSlowlyBackward, 0.9f);
    WriteExitSettings(profile, s);
    WriteDialogSettings(profile, s);
    EXPECT_EQ(StoredInt("Volume"), 100);
    EXPECT_EQ(StoredInt("SkipForward"), 600);
    EXPECT_EQ(StoredString("SlowlyForward"), FormatRate(s.mSlowlyForward));

    PlayerSettings low;
    low.mVolume = -1;
    low.mSlowlyBackward = 0.0f;  // what a text that is not a number reads as
    low.mSlowlyForward = std::nanf("");
    ClampToDialogRanges(low);
    EXPECT_EQ(low.mVolume, 0);
    EXPECT_FLOAT_EQ(low.mSlowlyBackward, 0.1f);
    EXPECT_FLOAT_EQ(low.mSlowlyForward, 0.5f);  // no number at all: the default

    PlayerSettings inRange;
    inRange.mVolume = 37;
    inRange.mSkipForward = 45;
    inRange.mSlowlyForward = 0.25f;
    PlayerSettings same = inRange;
    ClampToDialogRanges(same);
    EXPECT_EQ(same.mVolume, 37);
    EXPECT_EQ(same.mSkipForward, 45);
    EXPECT_FLOAT_EQ(same.mSlowlyForward, 0.25f);
}

TEST_F(SettingsStore, TheFirstRunMarkerIsOneOnceWritten) {
    WriteFirstRunMarker(profile);
    EXPECT_EQ(ReadFirstRunMarker(profile), 1);
}
