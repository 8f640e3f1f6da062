// Walking and editing a model inside the kernel: attribute lists, coedge rings guarded
// against rings that never close, deleting an entity with its attributes, and the frame
// every model operation runs in.
#pragma once

#include "KernelClasses.h"
#include "solidkernel/errors.h"
#include "solidkernel/kernelapi.h"

#include <new>
#include <vector>

namespace model_walk {

template <class Work>
outcome guarded(Work work) {
    try {
        work();
        return outcome();
    } catch (const kernel_failure& failure) {
        return outcome(failure.number);
    } catch (const std::bad_alloc&) {
        return outcome(kernel_errors::kReadFailed);
    } catch (...) {
        return outcome(kernel_errors::kBadParameter);
    }
}

inline ENTITY_LIST reachable(ENTITY* from) {
    ENTITY_LIST all;
    all.add(from);
    for (int i = 0; i < all.count(); ++i) all[i]->copy_scan(all, SCAN_DELETE);
    return all;
}

inline std::vector<ATTRIB*> attribsOf(const ENTITY* owner) {
    std::vector<ATTRIB*> out;
    for (ATTRIB* a = owner->attrib(); a && out.size() < 100000; a = a->next()) out.push_back(a);
    return out;
}

// Deletes an entity that nothing refers to any more, with its attributes.
inline void destroy(ENTITY* entity) {
    if (!entity) return;
    for (ATTRIB* a : attribsOf(entity)) a->lose();
    delete entity;
}

// Coedges of a ring (loop or partners), guarded against rings that do not close.
template <class Next>
std::vector<COEDGE*> ring(COEDGE* start, Next next) {
    std::vector<COEDGE*> out;
    ENTITY_LIST seen;
    for (COEDGE* c = start; c && seen.lookup(c) < 0; c = next(c)) {
        seen.add(c);
        out.push_back(c);
    }
    return out;
}
inline std::vector<COEDGE*> loopRing(COEDGE* start) { return ring(start, [](COEDGE* c) { return c->next(); }); }
inline std::vector<COEDGE*> partnerRing(COEDGE* start) { return ring(start, [](COEDGE* c) { return c->partner(); }); }

}  // namespace model_walk
