// The profile against the real registry of the test prefix.
#include <gtest/gtest.h>

#include "Profile.h"

namespace {

constexpr char kCompany[] = "ZentaforStudio";
constexpr char kApp[] = "tesmaro_unit_profile";

class ProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, "software\\ZentaforStudio\\tesmaro_unit_profile");
    }
    void TearDown() override { SetUp(); }
    void Store(const char* name, DWORD type, const void* data, DWORD size) {
        ::RegSetKeyValueA(HKEY_CURRENT_USER, profile.SectionPath("Setup").c_str(), name, type, data, size);
    }
    fw::Profile profile{HKEY_CURRENT_USER, kCompany, kApp};
};

}  // namespace

TEST_F(ProfileTest, ValuesLiveUnderSoftwareCompanyApplicationSection) {
    EXPECT_EQ(profile.SectionPath("Setup"), "software\\ZentaforStudio\\tesmaro_unit_profile\\Setup");
    ASSERT_TRUE(profile.WriteInt("Setup", "Number", 7));
    DWORD value = 0, size = sizeof(value), type = 0;
    ASSERT_EQ(::RegGetValueA(HKEY_CURRENT_USER, "software\\ZentaforStudio\\tesmaro_unit_profile\\Setup",
                             "Number", RRF_RT_ANY, &type, &value, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(value, 7u);
}

TEST_F(ProfileTest, AbsentValuesReadAsTheirDefaults) {
    EXPECT_EQ(profile.GetInt("Setup", "Missing", 20), 20);
    EXPECT_EQ(profile.GetString("Setup", "Missing", "0.5"), "0.5");
}

TEST_F(ProfileTest, IntegersAndStringsRoundTrip) {
    profile.WriteInt("Setup", "Negative", -10000);
    profile.WriteString("Setup", "Path", "C:\\Program Files\\Tesmaro\\skin\\small.ini");
    profile.WriteString("Setup", "Empty", "");
    EXPECT_EQ(profile.GetInt("Setup", "Negative", 0), -10000);
    EXPECT_EQ(profile.GetString("Setup", "Path", ""), "C:\\Program Files\\Tesmaro\\skin\\small.ini");
    EXPECT_EQ(profile.GetString("Setup", "Empty", "default"), "");
}

TEST_F(ProfileTest, AValueOfTheWrongTypeReadsAsTheDefault) {
    Store("Volume", REG_SZ, "55", 3);
    DWORD number = 3;
    Store("mCurrentSkin", REG_DWORD, &number, sizeof(number));
    Store("Short", REG_BINARY, "\x01\x02", 2);
    EXPECT_EQ(profile.GetInt("Setup", "Volume", 100), 100);
    EXPECT_EQ(profile.GetString("Setup", "mCurrentSkin", ""), "");
    EXPECT_EQ(profile.GetInt("Setup", "Short", 4), 4);
}

TEST_F(ProfileTest, AStringStoredWithoutTerminatorIsReadWhole) {
    Store("Raw", REG_SZ, "abc", 3);
    EXPECT_EQ(profile.GetString("Setup", "Raw", ""), "abc");
}

TEST_F(ProfileTest, AnUnsetLocationReadsDefaultsAndWritesNothing) {
    fw::Profile unset;
    EXPECT_EQ(unset.GetInt("Setup", "Volume", 100), 100);
    EXPECT_FALSE(unset.WriteInt("Setup", "Volume", 1));
}
