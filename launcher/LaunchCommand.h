// How the "Vistrane.exe" launcher turns its own command line into the player's: pure text work,
// so it is tested without starting anything.
#pragma once

#include <string>
#include <string_view>

namespace launcher {

inline constexpr char kPlayerFileName[] = "tesmaro_player.exe";

// What follows the program name in a process command line, as the program received it (quotes
// and all), without the blanks that separate it from the name.
std::string_view ArgumentsTail(std::string_view commandLine);

// The player's command line: the quoted player path in directory (which ends with a backslash)
// followed by the untouched arguments, so a shell verb's "%1" reaches the player unchanged.
std::string PlayerCommandLine(std::string_view directory, std::string_view arguments);

}  // namespace launcher
