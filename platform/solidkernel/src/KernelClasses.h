// Helpers the kernel's class files share: identity by level and the registration of
// restore functions.
#pragma once

#include "SatContext.h"
#include "solidkernel/entity.h"
#include "solidkernel/fieldio.h"

#define KERNEL_IDENTITY(Class, Parent, TYPE, LEVEL)                    \
    int Class::identity(int level) const {                             \
        if (level == 0 || level == (LEVEL)) return TYPE;               \
        if (level < 0) return Parent::identity(level + 1);             \
        if (level > (LEVEL)) return -1;                                \
        return Parent::identity(level);                                \
    }

// Creates an object and reads its record in the current restore.
template <class T>
ENTITY* restore_kernel_entity() {
    T* entity = new T();
    try {
        FieldIo reader = FieldIo::reader(*current_restore());
        entity->io(reader);
    } catch (...) {
        delete entity;
        throw;
    }
    return entity;
}

void register_topology_classes();
void register_geometry_classes();
void register_attrib_classes();
