// Windows conversions through the platform, in the Windows code page behind the id (the
// thread's ANSI code page for CP_SYSTEM_ANSI and ids without one).
#include <windows.h>

#include "dwg/OdCodePage.h"

namespace {
UINT platformCodePage(OdCodePageId id) {
    unsigned cp = odWindowsCodePageOf(id);
    return cp == 0 || cp == 1200 || !IsValidCodePage(cp) ? CP_ACP : cp;
}
}  // namespace

std::wstring odToWide(const char* text, std::size_t length, OdCodePageId codePage) {
    if (length == 0) return std::wstring();
    const UINT cp = platformCodePage(codePage);
    int n = MultiByteToWideChar(cp, 0, text, static_cast<int>(length), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(cp, 0, text, static_cast<int>(length), &out[0], n);
    return out;
}

std::string odToNarrow(const OdChar* text, std::size_t length, OdCodePageId codePage) {
    if (length == 0) return std::string();
    const UINT cp = platformCodePage(codePage);
    int n = WideCharToMultiByte(cp, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(cp, 0, text, static_cast<int>(length), &out[0], n, nullptr, nullptr);
    return out;
}
