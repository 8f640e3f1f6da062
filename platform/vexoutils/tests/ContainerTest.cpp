// The file container: the 60-byte header as CAD programs write it, inflating with its
// advisory numbers, and refusal of damaged and foreign files.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <random>

#include "PiaContainer.h"
#include "TestFiles.h"

namespace {

using vexo::pack;
using vexo::TableKind;
using vexo::unpack;

std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}

TEST(Container, PackWritesTheHeaderCadProgramsWrite) {
    const std::string text = "description=\"x\n";
    const auto file = pack(TableKind::Ttb, text);
    ASSERT_GT(file.size(), 62u);
    EXPECT_EQ(std::string(file.begin(), file.begin() + 48),
              "PIAFILEVERSION_2.0,TTBVER1,compress\r\npmzlibcodec");
    EXPECT_EQ(file[60], 0x78);
    EXPECT_EQ(file[61], 0xDA) << "best compression";
    EXPECT_EQ(le32(file, 48), adler32(1, file.data() + 60, uInt(file.size() - 60)))
        << "checksum over the compressed bytes";
    EXPECT_EQ(le32(file, 52), text.size() + 1) << "the text length counts the NUL";
    EXPECT_EQ(le32(file, 56), file.size() - 60);

    const auto back = unpack(file.data(), file.size());
    ASSERT_TRUE(back.ok) << back.error;
    EXPECT_EQ(back.kind, TableKind::Ttb);
    EXPECT_EQ(back.text, text);
    EXPECT_TRUE(back.hadNul);
    EXPECT_TRUE(back.notes.empty());
}

TEST(Container, HeaderNumbersAreAdvisory) {
    auto file = pack(TableKind::Ctb, "a=1\n");
    // A checksum over the text, as one toolkit writes it, and wrong lengths.
    const std::string withNul("a=1\n", 5);
    const auto overText = adler32(1, reinterpret_cast<const Bytef*>(withNul.data()), 5);
    for (int i = 0; i < 4; ++i) file[48 + i] = static_cast<unsigned char>(overText >> (8 * i));
    file[52] = file[56] = 0;
    const auto u = unpack(file.data(), file.size());
    ASSERT_TRUE(u.ok) << u.error;
    EXPECT_EQ(u.text, "a=1\n");
    EXPECT_EQ(u.notes.size(), 3u);
}

TEST(Container, TextWithoutTrailingNulAndPlainTextVariant) {
    const auto file = testfiles::bytesOf(testfiles::sample("ezdxf-color.ctb"));
    const auto stock = unpack(file.data(), file.size());
    ASSERT_TRUE(stock.ok) << stock.error;
    EXPECT_FALSE(stock.hadNul);
    const std::string plain = "PIAFILEVERSION_2.0,STBVER1\r\ndescription=\"\n";
    const auto u = unpack(reinterpret_cast<const unsigned char*>(plain.data()), plain.size());
    ASSERT_TRUE(u.ok) << u.error;
    EXPECT_EQ(u.kind, TableKind::Stb);
    EXPECT_EQ(u.text, "description=\"\n");
}

TEST(Container, RefusesForeignKindsAndJunk) {
    std::string pc3 = "PIAFILEVERSION_2.0,PC3VER1,compress\r\npmzlibcodec";
    pc3.resize(80, '\0');
    auto u = unpack(reinterpret_cast<const unsigned char*>(pc3.data()), pc3.size());
    EXPECT_FALSE(u.ok);
    EXPECT_NE(u.error.find("PC3VER1"), std::string::npos);

    const std::string text = "hello, world";
    EXPECT_FALSE(unpack(reinterpret_cast<const unsigned char*>(text.data()), text.size()).ok);
    EXPECT_FALSE(unpack(nullptr, 0).ok);
}

TEST(Container, DamagedCompressedTextIsRefused) {
    auto file = pack(TableKind::Ctb, std::string(5000, 'x') + "\n");
    for (std::size_t at = 62; at < file.size(); at += 3) {
        auto bad = file;
        bad[at] ^= 0x5A;
        const auto u = unpack(bad.data(), bad.size());
        if (u.ok) {
            // Only a change that zlib's own trailer cannot see may pass; none is expected.
            ADD_FAILURE() << "damage at " << at << " not noticed";
        }
    }
}

// The header's checksum vouches for the compressed bytes; only when it does is the
// stream's own checksum of the text left uncomputed.
TEST(Container, TheStreamsTextChecksumCountsUnlessTheHeaderVouchesForTheBytes) {
    auto file = pack(TableKind::Stb, "description=\"text\n");
    file[file.size() - 1] ^= 0x01;  // the stream's checksum of the text, wrong
    EXPECT_FALSE(unpack(file.data(), file.size()).ok) << "the header no longer matches";
    const auto sum = adler32(1, file.data() + 60, uInt(file.size() - 60));
    for (int i = 0; i < 4; ++i) file[48 + i] = static_cast<unsigned char>(sum >> (8 * i));
    const auto u = unpack(file.data(), file.size());
    ASSERT_TRUE(u.ok) << u.error;
    EXPECT_EQ(u.text, "description=\"text\n");
}

TEST(Container, EveryTruncationOfARealFileIsRefused) {
    const auto file = testfiles::bytesOf(testfiles::sample("ezdxf-ctbtest.ctb"));
    ASSERT_FALSE(file.empty());
    for (std::size_t n = 0; n < file.size(); ++n) {
        const auto u = unpack(file.data(), n);
        ASSERT_FALSE(u.ok) << n;
        ASSERT_FALSE(u.error.empty());
    }
    EXPECT_TRUE(unpack(file.data(), file.size()).ok);
}

TEST(Container, RandomBytesAfterAGoodHeaderAreRefused) {
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::vector<unsigned char> file(60 + rng() % 400);
        const char* head = "PIAFILEVERSION_2.0,CTBVER1,compress\r\npmzlibcodec";
        std::memcpy(file.data(), head, 48);
        for (std::size_t i = 48; i < file.size(); ++i) file[i] = static_cast<unsigned char>(rng());
        EXPECT_FALSE(unpack(file.data(), file.size()).ok);
    }
}

}  // namespace
