// Layout and hit tests of the colour index dialog, on frames whose arithmetic is worked out
// by hand in each test.
#include "ColorIndexLayout.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using quellon::Box;
using quellon::ColorIndexLayout;

// Grid frame (0,0)-(250,120): area (5,18)-(245,115), g = 48. Cells 10 x 9 pixels; the
// upper grid's block starts at y 19, the lower one's at y 68.
// Standard strip frame (0,130)-(200,170): area (5,148)-(195,165), cells 21 wide from x 5.
// Grey strip frame (210,130)-(340,170): area (215,148)-(335,165), cells 20 wide from x 215.
ColorIndexLayout sample() {
    ColorIndexLayout layout;
    layout.layout(Box{210, 130, 340, 170}, Box{0, 130, 200, 170}, Box{0, 0, 250, 120});
    return layout;
}

TEST(ColorIndexLayout, AreasLeaveTheFrameBorderAndCaption) {
    const Box area = ColorIndexLayout::areaOf(Box{10, 20, 110, 90});
    EXPECT_EQ(area.left, 15);
    EXPECT_EQ(area.top, 38);
    EXPECT_EQ(area.right, 105);
    EXPECT_EQ(area.bottom, 85);
}

TEST(ColorIndexLayout, GridCellCentresPickTheirIndices) {
    const ColorIndexLayout layout = sample();
    struct Case {
        int x, y, index;
    };
    const Case cases[] = {
        {9, 23, 18},      // upper grid, column 0, row 0
        {9, 59, 10},      // column 0, row 4
        {239, 23, 248},   // column 23, row 0
        {239, 59, 240},   // column 23, row 4
        {59, 41, 64},     // column 5, row 2: 18 + 50 - 4
        {9, 72, 11},      // lower grid, column 0, row 0
        {9, 108, 19},     // column 0, row 4
        {239, 72, 241},   // column 23, row 0
        {239, 108, 249},  // column 23, row 4
        {59, 90, 65},     // column 5, row 2: 11 + 50 + 4
    };
    for (const Case& c : cases) EXPECT_EQ(layout.hitTest(c.x, c.y), c.index) << c.x << "," << c.y;
}

TEST(ColorIndexLayout, BordersBetweenGridCellsPickNothing) {
    const ColorIndexLayout layout = sample();
    EXPECT_EQ(layout.hitTest(13, 23), 18);  // last pixel of the cell
    EXPECT_EQ(layout.hitTest(14, 23), -1);  // the line between columns 0 and 1
    EXPECT_EQ(layout.hitTest(15, 23), 28);  // first pixel of column 1
    EXPECT_EQ(layout.hitTest(9, 27), -1);   // the line between rows 0 and 1
    EXPECT_EQ(layout.hitTest(9, 28), 16);
    EXPECT_EQ(layout.hitTest(9, 67), -1);  // the gap between the two grids
    EXPECT_EQ(layout.hitTest(9, 18), -1);  // above the centred block
    EXPECT_EQ(layout.hitTest(4, 23), -1);  // left of the area
}

TEST(ColorIndexLayout, StripsIgnoreTheTwoPixelMarginOfEachCell) {
    const ColorIndexLayout layout = sample();
    EXPECT_EQ(layout.hitTest(15, 156), 1);  // centre of the first standard cell
    EXPECT_EQ(layout.hitTest(6, 156), -1);  // inside its slot, in the margin
    EXPECT_EQ(layout.hitTest(7, 156), 1);
    EXPECT_EQ(layout.hitTest(22, 156), 1);
    EXPECT_EQ(layout.hitTest(23, 156), -1);  // right margin
    EXPECT_EQ(layout.hitTest(15, 149), -1);  // top margin
    EXPECT_EQ(layout.hitTest(15, 150), 1);
    EXPECT_EQ(layout.hitTest(5 + 21 * 8 + 10, 156), 9);
    EXPECT_EQ(layout.hitTest(225, 156), 250);  // grey strip
    EXPECT_EQ(layout.hitTest(215 + 20 * 5 + 10, 156), 255);
}

TEST(ColorIndexLayout, EveryIndexFrom1To255HasExactlyOneCell) {
    const ColorIndexLayout layout = sample();
    std::set<int> seen;
    for (const auto& cell : layout.cells()) {
        EXPECT_TRUE(seen.insert(cell.index).second) << cell.index;
        const Box t = cell.target();
        EXPECT_EQ(layout.hitTest((t.left + t.right) / 2, (t.top + t.bottom) / 2), cell.index);
    }
    EXPECT_EQ(seen.size(), 255u);
    EXPECT_EQ(*seen.begin(), 1);
    EXPECT_EQ(*seen.rbegin(), 255);
}

TEST(ColorIndexLayout, AStripTallerThanWideRunsDownAndIsCentred) {
    ColorIndexLayout layout;
    // Grey frame (300,0)-(340,200): area (305,18)-(335,195), 177 high: cells 29 high, the
    // run of 174 pixels starting one pixel down.
    layout.layout(Box{300, 0, 340, 200}, Box{0, 0, 0, 0}, Box{0, 0, 0, 0});
    ASSERT_EQ(layout.cells().size(), 6u);
    const Box first = layout.cells()[0].cell;
    EXPECT_EQ(first.left, 305);
    EXPECT_EQ(first.top, 19);
    EXPECT_EQ(first.right, 334);
    EXPECT_EQ(first.bottom, 47);
    EXPECT_EQ(layout.hitTest(320, 19 + 29 * 3 + 14), 253);
}

TEST(ColorIndexLayout, FramesTooSmallForCellsGiveNoCells) {
    ColorIndexLayout layout;
    layout.layout(Box{0, 0, 12, 20}, Box{0, 0, 10, 10}, Box{0, 0, 30, 22});
    EXPECT_TRUE(layout.cells().empty());
    EXPECT_EQ(layout.hitTest(5, 5), -1);
}

}  // namespace
