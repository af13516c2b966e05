// What the installation keeps of the file types it found, and the uninstaller's give-back that
// uses it. The player and the restore tool write into extension keys and their two program
// identifiers that may have held another program's values before; the installer notes those
// values exactly as they were, so the uninstaller puts back what they overwrote and removes only
// what they added. Every function works on opened keys (HKEY_CLASSES_ROOT and the record's key,
// or private keys in tests) and never shows anything.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace setup_types {

// Below the installation's entry in the list of programs, so it goes with that entry.
inline constexpr char kRecordKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tesmaro Player\\File types before";

// Every extension the player or the restore tool may write, once each.
std::vector<std::string> ExtensionsInPlay();

// Notes the extension and identifier keys as they are now. A record made complete earlier (by
// the installation this one installs over) is kept, since it is the only one made before the
// player ever ran; returns whether a new record was made.
bool RecordTypes(HKEY classes, HKEY record);
// Whether the record was made to the end.
bool HasRecord(HKEY record);

// Gives back every extension and removes or restores the identifiers' values, for the
// installation in programFolder. record may be null (an installation older than the record):
// then the restore tool's rules decide. Types whose "Tesmaro Player" open command now starts
// a player of another folder belong to that installation and are left alone.
void GiveTypesBack(HKEY classes, HKEY record, const std::string& programFolder);

}  // namespace setup_types
