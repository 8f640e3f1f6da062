// The module's global allocation operators, taken from the drawing library's allocator so
// that objects of this module and of the library share one heap.
#include <new>

#include "dwg/OdAlloc.h"

void* operator new(std::size_t size) {
    if (void* p = odrxAlloc(size)) return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
    if (void* p = odrxAlloc(size)) return p;
    throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return odrxAlloc(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return odrxAlloc(size); }
void operator delete(void* p) noexcept { odrxFree(p); }
void operator delete[](void* p) noexcept { odrxFree(p); }
void operator delete(void* p, std::size_t) noexcept { odrxFree(p); }
void operator delete[](void* p, std::size_t) noexcept { odrxFree(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { odrxFree(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { odrxFree(p); }
