// The playlist's own rules on plain values: reading M3U text, media extensions, removing
// selected rows and the names an open-file dialog returns.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "PlaylistModel.h"

using namespace playlist;
using Entries = Playlist;
using Names = std::vector<std::string>;

namespace {

Entries Read(const std::string& text, size_t piece = 0) {
    Entries entries;
    M3uReader reader(entries);
    if (piece == 0) piece = text.size() ? text.size() : 1;
    for (size_t at = 0; at < text.size(); at += piece)
        reader.Feed(text.data() + at, std::min(piece, text.size() - at));
    reader.Finish();
    return entries;
}

}  // namespace

TEST(M3uTextBecomesEntries, ExtendedPlaylistKeepsPathsAndSkipsCommentsAndBlankLines) {
    std::string text =
        "#EXTM3U\r\n#EXTINF:123,Artist - "
        "Title\r\nC:\\music\\a.mp3\r\n\r\n#EXTINF:5,Clip\r\nvideos\\b.avi\r\n\r\n"
        "http://host/c.wmv\r\n";
    EXPECT_EQ(Read(text), (Entries{"C:\\music\\a.mp3", "videos\\b.avi", "http://host/c.wmv"}));
}

TEST(M3uTextBecomesEntries, CrLfLfAndLoneCrEndingsReadAlikeInPiecesOfAnySize) {
    std::string crlf = "a.avi\r\n b.avi \r\n\r\nc.avi\r\n";
    std::string lf = "a.avi\n b.avi \n\nc.avi\n";
    std::string cr = "a.avi\r b.avi \r\rc.avi\r";
    std::string mixed = "a.avi\r\n b.avi \r\n\rc.avi\n";
    Entries expected{"a.avi", " b.avi ", "c.avi"};  // no trimming of what is kept
    for (size_t piece : {0u, 1u, 2u, 3u, 7u}) {
        EXPECT_EQ(Read(crlf, piece), expected) << piece;
        EXPECT_EQ(Read(lf, piece), expected) << piece;
        EXPECT_EQ(Read(cr, piece), expected) << piece;
        EXPECT_EQ(Read(mixed, piece), expected) << piece;
    }
}

TEST(M3uTextBecomesEntries, BlankLinesNameNothingAndAddNoEntry) {
    for (size_t piece : {0u, 1u, 3u}) {
        EXPECT_EQ(Read("\r\n\r\n  \r\n\t \r\na.avi\r\n \f\v\r\n\n\r\r", piece), Entries{"a.avi"}) << piece;
        // Empty once cut at a NUL: nothing to play either.
        EXPECT_EQ(Read(std::string("\0junk\r\n  \0x\r\nb.avi", 19), piece), Entries{"b.avi"}) << piece;
    }
    EXPECT_EQ(Read("\n"), Entries{});
    EXPECT_EQ(Read("   "), Entries{});
}

TEST(M3uTextBecomesEntries, ALastLineWithoutLineEndIsAnEntry) {
    EXPECT_EQ(Read("a.avi\r\nb.avi"), (Entries{"a.avi", "b.avi"}));
    EXPECT_EQ(Read("#only a comment"), Entries{});
    EXPECT_EQ(Read(""), Entries{});
}

TEST(M3uTextBecomesEntries, OnlyAHashAsFirstCharacterMakesAComment) {
    EXPECT_EQ(Read(" #not skipped\r\nC:\\#1.avi\r\n#skipped\r\n"), (Entries{" #not skipped", "C:\\#1.avi"}));
}

TEST(M3uTextBecomesEntries, OverlongLinesAreCutToTheEntryLimitAndNeverSplit) {
    std::string longLine(1000, 'x');
    for (size_t piece : {0u, 1u, 100u, 259u, 260u}) {
        Entries entries = Read("a.avi\r\n" + longLine + "\r\nb.avi\r\n", piece);
        ASSERT_EQ(entries.size(), 3u) << piece;
        EXPECT_EQ(entries[1], std::string(kMaxEntryLength, 'x'));
        EXPECT_EQ(entries[2], "b.avi");
    }
    // Exactly at the limit, with either line end, nothing is lost.
    std::string limit(kMaxEntryLength, 'y');
    EXPECT_EQ(Read(limit + "\r\n" + limit + "\n"), (Entries{limit, limit}));
    EXPECT_EQ(Read(limit + "z\r\n"), Entries{limit});
}

TEST(M3uTextBecomesEntries, BinaryGarbageStaysWithinEntriesAndLines) {
    std::string garbage;
    for (int i = 0; i < 5000; ++i)
        garbage += static_cast<char>((i * 7919) % 256);
    Entries entries = Read(garbage, 333);
    size_t lineEnds = 0;
    for (char c : garbage)
        lineEnds += c == '\n' || c == '\r';
    EXPECT_LE(entries.size(), lineEnds + 1);
    for (std::string_view e : entries) {
        EXPECT_LE(e.size(), kMaxEntryLength);
        EXPECT_EQ(e.find('\0'), std::string::npos);
        EXPECT_EQ(e.find('\n'), std::string::npos);
        EXPECT_EQ(e.find('\r'), std::string::npos);
        EXPECT_FALSE(IsBlankText(e));
    }
    // A NUL ends the entry's text; the rest of that line is dropped.
    EXPECT_EQ(Read(std::string("ab\0cd\r\nef\r\n", 11)), (Entries{"ab", "ef"}));
    EXPECT_EQ(Read(std::string("ab\0c\rd\r\n", 9)), (Entries{"ab", "d"}));
}

TEST(EntriesHaveALengthLimit, LongerTextIsCutToTheLimit) {
    EXPECT_EQ(MakeEntry(""), "");
    EXPECT_EQ(MakeEntry("http://host/a.wmv"), "http://host/a.wmv");
    EXPECT_EQ(MakeEntry(std::string(300, 'q')), std::string(kMaxEntryLength, 'q'));
}

TEST(MediaFilesAreKnownByExtension, CapitalsMatchAndOtherLastExtensionsDoNot) {
    EXPECT_TRUE(IsMediaFile("C:\\v\\CLIP.AVI"));
    EXPECT_TRUE(IsMediaFile("clip.Mp3"));
    EXPECT_TRUE(IsMediaFile("x.tar.ogg"));
    EXPECT_FALSE(IsMediaFile("clip.avi.txt"));
    EXPECT_FALSE(IsMediaFile("C:\\v\\README"));
    EXPECT_FALSE(IsMediaFile("C:\\v.avi\\README"));  // a dot in a folder name is no extension
    EXPECT_FALSE(IsMediaFile("clip.avi2"));
    EXPECT_FALSE(IsMediaFile("clip."));
    EXPECT_EQ(ExtensionOf("a\\b.c\\d.JPEG"), ".JPEG");
    EXPECT_EQ(ExtensionOf("noext"), "");
}

TEST(MediaFilesAreKnownByExtension, EveryTableExtensionMatchesInAnyCase) {
    ASSERT_EQ(MediaExtensions().size(), 27u);
    EXPECT_EQ(MediaExtensions().front(), ".bmp");
    EXPECT_EQ(MediaExtensions().back(), ".ogg");
    for (std::string_view ext : MediaExtensions()) {
        std::string upper(ext);
        for (char& c : upper)
            c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
        EXPECT_TRUE(IsMediaFile("name" + std::string(ext))) << ext;
        EXPECT_TRUE(IsMediaFile("NAME" + upper)) << upper;
    }
    for (const char* other : {"a.mov", "a.qt", "a.dat", "a.ifo", "a.m3u", "a.txt", "a.ac3"})
        EXPECT_FALSE(IsMediaFile(other)) << other;
}

TEST(RemovingSelectedRows, EachRemovalHitsAnEntryThatWasSelected) {
    Entries entries{"e0", "e1", "e2", "e3", "e4"};
    entries.RemoveRows({1, 3});
    EXPECT_EQ(entries, (Entries{"e0", "e2", "e4"}));

    Entries all{"a", "b", "c"};
    all.RemoveRows({0, 1, 2});
    EXPECT_TRUE(all.empty());

    Entries duplicates{"x", "x", "y", "x"};
    duplicates.RemoveRows({1, 3});
    EXPECT_EQ(duplicates, (Entries{"x", "y"}));
}

TEST(RemovingSelectedRows, RowsOutsideTheListAreIgnored) {
    Entries entries{"a", "b"};
    entries.RemoveRows({-1, 1, 1, 7});
    EXPECT_EQ(entries, Entries{"a"});
}

TEST(ChosenFilesBecomeEntries, OneFileIsItsFullPath) {
    std::string buffer("C:\\media\\one.avi\0\0", 18);
    EXPECT_EQ(SplitChosenFiles(buffer.data(), buffer.size(), 9), Names{"C:\\media\\one.avi"});
}

TEST(ChosenFilesBecomeEntries, SeveralFilesAreJoinedToTheirFolderInTheOrderReturned) {
    std::string buffer("C:\\media\0c.wav\0a.wav\0b.wav\0\0", 29);
    EXPECT_EQ(SplitChosenFiles(buffer.data(), buffer.size(), 9),
              (Names{"C:\\media\\c.wav", "C:\\media\\a.wav", "C:\\media\\b.wav"}));
    std::string root("C:\\\0x.wav\0y.wav\0\0", 17);
    EXPECT_EQ(SplitChosenFiles(root.data(), root.size(), 4), (Names{"C:\\\\x.wav", "C:\\\\y.wav"}));
}

TEST(ChosenFilesBecomeEntries, OverlongJoinsAreCutAndUnterminatedBuffersGiveNothing) {
    std::string folder = "C:\\" + std::string(250, 'f');
    std::string buffer = folder + '\0' + "name.wav" + '\0' + '\0';
    Names entries = SplitChosenFiles(buffer.data(), buffer.size(), folder.size() + 1);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0], (folder + "\\name.wav").substr(0, kMaxEntryLength));
    std::string unterminated(20, 'z');
    EXPECT_TRUE(SplitChosenFiles(unterminated.data(), unterminated.size(), 3).empty());
}

TEST(TypingFindsARow, TheNextEntryWithThePrefixInAnyCaseWrappingWhenAsked) {
    Entries entries{"C:\\a.avi", "c:\\B.avi", "D:\\c.avi", "c:\\d.avi"};
    EXPECT_EQ(FindEntryByPrefix(entries, "c:", 0, false), 0);
    EXPECT_EQ(FindEntryByPrefix(entries, "C:\\b", 0, false), 1);
    EXPECT_EQ(FindEntryByPrefix(entries, "c", 2, false), 3);
    EXPECT_EQ(FindEntryByPrefix(entries, "d", 3, false), -1);
    EXPECT_EQ(FindEntryByPrefix(entries, "d", 3, true), 2);
    EXPECT_EQ(FindEntryByPrefix(entries, "x", 0, true), -1);
    EXPECT_EQ(FindEntryByPrefix({}, "x", 5, true), -1);
}
