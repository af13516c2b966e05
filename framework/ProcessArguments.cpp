// The arguments of this process as the C run-time split them; the parsing of them lives apart,
// in CommandLine.cpp, and needs no platform.
#include <stdlib.h>

#include "CommandLine.h"

namespace fw {

std::vector<std::string> ProcessArguments() {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i)
        args.emplace_back(__argv[i]);
    return args;
}

}  // namespace fw
