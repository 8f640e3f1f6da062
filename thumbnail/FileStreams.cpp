// The host's file streams. The reading stream keeps eight 8192-byte blocks of the file
// and replaces the one used longest ago; a block that continues where the last physical
// read ended is read without a seek.
#include "FileStreams.h"

#include <cstring>

#include "dwg/OdAlloc.h"
#include "dwg/OdError.h"

namespace vistrel {

namespace {
std::atomic<OdUInt64> g_bytesDelivered{0};
std::atomic<OdUInt64> g_bytesFromFiles{0};
std::atomic<OdUInt64> g_blocksFromFiles{0};
}  // namespace

StreamReadCounts streamReadCounts() {
    return StreamReadCounts{g_bytesDelivered.load(), g_bytesFromFiles.load(), g_blocksFromFiles.load()};
}

void resetStreamReadCounts() {
    g_bytesDelivered = 0;
    g_bytesFromFiles = 0;
    g_blocksFromFiles = 0;
}

// ---------------------------------------------------------------- FileStreamBase

FileStreamBase::FileStreamBase() = default;

FileStreamBase::~FileStreamBase() { FileStreamBase::closeFile(); }

void FileStreamBase::addRef() { refs_.fetch_add(1); }

void FileStreamBase::release() {
    if (refs_.fetch_sub(1) == 1) delete this;
}

long FileStreamBase::numRefs() const { return refs_.load(); }

OdString FileStreamBase::fileName() { return name_; }

void FileStreamBase::openHandle(const OdString& name, const char* mode) {
    file_ = openRuntimeFile(name, mode);
    if (!file_) throw OdError_CantOpenFile(name);
    std::setvbuf(file_, nullptr, _IOFBF, 8192);
    name_ = name;
}

void FileStreamBase::closeFile() {
    length_ = kClosedLength;
    name_ = OdString();
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

// ---------------------------------------------------------------- BlockReadStream

BlockReadStream::BlockReadStream() = default;

BlockReadStream::~BlockReadStream() { BlockReadStream::closeFile(); }

void BlockReadStream::openFile(const OdString& name, OdUInt32 shareMode, OdUInt32, OdUInt32) {
    openHandle(name, shareMode == 0x20 || shareMode == 0x10 ? "r+b" : "rb");
    // 32-bit offsets, as the runtime library's handle gives them, extended with sign.
    std::fseek(file_, 0, SEEK_END);
    const OdInt32 end = static_cast<OdInt32>(std::ftell(file_));
    std::fseek(file_, 0, SEEK_SET);
    length_ = static_cast<OdUInt64>(static_cast<OdInt64>(end));
    blockOffset_ = 0;
    bytesLeft_ = blockSize_ = 0;
    readPointer_ = blockStart_ = nullptr;
    current_ = -1;
    physicalEnd_ = 0;
    useCounter_ = 0;
    for (Block& b : blocks_) {
        b.data = static_cast<OdUInt8*>(odrxAlloc(kBlockSize));
        if (!b.data) throw OdError(eOutOfMemory);
        b.offset = kClosedLength;
        b.count = 0;
        b.stamp = -1;
    }
    seek(0, OdDb::kSeekFromStart);
}

void BlockReadStream::closeFile() {
    for (Block& b : blocks_) {
        odrxFree(b.data);
        b.data = nullptr;
        b.offset = kClosedLength;
        b.count = 0;
        b.stamp = -1;
    }
    readPointer_ = blockStart_ = nullptr;
    bytesLeft_ = blockSize_ = 0;
    current_ = -1;
    FileStreamBase::closeFile();
}

bool BlockReadStream::loadBlock() {
    current_ = -1;
    for (int i = 0; i < kBlockCount; ++i) {
        Block& b = blocks_[i];
        if (b.stamp != -1 && b.offset == blockOffset_ && b.data) {
            current_ = i;
            blockStart_ = readPointer_ = b.data;
            blockSize_ = bytesLeft_ = b.count;
            b.stamp = static_cast<OdInt32>(useCounter_++);
            return true;
        }
    }
    int victim = -1;
    for (int i = 0; i < kBlockCount && victim < 0; ++i)
        if (blocks_[i].offset == kClosedLength) victim = i;
    if (victim < 0) {
        victim = 0;
        OdInt64 oldest = blocks_[0].stamp < 0 ? 0 : blocks_[0].stamp;
        for (int i = 1; i < kBlockCount; ++i) {
            const OdInt64 stamp = blocks_[i].stamp < 0 ? 0 : blocks_[i].stamp;
            if (stamp < oldest) { oldest = stamp; victim = i; }
        }
    }
    Block& b = blocks_[victim];
    if (!file_ || !b.data) return false;
    if (physicalEnd_ != blockOffset_)
        std::fseek(file_, static_cast<long>(static_cast<OdUInt32>(blockOffset_)), SEEK_SET);
    const OdUInt32 count = static_cast<OdUInt32>(std::fread(b.data, 1, kBlockSize, file_));
    g_bytesFromFiles += count;
    if (count) ++g_blocksFromFiles;
    blockSize_ = bytesLeft_ = count;
    physicalEnd_ = blockOffset_ + count;
    if (count == 0) {
        // Nothing left: the position stays at the block offset (tell() must not count
        // the bytes of the block read before).
        readPointer_ = blockStart_;
        return false;
    }
    b.offset = blockOffset_;
    b.count = count;
    b.stamp = static_cast<OdInt32>(useCounter_++);
    current_ = victim;
    blockStart_ = readPointer_ = b.data;
    return true;
}

void BlockReadStream::stampCurrent() {
    if (current_ >= 0) blocks_[current_].stamp = static_cast<OdInt32>(useCounter_++);
}

OdUInt64 BlockReadStream::seek(OdInt64 offset, OdDb::FilerSeekType origin) {
    OdUInt64 target;
    switch (origin) {
    case OdDb::kSeekFromCurrent: target = tell() + static_cast<OdUInt64>(offset); break;
    case OdDb::kSeekFromEnd: target = length_ - static_cast<OdUInt64>(offset); break;
    default: target = static_cast<OdUInt64>(offset); break;
    }
    if (target < blockOffset_ || target >= blockOffset_ + blockSize_) {
        blockOffset_ = target & ~static_cast<OdUInt64>(kBlockSize - 1);
        if (!loadBlock()) {
            readPointer_ = blockStart_ = nullptr;
            bytesLeft_ = 0;
            throw OdError(eEndOfFile);
        }
    }
    const OdUInt16 distance = static_cast<OdUInt16>(target - blockOffset_);
    readPointer_ = blockStart_ + distance;
    bytesLeft_ = blockSize_ - distance;
    return target;
}

OdUInt64 BlockReadStream::tell() { return blockOffset_ + static_cast<OdUInt64>(readPointer_ - blockStart_); }

OdUInt64 BlockReadStream::length() { return length_; }

OdUInt32 BlockReadStream::getShareMode() { return shareMode_; }

bool BlockReadStream::isEof() {
    if (bytesLeft_ > 0) return false;
    if (length_ == 0) return true;
    blockOffset_ += blockSize_;
    return !loadBlock();
}

OdUInt8 BlockReadStream::getByte() {
    stampCurrent();
    if (bytesLeft_ == 0) {
        blockOffset_ += blockSize_;
        if (!loadBlock()) throw OdError(eEndOfFile);
    }
    --bytesLeft_;
    ++g_bytesDelivered;
    return *readPointer_++;
}

void BlockReadStream::getBytes(void* buffer, OdUInt32 count) {
    if (count == 0) return;
    stampCurrent();
    OdUInt8* out = static_cast<OdUInt8*>(buffer);
    while (count > 0) {
        if (isEof()) throw OdError(eEndOfFile);
        const OdUInt16 n = static_cast<OdUInt16>(bytesLeft_ < count ? bytesLeft_ : count);
        std::memcpy(out, readPointer_, n);
        out += n;
        readPointer_ += n;
        bytesLeft_ -= n;
        count -= n;
        g_bytesDelivered += n;
    }
}

BlockReadStream::BlockView BlockReadStream::block(int index) const {
    const Block& b = blocks_[index];
    return BlockView{b.offset, b.count, b.stamp};
}

// ---------------------------------------------------------------- FileWriteStream

FileWriteStream::~FileWriteStream() { FileWriteStream::closeFile(); }

void FileWriteStream::openFile(const OdString& name, OdUInt32, OdUInt32, OdUInt32) {
    position_ = 0;
    length_ = 0;
    openHandle(name, "wb");
}

void FileWriteStream::closeFile() {
    position_ = 0xFFFFFFFF;
    FileStreamBase::closeFile();
}

void FileWriteStream::putByte(OdUInt8 value) {
    if (!file_ || std::fputc(value, file_) == EOF) throw OdError_FileWriteError(name_);
    ++position_;
    if (static_cast<OdUInt64>(position_) > length_) length_ = static_cast<OdUInt64>(position_);
}

void FileWriteStream::putBytes(const void* buffer, OdUInt32 count) {
    if (!file_ || std::fwrite(buffer, 1, count, file_) < count) throw OdError_FileWriteError(name_);
    position_ += count;
    if (static_cast<OdUInt64>(position_) > length_) length_ = static_cast<OdUInt64>(position_);
}

OdUInt64 FileWriteStream::seek(OdInt64 offset, OdDb::FilerSeekType origin) {
    OdInt64 target;
    switch (origin) {
    case OdDb::kSeekFromCurrent: target = position_ + offset; break;
    case OdDb::kSeekFromEnd: target = static_cast<OdInt64>(length_) - offset; break;
    default: target = offset; break;
    }
    const long low = static_cast<long>(static_cast<OdUInt32>(target));
    if (file_ && std::fseek(file_, low, SEEK_SET) == 0) position_ = target;
    else position_ = 0x00000000FFFFFFFFLL;
    return static_cast<OdUInt64>(position_);
}

OdUInt64 FileWriteStream::tell() { return static_cast<OdUInt64>(position_); }

bool FileWriteStream::isEof() { return static_cast<OdUInt64>(position_) >= length_; }

OdUInt64 FileWriteStream::length() { return length_; }

OdUInt32 FileWriteStream::getShareMode() { return shareMode_; }

}  // namespace vistrel
