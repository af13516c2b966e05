#include "LaunchCommand.h"

namespace launcher {

std::string_view ArgumentsTail(std::string_view commandLine) {
    size_t i = 0;
    // The program name ends at its closing quote when quoted, else at the first blank; quotes
    // inside an unquoted name (rare, but legal) do not end it.
    if (!commandLine.empty() && commandLine[0] == '"') {
        size_t close = commandLine.find('"', 1);
        i = close == std::string_view::npos ? commandLine.size() : close + 1;
    }
    while (i < commandLine.size() && commandLine[i] != ' ' && commandLine[i] != '\t') ++i;
    while (i < commandLine.size() && (commandLine[i] == ' ' || commandLine[i] == '\t')) ++i;
    return commandLine.substr(i);
}

std::string PlayerCommandLine(std::string_view directory, std::string_view arguments) {
    std::string line = "\"";
    line += directory;
    line += kPlayerFileName;
    line += '"';
    if (!arguments.empty()) {
        line += ' ';
        line += arguments;
    }
    return line;
}

}  // namespace launcher
