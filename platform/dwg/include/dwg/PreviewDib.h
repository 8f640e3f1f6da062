// Checking and normalising packed device-independent bitmaps (BITMAPINFOHEADER, colour
// table, rows) taken from files. The normal form is what simple consumers expect: a
// 40-byte header, a full colour table for 1/4/8 bits, bottom-up rows, opaque pixels.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwgpreview {

struct DibLayout {
    std::int32_t width = 0;
    std::int32_t height = 0;      // absolute value
    bool topDown = false;
    std::uint16_t bitCount = 0;
    std::uint32_t headerSize = 0;
    std::uint32_t colours = 0;    // entries in the colour table as stored
    std::uint32_t stride = 0;     // bytes per row
    std::size_t pixelOffset = 0;  // from the start of the DIB
    std::size_t pixelBytes = 0;
};

// Checks a packed DIB with plain rows against its length: header size, planes, bit count,
// compression (none), dimensions and caps, colour count; the rows must fit. On failure
// `why` says what.
bool inspectDib(const std::uint8_t* data, std::size_t size, DibLayout& layout, std::string* why);

// Writes the normal form of a checked DIB; run-length and bit-field DIBs are expanded
// (DibDecode.h).
bool normaliseDib(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out,
                  std::string* why);

// As normaliseDib, but in the buffer itself when it already has the normal layout (the
// usual case for stored previews): saves a copy of the whole picture.
bool normaliseDibInPlace(std::vector<std::uint8_t>& dib, std::string* why);

// Row stride of a DIB: rows padded to 32 bits. 0 if it would overflow.
std::uint32_t dibStride(std::int32_t width, std::uint16_t bitCount);

// Little-endian field access shared by the readers.
inline std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
inline std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void put16(std::uint8_t* p, std::uint32_t v) { p[0] = v & 0xFF; p[1] = (v >> 8) & 0xFF; }
inline void put32(std::uint8_t* p, std::uint32_t v) {
    p[0] = v & 0xFF; p[1] = (v >> 8) & 0xFF; p[2] = (v >> 16) & 0xFF; p[3] = (v >> 24) & 0xFF;
}

}  // namespace dwgpreview
