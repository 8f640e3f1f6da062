// The text layer of plot style table files: lines of `key=value`, `key{` opening a block
// and `}` closing it. Parsed into a tree of entries and written back from one.
#pragma once

#include <string>
#include <vector>

namespace vexo {

struct TextEntry {
    std::string key;
    bool block = false;
    std::string value;  // scalars: everything after '=' (a string keeps its leading quote)
    std::vector<TextEntry> children;
    int line = 0;  // 1-based line of the text, for messages
};

struct TextParse {
    bool ok = false;
    std::string error;  // with the line number when !ok
    std::vector<TextEntry> entries;
};

// Parses inflated text (a trailing NUL already removed). Lines may be indented by any
// number of spaces or tabs and may end in CR LF. A line with none of '=', '{', '}' continues
// the string value before it (a name typed with a line break), joined with a space.
TextParse parseText(const char* text, std::size_t size);

// Appends `entry` at nesting `depth` (one space per level, as CAD programs write).
void writeEntry(std::string& out, const TextEntry& entry, int depth);

// Value helpers. Strings: a leading quote is the marker and is dropped; there is no
// closing quote and no escaping.
std::string stringValue(const std::string& value);
std::string quoted(const std::string& text);  // also turns line breaks into spaces
bool parseInt(const std::string& value, long long& out);
bool parseReal(const std::string& value, double& out);
bool parseBool(const std::string& value, bool& out);
std::string formatReal(double value);  // shortest C-locale form, "1.0" rather than "1"
// Line breaks in a value that is written on one line become spaces.
std::string oneLine(const std::string& text);

}  // namespace vexo
