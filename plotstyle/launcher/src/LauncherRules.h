// What Brantle decides without the operating system: which road a command line takes, the
// profiles key for a language, and the folders it falls back on.
#pragma once

#include "dialogs/CommandLine.h"

#include <string>

namespace brantle {

constexpr const char* kProductKey = "Software\\Oremund\\Kivra 2013\\";
// Registry texts are read into buffers of this many bytes, and paths built from them are
// kept to one byte less.
constexpr unsigned kTextBuffer = 260;
constexpr unsigned kLanguageBuffer = 20;

enum class LaunchAction { AddTable, EditFile, Nothing };

// A new file: the add-table road. An open file with a name: the editor on that file.
// Everything else (print, print to, DDE, registration, unknown switches): nothing.
LaunchAction actionFor(const dlg::CommandLineInfo& info);

// The product key followed directly by the language, then "\Profiles".
std::string profilesKeyPath(const std::string& language);
// The configuration key of profile `profile` below `profilesKey`.
std::string configKeyPath(const std::string& profilesKey, const std::string& profile);
// The pen settings key below `profilesKey`.
std::string penSettingsKeyPath(const std::string& profilesKey);

// True when a path built from registry texts stays within the buffers' limit.
bool fitsPathLimit(const std::string& path);

// Drive and directory of a program's file path, with the backslash; empty when the path
// has no directory.
std::string folderOfProgram(const std::string& programPath);

}  // namespace brantle
