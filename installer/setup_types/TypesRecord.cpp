#include "TypesRecord.h"

#include "AssociationRegistry.h"
#include "AssociationTable.h"
#include "Identifiers.h"
#include "RawValue.h"
#include "Registry.h"
#include "RestoreTable.h"

namespace setup_types {

namespace {

// Set last, so that a record cut short (the installer ended half-way) is made again.
constexpr char kComplete[] = "Complete";

// The values of an extension key that the player or the restore tool write.
const char* const kExtensionValues[] = {nullptr, assoc::kBackupType, assoc::kContentType};

// Notes the key's listed values, or nothing when the key does not exist: a key of the record
// stands for a key that existed.
void NoteKey(HKEY classes, HKEY record, const std::string& path, std::span<const char* const> values) {
    fw::RegKey key = fw::RegOpen(classes, path.c_str(), KEY_READ);
    if (!key) return;
    fw::RegKey note = fw::RegCreate(record, path.c_str(), KEY_READ | KEY_WRITE);
    for (const char* name : values)
        CopyRaw(key.Get(), note.Get(), name);
}

}  // namespace

std::vector<std::string> ExtensionsInPlay() {
    std::vector<std::string> extensions;
    for (const assoc::AssociationRow* table : {kAssociationTable, kRestoreTable}) {
        for (const assoc::AssociationRow& row : assoc::Rows(table)) {
            bool known = false;
            for (const std::string& e : extensions)
                known = known || assoc::SameText(e, row.extension);
            if (!known) extensions.emplace_back(row.extension);
        }
    }
    return extensions;
}

bool HasRecord(HKEY record) {
    DWORD complete = 0;
    return record && fw::RegReadDword(record, kComplete, complete) && complete == 1;
}

bool RecordTypes(HKEY classes, HKEY record) {
    if (!record || HasRecord(record)) return false;
    for (const std::string& name : fw::RegSubkeyNames(record))
        ::RegDeleteTreeA(record, name.c_str());
    for (const std::string& extension : ExtensionsInPlay())
        NoteKey(classes, record, extension, kExtensionValues);
    const char* const defaultOnly[] = {nullptr};
    for (const Identifier& id : Identifiers()) {
        for (const std::string& path : IdentifierKeys(id))
            NoteKey(classes, record, path, defaultOnly);
    }
    return fw::RegWriteDword(record, kComplete, 1);
}

}  // namespace setup_types
