#include "Associations.h"

namespace {
const char* const kOwnIds[] = {kPlayerProgramId};
}  // namespace

void ReadAssociations(HKEY root, CheckedRows& checked) {
    for (int i = 0; i < kAssociationRowCount; ++i) {
        assoc::Owner owner = assoc::ExtensionOwner(root, kAssociationTable[i]);
        if (owner == assoc::Owner::Ours) checked.set(i);
        if (owner == assoc::Owner::Other) checked.reset(i);
    }
}

int ApplyAssociations(HKEY root, const CheckedRows& checked, const std::string& programPath) {
    int failures = 0;
    assoc::ReleaseRules rules{kOwnIds, false};
    for (int i = 0; i < kAssociationRowCount; ++i) {
        const assoc::AssociationRow& row = kAssociationTable[i];
        if (checked.test(i)) {
            assoc::TakeExtension(root, row);
        } else if (assoc::ReleaseExtension(root, row, rules) == assoc::Release::EmptyingFailed) {
            ++failures;
        }
        assoc::RefreshProgramId(root, row, programPath);
    }
    return failures;
}

CheckedRows FirstRunRows() {
    CheckedRows rows;
    for (int i = 0; i < kAssociationRowCount; ++i)
        rows.set(i, IsFirstRunRow(i));
    return rows;
}

std::string ProgramPathFrom(const std::string& directory, const std::string& baseName) {
    return directory + baseName + ".exe";
}
