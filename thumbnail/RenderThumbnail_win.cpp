// renderThumbnail with GDI: the library started with this module's services, the preview
// read through a block stream, checked, and copied one to one into a screen-compatible
// bitmap, with white bands where it does not reach and the colour bar along the bottom.
#include "RenderThumbnail.h"

#include <cstring>
#include <new>
#include <utility>

#include "PreviewSystemServices.h"
#include "ThumbnailLayout.h"
#include "dwg/DbInitialize.h"
#include "dwg/OdError.h"
#include "dwg/ThumbnailImage.h"

namespace vistrel {

namespace {

// A memory context compatible with the screen with a new bitmap selected into it; the
// bitmap is deleted with the context unless it was detached.
class Canvas {
public:
    Canvas(int width, int height) {
        if (width <= 0 || height <= 0) return;
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return;
        const int planes = GetDeviceCaps(dc_, PLANES);
        const int bits = GetDeviceCaps(dc_, BITSPIXEL);
        bitmap_ = CreateBitmap(width, height, static_cast<UINT>(planes), static_cast<UINT>(bits), nullptr);
        if (bitmap_) previous_ = SelectObject(dc_, bitmap_);
    }
    ~Canvas() {
        if (dc_ && previous_) SelectObject(dc_, previous_);
        if (bitmap_) DeleteObject(bitmap_);
        if (dc_) DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ready() const { return dc_ && bitmap_ && previous_; }
    HDC dc() const { return dc_; }
    // Selects the previous bitmap back and hands the result over.
    HBITMAP detach() {
        SelectObject(dc_, previous_);
        previous_ = nullptr;
        return static_cast<HBITMAP>(std::exchange(bitmap_, nullptr));
    }

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

class Brushes {
public:
    Brushes() : a(CreateSolidBrush(kBarColourA)), b(CreateSolidBrush(kBarColourB)) {}
    ~Brushes() {
        if (a) DeleteObject(a);
        if (b) DeleteObject(b);
    }
    HBRUSH a, b;
};

void drawBar(HDC dc, int width, int top, int bottom) {
    Brushes brushes;
    for (const BarSegment& s : barSegments(width)) {
        RECT r{s.x.from, top, s.x.to, bottom};
        FillRect(dc, &r, s.colour == kBarColourA ? brushes.a : brushes.b);
    }
}

HFONT makeFont(int height, int width) {
    return CreateFontA(height, width, 0, 0, 400, FALSE, FALSE, FALSE, 162, 0, 0, 0, 0x20, "Verdana");
}

}  // namespace

HBITMAP drawNoThumbnail(int width, int height) {
    Canvas canvas(width, height);
    if (!canvas.ready()) return nullptr;
    const NoThumbnailLayout l = noThumbnailLayout(width, height);
    HDC dc = canvas.dc();
    HFONT font1 = makeFont(l.font1Height, l.font1Width);
    HFONT font2 = makeFont(l.font2Height, l.font2Width);
    PatBlt(dc, 0, 0, width, height, WHITENESS);
    HGDIOBJ oldFont = SelectObject(dc, font1);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutA(dc, l.centreX, l.noY, "no", 2);
    TextOutA(dc, l.centreX, l.thumbnailY, "Thumbnail", 9);
    SelectObject(dc, font2);
    TextOutA(dc, l.centreX, l.makerY, "Oremund", 7);
    MoveToEx(dc, l.lineFromX, l.lineY, nullptr);
    LineTo(dc, l.lineToX, l.lineY);
    drawBar(dc, width, l.barTop, height);
    SelectObject(dc, oldFont);
    HBITMAP result = canvas.detach();
    if (font1) DeleteObject(font1);
    if (font2) DeleteObject(font2);
    return result;
}

HBITMAP renderThumbnail(int width, int height, const char* path) {
    return renderThumbnail(width, height, OdString(path ? path : "", CP_SYSTEM_ANSI));
}

HBITMAP renderThumbnail(int width, int height, const OdString& path) {
    // Destroyed in reverse order: stream, then services, then the record.
    OdThumbnailImage* image = new OdThumbnailImage();
    struct RecordOwner {
        OdThumbnailImage* image;
        ~RecordOwner() { delete image; }
    } recordOwner{image};
    OdSmartPtr<PreviewSystemServices> services = OdSmartPtr<PreviewSystemServices>::attach(new PreviewSystemServices());

    odInitialize(services.get());  // not absorbed: a library that cannot start is the caller's problem
    bool uninitialized = false;
    OdStreamBufPtr stream;
    HBITMAP result = nullptr;
    try {
        stream = services->createFile(path, kOdFileRead, kOdShareDenyNo, kOdOpenExisting);
        odDbGetPreviewBitmap(stream.get(), image);
        if (image->bmp.empty()) throw OdError(OdString(L"WMF File"));

        // A copy of the preview, checked before any of it is used.
        const std::size_t size = image->bmp.size();
        OdUInt8* copy = new (std::nothrow) OdUInt8[size];
        if (!copy) throw OdError(eOutOfMemory);
        struct CopyOwner {
            OdUInt8* bytes;
            ~CopyOwner() { delete[] bytes; }
        } copyOwner{copy};
        std::memcpy(copy, image->bmp.data(), size);
        PreviewBitmapFacts facts;
        if (!checkPreviewBitmap(copy, size, facts)) throw OdError(eInvalidInput);
        const OdUInt8* rows = copy + facts.pixelOffset;

        Canvas canvas(width, height);
        if (!canvas.ready()) throw OdError(eOutOfMemory);
        HDC dc = canvas.dc();
        const CropPlan plan = planCrop(width, height, facts.width, facts.height);
        if (plan.whiteRows) {
            PatBlt(dc, 0, 0, width, 1 - plan.sourceY, WHITENESS);
            PatBlt(dc, 0, height + plan.sourceY, width, height, WHITENESS);
        }
        if (plan.whiteColumns) {
            PatBlt(dc, plan.leftColumns.from, 0, plan.leftColumns.to - plan.leftColumns.from, height, WHITENESS);
            PatBlt(dc, plan.rightColumns.from, 0, plan.rightColumns.to - plan.rightColumns.from, height, WHITENESS);
        }
        StretchDIBits(dc, 0, 0, width, height, plan.sourceX, plan.sourceY, width, height, rows,
                      reinterpret_cast<const BITMAPINFO*>(copy), DIB_RGB_COLORS, SRCCOPY);
        drawBar(dc, width, height - kBarHeightOverPreview, height);
        result = canvas.detach();
        uninitialized = true;
        odUninitialize();
        return result;  // the stream goes after the library has stopped
    } catch (...) {
        stream.reset();
        if (!uninitialized) {
            uninitialized = true;
            try {
                odUninitialize();
            } catch (...) {
            }
        }
        if (result) DeleteObject(result);
    }
    return drawNoThumbnail(width, height);
}

}  // namespace vistrel
