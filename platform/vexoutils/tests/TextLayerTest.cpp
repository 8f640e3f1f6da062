// The text layer: line grammar, indentation and line ends, continuation of broken strings,
// value spellings, and refusal of text it cannot make sense of.
#include <gtest/gtest.h>

#include "PiaText.h"

namespace {

using vexo::parseText;
using vexo::TextParse;

TextParse parse(const std::string& s) {
    return parseText(s.data(), s.size());
}

TEST(TextGrammar, BlocksNestWhateverTheIndentation) {
    const TextParse p = parse(
        "description=\"A\nplot_style{\n 0{\n\tname=\"Normal\n  }\n}\n"
        "custom_lineweight_table{\r\n    0=0.0\r\n}\r\n");
    ASSERT_TRUE(p.ok) << p.error;
    ASSERT_EQ(p.entries.size(), 3u);
    EXPECT_EQ(p.entries[0].value, "\"A");
    const auto& styles = p.entries[1];
    ASSERT_TRUE(styles.block);
    ASSERT_EQ(styles.children.size(), 1u);
    EXPECT_EQ(styles.children[0].key, "0");
    EXPECT_EQ(styles.children[0].children[0].value, "\"Normal");
    EXPECT_EQ(p.entries[2].children[0].value, "0.0") << "CR of CR LF line ends dropped";
}

TEST(TextGrammar, StringsHaveNoClosingQuoteAndKeepTheRest) {
    const TextParse p = parse("description=\"say \"hi\" = ok  \n");
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(vexo::stringValue(p.entries[0].value), "say \"hi\" = ok  ");
}

TEST(TextGrammar, ABrokenStringContinuesOnTheNextLine) {
    const TextParse p =
        parse(" 1{\n  name=\"asdf\r\nand some more\r\nmore again\n  description=\"\n }\n");
    ASSERT_TRUE(p.ok) << p.error;
    EXPECT_EQ(vexo::stringValue(p.entries[0].children[0].value), "asdf and some more more again");
}

TEST(TextGrammar, RefusesWhatItCannotMakeSenseOf) {
    for (const char* text : {"plot_style{\n 0{\n", "}\n", "scale_factor=1.0\njunk\n",
                             "plot_style{ x\n}\n", "bad key=1\n", "={\n}\n"}) {
        const TextParse p = parse(text);
        EXPECT_FALSE(p.ok) << text;
        EXPECT_FALSE(p.error.empty());
    }
    std::string deep;
    for (int i = 0; i < 20; ++i) deep += "a{\n";
    EXPECT_FALSE(parse(deep).ok);
    EXPECT_NE(parse("x=1\njunk\n").error.find("line 2"), std::string::npos);
}

TEST(TextGrammar, WritesOneSpacePerLevel) {
    const std::string text = "a{\n   0{\n  k=v\n}\n}\n";
    const TextParse p = parse(text);
    ASSERT_TRUE(p.ok);
    std::string out;
    vexo::writeEntry(out, p.entries[0], 0);
    EXPECT_EQ(out, "a{\n 0{\n  k=v\n }\n}\n");
    // The scanned lines write the same, from any depth and placed at any other.
    const vexo::LineScan scan = vexo::scanLines(text.data(), text.size());
    ASSERT_TRUE(scan.ok);
    ASSERT_EQ(scan.size(), 5u);
    EXPECT_EQ(scan.last(0), 4u);
    EXPECT_EQ(scan.last(1), 3u);
    EXPECT_EQ(scan.last(2), 2u);
    std::string lines;
    vexo::writeLines(lines, scan, 0, 4, 0);
    EXPECT_EQ(lines, out);
    lines.clear();
    vexo::writeLines(lines, scan, 1, 3, 2);
    EXPECT_EQ(lines, "  0{\n   k=v\n  }\n");
}

TEST(TextGrammar, TheTreeAndTheLinesAgreeOnBrokenStrings) {
    const std::string text = "n=\"two\nparts\nand more\nx=1\n";
    const vexo::LineScan scan = vexo::scanLines(text.data(), text.size());
    ASSERT_TRUE(scan.ok);
    ASSERT_EQ(scan.size(), 2u);
    EXPECT_EQ(scan.value(0), "\"two parts and more");
    EXPECT_EQ(scan.value(1), "1");
    EXPECT_EQ(scan.lineNumber(0), 1);
    EXPECT_EQ(scan.lineNumber(1), 4);
    EXPECT_EQ(parse(text).entries[0].value, "\"two parts and more");
    // A second broken string joins after the first, which stays as it was.
    const std::string two = text + "m=\"a\nb\n";
    const vexo::LineScan again = vexo::scanLines(two.data(), two.size());
    ASSERT_EQ(again.size(), 3u);
    EXPECT_EQ(again.value(0), "\"two parts and more");
    EXPECT_EQ(again.value(2), "\"a b");
}

TEST(TextValues, RealsInShortestCLocaleForm) {
    EXPECT_EQ(vexo::formatReal(1.0), "1.0");
    EXPECT_EQ(vexo::formatReal(0.5), "0.5");
    EXPECT_EQ(vexo::formatReal(2.11), "2.11");
    EXPECT_EQ(vexo::formatReal(0.1), "0.1");
    EXPECT_EQ(vexo::formatReal(0.006), "0.006");
    EXPECT_EQ(vexo::formatReal(25.0), "25.0");
    double d;
    EXPECT_TRUE(vexo::parseReal("0.25", d));
    EXPECT_TRUE(vexo::parseReal("2", d));
    EXPECT_FALSE(vexo::parseReal("1,0", d));
    EXPECT_FALSE(vexo::parseReal("", d));
    EXPECT_FALSE(vexo::parseReal("inf", d));
}

TEST(TextValues, IntegersAndBooleans) {
    long long v;
    EXPECT_TRUE(vexo::parseInt("-1006632961", v));
    EXPECT_EQ(v, -1006632961);
    EXPECT_TRUE(vexo::parseInt("3288334335", v)) << "the unsigned form of a colour word";
    EXPECT_FALSE(vexo::parseInt("12a", v));
    EXPECT_FALSE(vexo::parseInt("99999999999999999999", v));
    bool b;
    EXPECT_TRUE(vexo::parseBool("TRUE", b) && b);
    EXPECT_TRUE(vexo::parseBool("FALSE", b) && !b);
    EXPECT_FALSE(vexo::parseBool("yes", b));
}

TEST(TextValues, LineBreaksInWrittenStringsBecomeSpaces) {
    EXPECT_EQ(vexo::quoted("a\r\nb\nc\rd"), "\"a b c d");
}

}  // namespace
