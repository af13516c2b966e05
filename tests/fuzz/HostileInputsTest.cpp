// The stored hostile inputs of every fuzz target, replayed through the same targets in the
// Windows build, so that what once broke a parser stays mended.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "FuzzTarget.h"

FUZZ_TARGET(FuzzSkinEntry);
FUZZ_TARGET(FuzzM3u);
FUZZ_TARGET(FuzzCommandLine);
FUZZ_TARGET(FuzzStatusText);
FUZZ_TARGET(FuzzStateStream);
FUZZ_TARGET(FuzzProgramStream);

namespace {

std::string gCurrentInput;

std::vector<std::string> FilesIn(const std::string& dir) {
    std::vector<std::string> files;
    WIN32_FIND_DATAA found{};
    HANDLE find = ::FindFirstFileA((dir + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return files;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.push_back(dir + "\\" + found.cFileName);
    } while (::FindNextFileA(find, &found));
    ::FindClose(find);
    return files;
}

void Replay(const char* corpus, int (*target)(const uint8_t*, size_t)) {
    std::vector<std::string> files = FilesIn(std::string(TESMARO_FUZZ_CORPUS) + "\\" + corpus);
    ASSERT_FALSE(files.empty()) << corpus;
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        gCurrentInput = file;
        target(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
}

}  // namespace

void FuzzCheckFailed(const char* file, int line, const char* condition) {
    ADD_FAILURE_AT(file, line) << condition << " broken by " << gCurrentInput;
}

TEST(HostileInputs, SkinEntriesKeepTheirLimits) {
    Replay("skin_entry", FuzzSkinEntry);
}
TEST(HostileInputs, M3uTextGivesOnlyPlayableEntriesInPiecesOrWhole) {
    Replay("m3u", FuzzM3u);
}
TEST(HostileInputs, CommandLinesNameARealArgumentAsTheFile) {
    Replay("command_line", FuzzCommandLine);
}
TEST(HostileInputs, StatusTextsStayInShapeForAnyNumbersAndPaths) {
    Replay("status_text", FuzzStatusText);
}
TEST(HostileInputs, BookmarkBytesAreReadOnlyWhenWhole) {
    Replay("state_stream", FuzzStateStream);
}
TEST(HostileInputs, DiscSectorsGivePacketsInsideThemselves) {
    Replay("program_stream", FuzzProgramStream);
}
