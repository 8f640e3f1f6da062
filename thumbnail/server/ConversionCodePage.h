// The code page the extractor converts the shell's UTF-16 paths into, decided once per
// process: the calling thread's ANSI code page on NT platforms after version 4, else the
// thread locale's default ANSI code page, else the system's.
#pragma once

namespace vistrel {

// The value that stands for "the calling thread's ANSI code page" in conversions.
constexpr unsigned kThreadAnsiCodePage = 3;

// The rule itself. `localeAnswer` is the locale's answer for its default ANSI code page
// (decimal digits), null when the question failed.
unsigned chooseConversionCodePage(bool ntPlatform, unsigned majorVersion, const char* localeAnswer,
                                  unsigned systemAnsiCodePage);

// The rule applied to this process (Windows), decided on the first call and kept.
unsigned conversionCodePage();

}  // namespace vistrel
