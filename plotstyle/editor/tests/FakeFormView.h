// A form view without a window for the rule tests: combos as item lists, edits as texts with
// a modified mark that behaves like an edit control's, and scripted colour pickers.
#pragma once

#include "FormView.h"

#include <map>
#include <string>
#include <vector>

namespace testing_support {

class FakeCombo : public quellon::ComboList {
public:
    int count() const override { return int(items.size()); }
    long long value(int index) const override { return items.at(std::size_t(index)).value; }
    int insert(int index, const std::string& caption, long long value) override {
        if (index < 0 || index > count()) index = count();
        items.insert(items.begin() + index, {caption, value});
        return index;
    }
    void remove(int index) override { items.erase(items.begin() + index); }
    void clear() override { items.clear(); }
    std::string caption(int index) const { return items.at(std::size_t(index)).caption; }

    std::vector<quellon::ComboItem> items;
    int selection = -1;
};

class FakeFormView : public quellon::FormView {
public:
    std::vector<int> selected;
    std::map<quellon::Combo, FakeCombo> combos;
    std::string numbers[3];
    bool numberMarks[3] = {false, false, false};
    int spins[3] = {-99, -99, -99};
    std::string description;
    bool descriptionMark = false;
    bool propertiesEnabled = true;
    bool addEnabled = true, removeEnabled = true;
    std::vector<std::string> messages;
    // Picker scripts: what the user does in the next dialog (nullopt-like: ok false).
    bool pickOk = true;
    int pickedIndex = 1;
    VxColorRef pickedColor = 0;
    int indexPickerStart = -1;
    bool anyPickerHadStart = false;
    VxColorRef anyPickerStart = 0;
    int pickerRuns = 0;

    std::vector<int> selectedStyles() const override { return selected; }
    quellon::ComboList& combo(quellon::Combo which) override { return combos[which]; }
    int comboSelection(quellon::Combo which) const override {
        auto it = combos.find(which);
        return it == combos.end() ? -1 : it->second.selection;
    }
    void selectComboItem(quellon::Combo which, int index) override {
        combos[which].selection = index;
    }
    // What the combo shows: the selected caption or "Various".
    std::string shown(quellon::Combo which) {
        FakeCombo& c = combos[which];
        return c.selection < 0 ? "Various" : c.caption(c.selection);
    }
    // The user picks item `index` of a combo.
    void pick(quellon::Combo which, int index) { combos[which].selection = index; }

    std::string numberText(int edit) const override { return numbers[edit]; }
    void setNumberText(int edit, const std::string& text) override {
        numbers[edit] = text;
        numberMarks[edit] = false;
    }
    bool numberModified(int edit) const override { return numberMarks[edit]; }
    void setNumberModified(int edit, bool on) override { numberMarks[edit] = on; }
    void setSpinPosition(int edit, int position) override { spins[edit] = position; }
    // The user types: the text changes and the edit marks itself.
    void type(int edit, const std::string& text) {
        numbers[edit] = text;
        numberMarks[edit] = true;
    }

    std::string descriptionText() const override { return description; }
    void setDescriptionText(const std::string& text) override {
        description = text;
        descriptionMark = false;
    }
    bool descriptionModified() const override { return descriptionMark; }
    void setDescriptionModified(bool on) override { descriptionMark = on; }
    void typeDescription(const std::string& text) {
        description = text;
        descriptionMark = true;
    }

    void enableProperties(bool on) override { propertiesEnabled = on; }
    void enableStyleButtons(bool add, bool remove) override {
        addEnabled = add;
        removeEnabled = remove;
    }
    bool pickIndexColor(int start, int& index) override {
        ++pickerRuns;
        indexPickerStart = start;
        index = pickedIndex;
        return pickOk;
    }
    bool pickAnyColor(bool hasStart, VxColorRef start, VxColorRef& color) override {
        ++pickerRuns;
        anyPickerHadStart = hasStart;
        anyPickerStart = start;
        color = pickedColor;
        return pickOk;
    }
    void showMessage(const std::string& text) override { messages.push_back(text); }
};

}  // namespace testing_support
