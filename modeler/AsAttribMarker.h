// The marker "marker-vaq-attrib": an edge that carries one has already been drawn in the
// wireframe being generated. Split and copied owners get a marker of their own; a deleted
// owner's marker moves to the entity it merged into when that one has none.
#pragma once

#include "AsAttrib.h"

class AsAttribMarker : public AsAttrib {
public:
    explicit AsAttribMarker(ENTITY* owner = nullptr);

    static int type();
    static ENTITY* restore();
    static METHOD_TABLE& methods();
    static AsAttribMarker* find(const ENTITY* owner);

    const char* type_name() const override { return "marker"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(AsAttribMarker); }
    logical call_method(const METHOD_ID& id, const METHOD_ARGS& args) override;
    ENTITY* make_copy() const override;
    ENTITY* copy_data(ENTITY_LIST& list) const override;
    void save() const override;
    void copy_scan(ENTITY_LIST& list, SCAN_TYPE reason = SCAN_COPY) const override;
    void fix_common(ENTITY* array[], int count) override;
    void debug_ent(FILE* out) const override;
    void lose() override;
    void split_owner(ENTITY* newEntity) override;
    void merge_owner(ENTITY* other, logical deleteOwner) override;
    void copy_owner(ENTITY* copy) override;
    // A copy gets a marker of its own through copy_owner, not a copy of this one.
    logical copyable() const override { return 0; }
};
