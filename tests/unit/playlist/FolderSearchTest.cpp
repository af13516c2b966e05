// The folder search on real folders: breadth-first order, media files only, its two messages
// and folders it cannot enter.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "Driver.h"
#include "FolderSearch.h"

using namespace playlist;
using Entries = std::vector<std::string>;

namespace {

void Touch(const std::string& path) {
    std::ofstream(path, std::ios::binary) << "x";
}

class FolderSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = e2e::MakeTempDirectory("search");
        ASSERT_FALSE(dir.empty());
    }
    FolderSearch MakeSearch() {
        return FolderSearch([this](const std::string& text) { messages.push_back(text); });
    }
    std::string dir;
    Entries messages;
};

}  // namespace

TEST_F(FolderSearchTest, AFoldersOwnFilesComeBeforeThoseOfItsSubfolders) {
    ASSERT_TRUE(::CreateDirectoryA((dir + "S").c_str(), nullptr));
    Touch(dir + "S\\B.mp3");
    Touch(dir + "A.mp3");
    Entries results{"already"};
    FolderSearch search = MakeSearch();
    EXPECT_TRUE(search.Search(dir, results));
    EXPECT_EQ(results, (Entries{"already", dir + "A.mp3", dir + "S\\B.mp3"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(search.PendingFolders().empty());
}

TEST_F(FolderSearchTest, TheSearchIsBreadthFirstAndKeepsOnlyMediaFiles) {
    for (const char* sub : {"a", "a\\deep", "b"})
        ASSERT_TRUE(::CreateDirectoryA((dir + sub).c_str(), nullptr));
    Touch(dir + "a\\deep\\1.WAV");
    Touch(dir + "a\\2.avi");
    Touch(dir + "b\\3.jpeg");
    Touch(dir + "z.ogg");
    for (const char* other : {"notes.txt", "clip.avi.txt", "README", "b\\list.m3u"})
        Touch(dir + other);
    Entries results;
    // No trailing backslash: the search adds one.
    EXPECT_TRUE(MakeSearch().Search(dir.substr(0, dir.size() - 1), results));
    ASSERT_EQ(results.size(), 4u);
    EXPECT_EQ(results[0], dir + "z.ogg");
    // The two first-level folders come in the order the folder listing gave them.
    Entries level1{results[1], results[2]};
    std::sort(level1.begin(), level1.end());
    EXPECT_EQ(level1, (Entries{dir + "a\\2.avi", dir + "b\\3.jpeg"}));
    EXPECT_EQ(results[3], dir + "a\\deep\\1.WAV");
}

TEST_F(FolderSearchTest, APathThatDoesNotExistIsReportedWithItsBackslash) {
    Entries results;
    EXPECT_FALSE(MakeSearch().Search(dir + "missing", results));
    EXPECT_TRUE(results.empty());
    EXPECT_EQ(messages, Entries{dir + "missing\\ occurs error!"});
}

TEST_F(FolderSearchTest, AFileIsNotAFolderToSearch) {
    Touch(dir + "clip.avi");
    Entries results;
    // A file named with a trailing backslash cannot be read at all on the platform, so only
    // a plain file name reaches the second message; both end the search.
    bool found = MakeSearch().Search(dir + "clip.avi", results);
    EXPECT_FALSE(found);
    EXPECT_TRUE(results.empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0] == dir + "clip.avi\\ is not a right directory" ||
                messages[0] == dir + "clip.avi\\ occurs error!")
        << messages[0];
}

TEST_F(FolderSearchTest, FoldersTooDeepToEnterArePassedOver) {
    // A folder whose path no longer fits a 260-character path cannot be listed; its files are
    // skipped while everything reachable is still found.
    std::string first = dir + std::string(180, 'f');
    std::wstring firstW(first.begin(), first.end());
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + firstW).c_str(), nullptr));
    std::wstring deepW = firstW + L"\\" + std::wstring(120, L'g');
    ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + deepW).c_str(), nullptr));
    HANDLE deepFile = ::CreateFileW((L"\\\\?\\" + deepW + L"\\hidden.mp3").c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_NEW, 0, nullptr);
    ASSERT_NE(deepFile, INVALID_HANDLE_VALUE);
    ::CloseHandle(deepFile);
    Touch(first + "\\near.mp3");
    Touch(dir + "top.mp3");
    Entries results;
    EXPECT_TRUE(MakeSearch().Search(dir, results));
    EXPECT_EQ(results, (Entries{dir + "top.mp3", first + "\\near.mp3"}));
    EXPECT_TRUE(messages.empty());
}
