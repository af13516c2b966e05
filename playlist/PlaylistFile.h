// M3U playlist files on disk, read and written byte for byte in the system's ANSI code page.
#pragma once

#include <string>

#include "FileError.h"
#include "Playlist.h"

namespace playlist {

// Appends the file's entries to entries, in file order. On a read error the entries read
// before it stay appended. Returns the cause of the failure, None on success.
FileErrorCause ReadPlaylistFile(const std::string& path, Playlist& entries);

// Creates or truncates the file and writes every entry with a CR LF. On a write error the file
// keeps what was written before it.
FileErrorCause WritePlaylistFile(const std::string& path, const Playlist& entries);

}  // namespace playlist
