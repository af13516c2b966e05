// The registry helpers against the real registry of the test prefix, in a private key.
#include <gtest/gtest.h>

#include <string>

#include "Registry.h"

namespace {

constexpr char kTestKey[] = "software\\TesmaroTests\\RegistryHelpers";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
        key = fw::RegCreate(HKEY_CURRENT_USER, kTestKey, KEY_ALL_ACCESS);
        ASSERT_TRUE(key);
    }
    void TearDown() override {
        key.Reset();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
    }
    void Store(const char* name, DWORD type, const void* data, DWORD size) {
        ASSERT_EQ(::RegSetValueExA(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    fw::RegKey key;
};

}  // namespace

TEST_F(RegistryTest, TextAndNumbersRoundTripAndTheDefaultValueIsTheEmptyName) {
    ASSERT_TRUE(fw::RegWriteString(key.Get(), nullptr, "Tesmaro Player"));
    ASSERT_TRUE(fw::RegWriteString(key.Get(), "Empty", ""));
    ASSERT_TRUE(fw::RegWriteDword(key.Get(), "Number", 0xFFFFFFFFu));
    std::string text;
    ASSERT_TRUE(fw::RegReadString(key.Get(), "", text));
    EXPECT_EQ(text, "Tesmaro Player");
    ASSERT_TRUE(fw::RegReadString(key.Get(), "Empty", text));
    EXPECT_EQ(text, "");
    DWORD number = 0;
    ASSERT_TRUE(fw::RegReadDword(key.Get(), "Number", number));
    EXPECT_EQ(number, 0xFFFFFFFFu);
    // Written with the terminator, as the shell expects of REG_SZ.
    DWORD type = 0, size = 0;
    ::RegQueryValueExA(key.Get(), nullptr, nullptr, &type, nullptr, &size);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 15u);
}

TEST_F(RegistryTest, ValuesOfAnotherTypeAreNotText) {
    DWORD number = 7;
    Store("Dword", REG_DWORD, &number, sizeof(number));
    Store("Binary", REG_BINARY, "abc\0", 4);
    Store("Expand", REG_EXPAND_SZ, "%SystemRoot%", 13);
    Store("Short", REG_DWORD, "\x01\x02", 2);
    std::string text = "untouched";
    EXPECT_FALSE(fw::RegReadString(key.Get(), "Dword", text));
    EXPECT_FALSE(fw::RegReadString(key.Get(), "Binary", text));
    EXPECT_FALSE(fw::RegReadString(key.Get(), "Expand", text));
    EXPECT_EQ(text, "untouched");
    ASSERT_TRUE(
        fw::RegReadString(key.Get(), "Expand", text, fw::kRegTextBytes, fw::TextTypes::PlainOrExpand));
    EXPECT_EQ(text, "%SystemRoot%");
    DWORD value = 0;
    EXPECT_FALSE(fw::RegReadDword(key.Get(), "Binary", value));
    EXPECT_FALSE(fw::RegReadDword(key.Get(), "Short", value));
    EXPECT_FALSE(fw::RegReadDword(key.Get(), "Missing", value));
    EXPECT_FALSE(fw::RegReadString(key.Get(), "Missing", text));
}

TEST_F(RegistryTest, TextIsBoundedByTheBufferWithItsTerminator) {
    std::string fits(259, 'a');
    std::string full(260, 'b');
    std::string longer(300, 'c');
    Store("Fits", REG_SZ, fits.c_str(), 260);               // 259 characters and the terminator
    Store("FullNoTerminator", REG_SZ, full.data(), 260);    // 260 bytes, no terminator
    Store("LongNoTerminator", REG_SZ, longer.data(), 300);  // longer than the buffer
    Store("ShortNoTerminator", REG_SZ, "abc", 3);
    std::string text;
    ASSERT_TRUE(fw::RegReadString(key.Get(), "Fits", text));
    EXPECT_EQ(text, fits);
    EXPECT_FALSE(fw::RegReadString(key.Get(), "FullNoTerminator", text));
    EXPECT_FALSE(fw::RegReadString(key.Get(), "LongNoTerminator", text));
    ASSERT_TRUE(fw::RegReadString(key.Get(), "LongNoTerminator", text, 1024));
    EXPECT_EQ(text, longer);
    ASSERT_TRUE(fw::RegReadString(key.Get(), "ShortNoTerminator", text));
    EXPECT_EQ(text, "abc");
}

TEST_F(RegistryTest, KeysAreCreatedOpenedWalkedAndOnlyLeavesDeleted) {
    std::string child = std::string(kTestKey) + "\\.avi";
    bool created = false;
    {
        fw::RegKey ext = fw::RegCreate(HKEY_CURRENT_USER, child.c_str(), KEY_ALL_ACCESS, &created);
        ASSERT_TRUE(ext);
        EXPECT_TRUE(created);
        fw::RegWriteString(ext.Get(), "Content Type", "Video file");
        fw::RegWriteString(ext.Get(), nullptr, "x");
    }
    fw::RegCreate(HKEY_CURRENT_USER, child.c_str(), KEY_READ, &created);
    EXPECT_FALSE(created);
    EXPECT_TRUE(fw::RegKeyExists(HKEY_CURRENT_USER, child.c_str()));
    EXPECT_FALSE(fw::RegKeyExists(HKEY_CURRENT_USER, (child + "x").c_str()));
    EXPECT_FALSE(fw::RegOpen(HKEY_CURRENT_USER, (child + "x").c_str(), KEY_READ));

    fw::RegCreate(HKEY_CURRENT_USER, (child + "\\OpenWithProgids").c_str(), KEY_ALL_ACCESS);
    EXPECT_EQ(fw::RegSubkeyNames(key.Get()), std::vector<std::string>{".avi"});
    {
        fw::RegKey ext = fw::RegOpen(HKEY_CURRENT_USER, child.c_str(), KEY_READ);
        EXPECT_TRUE(fw::RegHasSubkeys(ext.Get()));
        auto values = fw::RegValues(ext.Get());
        ASSERT_EQ(values.size(), 2u);
        EXPECT_TRUE(fw::RegValueExists(ext.Get(), "Content Type"));
        EXPECT_TRUE(fw::RegValueExists(ext.Get(), ""));
    }
    EXPECT_FALSE(fw::RegDeleteLeafKey(HKEY_CURRENT_USER, child.c_str()));  // it has a subkey
    EXPECT_TRUE(fw::RegKeyExists(HKEY_CURRENT_USER, (child + "\\OpenWithProgids").c_str()));
    EXPECT_TRUE(fw::RegDeleteLeafKey(HKEY_CURRENT_USER, (child + "\\OpenWithProgids").c_str()));
    EXPECT_TRUE(fw::RegDeleteLeafKey(HKEY_CURRENT_USER, child.c_str()));
    EXPECT_FALSE(fw::RegKeyExists(HKEY_CURRENT_USER, child.c_str()));
    EXPECT_FALSE(fw::RegDeleteLeafKey(HKEY_CURRENT_USER, child.c_str()));
}
