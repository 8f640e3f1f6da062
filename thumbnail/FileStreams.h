// The file streams the host services hand to the drawing library: a common base over a
// runtime-library file handle, a reading stream with an eight-block cache, and a writing
// stream. The library reads drawings through them; every failure is raised as OdError.
#pragma once

#include <atomic>
#include <cstdio>

#include "dwg/OdStreamBuf.h"
#include "dwg/OdString.h"

namespace vistrel {

constexpr OdUInt32 kBlockSize = 8192;
constexpr int kBlockCount = 8;
constexpr OdUInt64 kClosedLength = 0xFFFFFFFFu;

// Opens a file with the runtime library (platform half): on Windows by its wide name as
// it stands, elsewhere by its narrow form. Null when it cannot be opened.
std::FILE* openRuntimeFile(const OdString& name, const char* mode);

// What the reading streams of this process have read: bytes asked for by their readers,
// and bytes and blocks read from files. For tests and benchmarks.
struct StreamReadCounts {
    OdUInt64 bytesDelivered;
    OdUInt64 bytesFromFiles;
    OdUInt64 blocksFromFiles;
};
StreamReadCounts streamReadCounts();
void resetStreamReadCounts();

class FileStreamBase : public OdStreamBuf {
public:
    FileStreamBase();
    ~FileStreamBase() override;

    void addRef() override;
    void release() override;
    long numRefs() const override;
    OdString fileName() override;

    virtual void openFile(const OdString& name, OdUInt32 shareMode, OdUInt32 access, OdUInt32 creation) = 0;
    virtual void closeFile();

protected:
    // Opens the name with the runtime library in `mode`, fully buffered in 8192 bytes;
    // raises OdError_CantOpenFile.
    void openHandle(const OdString& name, const char* mode);

    std::atomic<long> refs_{1};
    std::FILE* file_ = nullptr;
    OdString name_;
    OdUInt64 length_ = kClosedLength;
    OdUInt32 shareMode_ = 0x40;
};

class BlockReadStream : public FileStreamBase {
public:
    BlockReadStream();
    ~BlockReadStream() override;

    bool isEof() override;
    OdUInt64 tell() override;
    OdUInt64 length() override;
    OdUInt64 seek(OdInt64 offset, OdDb::FilerSeekType origin) override;
    OdUInt8 getByte() override;
    void getBytes(void* buffer, OdUInt32 count) override;
    OdUInt32 getShareMode() override;
    void openFile(const OdString& name, OdUInt32 shareMode, OdUInt32 access, OdUInt32 creation) override;
    void closeFile() override;

    // The cache as it stands, for tests and diagnostics.
    struct BlockView {
        OdUInt64 offset;  // kClosedLength when empty
        OdUInt32 count;
        OdInt32 stamp;    // -1 when empty
    };
    BlockView block(int index) const;
    int currentBlock() const { return current_; }

private:
    struct Block {
        OdUInt8* data = nullptr;
        OdUInt64 offset = kClosedLength;
        OdUInt32 count = 0;
        OdInt32 stamp = -1;
    };
    bool loadBlock();
    void stampCurrent();

    OdUInt64 blockOffset_ = 0;
    OdUInt32 bytesLeft_ = 0;
    OdUInt32 blockSize_ = 0;
    const OdUInt8* readPointer_ = nullptr;
    const OdUInt8* blockStart_ = nullptr;
    int current_ = -1;
    OdUInt64 physicalEnd_ = 0;  // file offset just behind the last physical read
    Block blocks_[kBlockCount];
    OdUInt32 useCounter_ = 0;
};

class FileWriteStream : public FileStreamBase {
public:
    ~FileWriteStream() override;

    bool isEof() override;
    OdUInt64 tell() override;
    OdUInt64 length() override;
    OdUInt64 seek(OdInt64 offset, OdDb::FilerSeekType origin) override;
    void putByte(OdUInt8 value) override;
    void putBytes(const void* buffer, OdUInt32 count) override;
    OdUInt32 getShareMode() override;
    void openFile(const OdString& name, OdUInt32 shareMode, OdUInt32 access, OdUInt32 creation) override;
    void closeFile() override;

private:
    OdInt64 position_ = 0;
};

}  // namespace vistrel
