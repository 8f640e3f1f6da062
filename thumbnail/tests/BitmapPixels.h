// Reading a GDI bitmap back as 0xRRGGBB pixels, top row first, for exact comparisons.
// Pixels are read through a 32-bit top-down DIB whatever the bitmap's own format.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;
    std::uint32_t at(int x, int y) const { return rgb[static_cast<std::size_t>(y) * width + x]; }
};

Pixels readPixels(HBITMAP bitmap);
