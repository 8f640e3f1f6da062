// Thumbnail arithmetic: bar segments, crop origin and bands, the no-thumbnail layout of
// the worked 96 x 96 example and of a tiny height, and the preview bytes check.
#include <gtest/gtest.h>

#include <vector>

#include "ThumbnailLayout.h"

using namespace vistrel;

TEST(ColourBar, SegmentsUseThreeTimesTheQuarter) {
    auto s = barSegments(96);
    EXPECT_EQ(s[0].x.from, 0); EXPECT_EQ(s[0].x.to, 24); EXPECT_EQ(s[0].colour, kBarColourA);
    EXPECT_EQ(s[1].x.from, 24); EXPECT_EQ(s[1].x.to, 48); EXPECT_EQ(s[1].colour, kBarColourB);
    EXPECT_EQ(s[2].x.from, 48); EXPECT_EQ(s[2].x.to, 72); EXPECT_EQ(s[2].colour, kBarColourA);
    EXPECT_EQ(s[3].x.from, 72); EXPECT_EQ(s[3].x.to, 96); EXPECT_EQ(s[3].colour, kBarColourB);
    s = barSegments(97);
    EXPECT_EQ(s[2].x.to, 72);
    EXPECT_EQ(s[3].x.to, 97);
    s = barSegments(99);  // quarter 24, half 49: the third segment is [49, 72)
    EXPECT_EQ(s[1].x.to, 49);
    EXPECT_EQ(s[2].x.from, 49); EXPECT_EQ(s[2].x.to, 72);
}

TEST(Crop, CentralPartWithTruncatedOrigin) {
    CropPlan p = planCrop(96, 96, 256, 102);
    EXPECT_EQ(p.sourceX, 80);
    EXPECT_EQ(p.sourceY, 3);
    EXPECT_FALSE(p.whiteRows);
    EXPECT_FALSE(p.whiteColumns);
    p = planCrop(95, 95, 256, 102);  // odd differences 161 and 7
    EXPECT_EQ(p.sourceX, 80);
    EXPECT_EQ(p.sourceY, 3);
}

TEST(Crop, ShortPreviewGetsBandsAboveAndBelow) {
    const CropPlan p = planCrop(120, 160, 256, 102);
    EXPECT_EQ(p.sourceY, -29);
    ASSERT_TRUE(p.whiteRows);
    EXPECT_EQ(p.topRows.from, 0); EXPECT_EQ(p.topRows.to, 30);
    EXPECT_EQ(p.bottomRows.from, 131); EXPECT_EQ(p.bottomRows.to, 160);
    const CropPlan odd = planCrop(120, 161, 256, 102);  // difference 59: 29 above, 30 below
    EXPECT_EQ(odd.sourceY, -29);
    EXPECT_EQ(odd.topRows.to, 30);
    EXPECT_EQ(odd.bottomRows.from, 132);
}

TEST(Crop, NarrowPreviewGetsWhiteColumns) {
    const CropPlan p = planCrop(201, 50, 100, 60);
    EXPECT_EQ(p.sourceX, -50);
    ASSERT_TRUE(p.whiteColumns);
    EXPECT_EQ(p.leftColumns.to, 50);
    EXPECT_EQ(p.rightColumns.from, 150);
    EXPECT_EQ(p.rightColumns.to, 201);
}

TEST(NoThumbnail, WorkedExample96) {
    const NoThumbnailLayout l = noThumbnailLayout(96, 96);
    EXPECT_EQ(l.unit, 8);
    EXPECT_EQ(l.font1Height, 16); EXPECT_EQ(l.font1Width, 6);
    EXPECT_EQ(l.font2Height, 10); EXPECT_EQ(l.font2Width, 4);
    EXPECT_EQ(l.centreX, 48);
    EXPECT_EQ(l.noY, 24); EXPECT_EQ(l.thumbnailY, 40); EXPECT_EQ(l.makerY, 80);
    EXPECT_EQ(l.lineY, 78); EXPECT_EQ(l.lineFromX, 6); EXPECT_EQ(l.lineToX, 90);
    EXPECT_EQ(l.barTop, 91);
}

TEST(NoThumbnail, HeightElevenHasZeroUnit) {
    const NoThumbnailLayout l = noThumbnailLayout(40, 11);
    EXPECT_EQ(l.unit, 0);
    EXPECT_EQ(l.font1Height, 0);
    EXPECT_EQ(l.font2Height, 0);
    EXPECT_EQ(l.noY, 0); EXPECT_EQ(l.thumbnailY, 0); EXPECT_EQ(l.makerY, 0);
    EXPECT_EQ(l.barTop, 10);
}

namespace {
std::vector<std::uint8_t> dib(int w, int h, int bpp, std::uint32_t clrUsed = 0) {
    const std::size_t table = bpp == 1 ? 8 : bpp == 4 ? 64 : bpp == 8 ? 1024 : 0;
    const std::size_t stride = ((w * bpp + 31) / 32) * 4;
    std::vector<std::uint8_t> b(40 + table + stride * h, 0);
    auto put = [&](std::size_t at, std::uint32_t v) { for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 255; };
    put(0, 40); put(4, w); put(8, h); b[12] = 1; b[14] = static_cast<std::uint8_t>(bpp); put(32, clrUsed);
    return b;
}
}  // namespace

TEST(PreviewCheck, AcceptsSoundBitmapsAndPlacesTheRows) {
    for (int bpp : {1, 4, 8, 16, 24, 32}) {
        auto b = dib(10, 7, bpp);
        PreviewBitmapFacts f;
        ASSERT_TRUE(checkPreviewBitmap(b.data(), b.size(), f)) << bpp;
        EXPECT_EQ(f.pixelOffset, 40u + (bpp == 1 ? 8 : bpp == 4 ? 64 : bpp == 8 ? 1024 : 0));
        EXPECT_EQ(f.width, 10);
        EXPECT_EQ(f.height, 7);
    }
}

TEST(PreviewCheck, RefusesWhatDoesNotFitTheArray) {
    PreviewBitmapFacts f;
    auto b = dib(10, 7, 8);
    EXPECT_FALSE(checkPreviewBitmap(b.data(), b.size() - 1, f)) << "rows cut short";
    EXPECT_FALSE(checkPreviewBitmap(b.data(), 39, f)) << "header cut short";
    EXPECT_FALSE(checkPreviewBitmap(nullptr, 0, f));
    auto edit = [&](std::size_t at, std::uint32_t v) {
        auto c = dib(10, 7, 8);
        for (int i = 0; i < 4; ++i) c[at + i] = (v >> (8 * i)) & 255;
        return checkPreviewBitmap(c.data(), c.size(), f);
    };
    EXPECT_FALSE(edit(0, 12)) << "header size too small";
    EXPECT_FALSE(edit(0, 0x10000)) << "header size past the array";
    EXPECT_FALSE(edit(4, 65536)) << "width 65536";
    EXPECT_FALSE(edit(8, 65536)) << "height 65536";
    EXPECT_FALSE(edit(4, 0)) << "width 0";
    EXPECT_FALSE(edit(8, static_cast<std::uint32_t>(-7))) << "top-down rows";
    EXPECT_FALSE(edit(14, 2)) << "bit count 2";
    EXPECT_FALSE(edit(16, 1)) << "compressed";
    EXPECT_FALSE(edit(32, 257)) << "more colours than the table";
    auto deep = dib(4, 4, 24, 16);
    EXPECT_FALSE(checkPreviewBitmap(deep.data(), deep.size(), f)) << "colour table on 24 bits";
    auto partial = dib(4, 4, 8, 16);
    EXPECT_TRUE(checkPreviewBitmap(partial.data(), partial.size(), f)) << "fewer colours used is fine";
}
