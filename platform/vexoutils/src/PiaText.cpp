// The text layer of plot style table files: the line scanner (the grammar), the entry tree
// built from its lines, writing lines and entries, and the value spellings (strings without
// closing quote, TRUE/FALSE, C-locale reals).
#include "PiaText.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "Limits.h"

namespace vexo {
namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

// Character classes for the scanner: what may stand in a key, and what ends one.
enum : unsigned char { kKeyChar = 1, kKeyEnd = 2 };

struct CharClasses {
    unsigned char of[256] = {};
    constexpr CharClasses() {
        for (int c = 'a'; c <= 'z'; ++c) of[c] = kKeyChar;
        for (int c = 'A'; c <= 'Z'; ++c) of[c] = kKeyChar;
        for (int c = '0'; c <= '9'; ++c) of[c] = kKeyChar;
        of[static_cast<unsigned char>('_')] = of[static_cast<unsigned char>('-')] =
            of[static_cast<unsigned char>('.')] = kKeyChar;
        of[static_cast<unsigned char>('=')] = of[static_cast<unsigned char>('{')] = kKeyEnd;
    }
};
constexpr CharClasses kClasses;

unsigned char classOf(char c) {
    return kClasses.of[static_cast<unsigned char>(c)];
}

std::string failure(int line, const char* what) {
    return "line " + std::to_string(line) + ": " + what;
}

void indent(std::string& out, int depth) {
    out.append(static_cast<std::size_t>(depth), ' ');
}

}  // namespace

LineScan scanLines(const char* text, std::size_t size) {
    LineScan scan;
    scan.text = text;
    std::vector<TextLine>& lines = scan.lines;
    lines.reserve(size / 16 + 16);  // table text averages some 20 bytes a line
    std::vector<std::uint32_t> open;  // indices of the open lines of the blocks now open
    long lastScalar = -1;             // the line a continuation extends
    const char* p = text;
    const char* const end = text + size;
    int lineNo = 0;
    auto offset = [text](const char* at) { return static_cast<std::uint32_t>(at - text); };
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lineEnd) lineEnd = end;
        const char* contentEnd = lineEnd;
        if (contentEnd > p && contentEnd[-1] == '\r') --contentEnd;
        ++lineNo;
        const char* q = p;
        p = lineEnd < end ? lineEnd + 1 : end;
        while (q < contentEnd && isSpace(*q)) ++q;
        if (q == contentEnd) continue;

        // The first '=' or '{' ends the key. A key is a run of key characters, blanks may
        // follow it; anything else before the end mark makes it a bad key.
        const char* stop = q;
        while (stop < contentEnd && classOf(*stop) == kKeyChar) ++stop;
        const char* const keyEnd = stop;
        bool clean = keyEnd > q;
        for (; stop < contentEnd && classOf(*stop) != kKeyEnd; ++stop)
            if (!isSpace(*stop)) clean = false;
        const char* bareEnd = contentEnd;
        while (bareEnd > q && isSpace(bareEnd[-1])) --bareEnd;
        const int depth = static_cast<int>(open.size());

        TextLine line;
        line.depth = static_cast<unsigned char>(depth);
        line.keyAt = offset(q);
        line.keySize = static_cast<std::uint32_t>(keyEnd - q);
        if (bareEnd - q == 1 && *q == '}') {
            if (open.empty()) {
                scan.error = failure(lineNo, "'}' without an open block");
                return scan;
            }
            line.kind = TextLine::kClose;
            line.depth = static_cast<unsigned char>(depth - 1);
            line.keySize = 0;
            lines[open.back()].valueAt = static_cast<std::uint32_t>(lines.size());
            open.pop_back();
            lines.push_back(line);
            lastScalar = -1;
            continue;
        }
        if (stop < contentEnd && *stop == '{') {
            if (bareEnd[-1] != '{') {
                scan.error = failure(lineNo, "text after '{'");
                return scan;
            }
            if (!clean) {
                scan.error = failure(lineNo, "bad block name");
                return scan;
            }
            if (depth + 1 > kMaxBlockDepth) {
                scan.error = failure(lineNo, "blocks nested too deep");
                return scan;
            }
            line.kind = TextLine::kOpen;
            open.push_back(static_cast<std::uint32_t>(lines.size()));
            lines.push_back(line);
            lastScalar = -1;
            continue;
        }
        if (stop < contentEnd) {  // '='
            if (!clean) {
                scan.error = failure(lineNo, "bad key");
                return scan;
            }
            const char* v = stop + 1;
            const char* valueEnd = contentEnd;
            if (v >= contentEnd || *v != '"') {
                // Strings keep trailing spaces; other values are trimmed.
                while (v < valueEnd && isSpace(*v)) ++v;
                while (valueEnd > v && isSpace(valueEnd[-1])) --valueEnd;
            }
            line.kind = TextLine::kScalar;
            line.valueAt = offset(v);
            line.valueSize = static_cast<std::uint32_t>(valueEnd - v);
            lastScalar = static_cast<long>(lines.size());
            lines.push_back(line);
            continue;
        }
        if (lastScalar >= 0) {
            TextLine& broken = lines[static_cast<std::size_t>(lastScalar)];
            const std::string_view value = scan.value(static_cast<std::size_t>(lastScalar));
            if (!value.empty() && value[0] == '"') {
                if (broken.kind == TextLine::kScalar) {
                    // First continuation: the value moves to the joined text, which then grows
                    // only at its end while this line is continued.
                    const std::size_t at = scan.joined.size();
                    scan.joined.append(value.data(), value.size());
                    broken.kind = TextLine::kJoined;
                    broken.valueAt = static_cast<std::uint32_t>(at);
                }
                scan.joined += ' ';
                scan.joined.append(q, static_cast<std::size_t>(bareEnd - q));
                broken.valueSize = static_cast<std::uint32_t>(scan.joined.size() - broken.valueAt);
                continue;
            }
        }
        scan.error = failure(lineNo, "neither a key nor a block");
        return scan;
    }
    if (!open.empty()) {
        scan.error = "the text ends inside a block";
        return scan;
    }
    scan.ok = true;
    return scan;
}

int LineScan::lineNumber(std::size_t i) const {
    const char* at = text + lines[i].keyAt;
    int n = 1;
    for (const char* c = text; c < at; ++c) n += *c == '\n';
    return n;
}

void writeLines(std::string& out, const LineScan& scan, std::size_t first, std::size_t last,
                int depth) {
    const int base = scan.depth(first);
    for (std::size_t i = first; i <= last; ++i) {
        indent(out, depth + scan.depth(i) - base);
        if (scan.lines[i].kind == TextLine::kClose) {
            out += "}\n";
            continue;
        }
        out += scan.key(i);
        if (scan.isOpen(i)) {
            out += "{\n";
        } else {
            out += '=';
            out += scan.value(i);
            out += '\n';
        }
    }
}

namespace {

// The entries of lines [first, last), all at one depth, with their blocks' contents.
void buildEntries(const LineScan& scan, std::size_t first, std::size_t last,
                  std::vector<TextEntry>& out) {
    for (std::size_t i = first; i < last; ++i) {
        TextEntry e;
        e.key = std::string(scan.key(i));
        e.line = scan.lineNumber(i);
        if (scan.isOpen(i)) {
            e.block = true;
            const std::size_t close = scan.last(i);
            buildEntries(scan, i + 1, close, e.children);
            i = close;
        } else {
            e.value = std::string(scan.value(i));
        }
        out.push_back(std::move(e));
    }
}

}  // namespace

TextParse parseText(const char* text, std::size_t size) {
    TextParse result;
    const LineScan scan = scanLines(text, size);
    if (!scan.ok) {
        result.error = scan.error;
        return result;
    }
    buildEntries(scan, 0, scan.size(), result.entries);
    result.ok = true;
    return result;
}

void writeEntry(std::string& out, const TextEntry& entry, int depth) {
    indent(out, depth);
    out += entry.key;
    if (!entry.block) {
        out += '=';
        out += entry.value;
        out += '\n';
        return;
    }
    out += "{\n";
    for (const TextEntry& child : entry.children) writeEntry(out, child, depth + 1);
    indent(out, depth);
    out += "}\n";
}

std::string stringValue(std::string_view value) {
    if (!value.empty() && value[0] == '"') value.remove_prefix(1);
    return std::string(value);
}

void appendQuoted(std::string& out, std::string_view text) {
    out += '"';
    std::size_t plain = 0;  // the part before the first character to replace, in one go
    while (plain < text.size() && text[plain] != '\r' && text[plain] != '\n' && text[plain] != '\0')
        ++plain;
    out.append(text.data(), plain);
    for (std::size_t i = plain; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            // CR LF is one break, one space
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            out += ' ';
        } else if (c != '\0') {
            out += c;
        }
    }
}

std::string oneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 1);
    appendQuoted(out, text);
    return out.substr(1);
}

std::string quoted(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 1);
    appendQuoted(out, text);
    return out;
}

bool parseInt(std::string_view value, long long& out) {
    const char* b = value.data();
    const char* e = b + value.size();
    // Most values are a few plain digits: read those at once.
    if (value.size() - 1 < 9) {
        const bool negative = *b == '-';
        const char* d = b + (negative || *b == '+');
        if (d != e) {
            long long v = 0;
            for (; d != e && static_cast<unsigned>(*d - '0') < 10; ++d) v = v * 10 + (*d - '0');
            if (d == e) {
                out = negative ? -v : v;
                return true;
            }
        }
    }
    if (b != e && *b == '+') ++b;
    long long v = 0;
    auto [ptr, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || ptr != e || b == e) return false;
    out = v;
    return true;
}

bool parseReal(std::string_view value, double& out) {
    const char* b = value.data();
    const char* e = b + value.size();
    if (b != e && *b == '+') ++b;
    double v = 0;
    auto [ptr, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || ptr != e || b == e || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool parseBool(std::string_view value, bool& out) {
    if (value == "TRUE" || value == "true" || value == "1") {
        out = true;
    } else if (value == "FALSE" || value == "false" || value == "0") {
        out = false;
    } else {
        return false;
    }
    return true;
}

void appendReal(std::string& out, double value) {
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) {
        out += "0.0";
        return;
    }
    out.append(buffer, ptr);
    if (!std::memchr(buffer, '.', static_cast<std::size_t>(ptr - buffer))) out += ".0";
}

std::string formatReal(double value) {
    std::string s;
    appendReal(s, value);
    return s;
}

void appendInt(std::string& out, long long value) {
    char buffer[24];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, ec == std::errc() ? ptr : buffer);
}

}  // namespace vexo
