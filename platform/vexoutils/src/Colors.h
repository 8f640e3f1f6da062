// Index colours in 0x00RRGGBB form, the form of the table files' colour words.
#pragma once

#include <cstdint>

namespace vexo {

std::uint32_t rgbOfIndex(int index);             // 0..255; 0 outside
int indexOfRgb(std::uint32_t rgb);               // lowest exact index 1..255, -1 when none
int nearestIndexOfRgb(std::uint32_t rgb);        // 1..255
std::uint32_t swapRedBlue(std::uint32_t color);  // 0x00RRGGBB <-> 0x00BBGGRR

}  // namespace vexo
