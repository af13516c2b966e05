#include "CommandLine.h"

namespace fw {

CommandLineInfo ParseCommandLine(const std::vector<std::string>& args) {
    CommandLineInfo info;
    for (const std::string& arg : args) {
        // A lone "-" or "/" names neither an option nor a file; taken as the file it would hide
        // the real one that follows.
        if (arg == "-" || arg == "/") continue;
        if (arg.size() > 1 && (arg[0] == '/' || arg[0] == '-')) {
            info.options.push_back(arg.substr(1));
        } else if (info.fileName.empty() && !arg.empty()) {
            info.fileName = arg;
        }
    }
    return info;
}

}  // namespace fw
