// The library's byte stream. The library reads drawings only through streams its host's
// system services open; the base versions of the operations raise eNotImplementedYet so
// that a stream needs to supply only what it supports.
#pragma once

#include "dwg/OdString.h"
#include "dwg/OdTypes.h"
#include "dwg/RxObject.h"

class OdStreamBuf : public OdRxObject {
public:
    static const OdRxClass* desc();
    const OdRxClass* isA() const override;

    virtual OdString fileName();
    virtual bool isEof();
    virtual OdUInt64 tell();
    virtual OdUInt64 length();
    virtual void truncate();
    virtual void rewind();
    // Answers the new position.
    virtual OdUInt64 seek(OdInt64 offset, OdDb::FilerSeekType origin);
    virtual OdUInt8 getByte();
    virtual void getBytes(void* buffer, OdUInt32 count);
    virtual void putByte(OdUInt8 value);
    virtual void putBytes(const void* buffer, OdUInt32 count);
    // Copies [start, end) of this stream to the destination's current position.
    virtual void copyDataTo(OdStreamBuf* destination, OdUInt64 start, OdUInt64 end);
    virtual OdUInt32 getShareMode();
};
typedef OdSmartPtr<OdStreamBuf> OdStreamBufPtr;

// A read-only stream over bytes in memory, for hosts that hold a drawing already (and for
// tests). Reading past the end raises eEndOfFile.
class OdMemoryStream : public OdStreamBuf {
public:
    // The stream keeps its own copy of the bytes.
    static OdStreamBufPtr create(const OdUInt8* data, std::size_t size, const OdString& name = OdString());

    OdString fileName() override { return name_; }
    bool isEof() override { return position_ >= data_.size(); }
    OdUInt64 tell() override { return position_; }
    OdUInt64 length() override { return data_.size(); }
    OdUInt64 seek(OdInt64 offset, OdDb::FilerSeekType origin) override;
    OdUInt8 getByte() override;
    void getBytes(void* buffer, OdUInt32 count) override;

protected:
    OdMemoryStream(const OdUInt8* data, std::size_t size, const OdString& name);

private:
    OdBinaryData data_;
    OdString name_;
    OdUInt64 position_ = 0;
};
