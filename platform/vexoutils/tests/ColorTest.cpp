// Index colours both ways, the nearest index, the lineweight range check and the linetype
// pattern texts.
#include <gtest/gtest.h>

#include <cstring>

#include "vexoutils/PlotStyle.h"

namespace {

VxColorRef bgr(int r, int g, int b) {
    return VxColorRef(r | g << 8 | b << 16);
}

TEST(IndexColors, Rgb2AcadAndAcad2RgbAgreeOnAll255) {
    for (int i = 1; i <= 255; ++i) {
        const VxColorRef c = ACAD2rgb(i);
        const int back = rgb2ACAD(c);
        ASSERT_GE(back, 1) << i;
        EXPECT_LE(back, i) << "the lowest index of a colour comes back";
        EXPECT_EQ(ACAD2rgb(back), c) << i;
    }
    EXPECT_EQ(rgb2ACAD(ACAD2rgb(30)), 30);
    EXPECT_EQ(rgb2ACAD(ACAD2rgb(10)), 1) << "10 repeats red";
}

TEST(IndexColors, Acad2RgbIsColorrefOrder) {
    EXPECT_EQ(ACAD2rgb(1), bgr(255, 0, 0));
    EXPECT_EQ(ACAD2rgb(5), bgr(0, 0, 255));
    EXPECT_EQ(ACAD2rgb(30), bgr(255, 127, 0));
    EXPECT_EQ(ACAD2rgb(-3), 0u);
    EXPECT_EQ(ACAD2rgb(256), 0u);
}

TEST(IndexColors, NonIndexColoursAndObjectColourHaveNoIndex) {
    EXPECT_EQ(rgb2ACAD(bgr(235, 135, 20)), -1);
    EXPECT_EQ(rgb2ACAD(bgr(0, 0, 0)), -1) << "black is index 0, the by-block slot, only";
    EXPECT_EQ(rgb2ACAD(kVxObjectColor), -1);
}

TEST(IndexColors, ClosestIndexIsTheNearestInRgb) {
    EXPECT_EQ(findClosestACIIdx(bgr(235, 135, 20)), 30) << "as CAD programs store it";
    EXPECT_EQ(findClosestACIIdx(ACAD2rgb(123)), rgb2ACAD(ACAD2rgb(123)));
    for (int r = 0; r < 256; r += 37)
        for (int g = 0; g < 256; g += 41)
            for (int b = 0; b < 256; b += 29) {
                const int k = findClosestACIIdx(bgr(r, g, b));
                auto dist = [&](int i) {
                    const VxColorRef c = ACAD2rgb(i);
                    const long dr = r - long(c & 0xFF), dg = g - long(c >> 8 & 0xFF),
                               db = b - long(c >> 16 & 0xFF);
                    return dr * dr + dg * dg + db * db;
                };
                for (int i = 1; i <= 255; ++i)
                    ASSERT_LE(dist(k), dist(i)) << r << "," << g << "," << b;
            }
}

TEST(LineweightRange, AcceptsZeroTo200MillimetresInEitherUnit) {
    double v = -7;
    EXPECT_TRUE(checkLineWeightRange(v, " 0.25 ", false));
    EXPECT_DOUBLE_EQ(v, 0.25);
    EXPECT_TRUE(checkLineWeightRange(v, "0", false));
    EXPECT_DOUBLE_EQ(v, 0.0);
    EXPECT_TRUE(checkLineWeightRange(v, "200", false));
    EXPECT_TRUE(checkLineWeightRange(v, "7.874", true));
    EXPECT_DOUBLE_EQ(v, 7.874) << "the value stays in the unit typed";
    EXPECT_TRUE(checkLineWeightRange(v, "0,5", false)) << "a decimal comma is understood";
    EXPECT_DOUBLE_EQ(v, 0.5);
}

TEST(LineweightRange, RefusesAndLeavesTheValueAlone) {
    for (const char* text :
         {"200.01", "-0.1", "", "  ", "abc", "0.25mm", "1e999", "nan", "0.5.1"}) {
        double v = 42;
        EXPECT_FALSE(checkLineWeightRange(v, text, false)) << text;
        EXPECT_EQ(v, 42) << text;
    }
    double v = 42;
    EXPECT_FALSE(checkLineWeightRange(v, "7.9", true)) << "7.9 in is above 200 mm";
    EXPECT_FALSE(checkLineWeightRange(v, nullptr, false));
}

TEST(LinetypePatterns, OneTextForEachBuiltInLinetype) {
    for (int i = 0; i < 31; ++i) {
        ASSERT_NE(g_cLineTypeDesc[i], nullptr);
        EXPECT_GT(std::strlen(g_cLineTypeDesc[i]), 8u) << i;
    }
    EXPECT_EQ(g_cLineTypeDesc[0][0], '_') << "solid sits on the baseline";
    EXPECT_EQ(g_cLineTypeDesc[2][0], '.');
}

}  // namespace
