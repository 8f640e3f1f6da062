// The display list and the records handed to the host.
#include "AsDisplayList.h"

#include <atomic>
#include <cstring>
#include <exception>
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
std::atomic<long> g_outstanding{0};
std::function<void*(std::size_t)>& allocator() {
    static std::function<void*(std::size_t)> allocate;
    return allocate;
}
}  // namespace

void* AsAllocateDisplayBlock(std::size_t bytes) {
    void* block = allocator() ? allocator()(bytes) : ::operator new(bytes);
    if (!block) throw std::bad_alloc();
    ++g_outstanding;
    return block;
}

void AsFreeDisplayBlock(void* block) {
    if (!block) return;
    --g_outstanding;
    ::operator delete(block);
}

long AsDisplayBlocksOutstanding() { return g_outstanding.load(); }

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
        if (auto* polyline = dynamic_cast<AsDisplayPolyline*>(item.get()))
            for (SPAposition& p : polyline->points) p = transf.apply(p);
}

ModelerPolyline* AsDisplayList::toRecords() const {
    ModelerPolyline* first = nullptr;
    ModelerPolyline** link = &first;
    try {
        for (const auto& item : items_) {
            auto* polyline = dynamic_cast<const AsDisplayPolyline*>(item.get());
            if (!polyline || (polyline->kind & AsDisplayPolyline::kDrawnBefore)) continue;
            auto* record = static_cast<ModelerPolyline*>(AsAllocateDisplayBlock(sizeof(ModelerPolyline)));
            std::memset(record, 0, sizeof *record);  // the padding too: the host may copy it
            *link = record;
            link = &record->next;
            record->kind = static_cast<std::int16_t>(polyline->kind);
            record->colorIndex = static_cast<std::int16_t>(polyline->colorIndex);
            record->reserved1 = -1;
            record->reserved2 = 0;
            record->pointCount = static_cast<std::int32_t>(polyline->points.size());
            auto* points = static_cast<double*>(AsAllocateDisplayBlock(polyline->points.size() * 3 * sizeof(double)));
            record->points = points;
            for (const SPAposition& p : polyline->points) {
                *points++ = p.x;
                *points++ = p.y;
                *points++ = p.z;
            }
        }
    } catch (...) {
        AsFreeRecords(first);
        throw std::bad_alloc();
    }
    return first;
}
