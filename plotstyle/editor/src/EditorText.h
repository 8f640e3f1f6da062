// Text rules of the editor that need no window: resource formats filled without trusting
// them, numbers as the edits show and read them, file names, style names and lineweights
// as the lists show them.
#pragma once

#include <string>
#include <vector>

namespace quellon {

// A printf-style resource format filled with texts: each "%s", "%d", "%i" or "%u" takes the
// next argument as it is; "%%" is "%"; every other "%" and any conversion without an
// argument left stays as written.
std::string fillFormat(const std::string& format, const std::vector<std::string>& args);

// "%.*g" with 15 significant digits, as the scale factor and its bounds are shown.
std::string significantDigits(double value);

// A real number typed into an edit: C-locale, blanks around it allowed, nothing else. False
// (value untouched) for empty or stray text and for values that are not finite.
bool parseReal(const std::string& text, double& value);

// Decimal conversion as the number edits read their text: blanks, a sign, then the digits
// up to the first other character; 0 when there are none; clamped to the range of int.
int decimalValue(const std::string& text);

// The name the style list shows for a style: "Colore_N" (an old misspelling some tables
// carry) is shown as "Color_N"; every other name as it is.
std::string displayName(const std::string& styleName);

// Name and extension of a path ("C:\a\b.ctb" -> "b.ctb"), and the two halves of a file name
// ("b.ctb" -> "b" and ".ctb"; no dot: the whole name and "").
std::string fileNameOf(const std::string& path);
std::string stemOf(const std::string& fileName);
std::string extensionOf(const std::string& fileName);

// A lineweight as its list shows it: "%.3f" of the millimetres followed by `mmSuffix`, or
// "%.4f" of the inches followed by `inchSuffix`.
std::string lineweightText(double mm, bool inches, const std::string& mmSuffix,
                           const std::string& inchSuffix);

// Width in pixels of a lineweight sample: millimetres x pixels per inch / 25.4, rounded down.
int lineWidthPixels(double mm, int pixelsPerInch);

}  // namespace quellon
