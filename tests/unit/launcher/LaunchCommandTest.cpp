#include <gtest/gtest.h>

#include "LaunchCommand.h"

using launcher::ArgumentsTail;
using launcher::PlayerCommandLine;

TEST(LauncherArguments, ShellVerbLinePassesTheQuotedMediaPathOnUnchanged) {
    EXPECT_EQ(ArgumentsTail(R"("C:\Program Files\Tesmaro Player\Vistrane.exe" "C:\My Clips\a b.avi")"),
              R"("C:\My Clips\a b.avi")");
}

TEST(LauncherArguments, UnquotedProgramNameEndsAtTheFirstBlank) {
    EXPECT_EQ(ArgumentsTail(R"(Vistrane.exe   C:\clip.mpg)"), R"(C:\clip.mpg)");
    EXPECT_EQ(ArgumentsTail("Vistrane.exe\thttp://host/stream.asf"), "http://host/stream.asf");
}

TEST(LauncherArguments, NoArgumentsGiveAnEmptyTail) {
    EXPECT_EQ(ArgumentsTail("Vistrane.exe"), "");
    EXPECT_EQ(ArgumentsTail(R"("C:\Program Files\Tesmaro Player\Vistrane.exe")"), "");
    EXPECT_EQ(ArgumentsTail(R"("C:\Program Files\Tesmaro Player\Vistrane.exe"   )"), "");
    EXPECT_EQ(ArgumentsTail(""), "");
}

TEST(LauncherArguments, UnclosedQuoteTakesTheWholeLineAsTheName) {
    EXPECT_EQ(ArgumentsTail(R"("C:\odd name\Vistrane.exe clip.avi)"), "");
}

TEST(LauncherCommand, PlayerBesideTheLauncherIsQuotedForFoldersWithBlanks) {
    EXPECT_EQ(PlayerCommandLine(R"(C:\Program Files\Tesmaro Player\)", R"("C:\a b.avi")"),
              R"("C:\Program Files\Tesmaro Player\tesmaro_player.exe" "C:\a b.avi")");
    EXPECT_EQ(PlayerCommandLine(R"(C:\P\)", ""), R"("C:\P\tesmaro_player.exe")");
}
