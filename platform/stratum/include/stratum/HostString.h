// The host library's string and vector types: standard containers whose storage comes
// from the host library's own heap, so a value built in one module can be freed in another.
#pragma once

#include "stratum/StratumApi.h"

#include <cstddef>
#include <new>
#include <string>
#include <vector>

extern "C" {
STRATUM_API void* stratumAllocate(std::size_t bytes);
STRATUM_API void stratumFree(void* block);
// Blocks of the host heap not yet freed; tests use it to find leaks across modules.
STRATUM_API long stratumLiveBlocks();
}

template <class T>
class HostAllocator {
public:
    using value_type = T;

    HostAllocator() noexcept = default;
    template <class U>
    HostAllocator(const HostAllocator<U>&) noexcept {}

    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) throw std::bad_alloc();
        void* block = stratumAllocate(n * sizeof(T));
        if (!block) throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* p, std::size_t) noexcept { stratumFree(p); }

    template <class U>
    bool operator==(const HostAllocator<U>&) const noexcept { return true; }
    template <class U>
    bool operator!=(const HostAllocator<U>&) const noexcept { return false; }
};

using HostString = std::basic_string<char, std::char_traits<char>, HostAllocator<char>>;

template <class T>
using HostVector = std::vector<T, HostAllocator<T>>;
