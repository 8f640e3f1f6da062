// What GlobalSearch needs from the platform: folders, the PATH list, file tests.
// Implemented once per platform (SearchPlatform_win.cpp, SearchPlatform_posix.cpp).
#pragma once

#include <string>

namespace search {
extern const char kPathListSeparator;
std::string programFolder();
std::string currentFolder();
std::string environmentPath();
bool isFile(const std::string& path);
bool hasFolderPart(const std::string& name);
std::string join(const std::string& folder, const std::string& name);
}  // namespace search
