#include "AssociationRegistry.h"

#include <cctype>

#include "Registry.h"

namespace assoc {

namespace {

// An open command is the quoted path and " \"%1\"": 266 characters for a 259-character path,
// more than the 260 bytes that other values of the layout are read with.
constexpr size_t kCommandBytes = 1024;

bool IsOurs(const std::string& value, std::span<const char* const> ownIds) {
    for (const char* id : ownIds)
        if (SameText(value, id)) return true;
    return false;
}

// A key holds nothing but what our programs write into one they create: the default and the
// content type text, no subkeys. Only such a key may be deleted without losing another
// program's data.
bool HoldsOnlyOurValues(HKEY key, const AssociationRow& row, bool requireOurContentType) {
    if (fw::RegHasSubkeys(key)) return false;
    bool sawContentType = false;
    for (const fw::RegValue& value : fw::RegValues(key)) {
        if (value.name.empty()) continue;
        if (!SameText(value.name, kContentType)) return false;
        std::string text;
        if (!fw::RegReadString(key, kContentType, text) || !SameText(text, row.contentType)) return false;
        sawContentType = true;
    }
    return sawContentType || !requireOurContentType;
}

// The player lets an extension go and keeps "Backup type" for a later take-over.
Release GiveBack(HKEY root, fw::RegKey key, const AssociationRow& row, const ReleaseRules& rules) {
    std::string backup;
    bool hasBackup = fw::RegReadString(key.Get(), kBackupType, backup);
    if (!fw::RegValueExists(key.Get(), kBackupType)) {
        if (fw::RegWriteString(key.Get(), nullptr, "")) return Release::Emptied;
        if (!HoldsOnlyOurValues(key.Get(), row, false)) return Release::Unchanged;
        key.Reset();
        return fw::RegDeleteLeafKey(root, row.extension) ? Release::Deleted : Release::Unchanged;
    }
    if (hasBackup && !backup.empty() && !IsOurs(backup, rules.ownIds)) {
        fw::RegWriteString(key.Get(), nullptr, backup);
        return Release::Restored;
    }
    // An empty, unreadable or self-naming "Backup type": there is nobody to give it back to.
    if (fw::RegWriteString(key.Get(), nullptr, "")) return Release::Emptied;
    return hasBackup && backup.empty() ? Release::EmptyingFailed : Release::Unchanged;
}

// The restore tool leaves no trace: the previous owner gets its extension back exactly as it
// was, without our "Backup type", and a key with nothing of anyone else's in it goes.
Release GiveBackAndCleanUp(HKEY root, fw::RegKey key, const AssociationRow& row, const ReleaseRules& rules) {
    std::string backup;
    if (fw::RegReadString(key.Get(), kBackupType, backup) && !backup.empty() &&
        !IsOurs(backup, rules.ownIds)) {
        if (fw::RegWriteString(key.Get(), nullptr, backup)) ::RegDeleteValueA(key.Get(), kBackupType);
        return Release::Restored;
    }
    bool emptied = fw::RegWriteString(key.Get(), nullptr, "");
    if (emptied) ::RegDeleteValueA(key.Get(), kBackupType);
    if (emptied && HoldsOnlyOurValues(key.Get(), row, false)) {
        key.Reset();
        if (fw::RegDeleteLeafKey(root, row.extension)) return Release::Deleted;
    }
    return emptied ? Release::Emptied : Release::Unchanged;
}

}  // namespace

std::span<const AssociationRow> Rows(const AssociationRow* table) {
    size_t count = 0;
    while (table[count].extension && table[count].extension[0])
        ++count;
    return {table, count};
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string OpenCommandText(const std::string& programPath) {
    return "\"" + programPath + "\" \"%1\"";
}

std::string CommandKeyPath(const char* programId) {
    return std::string(programId) + "\\shell\\open\\command";
}

std::string JoinPath(const std::string& directory, const std::string& fileName) {
    if (directory.empty() || directory.back() == '\\' || directory.back() == '/') return directory + fileName;
    return directory + "\\" + fileName;
}

Owner ExtensionOwner(HKEY root, const AssociationRow& row) {
    fw::RegKey key = fw::RegOpen(root, row.extension, KEY_READ);
    if (!key) return Owner::NoKey;
    std::string value;
    if (!fw::RegReadString(key.Get(), nullptr, value)) return Owner::Unknown;
    return SameText(value, row.programId) ? Owner::Ours : Owner::Other;
}

void TakeExtension(HKEY root, const AssociationRow& row) {
    if (!fw::RegKeyExists(root, row.extension)) {
        fw::RegKey key = fw::RegCreate(root, row.extension, kExtensionAccess);
        if (!key) return;
        fw::RegWriteString(key.Get(), nullptr, row.programId);
        fw::RegWriteString(key.Get(), kContentType, row.contentType);
        return;
    }
    fw::RegKey key = fw::RegOpen(root, row.extension, kExtensionAccess);
    std::string owner;
    // A key without a readable default belongs to nobody we could give it back to: not taken.
    if (!key || !fw::RegReadString(key.Get(), nullptr, owner) || SameText(owner, row.programId)) return;
    if (!fw::RegWriteString(key.Get(), kBackupType, owner)) return;  // never take what we cannot give back
    fw::RegWriteString(key.Get(), nullptr, row.programId);
}

Release ReleaseExtension(HKEY root, const AssociationRow& row, const ReleaseRules& rules) {
    fw::RegKey key = fw::RegOpen(root, row.extension, kExtensionAccess);
    if (!key) return Release::Unchanged;
    std::string owner;
    if (!fw::RegReadString(key.Get(), nullptr, owner)) return Release::Unchanged;
    if (!IsOurs(owner, rules.ownIds)) {
        // A key that we created and already emptied is removed by the tool that cleans up.
        if (rules.cleanUp && owner.empty() && !fw::RegValueExists(key.Get(), kBackupType) &&
            HoldsOnlyOurValues(key.Get(), row, true)) {
            key.Reset();
            return fw::RegDeleteLeafKey(root, row.extension) ? Release::Deleted : Release::Unchanged;
        }
        // The player gave it back already: only its note of the owner is left to remove.
        std::string backup;
        if (rules.cleanUp && fw::RegReadString(key.Get(), kBackupType, backup) && SameText(backup, owner) &&
            ::RegDeleteValueA(key.Get(), kBackupType) == ERROR_SUCCESS) {
            return Release::Restored;
        }
        return Release::Unchanged;  // another program's extension
    }
    return rules.cleanUp ? GiveBackAndCleanUp(root, std::move(key), row, rules)
                         : GiveBack(root, std::move(key), row, rules);
}

void RefreshProgramId(HKEY root, const AssociationRow& row, const std::string& programPath) {
    std::string command = OpenCommandText(programPath);
    std::string commandPath = CommandKeyPath(row.programId);
    if (fw::RegKeyExists(root, commandPath.c_str())) {
        fw::RegKey key = fw::RegOpen(root, commandPath.c_str(), KEY_READ | KEY_SET_VALUE);
        std::string current;
        // An unreadable command is ours and broken: it is re-pointed like a stale one.
        if (key &&
            (!fw::RegReadString(key.Get(), nullptr, current, kCommandBytes) || !SameText(current, command)))
            fw::RegWriteString(key.Get(), nullptr, command);
        return;
    }
    fw::RegKey id = fw::RegCreate(root, row.programId, KEY_READ | KEY_WRITE);
    if (!id) return;
    fw::RegWriteString(id.Get(), nullptr, row.description);
    if (fw::RegKey icon = fw::RegCreate(id.Get(), "DefaultIcon", KEY_READ | KEY_WRITE))
        fw::RegWriteString(icon.Get(), nullptr, programPath + "," + row.iconIndex);
    if (fw::RegKey open = fw::RegCreate(id.Get(), "shell\\open\\command", KEY_READ | KEY_WRITE))
        fw::RegWriteString(open.Get(), nullptr, command);
}

}  // namespace assoc
