// Completing and shortening profiles key paths.
#include "profiles/RootPath.h"

#include <cctype>

namespace profiles {
namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool equalsNoCaseAscii(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
    return true;
}

std::string completeRoot(const std::string& candidate, const std::string& prefix,
                         const std::string& suffix) {
    std::string path = candidate;
    for (char& c : path)
        if (c == '/') c = '\\';

    size_t end = path.size();
    while (end > 0 && isBlank(path[end - 1])) --end;
    while (end > 0 && path[end - 1] == '\\') --end;
    path.erase(end);
    size_t begin = 0;
    while (begin < path.size() && isBlank(path[begin])) ++begin;
    while (begin < path.size() && path[begin] == '\\') ++begin;
    path.erase(0, begin);

    if (path.size() < prefix.size() || !equalsNoCaseAscii(path.substr(0, prefix.size()), prefix))
        path.insert(0, prefix);
    if (path.size() < suffix.size() ||
        !equalsNoCaseAscii(path.substr(path.size() - suffix.size()), suffix))
        path += suffix;
    return path;
}

std::string shortenRoot(const std::string& full, const std::string& prefix,
                        const std::string& suffix) {
    if (full.size() < prefix.size() + suffix.size()) return std::string();
    return full.substr(prefix.size(), full.size() - prefix.size() - suffix.size());
}

bool isProfileName(const std::string& name) {
    return !name.empty() && name.find('\\') == std::string::npos;
}

}  // namespace profiles
