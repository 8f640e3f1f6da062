// The clipboard block of a style: written and checked without the clipboard.
#include "ClipboardStyle.h"

#include <algorithm>
#include <cstdint>

namespace quellon {

std::vector<unsigned char> styleBlock(const CPlotStyle& style) {
    COBinStreamImp out;
    if (!style.write(out)) return {};
    const unsigned long n = out.size();
    if (n > 0xFFFFFFFFul - 4) return {};
    std::vector<unsigned char> block(4 + std::size_t(n));
    for (int i = 0; i < 4; ++i) block[std::size_t(i)] = static_cast<unsigned char>(n >> (8 * i));
    std::copy(out.data(), out.data() + n, block.begin() + 4);
    return block;
}

bool readStyleBlock(const unsigned char* block, std::size_t size, CPlotStyle& style) {
    if (!block || size < 4) return false;
    std::uint32_t n = 0;
    for (int i = 0; i < 4; ++i) n |= std::uint32_t(block[i]) << (8 * i);
    if (size - 4 < n) return false;
    CIBinStreamImp in(block + 4, n);
    CPlotStyle read;
    if (!read.read(in)) return false;
    style = read;
    return true;
}

}  // namespace quellon
