// Expanding the packed DIBs that store their rows compressed (run-length coded with 8 or 4
// bits per pixel) or as bit fields (16 or 32 bits with channel masks) into the normal form
// of PreviewDib.h, so that consumers only ever see plain rows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwgpreview {

// Compression codes of a DIB header.
constexpr std::uint32_t kDibRgb = 0;
constexpr std::uint32_t kDibRle8 = 1;
constexpr std::uint32_t kDibRle4 = 2;
constexpr std::uint32_t kDibBitFields = 3;

// True for the codes expandDib handles.
bool isExpandableCompression(std::uint32_t compression);

// Writes the normal form of a run-length coded or bit-field DIB. Run-length pictures keep
// their bit count and colour table; pixels the codes never reach (skipped by a jump, or
// left when the data ends early) take colour index 0 rather than whatever lay below. Bit-field
// pictures become 32 bits per pixel with each channel widened to eight bits by repeating
// its bits. Everything is checked against `size`; on failure `why` says what.
bool expandDib(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::string* why);

}  // namespace dwgpreview
