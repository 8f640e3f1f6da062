// The preview block's frame and directory on synthetic drawings: which versions are
// followed, the sentinels, the bounds of every entry, and the choice of picture.
#include <gtest/gtest.h>

#include "PreviewFixtures.h"
#include "dwg/PreviewReader.h"

using namespace dwgpreview;
using fixtures::Bytes;
using fixtures::Entry;

namespace {

// Counts and bounds every read, so a test can tell what the reader touched.
class WatchedSource : public Source {
public:
    explicit WatchedSource(const Bytes& bytes) : bytes_(bytes) {}
    std::uint64_t size() override { return bytes_.size(); }
    void read(std::uint64_t offset, std::uint8_t* out, std::size_t count) override {
        ++reads;
        bytesRead += count;
        if (offset > bytes_.size() || bytes_.size() - offset < count) {
            outside = true;
            throw std::runtime_error("read outside the file");
        }
        std::copy(bytes_.begin() + offset, bytes_.begin() + offset + count, out);
    }
    int reads = 0;
    std::size_t bytesRead = 0;
    bool outside = false;

private:
    const Bytes& bytes_;
};

Result read(const Bytes& bytes) {
    WatchedSource source(bytes);
    Result r = readPreview(source);
    EXPECT_FALSE(source.outside);
    return r;
}

Entry header() { return Entry{1, Bytes(80, 0)}; }
Entry bmp(int w = 16, int h = 8, int bpp = 8) { return Entry{2, fixtures::makeDib(w, h, bpp)}; }

}  // namespace

TEST(PreviewVersions, EveryFamilyWithABlockIsFollowed) {
    for (const char* tag : {"AC1012", "AC1013", "AC1014", "AC1015", "AC1500", "AC1018", "AC1021", "AC1024", "AC1027", "AC1032", "AC1036"}) {
        SCOPED_TRACE(tag);
        const Result r = read(fixtures::makeDrawing(tag, {header(), bmp()}));
        EXPECT_EQ(r.status, Status::kFound) << r.reason;
    }
}

TEST(PreviewVersions, OlderDrawingsAndOtherFilesAreNotFollowed) {
    for (const char* tag : {"AC1009", "AC1006", "AC1011", "AC2.10", "AC1.50", "MC0.0\0"}) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(read(fixtures::makeDrawing(std::string(tag, 6), {header(), bmp()})).status, Status::kEarlyVersion);
    }
    for (const char* tag : {"PK\3\4xx", "AC10AB", "ac1015", "hello!"}) {
        SCOPED_TRACE(tag);
        EXPECT_EQ(read(fixtures::makeDrawing(tag, {header(), bmp()})).status, Status::kNotADrawing);
    }
    EXPECT_EQ(read(Bytes()).status, Status::kNotADrawing);
    EXPECT_EQ(read(Bytes{'A', 'C', '1'}).status, Status::kNotADrawing);
    EXPECT_EQ(read(Bytes{'A', 'C', '1', '0', '1', '5', 0, 0}).status, Status::kNoBlock);  // header cut short
}

TEST(PreviewFrame, AddressMustLeaveRoomForTheBlock) {
    Bytes d = fixtures::makeDrawing("AC1018", {header(), bmp()});
    for (std::uint32_t address : {0u, 0x18u, 0xFFFFFFF0u, static_cast<std::uint32_t>(d.size() - 20), static_cast<std::uint32_t>(d.size())}) {
        SCOPED_TRACE(address);
        Bytes e = d;
        fixtures::put32(e, 0x0D, address);
        EXPECT_EQ(read(e).status, Status::kNoBlock);
    }
}

TEST(PreviewFrame, SentinelsAndOverallSizeMustAgree) {
    const Bytes d = fixtures::makeDrawing("AC1015", {header(), bmp()}, 0xDC);
    const std::uint32_t s = fixtures::blockOffset(d);
    Bytes badStart = d;
    badStart[s + 15] ^= 0xFF;
    EXPECT_EQ(read(badStart).status, Status::kNoBlock);
    Bytes badEnd = d;
    badEnd[s + 20 + fixtures::get32(d, s + 16)] ^= 1;
    EXPECT_EQ(read(badEnd).status, Status::kNoBlock);
    for (std::uint32_t overall : {fixtures::get32(d, s + 16) + 1, fixtures::get32(d, s + 16) - 1, 0xFFFFFFFFu, 0u}) {
        Bytes e = d;
        fixtures::put32(e, s + 16, overall);
        EXPECT_EQ(read(e).status, Status::kNoBlock) << overall;
    }
    // Cut inside the end sentinel.
    Bytes cut(d.begin(), d.begin() + s + 20 + fixtures::get32(d, s + 16) + 8);
    EXPECT_EQ(read(cut).status, Status::kNoBlock);
}

TEST(PreviewDirectory, CountBeyondTheBlockIsRejected) {
    Bytes d = fixtures::makeDrawing("AC1024", {header(), bmp()});
    d[fixtures::blockOffset(d) + 20] = 255;  // 255 entries cannot fit in this block
    EXPECT_EQ(read(d).status, Status::kNoBlock);
}

TEST(PreviewDirectory, EntriesOutsideTheirWindowAreSkipped) {
    const Bytes d = fixtures::makeDrawing("AC1024", {header(), bmp()});
    const std::size_t e1 = fixtures::directoryEntryOffset(d, 1);
    const std::uint32_t start = fixtures::get32(d, e1 + 1);
    struct Edit { const char* what; std::uint32_t start, size; };
    const Edit edits[] = {
        {"starts inside the directory", start - 9, fixtures::get32(d, e1 + 5)},
        {"starts before the block", 0x20, 64},
        {"size wraps", start, 0xFFFFFF00u},
        {"runs into the end sentinel", start, fixtures::get32(d, e1 + 5) + 1},
        {"starts past the file", 0xFFFFFFF0u, 16},
    };
    for (const Edit& e : edits) {
        SCOPED_TRACE(e.what);
        Bytes x = d;
        fixtures::put32(x, e1 + 1, e.start);
        fixtures::put32(x, e1 + 5, e.size);
        const Result r = read(x);
        EXPECT_EQ(r.status, Status::kNoImage);
        EXPECT_TRUE(r.dib.empty());
    }
}

TEST(PreviewDirectory, EntryStartIsTakenFromTheDirectory) {
    // Picture stored after some padding: found by its start, not by adding up sizes.
    Bytes pad(100, 0x77);
    Bytes d = fixtures::makeDrawing("AC1018", {header(), Entry{9, pad}, bmp(12, 5)});
    const Result r = read(d);
    ASSERT_EQ(r.status, Status::kFound);
    EXPECT_EQ(r.width, 12);
    EXPECT_EQ(r.height, 5);
}

TEST(PreviewDirectory, WmfOnlyAndUnknownCodesGiveNoPicture) {
    const Result wmf = read(fixtures::makeDrawing("AC1015", {header(), Entry{3, Bytes(300, 0x11)}}));
    EXPECT_EQ(wmf.status, Status::kNoImage);
    EXPECT_EQ(wmf.kind, Kind::kWmf);
    EXPECT_EQ(wmf.wmf, Bytes(300, 0x11));
    EXPECT_TRUE(wmf.dib.empty());
    const Result unknown = read(fixtures::makeDrawing("AC1015", {header(), Entry{4, Bytes(50, 1)}, Entry{7, Bytes(10, 2)}}));
    EXPECT_EQ(unknown.status, Status::kNoImage);
    EXPECT_EQ(unknown.kind, Kind::kNone);
}

TEST(PreviewDirectory, FirstSoundBitmapWinsThenPng) {
    // Two bitmaps: the first is taken (the sample with two keeps the real picture first).
    Result r = read(fixtures::makeDrawing("AC1021", {header(), bmp(20, 10, 32), bmp(18, 11, 8)}));
    EXPECT_EQ(r.kind, Kind::kBmp);
    EXPECT_EQ(r.width, 20);
    // A broken bitmap gives way to the next sound one, and a bitmap to a PNG.
    Bytes broken = fixtures::makeDib(20, 10, 8);
    fixtures::put32(broken, 16, 4);  // rows in a compression no one here reads
    r = read(fixtures::makeDrawing("AC1021", {header(), Entry{2, broken}, bmp(7, 3, 4)}));
    EXPECT_EQ(r.width, 7);
    r = read(fixtures::makeDrawing("AC1027", {header(), Entry{6, fixtures::makePng(30, 9, 3, 8)}, bmp(5, 5, 8)}));
    EXPECT_EQ(r.kind, Kind::kBmp);
    r = read(fixtures::makeDrawing("AC1027", {header(), Entry{2, broken}, Entry{6, fixtures::makePng(30, 9, 3, 8)}}));
    EXPECT_EQ(r.kind, Kind::kPng);
    EXPECT_EQ(r.width, 30);
}

TEST(PreviewDirectory, HeaderLiesAboutTheBitmapSize) {
    // As a damaged sample: width and height 65536 in a bitmap of the original size.
    Bytes d = fixtures::readSample("dwg/AC1021_libredwg_2007_Line.dwg");
    const std::uint32_t start = fixtures::get32(d, fixtures::directoryEntryOffset(d, 1) + 1);
    fixtures::put32(d, start + 4, 65536);
    fixtures::put32(d, start + 8, 65536);
    EXPECT_EQ(read(d).status, Status::kNoImage);
    // And its entry size made huge.
    Bytes e = fixtures::readSample("dwg/AC1024_libredwg_2010_Line.dwg");
    fixtures::put32(e, fixtures::directoryEntryOffset(e, 1) + 5, 0xFFFFFF00u);
    EXPECT_EQ(read(e).status, Status::kNoImage);
}

TEST(PreviewDirectory, ReadsOnlyHeaderAndBlock) {
    const Bytes d = fixtures::makeDrawing("AC1032", {header(), bmp(64, 32)}, 0x1C0, 1 << 20);
    WatchedSource source(d);
    ASSERT_EQ(readPreview(source).status, Status::kFound);
    const std::size_t block = fixtures::get32(d, fixtures::blockOffset(d) + 16) + 36;
    EXPECT_LE(source.bytesRead, 0x19 + block);
    EXPECT_LE(source.reads, 7);
}
