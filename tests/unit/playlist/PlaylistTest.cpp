// The playlist container: entries cut to their limit, read back as views and as C strings that
// lie back to back in one buffer, removal of selected rows in one pass, clearing, and loading
// long M3U text without a heap block per entry; and the byte search that loading relies on.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "ByteSearch.h"
#include "Playlist.h"
#include "PlaylistModel.h"

using namespace playlist;

// Every allocation of this program is counted, so a test can see how many a piece of work makes.
namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
    ++gAllocations;
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace {

std::vector<std::string> Texts(const Playlist& list) {
    return std::vector<std::string>(list.begin(), list.end());
}

// The removal as the user sees it, one entry at a time: the k-th selected row, after k
// removals, is found at row - k.
std::vector<std::string> RemoveOneByOne(std::vector<std::string> entries, const std::vector<int>& rows) {
    int removed = 0;
    for (int row : rows) {
        entries.erase(entries.begin() + (row - removed));
        ++removed;
    }
    return entries;
}

}  // namespace

TEST(PlaylistEntries, AppendKeepsTextUpToTheEntryLimit) {
    Playlist list;
    list.Append("C:\\a.avi");
    list.Append(std::string(kMaxEntryLength, 'y'));
    list.Append(std::string(kMaxEntryLength + 1, 'z'));
    list.Append(std::string(1000, 'q'));
    list.Append("");
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0], "C:\\a.avi");
    EXPECT_EQ(list[1], std::string(kMaxEntryLength, 'y'));
    EXPECT_EQ(list[2], std::string(kMaxEntryLength, 'z'));
    EXPECT_EQ(list[3], std::string(kMaxEntryLength, 'q'));
    EXPECT_EQ(list[4], "");
    EXPECT_EQ(EntryText(std::string(300, 'x')).size(), kMaxEntryLength);
}

TEST(PlaylistEntries, AnEntryEndsAtANulSoBothReadingsAgree) {
    Playlist list;
    list.Append(std::string("ab\0cd", 5));
    list.Append(std::string("\0x", 2));
    EXPECT_EQ(list[0], "ab");
    EXPECT_STREQ(list.CStr(0), "ab");
    EXPECT_EQ(list[1], "");
    EXPECT_STREQ(list.CStr(1), "");
}

TEST(PlaylistEntries, EntriesLieBackToBackEachWithItsTerminator) {
    Playlist list{"one", "", "three", std::string(kMaxEntryLength, 'm')};
    ASSERT_EQ(list.size(), 4u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char* text = list.CStr(i);
        EXPECT_EQ(std::strlen(text), list[i].size()) << i;
        EXPECT_EQ(text, list[i].data()) << i;  // the view and the C string are the same bytes
        EXPECT_EQ(text[list[i].size()], '\0') << i;
        if (i + 1 < list.size()) {
            EXPECT_EQ(text + list[i].size() + 1, list.CStr(i + 1)) << i;
        }
    }
}

TEST(PlaylistEntries, AnEntryOfTheSameListCanBeAppendedWhileTheBufferGrows) {
    Playlist list{"first", "second"};
    for (int i = 0; i < 5000; ++i)
        list.Append(list[i]);
    ASSERT_EQ(list.size(), 5002u);
    for (std::size_t i = 0; i < list.size(); ++i)
        ASSERT_EQ(list[i], i % 2 == 0 ? "first" : "second") << i;
}

TEST(PlaylistEntries, IterationVisitsEveryEntryInOrderAndSurvivesGrowth) {
    Playlist list;
    std::vector<std::string> expected;
    for (int i = 0; i < 20000; ++i) {
        std::string text = i % 101 == 0 ? "" : "C:\\Music\\" + std::to_string(i) + ".mp3";
        list.Append(text);
        expected.push_back(text);
    }
    EXPECT_EQ(Texts(list), expected);
    std::size_t n = 0;
    for (std::string_view entry : list)
        EXPECT_EQ(entry, expected[n++]);
    EXPECT_EQ(n, expected.size());
    EXPECT_STREQ(list.CStr(12345), "C:\\Music\\12345.mp3");
}

TEST(PlaylistEntries, ClearEmptiesAndTheListFillsAgain) {
    Playlist list{"a", "b", "c"};
    list.clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.size(), 0u);
    EXPECT_TRUE(list.begin() == list.end());
    EXPECT_EQ(list, Playlist{});
    list.Append("d");
    EXPECT_EQ(list, Playlist{"d"});
    EXPECT_STREQ(list.CStr(0), "d");
}

TEST(PlaylistEntries, ReservingChangesNoEntry) {
    Playlist list{"a", "bb"};
    list.reserve(1000, 50000);
    EXPECT_EQ(list, (Playlist{"a", "bb"}));
    // Many small reservations in turn, as adding a few files at a time makes them.
    for (int i = 0; i < 3000; ++i) {
        std::string text = "e";
        text += std::to_string(i);
        list.reserve(1, text.size());
        list.Append(text);
    }
    ASSERT_EQ(list.size(), 3002u);
    EXPECT_EQ(list[3001], "e2999");
    EXPECT_STREQ(list.CStr(2), "e0");
}

TEST(PlaylistEntries, EqualListsHoldTheSameEntriesInTheSameOrder) {
    EXPECT_EQ((Playlist{"a", "b"}), (Playlist{"a", "b"}));
    EXPECT_FALSE((Playlist{"ab", ""}) == (Playlist{"a", "b"}));
    EXPECT_FALSE((Playlist{"a", "b"}) == (Playlist{"b", "a"}));
    EXPECT_FALSE((Playlist{"a"}) == (Playlist{"a", ""}));
}

TEST(RemovingSelectedRowsInOnePass, HalfOfAHundredThousandRowsGoAndTheRestKeepTheirOrder) {
    Playlist list;
    for (int i = 0; i < 100000; ++i)
        list.Append("C:\\Music\\" + std::to_string(i) + ".mp3");
    std::vector<int> even;
    for (int row = 0; row < 100000; row += 2)
        even.push_back(row);
    list.RemoveRows(even);
    ASSERT_EQ(list.size(), 50000u);
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string expected = "C:\\Music\\" + std::to_string(2 * i + 1) + ".mp3";
        ASSERT_EQ(list[i], expected) << i;
        ASSERT_STREQ(list.CStr(i), expected.c_str()) << i;
    }
}

TEST(RemovingSelectedRowsInOnePass, GivesWhatRemovingEachRowInTurnGives) {
    std::mt19937 random(1234);
    for (int round = 0; round < 200; ++round) {
        int count = static_cast<int>(random() % 40);
        std::vector<std::string> texts;
        Playlist list;
        for (int i = 0; i < count; ++i) {
            std::string text(random() % 5, static_cast<char>('a' + random() % 3));  // short, often equal
            texts.push_back(text);
            list.Append(text);
        }
        std::vector<int> rows;
        for (int row = 0; row < count; ++row) {
            if (random() % 3 == 0) rows.push_back(row);
        }
        list.RemoveRows(rows);
        EXPECT_EQ(Texts(list), RemoveOneByOne(texts, rows)) << round;
        for (std::size_t i = 0; i < list.size(); ++i)
            EXPECT_EQ(std::strlen(list.CStr(i)), list[i].size());
    }
}

TEST(RemovingSelectedRowsInOnePass, FirstLastAllAndNoneOfTheRows) {
    Playlist list{"a", "bb", "ccc", "dddd"};
    list.RemoveRows({0, 3});
    EXPECT_EQ(list, (Playlist{"bb", "ccc"}));
    list.RemoveRows({});
    EXPECT_EQ(list, (Playlist{"bb", "ccc"}));
    list.RemoveRows({0, 1});
    EXPECT_TRUE(list.empty());
    list.Append("again");
    EXPECT_EQ(list, Playlist{"again"});
}

TEST(LoadingLongPlaylists, EntriesGetNoHeapBlockOfTheirOwn) {
    std::string text = "#EXTM3U\r\n";
    for (int i = 0; i < 20000; ++i)
        text += "#EXTINF:1,Title\r\nC:\\Music\\" + std::to_string(i) + " - Title.mp3\r\n";
    Playlist list;
    long before = gAllocations;
    M3uReader reader(list);
    for (std::size_t at = 0; at < text.size(); at += 65536)
        reader.Feed(text.data() + at, std::min<std::size_t>(65536, text.size() - at));
    reader.Finish();
    long allocations = gAllocations - before;
    ASSERT_EQ(list.size(), 20000u);
    EXPECT_EQ(list[19999], "C:\\Music\\19999 - Title.mp3");
    // The two buffers grow by doubling, and lines split between pieces share one line buffer.
    EXPECT_LT(allocations, 100) << allocations;
}

TEST(FindingABytePerStep, FindsTheFirstOccurrenceAtEveryPositionAndLength) {
    // Neighbours of the searched value and values with the high bit set are where a word-wise
    // test could be fooled by a borrow.
    const unsigned char values[] = {0x00, 0x0A, 0x09, 0x0B, 0x8A, 0x80, 0xFF, 0x01, 0x7F};
    for (unsigned char wanted : values) {
        for (unsigned char filler : values) {
            if (filler == wanted) continue;
            for (std::size_t length = 0; length <= 40; ++length) {
                std::string text(length, static_cast<char>(filler));
                EXPECT_EQ(FindByte(text.data(), length, static_cast<char>(wanted)), nullptr);
                for (std::size_t at = 0; at < length; ++at) {
                    text.assign(length, static_cast<char>(filler));
                    text[at] = static_cast<char>(wanted);
                    if (at + 3 < length) text[at + 3] = static_cast<char>(wanted);  // a later one
                    ASSERT_EQ(FindByte(text.data(), length, static_cast<char>(wanted)), text.data() + at)
                        << int(wanted) << " in " << int(filler) << " at " << at << " of " << length;
                }
            }
        }
    }
}

TEST(FindingABytePerStep, AgreesWithMemchrOnRandomTextAtAnyStart) {
    std::mt19937 random(99);
    std::string text(4096, '\0');
    for (char& c : text)
        c = static_cast<char>(random() % 256);
    for (int round = 0; round < 2000; ++round) {
        std::size_t from = random() % text.size();
        std::size_t length = random() % (text.size() - from + 1);
        char wanted = static_cast<char>(random() % 256);
        const void* expected = std::memchr(text.data() + from, static_cast<unsigned char>(wanted), length);
        ASSERT_EQ(FindByte(text.data() + from, length, wanted), expected) << round;
    }
}
