#include "Restore.h"

#include <vector>

#include "RestoreTable.h"

namespace {
// The tool cleans up after the player too: an extension either of them took is given back.
const char* const kOwnIds[] = {kRestoreProgramId, "Tesmaro Player"};
}  // namespace

void RestoreAssociations(HKEY root, const std::string& programPath) {
    assoc::ReleaseRules rules{kOwnIds, true};
    for (const assoc::AssociationRow& row : assoc::Rows(kRestoreTable)) {
        assoc::ReleaseExtension(root, row, rules);
        // Without a folder there is no program to point at; a command to "\Vistrane.exe" would
        // only break the identifier.
        if (!programPath.empty()) assoc::RefreshProgramId(root, row, programPath);
    }
}

std::string RestoreProgramPath(const std::string& currentDirectory) {
    if (currentDirectory.empty()) return {};
    return assoc::JoinPath(currentDirectory, kRestoreProgramFile);
}

std::string CurrentDirectory() {
    DWORD needed = ::GetCurrentDirectoryA(0, nullptr);
    if (needed == 0) return {};
    std::vector<char> buffer(needed + 1, '\0');
    DWORD length = ::GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) return {};
    return std::string(buffer.data(), length);
}
