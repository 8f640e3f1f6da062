// The recent roots list in the registry: the key named by string 124 below
// HKEY_CURRENT_USER, values Key0, Key1, ...
#pragma once

#include <string>
#include <vector>

namespace profiles {

// The key path of the list (string 124 of the resource library).
std::string recentRootsKeyPath();

// Reads the list; empty when the key cannot be opened.
std::vector<std::string> readRecentRoots(const std::string& keyPath);
// Replaces the stored list by `roots` (see saveRecentRoots); false when the key cannot be
// created or a value cannot be written.
bool writeRecentRoots(const std::string& keyPath, const std::vector<std::string>& roots);

}  // namespace profiles
