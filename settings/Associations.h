// The player's own registration: which of its table's rows it owns, and writing a choice of rows.
#pragma once

#include <windows.h>

#include <bitset>
#include <string>

#include "AssociationTable.h"

using CheckedRows = std::bitset<kAssociationRowCount>;

// Sets each row whose extension key has a readable default: checked exactly when the default
// is the player's identifier. Other rows keep their state.
void ReadAssociations(HKEY root, CheckedRows& checked);
// Takes the checked extensions, gives the unchecked ones back and points the identifier's open
// command at programPath. Returns how many rows asked for an empty default that could not be
// written (the one failure the user is told about).
int ApplyAssociations(HKEY root, const CheckedRows& checked, const std::string& programPath);
// Rows 0-3 and 7-31.
CheckedRows FirstRunRows();
// The program's folder (with its trailing backslash) + base name + ".exe".
std::string ProgramPathFrom(const std::string& directory, const std::string& baseName);
