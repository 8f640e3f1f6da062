// The index colour palette against colours that drawings and other programs agree on.
#include "vexoutils/Palette.h"

#include <gtest/gtest.h>

namespace {

unsigned rgbOf(int index) {
    const PaletteEntry& e = g_cBasePalette[index];
    return (unsigned(e.rgbRed) << 16) | (unsigned(e.rgbGreen) << 8) | e.rgbBlue;
}

TEST(BasePalette, NamedColoursAndGreys) {
    EXPECT_EQ(rgbOf(1), 0xFF0000u);
    EXPECT_EQ(rgbOf(2), 0xFFFF00u);
    EXPECT_EQ(rgbOf(5), 0x0000FFu);
    EXPECT_EQ(rgbOf(7), 0xFFFFFFu);
    EXPECT_EQ(rgbOf(8), 0x808080u);
    EXPECT_EQ(rgbOf(9), 0xC0C0C0u);
    EXPECT_EQ(rgbOf(250), 0x333333u);
    EXPECT_EQ(rgbOf(254), 0xBEBEBEu);
    EXPECT_EQ(rgbOf(255), 0xFFFFFFu);
}

TEST(BasePalette, WheelShadesAndPaleVariants) {
    const unsigned expected[][2] = {
        {10, 0xFF0000}, {11, 0xFF7F7F}, {12, 0xCC0000}, {13, 0xCC6666}, {14, 0x990000},
        {15, 0x994C4C}, {16, 0x7F0000}, {17, 0x7F3F3F}, {18, 0x4C0000}, {19, 0x4C2626},
        {20, 0xFF3F00}, {21, 0xFF9F7F}, {23, 0xCC7F66}, {25, 0x995F4C}, {30, 0xFF7F00},
        {35, 0x99724C}, {39, 0x4C3926}, {50, 0xFFFF00}, {60, 0xBFFF00}, {90, 0x00FF00},
        {130, 0x00FFFF}, {170, 0x0000FF}, {210, 0xFF00FF}, {240, 0xFF003F}, {249, 0x4C262F},
    };
    for (const auto& [index, colour] : expected) EXPECT_EQ(rgbOf(int(index)), colour) << index;
}

TEST(BasePalette, ReservedBytesAreZero) {
    for (int i = 0; i < 256; ++i) EXPECT_EQ(g_cBasePalette[i].rgbReserved, 0) << i;
}

}  // namespace
