// renderThumbnail under GDI on real and synthetic drawings: the central crop pixel for
// pixel, white bands, the colour bar, the no-thumbnail picture (the worked 96 x 96
// example), every failure road, and one start and stop of the library per call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "BitmapPixels.h"
#include "CompressedDibs.h"
#include "PreviewFixtures.h"
#include "RenderThumbnail.h"
#include "ThumbnailLayout.h"
#include "dwg/DbInitialize.h"
#include "dwg/OdAlloc.h"
#include "dwg/PreviewReader.h"

using namespace vistrel;

namespace {

const std::uint32_t kWhite = 0xFFFFFF;
const std::uint32_t kPurple = 0x720099;  // colour A as 0xRRGGBB
const std::uint32_t kAmber = 0xFFBF00;   // colour B

std::string sample(const std::string& name) { return std::string(KIVRA_TESTDATA_DIR) + "/dwg/" + name; }

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The stored preview as the library reads it, for the expected pixels.
struct Preview {
    std::vector<std::uint8_t> dib;
    int width = 0, height = 0;
    // Colour of column x, row y counted from the top.
    std::uint32_t at(int x, int y) const {
        const int bpp = dib[14];
        const std::size_t table = bpp <= 8 ? 4u << bpp : 0;
        const std::size_t stride = ((width * bpp + 31) / 32) * 4;
        const std::uint8_t* row = dib.data() + 40 + table + static_cast<std::size_t>(height - 1 - y) * stride;
        const std::uint8_t* c = bpp == 8 ? dib.data() + 40 + 4 * row[x] : row + x * (bpp / 8);
        return static_cast<std::uint32_t>(c[2] << 16 | c[1] << 8 | c[0]);
    }
};

Preview storedPreview(const std::string& path) {
    const auto bytes = fileBytes(path);
    dwgpreview::MemorySource source(bytes.data(), bytes.size());
    dwgpreview::Result r = dwgpreview::readPreview(source);
    Preview p;
    p.dib = r.dib;
    p.width = r.width;
    p.height = r.height;
    return p;
}

Pixels render(int w, int h, const std::string& path) {
    HBITMAP bitmap = renderThumbnail(w, h, path.c_str());
    Pixels p = readPixels(bitmap);
    DeleteObject(bitmap);
    return p;
}

Pixels noThumbnail(int w, int h) {
    HBITMAP bitmap = drawNoThumbnail(w, h);
    Pixels p = readPixels(bitmap);
    DeleteObject(bitmap);
    return p;
}

void expectBar(const Pixels& p, int top) {
    for (const BarSegment& s : barSegments(p.width)) {
        const std::uint32_t want = s.colour == kBarColourA ? kPurple : kAmber;
        for (int y = top; y < p.height; ++y)
            for (int x = s.x.from; x < s.x.to; ++x) ASSERT_EQ(p.at(x, y), want) << x << "," << y;
    }
}

void writeFile(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    std::FILE* f = std::fopen(name.c_str(), "wb");
    ASSERT_TRUE(f);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

// A drawing whose preview block holds header data and one metafile picture.
std::vector<std::uint8_t> wmfOnlyDrawing() {
    auto bytes = fileBytes(sample("AC1015_libredwg_sample_2000.dwg"));
    const std::uint32_t s = bytes[0x0D] | bytes[0x0E] << 8 | bytes[0x0F] << 16 | bytes[0x10] << 24;
    bytes[s + 21 + 9] = 3;  // the bitmap entry becomes a metafile entry
    return bytes;
}

}  // namespace

TEST(RenderThumbnail, CropIsThePreviewsCentralPart) {
    const std::string path = sample("AC1018_libredwg_2004_Line.dwg");
    const Preview preview = storedPreview(path);
    ASSERT_EQ(preview.width, 256);
    ASSERT_EQ(preview.height, 102);
    for (int size : {96, 95}) {
        SCOPED_TRACE(size);
        const Pixels p = render(size, size, path);
        ASSERT_EQ(p.width, size);
        ASSERT_EQ(p.height, size);
        // Column origin from the left; the row origin counts from the bottom row.
        const int x0 = (preview.width - size) / 2;
        const int y0 = (preview.height - size) / 2;
        const int top = preview.height - y0 - size;
        for (int y = 0; y < size - kBarHeightOverPreview; ++y)
            for (int x = 0; x < size; ++x) ASSERT_EQ(p.at(x, y), preview.at(x + x0, y + top)) << x << "," << y;
        expectBar(p, size - kBarHeightOverPreview);
    }
}

TEST(RenderThumbnail, EveryBitDepthIsCopiedOneToOne) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(bpp);
        const auto dib = fixtures::makeDib(41, 30, bpp);
        writeFile("vistrel-render-depth.dwg", fixtures::makeDrawing("AC1018", {{1, fixtures::Bytes(80, 0)}, {2, dib}}));
        const Pixels p = render(20, 20, "vistrel-render-depth.dwg");
        const int x0 = (41 - 20) / 2, top = 30 - (30 - 20) / 2 - 20;
        // 16-bit pixels hold five bits per channel; compare those.
        const std::uint32_t mask = bpp == 16 ? 0xF8F8F8 : 0xFFFFFF;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(p.at(x, y) & mask, fixtures::dibPixel(dib, x + x0, y + top) & mask) << x << "," << y;
        expectBar(p, 15);
    }
    std::remove("vistrel-render-depth.dwg");
}

// The system's own drawing of a DIB, whatever its compression, at its full size.
static Pixels drawnBySystem(const std::vector<std::uint8_t>& dib) {
    const int width = static_cast<int>(fixtures::get32(dib, 4));
    const int rawHeight = static_cast<int>(fixtures::get32(dib, 8));
    const int height = rawHeight < 0 ? -rawHeight : rawHeight;
    const std::uint32_t header = fixtures::get32(dib, 0), compression = fixtures::get32(dib, 16), used = fixtures::get32(dib, 32);
    const int bpp = dib[14];
    std::size_t rowsAt = header + (compression == 3 && header == 40 ? 12 : 0) + 4u * (bpp <= 8 ? (used ? used : 1u << bpp) : used);
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateBitmap(width, height, static_cast<UINT>(GetDeviceCaps(dc, PLANES)),
                                  static_cast<UINT>(GetDeviceCaps(dc, BITSPIXEL)), nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, width, height, BLACKNESS);
    StretchDIBits(dc, 0, 0, width, height, 0, 0, width, height, dib.data() + rowsAt,
                  reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS, SRCCOPY);
    SelectObject(dc, old);
    DeleteDC(dc);
    Pixels p = readPixels(bitmap);
    DeleteObject(bitmap);
    return p;
}

TEST(RenderThumbnail, CompressedPreviewsLookAsTheSystemDrawsThem) {
    struct Case { const char* what; std::vector<std::uint8_t> dib; };
    const Case cases[] = {
        {"run-length, 8 bits", fixtures::encodeRunLength(fixtures::makeRunFriendlyDib(61, 40, 8))},
        {"run-length, 4 bits", fixtures::encodeRunLength(fixtures::makeRunFriendlyDib(61, 40, 4))},
        {"bit fields 5-6-5", fixtures::makeBitFieldDib(61, 40, 16, {0xF800, 0x07E0, 0x001F})},
        {"bit fields 5-5-5", fixtures::makeBitFieldDib(61, 40, 16, {0x7C00, 0x03E0, 0x001F})},
        {"bit fields 8-8-8, long header, top-down", fixtures::makeBitFieldDib(61, 40, 32, {0xFF0000, 0xFF00, 0xFF}, 124, true)},
    };
    const Pixels none = noThumbnail(40, 30);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        writeFile("vistrel-render-compressed.dwg", fixtures::makeDrawing("AC1015", {{1, fixtures::Bytes(80, 0)}, {2, c.dib}}));
        const Pixels p = render(40, 30, "vistrel-render-compressed.dwg");
        ASSERT_EQ(p.width, 40);
        ASSERT_NE(p.rgb, none.rgb) << "a picture, not the no-thumbnail one";
        const Pixels whole = drawnBySystem(c.dib);
        ASSERT_EQ(whole.width, 61);
        const int x0 = (61 - 40) / 2, top = 40 - (40 - 30) / 2 - 30;
        for (int y = 0; y < 30 - kBarHeightOverPreview; ++y)
            for (int x = 0; x < 40; ++x) ASSERT_EQ(p.at(x, y), whole.at(x + x0, y + top)) << x << "," << y;
        expectBar(p, 30 - kBarHeightOverPreview);
    }
    std::remove("vistrel-render-compressed.dwg");
}

TEST(RenderThumbnail, PngPreviewsAreDrawnToo) {
    const std::string path = sample("AC1032_libredwg_sample_2018.dwg");
    const Preview preview = storedPreview(path);
    ASSERT_EQ(preview.width, 597);
    const Pixels p = render(256, 256, path);
    const int x0 = (preview.width - 256) / 2, top = preview.height - (preview.height - 256) / 2 - 256;
    for (int y = 0; y < 251; ++y)
        for (int x = 0; x < 256; ++x) ASSERT_EQ(p.at(x, y), preview.at(x + x0, y + top)) << x << "," << y;
    EXPECT_NE(p.rgb, noThumbnail(256, 256).rgb);
}

TEST(RenderThumbnail, ShortPreviewGetsWhiteBands) {
    const std::string path = sample("AC1024_libredwg_2010_Line.dwg");
    const Preview preview = storedPreview(path);
    ASSERT_EQ(preview.height, 102);
    const Pixels p = render(120, 160, path);
    const int x0 = (256 - 120) / 2;
    // y0 = -29: rows 0..28 above the preview, 29..130 the preview, 131.. below it.
    for (int y = 0; y < 155; ++y) {
        for (int x = 0; x < 120; ++x) {
            if (y < 29 || y >= 131) ASSERT_EQ(p.at(x, y), kWhite) << x << "," << y;
            else ASSERT_EQ(p.at(x, y), preview.at(x + x0, y - 29)) << x << "," << y;
        }
    }
    expectBar(p, 155);
}

TEST(RenderThumbnail, NarrowPreviewGetsWhiteColumns) {
    const std::string path = sample("AC1015_libredwg_sample_2000.dwg");
    const Preview preview = storedPreview(path);
    ASSERT_EQ(preview.width, 180);
    const Pixels p = render(201, 60, path);  // x0 = -10: columns 0..9 and 190.. are outside
    const int top = preview.height - (preview.height - 60) / 2 - 60;
    for (int y = 0; y < 55; ++y) {
        for (int x = 0; x < 201; ++x) {
            if (x < 10 || x >= 190) ASSERT_EQ(p.at(x, y), kWhite) << x << "," << y;
            else ASSERT_EQ(p.at(x, y), preview.at(x - 10, y + top)) << x << "," << y;
        }
    }
}

TEST(RenderThumbnail, BarOfWidth97) {
    const Pixels p = render(97, 40, sample("AC1018_libredwg_example_2004.dwg"));
    expectBar(p, 35);
    EXPECT_EQ(p.at(71, 37), kPurple);
    EXPECT_EQ(p.at(72, 37), kAmber);
    EXPECT_EQ(p.at(96, 39), kAmber);
}

TEST(NoThumbnailPicture, WorkedExample96) {
    const Pixels p = noThumbnail(96, 96);
    ASSERT_EQ(p.width, 96);
    ASSERT_EQ(p.height, 96);
    // The line along y = 78 from x = 6 up to (not including) x = 90, drawn with the default pen.
    for (int x = 6; x < 90; ++x) ASSERT_EQ(p.at(x, 78), 0u) << x;
    EXPECT_EQ(p.at(5, 78), kWhite);
    EXPECT_EQ(p.at(90, 78), kWhite);
    expectBar(p, 91);
    // Text only in the three text bands (16, 16 and 10 rows high from y = 24, 40, 80).
    auto inkIn = [&](int from, int to) {
        int ink = 0;
        for (int y = from; y < to; ++y)
            for (int x = 0; x < 96; ++x) ink += p.at(x, y) != kWhite;
        return ink;
    };
    EXPECT_EQ(inkIn(0, 24), 0);
    EXPECT_GT(inkIn(24, 40), 10);
    EXPECT_GT(inkIn(40, 56), 30);
    EXPECT_EQ(inkIn(56, 78), 0);
    EXPECT_EQ(inkIn(79, 80), 0);
    EXPECT_GT(inkIn(80, 90), 10);
    EXPECT_EQ(inkIn(90, 91), 0);
    // Centred on x = 48: "no" sits in the middle, "Thumbnail" spreads wider.
    int left = 96, right = -1;
    for (int y = 24; y < 40; ++y)
        for (int x = 0; x < 96; ++x)
            if (p.at(x, y) != kWhite) { left = std::min(left, x); right = std::max(right, x); }
    EXPECT_LE(std::abs((left + right + 1) / 2 - 48), 2) << left << ".." << right;
}

TEST(NoThumbnailPicture, HeightElevenStartsTheBarAtTen) {
    const Pixels p = noThumbnail(40, 11);
    ASSERT_EQ(p.height, 11);
    expectBar(p, 10);
    EXPECT_NE(p.at(0, 9), kPurple);
    EXPECT_NE(p.at(39, 9), kAmber);
}

TEST(RenderThumbnail, EveryFailureGivesTheNoThumbnailPicture) {
    writeFile("vistrel-render-wmf.dwg", wmfOnlyDrawing());
    writeFile("vistrel-render-empty.dwg", {});
    const std::string text = "This is a text file, not a drawing.\r\n";
    writeFile("vistrel-render-text.dwg", std::vector<std::uint8_t>(text.begin(), text.end()));
    const Pixels expected = noThumbnail(96, 96);
    for (const std::string& path : {std::string("vistrel-render-wmf.dwg"), std::string("vistrel-render-empty.dwg"),
                                   std::string("vistrel-render-text.dwg"), std::string("vistrel-no-such-drawing.dwg"),
                                   std::string(""), sample("AC1032_libredwg_2018_Line.dwg"),
                                   sample("AC1009_libredwg_r11_entities-2d.dwg"),
                                   sample("damaged/truncated_mid_bmp_AC1015.dwg"),
                                   sample("damaged/seeker_past_eof_AC1032.dwg"),
                                   sample("damaged/bad_start_sentinel_AC1018.dwg")}) {
        SCOPED_TRACE(path);
        const Pixels p = render(96, 96, path);
        EXPECT_EQ(p.width, 96);
        EXPECT_EQ(p.height, 96);
        EXPECT_EQ(p.rgb, expected.rgb);
    }
    std::remove("vistrel-render-wmf.dwg");
    std::remove("vistrel-render-empty.dwg");
    std::remove("vistrel-render-text.dwg");
}

TEST(RenderThumbnail, StartsAndStopsTheLibraryOncePerCall) {
    const std::vector<std::string> paths = {sample("AC1018_libredwg_2004_Line.dwg"), "vistrel-no-such-drawing.dwg",
                                            sample("AC1027_libredwg_2013_Line.dwg")};
    // One call on each road first: the runtime sets up some things once per process.
    for (const std::string& path : paths) DeleteObject(renderThumbnail(8, 8, path.c_str()));
    const long blocksBefore = odrxLiveBlocks();
    for (const std::string& path : paths) {
        const OdDbInitCounts before = odDbInitCounts();
        HBITMAP first = renderThumbnail(64, 48, path.c_str());
        HBITMAP second = renderThumbnail(64, 48, path.c_str());
        const OdDbInitCounts after = odDbInitCounts();
        EXPECT_EQ(after.initializeCalls - before.initializeCalls, 2) << path;
        EXPECT_EQ(after.uninitializeCalls - before.uninitializeCalls, 2);
        EXPECT_EQ(odrxSystemServices(), nullptr);
        ASSERT_TRUE(first) << path;
        EXPECT_NE(first, second) << "a new bitmap each call";
        DeleteObject(first);
        DeleteObject(second);
    }
    EXPECT_EQ(odrxLiveBlocks(), blocksBefore) << "services, stream, blocks and record all freed";
}

TEST(RenderThumbnail, NoBitmapForSizesThatCannotBeMade) {
    EXPECT_EQ(renderThumbnail(0, 96, "vistrel-no-such-drawing.dwg"), nullptr);
    EXPECT_EQ(renderThumbnail(96, -1, sample("AC1018_libredwg_2004_Line.dwg").c_str()), nullptr);
    EXPECT_EQ(odrxSystemServices(), nullptr);
}
