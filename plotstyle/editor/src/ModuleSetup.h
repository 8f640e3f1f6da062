// Where the editor's module set-up looks for things: the product key, the language code's
// default, and the resource library paths below the calling program's folder.
#pragma once

#include <string>
#include <vector>

namespace quellon {

constexpr const char* kProductKey = "Software\\Oremund\\Kivra 2013\\";
constexpr const char* kDefaultLanguage = "ENU";
constexpr const char* kFallbackLanguage = "Enu";
constexpr const char* kResourceLibraryName = "QuellonRes.dll";
constexpr unsigned kLanguageBufferBytes = 5;  // so at most four characters of CURLANG count

// Drive and directory of a file path, ending with a backslash ("" when it has none).
std::string directoryOf(const std::string& path);

// The resource library paths in the order they are tried: the language's folder, then
// the fixed fallback folder.
std::vector<std::string> resourceLibraryCandidates(const std::string& baseDirectory,
                                                   const std::string& language);

}  // namespace quellon
