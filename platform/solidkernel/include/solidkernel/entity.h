// The root of every kernel object kept in a model: the attribute chain, type identity by
// level, the restore registry (type words in subclass lists), method tables, and the
// operations that save, restore, copy and delete entities generically.
#pragma once

#include "solidkernel/fileif.h"
#include "solidkernel/outcome.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <unordered_map>
#include <vector>

class ENTITY;
class ATTRIB;
class FieldIo;

// An ordered set of entities without duplicates (unless asked for).
class ENTITY_LIST {
public:
    // Adds the entity unless present (or always, when check is off); returns its index.
    int add(ENTITY* entity, logical check = 1);
    int lookup(const ENTITY* entity) const;
    void remove(const ENTITY* entity);
    int count() const { return static_cast<int>(items_.size()); }
    ENTITY* operator[](int index) const { return items_[index]; }
    void clear();
    const std::vector<ENTITY*>& items() const { return items_; }

private:
    std::vector<ENTITY*> items_;
    std::unordered_map<const ENTITY*, int> index_;  // first position of each entity
};

enum SCAN_TYPE { SCAN_COPY, SCAN_DELETE, SCAN_SAVE };

// Method tables: a named call with an argument id, dispatched to a function of the class.
struct METHOD_ID {
    const char* name;
    const char* arg_id;
};
struct METHOD_ARGS {
    const char* id;
    void* data;
};
typedef logical (*METHOD_FN)(ENTITY* self, const METHOD_ARGS& args);
class METHOD_TABLE {
public:
    void add(const char* name, METHOD_FN fn);
    METHOD_FN find(const char* name) const;
    int count() const { return static_cast<int>(entries_.size()); }

private:
    std::vector<std::pair<const char*, METHOD_FN>> entries_;
};

// The restore registry: each class has a restore_def in its parent's subclass list; the
// type name "color-adesk-attrib" is looked up right to left through the lists.
typedef ENTITY* (*RESTORE_FN)();
class restore_def;
class subclass_list {
public:
    const restore_def* find(const char* word, std::size_t length) const;
    void add(restore_def* def) { defs_.push_back(def); }
    void remove(restore_def* def);

private:
    std::vector<restore_def*> defs_;
};
class restore_def {
public:
    // own: the list this class's subclasses register in (may be null).
    restore_def(subclass_list& parent, const char* word, RESTORE_FN fn, subclass_list* own = nullptr);
    ~restore_def();
    const char* word() const { return word_; }
    std::size_t wordLength() const { return wordLength_; }
    RESTORE_FN restore() const { return fn_; }
    const subclass_list* subclasses() const { return own_; }

private:
    subclass_list& parent_;
    const char* word_;
    std::size_t wordLength_;
    RESTORE_FN fn_;
    subclass_list* own_;
};
// The top-level list (body, face, attrib, surface, ...).
subclass_list& entity_subclasses();
// Type numbers handed out to classes as they register.
int new_type_number();

class ENTITY {
public:
    ENTITY() = default;
    virtual ~ENTITY();

    // The leaf type word ("face") and the level of the class below ENTITY (0 for ENTITY).
    virtual const char* type_name() const = 0;
    virtual int identity(int level = 0) const;
    virtual int size() const { return sizeof(ENTITY); }

    ATTRIB* attrib() const { return attrib_; }
    void set_attrib(ATTRIB* first) { attrib_ = first; }
    void add_attrib(ATTRIB* attrib);  // appends to the chain
    void remove_attrib(ATTRIB* attrib);

    // Writes the record (type chain, data) to the current save.
    virtual void save() const;
    // Reads or visits the record's data after its type chain (ENTITY's part included).
    virtual void io(FieldIo& io);
    // Whether topology/geometry prefixes (extra integer, pattern pointer) precede the data.
    virtual bool has_pattern() const { return false; }
    // Writes the type chain, leaf first ("plane-surface ").
    virtual void save_type() const;

    // Pointer fields: fix_common turns indices (restore, copy) into entities; copy_scan adds
    // every entity referred to; copy_data makes a copy whose pointers are indices in list.
    virtual void fix_common(ENTITY* array[], int count);
    virtual void copy_scan(ENTITY_LIST& list, SCAN_TYPE reason = SCAN_COPY) const;
    virtual ENTITY* copy_data(ENTITY_LIST& list) const;
    // A new object of the same class with the same values (pointers still the source's).
    virtual ENTITY* make_copy() const = 0;

    // The entity this one belongs to (a face's shell, an edge's first coedge, ...), or null.
    virtual ENTITY* owner() const { return nullptr; }

    virtual logical call_method(const METHOD_ID& id, const METHOD_ARGS& args);
    virtual void debug_ent(FILE* out) const;

    static void* operator new(std::size_t size) { return acis_allocate(size, __FILE__, __LINE__); }
    static void* operator new(std::size_t size, const char* file, int line) {
        return acis_allocate(size, file, line);
    }
    static void operator delete(void* block) { acis_discard(block); }
    static void operator delete(void* block, const char*, int) { acis_discard(block); }

protected:
    ENTITY(const ENTITY&) = default;
    ENTITY& operator=(const ENTITY&) = default;

private:
    ATTRIB* attrib_ = nullptr;
};

extern const int ENTITY_TYPE;

// Writing a record in the current save (only valid inside ENTITY::save()).
void write_int(int value);
void write_long(long value);
void write_real(double value);
void write_logical(logical value, const char* falseText = "F", const char* trueText = "T");
void write_ptr(const ENTITY* entity);
void write_string(const char* text);
void write_id_level(const char* word, int level);
void write_position(const double xyz[3]);
void write_vector(const double xyz[3]);
// Reading a record in the current restore (only valid inside a restore function).
int read_int();
long read_long();
double read_real();
logical read_logical(const char* falseText = "F", const char* trueText = "T");
ENTITY* read_ptr();  // an index, turned into the entity by fix_common
int restore_version_number();
int save_version_number();

// Pointer fields before fix_common hold indices; these turn one field.
ENTITY* index_to_entity(long index);
long entity_to_index(const ENTITY* encoded);
// Resolves one encoded field against the restored array; throws the kernel's restore error
// (inside the kernel only) when the index is out of range.
ENTITY* resolve_index(const ENTITY* encoded, ENTITY* array[], int count);
