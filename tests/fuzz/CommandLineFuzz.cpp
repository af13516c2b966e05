// The command line: NUL-separated arguments. The file is one of them, never an option and never
// a lone "-" or "/".
#include <string>
#include <vector>

#include "CommandLine.h"
#include "FuzzTarget.h"

FUZZ_TARGET(FuzzCommandLine) {
    std::vector<std::string> args;
    std::string current;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0) {
            args.push_back(current);
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    args.push_back(current);
    fw::CommandLineInfo info = fw::ParseCommandLine(args);
    if (!info.fileName.empty()) {
        FUZZ_CHECK(info.fileName != "-" && info.fileName != "/");
        bool found = false;
        for (const std::string& arg : args)
            found = found || arg == info.fileName;
        FUZZ_CHECK(found);
        FUZZ_CHECK(!(info.fileName.size() > 1 && (info.fileName[0] == '-' || info.fileName[0] == '/')));
    }
    FUZZ_CHECK(info.options.size() <= args.size());
    return 0;
}
