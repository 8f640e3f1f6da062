// The rules that decide where the help file is, given what the registry, the VexoRes
// strings and the library's own location say. The system half gathers the facts
// (Help_win.cpp); the decision itself needs no operating system.
#pragma once

#include <functional>
#include <string>

namespace quellon {

constexpr const char* kHelpFileName = "\\Kivra.chm";

struct HelpFacts {
    bool hasHelpValue = false;  // the profile's Config key has a "Help" value
    std::string helpValue;
    bool configKeyExists = false;  // the profile's Config key could be opened
    bool installDirFromRegistry = false;
    std::string installDir;         // "InstallDir" text, or the library's folder when not read
    std::string lastRegistryText;   // the text the value buffer last held (see helpDirectory)
    std::string sourceReplacement;  // VexoRes string 42004
    std::string helpSubdirectory;   // VexoRes string 40402
};

// The help directory by the rules: the profile's "Help" value wins; otherwise the
// installation directory (from the registry, or the library's folder with its "SOURCE"
// part replaced) plus the help subdirectory; when that names nothing on disk, the text
// last read from the registry, and when that is empty the installation directory itself.
std::string helpDirectory(const HelpFacts& facts,
                          const std::function<bool(const std::string&)>& exists);

// Directory + "\Kivra.chm".
inline std::string helpPath(const std::string& directory) {
    return directory + kHelpFileName;
}

// ASCII upper case, as the directory search for "SOURCE" compares.
std::string upperCase(std::string text);

}  // namespace quellon
