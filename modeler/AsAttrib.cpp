// The "vaq" attribute class and its registration.
#include "AsAttrib.h"

#include <cstring>

namespace {
const int kType = new_type_number();
restore_def g_restoreDef(ATTRIB_subclasses(), "vaq", AsAttrib::restore, &AsAttrib::subclasses());
}  // namespace

AsAttrib::AsAttrib(ENTITY* owner) : ATTRIB(owner) {}

int AsAttrib::type() { return kType; }

subclass_list& AsAttrib::subclasses() {
    static subclass_list list;
    return list;
}

METHOD_TABLE& AsAttrib::methods() {
    static METHOD_TABLE table;
    return table;
}

ENTITY* AsAttrib::restore() {
    AsAttrib* attrib = new (__FILE__, __LINE__) AsAttrib();
    attrib->restore_common();
    return attrib;
}

int AsAttrib::identity(int level) const {
    if (level == 0 || level == 2) return kType;
    if (level < 0) return ATTRIB::identity(level + 1);
    if (level > 2) return -1;
    return ATTRIB::identity(level);
}

logical AsAttrib::call_method(const METHOD_ID& id, const METHOD_ARGS& args) {
    if (!id.arg_id || !args.id || std::strcmp(id.arg_id, args.id) != 0) return 0;
    if (METHOD_FN fn = methods().find(id.name)) return fn(this, args);
    return ATTRIB::call_method(id, args);
}

ENTITY* AsAttrib::make_copy() const {
    AsAttrib* copy = new (__FILE__, __LINE__) AsAttrib();
    copy->ENTITY::operator=(*this);
    copy->set_links(next(), previous());
    copy->set_entity(entity());
    fixup_copy(copy);
    return copy;
}

ENTITY* AsAttrib::copy_data(ENTITY_LIST& list) const {
    AsAttrib* copy = new (__FILE__, __LINE__) AsAttrib();
    copy->copy_common(list, this);
    return copy;
}

void AsAttrib::save_common() const {
    write_id_level("vaq", 2);
    ATTRIB::save_common();
}

void AsAttrib::save() const {
    save_begin();
    save_common();
    save_end();
}

void AsAttrib::copy_scan(ENTITY_LIST& list, SCAN_TYPE reason) const { ATTRIB::copy_scan(list, reason); }
void AsAttrib::fix_common(ENTITY* array[], int count) { ATTRIB::fix_common(array, count); }
void AsAttrib::debug_ent(FILE* out) const { ATTRIB::debug_ent(out); }
void AsAttrib::lose() { ATTRIB::lose(); }
