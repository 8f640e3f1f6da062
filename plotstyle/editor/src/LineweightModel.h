// The rules of lineweight editing, without a window: a working copy of the table's 27
// lineweights (values in millimetres, whatever the units shown), which of them some style
// uses, the units, in-place edits checked by the component's range rule, sorting, and
// applying the sorted list to the table so that every style keeps the lineweight it had.
#pragma once

#include "Strings.h"

#include "vexoutils/PlotStyleTable.h"

#include <string>
#include <vector>

namespace quellon {

struct LineweightEntry {
    double value;      // millimetres
    int start;         // 0-based position in the table when editing began
    int position;      // 0-based position after sorting; -1 until applied
    bool inUse;        // some style's lineweight is this entry
};

class LineweightModel {
public:
    explicit LineweightModel(const CPlotStyleTable& table);

    // The rows as shown, in their current order.
    int count() const { return static_cast<int>(entries_.size()); }
    const LineweightEntry& entry(int row) const { return entries_[static_cast<std::size_t>(row)]; }
    // "%.3f" of the millimetres, or "%.4f" of the inches, without a unit.
    std::string text(int row) const;

    bool inches() const { return inches_; }
    bool modified() const { return modified_; }

    // A units button was clicked: true when that changed the units shown.
    bool setInches(bool inches);
    // In-place editing of `row` ended with `text` (in the units shown): true when the value
    // was taken; false when it lies outside the component's range (nothing changes).
    bool edit(int row, const std::string& text);
    // Sorts the rows by value, only once something changed; true when it did.
    bool sort();
    // After OK: when something changed, writes the sorted values and the units into `table`
    // and moves every style's lineweight along with its value. True when the table changed.
    bool apply(CPlotStyleTable& table);

private:
    std::vector<LineweightEntry> entries_;
    bool inches_;
    bool modified_ = false;
};

// String 1071 filled with the accepted range: 200 (millimetres) for its first placeholder
// and the same bound in inches (7.874015748031496) for its second. Integer conversions print
// a value as a whole number, "%f", "%g" and "%e" (with an optional precision) as a real.
std::string lineweightRangeMessage(const Strings& strings);

}  // namespace quellon
