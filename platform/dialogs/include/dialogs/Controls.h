// Owner-drawn controls: the base of owner-drawn combo boxes, and the bitmap button that
// takes its pictures from bitmaps named after its caption (suffix U up, D down, F focused,
// X disabled).
#pragma once

#include "dialogs/Dialog.h"
#include "dialogs/Window.h"

#include <string>

namespace dlg {

// A combo box created with CBS_OWNERDRAWFIXED or CBS_OWNERDRAWVARIABLE in its template.
// Register it with the dialog (Dialog::addOwnerDrawn) before the dialog is created and
// attach it at initialisation.
class OwnerDrawCombo : public ComboBox, public OwnerDrawn {};

class BitmapButton : public Button, public OwnerDrawn {
public:
    BitmapButton() = default;
    ~BitmapButton() override;

    // Binds button `id` of `dialog`, loads its bitmaps from the resource handle by its
    // caption, makes it owner-drawn and sizes it to the up picture. False when the up
    // picture is missing.
    bool autoLoad(Dialog& dialog, int id);
    // The resource names the convention gives a caption: U, D, F, X in that order.
    static std::string bitmapName(const std::string& caption, char suffix) {
        return caption + suffix;
    }

    // The picture drawn for a state: down when pushed, disabled when greyed (if present),
    // focused when focused (if present), otherwise up.
    HBITMAP pictureFor(UINT state) const;
    void drawItem(const DRAWITEMSTRUCT& item) override;

private:
    void release();
    HBITMAP up_ = nullptr, down_ = nullptr, focused_ = nullptr, disabled_ = nullptr;
};

}  // namespace dlg
