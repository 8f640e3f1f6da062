// Text rules of the editor: formats filled safely, numbers as the edits read them, names
// and lineweights as the lists show them.
#include "EditorText.h"

#include <gtest/gtest.h>

namespace {

using namespace quellon;

TEST(FillFormat, ConversionsTakeArgumentsInOrderAndNothingElse) {
    EXPECT_EQ(fillFormat("Editor - %s%s", {"acad", ".ctb"}), "Editor - acad.ctb");
    EXPECT_EQ(fillFormat("%d styles", {"255"}), "255 styles");
    EXPECT_EQ(fillFormat("100%% of %s", {"ink"}), "100% of ink");
    // Conversions without an argument, and other conversions, stay as written: a format
    // from a resource can never read past what it was given.
    EXPECT_EQ(fillFormat("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(fillFormat("%n%x%", {"a"}), "%n%x%");
}

TEST(SignificantDigits, FifteenDigitsLikeTheScaleEdit) {
    EXPECT_EQ(significantDigits(0.01), "0.01");
    EXPECT_EQ(significantDigits(10), "10");
    EXPECT_EQ(significantDigits(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(significantDigits(2.5e-7), "2.5e-07");
}

TEST(ParseReal, CLocaleNumbersWithBlanksOnly) {
    double v = -1;
    EXPECT_TRUE(parseReal(" 0.0099 ", v));
    EXPECT_DOUBLE_EQ(v, 0.0099);
    EXPECT_TRUE(parseReal("+10", v));
    EXPECT_DOUBLE_EQ(v, 10);
    for (const char* bad : {"", "  ", "1,5", "1.5x", "nan", "inf", "1e999", "--1"}) {
        v = 42;
        EXPECT_FALSE(parseReal(bad, v)) << bad;
        EXPECT_EQ(v, 42) << bad;
    }
}

TEST(DecimalValue, DigitsUpToTheFirstOtherCharacter) {
    EXPECT_EQ(decimalValue("17"), 17);
    EXPECT_EQ(decimalValue("  -3x"), -3);
    EXPECT_EQ(decimalValue("Automatic"), 0);
    EXPECT_EQ(decimalValue(""), 0);
    EXPECT_EQ(decimalValue("5Automatic"), 5);
    EXPECT_EQ(decimalValue("99999999999999"), 2147483647);
    EXPECT_EQ(decimalValue("-99999999999999"), -2147483647 - 1);
}

TEST(DisplayName, OnlyALeadingMisspeltColourPrefixIsRewritten) {
    EXPECT_EQ(displayName("Colore_12"), "Color_12");
    EXPECT_EQ(displayName("Color_12"), "Color_12");
    EXPECT_EQ(displayName("MyColore_1"), "MyColore_1");
    EXPECT_EQ(displayName("Colore"), "Colore");
    EXPECT_EQ(displayName("Colore_"), "Color_");
}

TEST(FileNames, NameStemAndExtension) {
    EXPECT_EQ(fileNameOf("C:\\Plot Styles\\acad.ctb"), "acad.ctb");
    EXPECT_EQ(fileNameOf("Z:/x/y/monochrome.stb"), "monochrome.stb");
    EXPECT_EQ(fileNameOf("C:plain.ctb"), "plain.ctb");
    EXPECT_EQ(stemOf("a.b.ctb"), "a.b");
    EXPECT_EQ(extensionOf("a.b.ctb"), ".ctb");
    EXPECT_EQ(stemOf("noext"), "noext");
    EXPECT_EQ(extensionOf("noext"), "");
}

TEST(Lineweights, TextsInEitherUnitAndSampleWidths) {
    EXPECT_EQ(lineweightText(0.25, false, " mm", "\""), "0.250 mm");
    EXPECT_EQ(lineweightText(2.11, true, " mm", "\""), "0.0831\"");
    // floor(mm x dpi / 25.4): 0.25 mm is under a pixel at 96 dpi, 2.11 mm just under 8.
    EXPECT_EQ(lineWidthPixels(0.25, 96), 0);
    EXPECT_EQ(lineWidthPixels(0.3, 96), 1);
    EXPECT_EQ(lineWidthPixels(2.11, 96), 7);
    EXPECT_EQ(lineWidthPixels(25.4, 96), 96);
    EXPECT_EQ(lineWidthPixels(2.11, 192), 15);
}

}  // namespace
