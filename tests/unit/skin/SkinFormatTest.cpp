// Reading a skin description: fields, entries of each kind, numbered sections, control names.
#include <gtest/gtest.h>

#include <windows.h>

#include <climits>
#include <fstream>

#include "Driver.h"
#include "IniFile.h"
#include "SkinFormat.h"

using namespace skin;

namespace {

std::string WriteIni(const std::string& text) {
    std::string path = e2e::MakeTempDirectory("skinformat") + "skin.ini";
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

}  // namespace

TEST(SkinEntryFields, CommasSplitAndOnlyBlanksAfterACommaAreDropped) {
    FieldReader fields("a, b ,   c");
    EXPECT_EQ(fields.Next(), "a");
    EXPECT_EQ(fields.Next(), "b ");
    EXPECT_EQ(fields.Next(), "c");
}

TEST(SkinEntryFields, MissingFieldsRepeatTheLastOne) {
    FieldReader fields("name, 5, 6");
    EXPECT_EQ(fields.Next(), "name");
    SkinRect r = fields.NextRect();
    EXPECT_EQ(r.left, 5);
    EXPECT_EQ(r.top, 6);
    EXPECT_EQ(r.Width(), 6);
    EXPECT_EQ(r.Height(), 6);
    EXPECT_EQ(fields.Next(), "6");
}

TEST(SkinEntryFields, ARectangleIsLeftTopWidthHeight) {
    ButtonEntry b;
    ASSERT_TRUE(ParseButtonEntry("ID_PLAYBACK_STOP, 10, 20, 30, 40, Stop, F", b));
    EXPECT_EQ(b.rect.left, 10);
    EXPECT_EQ(b.rect.top, 20);
    EXPECT_EQ(b.rect.right, 40);
    EXPECT_EQ(b.rect.bottom, 60);
    EXPECT_EQ(b.tip, "Stop");
    EXPECT_FALSE(b.twoState);
}

TEST(SkinEntryFields, NumbersTakeTheirLeadingDigitsAndSaturate) {
    EXPECT_EQ(ParseNumber("12abc"), 12);
    EXPECT_EQ(ParseNumber("abc"), 0);
    EXPECT_EQ(ParseNumber(""), 0);
    EXPECT_EQ(ParseNumber("-7"), -7);
    EXPECT_EQ(ParseNumber("+5"), 5);
    EXPECT_EQ(ParseNumber("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseNumber("-99999999999999999999"), INT_MIN);
}

TEST(SkinEntryFields, AbsurdRectanglesStayInsideTheCoordinateSpace) {
    SkinRect r = MakeRect(-100000, 5, -3, 99999999);
    EXPECT_EQ(r.left, -32768);
    EXPECT_EQ(r.Width(), 0);
    EXPECT_EQ(r.top, 5);
    EXPECT_EQ(r.Height(), 32767);
    ButtonEntry b;
    ASSERT_TRUE(ParseButtonEntry("X, 99999999999, -99999999999, 2147483647, -5, t", b));
    EXPECT_EQ(b.rect.left, 32767);
    EXPECT_EQ(b.rect.top, -32768);
    EXPECT_EQ(b.rect.Width(), 32767);
    EXPECT_EQ(b.rect.Height(), 0);
}

TEST(SkinButtonEntries, SixFieldsReadTheTipAgainAsTheToggle) {
    ButtonEntry b;
    ASSERT_TRUE(ParseButtonEntry("IDC_BUTTON1_FILELIST_LOOP, 1, 2, 3, 4, Toggle repeat", b));
    EXPECT_TRUE(b.twoState);
    ASSERT_TRUE(ParseButtonEntry("IDC_BUTTON1_FILELIST_LOOP, 1, 2, 3, 4, repeat", b));
    EXPECT_FALSE(b.twoState);
    ASSERT_TRUE(ParseButtonEntry("IDC_BUTTON1_FILELIST_LOOP, 1, 2, 3, 4, Repeat, t", b));
    EXPECT_FALSE(b.twoState);  // case-sensitive
}

TEST(SkinButtonEntries, BlanksBeforeACommaStayInTheNameWhichThenMatchesNothing) {
    ButtonEntry b;
    ASSERT_TRUE(ParseButtonEntry("ID_PLAYBACK_PLAY , 1, 2, 3, 4,     Play", b));
    EXPECT_EQ(b.name, "ID_PLAYBACK_PLAY ");
    EXPECT_EQ(CommandOfControl(b.name), 0);
    EXPECT_EQ(b.tip, "Play");
}

TEST(SkinTextEntries, BoldIsATAndItalicIsAnF) {
    TextEntry t;
    ASSERT_TRUE(ParseTextEntry("ID_SONG_NAME, Tahoma, T, False, -12, 255, 1, 2, 3, 4, hello, ignored", t));
    EXPECT_EQ(t.name, "ID_SONG_NAME");
    EXPECT_EQ(t.face, "Tahoma");
    EXPECT_TRUE(t.bold);
    EXPECT_TRUE(t.italic);
    EXPECT_EQ(t.size, -12);
    EXPECT_EQ(t.colour, 255u);
    EXPECT_EQ(t.rect.right, 4);
    EXPECT_EQ(t.text, "hello");
    ASSERT_TRUE(ParseTextEntry("ID_SONG_NAME, Tahoma, true, True, 12, 65536, 1, 2, 3, 4, x", t));
    EXPECT_FALSE(t.bold);
    EXPECT_FALSE(t.italic);
    EXPECT_EQ(t.colour, 65536u);
}

TEST(SkinTextEntries, LongFaceNamesAreCutAndAbsurdSizesAndColoursBounded) {
    TextEntry t;
    std::string face(40, 'F');
    ASSERT_TRUE(ParseTextEntry("T, " + face + ", N, N, -2000000000, -1, 1, 2, 3, 4, x", t));
    EXPECT_EQ(t.face, std::string(31, 'F'));
    EXPECT_EQ(t.size, -500);
    EXPECT_EQ(t.colour, 0xFFFFFFu);
}

TEST(SkinSliderEntries, NineFieldsAndATenthIgnored) {
    SliderEntry s;
    ASSERT_TRUE(ParseSliderEntry("IDC_SLIDER1_VOLUME, t.bmp, td.bmp, 1, 2, 300, 4, H, 50, extra", s));
    EXPECT_EQ(s.thumb, "t.bmp");
    EXPECT_EQ(s.pressedThumb, "td.bmp");
    EXPECT_EQ(s.rect.right, 301);
    EXPECT_TRUE(s.horizontal);
    EXPECT_EQ(s.position, 50);
    ASSERT_TRUE(ParseSliderEntry("IDC_SLIDER1_VOLUME, t.bmp, td.bmp, 1, 2, 3, 4, h", s));
    EXPECT_FALSE(s.horizontal);
    EXPECT_EQ(s.position, 0);  // "h" read again as a number
}

TEST(SkinProgressEntries, AnHOrientationMakesTheBarVertical) {
    ProgressEntry p;
    ASSERT_TRUE(ParseProgressEntry("BAR, Level, 1, 2, 3, 4, H", p));
    EXPECT_EQ(p.tip, "Level");
    EXPECT_TRUE(p.vertical);
    ASSERT_TRUE(ParseProgressEntry("BAR, Level, 1, 2, 3, 4, V", p));
    EXPECT_FALSE(p.vertical);
}

TEST(SkinEntries, EmptyAndOverlongEntriesAreRefused) {
    ButtonEntry b;
    EXPECT_FALSE(ParseButtonEntry("", b));
    std::string value = "N, 1, 2, 3, 4, ";
    value += std::string(kMaxEntryChars - value.size(), 't');
    EXPECT_TRUE(ParseButtonEntry(value, b));
    EXPECT_EQ(b.tip.size(), kMaxEntryChars - 15);
    value += "t";  // 260 characters
    EXPECT_FALSE(ParseButtonEntry(value, b));
    TextEntry t;
    EXPECT_FALSE(ParseTextEntry(std::string(5000, ','), t));
    SliderEntry s;
    EXPECT_FALSE(ParseSliderEntry(std::string(300, 'x'), s));
    ProgressEntry p;
    EXPECT_FALSE(ParseProgressEntry(std::string(260, ' '), p));
}

TEST(SkinSections, EntriesAreReadFromOneUpToTheKeyCount) {
    std::string path =
        WriteIni("[BUTTON]\r\n1=first\r\n2=second\r\n4=fourth\r\n[TEXTINFO]\r\n2=b\r\n1=a\r\n3=\r\n");
    IniFile ini;
    ini.SetPath(path);
    EXPECT_EQ(NumberedEntries(ini, "BUTTON"), (std::vector<std::string>{"first", "second"}));
    EXPECT_EQ(NumberedEntries(ini, "button"), (std::vector<std::string>{"first", "second"}));
    // Read in number order, not file order; the empty one is left out.
    EXPECT_EQ(NumberedEntries(ini, "TEXTINFO"), (std::vector<std::string>{"a", "b"}));
    EXPECT_TRUE(NumberedEntries(ini, "PROGRESSINFO").empty());
}

TEST(SkinSections, AMissingFileHasNoEntries) {
    IniFile ini;
    ini.SetPath("C:\\no\\such\\skin.ini");
    EXPECT_TRUE(NumberedEntries(ini, "BUTTON").empty());
}

TEST(SkinSections, TwentyThousandCharactersOfKeyNamesAreSafe) {
    std::string text = "[BUTTON]\r\n1=first\r\n";
    int n = 0;
    while (text.size() < 22000)
        text += "somewhat_long_key_name_" + std::to_string(n++) + "=v\r\n";
    text += "2=second\r\n";
    IniFile ini;
    ini.SetPath(WriteIni(text));
    std::vector<std::string> entries = NumberedEntries(ini, "BUTTON");
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), "first");
    EXPECT_LE(entries.size(), 2u);
}

TEST(ControlNames, ButtonsStandForTheirCommands) {
    EXPECT_EQ(CommandOfControl("ID_PLAYBACK_PLAY"), 40003);
    EXPECT_EQ(CommandOfControl("ID_FILE_SELECTDISC"), 40018);
    EXPECT_EQ(CommandOfControl("ID_BUTTON_MINIMIZE"), 8);
    EXPECT_EQ(CommandOfControl("IDC_BUTTON_CLOSE_PLAYLIST"), 1051);
    EXPECT_EQ(CommandOfControl("IDC_BUTTON1_FILELIST_LOOP"), 1050);
    EXPECT_EQ(CommandOfControl("ID_FILE_EJECT"), 40049);
    EXPECT_EQ(CommandOfControl("ID_POPUP_HELP"), 40082);
    EXPECT_EQ(CommandOfControl("IDC_SLIDER1_VOLUME"), 1038);
    EXPECT_EQ(CommandOfControl("ID_PLAYBACK_STATUS"), 18);
    // Change-skin button and position text share 12.
    EXPECT_EQ(CommandOfControl("ID_CHANGE_SKIN"), 12);
    EXPECT_EQ(CommandOfControl("TEXT_POS"), 12);
}

TEST(ControlNames, UnknownOrDifferentlyWrittenNamesGiveNothing) {
    EXPECT_EQ(CommandOfControl("id_playback_play"), 0);
    EXPECT_EQ(CommandOfControl(""), 0);
    EXPECT_EQ(CommandOfControl("ID_PLAYBACK_PLAYER"), 0);
    EXPECT_EQ(CommandOfControl(" ID_PLAYBACK_PLAY"), 0);
}
