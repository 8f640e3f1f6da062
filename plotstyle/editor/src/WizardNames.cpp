// Checking and completing the names of new table files.
#include "WizardNames.h"

#include "dialogs/Text.h"

#include <cctype>

namespace quellon {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

char folded(char c) {
    if (c == '/') return '\\';
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (folded(a[i]) != folded(b[i])) return false;
    return true;
}

}  // namespace

PathParts splitPath(const std::string& path) {
    PathParts parts;
    std::string rest = path;
    if (rest.size() >= 2 && rest[1] == ':') {
        parts.drive = rest.substr(0, 2);
        rest.erase(0, 2);
    }
    std::size_t lastSeparator = std::string::npos;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (isSeparator(rest[i])) lastSeparator = i;
    if (lastSeparator != std::string::npos) {
        parts.directory = rest.substr(0, lastSeparator + 1);
        rest.erase(0, lastSeparator + 1);
    }
    const std::size_t dot = rest.rfind('.');
    if (dot != std::string::npos) {
        parts.extension = rest.substr(dot);
        rest.erase(dot);
    }
    parts.name = rest;
    return parts;
}

bool hasForbiddenFileNameCharacter(const std::string& text) {
    return text.find_first_of("\"*/:<>?\\|") != std::string::npos;
}

TableName checkTableName(const std::string& typed, bool colorDependent) {
    TableName result;
    result.trimmed = dlg::trim(typed);
    if (result.trimmed.empty()) return result;
    const PathParts parts = splitPath(result.trimmed);
    // The extension is checked as well: a name such as "plot.c?b" would pass the name part
    // and then never be written.
    if (!parts.drive.empty() || !parts.directory.empty() || parts.name.empty() ||
        hasForbiddenFileNameCharacter(parts.name) ||
        hasForbiddenFileNameCharacter(parts.extension)) {
        result.result = TableName::Invalid;
        return result;
    }
    std::string name = parts.name;
    if (!sameText(parts.extension, ".ctb") && !sameText(parts.extension, ".stb"))
        name += parts.extension;
    result.fileName = name + (colorDependent ? ".ctb" : ".stb");
    result.result = TableName::Ok;
    return result;
}

std::string wizardDirectory(const std::string& directory) {
    if (directory.empty() || isSeparator(directory.back())) return directory;
    return directory + '\\';
}

bool samePath(const std::string& a, const std::string& b) {
    return sameText(a, b);
}

}  // namespace quellon
