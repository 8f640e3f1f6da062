// The form view's list of styles. For a colour-dependent table it is owner-drawn: each item
// shows a swatch of the index colour its style stands for, left of the name.
#pragma once

#include "dialogs/Dialog.h"
#include "dialogs/Window.h"

#include <vector>

namespace quellon {

class StyleList : public dlg::ListView, public dlg::OwnerDrawn {
public:
    // Turns off in-place label editing and makes the list owner-drawn (colour tables).
    void makeColorList();
    std::vector<int> selectedItems() const;
    void drawItem(const DRAWITEMSTRUCT& item) override;
    // The swatch rectangle of an item drawn into `area` (for tests of the drawing).
    static RECT swatchRect(const RECT& area);
};

}  // namespace quellon
