// The screenshot writer produces valid PNG files: structure, checksums and pixel data
// read back by inflating the stored blocks.
#include "dialogs/Png.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

std::uint32_t be32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return (std::uint32_t(b[at]) << 24) | (std::uint32_t(b[at + 1]) << 16) |
           (std::uint32_t(b[at + 2]) << 8) | b[at + 3];
}

std::uint32_t referenceCrc(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

struct Chunk {
    std::string type;
    std::vector<std::uint8_t> data;
};

std::vector<Chunk> chunks(const std::vector<std::uint8_t>& png) {
    std::vector<Chunk> out;
    std::size_t at = 8;
    while (at + 12 <= png.size()) {
        const std::uint32_t length = be32(png, at);
        Chunk c;
        c.type.assign(png.begin() + long(at + 4), png.begin() + long(at + 8));
        c.data.assign(png.begin() + long(at + 8), png.begin() + long(at + 8 + length));
        EXPECT_EQ(be32(png, at + 8 + length), referenceCrc(&png[at + 4], length + 4)) << c.type;
        out.push_back(c);
        at += 12 + length;
    }
    EXPECT_EQ(at, png.size());
    return out;
}

// Inflates a zlib stream made of stored blocks only.
std::vector<std::uint8_t> inflateStored(const std::vector<std::uint8_t>& z) {
    std::vector<std::uint8_t> out;
    std::size_t at = 2;
    for (bool last = false; !last;) {
        last = (z.at(at) & 1) != 0;
        EXPECT_EQ(z[at] & 6, 0) << "only stored blocks";
        const std::size_t n = z.at(at + 1) | (std::size_t(z.at(at + 2)) << 8);
        const std::size_t nn = z.at(at + 3) | (std::size_t(z.at(at + 4)) << 8);
        EXPECT_EQ(n ^ 0xFFFF, nn);
        out.insert(out.end(), z.begin() + long(at + 5), z.begin() + long(at + 5 + n));
        at += 5 + n;
    }
    std::uint32_t a = 1, b = 0;
    for (std::uint8_t byte : out) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    EXPECT_EQ(be32(z, at), (b << 16) | a);
    return out;
}

TEST(Png, HeaderChunksAndPixelsRoundTrip) {
    dlg::RgbImage image;
    image.resize(3, 2);
    for (std::size_t i = 0; i < image.rgb.size(); ++i) image.rgb[i] = std::uint8_t(i * 11);
    const std::vector<std::uint8_t> png = dlg::encodePng(image);
    ASSERT_GE(png.size(), 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(png.begin(), png.begin() + 8),
              (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));
    const std::vector<Chunk> c = chunks(png);
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0].type, "IHDR");
    EXPECT_EQ(be32(c[0].data, 0), 3u);
    EXPECT_EQ(be32(c[0].data, 4), 2u);
    EXPECT_EQ(c[0].data[8], 8);  // bit depth
    EXPECT_EQ(c[0].data[9], 2);  // RGB
    EXPECT_EQ(c[1].type, "IDAT");
    EXPECT_EQ(c[2].type, "IEND");
    const std::vector<std::uint8_t> raw = inflateStored(c[1].data);
    ASSERT_EQ(raw.size(), 2u * (1 + 9));
    EXPECT_EQ(raw[0], 0);
    EXPECT_EQ(raw[10], 0);
    EXPECT_EQ(std::vector<std::uint8_t>(raw.begin() + 1, raw.begin() + 10),
              std::vector<std::uint8_t>(image.rgb.begin(), image.rgb.begin() + 9));
    EXPECT_EQ(std::vector<std::uint8_t>(raw.begin() + 11, raw.end()),
              std::vector<std::uint8_t>(image.rgb.begin() + 9, image.rgb.end()));
}

TEST(Png, ImagesLargerThanOneStoredBlockSplitIntoSeveral) {
    dlg::RgbImage image;
    image.resize(300, 100);  // 90 100 bytes of rows: two stored blocks
    image.rgb[image.rgb.size() - 1] = 0xAB;
    const std::vector<Chunk> c = chunks(dlg::encodePng(image));
    ASSERT_EQ(c.size(), 3u);
    const std::vector<std::uint8_t> raw = inflateStored(c[1].data);
    ASSERT_EQ(raw.size(), 100u * 901u);
    EXPECT_EQ(raw.back(), 0xAB);
}

TEST(Png, NothingForAnEmptyOrShortImage) {
    dlg::RgbImage empty;
    EXPECT_TRUE(dlg::encodePng(empty).empty());
    dlg::RgbImage shortBuffer;
    shortBuffer.width = 4;
    shortBuffer.height = 4;
    shortBuffer.rgb.resize(10);
    EXPECT_TRUE(dlg::encodePng(shortBuffer).empty());
}

}  // namespace
