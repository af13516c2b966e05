#include "FileError.h"

namespace playlist {

namespace {

const char* Template(FileErrorCause cause) {
    switch (cause) {
        case FileErrorCause::None:
            return "No error occurred.";
        case FileErrorCause::Generic:
            break;
        case FileErrorCause::FileNotFound:
            return "%1 was not found.";
        case FileErrorCause::BadPath:
            return "%1 contains an invalid path.";
        case FileErrorCause::TooManyOpenFiles:
            return "%1 could not be opened because there are too many open files.";
        case FileErrorCause::AccessDenied:
            return "Access to %1 was denied.";
        case FileErrorCause::InvalidHandle:
            return "An invalid file handle was associated with %1.";
        case FileErrorCause::RemoveCurrentDir:
            return "%1 could not be removed because it is the current directory.";
        case FileErrorCause::DirectoryFull:
            return "%1 could not be created because the directory is full.";
        case FileErrorCause::BadSeek:
            return "Seek failed on %1";
        case FileErrorCause::HardIO:
            return "A hardware I/O error was reported while accessing %1.";
        case FileErrorCause::SharingViolation:
            return "A sharing violation occurred while accessing %1.";
        case FileErrorCause::LockViolation:
            return "A locking violation occurred while accessing %1.";
        case FileErrorCause::DiskFull:
            return "Disk full while accessing %1.";
        case FileErrorCause::EndOfFile:
            return "An attempt was made to access %1 past its end.";
    }
    return "An unknown error occurred while accessing %1.";
}

// System error codes (winerror.h), kept here as numbers so this file needs no windows.h.
struct CodeCause {
    unsigned long code;
    FileErrorCause cause;
};
constexpr CodeCause kCauses[] = {
    {0, FileErrorCause::None},                // ERROR_SUCCESS
    {2, FileErrorCause::FileNotFound},        // ERROR_FILE_NOT_FOUND
    {3, FileErrorCause::BadPath},             // ERROR_PATH_NOT_FOUND
    {4, FileErrorCause::TooManyOpenFiles},    // ERROR_TOO_MANY_OPEN_FILES
    {5, FileErrorCause::AccessDenied},        // ERROR_ACCESS_DENIED
    {6, FileErrorCause::InvalidHandle},       // ERROR_INVALID_HANDLE
    {12, FileErrorCause::AccessDenied},       // ERROR_INVALID_ACCESS
    {15, FileErrorCause::BadPath},            // ERROR_INVALID_DRIVE
    {16, FileErrorCause::RemoveCurrentDir},   // ERROR_CURRENT_DIRECTORY
    {17, FileErrorCause::BadPath},            // ERROR_NOT_SAME_DEVICE
    {19, FileErrorCause::AccessDenied},       // ERROR_WRITE_PROTECT
    {20, FileErrorCause::HardIO},             // ERROR_BAD_UNIT
    {21, FileErrorCause::HardIO},             // ERROR_NOT_READY
    {23, FileErrorCause::HardIO},             // ERROR_CRC
    {25, FileErrorCause::BadSeek},            // ERROR_SEEK
    {27, FileErrorCause::BadSeek},            // ERROR_SECTOR_NOT_FOUND
    {29, FileErrorCause::HardIO},             // ERROR_WRITE_FAULT
    {30, FileErrorCause::HardIO},             // ERROR_READ_FAULT
    {31, FileErrorCause::HardIO},             // ERROR_GEN_FAILURE
    {32, FileErrorCause::SharingViolation},   // ERROR_SHARING_VIOLATION
    {33, FileErrorCause::LockViolation},      // ERROR_LOCK_VIOLATION
    {36, FileErrorCause::TooManyOpenFiles},   // ERROR_SHARING_BUFFER_EXCEEDED
    {38, FileErrorCause::EndOfFile},          // ERROR_HANDLE_EOF
    {39, FileErrorCause::DiskFull},           // ERROR_HANDLE_DISK_FULL
    {53, FileErrorCause::BadPath},            // ERROR_BAD_NETPATH
    {65, FileErrorCause::AccessDenied},       // ERROR_NETWORK_ACCESS_DENIED
    {67, FileErrorCause::BadPath},            // ERROR_BAD_NET_NAME
    {80, FileErrorCause::AccessDenied},       // ERROR_FILE_EXISTS
    {82, FileErrorCause::DirectoryFull},      // ERROR_CANNOT_MAKE
    {112, FileErrorCause::DiskFull},          // ERROR_DISK_FULL
    {123, FileErrorCause::BadPath},           // ERROR_INVALID_NAME
    {131, FileErrorCause::BadSeek},           // ERROR_NEGATIVE_SEEK
    {132, FileErrorCause::BadSeek},           // ERROR_SEEK_ON_DEVICE
    {145, FileErrorCause::RemoveCurrentDir},  // ERROR_DIR_NOT_EMPTY
    {161, FileErrorCause::BadPath},           // ERROR_BAD_PATHNAME
    {167, FileErrorCause::LockViolation},     // ERROR_LOCK_FAILED
    {183, FileErrorCause::AccessDenied},      // ERROR_ALREADY_EXISTS
    {206, FileErrorCause::BadPath},           // ERROR_FILENAME_EXCED_RANGE
    {267, FileErrorCause::BadPath},           // ERROR_DIRECTORY
    {995, FileErrorCause::HardIO},            // ERROR_OPERATION_ABORTED
    {1117, FileErrorCause::HardIO},           // ERROR_IO_DEVICE
};

}  // namespace

std::string FileErrorText(FileErrorCause cause, std::string_view path) {
    std::string name = path.empty() ? std::string("an unnamed file") : std::string(path);
    std::string text = Template(cause);
    std::size_t at = text.find("%1");
    if (at != std::string::npos) text.replace(at, 2, name);
    return text;
}

FileErrorCause FileErrorCauseOf(unsigned long systemError) {
    for (const CodeCause& c : kCauses) {
        if (c.code == systemError) return c.cause;
    }
    return FileErrorCause::Generic;
}

}  // namespace playlist
