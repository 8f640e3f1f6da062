// What every body operation needs around its work: the body of a host record, found through
// the body cache, and the host's output vectors put back as they came when the work fails.
#pragma once

#include "stratum/EntityData.h"
#include "stratum/HostString.h"

#include <cstddef>

class AsBodyCache;
struct AsCacheEntry;
class BODY;

// The cached body of the record, restoring its text on a miss. Throws std::exception when
// there is none; the last error number then says why: the restore's own error number, else
// NULL_ENTITY for an empty text or type 0 and NOT_A_BODY for text that holds no single body.
BODY* AsLookupBody(AsBodyCache& cache, const CDbAcisEntityData& record);
// The same, answering the cache entry (whose object holds the body).
AsCacheEntry& AsLookupEntry(AsBodyCache& cache, const CDbAcisEntityData& record);

// Throws std::exception with the last error number NULL_ARGUMENT when the pointer is null.
void AsRequireArgument(const void* pointer);

// Puts a host vector back to its size on entry after a failed operation; an empty one also
// gives its storage back to the host's heap.
template <class T>
void AsRestoreHostVector(HostVector<T>& vector, std::size_t size) {
    try {
        if (size == 0) {
            HostVector<T>().swap(vector);
        } else if (vector.size() > size) {
            vector.resize(size);
            vector.shrink_to_fit();
        }
    } catch (...) {
    }
}
