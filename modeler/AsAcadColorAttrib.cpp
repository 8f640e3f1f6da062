// The colour attribute class, its registration and its owner notifications.
#include "AsAcadColorAttrib.h"

#include "AsTools.h"
#include "solidkernel/kernelapi.h"

#include <cstring>
#include <exception>

namespace {
const int kType = new_type_number();
restore_def g_restoreDef(AsAcadAttrib::subclasses(), "color", AsAcadColorAttrib::restore);
}  // namespace

AsAcadColorAttrib::AsAcadColorAttrib(ENTITY* owner, int colour) : AsAcadAttrib(owner), colour_(colour) {}

int AsAcadColorAttrib::type() { return kType; }

METHOD_TABLE& AsAcadColorAttrib::methods() {
    static METHOD_TABLE table;
    return table;
}

AsAcadColorAttrib* AsAcadColorAttrib::find(const ENTITY* owner) {
    return static_cast<AsAcadColorAttrib*>(find_attrib(owner, AsAcadAttrib::type(), kType, -1));
}

ENTITY* AsAcadColorAttrib::restore() {
    AsAcadColorAttrib* attrib = new (__FILE__, __LINE__) AsAcadColorAttrib();
    attrib->restore_common();
    attrib->colour_ = read_int();
    return attrib;
}

int AsAcadColorAttrib::identity(int level) const {
    if (level == 0 || level == 3) return kType;
    if (level < 0) return AsAcadAttrib::identity(level + 1);
    if (level > 3) return -1;
    return AsAcadAttrib::identity(level);
}

logical AsAcadColorAttrib::call_method(const METHOD_ID& id, const METHOD_ARGS& args) {
    if (!id.arg_id || !args.id || std::strcmp(id.arg_id, args.id) != 0) return 0;
    if (METHOD_FN fn = methods().find(id.name)) return fn(this, args);
    return AsAcadAttrib::call_method(id, args);
}

ENTITY* AsAcadColorAttrib::make_copy() const {
    AsAcadColorAttrib* copy = new (__FILE__, __LINE__) AsAcadColorAttrib();
    copy->ENTITY::operator=(*this);
    copy->set_links(next(), previous());
    copy->set_entity(entity());
    copy->colour_ = colour_;
    fixup_copy(copy);
    return copy;
}

ENTITY* AsAcadColorAttrib::copy_data(ENTITY_LIST& list) const {
    AsAcadColorAttrib* copy = new (__FILE__, __LINE__) AsAcadColorAttrib();
    copy->copy_common(list, this);
    copy->colour_ = colour_;
    return copy;
}

void AsAcadColorAttrib::save() const {
    save_begin();
    write_id_level("color", 3);
    AsAcadAttrib::save_common();
    write_int(colour_);
    save_end();
}

void AsAcadColorAttrib::copy_scan(ENTITY_LIST& list, SCAN_TYPE reason) const { ATTRIB::copy_scan(list, reason); }
void AsAcadColorAttrib::fix_common(ENTITY* array[], int count) { ATTRIB::fix_common(array, count); }
void AsAcadColorAttrib::debug_ent(FILE* out) const {
    ATTRIB::debug_ent(out);
    if (out) std::fprintf(out, "  colour %d\n", colour_);
}
void AsAcadColorAttrib::lose() { ATTRIB::lose(); }

void AsAcadColorAttrib::split_owner(ENTITY* newEntity) {
    // Called by the kernel: nothing may leave.
    try {
        if (!newEntity) return;
        new (__FILE__, __LINE__) AsAcadColorAttrib(newEntity, colour_);
        if (!dynamic_cast<FACE*>(newEntity)) return;
        ENTITY_LIST edges;
        AsOutcomeCheck(api_get_edges(newEntity, edges));
        for (int i = 0; i < edges.count(); ++i)
            if (!find(edges[i])) new (__FILE__, __LINE__) AsAcadColorAttrib(edges[i], colour_);
    } catch (...) {
    }
}

void AsAcadColorAttrib::merge_owner(ENTITY* other, logical deleteOwner) {
    try {
        if (deleteOwner && other && !find(other)) move(other);
    } catch (...) {
    }
}
