// The arithmetic of a thumbnail, kept apart from the drawing calls so it can be checked
// on its own: where the preview's central part comes from, the white bands, the colour
// bar's segments, the no-thumbnail picture's layout, and the check of the preview bytes.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vistrel {

constexpr std::uint32_t kBarColourA = 0x00990072;  // COLORREF: purple
constexpr std::uint32_t kBarColourB = 0x0000BFFF;  // COLORREF: amber
constexpr int kBarHeightOverPreview = 5;

struct Span {
    int from;  // inclusive
    int to;    // exclusive
};

struct BarSegment {
    Span x;
    std::uint32_t colour;
};
// The four segments along a bar of the given width.
std::array<BarSegment, 4> barSegments(int width);

// Where a width x height thumbnail takes the preview from, and what it paints white.
struct CropPlan {
    int sourceX;  // preview column of thumbnail column 0
    int sourceY;  // as the drawing call takes it: counted from the preview's bottom row
    bool whiteRows;
    Span topRows, bottomRows;          // clipped to the thumbnail
    bool whiteColumns;
    Span leftColumns, rightColumns;
};
CropPlan planCrop(int width, int height, int previewWidth, int previewHeight);

struct NoThumbnailLayout {
    int unit;
    int font1Height, font1Width;
    int font2Height, font2Width;
    int centreX;
    int noY, thumbnailY, makerY;
    int lineY, lineFromX, lineToX;
    int barTop;
};
NoThumbnailLayout noThumbnailLayout(int width, int height);

// What the drawing call needs from the preview bytes, after checking them.
struct PreviewBitmapFacts {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t pixelOffset = 0;  // header size plus the colour table by bit count
};
// Checks a packed DIB before it is drawn: header size, bit count, compression, colour
// count and dimensions, and that the rows the drawing call reads lie inside the bytes.
bool checkPreviewBitmap(const std::uint8_t* bytes, std::size_t size, PreviewBitmapFacts& facts);

}  // namespace vistrel
