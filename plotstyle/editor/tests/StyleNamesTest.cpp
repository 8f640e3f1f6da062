// Style names and the clipboard block, without windows: the free numbered name a new style
// is offered, what the name pattern reads and writes, the checks of typed names, and the
// block a style travels in (a short block from another process is refused).
#include "ClipboardStyle.h"
#include "StyleNames.h"

#include "FakeStyleCommands.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace quellon;
using testing_support::CommandStrings;

std::unique_ptr<CPlotStyleTable> namedTable(const std::vector<std::string>& names) {
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::create(false));
    t->deleteStyle(1);
    for (const std::string& n : names) EXPECT_NE(t->addStyle(n.c_str(), -1, nullptr), nullptr) << n;
    return t;
}

TEST(StyleNames, TheProposalFillsTheFirstGapOrGoesBelowOrAboveTheNumbersInUse) {
    EXPECT_EQ(proposeNumber({1, 2, 4}), 3u);
    EXPECT_EQ(proposeNumber({4, 2, 1}), 3u);  // in any order
    EXPECT_EQ(proposeNumber({5, 9}), 4u);
    EXPECT_EQ(proposeNumber({}), 1u);
    EXPECT_EQ(proposeNumber({1}), 2u);
    EXPECT_EQ(proposeNumber({0}), 1u);
    EXPECT_EQ(proposeNumber({7}), 6u);
    EXPECT_EQ(proposeNumber({0, 2}), 1u);
    EXPECT_EQ(proposeNumber({0, 1, 2}), 3u);
    EXPECT_EQ(proposeNumber({1, 1, 2, 2}), 3u);  // duplicates kept, no gap
    EXPECT_EQ(proposeNumber({1, 3, 3, 8}), 2u);
    // Unsigned comparison: a negative number read from a name is a very large one.
    EXPECT_EQ(proposeNumber({1, 0xFFFFFFFFu}), 2u);
    EXPECT_EQ(proposeNumber({0xFFFFFFFEu, 0xFFFFFFFFu}), 0xFFFFFFFDu);
}

TEST(StyleNames, ThePatternReadsOnlyNamesItCoversToTheEnd) {
    const NamePattern pattern("Style %d");
    ASSERT_TRUE(pattern.valid());
    std::uint32_t n = 0;
    EXPECT_TRUE(pattern.read("Style 12", n));
    EXPECT_EQ(n, 12u);
    EXPECT_TRUE(pattern.read("Style  7", n));  // a blank matches a run of blanks
    EXPECT_EQ(n, 7u);
    EXPECT_TRUE(pattern.read("Style7", n));  // ... or none, as scanf's
    EXPECT_EQ(n, 7u);
    EXPECT_TRUE(pattern.read("Style 007", n));
    EXPECT_EQ(n, 7u);
    EXPECT_TRUE(pattern.read("Style -2", n));
    EXPECT_EQ(n, 0xFFFFFFFEu);
    EXPECT_TRUE(pattern.read("Style 4294967295", n));
    EXPECT_EQ(n, 0xFFFFFFFFu);
    n = 99;
    for (const char* name : {"Style 4 copy", "style 3", "Style", "Style x", "Style -",
                             "Style 4294967296", "Style -2147483649", "Normal", ""})
        EXPECT_FALSE(pattern.read(name, n)) << name;
    EXPECT_EQ(n, 99u);

    EXPECT_EQ(pattern.write(3), "Style 3");
    EXPECT_EQ(pattern.write(0xFFFFFFFEu), "Style -2");  // "%d" prints signed
    EXPECT_EQ(NamePattern("No.%u").write(0xFFFFFFFEu), "No.4294967294");
    const NamePattern percent("%d%% pen");
    EXPECT_TRUE(percent.read("50% pen", n));
    EXPECT_EQ(n, 50u);
    EXPECT_EQ(percent.write(60), "60% pen");

    // No placeholder, or two: no number is read and the text stands for itself.
    for (const char* bad : {"Style", "Style %d of %d", "Style %s"}) {
        const NamePattern p(bad);
        EXPECT_FALSE(p.valid()) << bad;
        EXPECT_FALSE(p.read(bad, n)) << bad;
        EXPECT_EQ(p.write(5), bad);
    }
}

TEST(StyleNames, TheTableOffersTheNameForTheFreeNumber) {
    const NamePattern pattern("Style %d");
    EXPECT_EQ(proposeStyleName(*namedTable({"Style 1", "Style 2", "Style 4", "Pens"}), pattern),
              "Style 3");
    EXPECT_EQ(proposeStyleName(*namedTable({"Style 5", "Style 9"}), pattern), "Style 4");
    EXPECT_EQ(proposeStyleName(*namedTable({"Thin", "Thick"}), pattern), "Style 1");
    EXPECT_EQ(proposeStyleName(*namedTable({"Style 0", "Style 2"}), pattern), "Style 1");
    // The component's new named table: Normal and Style 1.
    std::unique_ptr<CPlotStyleTable> fresh(CPlotStyleTable::create(false));
    EXPECT_EQ(proposeStyleName(*fresh, pattern), "Style 2");
}

TEST(StyleNames, TheNameDialogJudgesTheTrimmedText) {
    const CommandStrings strings;
    auto table = namedTable({"Thin"});
    NameVerdict v = judgeNewStyleName(*table, "  Thick \t", strings);
    EXPECT_TRUE(v.acceptable);
    EXPECT_EQ(v.name, "Thick");
    EXPECT_EQ(v.message, "");

    for (char c : std::string("<>/\\\":?*|,=`;")) {
        v = judgeNewStyleName(*table, std::string("a") + c + "b", strings);
        EXPECT_FALSE(v.acceptable) << c;
        EXPECT_EQ(v.message, "#1077") << c;
    }
    v = judgeNewStyleName(*table, " tHIN ", strings);  // names are compared without case
    EXPECT_FALSE(v.acceptable);
    EXPECT_EQ(v.message, "taken: tHIN");
    v = judgeNewStyleName(*table, "   ", strings);
    EXPECT_FALSE(v.acceptable);
    EXPECT_EQ(v.message, "");
    for (const char* fine : {"a-b", "a.b", "a b", "a_b", "a'b", "a(b)", "a#b", "a%b"})
        EXPECT_TRUE(judgeNewStyleName(*table, fine, strings).acceptable) << fine;
}

TEST(StyleNames, RenamingRefusesEmptyAndForbiddenNamesAndIgnoresTheSameName) {
    const CommandStrings strings;
    RenameVerdict v = judgeRename("Thin", " \t", strings);
    EXPECT_EQ(v.kind, RenameVerdict::kRefused);
    EXPECT_EQ(v.message, "#1075");
    v = judgeRename("Thin", "Th;in", strings);
    EXPECT_EQ(v.kind, RenameVerdict::kRefused);
    EXPECT_EQ(v.message, "#1077");
    EXPECT_EQ(judgeRename("Thin", " Thin ", strings).kind, RenameVerdict::kUnchanged);
    v = judgeRename("Thin", "THIN", strings);  // case-sensitive: a change for the table to judge
    EXPECT_EQ(v.kind, RenameVerdict::kRename);
    EXPECT_EQ(v.name, "THIN");
}

CPlotStyle unusualStyle() {
    CPlotStyle s;
    s.name = "Pens 3";
    s.setDesc("hatching, thin");
    s.flags = CPlotStyle::kGrayscale;
    s.penNumber = 17;
    s.virtualPenNumber = 201;
    s.screening = 35;
    s.linetype = 12;
    s.adaptive = 0;
    s.lineweight = 19;
    s.fillStyle = 70;
    s.endStyle = 2;
    s.joinStyle = 3;
    EXPECT_TRUE(s.updateColor(0x00336699));
    return s;
}

void expectSameProperties(const CPlotStyle& a, const CPlotStyle& b) {
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.description, b.description);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.penNumber, b.penNumber);
    EXPECT_EQ(a.virtualPenNumber, b.virtualPenNumber);
    EXPECT_EQ(a.screening, b.screening);
    EXPECT_EQ(a.linetype, b.linetype);
    EXPECT_EQ(a.adaptive, b.adaptive);
    EXPECT_EQ(a.lineweight, b.lineweight);
    EXPECT_EQ(a.fillStyle, b.fillStyle);
    EXPECT_EQ(a.endStyle, b.endStyle);
    EXPECT_EQ(a.joinStyle, b.joinStyle);
    EXPECT_EQ(a.color2rgb(), b.color2rgb());
}

TEST(ClipboardStyle, ABlockIsItsLittleEndianCountAndTheStyleBytes) {
    const CPlotStyle original = unusualStyle();
    const std::vector<unsigned char> block = styleBlock(original);
    ASSERT_GT(block.size(), 4u);
    const std::size_t n = block[0] | block[1] << 8 | block[2] << 16 | std::size_t(block[3]) << 24;
    EXPECT_EQ(n, block.size() - 4);
    CPlotStyle back;
    ASSERT_TRUE(readStyleBlock(block.data(), block.size(), back));
    expectSameProperties(back, original);

    // The system may hand out more memory than was asked for: the spare bytes are ignored.
    std::vector<unsigned char> roomy = block;
    roomy.resize(block.size() + 16, 0);
    CPlotStyle fromRoomy;
    EXPECT_TRUE(readStyleBlock(roomy.data(), roomy.size(), fromRoomy));
    expectSameProperties(fromRoomy, original);
}

TEST(ClipboardStyle, ABlockShorterThanItsCountOrNotAStyleIsRefused) {
    const std::vector<unsigned char> block = styleBlock(unusualStyle());
    CPlotStyle target;
    target.name = "untouched";
    // Any count beyond the bytes present, up to all bits set.
    for (std::uint32_t claim : {std::uint32_t(block.size() - 3), std::uint32_t(block.size() + 100),
                                0x7FFFFFFFu, 0xFFFFFFFFu}) {
        std::vector<unsigned char> lying = block;
        for (int i = 0; i < 4; ++i) lying[std::size_t(i)] = static_cast<unsigned char>(claim >> (8 * i));
        EXPECT_FALSE(readStyleBlock(lying.data(), lying.size(), target)) << claim;
    }
    EXPECT_FALSE(readStyleBlock(block.data(), block.size() - 1, target));
    EXPECT_FALSE(readStyleBlock(block.data(), 3, target));
    EXPECT_FALSE(readStyleBlock(nullptr, 0, target));
    // A block that keeps its word but carries other bytes.
    std::vector<unsigned char> noise(64, 0x5A);
    noise[0] = 60;
    noise[1] = noise[2] = noise[3] = 0;
    EXPECT_FALSE(readStyleBlock(noise.data(), noise.size(), target));
    std::vector<unsigned char> damaged = block;
    damaged[block.size() / 2] ^= 0xFF;
    EXPECT_FALSE(readStyleBlock(damaged.data(), damaged.size(), target));
    EXPECT_EQ(target.name, "untouched");
}

}  // namespace
