// The bridge's own attribute base "vaq"; its subclass marks edges during display work.
#pragma once

#include "solidkernel/attrib.h"

class AsAttrib : public ATTRIB {
public:
    explicit AsAttrib(ENTITY* owner = nullptr);

    static int type();
    static subclass_list& subclasses();
    static ENTITY* restore();
    static METHOD_TABLE& methods();

    const char* type_name() const override { return "vaq"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(AsAttrib); }
    logical call_method(const METHOD_ID& id, const METHOD_ARGS& args) override;
    ENTITY* make_copy() const override;
    ENTITY* copy_data(ENTITY_LIST& list) const override;
    void save() const override;
    void copy_scan(ENTITY_LIST& list, SCAN_TYPE reason = SCAN_COPY) const override;
    void fix_common(ENTITY* array[], int count) override;
    void debug_ent(FILE* out) const override;
    void lose() override;

protected:
    void save_common() const;
};
