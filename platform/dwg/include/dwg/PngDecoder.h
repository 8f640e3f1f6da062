// Decoder of the PNG previews newer drawings store, into a packed DIB: indexed and grey
// pictures become 8 bits with a colour table, colour pictures 24 bits; transparency is
// laid over white. Non-interlaced pictures only (the kind drawings carry). Needs zlib.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwgpreview {

// Reads width and height from the IHDR chunk only (false if the start is not a PNG).
bool pngSize(const std::uint8_t* data, std::size_t size, std::int32_t& width, std::int32_t& height);

// Decodes the whole picture; checks chunk CRCs, sizes and caps. On failure `why` says what.
bool decodePng(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& dib,
               std::string* why);

}  // namespace dwgpreview
