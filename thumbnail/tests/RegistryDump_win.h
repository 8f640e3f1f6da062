// The registry below a key as plain data, for comparing what registration wrote with what
// it should have written: every key by its path, with its values as "type:text".
#pragma once

#include <windows.h>

#include <map>
#include <string>

using RegistryValues = std::map<std::wstring, std::wstring>;  // value name ("" default) -> "sz:text"
using RegistryDump = std::map<std::wstring, RegistryValues>;   // key path -> values

// Adds `path` below `root` and everything under it to `dump` (nothing when it is missing).
// `view` is 0 or one of the KEY_WOW64 flags.
void dumpKey(HKEY root, const std::wstring& path, RegistryDump& dump, REGSAM view = 0);
bool keyExists(HKEY root, const std::wstring& path, REGSAM view = 0);
// The default or a named string value; "<none>" when the key or value is missing.
std::wstring stringValue(HKEY root, const std::wstring& path, const std::wstring& name = L"", REGSAM view = 0);
std::string describe(const RegistryDump& dump);
