// Plain registry helpers over an opened key: bounded, type-checked reads and the few writes and
// walks the program needs. Every failure is reported by the result; nothing is thrown or shown.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

#include "Handles.h"

namespace fw {

// Which value types a string read accepts.
enum class TextTypes {
    Plain,         // REG_SZ only: names, identifiers, commands
    PlainOrExpand  // REG_SZ or REG_EXPAND_SZ, taken as stored (not expanded)
};

// The usual bound of a text read: a 260-byte buffer, so 259 characters and the terminator.
inline constexpr size_t kRegTextBytes = MAX_PATH;

// Reads a text value (name null or "" for the default value). Fails when the value is absent,
// of another type, or does not fit into maxBytes together with its terminator. A value stored
// without a terminator is read up to its stored length.
bool RegReadString(HKEY key, const char* name, std::string& text, size_t maxBytes = kRegTextBytes,
                   TextTypes types = TextTypes::Plain);
// Reads a REG_DWORD of exactly four bytes.
bool RegReadDword(HKEY key, const char* name, DWORD& value);
// Writes REG_SZ with its terminator.
bool RegWriteString(HKEY key, const char* name, const std::string& text);
bool RegWriteDword(HKEY key, const char* name, DWORD value);
// Whether a value of that name exists, of whatever type.
bool RegValueExists(HKEY key, const char* name);

bool RegKeyExists(HKEY root, const char* path);
// An empty owner when the key is missing or the access is refused.
RegKey RegOpen(HKEY root, const char* path, REGSAM access);
// Opens or creates; created (when given) tells which happened.
RegKey RegCreate(HKEY root, const char* path, REGSAM access, bool* created = nullptr);

struct RegValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};
// Empty lists when the key cannot be walked.
std::vector<std::string> RegSubkeyNames(HKEY key);
std::vector<RegValue> RegValues(HKEY key);
bool RegHasSubkeys(HKEY key);
// Deletes root\path only when it has no subkeys of its own; false otherwise or on failure.
bool RegDeleteLeafKey(HKEY root, const char* path);

}  // namespace fw
