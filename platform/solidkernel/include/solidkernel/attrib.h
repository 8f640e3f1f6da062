// Attributes: entities chained to an owner that carry extra data and follow their owner
// through copy, split and merge by the owner notifications. Attributes whose type the
// kernel does not know are kept whole (type name and data) and saved back unchanged.
#pragma once

#include "solidkernel/entity.h"
#include "solidkernel/fieldio.h"

#include <string>

class ATTRIB : public ENTITY {
public:
    ATTRIB() = default;
    // Creates the attribute on the owner (appended to its chain) when the owner is given.
    explicit ATTRIB(ENTITY* owner);
    ~ATTRIB() override;

    const char* type_name() const override { return "attrib"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(ATTRIB); }

    ENTITY* entity() const { return owner_; }
    ATTRIB* next() const { return next_; }
    ATTRIB* previous() const { return prev_; }
    void set_links(ATTRIB* next, ATTRIB* prev) { next_ = next; prev_ = prev; }
    void set_entity(ENTITY* owner) { owner_ = owner; }

    // Owner notifications; the defaults keep the attribute where it is.
    virtual void split_owner(ENTITY* newEntity);
    virtual void merge_owner(ENTITY* other, logical deleteOwner);
    virtual void copy_owner(ENTITY* copy);
    // Whether copying the owner copies the attribute with it.
    virtual logical copyable() const { return 1; }

    // Detaches the attribute from its owner and deletes it.
    virtual void lose();
    // Moves the attribute to the end of another owner's chain.
    void move(ENTITY* newOwner);

    // The pieces subclasses build their own save, restore and copy from.
    void save_begin() const;
    void save_common() const;  // "attrib " and ENTITY's and ATTRIB's data
    void save_end() const;
    void restore_common();
    void copy_common(ENTITY_LIST& list, const ATTRIB* from);
    void fixup_copy(ATTRIB* copy) const;

    void io(FieldIo& io) override;
    void fix_common(ENTITY* array[], int count) override;
    void copy_scan(ENTITY_LIST& list, SCAN_TYPE reason = SCAN_COPY) const override;
    ENTITY* copy_data(ENTITY_LIST& list) const override;
    ENTITY* make_copy() const override { return new ATTRIB(*this); }
    logical call_method(const METHOD_ID& id, const METHOD_ARGS& args) override;
    void debug_ent(FILE* out) const override;

protected:
    ATTRIB(const ATTRIB&) = default;

private:
    ATTRIB* next_ = nullptr;
    ATTRIB* prev_ = nullptr;
    ENTITY* owner_ = nullptr;
};

extern const int ATTRIB_TYPE;
subclass_list& ATTRIB_subclasses();

// The first attribute on the owner whose identities at levels 2, 3 and 4 match (-1 matches
// anything), or null.
ATTRIB* find_attrib(const ENTITY* owner, int subtype = -1, int subsubtype = -1,
                    int subsubsubtype = -1);
ATTRIB* find_next_attrib(const ATTRIB* after, int subtype = -1, int subsubtype = -1,
                         int subsubsubtype = -1);

// An attribute of a type the kernel does not know: its full type name and its data.
class ATTRIB_GENERIC : public ATTRIB {
public:
    ATTRIB_GENERIC() = default;
    const char* type_name() const override { return typeName_.c_str(); }
    int size() const override { return sizeof(ATTRIB_GENERIC); }
    void set_type_chain(const char* chain) { typeName_ = chain; }
    void save_type() const override;
    void io(FieldIo& io) override;
    ENTITY* make_copy() const override { return new ATTRIB_GENERIC(*this); }
    const RawData& data() const { return data_; }

private:
    std::string typeName_;
    RawData data_;
};

// The kernel's own colour attribute: "colour-st-attrib", one colour index.
class ATTRIB_ST : public ATTRIB {
public:
    using ATTRIB::ATTRIB;
    const char* type_name() const override { return "st"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(ATTRIB_ST); }
    void save_type() const override;
    ENTITY* make_copy() const override { return new ATTRIB_ST(*this); }
};
class ATTRIB_COL : public ATTRIB_ST {
public:
    ATTRIB_COL() = default;
    ATTRIB_COL(ENTITY* owner, int colour) : ATTRIB_ST(owner), colour_(colour) {}
    const char* type_name() const override { return "colour"; }
    int identity(int level = 0) const override;
    int size() const override { return sizeof(ATTRIB_COL); }
    void save_type() const override;
    void io(FieldIo& io) override;
    ENTITY* make_copy() const override { return new ATTRIB_COL(*this); }
    void split_owner(ENTITY* newEntity) override;
    int colour() const { return colour_; }
    void set_colour(int colour) { colour_ = colour; }

private:
    int colour_ = 0;
};
extern const int ATTRIB_ST_TYPE;
extern const int ATTRIB_COL_TYPE;
inline bool is_ATTRIB_COL(const ENTITY* e) { return dynamic_cast<const ATTRIB_COL*>(e) != nullptr; }
