// Restored bodies and the cache that holds them by their SAT text.
#pragma once

#include <map>
#include <memory>

class AsObject;

// Cached bodies, one entry per distinct SAT text.
class AsBodyCache {
public:
    AsBodyCache();
    ~AsBodyCache();
    AsBodyCache(const AsBodyCache&) = delete;
    AsBodyCache& operator=(const AsBodyCache&) = delete;

    // Erases every entry, deleting its object.
    void clear();
    bool empty() const;

private:
    struct Entry;
    std::map<int, std::unique_ptr<Entry>> entries_;
};
