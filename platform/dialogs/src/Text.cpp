// Text rules of the dialog framework: integer parsing, placeholder filling, formatting.
#include "dialogs/Text.h"

#include <cerrno>
#include <climits>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace dlg {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
}  // namespace

std::string trim(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool parseInteger(const std::string& text, long& value) {
    const std::string t = trim(text);
    if (t.empty()) return false;
    std::size_t i = (t[0] == '-' || t[0] == '+') ? 1 : 0;
    if (i == t.size()) return false;
    for (std::size_t k = i; k < t.size(); ++k)
        if (t[k] < '0' || t[k] > '9') return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(t.c_str(), &end, 10);
    if (errno == ERANGE || *end != '\0') return false;
    value = parsed;
    return true;
}

std::string fillPlaceholders(const std::string& pattern, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char n = pattern[i + 1];
            if (n >= '1' && n <= '9' && std::size_t(n - '1') < args.size()) {
                out += args[std::size_t(n - '1')];
                ++i;
                continue;
            }
            if (n == '%') {
                out += "%%";
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

std::string formatWithString(const std::string& format, const std::string& arg) {
    std::string out;
    bool used = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] == '%' && i + 1 < format.size()) {
            if (format[i + 1] == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (format[i + 1] == 's' && !used) {
                out += arg;
                used = true;
                ++i;
                continue;
            }
        }
        out += format[i];
    }
    return out;
}

std::string formatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int length = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
    if (length > 0) {
        out.resize(std::size_t(length) + 1);
        std::vsnprintf(&out[0], out.size(), format, args);
        out.resize(std::size_t(length));
    }
    va_end(args);
    return out;
}

}  // namespace dlg
