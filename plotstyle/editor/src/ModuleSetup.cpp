// Module set-up paths.
#include "ModuleSetup.h"

namespace quellon {

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos) return path.substr(0, slash + 1);
    // A bare drive ("C:name") keeps its drive.
    if (path.size() >= 2 && path[1] == ':') return path.substr(0, 2);
    return std::string();
}

std::vector<std::string> resourceLibraryCandidates(const std::string& baseDirectory,
                                                   const std::string& language) {
    const std::string tail = std::string("\\") + kResourceLibraryName;
    return {baseDirectory + "lang\\" + language + tail,
            baseDirectory + "lang\\" + kFallbackLanguage + tail};
}

}  // namespace quellon
