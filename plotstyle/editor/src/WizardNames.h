// File names of new plot style tables as the wizards take them: the typed name checked for
// a folder part and the characters a file name cannot hold, the extension of the table's
// type put on, and the wizard's folder joined with it.
#pragma once

#include <string>

namespace quellon {

struct TableName {
    enum Result { Ok, Empty, Invalid };
    Result result = Empty;
    std::string fileName;  // with Ok: the name with ".ctb" or ".stb"
    std::string trimmed;   // the typed text without blanks around it
};

// The parts of a path as the C runtime's splitter gives them: "C:", "dir\sub\", "name",
// ".ext" (the extension from the last dot of the last part).
struct PathParts {
    std::string drive, directory, name, extension;
};
PathParts splitPath(const std::string& path);

// True when `text` holds one of the nine characters no file name may hold.
bool hasForbiddenFileNameCharacter(const std::string& text);

// Checks a typed table name: blank is Empty; a drive or folder part, an empty name or a
// forbidden character is Invalid. Otherwise ".ctb" or ".stb" (in any letter case) gives
// way to the extension of the type and any other extension stays part of the name.
TableName checkTableName(const std::string& typed, bool colorDependent);

// The wizard's folder as it keeps it: with a backslash at the end unless it is empty or
// already ends in a separator.
std::string wizardDirectory(const std::string& directory);

// Two Windows paths naming the same file, compared without letter case and with either
// slash.
bool samePath(const std::string& a, const std::string& b);

}  // namespace quellon
