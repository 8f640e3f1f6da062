// odInitialize / odUninitialize: nesting count and the services held meanwhile.
// The count is guarded by one lock, so calls from several threads nest safely.
#include "dwg/DbInitialize.h"

#include <mutex>

#include "dwg/OdError.h"

namespace {
std::mutex g_lock;
long g_depth = 0;
long g_initializeCalls = 0;
long g_uninitializeCalls = 0;
}  // namespace

void odInitialize(OdRxSystemServices* services) {
    std::lock_guard<std::mutex> hold(g_lock);
    ++g_initializeCalls;
    if (!services) throw OdError(eNullPtr);
    if (g_depth++ == 0) odrxSetSystemServices(services);
}

void odUninitialize() {
    std::lock_guard<std::mutex> hold(g_lock);
    ++g_uninitializeCalls;
    if (g_depth == 0) throw OdError(eNotInitialized);
    if (--g_depth == 0) odrxSetSystemServices(nullptr);
}

OdDbInitCounts odDbInitCounts() {
    std::lock_guard<std::mutex> hold(g_lock);
    return OdDbInitCounts{g_initializeCalls, g_uninitializeCalls};
}
