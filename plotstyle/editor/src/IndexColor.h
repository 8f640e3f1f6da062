// Index colours as the editor's drawing code wants them: 0x00BBGGRR through the plot style
// component's ACAD2rgb, with a marker for numbers that have no palette entry.
#pragma once

#include "vexoutils/PlotStyle.h"

#include <cstdint>

namespace quellon {

constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;

// The palette colour of index 0..255; kNoColor for every other number (256, "by layer",
// has no palette entry).
inline std::uint32_t indexColor(int index) {
    if (index < 0 || index > 255) return kNoColor;
    return static_cast<std::uint32_t>(ACAD2rgb(index));
}

}  // namespace quellon
