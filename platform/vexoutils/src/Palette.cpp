// The index colour palette, computed at compile time from the wheel's rules so the table
// cannot drift from them.
#include "vexoutils/Palette.h"

namespace {

constexpr PaletteEntry rgb(int r, int g, int b) {
    return PaletteEntry{static_cast<std::uint8_t>(b), static_cast<std::uint8_t>(g),
                        static_cast<std::uint8_t>(r), 0};
}

// Weight (in quarters) of colour component c at hue step 0..23 of the wheel, which runs
// red, yellow, green, cyan, blue, magenta and back to red in steps of four.
constexpr int hueWeight(int step, int c) {
    constexpr int kCorner[6][3] = {{4, 0, 0}, {4, 4, 0}, {0, 4, 0}, {0, 4, 4}, {0, 0, 4}, {4, 0, 4}};
    const int segment = step / 4, offset = step % 4;
    const int from = kCorner[segment][c], to = kCorner[(segment + 1) % 6][c];
    return from + (to - from) * offset / 4;
}

constexpr PaletteEntry entryAt(int index) {
    constexpr PaletteEntry kNamed[10] = {rgb(0, 0, 0),       rgb(255, 0, 0),     rgb(255, 255, 0),
                                         rgb(0, 255, 0),     rgb(0, 255, 255),   rgb(0, 0, 255),
                                         rgb(255, 0, 255),   rgb(255, 255, 255), rgb(128, 128, 128),
                                         rgb(192, 192, 192)};
    constexpr int kShade[5] = {255, 204, 153, 127, 76};
    constexpr int kGrey[6] = {51, 80, 105, 130, 190, 255};
    if (index < 10) return kNamed[index];
    if (index >= 250) return rgb(kGrey[index - 250], kGrey[index - 250], kGrey[index - 250]);
    const int step = index / 10 - 1;
    const int shade = kShade[(index % 10) / 2];
    const int low = (index % 2) ? shade / 2 : 0;  // odd indices are the pale variant
    return rgb(low + (shade - low) * hueWeight(step, 0) / 4, low + (shade - low) * hueWeight(step, 1) / 4,
               low + (shade - low) * hueWeight(step, 2) / 4);
}

}  // namespace

#define KIVRA_E4(i) entryAt(i), entryAt(i + 1), entryAt(i + 2), entryAt(i + 3)
#define KIVRA_E16(i) KIVRA_E4(i), KIVRA_E4(i + 4), KIVRA_E4(i + 8), KIVRA_E4(i + 12)
#define KIVRA_E64(i) KIVRA_E16(i), KIVRA_E16(i + 16), KIVRA_E16(i + 32), KIVRA_E16(i + 48)

extern "C" const PaletteEntry g_cBasePalette[256] = {KIVRA_E64(0), KIVRA_E64(64), KIVRA_E64(128),
                                                     KIVRA_E64(192)};
