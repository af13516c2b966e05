// Why a playlist file could not be read or written, and the text the user is shown for it.
#pragma once

#include <string>
#include <string_view>

namespace playlist {

enum class FileErrorCause {
    None,
    Generic,
    FileNotFound,
    BadPath,
    TooManyOpenFiles,
    AccessDenied,
    InvalidHandle,
    RemoveCurrentDir,
    DirectoryFull,
    BadSeek,
    HardIO,
    SharingViolation,
    LockViolation,
    DiskFull,
    EndOfFile,
};

// The message for cause, naming the file by path ("an unnamed file" when path is empty).
std::string FileErrorText(FileErrorCause cause, std::string_view path);

// The cause of a system error code as GetLastError reports it.
FileErrorCause FileErrorCauseOf(unsigned long systemError);

}  // namespace playlist
