// Builders for synthetic drawings and pictures (see PreviewFixtures.h).
// Drawings are laid out as native writers lay them out, so tests edit single fields.
#include "PreviewFixtures.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>

namespace fixtures {

namespace {
const std::uint8_t kStart[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                 0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};

void put16(Bytes& b, std::size_t at, std::uint32_t v) { b[at] = v & 0xFF; b[at + 1] = (v >> 8) & 0xFF; }
void append32be(Bytes& b, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) b.push_back(static_cast<std::uint8_t>(v >> s));
}
void appendChunk(Bytes& png, const char* type, const Bytes& body) {
    append32be(png, static_cast<std::uint32_t>(body.size()));
    const std::size_t typeAt = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), body.begin(), body.end());
    append32be(png, static_cast<std::uint32_t>(crc32(0, png.data() + typeAt, static_cast<uInt>(body.size() + 4))));
}
}  // namespace

void put32(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
std::uint32_t get32(const Bytes& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::string samplePath(const std::string& relative) { return std::string(KIVRA_TESTDATA_DIR) + "/" + relative; }

Bytes readSample(const std::string& relative) {
    std::ifstream in(samplePath(relative), std::ios::binary);
    EXPECT_TRUE(in.good()) << "missing sample " << relative;
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> sampleDrawings() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(samplePath("dwg").c_str())) {
        while (dirent* e = readdir(dir)) {
            std::string n = e->d_name;
            if (n.size() > 4 && n.substr(n.size() - 4) == ".dwg") names.push_back(n);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::uint32_t pixelValue(int x, int y, int bpp) {
    switch (bpp) {
    case 1: return (x + y) & 1;
    case 4: return (x * 3 + y) & 15;
    case 8: return (x * 7 + y * 13) & 255;
    default: return (static_cast<std::uint32_t>(x * 5 & 255) << 16) | ((y * 9 & 255) << 8) | ((x + y) & 255);
    }
}

std::uint32_t colourOf(std::uint32_t i) { return ((i * 37) & 255) << 16 | ((i * 91 + 3) & 255) << 8 | ((i * 53 + 7) & 255); }

Bytes makeDib(int width, int height, int bpp, bool topDown, std::uint32_t clrUsed) {
    const std::uint32_t colours = bpp <= 8 ? (clrUsed ? clrUsed : 1u << bpp) : 0;
    const std::uint32_t stride = ((width * bpp + 31) / 32) * 4;
    Bytes b(40 + 4 * colours + static_cast<std::size_t>(stride) * height, 0);
    put32(b, 0, 40);
    put32(b, 4, width);
    put32(b, 8, static_cast<std::uint32_t>(topDown ? -height : height));
    put16(b, 12, 1);
    put16(b, 14, bpp);
    put32(b, 20, stride * height);
    put32(b, 32, clrUsed);
    for (std::uint32_t i = 0; i < colours; ++i) {
        const std::uint32_t c = colourOf(i);
        b[40 + 4 * i] = c & 255;
        b[41 + 4 * i] = (c >> 8) & 255;
        b[42 + 4 * i] = (c >> 16) & 255;
        b[43 + 4 * i] = 0xA5;  // junk, as in real files
    }
    std::uint8_t* rows = b.data() + 40 + 4 * colours;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows + static_cast<std::size_t>(topDown ? y : height - 1 - y) * stride;
        for (int x = 0; x < width; ++x) {
            const std::uint32_t v = pixelValue(x, y, bpp);
            switch (bpp) {
            case 1: row[x / 8] |= v << (7 - x % 8); break;
            case 4: row[x / 2] |= v << (x % 2 ? 0 : 4); break;
            case 8: row[x] = static_cast<std::uint8_t>(v); break;
            case 16: {  // 5-5-5
                const std::uint32_t w = ((v >> 19) & 31) << 10 | ((v >> 11) & 31) << 5 | ((v >> 3) & 31);
                row[2 * x] = w & 255; row[2 * x + 1] = w >> 8; break;
            }
            case 24: row[3 * x] = v & 255; row[3 * x + 1] = (v >> 8) & 255; row[3 * x + 2] = v >> 16; break;
            case 32: row[4 * x] = v & 255; row[4 * x + 1] = (v >> 8) & 255; row[4 * x + 2] = v >> 16; row[4 * x + 3] = x == 0 ? 0 : 0xFF; break;
            }
        }
    }
    return b;
}

std::uint32_t dibPixel(const Bytes& dib, int x, int y) {
    const int width = static_cast<int>(get32(dib, 4));
    const int rawHeight = static_cast<int>(get32(dib, 8));
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const int bpp = dib[14] | (dib[15] << 8);
    const std::uint32_t used = get32(dib, 32);
    const std::uint32_t colours = bpp <= 8 ? (used ? used : 1u << bpp) : 0;
    const std::uint32_t stride = ((width * bpp + 31) / 32) * 4;
    const std::uint8_t* row = dib.data() + get32(dib, 0) + 4 * colours +
                              static_cast<std::size_t>(rawHeight < 0 ? y : height - 1 - y) * stride;
    auto palette = [&](std::uint32_t i) {
        const std::uint8_t* e = dib.data() + get32(dib, 0) + 4 * i;
        return static_cast<std::uint32_t>(e[2] << 16 | e[1] << 8 | e[0]);
    };
    switch (bpp) {
    case 1: return palette((row[x / 8] >> (7 - x % 8)) & 1);
    case 4: return palette((row[x / 2] >> (x % 2 ? 0 : 4)) & 15);
    case 8: return palette(row[x]);
    case 16: {
        const std::uint32_t w = row[2 * x] | (row[2 * x + 1] << 8);
        return ((w >> 10) & 31) << 19 | ((w >> 5) & 31) << 11 | (w & 31) << 3;
    }
    case 24: return static_cast<std::uint32_t>(row[3 * x + 2] << 16 | row[3 * x + 1] << 8 | row[3 * x]);
    default: return static_cast<std::uint32_t>(row[4 * x + 2] << 16 | row[4 * x + 1] << 8 | row[4 * x]);
    }
}

namespace {
// Filters rows with the filter types 0..4 in turn (the decoder must undo each).
void appendFiltered(Bytes& raw, const std::vector<Bytes>& rows, std::size_t bpp) {
    Bytes previous;
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const Bytes& plain = rows[y];
        if (previous.size() != plain.size()) previous.assign(plain.size(), 0);
        const int type = static_cast<int>(y % 5);
        raw.push_back(static_cast<std::uint8_t>(type));
        for (std::size_t i = 0; i < plain.size(); ++i) {
            const int a = i >= bpp ? plain[i - bpp] : 0, b = previous[i], c = i >= bpp ? previous[i - bpp] : 0;
            int pred = 0;
            switch (type) {
            case 1: pred = a; break;
            case 2: pred = b; break;
            case 3: pred = (a + b) >> 1; break;
            case 4: { const int q = a + b - c, pa = std::abs(q - a), pb = std::abs(q - b), pc = std::abs(q - c);
                      pred = pa <= pb && pa <= pc ? a : pb <= pc ? b : c; break; }
            }
            raw.push_back(static_cast<std::uint8_t>(plain[i] - pred));
        }
        previous = plain;
    }
}

unsigned getBits(const Bytes& row, std::size_t index, int bits) {
    if (bits >= 8) return 0;
    return (row[index * bits / 8] >> (8 - bits - (index * bits) % 8)) & ((1u << bits) - 1);
}
}  // namespace

Bytes makePng(int width, int height, int colourType, int depth, bool interlaced) {
    const int channels = colourType == 2 ? 3 : colourType == 6 ? 4 : colourType == 4 ? 2 : 1;
    const int bitsPerPixel = channels * depth;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * bitsPerPixel + 7) / 8;
    std::vector<Bytes> plainRows;
    for (int y = 0; y < height; ++y) {
        Bytes row(rowBytes, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t rgb = pixelValue(x, y, 24);
            std::uint32_t samples[4] = {rgb >> 16, (rgb >> 8) & 255, rgb & 255, 255};
            if (colourType == 3 || colourType == 0) samples[0] = pixelValue(x, y, 8) & ((1u << depth) - 1);
            if (colourType == 4) samples[1] = 255;
            for (int c = 0; c < channels; ++c) {
                const std::size_t index = static_cast<std::size_t>(x) * channels + c;
                if (depth == 8) row[index] = static_cast<std::uint8_t>(samples[c]);
                else if (depth == 16) { row[2 * index] = static_cast<std::uint8_t>(samples[c]); row[2 * index + 1] = 0x5A; }
                else row[index * depth / 8] |= static_cast<std::uint8_t>(samples[c] << (8 - depth - (index * depth) % 8));
            }
        }
        plainRows.push_back(row);
    }
    const std::size_t bpp = std::max<std::size_t>(1, static_cast<std::size_t>(bitsPerPixel) / 8);
    Bytes raw;
    if (!interlaced) {
        appendFiltered(raw, plainRows, bpp);
    } else {
        const int passes[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto& p : passes) {
            std::vector<Bytes> passRows;
            for (int y = p[1]; y < height; y += p[3]) {
                Bytes row;
                int n = 0;
                for (int x = p[0]; x < width; x += p[2]) {
                    const std::size_t passRowBytes = (static_cast<std::size_t>(n + 1) * bitsPerPixel + 7) / 8;
                    row.resize(passRowBytes, 0);
                    if (bitsPerPixel >= 8) {
                        for (int k = 0; k < bitsPerPixel / 8; ++k) row[n * bitsPerPixel / 8 + k] = plainRows[y][x * bitsPerPixel / 8 + k];
                    } else {
                        const unsigned v = getBits(plainRows[y], x, bitsPerPixel);
                        row[n * bitsPerPixel / 8] |= static_cast<std::uint8_t>(v << (8 - bitsPerPixel - (n * bitsPerPixel) % 8));
                    }
                    ++n;
                }
                if (n) passRows.push_back(row);
            }
            appendFiltered(raw, passRows, bpp);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    Bytes packed(packedSize);
    compress(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()));
    packed.resize(packedSize);

    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    Bytes ihdr;
    append32be(ihdr, width);
    append32be(ihdr, height);
    ihdr.push_back(static_cast<std::uint8_t>(depth));
    ihdr.push_back(static_cast<std::uint8_t>(colourType));
    ihdr.insert(ihdr.end(), {0, 0, static_cast<std::uint8_t>(interlaced ? 1 : 0)});
    appendChunk(png, "IHDR", ihdr);
    if (colourType == 3) {
        Bytes plte;
        for (std::uint32_t i = 0; i < (1u << depth); ++i) {
            const std::uint32_t c = colourOf(i);
            plte.insert(plte.end(), {static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(c >> 8), static_cast<std::uint8_t>(c)});
        }
        appendChunk(png, "PLTE", plte);
    }
    appendChunk(png, "tEXt", Bytes{'K', 0, 'v'});  // an ancillary chunk to skip
    // Image data split over two chunks, as encoders do for large pictures.
    const std::size_t half = packed.size() / 2;
    appendChunk(png, "IDAT", Bytes(packed.begin(), packed.begin() + half));
    appendChunk(png, "IDAT", Bytes(packed.begin() + half, packed.end()));
    appendChunk(png, "IEND", Bytes());
    return png;
}

void fixPngCrcs(Bytes& png) {
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = static_cast<std::uint32_t>(png[at] << 24 | png[at + 1] << 16 | png[at + 2] << 8 | png[at + 3]);
        if (at + 12 + length > png.size()) break;
        const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, png.data() + at + 4, length + 4));
        for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
        at += 12 + length;
    }
}

Bytes makeDrawing(const std::string& tag, const std::vector<Entry>& entries, std::uint32_t blockAt, std::size_t trailing) {
    Bytes b(blockAt, 0);
    std::memcpy(b.data(), tag.data(), std::min<std::size_t>(6, tag.size()));
    b[0x0C] = 3;
    put32(b, 0x0D, blockAt);
    b.insert(b.end(), kStart, kStart + 16);
    std::size_t payload = 0;
    for (const Entry& e : entries) payload += e.data.size();
    const std::uint32_t overall = static_cast<std::uint32_t>(1 + 9 * entries.size() + payload);
    b.resize(b.size() + 4);
    put32(b, blockAt + 16, overall);
    b.push_back(static_cast<std::uint8_t>(entries.size()));
    std::uint32_t start = static_cast<std::uint32_t>(blockAt + 21 + 9 * entries.size());
    for (const Entry& e : entries) {
        b.push_back(e.code);
        b.resize(b.size() + 8);
        put32(b, b.size() - 8, start);
        put32(b, b.size() - 4, static_cast<std::uint32_t>(e.data.size()));
        start += static_cast<std::uint32_t>(e.data.size());
    }
    for (const Entry& e : entries) b.insert(b.end(), e.data.begin(), e.data.end());
    for (std::uint8_t s : kStart) b.push_back(static_cast<std::uint8_t>(~s));
    b.resize(b.size() + trailing, 0xEE);
    return b;
}

std::uint32_t blockOffset(const Bytes& drawing) { return get32(drawing, 0x0D); }

std::size_t directoryEntryOffset(const Bytes& drawing, int index) { return blockOffset(drawing) + 21 + 9 * index; }

}  // namespace fixtures
