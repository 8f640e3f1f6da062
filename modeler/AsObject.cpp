// The body object and the body cache with its purge rule.
#include "AsObject.h"

#include "AsModeler.h"
#include "AsTools.h"
#include "solidkernel/kernelapi.h"

#include <chrono>
#include <exception>

AsObject::~AsObject() {
    if (body_) api_del_entity(body_);
    displayList_.clear();
}

void AsObject::transform(const SPAtransf& transf) {
    AsOutcomeCheck(api_transform_entity(body_, transf));
    displayList_.transform(transf);
}

namespace {

// Milliseconds since the first call: the runtime's clock() on the host's platform counts
// wall time from process start in these units.
long defaultClock() {
    using namespace std::chrono;
    static const steady_clock::time_point start = steady_clock::now();
    return static_cast<long>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

AsObject* restoreThroughModeler(const CDbAcisEntityData& record) {
    auto* modeler = dynamic_cast<AsModeler*>(CModeler::get());
    if (!modeler) throw std::exception();
    return modeler->restore(record);
}

}  // namespace

AsBodyCache::AsBodyCache() : clock_(defaultClock), restore_(restoreThroughModeler) {}

AsBodyCache::~AsBodyCache() = default;

AsCacheEntry& AsBodyCache::lookup(const CDbAcisEntityData& record) {
    if (record.getSat().empty() || record.getType() == CDbAcisEntityData::kNoEntity)
        throw std::exception();
    purge();
    ++lookups;
    lookupStart = clock_();
    auto it = entries_.find(record);
    if (it == entries_.end()) it = entries_.emplace(record, AsCacheEntry()).first;
    AsCacheEntry& entry = it->second;
    if (entry.object) {
        ++hits;
        entry.savedTime += entry.restoreTime - static_cast<int>(clock_() - lookupStart);
        return entry;
    }
    long start = clock_();
    std::unique_ptr<AsObject> object(restore_(record));
    long took = clock_() - start;
    if (!object) throw std::exception();
    entry.object = std::move(object);
    entry.restoreTime = static_cast<int>(took);
    entry.textLength = static_cast<int>(record.getSat().size());
    entry.savedTime = 0;
    return entry;
}

void AsBodyCache::purge() {
    if (entries_.empty()) return;
    long now = clock_();
    if (!purgeClockStarted_) {
        purgeClockStarted_ = true;
        lastPurge_ = now;
    }
    if ((now - lastPurge_) / 1000 < purgePeriod) return;
    lastPurge_ = now;

    double saved = 0.0;
    unsigned length = 0;
    for (const auto& kv : entries_)
        if (kv.second.flags & kSeen) {
            saved += kv.second.savedTime;
            length += static_cast<unsigned>(kv.second.textLength);
        }
    totalTextLength = length;
    averageSavedTime = length ? saved / length : 0.0;
    if (averageSavedTime < 0) averageSavedTime = 0.0;

    for (auto it = entries_.begin(); it != entries_.end();) {
        AsCacheEntry& entry = it->second;
        entry.flags |= kSeen;
        if (entry.savedTime < entry.textLength * evictionFactor * averageSavedTime) {
            it = entries_.erase(it);
        } else {
            entry.savedTime = 0;
            ++it;
        }
    }
}

void AsBodyCache::clear() { entries_.clear(); }

AsCacheEntry AsBodyCache::takeOut(const CDbAcisEntityData& record) {
    auto it = entries_.find(record);
    if (it == entries_.end()) return AsCacheEntry();
    AsCacheEntry value = std::move(it->second);
    entries_.erase(it);
    return value;
}

void AsBodyCache::put(const CDbAcisEntityData& record, AsCacheEntry value) {
    entries_.emplace(record, std::move(value));  // an existing entry stays; value dies here
}
