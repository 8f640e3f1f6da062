// The "adesk" attribute: the base of the attributes other CAD programs put on faces and
// edges (their colour among them), so that such attributes restore and save unchanged.
#pragma once

#include "solidkernel/attrib.h"

class AsAcadAttrib : public ATTRIB {
public:
    explicit AsAcadAttrib(ENTITY* owner = nullptr);

    static int type();
    static subclass_list& subclasses();
    static ENTITY* restore();
    static METHOD_TABLE& methods();

    const char* type_name() const override { return "adesk"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(AsAcadAttrib); }
    logical call_method(const METHOD_ID& id, const METHOD_ARGS& args) override;
    ENTITY* make_copy() const override;
    ENTITY* copy_data(ENTITY_LIST& list) const override;
    void save() const override;
    void copy_scan(ENTITY_LIST& list, SCAN_TYPE reason = SCAN_COPY) const override;
    void fix_common(ENTITY* array[], int count) override;
    void debug_ent(FILE* out) const override;
    void lose() override;

protected:
    // The type word at this level and ATTRIB's part, for subclasses' saves.
    void save_common() const;
};
