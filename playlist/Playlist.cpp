#include "Playlist.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "ByteSearch.h"

namespace playlist {

std::string_view EntryText(std::string_view text) {
    text = text.substr(0, kMaxEntryLength);
    const char* nul = FindByte(text.data(), text.size(), '\0');
    return nul ? text.substr(0, nul - text.data()) : text;
}

Playlist::Playlist(std::initializer_list<std::string_view> entries) {
    for (std::string_view entry : entries)
        Append(entry);
}

void Playlist::Append(std::string_view text) {
    text = EntryText(text);
    // One of this playlist's own entries would move away while the buffer grows: copy it first.
    std::less<const char*> before;
    if (!mText.empty() && !before(text.data(), mText.data()) &&
        before(text.data(), mText.data() + mText.size())) {
        Append(std::string(text));
        return;
    }
    mStarts.push_back(mText.size());
    mText.insert(mText.end(), text.begin(), text.end());
    mText.push_back('\0');
}

void Playlist::clear() {
    std::vector<char>().swap(mText);
    std::vector<size_type>().swap(mStarts);
}

namespace {
// Room for needed elements, at least doubling: reserving a few more entries at a time would
// otherwise copy the whole buffer on every call.
template <typename T>
void ReserveAtLeast(std::vector<T>& v, std::size_t needed) {
    if (needed > v.capacity()) v.reserve(std::max(needed, 2 * v.capacity()));
}
}  // namespace

void Playlist::reserve(size_type moreEntries, size_type moreCharacters) {
    ReserveAtLeast(mStarts, mStarts.size() + moreEntries);
    ReserveAtLeast(mText, mText.size() + moreCharacters + moreEntries);
}

void Playlist::RemoveRows(const std::vector<int>& ascendingRows) {
    // Removing exactly the selected rows gives the same list as removing row - k for the k-th
    // selected row, and lets the kept entries move down once each instead of once per removal.
    std::vector<bool> doomed(size(), false);
    bool any = false;
    for (int row : ascendingRows) {
        if (row >= 0 && static_cast<size_type>(row) < size()) doomed[row] = any = true;
    }
    if (!any) return;
    size_type kept = 0;
    size_type write = 0;
    for (size_type i = 0; i < mStarts.size(); ++i) {
        if (doomed[i]) continue;
        // Entry i with its NUL; the start of entry i + 1 is still unmoved, as kept <= i.
        size_type start = mStarts[i];
        size_type end = i + 1 < mStarts.size() ? mStarts[i + 1] : mText.size();
        if (write != start) std::memmove(mText.data() + write, mText.data() + start, end - start);
        mStarts[kept++] = write;
        write += end - start;
    }
    mStarts.resize(kept);
    mText.resize(write);
}

}  // namespace playlist
