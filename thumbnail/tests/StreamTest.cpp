// The block stream and the write stream on real files: blocks of 8192 bytes, the edge at
// the end of the file, eviction of the block used longest ago, and write positions.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "FileStreams.h"
#include "PreviewSystemServices.h"
#include "dwg/OdAlloc.h"
#include "dwg/OdError.h"

using namespace vistrel;

namespace {

std::uint8_t byteAt(std::size_t i) { return static_cast<std::uint8_t>((i * 131 + i / 8192 * 7) & 0xFF); }

// A scratch file in the test's working folder, removed at the end.
class ScratchFile {
public:
    ScratchFile(const std::string& name, std::size_t size) : name_(name) {
        std::FILE* f = std::fopen(name.c_str(), "wb");
        EXPECT_TRUE(f);
        for (std::size_t i = 0; i < size; ++i) std::fputc(byteAt(i), f);
        std::fclose(f);
    }
    ~ScratchFile() { std::remove(name_.c_str()); }
    const std::string& name() const { return name_; }
    // Changes one byte on disk behind the stream's back.
    void poke(std::size_t at, std::uint8_t value) {
        std::FILE* f = std::fopen(name_.c_str(), "r+b");
        ASSERT_TRUE(f);
        std::fseek(f, static_cast<long>(at), SEEK_SET);
        std::fputc(value, f);
        std::fclose(f);
    }

private:
    std::string name_;
};

OdStreamBufPtr openRead(const std::string& name) {
    OdSmartPtr<PreviewSystemServices> services = OdSmartPtr<PreviewSystemServices>::attach(new PreviewSystemServices());
    return services->createFile(OdString(name.c_str(), CP_SYSTEM_ANSI), kOdFileRead, kOdShareDenyNo, kOdOpenExisting);
}

OdResult codeOf(void (*action)(OdStreamBuf*), OdStreamBuf* s) {
    try {
        action(s);
    } catch (const OdError& e) {
        return e.code();
    }
    return eOk;
}

}  // namespace

TEST(BlockReadStream, ReadsAcrossBlocksOfA20000ByteFile) {
    ScratchFile file("vistrel-stream-20000.bin", 20000);
    OdStreamBufPtr s = openRead(file.name());
    auto* blocks = dynamic_cast<BlockReadStream*>(s.get());
    ASSERT_TRUE(blocks);
    EXPECT_EQ(s->length(), 20000u);
    EXPECT_EQ(s->getShareMode(), 0x40u);
    EXPECT_EQ(s->seek(8191, OdDb::kSeekFromStart), 8191u);
    EXPECT_EQ(s->getByte(), byteAt(8191));
    EXPECT_EQ(s->getByte(), byteAt(8192));
    EXPECT_EQ(blocks->block(0).offset, 0u);
    EXPECT_EQ(blocks->block(1).offset, 8192u);
    EXPECT_EQ(blocks->currentBlock(), 1);
    EXPECT_EQ(s->tell(), 8193u);

    EXPECT_EQ(s->seek(20000, OdDb::kSeekFromStart), 20000u);
    EXPECT_EQ(blocks->block(blocks->currentBlock()).offset, 16384u);
    EXPECT_EQ(blocks->block(blocks->currentBlock()).count, 3616u);
    EXPECT_EQ(codeOf([](OdStreamBuf* b) { b->getByte(); }, s.get()), eEndOfFile);
}

TEST(BlockReadStream, WholeReadsSeeksAndEnd) {
    ScratchFile file("vistrel-stream-whole.bin", 20000);
    OdStreamBufPtr s = openRead(file.name());
    std::vector<std::uint8_t> all(20000);
    s->getBytes(all.data(), 20000);
    for (std::size_t i = 0; i < all.size(); ++i) ASSERT_EQ(all[i], byteAt(i)) << i;
    EXPECT_TRUE(s->isEof());
    EXPECT_EQ(s->tell(), 20000u);
    // From the end, the offset counts back from the length.
    EXPECT_EQ(s->seek(100, OdDb::kSeekFromEnd), 19900u);
    EXPECT_EQ(s->getByte(), byteAt(19900));
    EXPECT_EQ(s->seek(-901, OdDb::kSeekFromCurrent), 19000u);
    EXPECT_EQ(s->getByte(), byteAt(19000));
    std::uint8_t tail[1000];
    EXPECT_EQ(codeOf([](OdStreamBuf* b) { std::uint8_t t[1000]; b->getBytes(t, 1000); }, s.get()), eEndOfFile);
    s->seek(0, OdDb::kSeekFromStart);
    s->getBytes(tail, 0);
    EXPECT_EQ(s->tell(), 0u);
    EXPECT_EQ(codeOf([](OdStreamBuf* b) { b->seek(30000, OdDb::kSeekFromStart); }, s.get()), eEndOfFile);
}

TEST(BlockReadStream, NinthBlockEvictsTheOneUsedLongestAgo) {
    ScratchFile file("vistrel-stream-blocks.bin", 10 * 8192);
    OdStreamBufPtr s = openRead(file.name());
    auto* blocks = dynamic_cast<BlockReadStream*>(s.get());
    ASSERT_TRUE(blocks);
    for (int b = 0; b < 8; ++b) {
        s->seek(b * 8192 + 5, OdDb::kSeekFromStart);
        EXPECT_EQ(s->getByte(), byteAt(b * 8192 + 5));
    }
    // Block 0 is used again, so block 1 is now the one used longest ago.
    s->seek(10, OdDb::kSeekFromStart);
    s->getByte();
    s->seek(8 * 8192, OdDb::kSeekFromStart);
    EXPECT_EQ(s->getByte(), byteAt(8 * 8192));
    std::vector<std::uint64_t> held;
    for (int i = 0; i < kBlockCount; ++i) held.push_back(blocks->block(i).offset);
    EXPECT_EQ(std::count(held.begin(), held.end(), 8192u), 0) << "block 1 evicted";
    EXPECT_EQ(std::count(held.begin(), held.end(), 0u), 1) << "block 0 kept";
    EXPECT_EQ(std::count(held.begin(), held.end(), 8u * 8192), 1);

    // Seen from the file: a kept block answers from memory, an evicted one is read again.
    file.poke(3, 0xA1);
    file.poke(8192 + 3, 0xB2);
    s->seek(3, OdDb::kSeekFromStart);
    EXPECT_EQ(s->getByte(), byteAt(3));
    s->seek(8192 + 3, OdDb::kSeekFromStart);
    EXPECT_EQ(s->getByte(), 0xB2);
}

TEST(BlockReadStream, OpeningAnEmptyOrMissingFileRaises) {
    ScratchFile empty("vistrel-stream-empty.dwg", 0);
    const long before = odrxLiveBlocks();
    try {
        openRead(empty.name());
        ADD_FAILURE() << "no error";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), eEndOfFile);
    }
    try {
        openRead("vistrel-no-such-file.dwg");
        ADD_FAILURE() << "no error";
    } catch (const OdError& e) {
        EXPECT_EQ(e.code(), eCantOpenFile);
        EXPECT_EQ(e.fileName().wide(), L"vistrel-no-such-file.dwg");
    }
    EXPECT_EQ(odrxLiveBlocks(), before) << "stream and its blocks freed after the failed open";
}

TEST(BlockReadStream, ClosingReturnsEveryBlock) {
    ScratchFile file("vistrel-stream-close.bin", 3 * 8192);
    const long before = odrxLiveBlocks();
    {
        OdStreamBufPtr s = openRead(file.name());
        s->seek(2 * 8192, OdDb::kSeekFromStart);
        EXPECT_GT(odrxLiveBlocks(), before + 7);
        EXPECT_EQ(s->fileName().wide(), L"vistrel-stream-close.bin");
    }
    EXPECT_EQ(odrxLiveBlocks(), before);
}

TEST(FileWriteStream, TracksPositionAndLength) {
    const std::string name = "vistrel-write.bin";
    {
        OdSmartPtr<PreviewSystemServices> services = OdSmartPtr<PreviewSystemServices>::attach(new PreviewSystemServices());
        OdStreamBufPtr w = services->createFile(OdString(name.c_str(), CP_SYSTEM_ANSI), kOdFileWrite, kOdShareDenyNo, kOdCreateAlways);
        ASSERT_TRUE(dynamic_cast<FileWriteStream*>(w.get()));
        EXPECT_EQ(w->getShareMode(), 0x40u);
        EXPECT_TRUE(w->isEof());
        w->putBytes("abcdef", 6);
        w->putByte('g');
        EXPECT_EQ(w->tell(), 7u);
        EXPECT_EQ(w->length(), 7u);
        EXPECT_EQ(w->seek(2, OdDb::kSeekFromStart), 2u);
        EXPECT_FALSE(w->isEof());
        w->putByte('X');
        EXPECT_EQ(w->length(), 7u);
        EXPECT_EQ(w->seek(1, OdDb::kSeekFromEnd), 6u);
        w->putBytes("YZ", 2);
        EXPECT_EQ(w->length(), 8u);
        EXPECT_THROW(w->getByte(), OdError);
    }
    std::FILE* f = std::fopen(name.c_str(), "rb");
    ASSERT_TRUE(f);
    char back[16] = {};
    EXPECT_EQ(std::fread(back, 1, sizeof back, f), 8u);
    std::fclose(f);
    EXPECT_STREQ(back, "abXdefYZ");
    std::remove(name.c_str());
}
