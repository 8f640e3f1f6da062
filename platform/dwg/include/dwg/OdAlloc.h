// The library's allocator. Every block the library or its host takes from it goes back
// through odrxFree; hosts also route their global operator new/delete here so that the
// whole process shares one heap discipline.
#pragma once

#include <cstddef>

// Returns a block of at least `size` bytes (a unique non-null block for 0), or null when
// memory runs out. Never throws.
void* odrxAlloc(std::size_t size);
// Grows or shrinks a block; `oldSize` is informational. Null when memory runs out (the old
// block then stays valid).
void* odrxRealloc(void* block, std::size_t newSize, std::size_t oldSize);
// Returns a block; null is ignored.
void odrxFree(void* block);

// Number of blocks handed out and not yet returned: a leak check for tests.
long odrxLiveBlocks();

// A test hook: after `successes` more blocks, every request fails (null) until the hook is
// called again; a negative number switches failing off.
void odrxFailAllocationsAfter(long successes);
