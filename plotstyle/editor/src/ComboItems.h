// The items of the form view's combo boxes: what each lists (caption string and value), and
// the colour combo's rules for its one custom colour item. Works on any list of items
// through ComboList, so the rules are tested without a window.
#pragma once

#include "Strings.h"

#include "vexoutils/PlotStyleTable.h"

#include <string>
#include <vector>

namespace quellon {

// The items of a combo box as the rules see them: a caption and a value per item.
class ComboList {
public:
    virtual ~ComboList() = default;
    virtual int count() const = 0;
    virtual long long value(int index) const = 0;
    // Inserts before `index` (-1: at the end); returns the new item's position.
    virtual int insert(int index, const std::string& caption, long long value) = 0;
    virtual void remove(int index) = 0;
    virtual void clear() = 0;
};

struct ComboItem {
    std::string caption;
    long long value;
};

// The three on/off combos (dither, grayscale, adaptive): off, on; the position is the value.
std::vector<ComboItem> onOffItems(const Strings& strings);
// Use the object's linetype (31), then the built-in linetypes 0..30.
std::vector<ComboItem> linetypeItems(const Strings& strings);
// Use the object's lineweight (0), then one item per table lineweight, values 1..27.
std::vector<ComboItem> lineweightItems(const CPlotStyleTable& table, const Strings& strings);
// Use the object's end style (4), then butt, square, round, diamond (0..3).
std::vector<ComboItem> endStyleItems(const Strings& strings);
// Use the object's join style (5), then miter, bevel, round, diamond (0..3).
std::vector<ComboItem> joinStyleItems(const Strings& strings);
// Use the object's fill style (73), then the fill patterns 64..72.
std::vector<ComboItem> fillStyleItems(const Strings& strings);

void fillCombo(ComboList& combo, const std::vector<ComboItem>& items);

// The colour combo: use the object's colour (-1), the index colours 1..7 (their palette
// colours as 0x00BBGGRR), then the two pickers (value 0): the index colour dialog and the
// system colour dialog. At most one custom colour item stands just before the pickers.
namespace colorcombo {

constexpr int kFixedItems = 8;    // the object's colour and the seven index colours
constexpr int kPickerItems = 2;
constexpr long long kObjectColorValue = -1;

std::vector<ComboItem> items(const Strings& strings);

// An item value as a colour, and back (the object's colour is -1 both ways).
VxColorRef colorOf(long long value);
long long valueOf(VxColorRef color);

bool hasCustomItem(const ComboList& combo);
void removeCustomItem(ComboList& combo);
bool isIndexPicker(const ComboList& combo, int index);  // the next-to-last item
bool isAnyColorPicker(const ComboList& combo, int index);  // the last item

// The position of the item holding `color` among all but the pickers. When none holds it,
// the custom item is replaced by one for `color`, captioned with its index colour number
// when it is one, else as a custom colour. With `tidy`, finding the colour among the fixed
// items removes the custom item.
int findOrAdd(ComboList& combo, VxColorRef color, bool tidy, const Strings& strings);

}  // namespace colorcombo

}  // namespace quellon
