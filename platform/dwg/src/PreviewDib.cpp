// Packed DIB checks and the normal form handed out by the library.
// Sizes are computed in 64 bits and capped before anything is allocated.
#include "dwg/PreviewDib.h"

#include <cstring>

#include "dwg/DibDecode.h"
#include "dwg/PreviewReader.h"

namespace dwgpreview {

namespace {
bool fail(std::string* why, const char* text) {
    if (why) *why = text;
    return false;
}
}  // namespace

std::uint32_t dibStride(std::int32_t width, std::uint16_t bitCount) {
    if (width <= 0 || bitCount == 0) return 0;
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * bitCount;
    const std::uint64_t stride = (bits + 31) / 32 * 4;
    return stride > 0xFFFFFFFFu ? 0 : static_cast<std::uint32_t>(stride);
}

bool inspectDib(const std::uint8_t* data, std::size_t size, DibLayout& layout, std::string* why) {
    if (size < 40) return fail(why, "DIB shorter than its header");
    const std::uint32_t headerSize = le32(data);
    // The plain header and its two later extensions; the extra fields are not needed.
    if (headerSize != 40 && headerSize != 108 && headerSize != 124) return fail(why, "unknown DIB header size");
    if (headerSize > size) return fail(why, "DIB header larger than the data");
    const std::int32_t width = static_cast<std::int32_t>(le32(data + 4));
    const std::int32_t height = static_cast<std::int32_t>(le32(data + 8));
    const std::uint16_t planes = le16(data + 12);
    const std::uint16_t bitCount = le16(data + 14);
    const std::uint32_t compression = le32(data + 16);
    const std::uint32_t clrUsed = le32(data + 32);
    if (planes != 1) return fail(why, "DIB planes not 1");
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        return fail(why, "unsupported DIB bit count");
    if (compression != 0) return fail(why, "compressed DIB");
    if (width <= 0 || width > kMaxPictureSide) return fail(why, "DIB width out of range");
    if (height == 0 || height < -kMaxPictureSide || height > kMaxPictureSide) return fail(why, "DIB height out of range");
    std::uint32_t colours = 0;
    if (bitCount <= 8) {
        const std::uint32_t full = 1u << bitCount;
        if (clrUsed > full) return fail(why, "more colours than the bit count allows");
        colours = clrUsed ? clrUsed : full;
    } else if (clrUsed > 256) {
        return fail(why, "colour table too large");
    } else {
        colours = clrUsed;  // an optional table that precedes the rows
    }
    const std::uint32_t stride = dibStride(width, bitCount);
    const std::uint32_t rows = static_cast<std::uint32_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(stride) * rows;
    if (pixelBytes > kMaxDibBytes) return fail(why, "DIB too large");
    const std::uint64_t pixelOffset = static_cast<std::uint64_t>(headerSize) + 4ull * colours;
    if (pixelOffset + pixelBytes > size) return fail(why, "DIB rows run past the data");
    layout.width = width;
    layout.height = static_cast<std::int32_t>(rows);
    layout.topDown = height < 0;
    layout.bitCount = bitCount;
    layout.headerSize = headerSize;
    layout.colours = colours;
    layout.stride = stride;
    layout.pixelOffset = static_cast<std::size_t>(pixelOffset);
    layout.pixelBytes = static_cast<std::size_t>(pixelBytes);
    return true;
}

namespace {
bool isCompressed(const std::uint8_t* data, std::size_t size) {
    return data && size >= 40 && isExpandableCompression(le32(data + 16));
}
}  // namespace

bool normaliseDib(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::string* why) {
    if (isCompressed(data, size)) return expandDib(data, size, out, why);
    DibLayout in;
    if (!inspectDib(data, size, in, why)) return false;
    // A full table for indexed pictures, none for the others (an optional table of a
    // true-colour DIB is only a display hint).
    const std::uint32_t colours = in.bitCount <= 8 ? (1u << in.bitCount) : 0;
    const std::size_t pixelOffset = 40 + 4u * colours;
    out.assign(pixelOffset + in.pixelBytes, 0);
    std::uint8_t* h = out.data();
    put32(h, 40);
    put32(h + 4, static_cast<std::uint32_t>(in.width));
    put32(h + 8, static_cast<std::uint32_t>(in.height));
    put16(h + 12, 1);
    put16(h + 14, in.bitCount);
    put32(h + 16, 0);
    put32(h + 20, static_cast<std::uint32_t>(in.pixelBytes));
    put32(h + 32, colours);
    // The palette's fourth byte is junk in many files; zero it.
    const std::uint32_t copied = in.bitCount <= 8 ? in.colours : 0;
    for (std::uint32_t i = 0; i < copied; ++i) {
        std::memcpy(h + 40 + 4 * i, data + in.headerSize + 4 * i, 3);
        h[40 + 4 * i + 3] = 0;
    }
    std::uint8_t* rows = h + pixelOffset;
    const std::uint8_t* src = data + in.pixelOffset;
    if (in.topDown) {
        for (std::int32_t r = 0; r < in.height; ++r)
            std::memcpy(rows + static_cast<std::size_t>(in.height - 1 - r) * in.stride,
                        src + static_cast<std::size_t>(r) * in.stride, in.stride);
    } else {
        std::memcpy(rows, src, in.pixelBytes);
    }
    if (in.bitCount == 32) {  // opaque: alpha bytes are not meaningful in previews
        for (std::size_t i = 3; i < in.pixelBytes; i += 4) rows[i] = 0xFF;
    }
    return true;
}

bool normaliseDibInPlace(std::vector<std::uint8_t>& dib, std::string* why) {
    if (isCompressed(dib.data(), dib.size())) {
        std::vector<std::uint8_t> out;
        if (!expandDib(dib.data(), dib.size(), out, why)) return false;
        dib.swap(out);
        return true;
    }
    DibLayout in;
    if (!inspectDib(dib.data(), dib.size(), in, why)) return false;
    const std::uint32_t full = in.bitCount <= 8 ? (1u << in.bitCount) : 0;
    if (in.headerSize != 40 || in.topDown || in.colours != full) {
        std::vector<std::uint8_t> out;
        if (!normaliseDib(dib.data(), dib.size(), out, why)) return false;
        dib.swap(out);
        return true;
    }
    std::uint8_t* h = dib.data();
    put32(h + 20, static_cast<std::uint32_t>(in.pixelBytes));
    put32(h + 24, 0);  // resolution and "important colours": not kept by the copy either
    put32(h + 28, 0);
    put32(h + 32, full);
    put32(h + 36, 0);
    for (std::uint32_t i = 0; i < full; ++i) h[40 + 4 * i + 3] = 0;
    if (in.bitCount == 32) {
        std::uint8_t* rows = h + in.pixelOffset;
        for (std::size_t i = 3; i < in.pixelBytes; i += 4) rows[i] = 0xFF;
    }
    dib.resize(in.pixelOffset + in.pixelBytes);
    return true;
}

}  // namespace dwgpreview
