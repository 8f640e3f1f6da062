// Builders of DIBs stored compressed (run-length codes) or with bit-field masks, for the
// tests of their expansion and of thumbnails drawn from them.
#pragma once

#include <cstdint>

#include "PreviewFixtures.h"

namespace fixtures {

// An indexed (4 or 8 bits) bottom-up DIB whose rows alternate between long runs of one
// index and rows without any runs, so that a coder needs both kinds of code.
Bytes makeRunFriendlyDib(int width, int height, int bpp);

// The same picture run-length coded (compression 1 for 8 bits, 2 for 4 bits): runs of
// three or more equal pixels as runs, the rest as literal groups, every row closed by an
// end-of-line code and the picture by an end-of-picture code. Header and colour table
// are kept; the image size field holds the length of the codes.
Bytes encodeRunLength(const Bytes& plainIndexedDib);

struct Masks {
    std::uint32_t red, green, blue;
};
// A bit-field DIB (compression 3) of 16 or 32 bits: pixel (x, y from the top) holds
// pixelValue(x, y, 24) with each channel cut to the top bits its mask has room for.
// `headerSize` 40 puts the masks after the header, 108 or 124 inside it.
Bytes makeBitFieldDib(int width, int height, int bpp, Masks masks, std::uint32_t headerSize = 40,
                      bool topDown = false);

}  // namespace fixtures
