// The platform's answers to the conversion code page rule: version, thread locale, ANSI
// code page. Asked once; a function-local static makes that safe for several apartments.
#include <windows.h>

#include "ConversionCodePage.h"

namespace vistrel {

namespace {
unsigned decide() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    const bool known = GetVersionExA(&version) != FALSE;
    const bool nt = known && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    char answer[8] = {};
    const bool answered = GetLocaleInfoA(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE, answer, 7) > 0;
    return chooseConversionCodePage(nt, known ? version.dwMajorVersion : 0, answered ? answer : nullptr, GetACP());
}
}  // namespace

unsigned conversionCodePage() {
    static const unsigned codePage = decide();
    return codePage;
}

}  // namespace vistrel
