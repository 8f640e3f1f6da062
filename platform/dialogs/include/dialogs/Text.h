// Text rules of the dialog framework that need no window: reading an integer typed into an
// edit, filling the framework's "%1 %2" message patterns and printf-style formats.
#pragma once

#include <string>
#include <vector>

namespace dlg {

// Reads a whole decimal integer with optional surrounding blanks and sign, the way data
// exchange reads an edit. False (value untouched) for empty text, stray characters or a
// number outside the range of long.
bool parseInteger(const std::string& text, long& value);

// Replaces %1..%9 by the given arguments; "%%" stays "%%" and unknown numbers stay as typed.
std::string fillPlaceholders(const std::string& pattern, const std::vector<std::string>& args);

// printf-style formatting into a string (formats come from resource strings).
std::string formatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// A printf-style format with one string placeholder, filled without trusting the format:
// the first "%s" takes `arg`, "%%" becomes "%", anything else stays as written.
std::string formatWithString(const std::string& format, const std::string& arg);

// Leading and trailing blanks (space, tab, CR, LF) removed.
std::string trim(const std::string& text);

}  // namespace dlg
