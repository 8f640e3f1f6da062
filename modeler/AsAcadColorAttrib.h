// The colour attribute "color-adesk-attrib": the host colour index of a face or edge. It
// follows its owner: split parts get the colour, and a deleted owner's colour moves to the
// entity it merged into when that one has none.
#pragma once

#include "AsAcadAttrib.h"

class AsAcadColorAttrib : public AsAcadAttrib {
public:
    // The index used when nothing carries a colour.
    static constexpr int kByLayer = 256;

    explicit AsAcadColorAttrib(ENTITY* owner = nullptr, int colour = kByLayer);

    static int type();
    static ENTITY* restore();
    static METHOD_TABLE& methods();
    // The colour attribute of an entity, or null.
    static AsAcadColorAttrib* find(const ENTITY* owner);

    int colour() const { return colour_; }
    void set_colour(int colour) { colour_ = colour; }

    const char* type_name() const override { return "color"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(AsAcadColorAttrib); }
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

private:
    int colour_;
};
