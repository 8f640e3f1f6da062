// The container of plot style table files: a 60-byte header naming the table kind and
// giving a checksum and two lengths, then a zlib stream holding the text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vexo {

enum class TableKind { Ctb, Stb, Ttb };

struct Unpacked {
    bool ok = false;
    std::string error;
    TableKind kind = TableKind::Ctb;
    std::string text;  // inflated, trailing NUL removed
    bool hadNul = false;
    std::vector<std::string> notes;  // mismatches that do not stop reading
};

Unpacked unpack(const unsigned char* bytes, std::size_t size);
// Header + best-compressed text with a trailing NUL. Empty when zlib fails.
std::vector<unsigned char> pack(TableKind kind, const std::string& text);

}  // namespace vexo
