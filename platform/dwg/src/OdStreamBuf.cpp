// OdStreamBuf's base operations, and the in-memory stream.
// The memory stream checks every range against its length before copying.
#include "dwg/OdStreamBuf.h"

#include <cstring>

#include "dwg/OdError.h"

const OdRxClass* OdStreamBuf::desc() {
    static const OdRxClass cls("OdStreamBuf", OdRxObject::desc());
    return &cls;
}

const OdRxClass* OdStreamBuf::isA() const { return desc(); }

OdString OdStreamBuf::fileName() { return OdString(); }
bool OdStreamBuf::isEof() { throw OdError(eNotImplementedYet); }
OdUInt64 OdStreamBuf::tell() { throw OdError(eNotImplementedYet); }
OdUInt64 OdStreamBuf::length() { throw OdError(eNotImplementedYet); }
void OdStreamBuf::truncate() { throw OdError(eNotImplementedYet); }
void OdStreamBuf::rewind() { seek(0, OdDb::kSeekFromStart); }
OdUInt64 OdStreamBuf::seek(OdInt64, OdDb::FilerSeekType) { throw OdError(eNotImplementedYet); }
OdUInt8 OdStreamBuf::getByte() { throw OdError(eNotImplementedYet); }

void OdStreamBuf::getBytes(void* buffer, OdUInt32 count) {
    OdUInt8* out = static_cast<OdUInt8*>(buffer);
    for (OdUInt32 i = 0; i < count; ++i) out[i] = getByte();
}

void OdStreamBuf::putByte(OdUInt8) { throw OdError(eNotImplementedYet); }

void OdStreamBuf::putBytes(const void* buffer, OdUInt32 count) {
    const OdUInt8* in = static_cast<const OdUInt8*>(buffer);
    for (OdUInt32 i = 0; i < count; ++i) putByte(in[i]);
}

void OdStreamBuf::copyDataTo(OdStreamBuf* destination, OdUInt64 start, OdUInt64 end) {
    if (!destination) throw OdError(eNullPtr);
    if (end < start) throw OdError(eInvalidInput);
    seek(static_cast<OdInt64>(start), OdDb::kSeekFromStart);
    OdUInt8 buffer[8192];
    for (OdUInt64 left = end - start; left > 0;) {
        OdUInt32 n = left < sizeof buffer ? static_cast<OdUInt32>(left) : static_cast<OdUInt32>(sizeof buffer);
        getBytes(buffer, n);
        destination->putBytes(buffer, n);
        left -= n;
    }
}

OdUInt32 OdStreamBuf::getShareMode() { return 0; }

OdMemoryStream::OdMemoryStream(const OdUInt8* data, std::size_t size, const OdString& name)
    : data_(data, data + size), name_(name) {}

OdStreamBufPtr OdMemoryStream::create(const OdUInt8* data, std::size_t size, const OdString& name) {
    return OdRxObjectImpl<OdMemoryStream>::createObject(data, size, name);
}

OdUInt64 OdMemoryStream::seek(OdInt64 offset, OdDb::FilerSeekType origin) {
    OdInt64 base = origin == OdDb::kSeekFromStart ? 0
                 : origin == OdDb::kSeekFromCurrent ? static_cast<OdInt64>(position_)
                 : static_cast<OdInt64>(data_.size());
    OdInt64 target = base + offset;
    if (target < 0 || static_cast<OdUInt64>(target) > data_.size()) throw OdError(eEndOfFile);
    position_ = static_cast<OdUInt64>(target);
    return position_;
}

OdUInt8 OdMemoryStream::getByte() {
    if (position_ >= data_.size()) throw OdError(eEndOfFile);
    return data_[position_++];
}

void OdMemoryStream::getBytes(void* buffer, OdUInt32 count) {
    if (count == 0) return;
    if (position_ > data_.size() || data_.size() - position_ < count) throw OdError(eEndOfFile);
    std::memcpy(buffer, data_.data() + position_, count);
    position_ += count;
}
