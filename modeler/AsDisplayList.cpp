// The display list and the records handed to the host.
#include "AsDisplayList.h"

#include <cstring>
#include <exception>
#include <map>
#include <new>

// The host reads these records by offset. On 32-bit Windows a record is 24 bytes; where
// pointers are wider (64-bit builds) the two pointer fields grow and the size with them.
#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(ModelerPolyline) == 24, "the host's display record is 24 bytes");
static_assert(offsetof(ModelerPolyline, kind) == 0 && offsetof(ModelerPolyline, colorIndex) == 2 &&
                  offsetof(ModelerPolyline, reserved1) == 4 && offsetof(ModelerPolyline, reserved2) == 8 &&
                  offsetof(ModelerPolyline, unused) == 10 && offsetof(ModelerPolyline, pointCount) == 12 &&
                  offsetof(ModelerPolyline, points) == 16 && offsetof(ModelerPolyline, next) == 20,
              "the host's display record layout");
#endif

namespace {

long g_outstanding = 0;

std::function<void*(std::size_t)>& allocator() {
    static std::function<void*(std::size_t)> allocate;
    return allocate;
}

// One display's blocks: the allocation they were carved from, by its start, with the
// number of its blocks the host still holds.
struct Arena {
    std::size_t size;
    long held;
};
std::map<const char*, Arena>& arenas() {
    static std::map<const char*, Arena> live;
    return live;
}

char* allocateArena(std::size_t bytes, long blocks) {
    void* memory = allocator() ? allocator()(bytes) : ::operator new(bytes);
    if (!memory) throw std::bad_alloc();
    char* start = static_cast<char*>(memory);
    try {
        arenas().emplace(start, Arena{bytes, blocks});
    } catch (...) {
        ::operator delete(memory);
        throw;
    }
    g_outstanding += blocks;
    return start;
}

}  // namespace

void AsFreeDisplayBlock(void* block) {
    if (!block) return;
    const char* at = static_cast<const char*>(block);
    auto& live = arenas();
    auto it = live.upper_bound(at);
    if (it != live.begin()) {
        --it;
        if (at < it->first + it->second.size) {
            --g_outstanding;
            if (--it->second.held == 0) {
                ::operator delete(const_cast<char*>(it->first));
                live.erase(it);
            }
            return;
        }
    }
    ::operator delete(block);  // not one of ours from a display: the ordinary way
}

long AsDisplayBlocksOutstanding() { return g_outstanding; }

void AsSetDisplayAllocatorForTests(std::function<void*(std::size_t)> allocate) { allocator() = std::move(allocate); }

void AsFreeRecords(ModelerPolyline* first) {
    for (int guard = 0; first && guard < 100000000; ++guard) {
        ModelerPolyline* next = first->next;
        AsFreeDisplayBlock(first->points);
        AsFreeDisplayBlock(first);
        first = next;
    }
}

AsDisplayList::~AsDisplayList() = default;

void AsDisplayList::appendMarker(std::intptr_t tag) { items_.push_back(std::make_unique<AsDisplayMarker>(tag)); }

void AsDisplayList::appendPolyline(std::unique_ptr<AsDisplayPolyline> polyline) {
    if (polyline && !polyline->points.empty()) items_.push_back(std::move(polyline));
}

void AsDisplayList::transform(const SPAtransf& transf) {
    for (const auto& item : items_)
        if (item->polyline())
            for (SPAposition& p : static_cast<AsDisplayPolyline&>(*item).points) p = transf.apply(p);
}

ModelerPolyline* AsDisplayList::toRecords() const {
    // Sizes first, then one allocation for every record and point array.
    std::size_t records = 0, points = 0;
    for (const auto& item : items_) {
        const AsDisplayPolyline* polyline = item->polyline();
        if (!polyline || (polyline->kind & AsDisplayPolyline::kDrawnBefore)) continue;
        ++records;
        points += polyline->points.size();
    }
    if (records == 0) return nullptr;
    constexpr std::size_t kRecordBytes = (sizeof(ModelerPolyline) + 7) / 8 * 8;  // points stay aligned
    char* arena = allocateArena(records * kRecordBytes + points * 3 * sizeof(double), static_cast<long>(2 * records));
    char* nextRecord = arena;
    auto* nextPoint = reinterpret_cast<double*>(arena + records * kRecordBytes);
    ModelerPolyline* first = nullptr;
    ModelerPolyline** link = &first;
    for (const auto& item : items_) {
        const AsDisplayPolyline* polyline = item->polyline();
        if (!polyline || (polyline->kind & AsDisplayPolyline::kDrawnBefore)) continue;
        auto* record = reinterpret_cast<ModelerPolyline*>(nextRecord);
        nextRecord += kRecordBytes;
        std::memset(record, 0, sizeof *record);  // the padding too: the host may copy it
        record->kind = static_cast<std::int16_t>(polyline->kind);
        record->colorIndex = static_cast<std::int16_t>(polyline->colorIndex);
        record->reserved1 = -1;
        record->reserved2 = 0;
        record->pointCount = static_cast<std::int32_t>(polyline->points.size());
        record->points = nextPoint;
        for (const SPAposition& p : polyline->points) {
            *nextPoint++ = p.x;
            *nextPoint++ = p.y;
            *nextPoint++ = p.z;
        }
        *link = record;
        link = &record->next;
    }
    return first;
}
