#include "PlaylistFile.h"

#include <windows.h>

#include "Handles.h"
#include "PlaylistModel.h"

namespace playlist {

namespace {
constexpr DWORD kChunk = 64 * 1024;
// Files up to this size have room made for their text before reading; see ReadPlaylistFile.
constexpr LONGLONG kReserveLimit = 16 * 1024 * 1024;

FileErrorCause LastCause() {
    FileErrorCause cause = FileErrorCauseOf(::GetLastError());
    return cause == FileErrorCause::None ? FileErrorCause::Generic : cause;
}
}  // namespace

FileErrorCause ReadPlaylistFile(const std::string& path, Playlist& entries) {
    fw::FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return LastCause();
    // The entries' text with its terminators never needs more room than the file's bytes and
    // one (for a last line without a line end), so making that room first spares the buffer
    // its regrowths, each a copy into fresh memory. The room that comment lines would have taken
    // is never written, so the system never gives it memory pages. A larger file, likely no
    // playlist at all, grows the buffer as it goes instead of claiming its whole size at once.
    LARGE_INTEGER size{};
    if (::GetFileSizeEx(file.Get(), &size) && size.QuadPart <= kReserveLimit)
        entries.reserve(0, static_cast<std::size_t>(size.QuadPart) + 1);
    M3uReader reader(entries);
    std::vector<char> chunk(kChunk);
    for (;;) {
        DWORD got = 0;
        // Whole lines read before an error stay; a line the error cut short does not.
        if (!::ReadFile(file.Get(), chunk.data(), kChunk, &got, nullptr)) return LastCause();
        if (got == 0) break;
        reader.Feed(chunk.data(), got);
    }
    reader.Finish();
    return FileErrorCause::None;
}

FileErrorCause WritePlaylistFile(const std::string& path, const Playlist& entries) {
    fw::FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastCause();
    std::string pending;
    pending.reserve(kChunk + 2 * MAX_PATH);
    auto flush = [&]() {
        DWORD written = 0;
        BOOL ok =
            ::WriteFile(file.Get(), pending.data(), static_cast<DWORD>(pending.size()), &written, nullptr);
        FileErrorCause cause = ok ? FileErrorCause::None : LastCause();
        // A write that takes fewer bytes than given without an error code ran out of space.
        if (cause == FileErrorCause::None && written != pending.size()) cause = FileErrorCause::DiskFull;
        pending.clear();
        return cause;
    };
    for (std::string_view entry : entries) {
        pending += entry;
        pending += kM3uLineEnd;
        if (pending.size() >= kChunk) {
            if (FileErrorCause cause = flush(); cause != FileErrorCause::None) return cause;
        }
    }
    return pending.empty() ? FileErrorCause::None : flush();
}

}  // namespace playlist
