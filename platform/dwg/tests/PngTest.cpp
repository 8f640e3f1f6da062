// PNG previews decoded into packed DIBs: colour types and depths, filters, and the ways a
// damaged PNG must fail.
#include <gtest/gtest.h>

#include <zlib.h>

#include "PreviewFixtures.h"
#include "dwg/PngDecoder.h"
#include "dwg/PreviewDib.h"

using namespace dwgpreview;
using fixtures::Bytes;

TEST(Png, IndexedPicturesKeepIndexAndPalette) {
    for (int depth : {1, 2, 4, 8}) {
        SCOPED_TRACE(depth);
        const Bytes png = fixtures::makePng(21, 9, 3, depth);
        Bytes dib;
        std::string why;
        ASSERT_TRUE(decodePng(png.data(), png.size(), dib, &why)) << why;
        DibLayout layout;
        ASSERT_TRUE(inspectDib(dib.data(), dib.size(), layout, nullptr));
        EXPECT_EQ(layout.bitCount, 8);
        EXPECT_EQ(layout.width, 21);
        EXPECT_EQ(layout.height, 9);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 21; ++x)
                ASSERT_EQ(fixtures::dibPixel(dib, x, y), fixtures::colourOf(fixtures::pixelValue(x, y, 8) & ((1u << depth) - 1)));
    }
}

TEST(Png, ColourPicturesBecome24Bits) {
    for (int depth : {8, 16}) {
        for (int type : {2, 6}) {
            SCOPED_TRACE(testing::Message() << "type " << type << " depth " << depth);
            const Bytes png = fixtures::makePng(17, 6, type, depth);
            Bytes dib;
            ASSERT_TRUE(decodePng(png.data(), png.size(), dib, nullptr));
            EXPECT_EQ(dib[14], 24);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 17; ++x) ASSERT_EQ(fixtures::dibPixel(dib, x, y), fixtures::pixelValue(x, y, 24));
        }
    }
}

TEST(Png, InterlacedPicturesAreGatheredFromTheirPasses) {
    // Sizes that leave some of the seven passes empty, at sub-byte and multi-byte depths.
    const struct { int w, h, type, depth; } cases[] = {{1, 1, 3, 8}, {3, 2, 3, 1}, {13, 9, 3, 4}, {10, 7, 0, 2}, {9, 11, 2, 8}, {5, 6, 6, 16}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.w << "x" << c.h << " type " << c.type << " depth " << c.depth);
        const Bytes plain = fixtures::makePng(c.w, c.h, c.type, c.depth);
        const Bytes interlaced = fixtures::makePng(c.w, c.h, c.type, c.depth, true);
        Bytes a, b;
        std::string why;
        ASSERT_TRUE(decodePng(plain.data(), plain.size(), a, &why)) << why;
        ASSERT_TRUE(decodePng(interlaced.data(), interlaced.size(), b, &why)) << why;
        EXPECT_EQ(a, b);
    }
}

TEST(Png, GreyPicturesGetAGreyRamp) {
    const Bytes png = fixtures::makePng(8, 3, 0, 4);
    Bytes dib;
    ASSERT_TRUE(decodePng(png.data(), png.size(), dib, nullptr));
    const std::uint32_t v = fixtures::pixelValue(1, 2, 8) & 15;
    EXPECT_EQ(fixtures::dibPixel(dib, 1, 2), (v * 17) * 0x010101u);
}

TEST(Png, DamagedPngIsRefused) {
    const Bytes good = fixtures::makePng(20, 10, 3, 8);
    Bytes dib;
    ASSERT_TRUE(decodePng(good.data(), good.size(), dib, nullptr));
    auto refused = [&](Bytes bad, bool fixCrc) {
        if (fixCrc) fixtures::fixPngCrcs(bad);
        Bytes out;
        std::string why;
        const bool ok = decodePng(bad.data(), bad.size(), out, &why);
        return !ok && !why.empty();
    };
    Bytes b = good; b[0] = 0; EXPECT_TRUE(refused(b, false)) << "signature";
    b = good; b[20] ^= 1; EXPECT_TRUE(refused(b, false)) << "CRC";
    b = good; b[16 + 3] = 0; b[16 + 2] = 0; b[16 + 1] = 0; b[16] = 0; EXPECT_TRUE(refused(b, true)) << "width 0";
    b = good; b[16] = 0x7F; EXPECT_TRUE(refused(b, true)) << "huge width";
    b = good; b[24] = 3; EXPECT_TRUE(refused(b, true)) << "depth 3";
    b = good; b[28] = 2; EXPECT_TRUE(refused(b, true)) << "unknown interlace method";
    b = good; b[28] = 1; EXPECT_TRUE(refused(b, true)) << "plain data declared interlaced";
    b = good; b[25] = 5; EXPECT_TRUE(refused(b, true)) << "colour type 5";
    b.assign(good.begin(), good.begin() + good.size() - 30); EXPECT_TRUE(refused(b, false)) << "cut short";
    b = good; b[8 + 3] = 0xFF; EXPECT_TRUE(refused(b, false)) << "chunk length past the end";
    // Image data that inflates to fewer bytes than the picture needs.
    b = good;
    b[20] = 0; b[21] = 0; b[22] = 0; b[23] = 40;  // height 40 instead of 10
    EXPECT_TRUE(refused(b, true)) << "short image data";
    // Zeroed compressed data.
    b = good;
    for (std::size_t at = 8; at + 12 <= b.size();) {
        const std::uint32_t len = b[at] << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
        if (std::equal(b.begin() + at + 4, b.begin() + at + 8, "IDAT")) std::fill(b.begin() + at + 8, b.begin() + at + 8 + len, 0);
        at += 12 + len;
    }
    EXPECT_TRUE(refused(b, true)) << "garbage image data";
}

TEST(Png, SizeComesFromTheHeader) {
    const Bytes png = fixtures::makePng(33, 12, 2, 8);
    std::int32_t w = 0, h = 0;
    ASSERT_TRUE(pngSize(png.data(), png.size(), w, h));
    EXPECT_EQ(w, 33);
    EXPECT_EQ(h, 12);
    EXPECT_FALSE(pngSize(png.data(), 20, w, h));
}
