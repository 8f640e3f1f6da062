// Recent roots: the combo's entries, the list after OK, and reading and writing the list.
#include "RecentRoots.h"

#include "profiles/RootPath.h"

#include <algorithm>

namespace profiles {
namespace {

int findNoCase(const std::vector<std::string>& entries, const std::string& text) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (equalsNoCaseAscii(entries[i], text)) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::string recentRootValueName(size_t index) { return "Key" + std::to_string(index); }

std::vector<std::string> rootChoices(const std::vector<std::string>& stored,
                                     const RootForm& shortRoot, const std::string& fallback) {
    std::vector<std::string> entries;
    for (const std::string& root : stored) {
        std::string shortPath;
        if (shortRoot(root, shortPath)) entries.push_back(shortPath);
    }
    if (entries.empty()) entries.push_back(fallback);
    return entries;
}

std::vector<std::string> firstChoiceOnTop(const std::vector<std::string>& entries,
                                          const RootForm& shortRoot) {
    std::vector<std::string> result = entries;
    std::string shortPath;
    if (result.empty() || result.front().empty() || !shortRoot(result.front(), shortPath))
        return result;
    int at = findNoCase(result, shortPath);
    if (at == 0) return result;
    if (at > 0) result.erase(result.begin() + at);
    result.insert(result.begin(), shortPath);
    return result;
}

std::vector<std::string> recentRootsAfterChoice(const std::string& chosenFull,
                                                const std::vector<std::string>& entries,
                                                const RootForm& normaliseRoot) {
    std::vector<std::string> roots{chosenFull};
    for (const std::string& entry : entries) {
        std::string full;
        if (normaliseRoot(entry, full) && findNoCase(roots, full) < 0) roots.push_back(full);
    }
    return roots;
}

std::vector<std::string> loadRecentRoots(const RecentRootsKey& key) {
    std::vector<std::string> roots;
    for (size_t i = 0;; ++i) {
        std::string root;
        if (!key.read(recentRootValueName(i), root)) break;
        roots.push_back(root);
    }
    return roots;
}

bool saveRecentRoots(RecentRootsKey& key, const std::vector<std::string>& roots) {
    std::vector<std::string> written;
    for (size_t i = 0; i < roots.size(); ++i) {
        written.push_back(recentRootValueName(i));
        if (!key.write(written.back(), roots[i])) return false;
    }
    for (const std::string& name : key.valueNames()) {
        if (std::find_if(written.begin(), written.end(), [&](const std::string& w) {
                return equalsNoCaseAscii(w, name);
            }) == written.end())
            key.removeValue(name);
    }
    return true;
}

}  // namespace profiles
