// The one DVD bookmark: the navigator's whole playback state, kept in a compound file so that it
// survives the program and the disc.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>
#include <vector>

// Where earlier versions kept the bookmark; a standard user of current Windows may not write
// there, so it is only read, and only when no bookmark of the user's own folder exists.
inline constexpr char kLegacyBookmarkPath[] = "c:\\DVDBookMark.bmk";
inline constexpr char kBookmarkFileName[] = "DVDBookMark.bmk";
inline constexpr wchar_t kBookmarkStream[] = L"DVDBookmarks";

// Where the bookmark is written, and where it is looked for, first found first: in the user's
// folder (dataFolder, ending in a backslash), then the old place. Without a folder both are the
// old place.
struct BookmarkFiles {
    std::string write;
    std::vector<std::string> read;
};
BookmarkFiles BookmarkFilesIn(const std::string& dataFolder);

// Replaces the file at path with the navigator's current state. False when any step fails.
bool SaveBookmark(IDvdInfo2* dvdInfo, const char* path);

enum class BookmarkRestore {
    Restored,
    Missing,     // no file there
    Unreadable,  // a file, but not a bookmark: empty, damaged or of something else
    Refused,     // the navigator would not take it (a bookmark of another disc)
};
// Reads the state at path back and hands it to the navigator, waiting until it is applied.
BookmarkRestore RestoreBookmark(IDvdControl2* dvdControl, const char* path);
