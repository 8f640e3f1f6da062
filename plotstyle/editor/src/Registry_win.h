// Reading string values the careful way: the value counts only when its type is a string
// type and its data ends in its terminator; keys are opened and closed within the call.
#pragma once

#include <windows.h>

#include <string>

namespace quellon {

enum class ReadResult { Read, NoKey, NoValue, Bad };

// Value `name` (null: the default value) of `root`\`path`, read into a buffer of
// `bufferBytes`; `text` is set only when the result is Read.
ReadResult readRegistryString(HKEY root, const std::string& path, const char* name,
                              std::string& text, DWORD bufferBytes = 1024);

bool registryKeyExists(HKEY root, const std::string& path);

}  // namespace quellon
