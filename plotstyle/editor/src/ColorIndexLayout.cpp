// Colour index dialog layout and hit tests.
#include "ColorIndexLayout.h"

namespace quellon {
namespace {
// A slot of the given size less the line after it: the visible gap between neighbours.
Box cellBox(int x, int y, int width, int height) {
    return Box{x, y, x + width - 1, y + height - 1};
}
}  // namespace

void ColorIndexLayout::layout(const Box& greyFrame, const Box& standardFrame,
                              const Box& gridFrame) {
    cells_.clear();
    addStrip(PaletteArea::GreyStrip, areaOf(greyFrame), 6, 250);
    addStrip(PaletteArea::StandardStrip, areaOf(standardFrame), 9, 1);
    const Box area = areaOf(gridFrame);
    const int t = area.top, b = area.bottom, g = (b - t) / 2;
    addGrid(PaletteArea::UpperGrid, Box{area.left, t, area.right, b - g - 1});
    addGrid(PaletteArea::LowerGrid, Box{area.left, t + g + 1, area.right, b});
}

void ColorIndexLayout::addStrip(PaletteArea area, const Box& region, int count, int firstIndex) {
    // The strip runs along the longer side; each cell takes the full breadth.
    const bool across = region.width() >= region.height();
    const int length = across ? region.width() : region.height();
    const int size = length / count;
    if (size <= 0) return;
    const int start = (length - size * count) / 2;
    for (int k = 0; k < count; ++k) {
        const Box cell =
            across ? cellBox(region.left + start + k * size, region.top, size, region.height())
                   : cellBox(region.left, region.top + start + k * size, region.width(), size);
        cells_.push_back(ColorCell{area, firstIndex + k, cell, kStripInset});
    }
}

void ColorIndexLayout::addGrid(PaletteArea area, const Box& region) {
    const int width = region.width() / kGridColumns, height = region.height() / kGridRows;
    if (width <= 0 || height <= 0) return;
    const int left = region.left + (region.width() - width * kGridColumns) / 2;
    const int top = region.top + (region.height() - height * kGridRows) / 2;
    for (int column = 0; column < kGridColumns; ++column) {
        for (int row = 0; row < kGridRows; ++row) {
            const int index = area == PaletteArea::UpperGrid ? upperGridIndex(column, row)
                                                             : lowerGridIndex(column, row);
            cells_.push_back(ColorCell{
                area, index, cellBox(left + column * width, top + row * height, width, height), 0});
        }
    }
}

int ColorIndexLayout::hitTest(int x, int y) const {
    for (const ColorCell& cell : cells_)
        if (cell.target().contains(x, y)) return cell.index;
    return -1;
}

const ColorCell* ColorIndexLayout::find(int index) const {
    for (const ColorCell& cell : cells_)
        if (cell.index == index) return &cell;
    return nullptr;
}

}  // namespace quellon
