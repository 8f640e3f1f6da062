// Style names: the numbered pattern, the proposal, and the checks of typed names.
#include "StyleNames.h"

#include "EditorText.h"
#include "QuellonIds.h"

#include <algorithm>
#include <cstdio>

namespace quellon {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Matches the literal part `literal` at `at` in `text`, scanf's way: a blank in the
// literal matches any run of blanks, none included; every other character itself.
bool matchLiteral(const std::string& literal, const std::string& text, std::size_t& at) {
    for (std::size_t i = 0; i < literal.size(); ++i) {
        if (isBlank(literal[i])) {
            while (at < text.size() && isBlank(text[at])) ++at;
            continue;
        }
        if (at >= text.size() || text[at] != literal[i]) return false;
        ++at;
    }
    return true;
}

constexpr char kForbidden[] = "<>/\\\":?*|,=`;";

}  // namespace

NamePattern::NamePattern(const std::string& pattern) {
    std::string* part = &prefix_;
    int placeholders = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char k = pattern[i + 1];
            if (k == '%') {
                *part += '%';
                ++i;
                continue;
            }
            if (k == 'd' || k == 'i' || k == 'u') {
                if (++placeholders == 1) {
                    kind_ = k;
                    part = &suffix_;
                    ++i;
                    continue;
                }
            }
        }
        *part += c;
    }
    valid_ = placeholders == 1;
    if (!valid_) {
        // Not a pattern for numbers: it stands for itself.
        prefix_ = pattern;
        suffix_.clear();
    }
}

bool NamePattern::read(const std::string& name, std::uint32_t& number) const {
    if (!valid_) return false;
    std::size_t at = 0;
    if (!matchLiteral(prefix_, name, at)) return false;
    while (at < name.size() && isBlank(name[at])) ++at;
    bool negative = false;
    if (at < name.size() && (name[at] == '-' || name[at] == '+')) negative = name[at++] == '-';
    if (at >= name.size() || !isDigit(name[at])) return false;
    std::uint64_t magnitude = 0;
    for (; at < name.size() && isDigit(name[at]); ++at) {
        magnitude = magnitude * 10 + std::uint64_t(name[at] - '0');
        if (magnitude > 0xFFFFFFFFull) return false;
    }
    if (negative && magnitude > 0x80000000ull) return false;
    if (!matchLiteral(suffix_, name, at) || at != name.size()) return false;
    number = negative ? std::uint32_t(0x100000000ull - magnitude) : std::uint32_t(magnitude);
    return true;
}

std::string NamePattern::write(std::uint32_t number) const {
    if (!valid_) return prefix_;
    char digits[16];
    if (kind_ == 'u')
        std::snprintf(digits, sizeof digits, "%u", unsigned(number));
    else
        std::snprintf(digits, sizeof digits, "%d", int(std::int32_t(number)));
    return prefix_ + digits + suffix_;
}

std::uint32_t proposeNumber(std::vector<std::uint32_t> numbers) {
    if (numbers.empty()) return 1;
    std::sort(numbers.begin(), numbers.end());
    if (numbers.size() == 1) return numbers[0] > 1 ? numbers[0] - 1 : numbers[0] + 1;
    if (numbers[0] > 1) return numbers[0] - 1;
    for (std::size_t i = 0; i + 1 < numbers.size(); ++i) {
        if (numbers[i + 1] - numbers[i] <= 1) continue;
        const std::uint32_t next = numbers[i] + 1;
        if (next != 0xFFFFFFFFu) return next;
        break;
    }
    return numbers.back() + 1;
}

std::string proposeStyleName(const CPlotStyleTable& table, const NamePattern& pattern) {
    std::vector<std::uint32_t> numbers;
    for (int i = 0; i < table.size(); ++i) {
        std::uint32_t n = 0;
        if (pattern.read(table.style(i)->name, n)) numbers.push_back(n);
    }
    return pattern.write(proposeNumber(std::move(numbers)));
}

std::string trimmed(const std::string& text) {
    std::size_t first = 0, last = text.size();
    while (first < last && isBlank(text[first])) ++first;
    while (last > first && isBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}

bool hasForbiddenStyleNameCharacter(const std::string& name) {
    return name.find_first_of(kForbidden) != std::string::npos;
}

NameVerdict judgeNewStyleName(const CPlotStyleTable& table, const std::string& text,
                              const Strings& strings) {
    NameVerdict v{trimmed(text), std::string(), false};
    if (hasForbiddenStyleNameCharacter(v.name)) {
        v.message = strings.text(IDS_NAME_BAD_CHARACTER);
    } else if (table.findLocName(v.name.c_str()) >= 0) {
        v.message = fillFormat(strings.text(IDS_NAME_TAKEN), {v.name});
    } else {
        v.acceptable = !v.name.empty();
    }
    return v;
}

RenameVerdict judgeRename(const std::string& currentName, const std::string& text,
                          const Strings& strings) {
    RenameVerdict v{RenameVerdict::kRename, trimmed(text), std::string()};
    if (v.name.empty()) {
        v.kind = RenameVerdict::kRefused;
        v.message = strings.text(IDS_NAME_EMPTY);
    } else if (hasForbiddenStyleNameCharacter(v.name)) {
        v.kind = RenameVerdict::kRefused;
        v.message = strings.text(IDS_NAME_BAD_CHARACTER);
    } else if (v.name == currentName) {
        v.kind = RenameVerdict::kUnchanged;
    }
    return v;
}

}  // namespace quellon
