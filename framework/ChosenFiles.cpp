#include "ChosenFiles.h"

#include <cstring>

namespace fw {

std::string JoinDirectoryAndName(std::string_view directory, std::string_view name, RootJoin join) {
    std::string path(directory);
    if (join == RootJoin::Doubled || directory.size() != 3) path += '\\';
    return path.append(name);
}

std::vector<std::string> SplitChosenFiles(const char* buffer, std::size_t bufferSize, std::size_t fileOffset,
                                          RootJoin join) {
    std::vector<std::string> files;
    if (!buffer || bufferSize == 0) return files;
    std::size_t dirLength = strnlen(buffer, bufferSize);
    if (dirLength == bufferSize) return files;  // not terminated: nothing trustworthy
    if (fileOffset != dirLength + 1) {
        if (dirLength > 0) files.emplace_back(buffer, dirLength);
        return files;
    }
    std::string_view directory(buffer, dirLength);
    std::size_t at = fileOffset;
    while (at < bufferSize && buffer[at] != '\0') {
        std::size_t nameLength = strnlen(buffer + at, bufferSize - at);
        if (at + nameLength == bufferSize) break;
        files.push_back(JoinDirectoryAndName(directory, std::string_view(buffer + at, nameLength), join));
        at += nameLength + 1;
    }
    return files;
}

}  // namespace fw
