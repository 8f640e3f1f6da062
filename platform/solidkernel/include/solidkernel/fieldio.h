// One description of a record's fields serves five jobs: reading it from entity text,
// writing it, turning restored indices into entities (fix), collecting the entities it
// refers to (scan), and turning a copy's pointers into indices of a copy list (unfix).
#pragma once

#include "solidkernel/entity.h"
#include "solidkernel/vecmath.h"

#include <string>
#include <vector>

// A finite or infinite bound pair of a curve or surface parameter.
struct Interval {
    bool lowFinite = false, highFinite = false;
    double low = 0.0, high = 0.0;
};

// Data kept as it was read: text chunks, pointers and subtype brackets.
struct RawItem {
    enum Kind : unsigned char { kText, kPointer, kOpen, kClose };
    Kind kind = kText;
    ENTITY* ptr = nullptr;  // kPointer: encoded index or entity
    std::string text;       // kText, blank-trimmed
};
using RawData = std::vector<RawItem>;

// Thrown and caught inside the kernel only: a restore, save or copy cannot go on.
struct kernel_failure {
    err_mess_type number;
};
[[noreturn]] void kernel_fail(err_mess_type number);

struct RestoreContext;
struct SaveContext;

class FieldIo {
public:
    enum Mode { kRead, kWrite, kFix, kScan, kUnfix };

    static FieldIo reader(RestoreContext& context);
    static FieldIo writer(SaveContext& context);
    static FieldIo fixer(ENTITY* array[], int count);
    static FieldIo scanner(ENTITY_LIST& list);
    static FieldIo unfixer(ENTITY_LIST& list);

    Mode mode() const { return mode_; }
    bool reading() const { return mode_ == kRead; }
    bool writing() const { return mode_ == kWrite; }
    bool visiting() const { return mode_ > kWrite; }
    // Version of the text being read or written (100 * major + minor).
    int version() const { return version_; }
    bool isAsm() const;

    // Before fix-up a field holds an index, not an object: it is only ever reinterpreted.
    template <class T>
    void ptr(T*& field) {
        ENTITY* e = mode_ == kFix ? reinterpret_cast<ENTITY*>(field) : static_cast<ENTITY*>(field);
        entity(e);
        if (mode_ == kFix && e && !dynamic_cast<T*>(e)) kernel_fail(203);
        if (mode_ == kFix)
            field = static_cast<T*>(e);
        else if (mode_ == kRead || mode_ == kUnfix)
            field = reinterpret_cast<T*>(e);
    }
    void entity(ENTITY*& field);  // a pointer of any entity type
    void skipPointer();           // read and drop
    void integer(int& value);
    void longint(long& value);
    void real(double& value);
    void logical(bool& value, const char* falseText, const char* trueText);
    void interval(Interval& range);
    void position(SPAvector& p);
    void vector(SPAvector& v);
    void string(std::string& text);
    // The rest of the record up to its terminator (reading), or items written back.
    void rest(RawData& data);
    // An optional subtype "{ ... }" (refs expanded, indices dropped when reading).
    void subtype(RawData& data);

private:
    FieldIo(Mode mode) : mode_(mode) {}
    void check();
    Mode mode_;
    int version_ = 0;
    RestoreContext* restore_ = nullptr;
    SaveContext* save_ = nullptr;
    ENTITY** array_ = nullptr;
    int count_ = 0;
    ENTITY_LIST* list_ = nullptr;
};

// Splits text of a subtype into tokens ("@n" strings taken whole, without the "@n").
std::vector<std::string> raw_tokens(const RawData& data);
