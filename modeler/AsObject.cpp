// The body cache.
#include "AsObject.h"

struct AsBodyCache::Entry {};

AsBodyCache::AsBodyCache() = default;
AsBodyCache::~AsBodyCache() = default;

void AsBodyCache::clear() { entries_.clear(); }

bool AsBodyCache::empty() const { return entries_.empty(); }
