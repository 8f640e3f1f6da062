// The library's allocator: the C heap, with a count of live blocks for leak checks.
// Blocks of zero bytes are one byte long, so every allocation is unique.
#include "dwg/OdAlloc.h"

#include <atomic>
#include <cstdlib>

namespace {
std::atomic<long> g_liveBlocks{0};
std::atomic<long> g_successesLeft{-1};  // negative: no failures

bool failThisOne() {
    long left = g_successesLeft.load(std::memory_order_relaxed);
    while (left > 0 && !g_successesLeft.compare_exchange_weak(left, left - 1, std::memory_order_relaxed)) {
    }
    return left == 0;
}
}  // namespace

void odrxFailAllocationsAfter(long successes) { g_successesLeft.store(successes < 0 ? -1 : successes); }

void* odrxAlloc(std::size_t size) {
    if (failThisOne()) return nullptr;
    void* block = std::malloc(size ? size : 1);
    if (block) g_liveBlocks.fetch_add(1, std::memory_order_relaxed);
    return block;
}

void* odrxRealloc(void* block, std::size_t newSize, std::size_t /*oldSize*/) {
    if (!block) return odrxAlloc(newSize);
    if (failThisOne()) return nullptr;
    return std::realloc(block, newSize ? newSize : 1);
}

void odrxFree(void* block) {
    if (!block) return;
    g_liveBlocks.fetch_sub(1, std::memory_order_relaxed);
    std::free(block);
}

long odrxLiveBlocks() { return g_liveBlocks.load(std::memory_order_relaxed); }
