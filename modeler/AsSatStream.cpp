// The SAT stream's slots. Reading a token skips blanks, tabs, CRs and LFs and ends at the
// next white space or NUL; the end of data ends a token too.
#include "AsSatStream.h"

#include "solidkernel/bracket.h"
#include "solidkernel/errors.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

using namespace kernel_errors;

namespace {

constexpr int kEnd = std::char_traits<char>::eof();

// What a byte is to the scanning loops, looked up once per character: blanks (which also
// end a token), NUL (ends a token) and the characters that end a run of tagged text.
enum CharClass : unsigned char { kBlankChar = 1, kTokenEnd = 2, kTextEnd = 4 };

struct CharClasses {
    unsigned char of[256] = {};
    constexpr CharClasses() {
        for (unsigned char c : {' ', '\t', '\r', '\n'}) of[c] = kBlankChar | kTokenEnd;
        of[0] = kTokenEnd;
        for (unsigned char c : {'#', '$', '{', '}'}) of[c] = kTextEnd;
    }
};
constexpr CharClasses kCharClasses;

bool is(char c, CharClass charClass) { return (kCharClasses.of[static_cast<unsigned char>(c)] & charClass) != 0; }

// Numbers. The ordinary forms go through std::from_chars, which gives the values strtol and
// strtod give (both round correctly) without their locale handling, which is slow under
// Wine. Whatever it does not take whole (a leading '+', hex, inf and nan, out-of-range
// values, trailing junk) goes to the C library as before, so every token reads as it did.
// The token is not terminated in the text, so the C library gets a terminated copy.
long parseLong(const char* token, std::size_t length) {
    long value = 0;
    auto [end, error] = std::from_chars(token, token + length, value);
    if (error == std::errc() && end == token + length) return value;
    std::string copy(token, length);
    return std::strtol(copy.c_str(), nullptr, 10);  // saturates where atol would overflow
}

double parseDouble(const char* token, std::size_t length) {
    double value = 0;
    auto [end, error] = std::from_chars(token, token + length, value);
    if (error == std::errc() && end == token + length && std::isfinite(value)) return value;
    std::string copy(token, length);
    return std::strtod(copy.c_str(), nullptr);
}

bool isPrefix(const char* word, const char* text) {
    std::size_t n = std::strlen(word);
    return std::strlen(text) >= n && std::strncmp(word, text, n) == 0;
}

// Runs a reading slot; a kernel error or any other exception becomes the stream's failure.
template <class T, class Work>
T guarded(FileInterface& file, Work work, T fallback = T()) {
    try {
        return work();
    } catch (const kernel_error& error) {
        file.fail(error.error_number());
    } catch (const std::exception&) {
        file.fail(kReadFailed);
    } catch (...) {
        file.fail(kReadFailed);
    }
    return fallback;
}

template <class Work>
void guardedWrite(FileInterface& file, Work work) {
    try {
        work();
    } catch (...) {
        file.fail(kWriteFailed);
    }
}

}  // namespace

AsSatStream::AsSatStream(const char* text, std::size_t length)
    : input_(length ? text : "", static_cast<std::streamsize>(length)), reader_(true) {}

AsSatStream::AsSatStream() : input_("", 0), reader_(false) {}

AsSatStream::~AsSatStream() {
    // The reader's characters belong to the host record; the writer's buffer, once handed
    // over, belongs to the caller. Either way the stream must not free it.
    input_.freeze(true);
}

char* AsSatStream::takeBuffer() {
    if (reader_) return nullptr;
    stream_.freeze(true);
    return stream_.str();
}

std::size_t AsSatStream::writtenSize() { return reader_ ? 0 : static_cast<std::size_t>(stream_.pcount()); }

// ------------------------------------------------------------------ reading primitives
void AsSatStream::skipBlanks() {
    const char* at = input_.next();
    const char* end = input_.end();
    while (at != end && is(*at, kBlankChar)) ++at;
    input_.moveTo(at);
}

const char* AsSatStream::takeToken(std::size_t limit, std::size_t& length) {
    skipBlanks();
    const char* start = input_.next();
    const char* end = input_.end();
    const char* at = start;
    while (at != end && !is(*at, kTokenEnd)) ++at;
    length = static_cast<std::size_t>(at - start);
    if (length >= limit) {
        input_.moveTo(start + (limit ? limit - 1 : 0));  // as far as the buffer would go
        sys_error(kTokenTooLong);
    }
    input_.moveTo(at);
    return start;
}

std::size_t AsSatStream::readToken(char* buffer, std::size_t size) {
    std::size_t length = 0;
    const char* token = takeToken(size, length);
    std::memcpy(buffer, token, length);
    buffer[length] = 0;
    return length;
}

std::size_t AsSatStream::readWord(char* buffer, std::size_t size) { return readToken(buffer, size); }

long AsSatStream::readLong() {
    std::size_t length = 0;
    const char* token = takeToken(kTokenSize, length);
    if (length == 0) sys_error(kUnexpectedEnd);
    return parseLong(token, length);
}

double AsSatStream::readDouble() {
    std::size_t length = 0;
    const char* token = takeToken(kTokenSize, length);
    if (length == 0) sys_error(kUnexpectedEnd);
    return parseDouble(token, length);
}

std::size_t AsSatStream::readStringInto(char*& buffer, std::size_t size, bool allocate) {
    long length = readLong();
    if (length < 0) sys_error(kBadToken);
    if (input_.sbumpc() == kEnd && length > 0) sys_error(kUnexpectedEnd);  // the one blank
    if (static_cast<unsigned long>(length) > static_cast<unsigned long>(input_.in_avail()) + 0UL &&
        length > 0)
        sys_error(kUnexpectedEnd);
    std::size_t n = static_cast<std::size_t>(length);
    if (allocate) {
        buffer = static_cast<char*>(acis_allocate(n + 1, __FILE__, __LINE__));
    } else if (size != 0 && n >= size) {
        sys_error(kTokenTooLong);
    }
    std::size_t got = static_cast<std::size_t>(input_.sgetn(buffer, static_cast<std::streamsize>(n)));
    buffer[got] = 0;
    if (got != n) {
        if (allocate) {
            acis_discard(buffer);
            buffer = nullptr;
        }
        sys_error(kUnexpectedEnd);
    }
    return n;
}

// ------------------------------------------------------------------ reading slots
logical AsSatStream::read_logical(const char* falseText, const char* trueText) {
    return guarded<logical>(*this, [&]() -> logical {
        skipBlanks();
        int c = input_.sgetc();
        if ((c >= '0' && c <= '9') || c == '-') return readLong() != 0;
        char word[kWordSize];
        if (readWord(word, sizeof word) == 0) sys_error(kUnexpectedEnd);
        if (isPrefix(word, falseText)) return 0;
        if (isPrefix(word, trueText)) return 1;
        sys_error(kBadToken);
    });
}

int AsSatStream::read_enum(const enum_table& table) {
    return guarded<int>(*this, [&]() -> int {
        skipBlanks();
        int c = input_.sgetc();
        if ((c >= '0' && c <= '9') || c == '-') return static_cast<int>(readLong());
        char word[kWordSize];
        if (readWord(word, sizeof word) == 0) sys_error(kUnexpectedEnd);
        return table.value(word);
    });
}

int AsSatStream::read_char() {
    return guarded<int>(*this, [&] { return input_.sbumpc(); }, kEnd);
}

short AsSatStream::read_short() {
    return guarded<short>(*this, [&] { return static_cast<short>(readLong()); });
}

long AsSatStream::read_long() {
    return guarded<long>(*this, [&] { return readLong(); });
}

float AsSatStream::read_float() {
    return guarded<float>(*this, [&] { return static_cast<float>(readDouble()); });
}

double AsSatStream::read_double() {
    return guarded<double>(*this, [&] { return readDouble(); });
}

char* AsSatStream::read_string(char* buffer, std::size_t size) {
    return guarded<char*>(*this, [&] {
        readStringInto(buffer, size, false);
        return buffer;
    });
}

char* AsSatStream::read_string(int& length) {
    length = 0;
    return guarded<char*>(*this, [&] {
        char* buffer = nullptr;
        length = static_cast<int>(readStringInto(buffer, 0, true));
        return buffer;
    });
}

void AsSatStream::read_position(double xyz[3]) {
    for (int i = 0; i < 3; ++i) xyz[i] = read_double();
}

void AsSatStream::read_vector(double xyz[3]) { read_position(xyz); }

long AsSatStream::read_pointer() {
    return guarded<long>(*this, [&] {
        const char* at = input_.next();
        const char* end = input_.end();
        while (at != end && *at != '$') ++at;
        if (at == end) {
            input_.moveTo(end);
            sys_error(kUnexpectedEnd);
        }
        input_.moveTo(at + 1);
        return readLong();
    });
}

logical AsSatStream::read_header(long& a, long& b, long& c, long& d) {
    return guarded<logical>(*this, [&]() -> logical {
        FilePosition mark = set_mark();
        a = readLong();
        b = readLong();
        c = readLong();
        d = readLong();
        skipBlanks();
        if (input_.sgetc() != kEnd) return 1;
        goto_mark(mark);
        return 0;
    });
}

logical AsSatStream::read_id(char* buffer, std::size_t size) {
    return guarded<logical>(*this, [&]() -> logical {
        if (size == 0) sys_error(kTokenTooLong);
        if (readToken(buffer, size) == 0) sys_error(kUnexpectedEnd);
        return 1;
    });
}

long AsSatStream::read_sequence_number() {
    return guarded<long>(*this, [&]() -> long {
        skipBlanks();
        if (input_.sgetc() != '-') return -1;
        input_.sbumpc();
        return readLong();
    }, -1);
}

logical AsSatStream::read_subtype_start() {
    return guarded<logical>(*this, [&]() -> logical {
        skipBlanks();
        if (input_.sgetc() != '{') return 0;
        input_.sbumpc();
        return 1;
    });
}

logical AsSatStream::read_subtype_end() {
    return guarded<logical>(*this, [&]() -> logical {
        skipBlanks();
        if (input_.sgetc() != '}') return 0;
        input_.sbumpc();
        return 1;
    });
}

TaggedData* AsSatStream::read_tagged_data() {
    return guarded<TaggedData*>(*this, [&]() -> TaggedData* {
        skipBlanks();
        const char* at = input_.next();
        const char* end = input_.end();
        if (at == end) return new TaggedData(TaggedData::kText, static_cast<char*>(nullptr));
        switch (*at) {
        case '#':
            // The end of the record: the rest of its line goes with it. The data may end
            // right after the last terminator.
            while (at != end && *at != '\r' && *at != '\n') ++at;
            input_.moveTo(at);
            skipBlanks();
            return nullptr;
        case '$':
            input_.moveTo(at + 1);
            return new TaggedData(TaggedData::kPointer, readLong());
        case '{':
            input_.moveTo(at + 1);
            return new TaggedData(TaggedData::kSubtypeStart, 0L);
        case '}':
            input_.moveTo(at + 1);
            return new TaggedData(TaggedData::kSubtypeEnd, 0L);
        default: {
            // Text, blanks and line ends included, up to the next '#', '$', '{', '}'.
            const char* start = at;
            while (at != end && !is(*at, kTextEnd)) ++at;
            std::size_t length = static_cast<std::size_t>(at - start);
            char* block = static_cast<char*>(acis_allocate(length + 1, __FILE__, __LINE__));
            std::memcpy(block, start, length);
            block[length] = 0;
            input_.moveTo(at);
            return new TaggedData(TaggedData::kText, block);
        }
        }
    });
}

FilePosition AsSatStream::set_mark() { return input_.position(); }

int AsSatStream::goto_mark(FilePosition position) {
    input_.pubseekpos(position, std::ios::in);
    return 0;
}

logical AsSatStream::final_query() { return 1; }

// ------------------------------------------------------------------ writing slots
void AsSatStream::put(const char* text, std::size_t length) {
    if (reader_ || stream_.rdbuf()->sputn(text, static_cast<std::streamsize>(length)) != static_cast<std::streamsize>(length))
        fail(kWriteFailed);
}

void AsSatStream::putText(const char* text) { put(text, std::strlen(text)); }

void AsSatStream::write_logical(logical value, const char* falseText, const char* trueText) {
    putText(value ? trueText : falseText);
    put(" ", 1);
}

void AsSatStream::write_enum(int value, const enum_table& table) {
    const char* name = table.string(value);
    write_literal_string(name, std::strlen(name));
}

void AsSatStream::write_char(char c) { put(&c, 1); }

void AsSatStream::write_short(short value) { write_long(value); }

void AsSatStream::write_long(long value) {
    char text[32];
    int n = std::snprintf(text, sizeof text, "%ld ", value);
    put(text, static_cast<std::size_t>(n));
}

void AsSatStream::write_float(float value) {
    char text[48];
    int n = std::snprintf(text, sizeof text, "%.6g ", static_cast<double>(value));
    put(text, static_cast<std::size_t>(n));
}

void AsSatStream::write_double(double value) {
    char text[48];
    int n = std::snprintf(text, sizeof text, "%.15g ", value);
    put(text, static_cast<std::size_t>(n));
}

void AsSatStream::write_string(const char* text, std::size_t length) {
    write_long(static_cast<long>(length));
    put(text, length);
    write_newline(1);
}

void AsSatStream::write_literal_string(const char* text, std::size_t length) {
    put(text, length);
    put(" ", 1);
}

void AsSatStream::write_position(const double xyz[3]) {
    for (int i = 0; i < 3; ++i) write_double(xyz[i]);
}

void AsSatStream::write_vector(const double xyz[3]) { write_position(xyz); }

void AsSatStream::write_pointer(long index) {
    char text[32];
    int n = std::snprintf(text, sizeof text, "$%ld ", index);
    put(text, static_cast<std::size_t>(n));
}

void AsSatStream::write_header(long a, long b, long c, long d) {
    write_long(a);
    write_long(b);
    write_long(c);
    write_long(d);
    write_newline(1);
}

void AsSatStream::write_id(const char* text, int level) {
    putText(text);
    put(level < 2 ? " " : "-", 1);
}

void AsSatStream::write_sequence_number(long number) {
    char text[32];
    int n = std::snprintf(text, sizeof text, "-%ld ", number);
    put(text, static_cast<std::size_t>(n));
}

void AsSatStream::write_newline(int count) {
    for (int i = 0; i < count; ++i) put("\r\n", 2);
}

void AsSatStream::write_terminator() {
    put("#", 1);
    write_newline(1);
}

void AsSatStream::write_subtype_start() { put("{ ", 2); }

void AsSatStream::write_subtype_end() { put("} ", 2); }
