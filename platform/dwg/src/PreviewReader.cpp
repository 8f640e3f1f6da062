// The preview block of a drawing: version tag, preview address at 0x0D, sentinels,
// directory, and the choice of picture. All arithmetic on file positions is 64-bit and
// every range is checked before it is read.
#include "dwg/PreviewReader.h"

#include <cstring>
#include <stdexcept>

#include "dwg/PngDecoder.h"
#include "dwg/PreviewDib.h"

namespace dwgpreview {

namespace {

const std::uint8_t kStartSentinel[16] = {0x1F, 0x25, 0x6D, 0x07, 0xD4, 0x36, 0x28, 0x28,
                                         0x9D, 0x57, 0xCA, 0x3F, 0x9D, 0x44, 0x10, 0x2B};

enum EntryCode : std::uint8_t { kHeaderData = 1, kBmp = 2, kWmf = 3, kPng = 6 };

struct Entry {
    std::uint8_t code;
    std::uint32_t start;
    std::uint32_t size;
};

constexpr std::uint64_t kFileHeaderBytes = 0x19;
constexpr std::uint64_t kAddressOffset = 0x0D;

Result noPicture(Result r, Status status, const char* reason) {
    r.status = status;
    r.kind = Kind::kNone;
    r.reason = reason;
    return r;
}

bool isDigits(const char* p, int n) {
    for (int i = 0; i < n; ++i)
        if (p[i] < '0' || p[i] > '9') return false;
    return true;
}

// Tags of drawings older than the preview block: "AC1001".."AC1011" and the dotted
// release tags ("AC1.2", "AC1.40", "AC2.10", ...), plus "MC0.0".
bool isEarlyTag(const char tag[6]) {
    if (std::memcmp(tag, "AC10", 4) == 0 && isDigits(tag + 4, 2)) return (tag[4] - '0') * 10 + (tag[5] - '0') < 12;
    if (std::memcmp(tag, "MC0.0", 5) == 0) return true;
    return tag[0] == 'A' && tag[1] == 'C' && tag[2] >= '1' && tag[2] <= '2' && tag[3] == '.' && tag[4] >= '0' && tag[4] <= '9';
}

}  // namespace

void MemorySource::read(std::uint64_t offset, std::uint8_t* out, std::size_t count) {
    if (offset > size_ || size_ - offset < count) throw std::out_of_range("read outside the data");
    std::memcpy(out, data_ + offset, count);
}

bool hasPreviewBlock(const char tag[6]) {
    static const char* const kTags[] = {"AC1012", "AC1013", "AC1014", "AC1015", "AC1500",
                                        "AC1018", "AC1021", "AC1024", "AC1027", "AC1032"};
    for (const char* t : kTags)
        if (std::memcmp(tag, t, 6) == 0) return true;
    // Releases after 2018 keep the same file header: any later "AC10nn" is tried, and
    // the sentinels decide.
    return std::memcmp(tag, "AC10", 4) == 0 && isDigits(tag + 4, 2) && (tag[4] - '0') * 10 + (tag[5] - '0') > 32;
}

Result readPreview(Source& source) {
    Result r;
    const std::uint64_t fileSize = source.size();
    if (fileSize < 6) return noPicture(r, Status::kNotADrawing, "file shorter than a version tag");
    std::uint8_t head[kFileHeaderBytes];
    const std::size_t headBytes = static_cast<std::size_t>(fileSize < kFileHeaderBytes ? fileSize : kFileHeaderBytes);
    source.read(0, head, headBytes);
    const char* tag = reinterpret_cast<const char*>(head);
    for (int i = 0; i < 6; ++i) r.version += (head[i] >= 0x20 && head[i] < 0x7F) ? tag[i] : '?';
    if (!hasPreviewBlock(tag)) {
        if (isEarlyTag(tag)) return noPicture(r, Status::kEarlyVersion, "drawing older than R13: no preview block");
        return noPicture(r, Status::kNotADrawing, "no drawing version tag");
    }
    if (headBytes < kFileHeaderBytes) return noPicture(r, Status::kNoBlock, "file header cut short");

    // The block's frame: start sentinel, overall size, count, directory, end sentinel.
    const std::uint64_t s = le32(head + kAddressOffset);
    if (s < kFileHeaderBytes || s > fileSize || fileSize - s < 21) return noPicture(r, Status::kNoBlock, "preview address outside the file");
    std::uint8_t frame[21];
    source.read(s, frame, sizeof frame);
    if (std::memcmp(frame, kStartSentinel, 16) != 0) return noPicture(r, Status::kNoBlock, "no start sentinel at the preview address");
    const std::uint64_t overall = le32(frame + 16);
    const std::uint32_t count = frame[20];
    const std::uint64_t blockEnd = s + 20 + overall;  // where the end sentinel starts
    if (blockEnd > fileSize || fileSize - blockEnd < 16) return noPicture(r, Status::kNoBlock, "preview block runs past the end of the file");
    if (1 + 9ull * count > overall) return noPicture(r, Status::kNoBlock, "preview directory larger than its block");
    std::uint8_t endSentinel[16];
    source.read(blockEnd, endSentinel, sizeof endSentinel);
    for (int i = 0; i < 16; ++i)
        if (endSentinel[i] != static_cast<std::uint8_t>(~kStartSentinel[i]))
            return noPicture(r, Status::kNoBlock, "no end sentinel where the block size says");

    std::vector<Entry> entries(count);
    std::vector<std::uint8_t> directory(9u * count);
    if (count) source.read(s + 21, directory.data(), directory.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint8_t* e = directory.data() + 9 * i;
        entries[i] = Entry{e[0], le32(e + 1), le32(e + 5)};
    }
    // Every entry must lie between the end of the directory and the end sentinel.
    const std::uint64_t dataStart = s + 21 + 9ull * count;
    auto inBlock = [&](const Entry& e) {
        return e.start >= dataStart && static_cast<std::uint64_t>(e.start) + e.size <= blockEnd;
    };

    std::string lastProblem = count ? "no picture in the preview directory" : "preview directory is empty";
    for (const Entry& e : entries) {
        if (e.code == kHeaderData && r.header.empty() && inBlock(e) && e.size <= kMaxHeaderBytes) {
            r.header.resize(e.size);
            if (e.size) source.read(e.start, r.header.data(), e.size);
        }
    }
    // The first sound bitmap; else the first sound PNG; a metafile is kept but not drawn.
    for (int pass = 0; pass < 2 && r.dib.empty(); ++pass) {
        const std::uint8_t wanted = pass == 0 ? kBmp : kPng;
        for (const Entry& e : entries) {
            if (e.code != wanted) continue;
            if (!inBlock(e)) { lastProblem = "picture entry outside the preview block"; continue; }
            if (e.size > kMaxEntryBytes) { lastProblem = "picture entry too large"; continue; }
            std::vector<std::uint8_t> blob(e.size);
            if (e.size) source.read(e.start, blob.data(), e.size);
            std::string why;
            if (wanted == kBmp) {
                DibLayout layout;
                if (!normaliseDibInPlace(blob, &why) || !inspectDib(blob.data(), blob.size(), layout, nullptr)) {
                    lastProblem = "bitmap entry: " + why;
                    continue;
                }
                r.dib.swap(blob);
                r.kind = Kind::kBmp;
                r.width = layout.width;
                r.height = layout.height;
            } else {
                if (!decodePng(blob.data(), blob.size(), r.dib, &why)) {
                    r.dib.clear();
                    lastProblem = "PNG entry: " + why;
                    continue;
                }
                r.kind = Kind::kPng;
                pngSize(blob.data(), blob.size(), r.width, r.height);
            }
            break;
        }
    }
    if (!r.dib.empty()) {
        r.status = Status::kFound;
        return r;
    }
    for (const Entry& e : entries) {
        if (e.code == kWmf && inBlock(e) && e.size <= kMaxEntryBytes) {
            r.wmf.resize(e.size);
            if (e.size) source.read(e.start, r.wmf.data(), e.size);
            r.status = Status::kNoImage;
            r.kind = Kind::kWmf;
            r.reason = "only a metafile preview";
            return r;
        }
    }
    return noPicture(r, Status::kNoImage, lastProblem.c_str());
}

}  // namespace dwgpreview
