// The program's command line: options begin with "/" or "-"; the first other argument is the
// file to open.
#pragma once

#include <string>
#include <vector>

namespace fw {

struct CommandLineInfo {
    std::string fileName;              // empty when none was given
    std::vector<std::string> options;  // without their leading "/" or "-"
};

// args excludes the program name.
CommandLineInfo ParseCommandLine(const std::vector<std::string>& args);
// The arguments the C run-time split from this process's command line.
std::vector<std::string> ProcessArguments();

}  // namespace fw
