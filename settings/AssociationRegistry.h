// The file-type registration layout under a classes root, shared by the player and the restore
// tool: extension keys that remember their previous owner in "Backup type", and one program
// identifier key with "DefaultIcon" and the open command. Every function works on an opened
// root key (HKEY_CLASSES_ROOT, or a private key in tests) and never shows anything.
#pragma once

#include <windows.h>

#include <span>
#include <string>

namespace assoc {

inline constexpr char kBackupType[] = "Backup type";
inline constexpr char kContentType[] = "Content Type";
inline constexpr REGSAM kExtensionAccess = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

// One row of a registration table; a table ends with a row whose extension is empty.
struct AssociationRow {
    const char* extension;    // ".avi"
    const char* programId;    // the identifier key the extension points at
    const char* contentType;  // "Video file", written only into keys we create
    const char* description;  // the identifier key's own default
    const char* iconIndex;    // "0"
};

// The rows up to the empty end row.
std::span<const AssociationRow> Rows(const AssociationRow* table);

// Case-insensitive, as the shell compares identifiers and paths.
bool SameText(const std::string& a, const std::string& b);

// "\"<path>\" \"%1\""
std::string OpenCommandText(const std::string& programPath);
// "<id>\shell\open\command"
std::string CommandKeyPath(const char* programId);
// The program's folder (with or without its trailing backslash) and a file name joined once.
std::string JoinPath(const std::string& directory, const std::string& fileName);

enum class Owner { NoKey, Unknown, Ours, Other };
// Whose the extension is by its default value; Unknown when the key has no readable default.
Owner ExtensionOwner(HKEY root, const AssociationRow& row);

// A checked row: take the extension, remembering the owner it had.
void TakeExtension(HKEY root, const AssociationRow& row);

// What letting an extension go may touch.
struct ReleaseRules {
    // Defaults that mark the extension as taken by us; any other owner is left alone.
    std::span<const char* const> ownIds;
    // Leave no trace: remove "Backup type" once given back, and remove a key that holds nothing
    // but what we wrote (one we took with nothing to give back, or created and emptied earlier).
    bool cleanUp = false;
};
enum class Release { Unchanged, Restored, Emptied, Deleted, EmptyingFailed };
// An unchecked row: give the extension back to the owner saved in "Backup type".
// EmptyingFailed: an empty "Backup type" asked for an empty default that could not be written.
Release ReleaseExtension(HKEY root, const AssociationRow& row, const ReleaseRules& rules);

// Every row: create the identifier key with its icon and open command, or re-point an existing
// open command at programPath.
void RefreshProgramId(HKEY root, const AssociationRow& row, const std::string& programPath);

}  // namespace assoc
