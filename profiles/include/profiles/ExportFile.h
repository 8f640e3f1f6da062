// Registry export files as text: telling UTF-16 from narrow files, splitting lines, finding
// the first profile and its description, and rewriting a profile's key path. No file or
// system access here; the store's Windows half reads and writes the bytes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace profiles {

enum class TextEncoding { Narrow, Utf16 };

struct TextLayout {
    TextEncoding encoding = TextEncoding::Narrow;
    size_t offset = 0;  // where the text starts (after a byte-order mark)
};

// The system's statistical Unicode-text test over the first bytes of a file.
using Utf16Test = bool (*)(const char* data, size_t size);
// Bytes the statistical test looks at.
constexpr size_t kUnicodeTestBytes = 1014;

// A UTF-16 byte-order mark decides at once; otherwise the statistical test does.
TextLayout detectLayout(const std::string& bytes, Utf16Test statisticalTest);

// Little-endian UTF-16 to code units and back (an odd last byte is dropped).
std::u16string decodeUtf16(const std::string& bytes, size_t offset);
std::string encodeUtf16(const std::u16string& text);

// Lines with their line ends; a last line without one is kept.
std::vector<std::string> splitLines(const std::string& text);
std::vector<std::u16string> splitLines(const std::u16string& text);

// True for the first byte of a two-byte character in the narrow character set.
using LeadByteTest = bool (*)(unsigned char byte);

struct ExportHeader {
    std::string name;
    std::string description;
};

// The first profile of `root` that the file holds: its name from the first key line
// "[HKEY_CURRENT_USER\<root>\<name>]" (or a key below it), and its description from a
// default value directly after that line. Escapes \\ \" \r \n are undone; a string written
// raw across lines comes back with CR LF line breaks. `lines` are narrow, with line ends.
ExportHeader parseExportHeader(const std::vector<std::string>& lines, const std::string& root);

struct Rewrite {
    std::string bytes;        // the new file, in the source's encoding
    size_t replacedLines = 0;  // lines in which the old key path was replaced
    size_t droppedSections = 0;  // sections left out by keepKeySections
};

// Each line once: an empty string written as quote, control character, quote after the first
// "=\"" loses the control character; then the first occurrence of `from` becomes `to`.
Rewrite rewriteNarrow(const std::string& text, const std::string& from, const std::string& to,
                      LeadByteTest isLeadByte);
// The same for UTF-16 text; the result starts with a byte-order mark.
Rewrite rewriteUtf16(const std::u16string& text, const std::u16string& from,
                     const std::u16string& to);

// A file given to the registry editor writes every key it holds. Before a profile is
// imported, only the lines before the first key line (the editor's header) and the sections
// of `keyPath` (relative to HKEY_CURRENT_USER) and of the keys below it are kept; every other
// section, deletions ("[-...") included, is dropped and counted in `dropped`.
std::vector<std::string> keepKeySections(const std::vector<std::string>& lines,
                                         const std::string& keyPath, size_t& dropped);
std::vector<std::u16string> keepKeySections(const std::vector<std::u16string>& lines,
                                            const std::u16string& keyPath, size_t& dropped);

// keepKeySections(`from`), then the rewrite of rewriteNarrow/rewriteUtf16.
Rewrite rewriteKeyNarrow(const std::string& text, const std::string& from, const std::string& to,
                         LeadByteTest isLeadByte);
Rewrite rewriteKeyUtf16(const std::u16string& text, const std::u16string& from,
                        const std::u16string& to);

}  // namespace profiles
