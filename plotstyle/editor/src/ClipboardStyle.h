// One plot style on the clipboard. The block is a 32-bit little-endian byte count n followed
// by the n bytes of the style's byte form. The format is public by name, so any process may
// post any block under it: a block is read only when it holds every byte its count claims.
// The system clipboard itself is behind StyleClipboard (ClipboardStyle_win.cpp).
#pragma once

#include "vexoutils/PlotStyle.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace quellon {

// The block for `style`; empty when the style cannot be written.
std::vector<unsigned char> styleBlock(const CPlotStyle& style);
// Reads the style in the `size` bytes at `block` into `style`; false (style untouched) when
// the block is shorter than its count says or the bytes are no style.
bool readStyleBlock(const unsigned char* block, std::size_t size, CPlotStyle& style);

// The clipboard as the style commands use it.
class StyleClipboard {
public:
    using Reader = std::function<void(const unsigned char* bytes, std::size_t size)>;

    virtual ~StyleClipboard() = default;
    // The number of the format registered under `name`; 0 when that fails.
    virtual unsigned registerFormat(const std::string& name) = 0;
    // True when the clipboard can be opened and holds data in `format`.
    virtual bool holds(unsigned format) = 0;
    // Empties the clipboard and puts `block` on it in `format`.
    virtual bool put(unsigned format, const std::vector<unsigned char>& block) = 0;
    // Hands the data in `format` (its bytes and the size of the memory holding them) to
    // `reader` while the clipboard is open; false when it cannot be opened or holds none.
    virtual bool read(unsigned format, const Reader& reader) = 0;
};

}  // namespace quellon
