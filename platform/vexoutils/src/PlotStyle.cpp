// CPlotStyle: defaults, the colour as callers see it, and the style's byte form for the
// clipboard: "VXPS", a version, the payload length, the payload, its Adler-32.
#include "vexoutils/PlotStyle.h"

#include <zlib.h>

#include <cstring>
#include <new>

#include "Colors.h"
#include "PiaText.h"
#include "TableCodec.h"

namespace {

constexpr unsigned char kMagic[4] = {'V', 'X', 'P', 'S'};
constexpr unsigned kVersion = 1;

class Payload {
public:
    void u8(unsigned v) { bytes.push_back(static_cast<unsigned char>(v)); }
    void u32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) u8(v >> (8 * i) & 0xFF);
    }
    void i32(int v) { u32(static_cast<std::uint32_t>(v)); }
    void f64(double v) {
        std::uint64_t bits;
        std::memcpy(&bits, &v, 8);
        u32(static_cast<std::uint32_t>(bits));
        u32(static_cast<std::uint32_t>(bits >> 32));
    }
    void str(const std::string& s) {
        u32(static_cast<std::uint32_t>(s.size()));
        bytes.insert(bytes.end(), s.begin(), s.end());
    }
    std::vector<unsigned char> bytes;
};

// Bounds-checked reading of a payload; every read fails once one has.
class Cursor {
public:
    Cursor(const unsigned char* p, std::size_t n) : p_(p), n_(n) {}
    bool ok() const { return ok_; }
    bool done() const { return ok_ && at_ == n_; }
    unsigned u8() { return take(1) ? p_[at_ - 1] : 0; }
    std::uint32_t u32() {
        if (!take(4)) return 0;
        const unsigned char* q = p_ + at_ - 4;
        return std::uint32_t(q[0]) | std::uint32_t(q[1]) << 8 | std::uint32_t(q[2]) << 16 |
               std::uint32_t(q[3]) << 24;
    }
    int i32() { return static_cast<int>(u32()); }
    double f64() {
        const std::uint64_t lo = u32(), hi = u32();
        const std::uint64_t bits = lo | hi << 32;
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    std::string str() {
        const std::uint32_t size = u32();
        if (!take(size)) return std::string();
        return std::string(reinterpret_cast<const char*>(p_ + at_ - size), size);
    }

private:
    bool take(std::size_t k) {
        if (!ok_ || n_ - at_ < k) {
            ok_ = false;
            return false;
        }
        at_ += k;
        return true;
    }
    const unsigned char* p_;
    std::size_t n_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

std::uint32_t adler(const unsigned char* p, std::size_t n) {
    return static_cast<std::uint32_t>(adler32(adler32(0, nullptr, 0), p, static_cast<uInt>(n)));
}

}  // namespace

// ---------------------------------------------------------------- streams

COBinStreamImp::COBinStreamImp() = default;
COBinStreamImp::~COBinStreamImp() = default;
const unsigned char* COBinStreamImp::data() const {
    return bytes_.data();
}
unsigned long COBinStreamImp::size() const {
    return static_cast<unsigned long>(bytes_.size());
}
bool COBinStreamImp::writeBytes(const void* bytes, unsigned long count) {
    try {
        const auto* p = static_cast<const unsigned char*>(bytes);
        if (p) bytes_.insert(bytes_.end(), p, p + count);
        return p || !count;
    } catch (...) {
        return false;
    }
}

CIBinStreamImp::CIBinStreamImp(const void* data, unsigned long count, unsigned long position)
    : data_(static_cast<const unsigned char*>(data)),
      count_(data ? count : 0),
      position_(position > count_ ? count_ : position) {}

bool CIBinStreamImp::readBytes(void* out, unsigned long count) {
    if (count > count_ - position_) return false;
    if (count) std::memcpy(out, data_ + position_, count);
    position_ += count;
    return true;
}
unsigned long CIBinStreamImp::position() const {
    return position_;
}
unsigned long CIBinStreamImp::remaining() const {
    return count_ - position_;
}

// ---------------------------------------------------------------- style

CPlotStyle::CPlotStyle()
    : flags(kDither),
      penNumber(0),
      virtualPenNumber(0),
      screening(100),
      linetype(kLinetypeObject),
      adaptive(1),
      lineweight(kLineweightObject),
      fillStyle(kFillObject),
      endStyle(kEndObject),
      joinStyle(kJoinObject),
      color_(-1),
      wordsValid_(false),
      colorWord_(0),
      modeWord_(0),
      hasModeWord_(false),
      linePatternSize_(0.5) {}

VxColorRef CPlotStyle::color2rgb() const {
    if (color_ < 0) return kVxObjectColor;
    return static_cast<VxColorRef>(vexo::swapRedBlue(static_cast<std::uint32_t>(color_)));
}

bool CPlotStyle::updateColor(VxColorRef rgb) {
    int wanted = -1;
    if (rgb != kVxObjectColor) {
        wanted = static_cast<int>(static_cast<std::uint32_t>(rgb) & 0xFFFFFF);
        if (wanted == 0xFFFFFF) return false;  // would read back as the object colour
    }
    if (wanted == color_) return false;
    color_ = wanted;
    wordsValid_ = false;
    return true;
}

void CPlotStyle::setDesc(const char* text) {
    try {
        description = vexo::oneLine(text ? text : "");
    } catch (...) {
        // out of memory: the description stays as it was
    }
}

bool CPlotStyle::write(COBinStreamImp& out) const {
    try {
        Payload p;
        p.str(name);
        p.str(description);
        p.str(fileName_);
        p.str(nameAsRead_);
        p.u32(flags);
        p.i32(penNumber);
        p.i32(virtualPenNumber);
        p.i32(screening);
        p.i32(linetype);
        p.u8(adaptive);
        p.i32(lineweight);
        p.i32(fillStyle);
        p.i32(endStyle);
        p.i32(joinStyle);
        p.i32(color_);
        p.u8(wordsValid_);
        p.u32(colorWord_);
        p.u8(hasModeWord_);
        p.u32(modeWord_);
        p.f64(linePatternSize_);
        p.u32(static_cast<std::uint32_t>(unknown_.size()));
        for (const VxUnknownKey& k : unknown_) {
            p.str(k.after);
            p.str(k.text);
        }
        Payload head;
        head.bytes.assign(kMagic, kMagic + 4);
        head.u8(kVersion & 0xFF);
        head.u8(kVersion >> 8);
        head.u32(static_cast<std::uint32_t>(p.bytes.size()));
        head.bytes.insert(head.bytes.end(), p.bytes.begin(), p.bytes.end());
        head.u32(adler(p.bytes.data(), p.bytes.size()));
        return out.writeBytes(head.bytes.data(), static_cast<unsigned long>(head.bytes.size()));
    } catch (...) {
        return false;
    }
}

bool CPlotStyle::read(CIBinStreamImp& in) {
    try {
        CIBinStreamImp probe = in;  // `in` moves only when the whole style was read
        unsigned char head[10];
        if (!probe.readBytes(head, sizeof head)) return false;
        const unsigned version = head[4] | unsigned(head[5]) << 8;
        const std::uint32_t size = std::uint32_t(head[6]) | std::uint32_t(head[7]) << 8 |
                                   std::uint32_t(head[8]) << 16 | std::uint32_t(head[9]) << 24;
        if (std::memcmp(head, kMagic, 4) != 0 || version != kVersion || size > probe.remaining())
            return false;
        std::vector<unsigned char> payload(size);
        unsigned char tail[4];
        if (!probe.readBytes(payload.data(), size) || !probe.readBytes(tail, 4)) return false;
        const std::uint32_t sum = std::uint32_t(tail[0]) | std::uint32_t(tail[1]) << 8 |
                                  std::uint32_t(tail[2]) << 16 | std::uint32_t(tail[3]) << 24;
        if (sum != adler(payload.data(), payload.size())) return false;

        Cursor c(payload.data(), payload.size());
        CPlotStyle s;
        s.name = c.str();
        s.description = c.str();
        s.fileName_ = c.str();
        s.nameAsRead_ = c.str();
        s.flags = c.u32();
        s.penNumber = c.i32();
        s.virtualPenNumber = c.i32();
        s.screening = c.i32();
        s.linetype = c.i32();
        s.adaptive = static_cast<unsigned char>(c.u8());
        s.lineweight = c.i32();
        s.fillStyle = c.i32();
        s.endStyle = c.i32();
        s.joinStyle = c.i32();
        s.color_ = c.i32();
        s.wordsValid_ = c.u8() != 0;
        s.colorWord_ = c.u32();
        s.hasModeWord_ = c.u8() != 0;
        s.modeWord_ = c.u32();
        s.linePatternSize_ = c.f64();
        const std::uint32_t unknownCount = c.u32();
        for (std::uint32_t i = 0; c.ok() && i < unknownCount; ++i) {
            VxUnknownKey k;
            k.after = c.str();
            k.text = c.str();
            s.unknown_.push_back(std::move(k));
        }
        if (!c.done() || s.lineweight < 0 || s.lineweight > 27 || s.color_ < -1 ||
            s.color_ > 0xFFFFFF)
            return false;
        *this = std::move(s);
        in = probe;
        return true;
    } catch (...) {
        return false;
    }
}
