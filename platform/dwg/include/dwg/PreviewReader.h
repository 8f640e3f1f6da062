// Reader of the preview block of a .dwg file: the file header's preview address, the
// block's sentinels and directory, and the one picture taken from it. Reads only the
// header and the block, checks every offset and size against the block and the file, and
// turns anything that does not add up into "no preview". Plain C++, no operating system.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace dwgpreview {

// Random access to the drawing's bytes. `read` is only called for ranges inside size().
class Source {
public:
    virtual ~Source() = default;
    virtual std::uint64_t size() = 0;
    virtual void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) = 0;
};

// A Source over bytes in memory (no copy).
class MemorySource : public Source {
public:
    MemorySource(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    std::uint64_t size() override { return size_; }
    void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override;

private:
    const std::uint8_t* data_;
    std::size_t size_;
};

enum class Status {
    kFound,        // a picture was taken
    kNotADrawing,  // no drawing version tag at the start
    kEarlyVersion, // a drawing from before the preview block existed
    kNoBlock,      // the preview address or the block's frame does not hold up
    kNoImage,      // the block is sound but holds no usable picture
};

enum class Kind { kNone, kBmp, kPng, kWmf };

// Limits that keep a damaged or hostile file from costing much.
constexpr std::uint32_t kMaxEntryBytes = 32u << 20;    // one stored picture
constexpr std::uint32_t kMaxHeaderBytes = 64u << 10;   // header data entry
constexpr std::int32_t kMaxPictureSide = 8192;         // pixels, either direction
constexpr std::size_t kMaxDibBytes = 64u << 20;        // a decoded picture

struct Result {
    Status status = Status::kNoBlock;
    Kind kind = Kind::kNone;        // where `dib` came from (kWmf: only a metafile, no dib)
    std::int32_t width = 0;         // stored picture size
    std::int32_t height = 0;
    std::string version;            // the six-byte tag, printable characters only
    std::vector<std::uint8_t> header;  // code 1 data
    std::vector<std::uint8_t> dib;     // packed DIB, normalised (see PreviewDib.h)
    std::vector<std::uint8_t> wmf;     // code 3 data, as stored
    std::string reason;             // why there is no picture, for diagnostics
};

// Reads the preview. Never reads outside [0, source.size()); exceptions of the source pass
// through, std::bad_alloc aside nothing else is thrown.
Result readPreview(Source& source);

// The tags whose files carry the preview block.
bool hasPreviewBlock(const char tag[6]);

}  // namespace dwgpreview
