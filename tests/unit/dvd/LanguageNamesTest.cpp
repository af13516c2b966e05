#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "LanguageNames.h"

namespace {

std::string Lookup(uint32_t lcid, size_t size, bool* found = nullptr) {
    char buffer[64];
    std::memset(buffer, '#', sizeof(buffer));
    buffer[sizeof(buffer) - 1] = '\0';
    bool result = LookupLanguageName(lcid, buffer, size);
    if (found) *found = result;
    return buffer;
}

TEST(LanguageNames, NamesEveryLocaleOfTheTableOnce) {
    size_t count = 0;
    const LanguageName* table = LanguageNameTable(count);
    ASSERT_EQ(105u, count);
    std::set<uint32_t> seen;
    for (size_t i = 0; i < count; ++i) {
        EXPECT_TRUE(seen.insert(table[i].lcid).second) << table[i].lcid;
        bool found = false;
        EXPECT_EQ(table[i].name, Lookup(table[i].lcid, 50, &found));
        EXPECT_TRUE(found);
    }
    EXPECT_EQ(1031u, table[0].lcid);
    EXPECT_EQ(1080u, table[count - 1].lcid);
}

TEST(LanguageNames, CommonDiscLanguagesReadAsUsersKnowThem) {
    EXPECT_EQ("English", Lookup(1033, 50));
    EXPECT_EQ("French", Lookup(1036, 50));
    EXPECT_EQ("Arabic (U.A.E.)", Lookup(14337, 50));
    EXPECT_EQ("Norwegian (Bokmal)", Lookup(1044, 50));
    EXPECT_EQ("Chinese (Hong Kong SAR, PRC)", Lookup(3076, 50));
    EXPECT_EQ("Spanish (Puerto Rico)", Lookup(20490, 50));
}

TEST(LanguageNames, UnknownAndZeroCodesReadUnknown) {
    bool found = true;
    EXPECT_EQ("Unknown", Lookup(0, 50, &found));
    EXPECT_FALSE(found);
    EXPECT_EQ("Unknown", Lookup(1081, 50, &found));  // Hindi: not in the table
    EXPECT_FALSE(found);
    EXPECT_EQ("Unknown", Lookup(0xFFFFFFFFu, 8, &found));  // "Unknown" and its terminator just fit
    EXPECT_FALSE(found);
}

TEST(LanguageNames, ANameTooLongForTheBufferIsPassedOver) {
    bool found = true;
    // "Arabic (U.A.E.)" is 15 characters: 16 bytes hold it, 15 do not.
    EXPECT_EQ("Arabic (U.A.E.)", Lookup(14337, 16, &found));
    EXPECT_TRUE(found);
    EXPECT_EQ("Unknown", Lookup(14337, 15, &found));
    EXPECT_FALSE(found);
}

TEST(LanguageNames, ABufferTooSmallForUnknownIsLeftAsItWas) {
    char buffer[8] = "abcdefg";
    EXPECT_FALSE(LookupLanguageName(1033, buffer, 7));  // "English" needs 8, "Unknown" needs 8
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_FALSE(LookupLanguageName(1033, buffer, 0));
    EXPECT_STREQ("abcdefg", buffer);
    EXPECT_FALSE(LookupLanguageName(1033, nullptr, 50));
}

}  // namespace
