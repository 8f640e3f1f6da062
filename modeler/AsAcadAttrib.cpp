// The "adesk" attribute class and its registration.
#include "AsAcadAttrib.h"

#include <cstring>

namespace {
const int kType = new_type_number();
restore_def g_restoreDef(ATTRIB_subclasses(), "adesk", AsAcadAttrib::restore, &AsAcadAttrib::subclasses());
}  // namespace

AsAcadAttrib::AsAcadAttrib(ENTITY* owner) : ATTRIB(owner) {}

int AsAcadAttrib::type() { return kType; }

subclass_list& AsAcadAttrib::subclasses() {
    static subclass_list list;
    return list;
}

METHOD_TABLE& AsAcadAttrib::methods() {
    static METHOD_TABLE table;
    return table;
}

ENTITY* AsAcadAttrib::restore() {
    AsAcadAttrib* attrib = new (__FILE__, __LINE__) AsAcadAttrib();
    attrib->restore_common();
    return attrib;
}

int AsAcadAttrib::identity(int level) const {
    if (level == 0 || level == 2) return kType;
    if (level < 0) return ATTRIB::identity(level + 1);
    if (level > 2) return -1;
    return ATTRIB::identity(level);
}

logical AsAcadAttrib::call_method(const METHOD_ID& id, const METHOD_ARGS& args) {
    if (!id.arg_id || !args.id || std::strcmp(id.arg_id, args.id) != 0) return 0;
    if (METHOD_FN fn = methods().find(id.name)) return fn(this, args);
    return ATTRIB::call_method(id, args);
}

ENTITY* AsAcadAttrib::make_copy() const {
    AsAcadAttrib* copy = new (__FILE__, __LINE__) AsAcadAttrib();
    copy->ENTITY::operator=(*this);
    copy->set_links(next(), previous());
    copy->set_entity(entity());
    fixup_copy(copy);
    return copy;
}

ENTITY* AsAcadAttrib::copy_data(ENTITY_LIST& list) const {
    AsAcadAttrib* copy = new (__FILE__, __LINE__) AsAcadAttrib();
    copy->copy_common(list, this);
    return copy;
}

void AsAcadAttrib::save_common() const {
    write_id_level("adesk", 2);
    ATTRIB::save_common();
}

void AsAcadAttrib::save() const {
    save_begin();
    save_common();
    save_end();
}

void AsAcadAttrib::copy_scan(ENTITY_LIST& list, SCAN_TYPE reason) const { ATTRIB::copy_scan(list, reason); }
void AsAcadAttrib::fix_common(ENTITY* array[], int count) { ATTRIB::fix_common(array, count); }
void AsAcadAttrib::debug_ent(FILE* out) const { ATTRIB::debug_ent(out); }
void AsAcadAttrib::lose() { ATTRIB::lose(); }
