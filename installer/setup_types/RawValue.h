// A registry value as stored, type and bytes untouched: read and written through the wide
// functions, so that a value put back is the very value that was there, whatever its type,
// length or terminator.
#pragma once

#include <windows.h>

#include <vector>

namespace setup_types {

struct RawValue {
    bool present = false;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;

    bool operator==(const RawValue&) const = default;
};

// name null or "" for the default value. Absent when the key is null or has no such value.
RawValue ReadRaw(HKEY key, const char* name);
// Writes the value, or deletes it when value is absent (a missing value counts as deleted).
bool WriteRaw(HKEY key, const char* name, const RawValue& value);
// Copies one value from one key to another, its absence too.
bool CopyRaw(HKEY from, HKEY to, const char* name);
// Neither values nor subkeys.
bool IsEmptyKey(HKEY key);

}  // namespace setup_types
