// Text rules of the editor.
#include "EditorText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

namespace quellon {

std::string fillFormat(const std::string& format, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(format.size() + 32);
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '%' && i + 1 < format.size()) {
            const char k = format[i + 1];
            if (k == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((k == 's' || k == 'd' || k == 'i' || k == 'u') && next < args.size()) {
                out += args[next++];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string significantDigits(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*g", 15, value);
    return buffer;
}

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

bool parseReal(const std::string& text, double& value) {
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    const char* b = text.data() + first;
    const char* e = text.data() + last;
    if (b != e && *b == '+') ++b;
    if (b == e) return false;
    double v = 0;
    const auto [end, error] = std::from_chars(b, e, v);
    if (error != std::errc() || end != e || !std::isfinite(v)) return false;
    value = v;
    return true;
}

int decimalValue(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) v = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT_MAX) v = INT_MAX;
    return static_cast<int>(v);
}

std::string displayName(const std::string& styleName) {
    static const std::string misspelt = "Colore_";
    if (styleName.compare(0, misspelt.size(), misspelt) == 0)
        return "Color_" + styleName.substr(misspelt.size());
    return styleName;
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string stemOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

std::string extensionOf(const std::string& fileName) {
    const std::size_t dot = fileName.rfind('.');
    return dot == std::string::npos ? std::string() : fileName.substr(dot);
}

std::string lineweightText(double mm, bool inches, const std::string& mmSuffix,
                           const std::string& inchSuffix) {
    char buffer[64];
    if (inches)
        std::snprintf(buffer, sizeof buffer, "%.4f", mm / 25.4);
    else
        std::snprintf(buffer, sizeof buffer, "%.3f", mm);
    return buffer + (inches ? inchSuffix : mmSuffix);
}

int lineWidthPixels(double mm, int pixelsPerInch) {
    const double pixels = mm * pixelsPerInch / 25.4;
    if (!(pixels >= 0)) return 0;
    if (pixels > 1000) return 1000;
    return static_cast<int>(std::floor(pixels + 1e-9));
}

}  // namespace quellon
