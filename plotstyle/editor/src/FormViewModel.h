// The rules of the form view: what its controls show for the selected styles (a common
// value or "Various"), what a change in a control writes into them, the number edits with
// their spins, the description, enabling, and the colour combo with its pickers. Every
// change that alters a style sets the editor's modified flag.
#pragma once

#include "EditorSession.h"
#include "FormView.h"
#include "SelectionSummary.h"
#include "Strings.h"

#include <string>
#include <vector>

namespace quellon {

struct NumberRange {
    int low, high;
};
// Screening 0..100, pen 0..32, virtual pen 0..255.
NumberRange numberRange(int edit);

// Which commands of the style list's context menu are offered.
struct StyleMenuState {
    bool cut = true, copy = true, paste = true, add = true, remove = true, rename = true;
};
StyleMenuState styleMenuState(bool colorDependent, bool propertiesEnabled, int selectedCount,
                              bool clipboardHoldsStyle);

class FormViewModel {
public:
    FormViewModel(EditorSession& session, FormView& view, const Strings& strings);

    // Fills the combos, shows the first style's numbers and enables the style buttons. The
    // page then lists the styles (listNames) and selects the first.
    void open();
    std::vector<std::string> listNames() const;
    // Refills the lineweight combo from the table (after its lineweights changed).
    void refillLineweights();

    // After every change of the list selection.
    void refresh();

    // The user picked an item of a combo.
    void comboPicked(Combo which);

    // The user typed into number edit `edit`, or moved its spin to `position`.
    void numberTyped(int edit);
    void spinMoved(int edit, int position);

    // Writes a typed number or description into the selected styles: when its edit loses
    // the focus, when a selected item is about to lose its selection, when the page's data
    // is taken.
    void commitNumber(int edit);
    void commitDescription();
    void commitAll();

    bool hasPendingEdits() const;
    bool propertiesEnabled() const { return propertiesEnabled_; }
    int shownNumber(int edit) const { return numbers_[edit]; }
    int lastColorItem() const { return lastColorItem_; }

private:
    void showNumber(int edit, int n, bool bySpin);
    void showComboValue(Combo which, int value);
    void showColor(const SelectionSummary& summary);
    void colorPicked();
    bool pickColor(int item, VxColorRef& chosen);
    void setPropertiesEnabled(bool on);
    CPlotStyleTable& table() { return session_.table(); }

    EditorSession& session_;
    FormView& view_;
    const Strings& strings_;
    int numbers_[kNumberEdits] = {-1, -1, -1};
    bool descriptionCommon_ = true;
    bool propertiesEnabled_ = true;
    int lastColorItem_ = -1;
};

}  // namespace quellon
