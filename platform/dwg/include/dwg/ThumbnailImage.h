// The drawing's stored preview, as the library hands it out: header data, the picture as
// a packed device-independent bitmap, and a metafile picture when that is all there is.
#pragma once

#include "dwg/OdStreamBuf.h"
#include "dwg/OdTypes.h"

struct OdThumbnailImage {
    OdBinaryData header;  // the preview's header data (code 1)
    OdBinaryData bmp;     // packed DIB: BITMAPINFOHEADER, colour table, bottom-up rows
    OdBinaryData wmf;     // a metafile preview, kept as stored
};

// Fills the image from the drawing's preview section, reading only the file header and the
// preview block through the stream. A drawing without a usable bitmap preview leaves `bmp`
// empty; a stored PNG preview is decoded into `bmp`. Raises OdError(eInvalidDrawing) for a
// stream that is not a drawing, and passes on the stream's own errors.
void odDbGetPreviewBitmap(OdStreamBuf* stream, OdThumbnailImage* image);

// What the preview section holds, for tools that report on drawings.
enum class OdDbPreviewKind { kNone, kBmp, kPng, kWmf };
struct OdDbPreviewInfo {
    OdDbPreviewKind kind = OdDbPreviewKind::kNone;  // of the picture handed out in `bmp`
    int width = 0;
    int height = 0;
};
// As odDbGetPreviewBitmap, also telling where the bitmap came from and its stored size.
OdDbPreviewInfo odDbGetPreviewBitmapEx(OdStreamBuf* stream, OdThumbnailImage* image);
