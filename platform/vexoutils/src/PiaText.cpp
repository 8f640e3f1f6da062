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

std::string_view trimmed(const char* begin, const char* end) {
    while (begin < end && isSpace(*begin)) ++begin;
    while (end > begin && isSpace(end[-1])) --end;
    return std::string_view(begin, static_cast<std::size_t>(end - begin));
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
    std::vector<TextLine>& lines = scan.lines;
    lines.reserve(size / 16 + 4);
    std::vector<int> open;           // indices of the open lines of the blocks now open
    int lastScalar = -1;             // the line a continuation extends
    std::string* lastJoined = nullptr;  // its joined storage, once it has been continued
    const char* p = text;
    const char* const end = text + size;
    int lineNo = 0;
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
        const std::string_view key(q, static_cast<std::size_t>(stop - q));
        bool clean = !key.empty();
        for (; stop < contentEnd && classOf(*stop) != kKeyEnd; ++stop)
            if (!isSpace(*stop)) clean = false;
        const char* eq = stop < contentEnd && *stop == '=' ? stop : nullptr;
        const char* brace = stop < contentEnd && *stop == '{' ? stop : nullptr;
        const char* bareEnd = contentEnd;
        while (bareEnd > q && isSpace(bareEnd[-1])) --bareEnd;
        const std::string_view bare(q, static_cast<std::size_t>(bareEnd - q));
        const int depth = static_cast<int>(open.size());
        if (bare == "}") {
            if (open.empty()) {
                scan.error = failure(lineNo, "'}' without an open block");
                return scan;
            }
            TextLine close;
            close.kind = TextLine::kClose;
            close.depth = depth - 1;
            close.line = lineNo;
            lines[static_cast<std::size_t>(open.back())].end = static_cast<int>(lines.size());
            open.pop_back();
            lines.push_back(close);
            lastScalar = -1;
            continue;
        }
        if (brace) {
            if (bare.back() != '{') {
                scan.error = failure(lineNo, "text after '{'");
                return scan;
            }
            TextLine entry;
            entry.kind = TextLine::kOpen;
            entry.depth = depth;
            entry.line = lineNo;
            entry.key = key;
            if (!clean) {
                scan.error = failure(lineNo, "bad block name");
                return scan;
            }
            if (depth + 1 > kMaxBlockDepth) {
                scan.error = failure(lineNo, "blocks nested too deep");
                return scan;
            }
            open.push_back(static_cast<int>(lines.size()));
            lines.push_back(entry);
            lastScalar = -1;
            continue;
        }
        if (eq) {
            TextLine entry;
            entry.kind = TextLine::kScalar;
            entry.depth = depth;
            entry.line = lineNo;
            entry.key = key;
            if (!clean) {
                scan.error = failure(lineNo, "bad key");
                return scan;
            }
            const char* v = eq + 1;
            if (v < contentEnd && *v == '"') {
                // Strings keep trailing spaces.
                entry.value = std::string_view(v, static_cast<std::size_t>(contentEnd - v));
            } else {
                entry.value = trimmed(v, contentEnd);
            }
            lastScalar = static_cast<int>(lines.size());
            lastJoined = nullptr;
            lines.push_back(entry);
            continue;
        }
        if (lastScalar >= 0) {
            TextLine& broken = lines[static_cast<std::size_t>(lastScalar)];
            if (!broken.value.empty() && broken.value[0] == '"') {
                if (!lastJoined) {
                    scan.joined.emplace_back(broken.value);
                    lastJoined = &scan.joined.back();
                }
                *lastJoined += ' ';
                lastJoined->append(bare.data(), bare.size());
                broken.value = *lastJoined;
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

void writeLines(std::string& out, const std::vector<TextLine>& lines, std::size_t first,
                std::size_t last, int depth) {
    const int base = lines[first].depth;
    for (std::size_t i = first; i <= last; ++i) {
        const TextLine& l = lines[i];
        indent(out, depth + l.depth - base);
        if (l.kind == TextLine::kClose) {
            out += "}\n";
            continue;
        }
        out.append(l.key.data(), l.key.size());
        if (l.kind == TextLine::kOpen) {
            out += "{\n";
        } else {
            out += '=';
            out.append(l.value.data(), l.value.size());
            out += '\n';
        }
    }
}

namespace {

// The entries of lines [first, last), all at one depth, with their blocks' contents.
void buildEntries(const std::vector<TextLine>& lines, std::size_t first, std::size_t last,
                  std::vector<TextEntry>& out) {
    for (std::size_t i = first; i < last; ++i) {
        const TextLine& l = lines[i];
        TextEntry e;
        e.key.assign(l.key.data(), l.key.size());
        e.line = l.line;
        if (l.kind == TextLine::kOpen) {
            e.block = true;
            const std::size_t close = static_cast<std::size_t>(l.end);
            buildEntries(lines, i + 1, close, e.children);
            i = close;
        } else {
            e.value.assign(l.value.data(), l.value.size());
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
    buildEntries(scan.lines, 0, scan.lines.size(), result.entries);
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
    for (std::size_t i = 0; i < text.size(); ++i) {
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
