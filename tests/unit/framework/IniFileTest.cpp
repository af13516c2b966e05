#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <numeric>
#include <string>

#include "IniFile.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        path = std::string(dir) + "tesmaro_inifile_test.ini";
        ::DeleteFileA(path.c_str());
        ini.SetPath(path);
    }
    void TearDown() override { ::DeleteFileA(path.c_str()); }
    void Write(const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

    std::string path;
    IniFile ini;
};

}  // namespace

TEST_F(IniFileTest, AMissingFileGivesDefaultsAndNoKeys) {
    EXPECT_EQ(ini.GetString("BACKGROUND", "Main", "none"), "none");
    std::vector<std::string> names{"stale"};
    EXPECT_FALSE(ini.GetKeyNames("BUTTON", names));
    EXPECT_TRUE(names.empty());
}

TEST_F(IniFileTest, ValuesAreFoundWithoutRegardToCaseAndTrimmed) {
    Write("[Background]\r\nmain =  face.bmp  \r\n[BUTTON]\r\n1=ID_PLAYBACK_PLAY, 1, 2, 3, 4\r\n");
    EXPECT_EQ(ini.GetString("BACKGROUND", "Main", ""), "face.bmp");
    EXPECT_EQ(ini.GetString("button", "1", ""), "ID_PLAYBACK_PLAY, 1, 2, 3, 4");
    EXPECT_EQ(ini.GetString("BUTTON", "2", "missing"), "missing");
    EXPECT_EQ(ini.GetString("NOSECTION", "1", "missing"), "missing");
}

TEST_F(IniFileTest, AValueIsCutAt2047Characters) {
    Write("[S]\r\nlong=" + std::string(3000, 'x') + "\r\n");
    EXPECT_EQ(ini.GetString("S", "long", ""), std::string(2047, 'x'));
}

TEST_F(IniFileTest, KeyNamesComeInFileOrder) {
    Write("[TEXTINFO]\r\n2=b\r\n1=a\r\nextra=c\r\n");
    std::vector<std::string> names;
    ASSERT_TRUE(ini.GetKeyNames("TEXTINFO", names));
    EXPECT_EQ(names, (std::vector<std::string>{"2", "1", "extra"}));
    EXPECT_FALSE(ini.GetKeyNames("MISSING", names));
    EXPECT_TRUE(names.empty());
}

TEST_F(IniFileTest, KeyNamesStopWithin16384Characters) {
    // 20000 characters of names: 1000 names of 19 characters plus their terminators.
    std::string text = "[BUTTON]\r\n";
    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "key%016d", i);
        text += std::string(name) + "=v\r\n";
    }
    Write(text);
    std::vector<std::string> names;
    ASSERT_TRUE(ini.GetKeyNames("BUTTON", names));
    size_t chars = std::accumulate(names.begin(), names.end(), size_t{0},
                                   [](size_t n, const std::string& s) { return n + s.size() + 1; });
    EXPECT_LE(chars, 16384u);
    EXPECT_GE(names.size(), 800u);
    EXPECT_LT(names.size(), 1000u);
    char first[32];
    std::snprintf(first, sizeof(first), "key%016d", 0);
    EXPECT_EQ(names.front(), first);
}

TEST_F(IniFileTest, ASectionReadOnceGivesWhatThePlatformGivesForEachKey) {
    std::string longValue(2046, 'q');
    Write("[S]\r\n"
          "plain = a, b , c  \r\n"
          "Quoted=\"in quotes\"\r\n"
          "single='in single quotes'\r\n"
          "unbalanced=\"open only\r\n"
          "mixed=\"one'\r\n"
          "lone=\"\r\n"
          "pair=\"\"\r\n"
          "empty=\r\n"
          "novalue\r\n"
          "equals=a=b=c\r\n"
          "twice=first\r\n"
          "TWICE=second\r\n"
          "; comment=not a key\r\n"
          "longquoted=\"" + longValue + "\"\r\n"
          "longerquoted=\"" + longValue + "xx\"\r\n"
          "[T]\r\n"
          "plain=other section\r\n");
    for (const char* key : {"plain", "PLAIN", "quoted", "single", "unbalanced", "mixed", "lone", "pair", "empty",
                            "novalue", "equals", "twice", "; comment", "longquoted", "longerquoted", "absent"}) {
        char expected[2048];
        DWORD n = ::GetPrivateProfileStringA("S", key, "dflt", expected, sizeof(expected), path.c_str());
        EXPECT_EQ(ini.GetString("s", key, "dflt"), std::string(expected, n)) << key;
    }
    EXPECT_EQ(ini.GetString("T", "plain", ""), "other section");
}

TEST_F(IniFileTest, AnotherPathIsReadAfresh) {
    Write("[S]\r\nk=first file\r\n");
    EXPECT_EQ(ini.GetString("S", "k", ""), "first file");
    std::string other = path + ".other.ini";
    std::ofstream(other, std::ios::binary) << "[S]\r\nk=second file\r\n";
    ini.SetPath(other);
    EXPECT_EQ(ini.GetString("S", "k", ""), "second file");
    ::DeleteFileA(other.c_str());
}

TEST_F(IniFileTest, ASectionTooLargeToHoldIsStillReadKeyByKey) {
    // Over a megabyte of values: the section is not held, each key is asked of the platform.
    std::string text = "[BIG]\r\n";
    for (int i = 1; i <= 600; ++i)
        text += std::to_string(i) + "=" + std::string(2000, 'a' + i % 26) + "\r\n";
    Write(text);
    EXPECT_EQ(ini.GetString("BIG", "1", ""), std::string(2000, 'b'));
    EXPECT_EQ(ini.GetString("BIG", "600", ""), std::string(2000, 'a' + 600 % 26));
}
