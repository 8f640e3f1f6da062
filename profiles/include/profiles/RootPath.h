// The text rules for profiles key paths: completing a typed path with the fixed leading and
// trailing parts, and shortening a complete path for display. The registry test that
// follows completion lives in the store.
#pragma once

#include <string>

namespace profiles {

// ASCII comparison without regard to letter case.
bool equalsNoCaseAscii(const std::string& a, const std::string& b);

// Slashes become backslashes; trailing blanks, then trailing backslashes, then leading blanks,
// then leading backslashes are stripped; `prefix` is put in front unless the path already
// starts with it and `suffix` appended unless it already ends with it (both ignoring case).
std::string completeRoot(const std::string& candidate, const std::string& prefix,
                         const std::string& suffix);

// The middle part of a completed path: as many characters as the suffix has go from the
// end, then as many as the prefix has from the start. Empty when the path is too short.
std::string shortenRoot(const std::string& full, const std::string& prefix,
                        const std::string& suffix);

// A profile name must be a single key name: not empty, no backslash.
bool isProfileName(const std::string& name);

}  // namespace profiles
