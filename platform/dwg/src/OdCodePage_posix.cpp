// Native conversions: narrow text is UTF-8 whatever the code page (the Linux convention);
// malformed bytes become U+FFFD, characters without a narrow form '?'.
#include "dwg/OdCodePage.h"

std::wstring odToWide(const char* text, std::size_t length, OdCodePageId) {
    std::wstring out;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    while (p < end) {
        unsigned c = *p++;
        int more = c < 0x80 ? 0 : (c & 0xE0) == 0xC0 ? 1 : (c & 0xF0) == 0xE0 ? 2 : (c & 0xF8) == 0xF0 ? 3 : -1;
        if (more < 0) { out += L'\xFFFD'; continue; }
        if (more) c &= 0x3F >> more;
        bool ok = true;
        for (int i = 0; i < more; ++i) {
            if (p >= end || (*p & 0xC0) != 0x80) { ok = false; break; }
            c = (c << 6) | (*p++ & 0x3F);
        }
        out += ok ? static_cast<OdChar>(c) : L'\xFFFD';
    }
    return out;
}

std::string odToNarrow(const OdChar* text, std::size_t length, OdCodePageId) {
    std::string out;
    for (std::size_t i = 0; i < length; ++i) {
        unsigned long c = static_cast<unsigned long>(text[i]);
        if (c < 0x80) out += static_cast<char>(c);
        else if (c < 0x800) { out += static_cast<char>(0xC0 | (c >> 6)); out += static_cast<char>(0x80 | (c & 0x3F)); }
        else if (c < 0x10000) { out += static_cast<char>(0xE0 | (c >> 12)); out += static_cast<char>(0x80 | ((c >> 6) & 0x3F)); out += static_cast<char>(0x80 | (c & 0x3F)); }
        else if (c < 0x110000) { out += static_cast<char>(0xF0 | (c >> 18)); out += static_cast<char>(0x80 | ((c >> 12) & 0x3F)); out += static_cast<char>(0x80 | ((c >> 6) & 0x3F)); out += static_cast<char>(0x80 | (c & 0x3F)); }
        else out += '?';
    }
    return out;
}
