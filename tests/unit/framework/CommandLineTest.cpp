#include <gtest/gtest.h>

#include "CommandLine.h"

using fw::ParseCommandLine;

TEST(CommandLine, TheFirstArgumentThatIsNotAnOptionIsTheFile) {
    fw::CommandLineInfo info = ParseCommandLine({"/p", "C:\\media\\clip one.avi", "second.avi", "-dde"});
    EXPECT_EQ(info.fileName, "C:\\media\\clip one.avi");
    EXPECT_EQ(info.options, (std::vector<std::string>{"p", "dde"}));
}

TEST(CommandLine, NoArgumentsGiveNoFile) {
    EXPECT_TRUE(ParseCommandLine({}).fileName.empty());
    EXPECT_TRUE(ParseCommandLine({"/Embedding"}).fileName.empty());
}

TEST(CommandLine, AddressesAreFiles) {
    EXPECT_EQ(ParseCommandLine({"http://example.com/a.asf"}).fileName, "http://example.com/a.asf");
}

TEST(CommandLine, ALoneDashOrSlashIsIgnoredAndDoesNotHideTheFileAfterIt) {
    EXPECT_EQ(ParseCommandLine({"-", "C:\\media\\a.avi"}).fileName, "C:\\media\\a.avi");
    EXPECT_EQ(ParseCommandLine({"/", "-", "b.avi"}).fileName, "b.avi");
    fw::CommandLineInfo alone = ParseCommandLine({"-", "/"});
    EXPECT_TRUE(alone.fileName.empty());
    EXPECT_TRUE(alone.options.empty());
}
