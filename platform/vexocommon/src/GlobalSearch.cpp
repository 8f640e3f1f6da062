// The search order of GlobalSearch::Find; where the program lives and how folders are
// written come from the platform half.
#include "vexocommon/GlobalSearch.h"

#include <cstring>
#include <string>
#include <vector>

#include "SearchPlatform.h"

namespace {

void splitList(const std::string& list, char separator, std::vector<std::string>& out) {
    std::string::size_type from = 0;
    while (from <= list.size()) {
        std::string::size_type to = list.find(separator, from);
        if (to == std::string::npos) to = list.size();
        if (to > from) out.push_back(list.substr(from, to - from));
        from = to + 1;
    }
}

int answer(const std::string& path, char* buffer, unsigned int size) {
    if (path.size() + 1 > size) return GlobalSearch::kBufferTooSmall;
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return GlobalSearch::kFound;
}

}  // namespace

int GlobalSearch::Find(const char* searchPath, const char* fileName, char* buffer, unsigned int bufferSize) {
    if (!fileName || !*fileName || !buffer || bufferSize == 0) return kBadArguments;
    try {
        buffer[0] = '\0';
        const std::string name = fileName;
        if (search::hasFolderPart(name)) return search::isFile(name) ? answer(name, buffer, bufferSize) : kNotFound;
        std::vector<std::string> folders;
        if (searchPath) splitList(searchPath, ';', folders);
        folders.push_back(search::programFolder());
        folders.push_back(search::currentFolder());
        splitList(search::environmentPath(), search::kPathListSeparator, folders);
        for (const std::string& folder : folders) {
            if (folder.empty()) continue;
            const std::string candidate = search::join(folder, name);
            if (search::isFile(candidate)) return answer(candidate, buffer, bufferSize);
        }
        return kNotFound;
    } catch (...) {
        return kNotFound;
    }
}
