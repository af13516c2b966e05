// What an open-file dialog's buffer becomes: paths joined to their folder as each caller asks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ChosenFiles.h"

using fw::JoinDirectoryAndName;
using fw::RootJoin;
using fw::SplitChosenFiles;

namespace {
using Paths = std::vector<std::string>;
}  // namespace

TEST(OpenDialogEntries, DirectoryAndNameJoinWithOneBackslash) {
    EXPECT_EQ(JoinDirectoryAndName("C:\\", "a.avi"), "C:\\a.avi");
    EXPECT_EQ(JoinDirectoryAndName("C:\\media", "a.avi"), "C:\\media\\a.avi");
}

TEST(OpenDialogEntries, ADoubledRootJoinAddsItsBackslashToARootToo) {
    EXPECT_EQ(JoinDirectoryAndName("C:\\", "a.avi", RootJoin::Doubled), "C:\\\\a.avi");
    EXPECT_EQ(JoinDirectoryAndName("C:\\media", "a.avi", RootJoin::Doubled), "C:\\media\\a.avi");
}

TEST(ChosenFiles, NamesInADriveRootJoinItWithoutADoubledBackslash) {
    std::string buffer("C:\\\0x.wav\0y.wav\0z.wav\0\0", 23);
    EXPECT_EQ(SplitChosenFiles(buffer.data(), buffer.size(), 4, RootJoin::Plain),
              (Paths{"C:\\x.wav", "C:\\y.wav", "C:\\z.wav"}));
}

TEST(ChosenFiles, NamesInASubFolderJoinItWithOneBackslashInTheOrderReturned) {
    std::string buffer("C:\\media\0c.wav\0a.wav\0\0", 23);
    EXPECT_EQ(SplitChosenFiles(buffer.data(), buffer.size(), 9, RootJoin::Plain),
              (Paths{"C:\\media\\c.wav", "C:\\media\\a.wav"}));
}

TEST(ChosenFiles, OneFileIsItsFullPath) {
    std::string buffer("C:\\media\\one.avi\0\0", 18);
    EXPECT_EQ(SplitChosenFiles(buffer.data(), buffer.size(), 9, RootJoin::Plain),
              Paths{"C:\\media\\one.avi"});
    EXPECT_EQ(SplitChosenFiles(buffer.data(), buffer.size(), 9, RootJoin::Doubled),
              Paths{"C:\\media\\one.avi"});
}

TEST(ChosenFiles, UnterminatedOrEmptyBuffersGiveNothing) {
    std::string unterminated(20, 'z');
    EXPECT_TRUE(SplitChosenFiles(unterminated.data(), unterminated.size(), 3, RootJoin::Plain).empty());
    std::string cutName("C:\\media\0a.wav", 14);  // the last name runs to the buffer's end
    EXPECT_TRUE(SplitChosenFiles(cutName.data(), cutName.size(), 9, RootJoin::Plain).empty());
    EXPECT_TRUE(SplitChosenFiles(nullptr, 0, 0, RootJoin::Plain).empty());
    std::string empty(4, '\0');
    EXPECT_TRUE(SplitChosenFiles(empty.data(), empty.size(), 0, RootJoin::Plain).empty());
}
