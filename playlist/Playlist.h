// The playlist's entries in order. All entries lie back to back in one character buffer, each
// followed by a NUL, with a table of where each one starts: loading a long M3U file then costs
// two growing buffers instead of one heap block per entry, which the heap under Wine makes dear.
// An entry reads as a std::string_view or as a NUL-terminated string for the platform.
//
// The container's own vocabulary (size, empty, clear, reserve, begin, end, operator[]) is spelt
// as the standard library spells it, so range-for, algorithms and test printers take it as they
// take a std::vector; the playlist's operations are spelt as this code base spells functions.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <string_view>
#include <vector>

namespace playlist {

// An entry is played through a 260-character path buffer, so it holds at most 259 characters.
inline constexpr std::size_t kMaxEntryLength = 259;

// The part of text that an entry keeps: its first kMaxEntryLength characters, ending early at a
// NUL. Cutting when the entry is made keeps the list showing exactly what would be played, and
// an entry never holds a NUL, so its two readings always agree.
std::string_view EntryText(std::string_view text);

class Playlist {
public:
    using size_type = std::size_t;
    using value_type = std::string_view;

    class const_iterator {
    public:
        using iterator_concept = std::forward_iterator_tag;
        using iterator_category = std::input_iterator_tag;  // entries are handed out by value
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const Playlist* list, size_type index) : mList(list), mIndex(index) {}
        std::string_view operator*() const { return (*mList)[mIndex]; }
        const_iterator& operator++() {
            ++mIndex;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator old = *this;
            ++mIndex;
            return old;
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) {
            return a.mIndex == b.mIndex;
        }

    private:
        const Playlist* mList = nullptr;
        size_type mIndex = 0;
    };
    using iterator = const_iterator;

    Playlist() = default;
    Playlist(std::initializer_list<std::string_view> entries);

    size_type size() const { return mStarts.size(); }
    bool empty() const { return mStarts.empty(); }
    // Entry index (index < size()); valid until the playlist next changes.
    std::string_view operator[](size_type index) const {
        size_type start = mStarts[index];
        size_type end = index + 1 < mStarts.size() ? mStarts[index + 1] : mText.size();
        return std::string_view(mText.data() + start, end - start - 1);
    }
    // Entry index as a NUL-terminated string; valid until the playlist next changes.
    const char* CStr(size_type index) const { return mText.data() + mStarts[index]; }
    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, size()); }

    // Adds EntryText(text) at the end.
    void Append(std::string_view text);
    // Empties the playlist and gives its memory back.
    void clear();
    // Room for that many more entries holding that many characters in all, so that appending
    // them does not grow the buffers again.
    void reserve(size_type moreEntries, size_type moreCharacters);

    // Removes the entries of the selected rows (ascending, row = entry index): with k entries
    // already removed the entry at row - k goes, so each removal hits an entry that was selected.
    // Rows outside the list or repeated are ignored. One pass over the buffer, however many rows.
    void RemoveRows(const std::vector<int>& ascendingRows);

    friend bool operator==(const Playlist& a, const Playlist& b) {
        return a.mStarts == b.mStarts && a.mText == b.mText;
    }

private:
    std::vector<char> mText;         // every entry followed by its NUL, in order
    std::vector<size_type> mStarts;  // where each entry begins in mText
};

}  // namespace playlist
