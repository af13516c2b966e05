// A registry subtree as text: every key, value name, type and data byte, in a stable order, so
// two snapshots compare byte for byte.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace testsupport {

// Key path (relative to root) -> the key's values, one line each.
using RegistrySnapshot = std::map<std::string, std::string>;

// The subtree under root\path (path empty: root itself), key names lower-cased for ordering.
RegistrySnapshot SnapshotRegistry(HKEY root, const std::string& path = {});
// Only the keys of the snapshot whose first path element is one of these names.
RegistrySnapshot KeysOf(const RegistrySnapshot& snapshot, std::initializer_list<const char*> firstElements);

}  // namespace testsupport
