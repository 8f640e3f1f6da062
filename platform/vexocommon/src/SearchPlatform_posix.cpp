// Native half of GlobalSearch, for the tests and tools that build on Linux.
// The program folder comes from /proc/self/exe.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "SearchPlatform.h"

namespace search {

const char kPathListSeparator = ':';

std::string programFolder() {
    char path[4096];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return std::string();
    std::string s(path, static_cast<std::size_t>(n));
    return s.substr(0, s.find_last_of('/'));
}

std::string currentFolder() {
    char path[4096];
    return getcwd(path, sizeof path) ? std::string(path) : std::string();
}

std::string environmentPath() {
    const char* p = std::getenv("PATH");
    return p ? p : "";
}

bool isFile(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool hasFolderPart(const std::string& name) { return name.find('/') != std::string::npos; }

std::string join(const std::string& folder, const std::string& name) {
    return folder[folder.size() - 1] == '/' ? folder + name : folder + "/" + name;
}

}  // namespace search
