// The one DVD bookmark: the navigator's whole playback state, kept in a compound file so that it
// survives the program and the disc. No failure is reported to the user.
#pragma once

#include <windows.h>
#include <dshow.h>

// Where the bookmark lives, and the stream in the file's root storage that holds it.
inline constexpr char kBookmarkPath[] = "c:\\DVDBookMark.bmk";
inline constexpr wchar_t kBookmarkStream[] = L"DVDBookmarks";

// Replaces the file at path with the navigator's current state. False when any step fails.
bool SaveBookmark(IDvdInfo2* dvdInfo, const char* path = kBookmarkPath);
// Reads the state at path back and hands it to the navigator, waiting until it is applied. False
// when the file is missing or unreadable, has no bookmark stream, the state cannot be recreated,
// or the navigator refuses it (a bookmark of another disc).
bool RestoreBookmark(IDvdControl2* dvdControl, const char* path = kBookmarkPath);
