// OdString: narrow construction and the library's printf-style formatting, done here
// rather than by the C library so that "%s" means the same on every platform.
#include "dwg/OdString.h"

#include <cstdio>
#include <cstring>
#include <cwchar>

OdString::OdString(const char* text, OdCodePageId codePage)
    : text_(text ? odToWide(text, std::strlen(text), codePage) : std::wstring()) {}

int OdString::find(OdChar ch) const {
    std::wstring::size_type at = text_.find(ch);
    return at == std::wstring::npos ? -1 : static_cast<int>(at);
}

OdString& OdString::format(const OdChar* pattern, ...) {
    va_list args;
    va_start(args, pattern);
    formatV(pattern, args);
    va_end(args);
    return *this;
}

namespace {

// Formats one numeric conversion through the narrow C formatter and widens the result
// (digits, signs, exponents, "inf"/"nan": ASCII only).
template <class T> void appendNumber(std::wstring& out, const std::string& narrowFormat, T value) {
    char buffer[512];
    int n = std::snprintf(buffer, sizeof buffer, narrowFormat.c_str(), value);
    if (n < 0) return;
    if (n >= static_cast<int>(sizeof buffer)) n = sizeof buffer - 1;
    for (int i = 0; i < n; ++i) out += static_cast<OdChar>(static_cast<unsigned char>(buffer[i]));
}

void appendPadded(std::wstring& out, const std::wstring& text, bool leftAlign, int width, int precision) {
    std::wstring shown = precision >= 0 && static_cast<std::size_t>(precision) < text.size()
                             ? text.substr(0, precision) : text;
    std::size_t pad = width > 0 && static_cast<std::size_t>(width) > shown.size() ? width - shown.size() : 0;
    if (!leftAlign) out.append(pad, L' ');
    out += shown;
    if (leftAlign) out.append(pad, L' ');
}

}  // namespace

OdString& OdString::formatV(const OdChar* pattern, va_list args) {
    std::wstring out;
    va_list ap;
    va_copy(ap, args);
    const OdChar* p = pattern ? pattern : L"";
    while (*p) {
        if (*p != L'%') { out += *p++; continue; }
        const OdChar* start = p++;
        if (*p == L'%') { out += L'%'; ++p; continue; }
        std::string narrowFormat = "%";
        bool leftAlign = false;
        while (*p && std::wcschr(L"-+ #0", *p)) { if (*p == L'-') leftAlign = true; narrowFormat += static_cast<char>(*p++); }
        int width = -1, precision = -1;
        if (*p == L'*') { width = va_arg(ap, int); narrowFormat += std::to_string(width); ++p; }
        else if (*p >= L'0' && *p <= L'9') { width = 0; while (*p >= L'0' && *p <= L'9') { width = width * 10 + (*p - L'0'); narrowFormat += static_cast<char>(*p++); } }
        if (*p == L'.') {
            narrowFormat += '.'; ++p; precision = 0;
            if (*p == L'*') { precision = va_arg(ap, int); narrowFormat += std::to_string(precision); ++p; }
            else while (*p >= L'0' && *p <= L'9') { precision = precision * 10 + (*p - L'0'); narrowFormat += static_cast<char>(*p++); }
        }
        enum { kNone, kShort, kLong, kLongLong, kNarrow, kInt64 } size = kNone;
        if (*p == L'h') { ++p; size = kShort; }
        else if (*p == L'l') { ++p; size = kLong; if (*p == L'l') { ++p; size = kLongLong; } }
        else if (*p == L'L') { ++p; size = kLongLong; }
        else if (p[0] == L'I' && p[1] == L'6' && p[2] == L'4') { p += 3; size = kInt64; }
        const OdChar conv = *p;
        if (!conv) { out.append(start); break; }
        ++p;
        switch (conv) {
        case L'd': case L'i':
            if (size == kLongLong || size == kInt64) appendNumber(out, narrowFormat + "lld", va_arg(ap, long long));
            else if (size == kLong) appendNumber(out, narrowFormat + "ld", va_arg(ap, long));
            else appendNumber(out, narrowFormat + "d", va_arg(ap, int));
            break;
        case L'u': case L'x': case L'X': case L'o': {
            const char c = static_cast<char>(conv);
            if (size == kLongLong || size == kInt64) appendNumber(out, narrowFormat + "ll" + c, va_arg(ap, unsigned long long));
            else if (size == kLong) appendNumber(out, narrowFormat + "l" + c, va_arg(ap, unsigned long));
            else appendNumber(out, narrowFormat + c, va_arg(ap, unsigned int));
            break;
        }
        case L'f': case L'F': case L'e': case L'E': case L'g': case L'G':
            if (size == kLongLong) appendNumber(out, narrowFormat + static_cast<char>(conv), static_cast<double>(va_arg(ap, long double)));
            else appendNumber(out, narrowFormat + static_cast<char>(conv), va_arg(ap, double));
            break;
        case L'c':
            appendPadded(out, std::wstring(1, static_cast<OdChar>(va_arg(ap, int))), leftAlign, width, -1);
            break;
        case L's': case L'S':
            if (size == kShort) {
                const char* s = va_arg(ap, const char*);
                appendPadded(out, s ? odToWide(s, std::strlen(s), CP_SYSTEM_ANSI) : L"(null)", leftAlign, width, precision);
            } else {
                const OdChar* s = va_arg(ap, const OdChar*);
                appendPadded(out, s ? s : L"(null)", leftAlign, width, precision);
            }
            break;
        case L'p':
            appendNumber(out, "%p", va_arg(ap, void*));
            break;
        default:  // not a conversion we know: keep the text as written
            out.append(start, p);
            break;
        }
    }
    va_end(ap);
    text_ = std::move(out);
    return *this;
}

OdAnsiString::OdAnsiString(const OdString& text, OdCodePageId codePage)
    : text_(odToNarrow(text.c_str(), static_cast<std::size_t>(text.getLength()), codePage)) {}
