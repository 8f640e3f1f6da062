// Reading integers typed into edits, and filling the framework's message patterns.
#include "dialogs/Text.h"

#include <gtest/gtest.h>

namespace {

TEST(ParseInteger, AcceptsWholeNumbersWithBlanksAndSign) {
    long v = 99;
    EXPECT_TRUE(dlg::parseInteger("42", v));
    EXPECT_EQ(v, 42);
    EXPECT_TRUE(dlg::parseInteger("  -7\t", v));
    EXPECT_EQ(v, -7);
    EXPECT_TRUE(dlg::parseInteger("+256", v));
    EXPECT_EQ(v, 256);
}

TEST(ParseInteger, RefusesTextThatIsNotOneNumberAndLeavesTheValue) {
    long v = 99;
    for (const char* bad :
         {"", "   ", "-", "+", "12a", "1 2", "0x10", "3.5", "abc", "99999999999999999999999"}) {
        EXPECT_FALSE(dlg::parseInteger(bad, v)) << bad;
        EXPECT_EQ(v, 99) << bad;
    }
}

TEST(FillPlaceholders, NumberedArgumentsInAnyOrder) {
    EXPECT_EQ(dlg::fillPlaceholders("Enter an integer between %1 and %2.", {"0", "256"}),
              "Enter an integer between 0 and 256.");
    EXPECT_EQ(dlg::fillPlaceholders("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(dlg::fillPlaceholders("%3 stays, 100%% too, %", {"a"}), "%3 stays, 100%% too, %");
}

TEST(FormatWithString, FillsOnlyTheFirstStringPlaceholder) {
    EXPECT_EQ(dlg::formatWithString("The help file %s could not be found.", "C:\\h\\Kivra.chm"),
              "The help file C:\\h\\Kivra.chm could not be found.");
    // Further conversions are never read as arguments.
    EXPECT_EQ(dlg::formatWithString("%s %s %d %n 50%%", "x"), "x %s %d %n 50%");
    EXPECT_EQ(dlg::formatWithString("no placeholder", "x"), "no placeholder");
}

TEST(FormatText, PrintfStyle) {
    EXPECT_EQ(dlg::formatText("%.3f%s", 0.25, " mm"), "0.250 mm");
    EXPECT_EQ(dlg::formatText("%s", ""), "");
}

TEST(Trim, BothEnds) {
    EXPECT_EQ(dlg::trim(" \t name \r\n"), "name");
    EXPECT_EQ(dlg::trim("   "), "");
}

}  // namespace
