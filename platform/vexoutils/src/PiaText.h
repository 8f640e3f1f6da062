// The text layer of plot style table files: lines of `key=value`, `key{` opening a block
// and `}` closing it. Scanned into a flat list of lines over the text (what the record layer
// reads), parsed into a tree of entries, and written back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vexo {

// One meaningful line of the text, kept small (a table has thousands): where its key and
// value lie in the scanned text.
struct TextLine {
    enum Kind : unsigned char {
        kScalar,
        kJoined,  // a scalar whose value, a string broken over lines, lies in the scan's joined text
        kOpen,
        kClose,
    };
    Kind kind = kScalar;
    unsigned char depth = 0;  // the entry's nesting (0: top level); a close line has its block's
    std::uint32_t keyAt = 0;  // a close line: where its '}' is
    std::uint32_t keySize = 0;
    std::uint32_t valueAt = 0;  // an open line: the index of its close line
    std::uint32_t valueSize = 0;
};

// The lines of a text, looking into it: the text must outlive the scan.
struct LineScan {
    bool ok = false;
    std::string error;  // with the line number when !ok
    std::vector<TextLine> lines;
    const char* text = nullptr;
    std::string joined;  // broken strings joined

    std::size_t size() const { return lines.size(); }
    bool isOpen(std::size_t i) const { return lines[i].kind == TextLine::kOpen; }
    bool isScalar(std::size_t i) const { return lines[i].kind <= TextLine::kJoined; }
    int depth(std::size_t i) const { return lines[i].depth; }
    std::string_view key(std::size_t i) const { return {text + lines[i].keyAt, lines[i].keySize}; }
    // Scalars: everything after '=' (a string keeps its leading quote).
    std::string_view value(std::size_t i) const {
        const TextLine& l = lines[i];
        return {(l.kind == TextLine::kJoined ? joined.data() : text) + l.valueAt, l.valueSize};
    }
    // The last line of the entry starting at line i: its close line for a block.
    std::size_t last(std::size_t i) const { return isOpen(i) ? lines[i].valueAt : i; }
    // 1-based number of the text line, for messages.
    int lineNumber(std::size_t i) const;
};

// Scans inflated text (a trailing NUL already removed). Lines may be indented by any number
// of spaces or tabs and may end in CR LF. A line with none of '=', '{', '}' continues the
// string value before it (a name typed with a line break), joined with a space.
LineScan scanLines(const char* text, std::size_t size);

// Appends lines first..last (a scalar, or a block from its open to its close line) as they
// are written at nesting `depth` (one space per level).
void writeLines(std::string& out, const LineScan& scan, std::size_t first, std::size_t last,
                int depth);

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

// The scanned lines as a tree of entries.
TextParse parseText(const char* text, std::size_t size);

// Appends `entry` at nesting `depth` (one space per level, as CAD programs write).
void writeEntry(std::string& out, const TextEntry& entry, int depth);

// Value helpers. Strings: a leading quote is the marker and is dropped; there is no
// closing quote and no escaping.
std::string stringValue(std::string_view value);
std::string quoted(const std::string& text);  // also turns line breaks into spaces
// Appends `text` quoted as quoted() makes it.
void appendQuoted(std::string& out, std::string_view text);
bool parseInt(std::string_view value, long long& out);
bool parseReal(std::string_view value, double& out);
bool parseBool(std::string_view value, bool& out);
std::string formatReal(double value);  // shortest C-locale form, "1.0" rather than "1"
void appendReal(std::string& out, double value);
void appendInt(std::string& out, long long value);
// Line breaks in a value that is written on one line become spaces.
std::string oneLine(const std::string& text);

}  // namespace vexo
