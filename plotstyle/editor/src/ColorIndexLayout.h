// Where the colour index dialog draws its cells and which index a point picks: two strips
// (the grey shades 250..255 and the standard colours 1..9) and two grids of 24 x 5 cells
// sharing one frame (the even and the odd wheel colours 10..249).
#pragma once

#include <vector>

namespace quellon {

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom excluded
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    Box shrunk(int by) const { return Box{left + by, top + by, right - by, bottom - by}; }
};

enum class PaletteArea { GreyStrip, StandardStrip, UpperGrid, LowerGrid };

struct ColorCell {
    PaletteArea area;
    int index;  // the colour index the cell picks
    Box cell;   // the cell's rectangle: its slot less the one-pixel line after it
    int inset;  // 2 in the strips, 0 in the grids
    Box target() const { return cell.shrunk(inset); }  // drawn, and hit by clicks
};

class ColorIndexLayout {
public:
    static constexpr int kGridColumns = 24;
    static constexpr int kGridRows = 5;
    static constexpr int kStripInset = 2;

    // The palette area inside a frame control's window rectangle: less 5 pixels on the
    // left, right and bottom and 18 at the top (the frame's caption).
    static Box areaOf(const Box& frame) {
        return Box{frame.left + 5, frame.top + 18, frame.right - 5, frame.bottom - 5};
    }

    // Lays the cells out from the frames' rectangles in the dialog's client coordinates.
    void layout(const Box& greyFrame, const Box& standardFrame, const Box& gridFrame);

    // Cells in hit-test order: grey strip, standard strip, upper grid, lower grid.
    const std::vector<ColorCell>& cells() const { return cells_; }
    // The index a click at (x, y) picks, or -1 (outside every cell's target).
    int hitTest(int x, int y) const;
    const ColorCell* find(int index) const;

    static int upperGridIndex(int column, int row) { return 18 + 10 * column - 2 * row; }
    static int lowerGridIndex(int column, int row) { return 11 + 10 * column + 2 * row; }

private:
    void addStrip(PaletteArea area, const Box& region, int count, int firstIndex);
    void addGrid(PaletteArea area, const Box& region);

    std::vector<ColorCell> cells_;
};

}  // namespace quellon
