#include "Identifiers.h"

#include "AssociationTable.h"
#include "RestoreTable.h"

namespace setup_types {

namespace {

const Identifier kIdentifiers[] = {
    {kPlayerProgramId, "tesmaro_player.exe", kAssociationTable},
    {kRestoreProgramId, kRestoreProgramFile, kRestoreTable},
};

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && assoc::SameText(text.substr(text.size() - end.size()), end);
}

}  // namespace

std::span<const Identifier> Identifiers() {
    return kIdentifiers;
}

std::vector<std::string> IdentifierKeys(const Identifier& id) {
    std::string name = id.name;
    return {name, name + "\\DefaultIcon", name + "\\shell", name + "\\shell\\open",
            assoc::CommandKeyPath(id.name)};
}

bool IsOurDescription(const Identifier& id, const std::string& text) {
    for (const assoc::AssociationRow& row : assoc::Rows(id.table))
        if (assoc::SameText(text, row.description)) return true;
    return false;
}

// The program's path, a comma and the icon index; the path is wherever the program was when
// the identifier was made.
bool IsOurIcon(const Identifier& id, const std::string& text) {
    for (const assoc::AssociationRow& row : assoc::Rows(id.table))
        if (EndsWith(text, std::string("\\") + id.programFile + "," + row.iconIndex)) return true;
    return false;
}

}  // namespace setup_types
