// ENTITY and the machinery every entity shares: the allocator, lists, method tables, the
// restore registry, the generic save/fix/scan/copy built on io(), and the helpers with
// which attribute classes save and restore their own data.
#include "SatContext.h"
#include "solidkernel/attrib.h"
#include "solidkernel/entity.h"
#include "solidkernel/errors.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

using namespace kernel_errors;

// ------------------------------------------------------------------ allocator
namespace {
std::atomic<long> g_liveBlocks{0};
RestoreContext* g_restore = nullptr;
SaveContext* g_save = nullptr;
}  // namespace

void* acis_allocate(std::size_t size, const char*, int) {
    void* block = std::malloc(size ? size : 1);
    if (!block) throw std::bad_alloc();
    ++g_liveBlocks;
    return block;
}

void acis_discard(void* block) {
    if (!block) return;
    --g_liveBlocks;
    std::free(block);
}

long acis_live_blocks() { return g_liveBlocks.load(); }

RestoreContext* current_restore() { return g_restore; }
SaveContext* current_save() { return g_save; }
void set_current_restore(RestoreContext* context) { g_restore = context; }
void set_current_save(SaveContext* context) { g_save = context; }

// ------------------------------------------------------------------ enum_table
const char* enum_table::string(int value) const {
    for (int i = 0; i < count_; ++i)
        if (entries_[i].value == value) return entries_[i].name;
    return count_ ? entries_[0].name : "";
}

int enum_table::value(const char* name) const {
    for (int i = 0; i < count_; ++i)
        if (std::strcmp(entries_[i].name, name) == 0) return entries_[i].value;
    return count_ ? entries_[0].value : 0;
}

FileInterface::~FileInterface() = default;

void FileInterface::write_tagged_data(const TaggedData& data) {
    switch (data.kind()) {
    case TaggedData::kPointer: write_pointer(data.value()); break;
    case TaggedData::kSubtypeStart: write_subtype_start(); break;
    case TaggedData::kSubtypeEnd: write_subtype_end(); break;
    case TaggedData::kLong: write_long(data.value()); break;
    default:
        if (data.text()) write_literal_string(data.text(), std::strlen(data.text()));
        break;
    }
}

void FileInterface::file_data(const char*) {}

// ------------------------------------------------------------------ ENTITY_LIST
int ENTITY_LIST::add(ENTITY* entity, logical check) {
    if (!entity) return -1;
    auto found = index_.find(entity);
    if (check && found != index_.end()) return found->second;
    int at = count();
    items_.push_back(entity);
    if (found == index_.end()) index_.emplace(entity, at);
    return at;
}

int ENTITY_LIST::lookup(const ENTITY* entity) const {
    auto found = index_.find(entity);
    return found != index_.end() ? found->second : -1;
}

void ENTITY_LIST::remove(const ENTITY* entity) {
    items_.erase(std::remove(items_.begin(), items_.end(), entity), items_.end());
    index_.clear();
    for (int i = 0; i < count(); ++i) index_.emplace(items_[i], i);
}

void ENTITY_LIST::clear() {
    items_.clear();
    index_.clear();
}

// ------------------------------------------------------------------ method tables
void METHOD_TABLE::add(const char* name, METHOD_FN fn) { entries_.emplace_back(name, fn); }

METHOD_FN METHOD_TABLE::find(const char* name) const {
    for (const auto& entry : entries_)
        if (std::strcmp(entry.first, name) == 0) return entry.second;
    return nullptr;
}

// ------------------------------------------------------------------ registry
const restore_def* subclass_list::find(const char* word, std::size_t length) const {
    for (const restore_def* def : defs_)
        if (def->wordLength() == length && std::memcmp(def->word(), word, length) == 0) return def;
    return nullptr;
}

void subclass_list::remove(restore_def* def) {
    defs_.erase(std::remove(defs_.begin(), defs_.end(), def), defs_.end());
}

restore_def::restore_def(subclass_list& parent, const char* word, RESTORE_FN fn, subclass_list* own)
    : parent_(parent), word_(word), wordLength_(std::strlen(word)), fn_(fn), own_(own) {
    parent_.add(this);
}

restore_def::~restore_def() { parent_.remove(this); }

int new_type_number() {
    static int next = 0;
    return next++;
}

const int ENTITY_TYPE = new_type_number();

// ------------------------------------------------------------------ ENTITY
ENTITY::~ENTITY() = default;

int ENTITY::identity(int level) const { return level == 0 ? ENTITY_TYPE : -1; }

void ENTITY::add_attrib(ATTRIB* attrib) {
    if (!attrib) return;
    attrib->set_entity(this);
    if (!attrib_) {
        attrib_ = attrib;
        attrib->set_links(nullptr, nullptr);
        return;
    }
    ATTRIB* last = attrib_;
    for (int guard = 0; last->next() && guard < 1000000; ++guard) last = last->next();
    last->set_links(attrib, last->previous());
    attrib->set_links(nullptr, last);
}

void ENTITY::remove_attrib(ATTRIB* attrib) {
    if (!attrib || attrib->entity() != this) return;
    ATTRIB* next = attrib->next();
    ATTRIB* prev = attrib->previous();
    if (prev) prev->set_links(next, prev->previous());
    if (next) next->set_links(next->next(), prev);
    if (attrib_ == attrib) attrib_ = next;
    attrib->set_links(nullptr, nullptr);
    attrib->set_entity(nullptr);
}

void ENTITY::save_type() const { current_save()->file->write_id(type_name(), 1); }

void ENTITY::save() const {
    SaveContext* context = current_save();
    if (!context) return;
    try {
        save_type();
        FieldIo writer = FieldIo::writer(*context);
        const_cast<ENTITY*>(this)->io(writer);
        context->file->write_terminator();
    } catch (const kernel_failure& failure) {
        if (!context->failure) context->failure = failure.number;
    }
}

void ENTITY::io(FieldIo& io) {
    io.ptr(attrib_);
    if (io.reading()) {
        long ignored = 0;
        if (has_entity_id(io.version())) io.longint(ignored);
        if (has_pattern()) {
            if (has_extra_int(io.version())) io.longint(ignored);
            if (has_entity_id(io.version())) io.skipPointer();
        }
    }
}

void ENTITY::fix_common(ENTITY* array[], int count) {
    FieldIo fixer = FieldIo::fixer(array, count);
    io(fixer);
}

void ENTITY::copy_scan(ENTITY_LIST& list, SCAN_TYPE) const {
    FieldIo scanner = FieldIo::scanner(list);
    const_cast<ENTITY*>(this)->io(scanner);
}

ENTITY* ENTITY::copy_data(ENTITY_LIST& list) const {
    ENTITY* copy = make_copy();
    FieldIo unfixer = FieldIo::unfixer(list);
    copy->io(unfixer);
    return copy;
}

logical ENTITY::call_method(const METHOD_ID&, const METHOD_ARGS&) { return 0; }

void ENTITY::debug_ent(FILE* out) const {
    if (out) std::fprintf(out, "%s %p attrib %p\n", type_name(), static_cast<const void*>(this),
                          static_cast<const void*>(attrib_));
}

ENTITY* index_to_entity(long index) {
    // Indices no text can hold become one that fix-up refuses.
    constexpr long kBeyond = 1L << 30;
    if (index < -1 || index > kBeyond) index = kBeyond;
    return reinterpret_cast<ENTITY*>(static_cast<std::intptr_t>(index) + 1);
}

long entity_to_index(const ENTITY* encoded) {
    return static_cast<long>(reinterpret_cast<std::intptr_t>(encoded) - 1);
}

ENTITY* resolve_index(const ENTITY* encoded, ENTITY* array[], int count) {
    if (!encoded) return nullptr;
    long index = entity_to_index(encoded);
    if (index < -1 || index >= count) kernel_fail(kBadPointer);
    return index < 0 ? nullptr : array[index];
}

// ------------------------------------------------------------------ attribute helpers
namespace {

template <class Work>
void guardedWrite(Work work) {
    SaveContext* context = current_save();
    if (!context || context->failure) return;
    try {
        work(*context);
    } catch (const kernel_failure& failure) {
        context->failure = failure.number;
    } catch (...) {
        context->failure = kWriteFailed;
    }
}

template <class T, class Work>
T guardedRead(Work work) {
    RestoreContext* context = current_restore();
    if (!context || context->failure) return T();
    try {
        FieldIo reader = FieldIo::reader(*context);
        return work(reader);
    } catch (const kernel_failure& failure) {
        context->failure = failure.number;
    } catch (...) {
        context->failure = kReadFailed;
    }
    return T();
}

}  // namespace

void write_int(int value) { write_long(value); }
void write_long(long value) { guardedWrite([&](SaveContext& c) { c.file->write_long(value); }); }
void write_real(double value) { guardedWrite([&](SaveContext& c) { c.file->write_double(value); }); }
void write_logical(logical value, const char* f, const char* t) {
    guardedWrite([&](SaveContext& c) { c.file->write_logical(value, f, t); });
}
void write_ptr(const ENTITY* entity) {
    guardedWrite([&](SaveContext& c) {
        ENTITY* e = const_cast<ENTITY*>(entity);
        FieldIo writer = FieldIo::writer(c);
        writer.entity(e);
    });
}
void write_string(const char* text) {
    guardedWrite([&](SaveContext& c) {
        std::string s = text ? text : "";
        FieldIo writer = FieldIo::writer(c);
        writer.string(s);
    });
}
void write_id_level(const char* word, int level) {
    guardedWrite([&](SaveContext& c) { c.file->write_id(word, level); });
}
void write_position(const double xyz[3]) { guardedWrite([&](SaveContext& c) { c.file->write_position(xyz); }); }
void write_vector(const double xyz[3]) { guardedWrite([&](SaveContext& c) { c.file->write_vector(xyz); }); }

int read_int() { return static_cast<int>(read_long()); }
long read_long() {
    return guardedRead<long>([](FieldIo& io) { long v = 0; io.longint(v); return v; });
}
double read_real() {
    return guardedRead<double>([](FieldIo& io) { double v = 0; io.real(v); return v; });
}
logical read_logical(const char* f, const char* t) {
    return guardedRead<logical>([&](FieldIo& io) { bool v = false; io.logical(v, f, t); return v ? 1 : 0; });
}
ENTITY* read_ptr() {
    return guardedRead<ENTITY*>([](FieldIo& io) { ENTITY* e = nullptr; io.entity(e); return e; });
}
int restore_version_number() { return current_restore() ? current_restore()->version : 0; }
int save_version_number() { return current_save() ? current_save()->version : 0; }
