// Reading and rewriting registry export files as text.
#include "profiles/ExportFile.h"

#include <algorithm>

namespace profiles {
namespace {

template <class S>
std::vector<S> splitLinesOf(const S& text) {
    std::vector<S> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(typename S::value_type('\n'), start);
        end = (end == S::npos) ? text.size() : end + 1;
        lines.push_back(text.substr(start, end - start));
        start = end;
    }
    return lines;
}

template <class S>
void repairEmptyString(S& line) {
    using C = typename S::value_type;
    const C equalsQuote[] = {C('='), C('"'), C(0)};
    size_t at = line.find(equalsQuote);
    if (at == S::npos || at + 3 >= line.size()) return;
    auto c = static_cast<unsigned>(line[at + 2]);
    if ((c < 0x20 || c == 0x7f) && line[at + 3] == C('"')) line.erase(at + 2, 1);
}

bool startsWith(const std::string& text, const std::string& head) {
    return text.compare(0, head.size(), head) == 0;
}

// Length of the line without its line end (the trailing run of CR and LF).
size_t contentLength(const std::string& line) {
    size_t n = line.size();
    while (n > 0 && (line[n - 1] == '\n' || line[n - 1] == '\r')) --n;
    return n;
}

// Appends the string data of `line` from `from` to `text`; true when the closing quote came.
bool scanStringData(const std::string& line, size_t from, std::string& text) {
    size_t n = contentLength(line);
    for (size_t i = from; i < n; ++i) {
        char c = line[i];
        if (c == '"') return true;
        if (c == '\\' && i + 1 < n) {
            char next = line[++i];
            switch (next) {
                case '\\': text += '\\'; break;
                case '"': text += '"'; break;
                case 'r': text += '\r'; break;
                case 'n': text += '\n'; break;
                default: text += '\\'; text += next; break;
            }
            continue;
        }
        text += c;
    }
    // The data goes on in the next line: the line break belongs to it.
    if (n < line.size()) text += "\r\n";
    return false;
}

}  // namespace

TextLayout detectLayout(const std::string& bytes, Utf16Test statisticalTest) {
    TextLayout layout;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        layout.encoding = TextEncoding::Utf16;
        layout.offset = 2;
    } else if (statisticalTest &&
               statisticalTest(bytes.data(), std::min(bytes.size(), kUnicodeTestBytes))) {
        layout.encoding = TextEncoding::Utf16;
    }
    return layout;
}

std::u16string decodeUtf16(const std::string& bytes, size_t offset) {
    std::u16string text;
    if (offset >= bytes.size()) return text;
    text.reserve((bytes.size() - offset) / 2);
    for (size_t i = offset; i + 1 < bytes.size(); i += 2)
        text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                      (static_cast<unsigned char>(bytes[i + 1]) << 8));
    return text;
}

std::string encodeUtf16(const std::u16string& text) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>(c >> 8);
    }
    return bytes;
}

std::vector<std::string> splitLines(const std::string& text) { return splitLinesOf(text); }
std::vector<std::u16string> splitLines(const std::u16string& text) { return splitLinesOf(text); }

ExportHeader parseExportHeader(const std::vector<std::string>& lines, const std::string& root) {
    ExportHeader header;
    if (root.empty()) return header;
    const std::string keyHead = "[HKEY_CURRENT_USER\\" + root + "\\";
    size_t i = 0;
    for (; i < lines.size() && header.name.empty(); ++i) {
        const std::string& line = lines[i];
        if (!startsWith(line, keyHead)) continue;
        size_t cut = line.find_first_of("\\]", keyHead.size());
        if (cut == std::string::npos || cut == keyHead.size()) continue;
        header.name = line.substr(keyHead.size(), cut - keyHead.size());
    }
    if (header.name.empty() || i >= lines.size()) return header;

    const std::string& first = lines[i];
    size_t quote = first.find('"');
    if (!startsWith(first, "@=") || quote == std::string::npos) return header;
    std::string text;
    bool closed = scanStringData(first, quote + 1, text);
    for (++i; !closed && i < lines.size() && !startsWith(lines[i], "["); ++i)
        closed = scanStringData(lines[i], 0, text);
    if (!closed) {
        // Unterminated data: keep what was read, without the line break it ended on.
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    }
    header.description = text;
    return header;
}

Rewrite rewriteNarrow(const std::string& text, const std::string& from, const std::string& to,
                      LeadByteTest isLeadByte) {
    Rewrite result;
    result.bytes.reserve(text.size() + 64);
    for (std::string line : splitLines(text)) {
        repairEmptyString(line);
        if (!from.empty()) {
            // Step by whole characters so that a match never starts on a trail byte.
            for (size_t at = 0; at + from.size() <= line.size();) {
                if (line.compare(at, from.size(), from) == 0) {
                    line.replace(at, from.size(), to);
                    ++result.replacedLines;
                    break;
                }
                at += (isLeadByte && isLeadByte(static_cast<unsigned char>(line[at])) &&
                       at + 1 < line.size())
                          ? 2
                          : 1;
            }
        }
        result.bytes += line;
    }
    return result;
}

Rewrite rewriteUtf16(const std::u16string& text, const std::u16string& from,
                     const std::u16string& to) {
    Rewrite result;
    std::u16string out;
    out.reserve(text.size() + 64);
    for (std::u16string line : splitLines(text)) {
        repairEmptyString(line);
        size_t at = from.empty() ? std::u16string::npos : line.find(from);
        if (at != std::u16string::npos) {
            line.replace(at, from.size(), to);
            ++result.replacedLines;
        }
        out += line;
    }
    result.bytes = "\xFF\xFE" + encodeUtf16(out);
    return result;
}

namespace {

template <class S>
bool isKeyLine(const S& line) {
    return !line.empty() && line[0] == typename S::value_type('[');
}

// "[HKEY_CURRENT_USER\<keyPath>" followed by "]" or "\".
template <class S>
bool isSectionOf(const S& line, const S& keyPath) {
    using C = typename S::value_type;
    static const char hive[] = "[HKEY_CURRENT_USER\\";
    S head;
    for (const char* c = hive; *c; ++c) head += C(*c);
    head += keyPath;
    if (line.size() <= head.size() || line.compare(0, head.size(), head) != 0) return false;
    C next = line[head.size()];
    return next == C(']') || next == C('\\');
}

template <class S>
std::vector<S> keepSectionsOf(const std::vector<S>& lines, const S& keyPath, size_t& dropped) {
    dropped = 0;
    std::vector<S> kept;
    kept.reserve(lines.size());
    bool keeping = true;  // the header before the first key line
    for (const S& line : lines) {
        if (isKeyLine(line)) {
            keeping = !keyPath.empty() && isSectionOf(line, keyPath);
            if (!keeping) ++dropped;
        }
        if (keeping) kept.push_back(line);
    }
    return kept;
}

template <class S>
S joined(const std::vector<S>& lines) {
    S text;
    for (const S& line : lines) text += line;
    return text;
}

}  // namespace

std::vector<std::string> keepKeySections(const std::vector<std::string>& lines,
                                         const std::string& keyPath, size_t& dropped) {
    return keepSectionsOf(lines, keyPath, dropped);
}

std::vector<std::u16string> keepKeySections(const std::vector<std::u16string>& lines,
                                            const std::u16string& keyPath, size_t& dropped) {
    return keepSectionsOf(lines, keyPath, dropped);
}

Rewrite rewriteKeyNarrow(const std::string& text, const std::string& from, const std::string& to,
                         LeadByteTest isLeadByte) {
    size_t dropped = 0;
    std::string kept = joined(keepKeySections(splitLines(text), from, dropped));
    Rewrite result = rewriteNarrow(kept, from, to, isLeadByte);
    result.droppedSections = dropped;
    return result;
}

Rewrite rewriteKeyUtf16(const std::u16string& text, const std::u16string& from,
                        const std::u16string& to) {
    size_t dropped = 0;
    std::u16string kept = joined(keepKeySections(splitLines(text), from, dropped));
    Rewrite result = rewriteUtf16(kept, from, to);
    result.droppedSections = dropped;
    return result;
}

}  // namespace profiles
