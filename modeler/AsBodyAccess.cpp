// Finding the body of a host record for a body operation.
#include "AsBodyAccess.h"

#include "AsObject.h"
#include "AsTools.h"
#include "solidkernel/errors.h"

#include <exception>

BODY* AsLookupBody(AsBodyCache& cache, const CDbAcisEntityData& record) {
    return AsLookupEntry(cache, record).object->body();
}

AsCacheEntry& AsLookupEntry(AsBodyCache& cache, const CDbAcisEntityData& record) {
    try {
        AsCacheEntry& entry = cache.lookup(record);
        if (!entry.object || !entry.object->body()) throw std::exception();
        return entry;
    } catch (const std::exception&) {
        if (asLastError() == 0) {
            bool noText =
                record.getSat().empty() || record.getType() == CDbAcisEntityData::kNoEntity;
            asSetLastError(noText ? kernel_errors::kNullEntity : kernel_errors::kNotABody);
        }
        throw;
    }
}

void AsRequireArgument(const void* pointer) {
    if (pointer) return;
    asSetLastError(kernel_errors::kNullArgument);
    throw std::exception();
}
