// libFuzzer target for the preview reader. The first byte's low bits pick the road: the
// whole input as a file (drawings start with "AC", which lands here); the rest as the
// inside of a preview block, wrapped in a sound file header and sentinels so that the
// directory and pictures get exercised; the rest as a PNG; or as a packed DIB. The reader must stay
// inside the data, and every picture it hands out must be a normal-form DIB that fits.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "dwg/PngDecoder.h"
#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

namespace {

const std::uint8_t kStart[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                 0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};

void checkDib(const std::vector<std::uint8_t>& dib) {
    if (dib.empty()) return;
    dwgpreview::DibLayout layout;
    if (!dwgpreview::inspectDib(dib.data(), dib.size(), layout, nullptr) || layout.topDown ||
        layout.headerSize != 40 || layout.pixelOffset + layout.pixelBytes != dib.size())
        std::abort();
}

// Block at 0x40: header, sentinel, overall size, the fuzzer's bytes, end sentinel.
std::vector<std::uint8_t> wrapAsDrawing(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> file(0x40, 0);
    std::memcpy(file.data(), "AC1018", 6);
    file[0x0D] = 0x40;
    file.insert(file.end(), kStart, kStart + 16);
    const std::uint32_t overall = static_cast<std::uint32_t>(size);
    for (int i = 0; i < 4; ++i) file.push_back(static_cast<std::uint8_t>(overall >> (8 * i)));
    file.insert(file.end(), data, data + size);
    for (std::uint8_t b : kStart) file.push_back(static_cast<std::uint8_t>(~b));
    return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::vector<std::uint8_t> out;
    switch (data[0] & 3) {
    case 1: {  // the whole input is the file ("AC..." drawings land here as they are)
        dwgpreview::MemorySource source(data, size);
        checkDib(dwgpreview::readPreview(source).dib);
        break;
    }
    case 0: {
        const std::vector<std::uint8_t> file = wrapAsDrawing(data + 1, size - 1);
        dwgpreview::MemorySource source(file.data(), file.size());
        checkDib(dwgpreview::readPreview(source).dib);
        break;
    }
    case 2:
        if (dwgpreview::decodePng(data + 1, size - 1, out, nullptr)) checkDib(out);
        break;
    default:
        if (dwgpreview::normaliseDib(data + 1, size - 1, out, nullptr)) checkDib(out);
        break;
    }
    return 0;
}
