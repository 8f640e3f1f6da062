// libFuzzer target: arbitrary bytes as a drawing. The reader must stay inside the data,
// and whatever picture it hands out must be a DIB whose rows fit its length.
#include <cstdint>
#include <cstdlib>

#include "dwg/PreviewDib.h"
#include "dwg/PreviewReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dwgpreview::MemorySource source(data, size);
    dwgpreview::Result r = dwgpreview::readPreview(source);
    if (!r.dib.empty()) {
        dwgpreview::DibLayout layout;
        if (!dwgpreview::inspectDib(r.dib.data(), r.dib.size(), layout, nullptr) || layout.topDown ||
            layout.headerSize != 40)
            std::abort();
    }
    return 0;
}
