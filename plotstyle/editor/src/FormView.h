// What the form view's rules need of its window: the selected styles, the combos, the
// three number edits with their spins, the description edit, enabling, the two colour
// pickers and a message box. The page implements it over real controls; tests over plain
// members.
#pragma once

#include "ComboItems.h"

#include "vexoutils/Types.h"

#include <string>
#include <vector>

namespace quellon {

// The form view's combo boxes.
enum class Combo { Color, Dither, Grayscale, Adaptive, Linetype, Lineweight, EndStyle, JoinStyle, FillStyle };

// The number edits, in the order the rules index them.
enum NumberEdit { kScreeningEdit = 0, kPenEdit = 1, kVirtualPenEdit = 2, kNumberEdits = 3 };

class FormView {
public:
    virtual ~FormView() = default;

    // Indices of the selected styles, in list order (list item i shows style i).
    virtual std::vector<int> selectedStyles() const = 0;

    virtual ComboList& combo(Combo which) = 0;
    virtual int comboSelection(Combo which) const = 0;
    // Selects item `index`; -1 selects nothing and shows "Various".
    virtual void selectComboItem(Combo which, int index) = 0;

    // Number edits. Replacing the text clears the edit's modified mark, as an edit control's
    // does; the user's typing sets it.
    virtual std::string numberText(int edit) const = 0;
    virtual void setNumberText(int edit, const std::string& text) = 0;
    virtual bool numberModified(int edit) const = 0;
    virtual void setNumberModified(int edit, bool on) = 0;
    virtual void setSpinPosition(int edit, int position) = 0;

    virtual std::string descriptionText() const = 0;
    virtual void setDescriptionText(const std::string& text) = 0;  // clears the mark too
    virtual bool descriptionModified() const = 0;
    virtual void setDescriptionModified(bool on) = 0;

    // The property controls: the combos, the number edits with their spins, the description.
    virtual void enableProperties(bool on) = 0;
    virtual void enableStyleButtons(bool add, bool remove) = 0;

    // The colour index dialog without the logical colour buttons, starting at `start`;
    // false when cancelled, else the index picked.
    virtual bool pickIndexColor(int start, int& index) = 0;
    // The system colour dialog, fully open, at `start` when `hasStart`; 0x00BBGGRR.
    virtual bool pickAnyColor(bool hasStart, VxColorRef start, VxColorRef& color) = 0;
    virtual void showMessage(const std::string& text) = 0;
};

}  // namespace quellon
