// The kernel's file interface: every byte of entity text the kernel reads or writes goes
// through one of these 43 virtual operations, so a caller can restore from and save to any
// medium. A subclass must not let an exception out of a slot: it reports a failure with
// fail(), which ends the restore or save that is running.
#pragma once

#include "solidkernel/outcome.h"

#include <cstddef>
#include <cstdio>

// The kernel's object allocator. Blocks handed between the kernel and its callers
// (strings, tagged data, objects) come from here and go back here.
void* acis_allocate(std::size_t size, const char* file = nullptr, int line = 0);
void acis_discard(void* block);
// Blocks handed out and not yet returned (tests use it to find leaks).
long acis_live_blocks();

// A value/name pair of an enumeration written as words.
struct enum_entry {
    int value;
    const char* name;
};
class enum_table {
public:
    enum_table(const enum_entry* entries, int count) : entries_(entries), count_(count) {}
    const char* string(int value) const;
    // The value for a name, or the value of the first entry when none matches.
    int value(const char* name) const;

private:
    const enum_entry* entries_;
    int count_;
};

// One item of raw record data: a pointer, a subtype bracket, or text.
class TaggedData {
public:
    enum Kind { kLong = 4, kPointer = 12, kSubtypeStart = 15, kSubtypeEnd = 16, kText = 18 };

    TaggedData() = default;
    TaggedData(Kind kind, long value) : kind_(kind), value_(value) {}
    // Takes ownership of a block from acis_allocate (or null).
    TaggedData(Kind kind, char* text) : kind_(kind), text_(text) {}
    ~TaggedData() { acis_discard(text_); }
    TaggedData(const TaggedData&) = delete;
    TaggedData& operator=(const TaggedData&) = delete;

    Kind kind() const { return kind_; }
    long value() const { return value_; }
    const char* text() const { return text_; }

    static void* operator new(std::size_t size) { return acis_allocate(size, __FILE__, __LINE__); }
    static void operator delete(void* block) { acis_discard(block); }

private:
    Kind kind_ = kText;
    long value_ = 0;
    char* text_ = nullptr;
};

typedef long FilePosition;

class FileInterface {
public:
    FileInterface() = default;
    virtual ~FileInterface();                                                    // 0
    FileInterface(const FileInterface&) = delete;
    FileInterface& operator=(const FileInterface&) = delete;

    virtual void write_logical(logical value, const char* falseText, const char* trueText) = 0;  // 1
    virtual logical read_logical(const char* falseText, const char* trueText) = 0;               // 2
    virtual void write_enum(int value, const enum_table& table) = 0;             // 3
    virtual int read_enum(const enum_table& table) = 0;                          // 4
    virtual void write_char(char c) = 0;                                          // 5
    virtual int read_char() = 0;                                                  // 6 (EOF at the end)
    virtual void write_short(short value) = 0;                                    // 7
    virtual short read_short() = 0;                                               // 8
    virtual void write_long(long value) = 0;                                      // 9
    virtual long read_long() = 0;                                                 // 10
    virtual void write_float(float value) = 0;                                    // 11
    virtual float read_float() = 0;                                               // 12
    virtual void write_double(double value) = 0;                                  // 13
    virtual double read_double() = 0;                                             // 14
    virtual void write_string(const char* text, std::size_t length) = 0;          // 15
    virtual char* read_string(char* buffer, std::size_t size) = 0;                // 16
    virtual char* read_string(int& length) = 0;                                   // 17
    virtual void write_literal_string(const char* text, std::size_t length) = 0;  // 18
    virtual void write_position(const double xyz[3]) = 0;                         // 19
    virtual void read_position(double xyz[3]) = 0;                                // 20
    virtual void write_vector(const double xyz[3]) = 0;                           // 21
    virtual void read_vector(double xyz[3]) = 0;                                  // 22
    virtual void write_pointer(long index) = 0;                                   // 23
    virtual long read_pointer() = 0;                                              // 24
    virtual void write_header(long a, long b, long c, long d) = 0;                // 25
    virtual logical read_header(long& a, long& b, long& c, long& d) = 0;          // 26
    virtual void write_id(const char* text, int level) = 0;                       // 27
    virtual logical read_id(char* buffer, std::size_t size) = 0;                  // 28
    virtual void write_sequence_number(long number) = 0;                          // 29
    virtual long read_sequence_number() = 0;                                      // 30
    virtual void write_newline(int count = 1) = 0;                                // 31
    virtual void write_terminator() = 0;                                          // 32
    virtual void write_subtype_start() = 0;                                       // 33
    virtual logical read_subtype_start() = 0;                                     // 34
    virtual void write_subtype_end() = 0;                                         // 35
    virtual logical read_subtype_end() = 0;                                       // 36
    virtual void write_tagged_data(const TaggedData& data);                       // 37
    virtual TaggedData* read_tagged_data() = 0;                                   // 38 (null: record ended)
    virtual FilePosition set_mark() = 0;                                          // 39
    virtual int goto_mark(FilePosition position) = 0;                             // 40
    virtual void file_data(const char* what);                                     // 41
    virtual logical final_query() = 0;                                            // 42

    // The first failure a slot reported (0 while none).
    err_mess_type failure() const { return failure_; }
    void fail(err_mess_type errorNumber) {
        if (!failure_) failure_ = errorNumber ? errorNumber : 1;
    }
    void clear_failure() { failure_ = 0; }

    static void* operator new(std::size_t size) { return acis_allocate(size, __FILE__, __LINE__); }
    static void operator delete(void* block) { acis_discard(block); }

private:
    err_mess_type failure_ = 0;
};
