// The container of plot style table files: header checks, inflating with a size cap, and
// packing text the way CAD programs do (the best level, checksum over the compressed bytes).
#include "PiaContainer.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "Limits.h"

namespace vexo {
namespace {

constexpr char kMagic[] = "PIAFILEVERSION_2.0,";
constexpr std::size_t kMagicSize = sizeof kMagic - 1;  // 19
constexpr char kCompressTail[] = ",compress\r\npmzlibcodec";
constexpr std::size_t kHeaderSize = 60;

std::uint32_t le32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

void putLe32(unsigned char* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(v >> (8 * i));
}

const char* kindWord(TableKind kind) {
    switch (kind) {
        case TableKind::Ctb:
            return "CTBVER1";
        case TableKind::Stb:
            return "STBVER1";
        case TableKind::Ttb:
            return "TTBVER1";
    }
    return "CTBVER1";
}

// Inflates into `out`, which starts at the size the header announces (`hint`, advisory)
// and grows when the text is longer. Without `checkText` the stream's own checksum of the
// text is not computed (the caller has checked the compressed bytes themselves).
bool inflateAll(const unsigned char* data, std::size_t size, std::size_t hint, bool checkText,
                std::string& out, std::string& error, std::size_t& used) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        error = "zlib cannot start";
        return false;
    }
    if (!checkText) inflateValidate(&z, 0);
    z.next_in = const_cast<unsigned char*>(data);
    z.avail_in = static_cast<uInt>(size);
    out.resize(std::min(std::max<std::size_t>(hint, 4096), kMaxTextBytes + 1));
    std::size_t produced = 0;
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (produced == out.size()) {
            if (out.size() > kMaxTextBytes) {
                inflateEnd(&z);
                error = "the compressed text is too large";
                return false;
            }
            out.resize(std::min(out.size() * 2, kMaxTextBytes + 1));
        }
        z.next_out = reinterpret_cast<unsigned char*>(&out[produced]);
        z.avail_out = static_cast<uInt>(out.size() - produced);
        const uInt room = z.avail_out;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) break;
        produced += room - z.avail_out;
        if (produced > kMaxTextBytes) {
            inflateEnd(&z);
            error = "the compressed text is too large";
            return false;
        }
        if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0) {
            rc = Z_BUF_ERROR;  // input ended before the stream did
            break;
        }
    }
    out.resize(produced);
    used = size - z.avail_in;
    inflateEnd(&z);
    if (rc == Z_STREAM_END) return true;
    if (rc == Z_BUF_ERROR) {
        error = "the compressed text is cut short";
    } else if (rc == Z_NEED_DICT) {
        error = "the compressed text needs a dictionary";
    } else {
        error = "the compressed text is damaged";
    }
    return false;
}

}  // namespace

Unpacked unpack(const unsigned char* bytes, std::size_t size) {
    Unpacked r;
    if (size < kMagicSize + 7 || std::memcmp(bytes, kMagic, kMagicSize) != 0) {
        r.error = "not a plot style table (no table header)";
        return r;
    }
    const std::string kind(reinterpret_cast<const char*>(bytes) + kMagicSize, 7);
    if (kind == "CTBVER1") {
        r.kind = TableKind::Ctb;
    } else if (kind == "STBVER1") {
        r.kind = TableKind::Stb;
    } else if (kind == "TTBVER1") {
        r.kind = TableKind::Ttb;
    } else {
        r.error = "not a plot style table (a container of kind " + kind + ")";
        for (char& c : r.error)
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126) c = '?';
        return r;
    }
    const std::size_t afterKind = kMagicSize + 7;
    const std::size_t tailSize = sizeof kCompressTail - 1;
    if (size >= afterKind + tailSize &&
        std::memcmp(bytes + afterKind, kCompressTail, tailSize) == 0) {
        if (size < kHeaderSize) {
            r.error = "the header is cut short";
            return r;
        }
        const std::uint32_t checksum = le32(bytes + 48);
        const std::uint32_t textLength = le32(bytes + 52);
        const std::uint32_t packedLength = le32(bytes + 56);
        const unsigned char* packed = bytes + kHeaderSize;
        const std::size_t packedSize = size - kHeaderSize;
        // When the header's checksum is that of the compressed bytes, they are as they were
        // written, and so is the text they inflate to: its own checksum in the stream need
        // not be computed again. Otherwise zlib checks it.
        const auto overAll = adler32(adler32(0, nullptr, 0), packed, static_cast<uInt>(packedSize));
        std::size_t used = 0;
        if (!inflateAll(packed, packedSize, textLength, checksum != overAll, r.text, r.error, used))
            return r;
        // The header's numbers are advisory: some writers put other values there.
        if (used != packedSize) r.notes.push_back("bytes after the compressed text ignored");
        if (packedLength != packedSize)
            r.notes.push_back("the header's compressed length does not match the file");
        if (textLength != r.text.size())
            r.notes.push_back("the header's text length does not match the text");
        const auto overPacked =
            used == packedSize ? overAll
                               : adler32(adler32(0, nullptr, 0), packed, static_cast<uInt>(used));
        if (checksum != overPacked) {
            const auto overText =
                adler32(adler32(0, nullptr, 0), reinterpret_cast<const Bytef*>(r.text.data()),
                        static_cast<uInt>(r.text.size()));
            r.notes.push_back(
                checksum == overText
                    ? "the header's checksum is over the text, not the compressed bytes"
                    : "the header's checksum does not match");
        }
    } else {
        // A variant with plain text after the first line.
        std::size_t start = afterKind;
        if (start < size && bytes[start] == '\r') ++start;
        if (start >= size || bytes[start] != '\n') {
            r.error = "the header is not followed by a compressed or plain text";
            return r;
        }
        ++start;
        if (size - start > kMaxTextBytes) {
            r.error = "the text is too large";
            return r;
        }
        r.text.assign(reinterpret_cast<const char*>(bytes) + start, size - start);
        r.notes.push_back("plain text without compression");
    }
    if (!r.text.empty() && r.text.back() == '\0') {
        r.text.pop_back();
        r.hadNul = true;
    }
    r.ok = true;
    return r;
}

std::vector<unsigned char> pack(TableKind kind, const std::string& text) {
    // The text is written with its trailing NUL, which the compressor reads from the
    // string's own terminator.
    const std::size_t textSize = text.size() + 1;
    std::vector<unsigned char> out;
    out.resize(kHeaderSize + compressBound(static_cast<uLong>(textSize)));
    z_stream z{};
    if (deflateInit(&z, Z_BEST_COMPRESSION) != Z_OK) return {};
    // The best level's lazy matching, with a shorter search: the text repeats itself so much
    // that the long chains of the default cost four times the time for 3 % of the size.
    deflateTune(&z, kDeflateGoodLength, kDeflateMaxLazy, kDeflateNiceLength, kDeflateMaxChain);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.c_str()));
    z.avail_in = static_cast<uInt>(textSize);
    z.next_out = out.data() + kHeaderSize;
    z.avail_out = static_cast<uInt>(out.size() - kHeaderSize);
    const int rc = deflate(&z, Z_FINISH);
    const std::size_t packedSize = z.total_out;
    deflateEnd(&z);
    if (rc != Z_STREAM_END) return {};
    out.resize(kHeaderSize + packedSize);
    std::memcpy(out.data(), kMagic, kMagicSize);
    std::memcpy(out.data() + kMagicSize, kindWord(kind), 7);
    std::memcpy(out.data() + kMagicSize + 7, kCompressTail, sizeof kCompressTail - 1);  // to 48
    const auto checksum =
        adler32(adler32(0, nullptr, 0), out.data() + kHeaderSize, static_cast<uInt>(packedSize));
    putLe32(out.data() + 48, static_cast<std::uint32_t>(checksum));
    putLe32(out.data() + 52, static_cast<std::uint32_t>(textSize));
    putLe32(out.data() + 56, static_cast<std::uint32_t>(packedSize));
    return out;
}

}  // namespace vexo
