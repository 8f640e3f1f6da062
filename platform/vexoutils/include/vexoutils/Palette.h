// The standard 256-entry index colour palette. Entry 0 is black (the "by block" slot);
// 1 to 9 are the named colours, 10 to 249 a wheel of 24 hues in five shades each with a
// full and a pale variant, 250 to 255 greys.
#pragma once

#include "vexoutils/Types.h"
#include "vexoutils/VexoApi.h"

#ifdef _WIN32
typedef RGBQUAD PaletteEntry;
#else
// Laid out as the platform's RGBQUAD: blue, green, red, reserved.
struct PaletteEntry {
    std::uint8_t rgbBlue;
    std::uint8_t rgbGreen;
    std::uint8_t rgbRed;
    std::uint8_t rgbReserved;
};
#endif
static_assert(sizeof(PaletteEntry) == 4, "palette entries are RGBQUADs");

extern "C" VEXOUTILS_API const PaletteEntry g_cBasePalette[256];
