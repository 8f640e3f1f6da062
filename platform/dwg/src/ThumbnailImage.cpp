// odDbGetPreviewBitmap: the preview reader run over the host's stream, results copied
// into the library's thumbnail record, failures raised as OdError.
#include "dwg/ThumbnailImage.h"

#include <new>

#include "dwg/OdError.h"
#include "dwg/PreviewReader.h"

namespace {

// Reads through the stream the host opened: one seek and one getBytes per range.
class StreamSource : public dwgpreview::Source {
public:
    explicit StreamSource(OdStreamBuf* stream) : stream_(stream), size_(stream->length()) {}
    std::uint64_t size() override { return size_; }
    void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        stream_->seek(static_cast<OdInt64>(offset), OdDb::kSeekFromStart);
        while (count > 0) {
            const OdUInt32 n = count > 0x40000000u ? 0x40000000u : static_cast<OdUInt32>(count);
            stream_->getBytes(out, n);
            out += n;
            count -= n;
        }
    }

private:
    OdStreamBuf* stream_;
    std::uint64_t size_;
};

}  // namespace

OdDbPreviewInfo odDbGetPreviewBitmapEx(OdStreamBuf* stream, OdThumbnailImage* image) {
    if (!stream || !image) throw OdError(eNullPtr);
    dwgpreview::Result found;
    try {
        StreamSource source(stream);
        found = dwgpreview::readPreview(source);
    } catch (const std::bad_alloc&) {
        throw OdError(eOutOfMemory);
    }
    if (found.status == dwgpreview::Status::kNotADrawing) throw OdError(eInvalidDrawing);
    image->header.swap(found.header);
    image->bmp.swap(found.dib);
    image->wmf.swap(found.wmf);
    OdDbPreviewInfo info;
    switch (found.kind) {
    case dwgpreview::Kind::kBmp: info.kind = OdDbPreviewKind::kBmp; break;
    case dwgpreview::Kind::kPng: info.kind = OdDbPreviewKind::kPng; break;
    case dwgpreview::Kind::kWmf: info.kind = OdDbPreviewKind::kWmf; break;
    default: info.kind = OdDbPreviewKind::kNone; break;
    }
    info.width = found.width;
    info.height = found.height;
    return info;
}

void odDbGetPreviewBitmap(OdStreamBuf* stream, OdThumbnailImage* image) {
    odDbGetPreviewBitmapEx(stream, image);
}
