// What an open-file dialog returned in its buffer, as paths. Plain values in, plain values out,
// so tests call it with any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fw {

// How a name joins a drive root ("C:\"), the one folder the dialog returns with its backslash.
enum class RootJoin {
    Plain,    // the root's own backslash separates: "C:\a.avi"
    Doubled,  // a backslash is added as for any folder: "C:\\a.avi", which the platform accepts
};

// Directory and name joined by one backslash; a drive root (three characters, as "C:\") as join
// says.
std::string JoinDirectoryAndName(std::string_view directory, std::string_view name,
                                 RootJoin join = RootJoin::Plain);

// The names a dialog returned in buffer: one full path, or (when fileOffset lies just behind the
// directory's terminating NUL) the directory followed by NUL-separated names, each given back
// joined to the directory, in the order returned. A buffer that is not terminated gives nothing.
std::vector<std::string> SplitChosenFiles(const char* buffer, std::size_t bufferSize, std::size_t fileOffset,
                                          RootJoin join);

}  // namespace fw
