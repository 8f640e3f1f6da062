// Run-length and bit-field DIBs: expanded pictures equal their plain originals, the
// codes' jumps and early ends, and the headers and masks that must be refused.
#include <gtest/gtest.h>

#include "CompressedDibs.h"
#include "PreviewFixtures.h"
#include "dwg/DibDecode.h"
#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

using namespace dwgpreview;
using fixtures::Bytes;

namespace {

Bytes normal(const Bytes& dib) {
    Bytes out;
    std::string why;
    EXPECT_TRUE(normaliseDib(dib.data(), dib.size(), out, &why)) << why;
    return out;
}

// A 4 x 3 run-length DIB with a two-entry colour table and the given codes.
Bytes rle8(std::initializer_list<std::uint8_t> codes, int width = 4, int height = 3) {
    Bytes b(40 + 8, 0);
    fixtures::put32(b, 0, 40);
    fixtures::put32(b, 4, width);
    fixtures::put32(b, 8, height);
    b[12] = 1;
    b[14] = 8;
    fixtures::put32(b, 16, 1);
    fixtures::put32(b, 32, 2);
    fixtures::put32(b, 40, 0x000000);
    fixtures::put32(b, 44, 0xFFFFFF);
    b.insert(b.end(), codes);
    return b;
}

// Index of pixel (x, row counted from the bottom) of a normal-form 8-bit DIB.
int indexAt(const Bytes& dib, int x, int row) {
    const int width = static_cast<int>(fixtures::get32(dib, 4));
    return dib[40 + 1024 + static_cast<std::size_t>(row) * ((width + 3) / 4 * 4) + x];
}

// The eight-bit value a channel of `bits` bits gives back: the bits repeated downwards.
std::uint32_t widened(std::uint32_t value8, int bits) {
    if (bits >= 8) return value8;
    const std::uint32_t v = value8 >> (8 - bits);
    std::uint32_t r = 0;
    for (int filled = 0; filled < 8; filled += bits) r |= (v << (8 - bits)) >> filled;
    return r & 255;
}

}  // namespace

TEST(RunLengthDib, ExpandsToThePlainPicture) {
    for (int bpp : {8, 4}) {
        for (int width : {1, 2, 3, 17, 40, 300}) {
            SCOPED_TRACE(testing::Message() << bpp << " bits, width " << width);
            const Bytes plain = fixtures::makeRunFriendlyDib(width, 9, bpp);
            const Bytes coded = fixtures::encodeRunLength(plain);
            EXPECT_LT(coded.size(), plain.size() + 2u * 9 * (2 + width));
            EXPECT_EQ(normal(coded), normal(plain));
        }
    }
    // Stored as a drawing's preview, the picture comes out expanded.
    const Bytes plain = fixtures::makeRunFriendlyDib(50, 20, 8);
    const Bytes drawing = fixtures::makeDrawing("AC1018", {{1, Bytes(80, 0)}, {2, fixtures::encodeRunLength(plain)}});
    MemorySource source(drawing.data(), drawing.size());
    const Result r = readPreview(source);
    ASSERT_EQ(r.status, Status::kFound) << r.reason;
    EXPECT_EQ(r.width, 50);
    EXPECT_EQ(r.dib, normal(plain));
}

TEST(RunLengthDib, JumpsAndEarlyEndsLeaveIndexZero) {
    // Row 0: a run of two 1s, then end of line. Jump by (1, 1) from (0, 1) to (1, 2),
    // one literal 1 there. No end-of-picture code: the data just ends.
    const Bytes out = normal(rle8({2, 1, 0, 0, 0, 2, 1, 1, 0, 3, 1, 0, 0, 0}));
    const int expected[3][4] = {{1, 1, 0, 0}, {0, 0, 0, 0}, {0, 1, 0, 0}};
    for (int row = 0; row < 3; ++row)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(indexAt(out, x, row), expected[row][x]) << x << "," << row;
    // A literal group whose three pixels exceed the row stops drawing at the right edge.
    const Bytes wide = normal(rle8({0, 0, 0, 0, 0, 2, 3, 0, 0, 5, 1, 1, 1, 1, 1, 0, 0, 1}));
    EXPECT_EQ(indexAt(wide, 3, 2), 1);
    EXPECT_EQ(indexAt(wide, 0, 2), 0);
    // End of picture stops even with codes left.
    const Bytes stopped = normal(rle8({0, 1, 4, 1}));
    EXPECT_EQ(indexAt(stopped, 0, 0), 0);
    // Literal codes cut short draw what is there.
    const Bytes cut = normal(rle8({0, 4, 1, 1}));
    EXPECT_EQ(indexAt(cut, 1, 0), 1);
    EXPECT_EQ(indexAt(cut, 2, 0), 0);
}

TEST(RunLengthDib, HostileCodesStayInsideThePicture) {
    // Long runs and jumps past the right edge, literal groups longer than the row: nothing
    // is written outside the rows, and rows beyond the top end the walk.
    Bytes codes;
    for (int i = 0; i < 5000; ++i) codes.insert(codes.end(), {255, 1, 0, 2, 255, 0, 0, 255, 1, 1});
    Bytes dib = rle8({});
    dib.insert(dib.end(), codes.begin(), codes.end());
    Bytes out;
    EXPECT_TRUE(normaliseDib(dib.data(), dib.size(), out, nullptr));
    EXPECT_EQ(out.size(), 40 + 1024 + 12u);
}

TEST(RunLengthDib, BadHeadersAreRefused) {
    const Bytes good = fixtures::encodeRunLength(fixtures::makeRunFriendlyDib(10, 10, 8));
    struct Edit { const char* what; std::size_t at; std::uint32_t value; int width; };
    const Edit edits[] = {
        {"8-bit codes for 4 bits", 14, 4, 2},    {"4-bit codes for 8 bits", 16, 2, 4},
        {"top-down rows", 8, 0xFFFFFFF6, 4},     {"image size past the data", 20, 0x10000, 4},
        {"more colours than 8 bits", 32, 257, 4}, {"width 0", 4, 0, 4},
        {"height beyond the cap", 8, 9000, 4},   {"JPEG rows", 16, 4, 4},
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
    EXPECT_FALSE(normaliseDib(good.data(), 40 + 1000, out, nullptr)) << "colour table cut short";
}

TEST(BitFieldDib, ChannelsAreWidenedToEightBits) {
    struct Case { const char* what; int bpp; fixtures::Masks masks; std::uint32_t header; bool topDown; };
    const Case cases[] = {
        {"5-6-5", 16, {0xF800, 0x07E0, 0x001F}, 40, false},
        {"5-5-5", 16, {0x7C00, 0x03E0, 0x001F}, 40, true},
        {"8-8-8 in a long header", 32, {0xFF0000, 0x00FF00, 0x0000FF}, 124, true},
        {"blue-green-red order", 32, {0x000000FF, 0x0000FF00, 0x00FF0000}, 108, false},
        {"10-10-10", 32, {0x3FF00000, 0x000FFC00, 0x000003FF}, 40, false},
        {"no green, 3-bit red", 16, {0xE000, 0, 0x001F}, 40, false},
    };
    auto bitsOf = [](std::uint32_t m) { int n = 0; for (; m; m &= m - 1) ++n; return n; };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Bytes dib = fixtures::makeBitFieldDib(13, 6, c.bpp, c.masks, c.header, c.topDown);
        const Bytes out = normal(dib);
        DibLayout layout;
        ASSERT_TRUE(inspectDib(out.data(), out.size(), layout, nullptr));
        EXPECT_EQ(layout.bitCount, 32);
        EXPECT_FALSE(layout.topDown);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 13; ++x) {
                const std::uint32_t c24 = fixtures::pixelValue(x, y, 24);
                const std::uint32_t r = bitsOf(c.masks.red) ? widened(c24 >> 16, bitsOf(c.masks.red)) : 0;
                const std::uint32_t g = bitsOf(c.masks.green) ? widened((c24 >> 8) & 255, bitsOf(c.masks.green)) : 0;
                const std::uint32_t b = widened(c24 & 255, bitsOf(c.masks.blue));
                ASSERT_EQ(fixtures::dibPixel(out, x, y), r << 16 | g << 8 | b) << x << "," << y;
                ASSERT_EQ(out[40 + 4 * (static_cast<std::size_t>(5 - y) * 13 + x) + 3], 0xFF) << "opaque";
            }
    }
}

TEST(BitFieldDib, BadMasksAndSizesAreRefused) {
    const fixtures::Masks m565{0xF800, 0x07E0, 0x001F};
    struct Case { const char* what; Bytes dib; };
    Bytes split = fixtures::makeBitFieldDib(8, 4, 16, m565);
    fixtures::put32(split, 40, 0xF0F0);  // red bits in two runs
    Bytes wide16 = fixtures::makeBitFieldDib(8, 4, 16, m565);
    fixtures::put32(wide16, 44, 0x1F0000);  // beyond 16 bits
    Bytes depth24 = fixtures::makeBitFieldDib(8, 4, 32, {0xFF0000, 0xFF00, 0xFF});
    depth24[14] = 24;
    Bytes shortRows = fixtures::makeBitFieldDib(8, 4, 16, m565);
    shortRows.pop_back();
    Bytes noMasks = fixtures::makeBitFieldDib(8, 4, 16, m565);
    noMasks.resize(48);
    const Case cases[] = {{"mask in two runs", split}, {"16-bit mask past 16 bits", wide16}, {"24 bits", depth24},
                          {"rows cut short", shortRows}, {"masks cut short", noMasks}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes out;
        std::string why;
        EXPECT_FALSE(normaliseDib(c.dib.data(), c.dib.size(), out, &why));
        EXPECT_FALSE(why.empty());
    }
}
