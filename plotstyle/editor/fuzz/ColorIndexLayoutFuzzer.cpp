// Fuzzes the colour index layout with arbitrary frame rectangles and points: no division
// by zero, no overflow, and every hit names a cell whose target holds the point.
#include "ColorIndexLayout.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int16_t v[14] = {};
    std::memcpy(v, data, size < sizeof(v) ? size : sizeof(v));
    quellon::ColorIndexLayout layout;
    layout.layout(quellon::Box{v[0], v[1], v[2], v[3]}, quellon::Box{v[4], v[5], v[6], v[7]},
                  quellon::Box{v[8], v[9], v[10], v[11]});
    const int hit = layout.hitTest(v[12], v[13]);
    if (hit != -1) {
        const quellon::ColorCell* cell = layout.find(hit);
        if (!cell || !cell->target().contains(v[12], v[13])) std::abort();
    }
    if (layout.cells().size() > 255) std::abort();
    return 0;
}
