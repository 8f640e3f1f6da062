// Index colours as the editor's drawing code wants them: 0x00BBGGRR from the base palette.
#pragma once

#include "vexoutils/Palette.h"

#include <cstdint>

namespace quellon {

constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;

// The palette colour of index 0..255; kNoColor for every other number (256, "by layer",
// has no palette entry).
inline std::uint32_t indexColor(int index) {
    if (index < 0 || index > 255) return kNoColor;
    const PaletteEntry& e = g_cBasePalette[index];
    return std::uint32_t(e.rgbRed) | (std::uint32_t(e.rgbGreen) << 8) |
           (std::uint32_t(e.rgbBlue) << 16);
}

}  // namespace quellon
