// The display data kept with a body (AsDisplayList): polylines in model space, bracketed by
// markers naming the body, face or edge they belong to, and their conversion into the
// linked ModelerPolyline records the host draws and frees through the modeler.
#pragma once

#include "solidkernel/vecmath.h"
#include "stratum/Modeler.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ENTITY;
class AsDisplayPolyline;

class AsDisplayItem {
public:
    explicit AsDisplayItem(std::intptr_t tag) : tag_(tag) {}
    virtual ~AsDisplayItem() = default;
    // The item as a polyline, or null for a marker (cheaper than a dynamic_cast: lists of
    // facets are long and walked at every display).
    virtual const AsDisplayPolyline* polyline() const { return nullptr; }
    // The entity a marker brackets (or kParameterLines); 0 for a polyline.
    std::intptr_t tag() const { return tag_; }

private:
    std::intptr_t tag_;
};

class AsDisplayMarker : public AsDisplayItem {
public:
    using AsDisplayItem::AsDisplayItem;
    // The tag of markers around parameter lines.
    static constexpr std::intptr_t kParameterLines = -1;
};

class AsDisplayPolyline : public AsDisplayItem {
public:
    static constexpr int kOpen = 1;
    static constexpr int kClosed = 3;  // a closed polyline, or a facet
    // Set on an edge that was drawn already in this wireframe: never handed to the host.
    static constexpr unsigned kDrawnBefore = 0x80000000u;

    AsDisplayPolyline(unsigned kind, int colorIndex) : AsDisplayItem(0), kind(kind), colorIndex(colorIndex) {}
    const AsDisplayPolyline* polyline() const override { return this; }

    unsigned kind;
    int colorIndex;
    int reserved[2] = {0, 0};
    std::vector<SPAposition> points;
};

class AsDisplayList {
public:
    AsDisplayList() = default;
    virtual ~AsDisplayList();
    AsDisplayList(const AsDisplayList&) = delete;
    AsDisplayList& operator=(const AsDisplayList&) = delete;

    void appendMarker(std::intptr_t tag);
    void appendMarker(const ENTITY* entity) { appendMarker(reinterpret_cast<std::intptr_t>(entity)); }
    // A polyline item is only kept with at least one point.
    void appendPolyline(std::unique_ptr<AsDisplayPolyline> polyline);
    void clear() { items_.clear(); }
    bool empty() const { return items_.empty(); }
    std::size_t size() const { return items_.size(); }
    const std::vector<std::unique_ptr<AsDisplayItem>>& items() const { return items_; }

    // Every point of every polyline moved by the transform.
    void transform(const SPAtransf& transf);

    // The host's records, in list order: markers and polylines already drawn are left out.
    // Null for none. Throws std::exception (with nothing left allocated) when a block
    // cannot be had.
    ModelerPolyline* toRecords() const;

private:
    std::vector<std::unique_ptr<AsDisplayItem>> items_;
};

// Blocks handed to the host (records and point arrays) go back through AsFreeDisplayBlock
// (slot 4), one by one. The blocks of one display are carved from one allocation, which
// goes when the last of them is back; any other block is freed at once. The count of
// blocks not yet back is kept for diagnostics.
void AsFreeDisplayBlock(void* block);
long AsDisplayBlocksOutstanding();
// A record chain's blocks freed as the host frees them.
void AsFreeRecords(ModelerPolyline* first);
// Tests replace the allocation underneath (to make it fail); an empty function restores it.
void AsSetDisplayAllocatorForTests(std::function<void*(std::size_t)> allocate);
