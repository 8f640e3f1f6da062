// The marker attribute class, its registration and its owner notifications.
#include "AsAttribMarker.h"

#include <cstring>

namespace {
const int kType = new_type_number();
restore_def g_restoreDef(AsAttrib::subclasses(), "marker", AsAttribMarker::restore);
}  // namespace

AsAttribMarker::AsAttribMarker(ENTITY* owner) : AsAttrib(owner) {}

int AsAttribMarker::type() { return kType; }

METHOD_TABLE& AsAttribMarker::methods() {
    static METHOD_TABLE table;
    return table;
}

AsAttribMarker* AsAttribMarker::find(const ENTITY* owner) {
    return static_cast<AsAttribMarker*>(find_attrib(owner, AsAttrib::type(), kType, -1));
}

ENTITY* AsAttribMarker::restore() {
    AsAttribMarker* attrib = new (__FILE__, __LINE__) AsAttribMarker();
    attrib->restore_common();
    return attrib;
}

int AsAttribMarker::identity(int level) const {
    if (level == 0 || level == 3) return kType;
    if (level < 0) return AsAttrib::identity(level + 1);
    if (level > 3) return -1;
    return AsAttrib::identity(level);
}

logical AsAttribMarker::call_method(const METHOD_ID& id, const METHOD_ARGS& args) {
    if (!id.arg_id || !args.id || std::strcmp(id.arg_id, args.id) != 0) return 0;
    if (METHOD_FN fn = methods().find(id.name)) return fn(this, args);
    return AsAttrib::call_method(id, args);
}

ENTITY* AsAttribMarker::make_copy() const {
    AsAttribMarker* copy = new (__FILE__, __LINE__) AsAttribMarker();
    copy->ENTITY::operator=(*this);
    copy->set_links(next(), previous());
    copy->set_entity(entity());
    fixup_copy(copy);
    return copy;
}

ENTITY* AsAttribMarker::copy_data(ENTITY_LIST& list) const {
    AsAttribMarker* copy = new (__FILE__, __LINE__) AsAttribMarker();
    copy->copy_common(list, this);
    return copy;
}

void AsAttribMarker::save() const {
    save_begin();
    write_id_level("marker", 3);
    AsAttrib::save_common();
    save_end();
}

void AsAttribMarker::copy_scan(ENTITY_LIST& list, SCAN_TYPE reason) const { ATTRIB::copy_scan(list, reason); }
void AsAttribMarker::fix_common(ENTITY* array[], int count) { ATTRIB::fix_common(array, count); }
void AsAttribMarker::debug_ent(FILE* out) const { ATTRIB::debug_ent(out); }
void AsAttribMarker::lose() { ATTRIB::lose(); }

void AsAttribMarker::split_owner(ENTITY* newEntity) {
    try {
        if (newEntity) new (__FILE__, __LINE__) AsAttribMarker(newEntity);
    } catch (...) {
    }
}

void AsAttribMarker::copy_owner(ENTITY* copy) { split_owner(copy); }

void AsAttribMarker::merge_owner(ENTITY* other, logical deleteOwner) {
    try {
        if (deleteOwner && other && !find(other)) move(other);
    } catch (...) {
    }
}
