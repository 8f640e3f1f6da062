// Thumbnail arithmetic: integer divisions truncate toward zero, shifts are arithmetic.
// The drawing code takes every coordinate from here.
#include "ThumbnailLayout.h"

#include <cstring>

namespace vistrel {

namespace {
Span clip(int from, int to, int limit) {
    if (from < 0) from = 0;
    if (to > limit) to = limit;
    if (to < from) to = from;
    return Span{from, to};
}
std::uint32_t le32(const std::uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
}  // namespace

std::array<BarSegment, 4> barSegments(int width) {
    const int quarter = width >> 2;
    const int half = width >> 1;
    // The third boundary is three quarters of the rounded-down quarter.
    return {{{{0, quarter}, kBarColourA},
             {{quarter, half}, kBarColourB},
             {{half, 3 * quarter}, kBarColourA},
             {{3 * quarter, width}, kBarColourB}}};
}

CropPlan planCrop(int width, int height, int previewWidth, int previewHeight) {
    CropPlan plan{};
    plan.sourceX = (previewWidth - width) / 2;
    plan.sourceY = (previewHeight - height) / 2;
    if (height > previewHeight) {
        plan.whiteRows = true;
        plan.topRows = clip(0, 1 - plan.sourceY, height);
        plan.bottomRows = clip(height + plan.sourceY, height + plan.sourceY + height, height);
    }
    if (width > previewWidth) {
        // Columns the preview does not reach: left of it, and from its right edge on.
        plan.whiteColumns = true;
        plan.leftColumns = clip(0, -plan.sourceX, width);
        plan.rightColumns = clip(previewWidth - plan.sourceX, width, width);
    }
    return plan;
}

NoThumbnailLayout noThumbnailLayout(int width, int height) {
    NoThumbnailLayout l{};
    l.unit = height / 12;
    l.font1Height = 2 * l.unit;
    l.font1Width = (6 * l.unit) / 7;
    l.font2Height = (2 * l.font1Height) / 3;
    l.font2Width = (2 * l.font1Width) / 3;
    l.centreX = width >> 1;
    l.noY = 3 * l.unit;
    l.thumbnailY = 5 * l.unit;
    l.makerY = 10 * l.unit;
    l.lineY = 10 * l.unit - 2;
    l.lineFromX = l.font1Width;
    l.lineToX = width - l.font1Width;
    l.barTop = static_cast<int>((19LL * height) / 20);  // no overflow for any height
    return l;
}

bool checkPreviewBitmap(const std::uint8_t* bytes, std::size_t size, PreviewBitmapFacts& facts) {
    if (!bytes || size < 40) return false;
    const std::uint32_t headerSize = le32(bytes);
    const std::int32_t width = static_cast<std::int32_t>(le32(bytes + 4));
    const std::int32_t height = static_cast<std::int32_t>(le32(bytes + 8));
    const unsigned planes = bytes[12] | (bytes[13] << 8);
    const unsigned bitCount = bytes[14] | (bytes[15] << 8);
    const std::uint32_t compression = le32(bytes + 16);
    const std::uint32_t clrUsed = le32(bytes + 32);
    if (headerSize < 40 || headerSize > size) return false;
    if (planes != 1 || compression != 0) return false;
    std::size_t table;
    switch (bitCount) {
    case 1: table = 8; break;
    case 4: table = 64; break;
    case 8: table = 1024; break;
    case 16: case 24: case 32: table = 0; break;
    default: return false;
    }
    // The drawing call reads as many table entries as the header says are used: they must
    // be the ones the rows are placed behind.
    if (bitCount <= 8 ? clrUsed * 4 > table : clrUsed != 0) return false;
    // Bottom-up rows only: the crop is computed for them.
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000) return false;
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t end = static_cast<std::uint64_t>(headerSize) + table + stride * static_cast<std::uint64_t>(height);
    if (end > size) return false;
    facts.width = width;
    facts.height = height;
    facts.pixelOffset = headerSize + table;
    return true;
}

}  // namespace vistrel
