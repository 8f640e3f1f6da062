// Form view rules: selection, combos, numbers, description, colour.
#include "FormViewModel.h"

#include "EditorText.h"
#include "QuellonIds.h"

#include "vexoutils/PlotStyle.h"

#include <algorithm>

namespace quellon {
namespace {

constexpr VxColorRef kPureWhite = 0x00FFFFFF;

Property numberProperty(int edit) {
    switch (edit) {
        case kPenEdit:
            return Property::Pen;
        case kVirtualPenEdit:
            return Property::VirtualPen;
        default:
            return Property::Screening;
    }
}

// The combos showing one property each (the colour combo has rules of its own).
struct ComboProperty {
    Combo combo;
    Property property;
    bool positional;  // the item's position is the value (the on/off combos)
};
constexpr ComboProperty kComboProperties[] = {
    {Combo::Dither, Property::Dither, true},
    {Combo::Grayscale, Property::Grayscale, true},
    {Combo::Adaptive, Property::Adaptive, true},
    {Combo::Linetype, Property::Linetype, false},
    {Combo::Lineweight, Property::Lineweight, false},
    {Combo::EndStyle, Property::EndStyle, false},
    {Combo::JoinStyle, Property::JoinStyle, false},
    {Combo::FillStyle, Property::FillStyle, false},
};

const ComboProperty* comboProperty(Combo which) {
    for (const ComboProperty& c : kComboProperties)
        if (c.combo == which) return &c;
    return nullptr;
}

VxColorRef swapRedBlue(VxColorRef c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

}  // namespace

NumberRange numberRange(int edit) {
    switch (edit) {
        case kPenEdit:
            return {0, 32};
        case kVirtualPenEdit:
            return {0, 255};
        default:
            return {0, 100};
    }
}

StyleMenuState styleMenuState(bool colorDependent, bool propertiesEnabled, int selectedCount,
                              bool clipboardHoldsStyle) {
    StyleMenuState m;
    if (colorDependent) {
        m.cut = m.paste = m.add = m.remove = m.rename = false;
        return m;
    }
    if (!propertiesEnabled) m.remove = m.rename = m.cut = false;
    if (selectedCount != 1) m.rename = m.cut = m.copy = false;
    if (!clipboardHoldsStyle) m.paste = false;
    return m;
}

FormViewModel::FormViewModel(EditorSession& session, FormView& view, const Strings& strings)
    : session_(session), view_(view), strings_(strings) {}

void FormViewModel::open() {
    fillCombo(view_.combo(Combo::Dither), onOffItems(strings_));
    fillCombo(view_.combo(Combo::Grayscale), onOffItems(strings_));
    fillCombo(view_.combo(Combo::Adaptive), onOffItems(strings_));
    fillCombo(view_.combo(Combo::EndStyle), endStyleItems(strings_));
    fillCombo(view_.combo(Combo::JoinStyle), joinStyleItems(strings_));
    fillCombo(view_.combo(Combo::FillStyle), fillStyleItems(strings_));
    fillCombo(view_.combo(Combo::Lineweight), lineweightItems(table(), strings_));
    fillCombo(view_.combo(Combo::Linetype), linetypeItems(strings_));
    fillCombo(view_.combo(Combo::Color), colorcombo::items(strings_));
    // A damaged table may come without any style: nothing to show then.
    const CPlotStyle* first = table().style(0);
    for (int k = 0; k < kNumberEdits; ++k)
        showNumber(k, first ? propertyValue(*first, numberProperty(k)) : -1, false);
    const bool free = !table().colorMapping;
    view_.enableStyleButtons(free, free);
}

std::vector<std::string> FormViewModel::listNames() const {
    const CPlotStyleTable& t = session_.table();
    std::vector<std::string> names;
    names.reserve(static_cast<std::size_t>(t.size()));
    for (int i = 0; i < t.size(); ++i) names.push_back(displayName(t.style(i)->name));
    return names;
}

void FormViewModel::refillLineweights() {
    fillCombo(view_.combo(Combo::Lineweight), lineweightItems(table(), strings_));
}

void FormViewModel::setPropertiesEnabled(bool on) {
    propertiesEnabled_ = on;
    view_.enableProperties(on);
}

void FormViewModel::refresh() {
    const std::vector<int> selected = view_.selectedStyles();
    const bool named = !table().colorDependent;
    if (selected.empty()) {
        if (named) {
            setPropertiesEnabled(false);
            view_.enableStyleButtons(!table().colorMapping, false);
        }
        return;
    }
    SelectionSummary summary;
    for (int i : selected)
        if (const CPlotStyle* s = table().style(i)) summary.fold(*s);
    for (const ComboProperty& c : kComboProperties)
        showComboValue(c.combo, summary.value(c.property));
    showColor(summary);
    descriptionCommon_ = summary.descriptionState() != SelectionSummary::State::Various;
    view_.setDescriptionText(descriptionCommon_ ? summary.description() : std::string());
    for (int k = 0; k < kNumberEdits; ++k) {
        const int v = summary.value(numberProperty(k));
        showNumber(k, v < 0 ? -1 : v, false);
    }
    if (named) {
        // The first style of a named table takes its values from the objects: it is shown
        // but not edited.
        const bool firstSelected = std::find(selected.begin(), selected.end(), 0) != selected.end();
        setPropertiesEnabled(!firstSelected);
        view_.enableStyleButtons(!table().colorMapping, !firstSelected && !table().colorMapping);
    }
}

void FormViewModel::showComboValue(Combo which, int value) {
    const ComboProperty* c = comboProperty(which);
    ComboList& combo = view_.combo(which);
    int item = -1;
    if (value != SelectionSummary::kVarious) {
        if (c && c->positional) {
            item = value >= 0 && value < combo.count() ? value : -1;
        } else {
            for (int i = 0, n = combo.count(); i < n && item < 0; ++i)
                if (combo.value(i) == value) item = i;
        }
    }
    view_.selectComboItem(which, item);
}

void FormViewModel::showColor(const SelectionSummary& summary) {
    ComboList& combo = view_.combo(Combo::Color);
    if (summary.colorState() == SelectionSummary::State::One) {
        lastColorItem_ = colorcombo::findOrAdd(combo, summary.color(), true, strings_);
    } else {
        colorcombo::removeCustomItem(combo);
        lastColorItem_ = -1;
    }
    view_.selectComboItem(Combo::Color, lastColorItem_);
}

void FormViewModel::comboPicked(Combo which) {
    if (which == Combo::Color) return colorPicked();
    const ComboProperty* c = comboProperty(which);
    const int item = view_.comboSelection(which);
    if (!c || item < 0) return;
    const int value = c->positional ? item : static_cast<int>(view_.combo(which).value(item));
    for (int i : view_.selectedStyles())
        if (CPlotStyle* s = table().style(i))
            if (setProperty(*s, c->property, value)) session_.setModified();
}

bool FormViewModel::pickColor(int item, VxColorRef& chosen) {
    ComboList& combo = view_.combo(Combo::Color);
    // The colour shown before the picker was chosen, unless that was the object's colour.
    bool hasCurrent = false;
    VxColorRef current = 0;
    if (lastColorItem_ >= 0 && lastColorItem_ < combo.count()) {
        current = colorcombo::colorOf(combo.value(lastColorItem_));
        hasCurrent = current != kVxObjectColor;
    }
    if (colorcombo::isIndexPicker(combo, item)) {
        int index = hasCurrent ? findClosestACIIdx(current) : 1;
        // Without the logical colour buttons only 1..255 are colours; 0 or 256 typed into
        // the dialog's edit would come back as black, so they count as cancelled.
        if (!view_.pickIndexColor(index, index) || index < 1 || index > 255) return false;
        chosen = ACAD2rgb(index);
        return true;
    }
    return view_.pickAnyColor(hasCurrent, current, chosen);
}

void FormViewModel::colorPicked() {
    ComboList& combo = view_.combo(Combo::Color);
    int item = view_.comboSelection(Combo::Color);
    if (item < 0) return;
    VxColorRef color = 0;
    const bool picker =
        colorcombo::isIndexPicker(combo, item) || colorcombo::isAnyColorPicker(combo, item);
    if (picker) {
        if (!pickColor(item, color)) {
            view_.selectComboItem(Combo::Color, lastColorItem_);
            return;
        }
    } else {
        color = colorcombo::colorOf(combo.value(item));
    }
    if (color != kVxObjectColor && (color & 0xFFFFFF) == kPureWhite) {
        // A table file reads a pure white colour word as "use the object's colour", so the
        // component refuses it; say so instead of keeping the old colour silently.
        view_.showMessage(strings_.text(IDS_WHITE_REFUSED));
        view_.selectComboItem(Combo::Color, lastColorItem_);
        return;
    }
    if (picker) {
        item = colorcombo::findOrAdd(combo, color, false, strings_);
        view_.selectComboItem(Combo::Color, item);
    }
    lastColorItem_ = item;
    const VxColorRef rgb = color == kVxObjectColor ? kVxObjectColor : swapRedBlue(color);
    for (int i : view_.selectedStyles())
        if (CPlotStyle* s = table().style(i))
            if (s->updateColor(rgb)) session_.setModified();
}

void FormViewModel::showNumber(int edit, int n, bool bySpin) {
    numbers_[edit] = n;
    std::string text;
    if (n != -1)
        text = (edit != kScreeningEdit && n == 0) ? strings_.text(IDS_AUTOMATIC) : std::to_string(n);
    if (view_.numberText(edit) != text) view_.setNumberText(edit, text);
    if (bySpin)
        view_.setNumberModified(edit, true);
    else if (n != -1)
        view_.setSpinPosition(edit, n);
}

void FormViewModel::numberTyped(int edit) {
    const std::string text = view_.numberText(edit);
    const int value = decimalValue(text);
    const NumberRange range = numberRange(edit);
    if ((!text.empty() || numbers_[edit] != -1) && value >= range.low && value <= range.high)
        numbers_[edit] = value;
    showNumber(edit, numbers_[edit], false);
    // Showing the number may have replaced the text (and with it the edit's mark); what the
    // user typed is still a change to commit.
    view_.setNumberModified(edit, true);
}

void FormViewModel::spinMoved(int edit, int position) {
    const NumberRange range = numberRange(edit);
    if (numbers_[edit] == -1 || position < range.low || position > range.high) return;
    showNumber(edit, position, true);
}

void FormViewModel::commitNumber(int edit) {
    const int n = numbers_[edit];
    if (n == -1 || !view_.numberModified(edit)) return;
    for (int i : view_.selectedStyles())
        if (CPlotStyle* s = table().style(i))
            if (setProperty(*s, numberProperty(edit), n)) session_.setModified();
    view_.setNumberModified(edit, false);
}

void FormViewModel::commitDescription() {
    if (!view_.descriptionModified()) return;
    const std::string text = view_.descriptionText();
    // An empty edit over differing descriptions is "Various" left alone, not a wish to
    // clear them all.
    if (descriptionCommon_ || !text.empty()) {
        for (int i : view_.selectedStyles()) {
            CPlotStyle* s = table().style(i);
            if (!s || s->description == text) continue;
            s->setDesc(text.c_str());
            session_.setModified();
        }
    }
    view_.setDescriptionModified(false);
}

void FormViewModel::commitAll() {
    for (int k = 0; k < kNumberEdits; ++k) commitNumber(k);
    commitDescription();
}

bool FormViewModel::hasPendingEdits() const {
    for (int k = 0; k < kNumberEdits; ++k)
        if (view_.numberModified(k)) return true;
    return view_.descriptionModified();
}

}  // namespace quellon
