// The text layer of plot style table files: a line cursor, the line grammar, the entry
// tree, and the value spellings (strings without closing quote, TRUE/FALSE, C-locale reals).
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

bool isKeyChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == '.';
}

bool validKey(const std::string& key) {
    if (key.empty()) return false;
    for (char c : key)
        if (!isKeyChar(c)) return false;
    return true;
}

std::string trimmed(const char* begin, const char* end) {
    while (begin < end && isSpace(*begin)) ++begin;
    while (end > begin && isSpace(end[-1])) --end;
    return std::string(begin, end);
}

std::string failure(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

}  // namespace

TextParse parseText(const char* text, std::size_t size) {
    TextParse result;
    std::vector<TextEntry> root;
    std::vector<std::vector<TextEntry>*> open{&root};  // innermost block last
    TextEntry* lastScalar = nullptr;                   // the entry a continuation extends
    const char* p = text;
    const char* end = text + size;
    int lineNo = 0;
    while (p < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(p, '\n', end - p));
        if (!lineEnd) lineEnd = end;
        const char* contentEnd = lineEnd;
        if (contentEnd > p && contentEnd[-1] == '\r') --contentEnd;
        ++lineNo;
        const char* q = p;
        p = lineEnd < end ? lineEnd + 1 : end;
        while (q < contentEnd && isSpace(*q)) ++q;
        if (q == contentEnd) continue;

        const char* eq = static_cast<const char*>(std::memchr(q, '=', contentEnd - q));
        const char* brace = static_cast<const char*>(std::memchr(q, '{', contentEnd - q));
        std::string bare = trimmed(q, contentEnd);
        if (bare == "}") {
            if (open.size() == 1) {
                result.error = failure(lineNo, "'}' without an open block");
                return result;
            }
            open.pop_back();
            lastScalar = nullptr;
            continue;
        }
        if (brace && (!eq || brace < eq)) {
            if (bare.back() != '{') {
                result.error = failure(lineNo, "text after '{'");
                return result;
            }
            TextEntry entry;
            entry.key = trimmed(q, brace);
            entry.block = true;
            entry.line = lineNo;
            if (!validKey(entry.key)) {
                result.error = failure(lineNo, "bad block name");
                return result;
            }
            if (static_cast<int>(open.size()) > kMaxBlockDepth) {
                result.error = failure(lineNo, "blocks nested too deep");
                return result;
            }
            open.back()->push_back(std::move(entry));
            open.push_back(&open.back()->back().children);
            lastScalar = nullptr;
            continue;
        }
        if (eq) {
            TextEntry entry;
            entry.key = trimmed(q, eq);
            entry.line = lineNo;
            if (!validKey(entry.key)) {
                result.error = failure(lineNo, "bad key");
                return result;
            }
            const char* v = eq + 1;
            if (v < contentEnd && *v == '"') {
                entry.value.assign(v, contentEnd);  // strings keep trailing spaces
            } else {
                entry.value = trimmed(v, contentEnd);
            }
            open.back()->push_back(std::move(entry));
            lastScalar = &open.back()->back();
            continue;
        }
        if (lastScalar && !lastScalar->value.empty() && lastScalar->value[0] == '"') {
            lastScalar->value += ' ';
            lastScalar->value += bare;
            continue;
        }
        result.error = failure(lineNo, "neither a key nor a block");
        return result;
    }
    if (open.size() != 1) {
        result.error = "the text ends inside a block";
        return result;
    }
    result.ok = true;
    result.entries = std::move(root);
    return result;
}

void writeEntry(std::string& out, const TextEntry& entry, int depth) {
    out.append(static_cast<std::size_t>(depth), ' ');
    out += entry.key;
    if (!entry.block) {
        out += '=';
        out += entry.value;
        out += '\n';
        return;
    }
    out += "{\n";
    for (const TextEntry& child : entry.children) writeEntry(out, child, depth + 1);
    out.append(static_cast<std::size_t>(depth), ' ');
    out += "}\n";
}

std::string stringValue(const std::string& value) {
    return !value.empty() && value[0] == '"' ? value.substr(1) : value;
}

std::string oneLine(const std::string& text) {
    std::string out;
    out.reserve(text.size());
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
    return out;
}

std::string quoted(const std::string& text) {
    return '"' + oneLine(text);
}

bool parseInt(const std::string& value, long long& out) {
    const char* b = value.data();
    const char* e = b + value.size();
    if (b != e && *b == '+') ++b;
    long long v = 0;
    auto [ptr, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || ptr != e || b == e) return false;
    out = v;
    return true;
}

bool parseReal(const std::string& value, double& out) {
    const char* b = value.data();
    const char* e = b + value.size();
    if (b != e && *b == '+') ++b;
    double v = 0;
    auto [ptr, ec] = std::from_chars(b, e, v);
    if (ec != std::errc() || ptr != e || b == e || !std::isfinite(v)) return false;
    out = v;
    return true;
}

bool parseBool(const std::string& value, bool& out) {
    if (value == "TRUE" || value == "true" || value == "1") {
        out = true;
    } else if (value == "FALSE" || value == "false" || value == "0") {
        out = false;
    } else {
        return false;
    }
    return true;
}

std::string formatReal(double value) {
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    if (ec != std::errc()) return "0.0";
    std::string s(buffer, ptr);
    if (s.find('.') == std::string::npos) s += ".0";
    return s;
}

}  // namespace vexo
