// Registry export files on disk: reading the first profile's name and description, rewriting
// the key path into a new file in the source's encoding, and unique temporary files.
#include "profiles/ExportFile.h"
#include "profiles/ProfileStore.h"

#include <windows.h>

namespace profiles {
namespace {

bool readWholeFile(const std::string& path, std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes.clear();
    char buffer[64 * 1024];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof(buffer), &got, nullptr) != 0) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return ok;
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()),
                                          &written, nullptr) &&
                                written == bytes.size());
    return CloseHandle(file) && ok;
}

bool statisticalUnicodeTest(const char* data, size_t size) {
    INT tests = IS_TEXT_UNICODE_STATISTICS;
    return IsTextUnicode(data, static_cast<int>(size), &tests) != FALSE;
}

bool isLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

std::string narrowFromUtf16(const std::u16string& text) {
    if (text.empty()) return std::string();
    auto source = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(CP_ACP, 0, source, static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
    std::string result(n, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, source, static_cast<int>(text.size()), &result[0], n,
                            nullptr, nullptr);
    return result;
}

std::u16string utf16FromNarrow(const std::string& text) {
    if (text.empty()) return std::u16string();
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::u16string result(n, u'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                            reinterpret_cast<wchar_t*>(&result[0]), n);
    return result;
}

}  // namespace

bool ProfileStore::readExportHeader(const std::string& file, std::string& name,
                                    std::string& description) const {
    name.clear();
    description.clear();
    std::string bytes;
    if (root_.empty() || !readWholeFile(file, bytes)) return false;

    TextLayout layout = detectLayout(bytes, statisticalUnicodeTest);
    std::vector<std::string> lines;
    if (layout.encoding == TextEncoding::Utf16) {
        for (const std::u16string& line : splitLines(decodeUtf16(bytes, layout.offset)))
            lines.push_back(narrowFromUtf16(line));
    } else {
        lines = splitLines(bytes);
    }
    ExportHeader header = parseExportHeader(lines, root_);
    name = header.name;
    description = header.description;
    return !name.empty();
}

bool ProfileStore::rewriteExportFile(const std::string& source, const std::string& target,
                                     const std::string& oldPath, const std::string& newPath,
                                     size_t* replaced) {
    std::string bytes;
    if (!readWholeFile(source, bytes)) return false;
    TextLayout layout = detectLayout(bytes, statisticalUnicodeTest);
    Rewrite result =
        layout.encoding == TextEncoding::Utf16
            ? rewriteUtf16(decodeUtf16(bytes, layout.offset), utf16FromNarrow(oldPath),
                           utf16FromNarrow(newPath))
            : rewriteNarrow(bytes, oldPath, newPath, isLeadByte);
    if (!writeWholeFile(target, result.bytes)) return false;
    if (replaced) *replaced = result.replacedLines;
    return true;
}

bool ProfileStore::rewriteKeyExportFile(const std::string& source, const std::string& target,
                                        const std::string& oldPath, const std::string& newPath,
                                        size_t& replaced, size_t& leftOut) {
    std::string bytes;
    if (!readWholeFile(source, bytes)) return false;
    TextLayout layout = detectLayout(bytes, statisticalUnicodeTest);
    Rewrite result =
        layout.encoding == TextEncoding::Utf16
            ? rewriteKeyUtf16(decodeUtf16(bytes, layout.offset), utf16FromNarrow(oldPath),
                              utf16FromNarrow(newPath))
            : rewriteKeyNarrow(bytes, oldPath, newPath, isLeadByte);
    if (!writeWholeFile(target, result.bytes)) return false;
    replaced = result.replacedLines;
    leftOut = result.droppedSections;
    return true;
}

bool ProfileStore::createTempFile(std::string& path) {
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(MAX_PATH, folder);
    if (length == 0 || length > MAX_PATH) return false;
    char name[MAX_PATH];
    if (GetTempFileNameA(folder, "prf", 0, name) == 0) return false;
    path = name;
    return true;
}

}  // namespace profiles
