// The two program identifiers our programs keep under the classes root: the player's, which its
// file types point at, and the restore tool's, which opens Vistrane.exe.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "AssociationRegistry.h"

namespace setup_types {

struct Identifier {
    const char* name;                    // "Tesmaro Player"
    const char* programFile;             // what its open command starts, in the program folder
    const assoc::AssociationRow* table;  // whose descriptions and icon index it is written with
};

std::span<const Identifier> Identifiers();

// The keys our programs make for an identifier, the identifier itself first and its open
// command last.
std::vector<std::string> IdentifierKeys(const Identifier& id);
inline constexpr size_t kDefaultIconKey = 1;

// Whether a value is one that our programs write there.
bool IsOurDescription(const Identifier& id, const std::string& text);
bool IsOurIcon(const Identifier& id, const std::string& text);

}  // namespace setup_types
