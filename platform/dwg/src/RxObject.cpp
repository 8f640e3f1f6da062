// Run-time classes and the base behaviour of library objects.
// queryX answers by the class chain, so subclasses answer for their bases.
#include "dwg/RxObject.h"

#include "dwg/OdError.h"

bool OdRxClass::isDerivedFrom(const OdRxClass* other) const {
    for (const OdRxClass* c = this; c; c = c->parent_)
        if (c == other) return true;
    return false;
}

OdRxObject::~OdRxObject() = default;

const OdRxClass* OdRxObject::desc() {
    static const OdRxClass cls("OdRxObject", nullptr);
    return &cls;
}

const OdRxClass* OdRxObject::isA() const { return desc(); }

OdRxObject* OdRxObject::queryX(const OdRxClass* cls) const {
    if (!cls || !isA()->isDerivedFrom(cls)) return nullptr;
    OdRxObject* self = const_cast<OdRxObject*>(this);
    self->addRef();
    return self;
}

OdRxObject* OdRxObject::x(const OdRxClass* cls) const {
    OdRxObject* found = queryX(cls);
    if (!found) throw OdError_NotThatKindOfClass();
    return found;
}

long OdRxObject::numRefs() const { return 1; }

OdRxObjectPtr OdRxObject::clone() const { throw OdError(eNotApplicable); }

void OdRxObject::copyFrom(const OdRxObject*) { throw OdError(eNotApplicable); }

int OdRxObject::comparedTo(const OdRxObject* other) const {
    if (other == this) return 0;
    return other < this ? 1 : -1;
}

bool OdRxObject::isEqualTo(const OdRxObject* other) const { return comparedTo(other) == 0; }
