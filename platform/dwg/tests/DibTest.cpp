// Packed DIB checks and the normal form: every bit count, top-down rows, short colour
// tables, and the headers that must be refused.
#include <gtest/gtest.h>

#include "PreviewFixtures.h"
#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

using namespace dwgpreview;
using fixtures::Bytes;

namespace {
void expectSamePicture(const Bytes& original, const Bytes& normal, int w, int h) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(fixtures::dibPixel(normal, x, y), fixtures::dibPixel(original, x, y)) << x << "," << y;
}
}  // namespace

TEST(Dib, EveryBitCountKeepsItsPixels) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bpp);
        const Bytes dib = fixtures::makeDib(13, 7, bpp);
        Bytes out;
        std::string why;
        ASSERT_TRUE(normaliseDib(dib.data(), dib.size(), out, &why)) << why;
        DibLayout layout;
        ASSERT_TRUE(inspectDib(out.data(), out.size(), layout, nullptr));
        EXPECT_EQ(layout.bitCount, bpp);
        EXPECT_EQ(layout.colours, bpp <= 8 ? (1u << bpp) : 0u);
        EXPECT_EQ(out.size(), layout.pixelOffset + layout.pixelBytes);
        expectSamePicture(dib, out, 13, 7);
        if (bpp <= 8) {
            EXPECT_EQ(out[43], 0) << "palette junk byte cleared";
        }
        if (bpp == 32) {
            EXPECT_EQ(out[40 + 3 + (6 * ((13 * 32 + 31) / 32 * 4))], 0xFF) << "alpha forced opaque";
        }
    }
}

TEST(Dib, InPlaceGivesTheSameNormalForm) {
    for (int bpp : {1, 8, 24, 32}) {
        for (bool topDown : {false, true}) {
            SCOPED_TRACE(testing::Message() << bpp << (topDown ? " top-down" : ""));
            Bytes dib = fixtures::makeDib(11, 5, bpp, topDown);
            Bytes copied;
            ASSERT_TRUE(normaliseDib(dib.data(), dib.size(), copied, nullptr));
            dib.resize(dib.size() + 7, 0x33);  // trailing bytes after the rows are dropped
            fixtures::put32(dib, 24, 1);         // resolution fields are cleared
            fixtures::put32(dib, 36, 3);
            ASSERT_TRUE(normaliseDibInPlace(dib, nullptr));
            EXPECT_EQ(dib, copied);
        }
    }
    Bytes bad = fixtures::makeDib(11, 5, 8);
    bad.resize(100);
    EXPECT_FALSE(normaliseDibInPlace(bad, nullptr));
}

TEST(Dib, TopDownRowsAreTurnedBottomUp) {
    const Bytes dib = fixtures::makeDib(9, 6, 24, /*topDown=*/true);
    Bytes out;
    ASSERT_TRUE(normaliseDib(dib.data(), dib.size(), out, nullptr));
    EXPECT_EQ(static_cast<std::int32_t>(fixtures::get32(out, 8)), 6);
    expectSamePicture(dib, out, 9, 6);
}

TEST(Dib, ShortColourTableIsWidenedToFull) {
    const Bytes dib = fixtures::makeDib(4, 4, 8, false, 200);
    Bytes out;
    ASSERT_TRUE(normaliseDib(dib.data(), dib.size(), out, nullptr));
    EXPECT_EQ(fixtures::get32(out, 32), 256u);
    EXPECT_EQ(out.size(), 40 + 1024 + 16u);
    expectSamePicture(dib, out, 4, 4);
}

TEST(Dib, BadHeadersAreRefused) {
    const Bytes good = fixtures::makeDib(10, 10, 8);
    struct Edit { const char* what; std::size_t at; std::uint32_t value; int width; };
    const Edit edits[] = {
        {"header size 12", 0, 12, 4},      {"header size huge", 0, 0x7FFFFFFF, 4},
        {"width 0", 4, 0, 4},              {"width negative", 4, 0xFFFFFFF6, 4},
        {"width 65536", 4, 65536, 4},      {"height 0", 8, 0, 4},
        {"height -65536", 8, 0xFFFF0000, 4}, {"planes 2", 12, 2, 2},
        {"bit count 2", 14, 2, 2},         {"bit count 0", 14, 0, 2},
        {"JPEG rows", 16, 4, 4},           {"bit fields at 8 bits", 16, 3, 4},
        {"more colours than 8 bits", 32, 257, 4}, {"width too large for the data", 4, 13, 4},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        Bytes bad = good;
        for (int i = 0; i < e.width; ++i) bad[e.at + i] = static_cast<std::uint8_t>(e.value >> (8 * i));
        Bytes out;
        std::string why;
        EXPECT_FALSE(normaliseDib(bad.data(), bad.size(), out, &why));
        EXPECT_FALSE(why.empty());
    }
    Bytes out;
    EXPECT_FALSE(normaliseDib(good.data(), good.size() - 1, out, nullptr)) << "one row byte missing";
    EXPECT_FALSE(normaliseDib(good.data(), 39, out, nullptr));
    EXPECT_TRUE(normaliseDib(good.data(), good.size(), out, nullptr));
}

TEST(Dib, StrideHasNoOverflow) {
    EXPECT_EQ(dibStride(1, 1), 4u);
    EXPECT_EQ(dibStride(33, 1), 8u);
    EXPECT_EQ(dibStride(3, 24), 12u);
    EXPECT_EQ(dibStride(0x7FFFFFFF, 32), 0u);
    EXPECT_EQ(dibStride(-1, 8), 0u);
}
