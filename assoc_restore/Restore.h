// The restore tool's one pass: every media type back to the program that had it before.
#pragma once

#include <windows.h>

#include <string>

// Gives back every extension of the tool's table that the player or the tool took, removes the
// keys they created, and (when programPath is not empty) keeps "Vistrane+" pointing at it.
void RestoreAssociations(HKEY root, const std::string& programPath);
// The folder + "\Vistrane.exe"; empty when the folder is unknown.
std::string RestoreProgramPath(const std::string& currentDirectory);
// The process's current folder; empty when it cannot be read.
std::string CurrentDirectory();
