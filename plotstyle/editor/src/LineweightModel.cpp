// Lineweight editing rules: the working copy, units, edits, sorting and applying.
#include "LineweightModel.h"

#include "EditorText.h"
#include "QuellonIds.h"
#include "StyleNames.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace quellon {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr int kMaxLineweightMm = 200;

// Ascending by value; a value that is no number (a damaged file) sorts last, so the order
// stays a strict weak one.
bool lighter(const LineweightEntry& a, const LineweightEntry& b) {
    if (std::isnan(a.value)) return false;
    if (std::isnan(b.value)) return true;
    return a.value < b.value;
}

}  // namespace

LineweightModel::LineweightModel(const CPlotStyleTable& table)
    : inches_(table.lineweightUnits == 1) {
    const int n = CPlotStyleTable::kLineweightCount;
    entries_.reserve(n);
    for (int i = 0; i < n; ++i) entries_.push_back({table.lineweights[i], i, -1, false});
    for (int s = 0; s < table.size(); ++s) {
        const int k = table.style(s)->lineweight;
        if (k >= 1 && k <= n) entries_[static_cast<std::size_t>(k - 1)].inUse = true;
    }
}

std::string LineweightModel::text(int row) const {
    return lineweightText(entry(row).value, inches_, std::string(), std::string());
}

bool LineweightModel::setInches(bool inches) {
    if (inches == inches_) return false;
    inches_ = inches;
    modified_ = true;
    return true;
}

bool LineweightModel::edit(int row, const std::string& text) {
    if (row < 0 || row >= count()) return false;
    double value = 0;
    if (!checkLineWeightRange(value, trimmed(text).c_str(), inches_)) return false;
    entries_[static_cast<std::size_t>(row)].value = inches_ ? value * kMmPerInch : value;
    modified_ = true;
    return true;
}

bool LineweightModel::sort() {
    if (!modified_) return false;
    std::stable_sort(entries_.begin(), entries_.end(), lighter);
    return true;
}

bool LineweightModel::apply(CPlotStyleTable& table) {
    if (!modified_) return false;
    std::vector<LineweightEntry> sorted = entries_;
    std::stable_sort(sorted.begin(), sorted.end(), lighter);
    const int n = count();
    std::vector<int> moved(static_cast<std::size_t>(n), -1);  // starting position -> new one
    for (int i = 0; i < n; ++i) {
        LineweightEntry& e = sorted[static_cast<std::size_t>(i)];
        table.lineweights[i] = e.value;
        e.position = i;
        moved[static_cast<std::size_t>(e.start)] = i;
    }
    for (LineweightEntry& e : entries_) e.position = moved[static_cast<std::size_t>(e.start)];
    for (int s = 0; s < table.size(); ++s) {
        CPlotStyle& style = *table.style(s);
        // 0 is the object's lineweight; anything outside the list (a damaged file) has no
        // entry to follow and stays as it is.
        const int k = style.lineweight;
        if (k >= 1 && k <= n) style.lineweight = moved[static_cast<std::size_t>(k - 1)] + 1;
    }
    table.lineweightUnits = inches_ ? 1 : 0;
    return true;
}

std::string lineweightRangeMessage(const Strings& strings) {
    const double bounds[2] = {double(kMaxLineweightMm), kMaxLineweightMm / kMmPerInch};
    const std::string format = strings.text(IDS_LINEWEIGHT_RANGE);
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 >= format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // An optional precision of at most two digits, then the conversion.
        std::size_t j = i + 1;
        int precision = -1;
        if (format[j] == '.') {
            precision = 0;
            std::size_t digits = 0;
            for (++j; j < format.size() && format[j] >= '0' && format[j] <= '9' && digits < 2;
                 ++j, ++digits)
                precision = precision * 10 + (format[j] - '0');
        }
        const char k = j < format.size() ? format[j] : '\0';
        const bool integer = k == 'd' || k == 'i' || k == 'u';
        const bool real = k == 'f' || k == 'g' || k == 'e';
        if ((!integer && !real) || next >= 2) {
            out += format[i];  // not one of ours: written as it stands
            continue;
        }
        const double v = bounds[next++];
        char buffer[64];
        if (integer) {
            std::snprintf(buffer, sizeof buffer, "%d", int(v));
        } else {
            const int digits = precision < 0 ? 6 : precision;
            if (k == 'f')
                std::snprintf(buffer, sizeof buffer, "%.*f", digits, v);
            else if (k == 'g')
                std::snprintf(buffer, sizeof buffer, "%.*g", digits, v);
            else
                std::snprintf(buffer, sizeof buffer, "%.*e", digits, v);
        }
        out += buffer;
        i = j;
    }
    return out;
}

}  // namespace quellon
