// The byte form a style travels in (clipboard): round trip of every property, and refusal
// of truncated, damaged, foreign and newer bytes without touching the style or the stream.
#include <gtest/gtest.h>

#include <memory>

#include "RawText.h"
#include "TestFiles.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

std::unique_ptr<CPlotStyleTable> ctbtest() {
    return std::unique_ptr<CPlotStyleTable>(
        CPlotStyleTable::read(testfiles::sample("ezdxf-ctbtest.ctb").c_str()));
}

TEST(StyleBytes, EveryPropertyComesBack) {
    auto t = ctbtest();
    ASSERT_TRUE(t);
    COBinStreamImp out;
    ASSERT_TRUE(t->style(0)->write(out));
    ASSERT_GT(out.size(), 10u);
    CIBinStreamImp in(out.data(), out.size(), 0);
    CPlotStyle copy;
    ASSERT_TRUE(copy.read(in));
    EXPECT_EQ(in.remaining(), 0u);
    // Put it in a second table's place of style 0 and compare the saved text.
    auto other = ctbtest();
    *other->style(0) = copy;
    EXPECT_EQ(other->toBytes(), t->toBytes());
    EXPECT_EQ(copy.color2rgb(), t->style(0)->color2rgb());
    EXPECT_EQ(copy.penNumber, 11);
}

TEST(StyleBytes, SeveralStylesInOneStream) {
    auto t = ctbtest();
    COBinStreamImp out;
    ASSERT_TRUE(t->style(0)->write(out));
    ASSERT_TRUE(t->style(1)->write(out));
    CIBinStreamImp in(out.data(), out.size());
    CPlotStyle a, b;
    ASSERT_TRUE(a.read(in));
    ASSERT_TRUE(b.read(in));
    EXPECT_EQ(a.name, "Color_1");
    EXPECT_EQ(b.name, "Color_2");
    CPlotStyle c;
    EXPECT_FALSE(c.read(in)) << "nothing left";
}

TEST(StyleBytes, TruncatedBytesAreRefusedAndNothingMoves) {
    auto t = ctbtest();
    COBinStreamImp out;
    ASSERT_TRUE(t->style(0)->write(out));
    for (unsigned long n = 0; n < out.size(); ++n) {
        CIBinStreamImp in(out.data(), n);
        CPlotStyle s;
        s.penNumber = 29;
        ASSERT_FALSE(s.read(in)) << n;
        EXPECT_EQ(s.penNumber, 29);
        EXPECT_EQ(in.position(), 0u);
    }
}

TEST(StyleBytes, DamagedForeignAndNewerBytesAreRefused) {
    auto t = ctbtest();
    COBinStreamImp out;
    ASSERT_TRUE(t->style(0)->write(out));
    std::vector<unsigned char> bytes(out.data(), out.data() + out.size());
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        auto bad = bytes;
        bad[at] ^= 0x21;
        CIBinStreamImp in(bad.data(), static_cast<unsigned long>(bad.size()));
        CPlotStyle s;
        EXPECT_FALSE(s.read(in)) << "byte " << at;
    }
    const char foreign[] = "not a plot style at all, just some text";
    CIBinStreamImp in(foreign, sizeof foreign);
    CPlotStyle s;
    EXPECT_FALSE(s.read(in));
    CIBinStreamImp none(nullptr, 100);
    EXPECT_FALSE(s.read(none));
}

}  // namespace
