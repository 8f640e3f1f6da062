// Run-length and bit-field DIBs expanded into plain rows. The coded data is walked pair by
// pair with every read bounded by the data; positions are clamped to the picture, so a
// hostile run can neither write outside the rows nor make the walk longer than the data.
#include "dwg/DibDecode.h"

#include <cstring>

#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

namespace dwgpreview {

namespace {

bool fail(std::string* why, const char* text) {
    if (why) *why = text;
    return false;
}

struct Header {
    std::uint32_t headerSize;
    std::int32_t width;
    std::int32_t height;  // as stored: negative for top-down rows
    std::uint16_t bitCount;
    std::uint32_t compression;
    std::uint32_t sizeImage;
    std::uint32_t clrUsed;
};

bool readHeader(const std::uint8_t* data, std::size_t size, Header& h, std::string* why) {
    if (size < 40) return fail(why, "DIB shorter than its header");
    h.headerSize = le32(data);
    if (h.headerSize != 40 && h.headerSize != 108 && h.headerSize != 124) return fail(why, "unknown DIB header size");
    if (h.headerSize > size) return fail(why, "DIB header larger than the data");
    h.width = static_cast<std::int32_t>(le32(data + 4));
    h.height = static_cast<std::int32_t>(le32(data + 8));
    if (le16(data + 12) != 1) return fail(why, "DIB planes not 1");
    h.bitCount = le16(data + 14);
    h.compression = le32(data + 16);
    h.sizeImage = le32(data + 20);
    h.clrUsed = le32(data + 32);
    if (h.width <= 0 || h.width > kMaxPictureSide) return fail(why, "DIB width out of range");
    if (h.height == 0 || h.height < -kMaxPictureSide || h.height > kMaxPictureSide)
        return fail(why, "DIB height out of range");
    return true;
}

// The 40-byte header of the normal form.
void writeHeader(std::uint8_t* h, std::int32_t width, std::int32_t height, std::uint16_t bitCount,
                 std::uint32_t pixelBytes, std::uint32_t colours) {
    std::memset(h, 0, 40);
    put32(h, 40);
    put32(h + 4, static_cast<std::uint32_t>(width));
    put32(h + 8, static_cast<std::uint32_t>(height));
    put16(h + 12, 1);
    put16(h + 14, bitCount);
    put32(h + 20, pixelBytes);
    put32(h + 32, colours);
}

// ---------------------------------------------------------------- run-length codes

class RunWriter {
public:
    RunWriter(std::uint8_t* rows, std::uint32_t stride, std::int32_t width, std::int32_t height, bool fourBits)
        : rows_(rows), stride_(stride), width_(width), height_(height), fourBits_(fourBits) {}

    bool done() const { return y_ >= height_; }
    void put(std::uint32_t index) {
        if (x_ < width_ && y_ < height_) {
            std::uint8_t* row = rows_ + static_cast<std::size_t>(y_) * stride_;
            if (fourBits_) {
                std::uint8_t& b = row[x_ / 2];
                b = static_cast<std::uint8_t>(x_ % 2 ? (b & 0xF0) | (index & 15) : (b & 0x0F) | (index & 15) << 4);
            } else {
                row[x_] = static_cast<std::uint8_t>(index);
            }
        }
        advance(1);
    }
    // Positions past the right edge are not drawn; clamping keeps the sums small.
    void advance(std::uint32_t columns) {
        const std::int64_t x = static_cast<std::int64_t>(x_) + columns;
        x_ = static_cast<std::int32_t>(x > width_ ? width_ : x);
    }
    void endOfLine() {
        x_ = 0;
        ++y_;
    }
    void jump(std::uint32_t dx, std::uint32_t dy) {
        advance(dx);
        const std::int64_t y = static_cast<std::int64_t>(y_) + dy;
        y_ = static_cast<std::int32_t>(y > height_ ? height_ : y);
    }

private:
    std::uint8_t* rows_;
    std::uint32_t stride_;
    std::int32_t width_, height_;
    bool fourBits_;
    std::int32_t x_ = 0, y_ = 0;  // y counts rows from the bottom, as they are stored
};

// Pairs of bytes: a count and a value (a run), or 0 and an escape: 0 end of line, 1 end
// of picture, 2 a jump right and up, 3 and more that many literal pixels padded to 16 bits.
void decodeRuns(const std::uint8_t* p, const std::uint8_t* end, RunWriter& out, bool fourBits) {
    while (end - p >= 2 && !out.done()) {
        const std::uint8_t count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i) out.put(fourBits ? (i % 2 ? value & 15 : value >> 4) : value);
            continue;
        }
        if (value == 0) {
            out.endOfLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (end - p < 2) return;
            out.jump(p[0], p[1]);
            p += 2;
        } else {
            const std::size_t bytes = fourBits ? (value + 1u) / 2 : value;
            const std::size_t available = static_cast<std::size_t>(end - p);
            for (unsigned i = 0; i < value; ++i) {
                const std::size_t at = fourBits ? i / 2 : i;
                if (at >= available) return;
                out.put(fourBits ? (i % 2 ? p[at] & 15 : p[at] >> 4) : p[at]);
            }
            const std::size_t padded = bytes + (bytes & 1);
            p += padded < available ? padded : available;
        }
    }
}

bool expandRuns(const std::uint8_t* data, std::size_t size, const Header& h, std::vector<std::uint8_t>& out,
                std::string* why) {
    const bool fourBits = h.compression == kDibRle4;
    if (h.bitCount != (fourBits ? 4 : 8)) return fail(why, "run-length code for another bit count");
    if (h.height < 0) return fail(why, "run-length DIB stored top-down");
    const std::uint32_t full = 1u << h.bitCount;
    if (h.clrUsed > full) return fail(why, "more colours than the bit count allows");
    const std::uint32_t colours = h.clrUsed ? h.clrUsed : full;
    const std::uint64_t codeStart = static_cast<std::uint64_t>(h.headerSize) + 4ull * colours;
    if (codeStart > size) return fail(why, "DIB colour table runs past the data");
    std::uint64_t codeBytes = size - codeStart;
    if (h.sizeImage) {
        if (h.sizeImage > codeBytes) return fail(why, "run-length data runs past the data");
        codeBytes = h.sizeImage;
    }
    const std::uint32_t stride = dibStride(h.width, h.bitCount);
    const std::uint64_t pixelBytes = static_cast<std::uint64_t>(stride) * static_cast<std::uint32_t>(h.height);
    if (pixelBytes > kMaxDibBytes) return fail(why, "DIB too large");

    const std::size_t pixelOffset = 40 + 4u * full;
    out.assign(pixelOffset + static_cast<std::size_t>(pixelBytes), 0);
    writeHeader(out.data(), h.width, h.height, h.bitCount, static_cast<std::uint32_t>(pixelBytes), full);
    for (std::uint32_t i = 0; i < colours; ++i) std::memcpy(out.data() + 40 + 4 * i, data + h.headerSize + 4 * i, 3);
    RunWriter writer(out.data() + pixelOffset, stride, h.width, h.height, fourBits);
    decodeRuns(data + codeStart, data + codeStart + codeBytes, writer, fourBits);
    return true;
}

// ---------------------------------------------------------------- bit fields

struct Channel {
    std::uint32_t mask;
    int shift;  // of the mask's lowest bit
    int bits;   // width of the mask
};

bool makeChannel(std::uint32_t mask, std::uint16_t bitCount, Channel& c) {
    c.mask = mask;
    c.shift = 0;
    c.bits = 0;
    if (mask == 0) return true;  // a channel that is always 0
    if (bitCount == 16 && mask > 0xFFFF) return false;
    while (!(mask >> c.shift & 1)) ++c.shift;
    const std::uint32_t run = mask >> c.shift;
    if (run & (run + 1ull)) return false;  // the bits must be contiguous
    while (c.bits < 32 && (run >> c.bits & 1)) ++c.bits;
    return true;
}

// Eight bits from a channel: the top eight of a wide one, the bits repeated downwards for
// a narrow one (five bits abcde give abcdeabc).
std::uint8_t channelValue(std::uint32_t pixel, const Channel& c) {
    if (c.bits == 0) return 0;
    const std::uint32_t v = (pixel & c.mask) >> c.shift;
    if (c.bits >= 8) return static_cast<std::uint8_t>(v >> (c.bits - 8));
    std::uint32_t result = 0;
    for (int filled = 0; filled < 8; filled += c.bits) result |= (v << (8 - c.bits)) >> filled;
    return static_cast<std::uint8_t>(result);
}

bool expandBitFields(const std::uint8_t* data, std::size_t size, const Header& h, std::vector<std::uint8_t>& out,
                     std::string* why) {
    if (h.bitCount != 16 && h.bitCount != 32) return fail(why, "bit fields for a bit count other than 16 or 32");
    // The masks follow a plain header; the longer headers hold them.
    std::size_t tableStart = h.headerSize;
    if (h.headerSize == 40) {
        if (size < 52) return fail(why, "bit-field masks run past the data");
        tableStart = 52;
    }
    Channel red, green, blue;
    if (!makeChannel(le32(data + 40), h.bitCount, red) || !makeChannel(le32(data + 44), h.bitCount, green) ||
        !makeChannel(le32(data + 48), h.bitCount, blue))
        return fail(why, "bit-field mask not one run of bits");
    if (h.clrUsed > 256) return fail(why, "colour table too large");
    const std::uint64_t rowsStart = tableStart + 4ull * h.clrUsed;  // an optional table, not used
    const std::uint32_t rows = static_cast<std::uint32_t>(h.height < 0 ? -static_cast<std::int64_t>(h.height) : h.height);
    const std::uint32_t stride = dibStride(h.width, h.bitCount);
    if (rowsStart + static_cast<std::uint64_t>(stride) * rows > size) return fail(why, "DIB rows run past the data");
    const std::uint64_t pixelBytes = 4ull * static_cast<std::uint32_t>(h.width) * rows;
    if (pixelBytes > kMaxDibBytes) return fail(why, "DIB too large");

    out.assign(40 + static_cast<std::size_t>(pixelBytes), 0);
    writeHeader(out.data(), h.width, static_cast<std::int32_t>(rows), 32, static_cast<std::uint32_t>(pixelBytes), 0);
    std::uint8_t* target = out.data() + 40;
    for (std::uint32_t r = 0; r < rows; ++r) {
        const std::uint32_t sourceRow = h.height < 0 ? rows - 1 - r : r;  // normal form: bottom-up
        const std::uint8_t* s = data + rowsStart + static_cast<std::size_t>(sourceRow) * stride;
        std::uint8_t* t = target + static_cast<std::size_t>(r) * 4u * static_cast<std::uint32_t>(h.width);
        for (std::int32_t x = 0; x < h.width; ++x) {
            const std::uint32_t pixel = h.bitCount == 16 ? le16(s + 2 * x) : le32(s + 4 * x);
            t[4 * x] = channelValue(pixel, blue);
            t[4 * x + 1] = channelValue(pixel, green);
            t[4 * x + 2] = channelValue(pixel, red);
            t[4 * x + 3] = 0xFF;
        }
    }
    return true;
}

}  // namespace

bool isExpandableCompression(std::uint32_t compression) {
    return compression == kDibRle8 || compression == kDibRle4 || compression == kDibBitFields;
}

bool expandDib(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& out, std::string* why) {
    Header h;
    if (!data || !readHeader(data, size, h, why)) return false;
    switch (h.compression) {
    case kDibRle8:
    case kDibRle4: return expandRuns(data, size, h, out, why);
    case kDibBitFields: return expandBitFields(data, size, h, out, why);
    default: return fail(why, "compressed DIB");
    }
}

}  // namespace dwgpreview
