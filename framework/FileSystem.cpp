#include "FileSystem.h"

#include "Handles.h"

namespace fw {

bool FileExists(const char* path) {
    QuietErrorMode quiet;
    FileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return static_cast<bool>(file);
}

}  // namespace fw
