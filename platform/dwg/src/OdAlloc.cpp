// The library's allocator: the C heap, with a count of live blocks for leak checks.
// Blocks of zero bytes are one byte long, so every allocation is unique.
#include "dwg/OdAlloc.h"

#include <atomic>
#include <cstdlib>

namespace {
std::atomic<long> g_liveBlocks{0};
}

void* odrxAlloc(std::size_t size) {
    void* block = std::malloc(size ? size : 1);
    if (block) g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void* odrxRealloc(void* block, std::size_t newSize, std::size_t /*oldSize*/) {
    if (!block) return odrxAlloc(newSize);
    return std::realloc(block, newSize ? newSize : 1);
}

void odrxFree(void* block) {
    if (!block) return;
    g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
    std::free(block);
}

long odrxLiveBlocks() { return g_liveBlocks.load(std::memory_order_relaxed); }
