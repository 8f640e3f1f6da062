// Command lines the profile manager hands to other programs: the registry editor for export
// and import, and the two kinds of host program, told apart by the profiles key path.
#pragma once

#include <string>

namespace profiles {

// Parameters for "regedit": export one profile with its subtree, and a silent import.
std::string exportParameters(const std::string& file, const std::string& root,
                             const std::string& name);
std::string importParameters(const std::string& file);

enum class HostKind { None, Kivra, AutoCad };

// "tessaline" anywhere in the lower-cased path: the own family's host; otherwise "autocad":
// AutoCAD; otherwise none.
HostKind hostKind(const std::string& rootPath);
const char* hostKindName(HostKind kind);

// Program file searched for, its parameters for a profile, and the prefix of its error box.
// Empty for HostKind::None.
std::string hostProgram(HostKind kind);
std::string hostParameters(HostKind kind, const std::string& profile);
std::string hostErrorPrefix(HostKind kind);

}  // namespace profiles
