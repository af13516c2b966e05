#include "PlaylistModel.h"

#include <algorithm>

#include "ByteSearch.h"
#include "ChosenFiles.h"

namespace playlist {

std::string MakeEntry(std::string_view text) {
    return std::string(EntryText(text));
}

bool IsBlankText(std::string_view text) {
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\v' && c != '\f') return false;
    }
    return true;
}

void M3uReader::AddEntry(std::string_view text) {
    text = EntryText(text);
    if (!text.empty() && text.front() == '#') return;
    if (IsBlankText(text)) return;
    mEntries.Append(text);
}

void M3uReader::AddToLine(const char* data, std::size_t size) {
    mLineBytes += size;
    if (mCut) return;
    std::size_t room = kMaxEntryLength - mLine.size();
    std::size_t take = std::min(size, room);
    if (const char* nul = FindByte(data, take, '\0')) take = nul - data;
    mLine.append(data, take);
    if (take < size) mCut = true;
}

void M3uReader::EndLine() {
    AddEntry(mLine);
    mLine.clear();
    mLineBytes = 0;
    mCut = false;
}

void M3uReader::Feed(const char* data, std::size_t size) {
    while (size > 0) {
        const char* lineEnd = FindLineEnd(data, size);
        if (!lineEnd) {
            AddToLine(data, size);
            return;
        }
        std::size_t n = lineEnd - data;
        if (mLineBytes == 0) {
            AddWholeLine(data, n);
        } else {
            AddToLine(data, n);
            EndLine();
        }
        data += n + 1;
        size -= n + 1;
    }
}

// A line that lies whole in one piece goes straight from the piece into the playlist's buffer:
// comment lines are never copied, and no entry needs a heap block of its own. The LF of a CR LF
// ends an empty line of its own, which names nothing and so adds nothing.
void M3uReader::AddWholeLine(const char* data, std::size_t n) {
    if (n == 0 || data[0] == '#') return;
    AddEntry(std::string_view(data, n));
}

void M3uReader::Finish() {
    if (mLineBytes > 0) EndLine();
}

std::string_view ExtensionOf(std::string_view path) {
    std::size_t nameStart = path.find_last_of("\\/:");
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart) return {};
    return path.substr(dot);
}

const std::vector<std::string_view>& MediaExtensions() {
    static const std::vector<std::string_view> table = {
        ".bmp", ".jpg",  ".jpeg", ".gif",  ".tga",  ".asf", ".wma",  ".wmv", ".avi",
        ".mpg", ".mpeg", ".m1v",  ".mp4",  ".divx", ".ogm", ".wav",  ".mpa", ".mp2",
        ".mp3", ".au",   ".aif",  ".aiff", ".snd",  ".mid", ".midi", ".rmi", ".ogg"};
    return table;
}

namespace {
char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool IsPlaylistFile(std::string_view path) {
    std::string_view ext = ExtensionOf(path);
    if (ext.size() != 4) return false;
    std::string lower(ext);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower == ".m3u";
}

bool IsMediaFile(std::string_view path) {
    std::string_view ext = ExtensionOf(path);
    if (ext.empty()) return false;
    std::string lower(ext);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    const auto& table = MediaExtensions();
    return std::find(table.begin(), table.end(), lower) != table.end();
}

namespace {
bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    }
    return true;
}
}  // namespace

int FindEntryByPrefix(const Playlist& entries, std::string_view prefix, int start, bool wrap) {
    int count = static_cast<int>(entries.size());
    if (start < 0 || start > count) start = 0;
    for (int i = start; i < count; ++i) {
        if (StartsWithIgnoringCase(entries[i], prefix)) return i;
    }
    for (int i = 0; wrap && i < start; ++i) {
        if (StartsWithIgnoringCase(entries[i], prefix)) return i;
    }
    return -1;
}

std::vector<std::string> SplitChosenFiles(const char* buffer, std::size_t bufferSize,
                                          std::size_t fileOffset) {
    std::vector<std::string> files =
        fw::SplitChosenFiles(buffer, bufferSize, fileOffset, fw::RootJoin::Doubled);
    for (std::string& file : files)
        file = MakeEntry(file);
    return files;
}

}  // namespace playlist
