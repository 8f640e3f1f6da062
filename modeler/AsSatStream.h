// The bridge's file interface for the kernel: SAT text read from the characters of a host
// record, or written into a growing in-memory buffer, through a standard string stream.
// No slot lets an exception out: a read error is reported to the kernel with fail().
#pragma once

#include "solidkernel/fileif.h"

#include <cstddef>
#include <strstream>

class AsSatStream : public FileInterface {
public:
    // Reader over characters the caller keeps owning.
    AsSatStream(const char* text, std::size_t length);
    // Writer with a growing buffer.
    AsSatStream();
    ~AsSatStream() override;

    bool isReader() const { return reader_; }
    // Writer: freezes the stream and hands its buffer over (free it with delete[]).
    char* takeBuffer();
    // Writer: bytes written so far.
    std::size_t writtenSize();

    // Size of the reader's numeric token buffer; a longer token fails the restore.
    static constexpr std::size_t kTokenSize = 200;
    static constexpr std::size_t kWordSize = 64;

    void write_logical(logical value, const char* falseText, const char* trueText) override;
    logical read_logical(const char* falseText, const char* trueText) override;
    void write_enum(int value, const enum_table& table) override;
    int read_enum(const enum_table& table) override;
    void write_char(char c) override;
    int read_char() override;
    void write_short(short value) override;
    short read_short() override;
    void write_long(long value) override;
    long read_long() override;
    void write_float(float value) override;
    float read_float() override;
    void write_double(double value) override;
    double read_double() override;
    void write_string(const char* text, std::size_t length) override;
    char* read_string(char* buffer, std::size_t size) override;
    char* read_string(int& length) override;
    void write_literal_string(const char* text, std::size_t length) override;
    void write_position(const double xyz[3]) override;
    void read_position(double xyz[3]) override;
    void write_vector(const double xyz[3]) override;
    void read_vector(double xyz[3]) override;
    void write_pointer(long index) override;
    long read_pointer() override;
    void write_header(long a, long b, long c, long d) override;
    logical read_header(long& a, long& b, long& c, long& d) override;
    void write_id(const char* text, int level) override;
    logical read_id(char* buffer, std::size_t size) override;
    void write_sequence_number(long number) override;
    long read_sequence_number() override;
    void write_newline(int count) override;
    void write_terminator() override;
    void write_subtype_start() override;
    logical read_subtype_start() override;
    void write_subtype_end() override;
    logical read_subtype_end() override;
    TaggedData* read_tagged_data() override;
    FilePosition set_mark() override;
    int goto_mark(FilePosition position) override;
    logical final_query() override;

private:
    // The reader's buffer: a strstreambuf over the host's characters whose get area the
    // reading primitives scan in place, a whole token or run of text at a time.
    class TextBuffer : public std::strstreambuf {
    public:
        TextBuffer(const char* text, std::streamsize length) : std::strstreambuf(text, length) {}
        const char* next() const { return gptr(); }
        const char* end() const { return egptr(); }
        FilePosition position() const { return static_cast<FilePosition>(gptr() - eback()); }
        void moveTo(const char* at) { setg(eback(), const_cast<char*>(at), egptr()); }
    };

    // Reading primitives; they raise the kernel's sys_error, which the slots catch.
    void skipBlanks();
    // The next token's characters (empty at the end of data), consumed; a token of
    // limit characters or more raises kTokenTooLong.
    const char* takeToken(std::size_t limit, std::size_t& length);
    std::size_t readToken(char* buffer, std::size_t size);  // empty at the end of data
    std::size_t readWord(char* buffer, std::size_t size);
    long readLong();
    double readDouble();
    std::size_t readStringInto(char*& buffer, std::size_t size, bool allocate);
    void put(const char* text, std::size_t length);
    void putText(const char* text);

    // The reader reads input_ (over no characters in a writer); the writer writes into
    // stream_, a strstream with a growing buffer.
    TextBuffer input_;
    std::strstream stream_;
    bool reader_;
};
