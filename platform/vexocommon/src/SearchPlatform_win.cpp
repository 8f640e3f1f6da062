// Windows half of GlobalSearch: module folder, current folder and file tests through the
// platform, ANSI throughout.
#include <windows.h>

#include <cstdlib>

#include "SearchPlatform.h"

namespace search {

const char kPathListSeparator = ';';

std::string programFolder() {
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string s(path, n);
    const std::string::size_type slash = s.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : s.substr(0, slash);
}

std::string currentFolder() {
    char path[MAX_PATH];
    const DWORD n = GetCurrentDirectoryA(MAX_PATH, path);
    return n == 0 || n >= MAX_PATH ? std::string() : std::string(path, n);
}

std::string environmentPath() {
    const char* p = std::getenv("PATH");
    return p ? p : "";
}

bool isFile(const std::string& path) {
    const DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool hasFolderPart(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

std::string join(const std::string& folder, const std::string& name) {
    const char last = folder[folder.size() - 1];
    return last == '\\' || last == '/' ? folder + name : folder + "\\" + name;
}

}  // namespace search
