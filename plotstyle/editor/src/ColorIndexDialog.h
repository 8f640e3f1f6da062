// The colour index dialog: pick one of the 255 index colours from the drawn palette, by
// number in the edit, or (where allowed) the logical colours 256 and 0 by their buttons.
// Data in, data out: set `index` and `allowSpecial`, run, read `index` after OK.
#pragma once

#include "ColorIndexLayout.h"

#include "dialogs/Dialog.h"

#include <windows.h>

namespace quellon {

// Paints the cell of index n into `box`: 257 as four pale quadrants, 0 and 256 with a grey
// diagonal cross-hatch, any other number filled with the palette colour of its magnitude.
void paintColorCell(HDC dc, const Box& box, int n);

class ColorIndexDialog : public dlg::Dialog {
public:
    enum RepaintBits : unsigned { kSwatch = 1u << 1, kPalette = 1u << 2, kEverything = 255u };

    ColorIndexDialog();
    ~ColorIndexDialog() override;

    short index = 1;           // the current index, held to 0..256
    bool allowSpecial = true;  // enables the buttons for 256 and 0

    const ColorIndexLayout& layout() const { return layout_; }
    unsigned repaintMask() const { return repaintMask_; }
    Box swatchBox() const;  // the inside of the current-colour frame, client coordinates

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void doDataExchange(dlg::DataExchange& dx) override;
    bool onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
    void onDestroy() override;

private:
    void layOut();
    void choose(int newIndex);
    void repaint(unsigned bits);
    void paint(HDC dc);
    void onIndexTyped();
    Box frameBox(int id) const;

    ColorIndexLayout layout_;
    unsigned repaintMask_ = kEverything;
    bool settingText_ = false;
    HICON helpIcon_ = nullptr;
};

}  // namespace quellon
