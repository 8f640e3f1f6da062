// Fuzzes the export file readers with arbitrary file contents: header parsing and rewriting
// of narrow and UTF-16 text must neither crash nor read out of bounds.
#include "profiles/ExportFile.h"

#include <cstdint>
#include <string>

namespace {
bool half(const char* data, size_t size) { return size > 0 && (data[0] & 1); }
bool leadHigh(unsigned char byte) { return byte >= 0x81 && byte <= 0x9F; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::string root = "Software\\R\\Profiles";
    profiles::TextLayout layout = profiles::detectLayout(bytes, half);
    if (layout.encoding == profiles::TextEncoding::Utf16) {
        std::u16string text = profiles::decodeUtf16(bytes, layout.offset);
        profiles::rewriteUtf16(text, u"R\\Profiles\\A", u"R\\Profiles\\Longer name");
        std::vector<std::string> narrow;
        for (const std::u16string& line : profiles::splitLines(text))
            narrow.emplace_back(line.begin(), line.end());
        profiles::parseExportHeader(narrow, root);
    } else {
        profiles::rewriteNarrow(bytes, root + "\\A", root + "\\B", leadHigh);
        profiles::parseExportHeader(profiles::splitLines(bytes), root);
    }
    return 0;
}
