// A restored body with its display data (AsObject), and the cache that holds restored
// bodies by their SAT text and evicts those whose hits save too little time
// (AsBodyCache).
#pragma once

#include "AsDisplayList.h"
#include "solidkernel/vecmath.h"
#include "stratum/EntityData.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class BODY;

class AsObject {
public:
    AsObject() = default;
    explicit AsObject(BODY* body) : body_(body) {}
    // Deletes the body through the kernel (its outcome is not looked at).
    virtual ~AsObject();
    AsObject(const AsObject&) = delete;
    AsObject& operator=(const AsObject&) = delete;

    BODY* body() const { return body_; }
    void setBody(BODY* body) { body_ = body; }
    AsDisplayList& displayList() { return displayList_; }

    // Moves the body and every cached display point by the transform; throws
    // std::exception when the kernel refuses.
    void transform(const SPAtransf& transf);

    // The host's records of the body's display: a wireframe with `mode` parameter lines
    // per face direction, or (mode < 0) a shaded mesh, at the quality given. The list kept
    // is reused when it fits the request; otherwise it is made again. Sets *out only on
    // success; throws std::exception on failure (then no list is kept).
    void display(ModelerPolyline** out, int mode, double quality);
    // Whether the kept list answers a request of this kind (1 wireframe, 2 mesh).
    bool reuses(int kind, int mode, double quality) const;

    int displayKind = 0;  // 0 none, 1 wireframe, 2 shaded mesh
    int isolineCount = 0;
    double displayQuality = 0.0;
    long displayGenerations = 0;  // lists made so far (the reuse rule saves the others)

private:
    BODY* body_ = nullptr;
    AsDisplayList displayList_;
};

struct AsCacheEntry {
    int restoreTime = 0;  // clock ticks restoring the text took
    int textLength = 0;
    int savedTime = 0;    // ticks saved by hits since the last purge
    int flags = 0;        // 1: seen by a purge
    std::unique_ptr<AsObject> object;
};

// Orders records by their SAT text alone, byte by byte, a prefix first.
struct AsSatTextLess {
    bool operator()(const CDbAcisEntityData& a, const CDbAcisEntityData& b) const {
        return a.getSat().compare(b.getSat()) < 0;
    }
};

class AsBodyCache {
public:
    using Clock = std::function<long()>;  // milliseconds
    using Restore = std::function<AsObject*(const CDbAcisEntityData&)>;
    using Map = std::map<CDbAcisEntityData, AsCacheEntry, AsSatTextLess>;

    static constexpr int kSeen = 1;

    // The clock defaults to the runtime's, the restore to the current modeler's.
    AsBodyCache();
    virtual ~AsBodyCache();
    AsBodyCache(const AsBodyCache&) = delete;
    AsBodyCache& operator=(const AsBodyCache&) = delete;

    // The entry for the record's text, restoring it when it has no object. Throws
    // std::exception for an empty text, type 0, or a text that does not restore.
    AsCacheEntry& lookup(const CDbAcisEntityData& record);
    // Erases every entry, deleting its object.
    void clear();
    // Takes the entry of the record's text out of the cache (an empty value when none).
    AsCacheEntry takeOut(const CDbAcisEntityData& record);
    // Adds an entry; when the text has one already, that stays and the value is dropped.
    void put(const CDbAcisEntityData& record, AsCacheEntry value);

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }
    const Map& entries() const { return entries_; }

    // Seams for tests.
    void setClock(Clock clock) { clock_ = std::move(clock); }
    void setRestore(Restore restore) { restore_ = std::move(restore); }

    int purgePeriod = 60;        // seconds
    double evictionFactor = 0.5;
    double averageSavedTime = 0.0;  // per text byte, from the last purge
    unsigned totalTextLength = 0;   // from the last purge
    long lookupStart = 0;
    long lookups = 0, hits = 0;

private:
    void purge();

    Map entries_;
    Clock clock_;
    Restore restore_;
    bool purgeClockStarted_ = false;
    long lastPurge_ = 0;
};
