// The uninstaller's give-back. The player takes an extension by noting the owner it had in
// "Backup type" and putting its identifier into the default; it creates a key, with its content
// type, only where there was none; and it points its identifier's open command at itself. With
// the record of what was there before, each of those writes is undone where it is still the
// player's, and nothing else is touched.
#include "AssociationRegistry.h"
#include "AssociationTable.h"
#include "Identifiers.h"
#include "RawValue.h"
#include "Registry.h"
#include "RestoreTable.h"
#include "TypesRecord.h"

namespace setup_types {

namespace {

const char* const kOwnIds[] = {kPlayerProgramId, kRestoreProgramId};

// Long enough for an open command of a 259-character path.
bool ReadText(HKEY key, const char* name, std::string& text) {
    return key && fw::RegReadString(key, name, text, 1024);
}

bool IsOurs(const std::string& owner) {
    for (const char* id : kOwnIds)
        if (assoc::SameText(owner, id)) return true;
    return false;
}

bool IsOurContentType(const std::string& extension, const std::string& text) {
    for (const assoc::AssociationRow& row : assoc::Rows(kAssociationTable))
        if (assoc::SameText(row.extension, extension) && assoc::SameText(row.contentType, text)) return true;
    return false;
}

void DeleteIfEmpty(HKEY classes, fw::RegKey& key, const std::string& path) {
    if (!IsEmptyKey(key.Get())) return;
    key.Reset();
    fw::RegDeleteLeafKey(classes, path.c_str());
}

// An extension that existed before the installation: the default and "Backup type" that the
// player overwrote go back byte for byte; its other values were never the player's.
void RestoreNotedExtension(HKEY key, HKEY note) {
    std::string owner, backup, noted;
    bool readable = ReadText(key, nullptr, owner);
    bool hasBackup = ReadText(key, assoc::kBackupType, backup);
    bool notedReadable = ReadText(note, nullptr, noted);
    if (readable && IsOurs(owner)) {
        // The player took it from whoever had it then: a program that came after the
        // installation gets it back as that program wrote it into "Backup type".
        bool newer = hasBackup && !backup.empty() && !IsOurs(backup) &&
                     !(notedReadable && assoc::SameText(backup, noted));
        if (newer)
            fw::RegWriteString(key, nullptr, backup);
        else
            CopyRaw(note, key, nullptr);
        CopyRaw(note, key, assoc::kBackupType);
        return;
    }
    // Given back by the player already, which leaves its note equal to the default; anything
    // else is another program's doing.
    if (!readable || !hasBackup || !assoc::SameText(backup, owner)) return;
    if (notedReadable && assoc::SameText(noted, owner)) CopyRaw(note, key, nullptr);
    CopyRaw(note, key, assoc::kBackupType);
}

// An extension key the player created: its values go, and the key when nothing else is in it.
void RemoveMadeExtension(HKEY classes, fw::RegKey key, const std::string& extension) {
    std::string owner, backup, kind;
    bool readable = ReadText(key.Get(), nullptr, owner);
    bool hasBackup = ReadText(key.Get(), assoc::kBackupType, backup);
    bool ourKind = ReadText(key.Get(), assoc::kContentType, kind) && IsOurContentType(extension, kind);
    bool ours = readable && IsOurs(owner);
    if (ours && hasBackup && !backup.empty() && !IsOurs(backup)) {
        // A program that came after the installation had it when the player took it again.
        fw::RegWriteString(key.Get(), nullptr, backup);
        ::RegDeleteValueA(key.Get(), assoc::kBackupType);
        return;
    }
    // Emptied by the player's give-back, still with the content type it was made with.
    bool emptiedByUs = readable && owner.empty() && ourKind;
    if (!ours && !emptiedByUs) {
        // Another program's now; only the player's note that it gave the extension back is ours.
        if (readable && hasBackup && assoc::SameText(backup, owner))
            ::RegDeleteValueA(key.Get(), assoc::kBackupType);
        return;
    }
    ::RegDeleteValueA(key.Get(), nullptr);
    ::RegDeleteValueA(key.Get(), assoc::kBackupType);
    if (ourKind) ::RegDeleteValueA(key.Get(), assoc::kContentType);
    DeleteIfEmpty(classes, key, extension);
}

void GiveExtensionBack(HKEY classes, HKEY record, const std::string& extension) {
    fw::RegKey key = fw::RegOpen(classes, extension.c_str(), assoc::kExtensionAccess);
    if (!key) return;
    fw::RegKey note = fw::RegOpen(record, extension.c_str(), KEY_READ);
    if (note)
        RestoreNotedExtension(key.Get(), note.Get());
    else
        RemoveMadeExtension(classes, std::move(key), extension);
}

// Without a record: the restore tool's rules, which give back what either program took and
// remove a key that holds nothing but what they wrote.
void GiveExtensionsBackByRule(HKEY classes) {
    assoc::ReleaseRules rules{kOwnIds, true};
    for (const assoc::AssociationRow& row : assoc::Rows(kAssociationTable))
        assoc::ReleaseExtension(classes, row, rules);
}

std::string OwnCommand(const Identifier& id, const std::string& folder) {
    return assoc::OpenCommandText(assoc::JoinPath(folder, id.programFile));
}

// The identifier's open command starts a program of another folder (another installation's, or
// another program's) and is not what the record found there either.
bool PointsElsewhere(HKEY classes, HKEY record, const Identifier& id, const std::string& folder) {
    std::string path = assoc::CommandKeyPath(id.name);
    fw::RegKey key = fw::RegOpen(classes, path.c_str(), KEY_READ);
    if (!key) return false;
    std::string command;
    if (ReadText(key.Get(), nullptr, command) && assoc::SameText(command, OwnCommand(id, folder)))
        return false;
    fw::RegKey note = record ? fw::RegOpen(record, path.c_str(), KEY_READ) : fw::RegKey{};
    return !note || ReadRaw(note.Get(), nullptr) != ReadRaw(key.Get(), nullptr);
}

bool IsOurValue(const Identifier& id, size_t keyIndex, const std::string& text, const std::string& command) {
    if (keyIndex == 0) return IsOurDescription(id, text);
    if (keyIndex == kDefaultIconKey) return IsOurIcon(id, text);
    return keyIndex == IdentifierKeys(id).size() - 1 && assoc::SameText(text, command);
}

// Each default our programs wrote goes back to what the record found, or goes; keys that did
// not exist before go once empty, the open command first.
void GiveIdentifierBack(HKEY classes, HKEY record, const Identifier& id, const std::string& folder) {
    if (PointsElsewhere(classes, record, id, folder)) return;
    std::string command = OwnCommand(id, folder);
    std::vector<std::string> keys = IdentifierKeys(id);
    for (size_t i = keys.size(); i-- > 0;) {
        fw::RegKey key = fw::RegOpen(classes, keys[i].c_str(), KEY_READ | KEY_SET_VALUE);
        if (!key) continue;
        fw::RegKey note = record ? fw::RegOpen(record, keys[i].c_str(), KEY_READ) : fw::RegKey{};
        std::string text;
        if (ReadText(key.Get(), nullptr, text) && IsOurValue(id, i, text, command) &&
            ReadRaw(key.Get(), nullptr) != ReadRaw(note.Get(), nullptr))
            CopyRaw(note.Get(), key.Get(), nullptr);
        if (!note) DeleteIfEmpty(classes, key, keys[i]);
    }
}

}  // namespace

void GiveTypesBack(HKEY classes, HKEY record, const std::string& programFolder) {
    HKEY noted = HasRecord(record) ? record : nullptr;
    // The file types go with the player that their identifier opens.
    if (!PointsElsewhere(classes, noted, Identifiers()[0], programFolder)) {
        if (noted) {
            for (const std::string& extension : ExtensionsInPlay())
                GiveExtensionBack(classes, noted, extension);
        } else {
            GiveExtensionsBackByRule(classes);
        }
    }
    for (const Identifier& id : Identifiers())
        GiveIdentifierBack(classes, noted, id, programFolder);
}

}  // namespace setup_types
