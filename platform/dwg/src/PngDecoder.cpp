// PNG to packed DIB: chunk walk with CRC checks, inflate through zlib into a buffer of the
// exact expected size, row unfiltering, and conversion to 8-bit indexed or 24-bit rows.
#include "dwg/PngDecoder.h"

#include <zlib.h>

#include <cstring>

#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

namespace dwgpreview {

namespace {

const std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

std::uint32_t be32(const std::uint8_t* p) {
    return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
           (static_cast<std::uint32_t>(p[2]) << 8) | p[3];
}

bool fail(std::string* why, const char* text) {
    if (why) *why = text;
    return false;
}

struct Header {
    std::uint32_t width = 0, height = 0;
    int depth = 0, colourType = 0, interlace = 0;
    int channels() const {
        switch (colourType) {
        case 0: case 3: return 1;
        case 2: return 3;
        case 4: return 2;
        default: return 4;
        }
    }
};

bool validCombination(int colourType, int depth) {
    switch (colourType) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2: case 4: case 6: return depth == 8 || depth == 16;
    default: return false;
    }
}

std::uint8_t paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = p > a ? p - a : a - p, pb = p > b ? p - b : b - p, pc = p > c ? p - c : c - p;
    return static_cast<std::uint8_t>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// Undoes the per-row filters in place; rows are 1 filter byte + rowBytes.
bool unfilter(std::uint8_t* raw, std::uint32_t rows, std::size_t rowBytes, std::size_t pixelBytes) {
    std::uint8_t* previous = nullptr;
    for (std::uint32_t r = 0; r < rows; ++r) {
        std::uint8_t* row = raw + r * (rowBytes + 1);
        const std::uint8_t filter = row[0];
        std::uint8_t* cur = row + 1;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            const int a = i >= pixelBytes ? cur[i - pixelBytes] : 0;
            const int b = previous ? previous[i] : 0;
            const int c = previous && i >= pixelBytes ? previous[i - pixelBytes] : 0;
            switch (filter) {
            case 0: break;
            case 1: cur[i] = static_cast<std::uint8_t>(cur[i] + a); break;
            case 2: cur[i] = static_cast<std::uint8_t>(cur[i] + b); break;
            case 3: cur[i] = static_cast<std::uint8_t>(cur[i] + ((a + b) >> 1)); break;
            case 4: cur[i] = static_cast<std::uint8_t>(cur[i] + paeth(a, b, c)); break;
            default: return false;
            }
        }
        previous = cur;
    }
    return true;
}

// Sample `index` of a row packed at `depth` bits (1, 2, 4, 8; 16 gives the high byte).
unsigned sampleAt(const std::uint8_t* row, std::size_t index, int depth) {
    switch (depth) {
    case 16: return row[index * 2];
    case 8: return row[index];
    default: {
        const std::size_t bit = index * depth;
        const unsigned shift = 8 - depth - static_cast<unsigned>(bit % 8);
        return (row[bit / 8] >> shift) & ((1u << depth) - 1);
    }
    }
}

// The seven passes of an interlaced picture: first column and row, column and row step.
struct Pass {
    std::uint32_t x0, y0, dx, dy;
};
const Pass kAdam7[7] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};

std::uint32_t passExtent(std::uint32_t size, std::uint32_t first, std::uint32_t step) {
    return size > first ? (size - first + step - 1) / step : 0;
}

std::size_t rowBytesFor(std::uint32_t width, std::size_t bitsPerPixel) { return (width * bitsPerPixel + 7) / 8; }

// Copies pixel `from` of one packed row to pixel `to` of another (rows zeroed beforehand).
void copyPixel(const std::uint8_t* src, std::size_t from, std::uint8_t* dst, std::size_t to, std::size_t bitsPerPixel) {
    if (bitsPerPixel >= 8) {
        const std::size_t n = bitsPerPixel / 8;
        std::memcpy(dst + to * n, src + from * n, n);
        return;
    }
    const unsigned depth = static_cast<unsigned>(bitsPerPixel);
    const std::size_t fromBit = from * depth, toBit = to * depth;
    const unsigned value = (src[fromBit / 8] >> (8 - depth - fromBit % 8)) & ((1u << depth) - 1);
    dst[toBit / 8] |= static_cast<std::uint8_t>(value << (8 - depth - toBit % 8));
}

std::uint8_t overWhite(unsigned value, unsigned alpha) {
    return static_cast<std::uint8_t>((value * alpha + 255u * (255u - alpha) + 127u) / 255u);
}

}  // namespace

bool pngSize(const std::uint8_t* data, std::size_t size, std::int32_t& width, std::int32_t& height) {
    if (size < 33 || std::memcmp(data, kSignature, 8) != 0 || std::memcmp(data + 12, "IHDR", 4) != 0) return false;
    const std::uint32_t w = be32(data + 16), h = be32(data + 20);
    if (w > 0x7FFFFFFF || h > 0x7FFFFFFF) return false;
    width = static_cast<std::int32_t>(w);
    height = static_cast<std::int32_t>(h);
    return true;
}

bool decodePng(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& dib, std::string* why) {
    if (size < 8 || std::memcmp(data, kSignature, 8) != 0) return fail(why, "not a PNG");
    Header ihdr;
    bool haveHeader = false, ended = false;
    std::uint8_t palette[256][3] = {};
    std::uint32_t paletteSize = 0;
    std::vector<std::uint8_t> compressed;
    std::size_t at = 8;
    while (!ended) {
        if (size - at < 12) return fail(why, "PNG chunk cut short");
        const std::uint32_t length = be32(data + at);
        const std::uint8_t* type = data + at + 4;
        if (length > size - at - 12) return fail(why, "PNG chunk runs past the data");
        const std::uint8_t* body = type + 4;
        const std::uint32_t crc = be32(body + length);
        if (crc32(crc32(0L, Z_NULL, 0), type, length + 4) != crc) return fail(why, "PNG chunk CRC mismatch");
        if (!haveHeader && std::memcmp(type, "IHDR", 4) != 0) return fail(why, "PNG does not start with IHDR");
        if (std::memcmp(type, "IHDR", 4) == 0) {
            if (haveHeader || length != 13) return fail(why, "bad IHDR");
            ihdr.width = be32(body);
            ihdr.height = be32(body + 4);
            ihdr.depth = body[8];
            ihdr.colourType = body[9];
            ihdr.interlace = body[12];
            if (body[10] != 0 || body[11] != 0 || ihdr.interlace > 1) return fail(why, "unknown PNG method");
            if (!validCombination(ihdr.colourType, ihdr.depth)) return fail(why, "invalid PNG colour type and depth");
            if (ihdr.width == 0 || ihdr.height == 0 || ihdr.width > static_cast<std::uint32_t>(kMaxPictureSide) ||
                ihdr.height > static_cast<std::uint32_t>(kMaxPictureSide))
                return fail(why, "PNG size out of range");
            haveHeader = true;
        } else if (std::memcmp(type, "PLTE", 4) == 0) {
            if (length % 3 != 0 || length / 3 > 256 || length == 0) return fail(why, "bad PLTE");
            paletteSize = length / 3;
            std::memcpy(palette, body, length);
        } else if (std::memcmp(type, "IDAT", 4) == 0) {
            compressed.insert(compressed.end(), body, body + length);
        } else if (std::memcmp(type, "IEND", 4) == 0) {
            ended = true;
        } else if (!(type[0] & 0x20)) {
            return fail(why, "unknown critical PNG chunk");
        }
        at += 12 + static_cast<std::size_t>(length);
    }
    if (ihdr.colourType == 3 && paletteSize == 0) return fail(why, "indexed PNG without palette");
    if (compressed.empty()) return fail(why, "PNG without image data");

    const std::size_t bitsPerPixel = static_cast<std::size_t>(ihdr.channels()) * ihdr.depth;
    const std::size_t rowBytes = (ihdr.width * bitsPerPixel + 7) / 8;
    const std::size_t pixelBytes = (bitsPerPixel + 7) / 8;
    std::uint64_t rawSize = static_cast<std::uint64_t>(rowBytes + 1) * ihdr.height;
    if (ihdr.interlace) {
        rawSize = 0;
        for (const Pass& p : kAdam7) {
            const std::uint32_t pw = passExtent(ihdr.width, p.x0, p.dx), ph = passExtent(ihdr.height, p.y0, p.dy);
            if (pw && ph) rawSize += static_cast<std::uint64_t>(rowBytesFor(pw, bitsPerPixel) + 1) * ph;
        }
    }
    const bool indexed = ihdr.colourType == 3 || ihdr.colourType == 0;
    const std::uint16_t outBits = indexed ? 8 : 24;
    const std::uint32_t stride = dibStride(static_cast<std::int32_t>(ihdr.width), outBits);
    const std::uint64_t outPixels = static_cast<std::uint64_t>(stride) * ihdr.height;
    if (rawSize > kMaxDibBytes || outPixels > kMaxDibBytes) return fail(why, "PNG too large");

    std::vector<std::uint8_t> raw(static_cast<std::size_t>(rawSize));
    z_stream z{};
    if (inflateInit(&z) != Z_OK) return fail(why, "zlib unavailable");
    z.next_in = compressed.data();
    z.avail_in = static_cast<uInt>(compressed.size());
    z.next_out = raw.data();
    z.avail_out = static_cast<uInt>(raw.size());
    int rc = Z_OK;
    while (rc == Z_OK && z.avail_out > 0) rc = inflate(&z, Z_NO_FLUSH);
    inflateEnd(&z);
    if (z.avail_out != 0 || (rc != Z_OK && rc != Z_STREAM_END)) return fail(why, "PNG image data damaged or short");
    // Rows of the whole picture, unfiltered: in place for a plain picture, gathered from the
    // seven passes for an interlaced one.
    const std::uint8_t* rows = raw.data() + 1;
    std::size_t rowStride = rowBytes + 1;
    std::vector<std::uint8_t> image;
    if (!ihdr.interlace) {
        if (!unfilter(raw.data(), ihdr.height, rowBytes, pixelBytes)) return fail(why, "unknown PNG row filter");
    } else {
        image.assign(rowBytes * ihdr.height, 0);
        std::uint8_t* pass = raw.data();
        for (const Pass& p : kAdam7) {
            const std::uint32_t pw = passExtent(ihdr.width, p.x0, p.dx), ph = passExtent(ihdr.height, p.y0, p.dy);
            if (!pw || !ph) continue;
            const std::size_t passRow = rowBytesFor(pw, bitsPerPixel);
            if (!unfilter(pass, ph, passRow, pixelBytes)) return fail(why, "unknown PNG row filter");
            for (std::uint32_t j = 0; j < ph; ++j) {
                const std::uint8_t* src = pass + j * (passRow + 1) + 1;
                std::uint8_t* dst = image.data() + static_cast<std::size_t>(p.y0 + j * p.dy) * rowBytes;
                for (std::uint32_t i = 0; i < pw; ++i) copyPixel(src, i, dst, p.x0 + i * p.dx, bitsPerPixel);
            }
            pass += static_cast<std::size_t>(passRow + 1) * ph;
        }
        rows = image.data();
        rowStride = rowBytes;
    }

    const std::uint32_t colours = indexed ? 256 : 0;
    const std::size_t offset = 40 + 4u * colours;
    dib.assign(offset + static_cast<std::size_t>(outPixels), 0);
    std::uint8_t* h = dib.data();
    put32(h, 40);
    put32(h + 4, ihdr.width);
    put32(h + 8, ihdr.height);
    put16(h + 12, 1);
    put16(h + 14, outBits);
    put32(h + 20, static_cast<std::uint32_t>(outPixels));
    put32(h + 32, colours);
    const unsigned greyScale = ihdr.depth == 1 ? 255 : ihdr.depth == 2 ? 85 : ihdr.depth == 4 ? 17 : 1;
    if (ihdr.colourType == 3) {
        for (std::uint32_t i = 0; i < paletteSize; ++i) {
            h[40 + 4 * i] = palette[i][2];
            h[40 + 4 * i + 1] = palette[i][1];
            h[40 + 4 * i + 2] = palette[i][0];
        }
    } else if (ihdr.colourType == 0) {
        const unsigned levels = ihdr.depth >= 8 ? 256 : (1u << ihdr.depth);
        for (unsigned i = 0; i < levels; ++i) {
            const std::uint8_t g = static_cast<std::uint8_t>(i * greyScale);
            h[40 + 4 * i] = h[40 + 4 * i + 1] = h[40 + 4 * i + 2] = g;
        }
    }
    for (std::uint32_t r = 0; r < ihdr.height; ++r) {
        const std::uint8_t* src = rows + static_cast<std::size_t>(r) * rowStride;
        std::uint8_t* dst = h + offset + static_cast<std::size_t>(ihdr.height - 1 - r) * stride;
        for (std::uint32_t x = 0; x < ihdr.width; ++x) {
            if (indexed) {
                unsigned v = sampleAt(src, x, ihdr.depth);
                if (ihdr.colourType == 3 && v >= paletteSize) v = 0;  // out-of-range index
                dst[x] = static_cast<std::uint8_t>(v);
                continue;
            }
            const int ch = ihdr.channels();
            unsigned s[4];
            for (int c = 0; c < ch; ++c) s[c] = sampleAt(src, static_cast<std::size_t>(x) * ch + c, ihdr.depth);
            unsigned red, green, blue, alpha = 255;
            if (ihdr.colourType == 4) { red = green = blue = s[0]; alpha = s[1]; }
            else { red = s[0]; green = s[1]; blue = s[2]; if (ch == 4) alpha = s[3]; }
            dst[3 * x] = overWhite(blue, alpha);
            dst[3 * x + 1] = overWhite(green, alpha);
            dst[3 * x + 2] = overWhite(red, alpha);
        }
    }
    return true;
}

}  // namespace dwgpreview
