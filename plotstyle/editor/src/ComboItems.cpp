// Combo items of the form view and the colour combo's custom item.
#include "ComboItems.h"

#include "EditorText.h"
#include "QuellonIds.h"

#include "vexoutils/PlotStyle.h"

#include <cstdint>

namespace quellon {

std::vector<ComboItem> onOffItems(const Strings& s) {
    return {{s.text(IDS_OFF), 0}, {s.text(IDS_ON), 1}};
}

std::vector<ComboItem> linetypeItems(const Strings& s) {
    std::vector<ComboItem> items{{s.text(IDS_OBJECT_LINETYPE), CPlotStyle::kLinetypeObject}};
    for (int v = 0; v <= 30; ++v) items.push_back({s.text(IDS_LINETYPE_FIRST + v), v});
    return items;
}

std::vector<ComboItem> lineweightItems(const CPlotStyleTable& table, const Strings& s) {
    std::vector<ComboItem> items{{s.text(IDS_OBJECT_LINEWEIGHT), CPlotStyle::kLineweightObject}};
    const bool inches = table.lineweightUnits == 1;
    const std::string mm = s.text(IDS_MILLIMETRES), in = s.text(IDS_INCHES);
    for (int k = 1; k <= CPlotStyleTable::kLineweightCount; ++k)
        items.push_back({lineweightText(table.lineweights[k - 1], inches, mm, in), k});
    return items;
}

std::vector<ComboItem> endStyleItems(const Strings& s) {
    std::vector<ComboItem> items{{s.text(IDS_OBJECT_END_STYLE), CPlotStyle::kEndObject}};
    for (int v = 0; v <= 3; ++v) items.push_back({s.text(IDS_END_STYLE_FIRST + v), v});
    return items;
}

std::vector<ComboItem> joinStyleItems(const Strings& s) {
    std::vector<ComboItem> items{{s.text(IDS_OBJECT_JOIN_STYLE), CPlotStyle::kJoinObject}};
    for (int v = 0; v <= 3; ++v) items.push_back({s.text(IDS_JOIN_STYLE_FIRST + v), v});
    return items;
}

std::vector<ComboItem> fillStyleItems(const Strings& s) {
    std::vector<ComboItem> items{{s.text(IDS_OBJECT_FILL_STYLE), CPlotStyle::kFillObject}};
    for (int k = 0; k <= 8; ++k) items.push_back({s.text(IDS_FILL_STYLE_FIRST + k), 64 + k});
    return items;
}

void fillCombo(ComboList& combo, const std::vector<ComboItem>& items) {
    combo.clear();
    for (const ComboItem& item : items) combo.insert(-1, item.caption, item.value);
}

namespace colorcombo {

std::vector<ComboItem> items(const Strings& s) {
    static const unsigned captions[7] = {IDS_RED,  IDS_YELLOW,  IDS_GREEN, IDS_CYAN,
                                         IDS_BLUE, IDS_MAGENTA, IDS_WHITE};
    std::vector<ComboItem> items{{s.text(IDS_OBJECT_COLOR), kObjectColorValue}};
    for (int i = 1; i <= 7; ++i) items.push_back({s.text(captions[i - 1]), valueOf(ACAD2rgb(i))});
    items.push_back({s.text(IDS_SELECT_INDEX_COLOR), 0});
    items.push_back({s.text(IDS_SELECT_ANY_COLOR), 0});
    return items;
}

VxColorRef colorOf(long long value) {
    return static_cast<VxColorRef>(static_cast<std::uint32_t>(value));
}

long long valueOf(VxColorRef color) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(color));
}

bool hasCustomItem(const ComboList& combo) {
    return combo.count() > kFixedItems + kPickerItems;
}

void removeCustomItem(ComboList& combo) {
    if (hasCustomItem(combo)) combo.remove(combo.count() - kPickerItems - 1);
}

bool isIndexPicker(const ComboList& combo, int index) {
    return index >= 0 && index == combo.count() - 2;
}

bool isAnyColorPicker(const ComboList& combo, int index) {
    return index >= 0 && index == combo.count() - 1;
}

int findOrAdd(ComboList& combo, VxColorRef color, bool tidy, const Strings& s) {
    const long long wanted = valueOf(color);
    for (int p = 0, n = combo.count() - kPickerItems; p < n; ++p) {
        if (combo.value(p) != wanted) continue;
        if (tidy && p < kFixedItems) removeCustomItem(combo);
        return p;
    }
    removeCustomItem(combo);
    const int index = rgb2ACAD(color);
    const std::string caption = index > 0
                                    ? fillFormat(s.text(IDS_INDEX_COLOR_ITEM), {std::to_string(index)})
                                    : s.text(IDS_CUSTOM_COLOR_ITEM);
    const int before = combo.count() - kPickerItems;
    return combo.insert(before < 0 ? -1 : before, caption, wanted);
}

}  // namespace colorcombo
}  // namespace quellon
