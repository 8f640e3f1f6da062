// Compressed and bit-field DIB builders (see CompressedDibs.h). The coder is written
// from the format's rules alone, independently of the expansion it is used to test.
#include "CompressedDibs.h"

#include <cstring>

namespace fixtures {

namespace {
int maskShift(std::uint32_t m) {
    int s = 0;
    while (m && !(m >> s & 1)) ++s;
    return s;
}
int maskBits(std::uint32_t m) {
    int n = 0;
    for (std::uint32_t r = m >> maskShift(m); r & 1; r >>= 1) ++n;
    return n;
}
// The top bits of an eight-bit channel value placed into a mask.
std::uint32_t place(std::uint32_t value8, std::uint32_t mask) {
    const int bits = maskBits(mask);
    if (!bits) return 0;
    const std::uint32_t v = bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
    return (v << maskShift(mask)) & mask;
}
}  // namespace

Bytes makeRunFriendlyDib(int width, int height, int bpp) {
    Bytes dib = makeDib(width, height, bpp);
    const std::uint32_t stride = ((width * bpp + 31) / 32) * 4;
    const std::uint32_t mask = (1u << bpp) - 1;
    const std::size_t rowsAt = 40 + 4u * (1u << bpp);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = dib.data() + rowsAt + static_cast<std::size_t>(height - 1 - y) * stride;
        std::memset(row, 0, stride);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = (y % 2 ? (x * 7 + y * 13) : (x / 6 + y)) & mask;
            if (bpp == 8) row[x] = static_cast<std::uint8_t>(v);
            else row[x / 2] |= static_cast<std::uint8_t>(v << (x % 2 ? 0 : 4));
        }
    }
    return dib;
}

Bytes encodeRunLength(const Bytes& plain) {
    const int width = static_cast<int>(get32(plain, 4));
    const int height = static_cast<int>(get32(plain, 8));
    const int bpp = plain[14];
    const std::uint32_t used = get32(plain, 32);
    const std::size_t rowsAt = 40 + 4u * (used ? used : 1u << bpp);
    const std::uint32_t stride = ((width * bpp + 31) / 32) * 4;
    auto pixel = [&](int x, int storedRow) -> std::uint8_t {
        const std::uint8_t* row = plain.data() + rowsAt + static_cast<std::size_t>(storedRow) * stride;
        return bpp == 8 ? row[x] : static_cast<std::uint8_t>(x % 2 ? row[x / 2] & 15 : row[x / 2] >> 4);
    };
    Bytes codes;
    for (int r = 0; r < height; ++r) {
        int x = 0;
        while (x < width) {
            int run = 1;
            while (x + run < width && run < 255 && pixel(x + run, r) == pixel(x, r)) ++run;
            if (run >= 3 || width - x < 3) {
                const std::uint8_t v = pixel(x, r);
                codes.push_back(static_cast<std::uint8_t>(run));
                codes.push_back(bpp == 8 ? v : static_cast<std::uint8_t>(v << 4 | v));
                x += run;
                continue;
            }
            // Literal pixels up to the next run of three (at least three of them).
            int n = 0;
            while (x + n < width && n < 255) {
                if (n >= 3 && x + n + 2 < width && pixel(x + n, r) == pixel(x + n + 1, r) &&
                    pixel(x + n, r) == pixel(x + n + 2, r))
                    break;
                ++n;
            }
            if (n < 3) n = 3 <= width - x ? 3 : width - x;
            codes.push_back(0);
            codes.push_back(static_cast<std::uint8_t>(n));
            std::size_t bytes = 0;
            for (int i = 0; i < n; ++i) {
                if (bpp == 8) {
                    codes.push_back(pixel(x + i, r));
                    ++bytes;
                } else if (i % 2 == 0) {
                    codes.push_back(static_cast<std::uint8_t>(pixel(x + i, r) << 4));
                    ++bytes;
                } else {
                    codes.back() |= pixel(x + i, r);
                }
            }
            if (bytes % 2) codes.push_back(0);
            x += n;
        }
        codes.push_back(0);
        codes.push_back(r + 1 == height ? 1 : 0);
    }
    Bytes out(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(rowsAt));
    put32(out, 16, bpp == 8 ? 1 : 2);
    put32(out, 20, static_cast<std::uint32_t>(codes.size()));
    out.insert(out.end(), codes.begin(), codes.end());
    return out;
}

Bytes makeBitFieldDib(int width, int height, int bpp, Masks masks, std::uint32_t headerSize, bool topDown) {
    const std::uint32_t stride = ((width * bpp + 31) / 32) * 4;
    const std::size_t rowsAt = headerSize == 40 ? 52 : headerSize;
    Bytes b(rowsAt + static_cast<std::size_t>(stride) * height, 0);
    put32(b, 0, headerSize);
    put32(b, 4, static_cast<std::uint32_t>(width));
    put32(b, 8, static_cast<std::uint32_t>(topDown ? -height : height));
    b[12] = 1;
    b[14] = static_cast<std::uint8_t>(bpp);
    put32(b, 16, 3);
    put32(b, 20, stride * static_cast<std::uint32_t>(height));
    put32(b, 40, masks.red);
    put32(b, 44, masks.green);
    put32(b, 48, masks.blue);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = b.data() + rowsAt + static_cast<std::size_t>(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = pixelValue(x, y, 24);
            const std::uint32_t v = place(c >> 16, masks.red) | place((c >> 8) & 255, masks.green) | place(c & 255, masks.blue);
            for (int i = 0; i < bpp / 8; ++i) row[x * (bpp / 8) + i] = static_cast<std::uint8_t>(v >> (8 * i));
        }
    }
    return b;
}

}  // namespace fixtures
