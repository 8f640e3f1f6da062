// ATTRIB and its chain, the generic attribute for unknown types, and the kernel's own
// colour attribute.
#include "SatContext.h"
#include "solidkernel/attrib.h"
#include "solidkernel/errors.h"

using namespace kernel_errors;

const int ATTRIB_TYPE = new_type_number();
const int ATTRIB_ST_TYPE = new_type_number();
const int ATTRIB_COL_TYPE = new_type_number();

subclass_list& ATTRIB_subclasses() {
    static subclass_list list;
    return list;
}

namespace {
subclass_list& stSubclasses() {
    static subclass_list list;
    return list;
}
ENTITY* restoreColour() {
    ATTRIB_COL* attrib = new ATTRIB_COL();
    attrib->restore_common();
    attrib->set_colour(read_int());
    return attrib;
}
ENTITY* restoreSt() {
    ATTRIB_ST* attrib = new ATTRIB_ST();
    attrib->restore_common();
    return attrib;
}
}  // namespace

void register_attrib_classes() {
    static restore_def attribDef(entity_subclasses(), "attrib", nullptr, &ATTRIB_subclasses());
    static restore_def stDef(ATTRIB_subclasses(), "st", restoreSt, &stSubclasses());
    static restore_def colourDef(stSubclasses(), "colour", restoreColour);
}

// ------------------------------------------------------------------ ATTRIB
ATTRIB::ATTRIB(ENTITY* owner) {
    if (owner) owner->add_attrib(this);
}

ATTRIB::~ATTRIB() = default;

int ATTRIB::identity(int level) const {
    if (level == 0 || level == 1) return ATTRIB_TYPE;
    if (level < 0) return ENTITY::identity(level + 1);
    return -1;
}

void ATTRIB::split_owner(ENTITY*) {}
void ATTRIB::merge_owner(ENTITY*, logical) {}
void ATTRIB::copy_owner(ENTITY*) {}

void ATTRIB::lose() {
    if (owner_) owner_->remove_attrib(this);
    delete this;
}

void ATTRIB::move(ENTITY* newOwner) {
    if (owner_) owner_->remove_attrib(this);
    if (newOwner) newOwner->add_attrib(this);
}

void ATTRIB::save_begin() const {}

void ATTRIB::save_common() const {
    SaveContext* context = current_save();
    if (!context || context->failure) return;
    try {
        context->file->write_id("attrib", 1);
        FieldIo writer = FieldIo::writer(*context);
        const_cast<ATTRIB*>(this)->ATTRIB::io(writer);
    } catch (const kernel_failure& failure) {
        context->failure = failure.number;
    }
}

void ATTRIB::save_end() const {
    SaveContext* context = current_save();
    if (context && !context->failure) context->file->write_terminator();
}

void ATTRIB::restore_common() {
    RestoreContext* context = current_restore();
    if (!context || context->failure) return;
    try {
        FieldIo reader = FieldIo::reader(*context);
        ATTRIB::io(reader);
    } catch (const kernel_failure& failure) {
        context->failure = failure.number;
    }
}

void ATTRIB::copy_common(ENTITY_LIST& list, const ATTRIB* from) {
    set_attrib(from->attrib());
    next_ = from->next_;
    prev_ = from->prev_;
    owner_ = from->owner_;
    FieldIo unfixer = FieldIo::unfixer(list);
    ATTRIB::io(unfixer);
}

void ATTRIB::fixup_copy(ATTRIB* copy) const {
    // A copy made outside a list copy belongs to nobody until it is attached.
    if (copy && copy->owner_ != owner_) copy->set_links(nullptr, nullptr);
}

void ATTRIB::io(FieldIo& io) {
    ENTITY::io(io);
    io.ptr(next_);
    io.ptr(prev_);
    io.entity(owner_);
}

void ATTRIB::fix_common(ENTITY* array[], int count) { ENTITY::fix_common(array, count); }

void ATTRIB::copy_scan(ENTITY_LIST& list, SCAN_TYPE reason) const { ENTITY::copy_scan(list, reason); }

ENTITY* ATTRIB::copy_data(ENTITY_LIST& list) const { return ENTITY::copy_data(list); }

logical ATTRIB::call_method(const METHOD_ID& id, const METHOD_ARGS& args) {
    return ENTITY::call_method(id, args);
}

void ATTRIB::debug_ent(FILE* out) const {
    ENTITY::debug_ent(out);
    if (out)
        std::fprintf(out, "  owner %p next %p previous %p\n", static_cast<const void*>(owner_),
                     static_cast<const void*>(next_), static_cast<const void*>(prev_));
}

namespace {
bool matches(const ATTRIB* a, int subtype, int subsubtype, int subsubsubtype) {
    return (subtype == -1 || a->identity(2) == subtype) &&
           (subsubtype == -1 || a->identity(3) == subsubtype) &&
           (subsubsubtype == -1 || a->identity(4) == subsubsubtype);
}
}  // namespace

ATTRIB* find_attrib(const ENTITY* owner, int subtype, int subsubtype, int subsubsubtype) {
    if (!owner) return nullptr;
    for (ATTRIB* a = owner->attrib(); a; a = a->next())
        if (matches(a, subtype, subsubtype, subsubsubtype)) return a;
    return nullptr;
}

ATTRIB* find_next_attrib(const ATTRIB* after, int subtype, int subsubtype, int subsubsubtype) {
    for (ATTRIB* a = after ? after->next() : nullptr; a; a = a->next())
        if (matches(a, subtype, subsubtype, subsubsubtype)) return a;
    return nullptr;
}

// ------------------------------------------------------------------ generic attribute
void ATTRIB_GENERIC::save_type() const { current_save()->file->write_id(typeName_.c_str(), 1); }

void ATTRIB_GENERIC::io(FieldIo& io) {
    ATTRIB::io(io);
    io.rest(data_);
}

// ------------------------------------------------------------------ colour attribute
int ATTRIB_ST::identity(int level) const {
    if (level == 0 || level == 2) return ATTRIB_ST_TYPE;
    if (level < 0) return ATTRIB::identity(level + 1);
    if (level > 2) return -1;
    return ATTRIB::identity(level);
}

void ATTRIB_ST::save_type() const {
    current_save()->file->write_id("st", 2);
    current_save()->file->write_id("attrib", 1);
}

int ATTRIB_COL::identity(int level) const {
    if (level == 0 || level == 3) return ATTRIB_COL_TYPE;
    if (level < 0) return ATTRIB_ST::identity(level + 1);
    if (level > 3) return -1;
    return ATTRIB_ST::identity(level);
}

void ATTRIB_COL::save_type() const {
    current_save()->file->write_id("colour", 3);
    ATTRIB_ST::save_type();
}

void ATTRIB_COL::io(FieldIo& io) {
    ATTRIB::io(io);
    io.integer(colour_);
}

void ATTRIB_COL::split_owner(ENTITY* newEntity) {
    if (newEntity && !find_attrib(newEntity, ATTRIB_ST_TYPE, ATTRIB_COL_TYPE)) new ATTRIB_COL(newEntity, colour_);
}
