// The playlist's entries and the rules every edit follows: the entry length limit, M3U line
// reading and writing, media extensions, removal of selected rows and the open-file dialog's
// multi-file answer. Plain values in and out, so tests call them directly.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "Playlist.h"

namespace playlist {

// The entry that text becomes, as a string of its own (EntryText).
std::string MakeEntry(std::string_view text);

// Reads M3U text as it arrives in pieces of any size. A CR, an LF or a CR LF ends a line. A
// line whose first character is "#" is skipped. A line's text ends at a NUL byte or after
// kMaxEntryLength characters: the rest of that line is dropped, so binary garbage or an overlong
// line never spills into further entries. Every other line becomes an entry as written (no
// trimming), unless that text is empty or only blanks: such a line names nothing to play.
class M3uReader {
public:
    explicit M3uReader(Playlist& entries) : mEntries(entries) {}
    void Feed(const char* data, std::size_t size);
    // The last line when the file does not end with a line end.
    void Finish();

private:
    void AddWholeLine(const char* data, std::size_t size);
    void AddToLine(const char* data, std::size_t size);
    void EndLine();
    void AddEntry(std::string_view text);

    Playlist& mEntries;
    std::string mLine;           // a line that spans pieces, kept with its capacity from line to line
    std::size_t mLineBytes = 0;  // bytes of the line so far, kept or not
    bool mCut = false;           // the line's text has ended before its line end
};

// Text that is empty or holds only spaces, tabs, vertical tabs and form feeds.
bool IsBlankText(std::string_view text);

// What follows every entry in a written M3U file; nothing else is written.
inline constexpr char kM3uLineEnd[] = "\r\n";

// The path names an M3U playlist file (".m3u" in any letter case), which is read as a playlist,
// never opened as media.
bool IsPlaylistFile(std::string_view path);

// The extension of a path's file name from its last dot, dot included; empty without one.
std::string_view ExtensionOf(std::string_view path);
// The path's extension is one of the media extensions, in any letter case.
bool IsMediaFile(std::string_view path);
// The media extensions in their table order.
const std::vector<std::string_view>& MediaExtensions();

// The first entry from start on (then, with wrap, from the top) that begins with prefix in any
// letter case; -1 when none does. This is how typing in the list finds a row.
int FindEntryByPrefix(const Playlist& entries, std::string_view prefix, int start, bool wrap);

// The entries of the names an open-file dialog returned in buffer (fw::SplitChosenFiles): each
// name is given back as directory + "\" + name, so a drive root gives a doubled backslash, which
// the platform accepts, and each result is made an entry (cut to its limit).
std::vector<std::string> SplitChosenFiles(const char* buffer, std::size_t bufferSize, std::size_t fileOffset);

}  // namespace playlist
