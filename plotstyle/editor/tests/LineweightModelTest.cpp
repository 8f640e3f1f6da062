// Lineweight editing without a window: the working copy and its in-use marks, units that
// change only the display, edits checked by the component's range, sorting only after a
// change, and applying: the sorted list goes into the table and every style keeps the
// lineweight it had (a damaged index stays as it is).
#include "LineweightModel.h"

#include "FakeStyleCommands.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using namespace quellon;
using testing_support::CommandStrings;

std::unique_ptr<CPlotStyleTable> sample(const char* name) {
    const std::string path = std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name;
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(path.c_str()));
    EXPECT_NE(t, nullptr) << path;
    return t;
}

// Each style's lineweight as a value in millimetres (-1 for the object's, -2 for an index
// outside the list).
std::vector<double> styleWeights(const CPlotStyleTable& t) {
    std::vector<double> out;
    for (int i = 0; i < t.size(); ++i) {
        const int k = t.style(i)->lineweight;
        out.push_back(k == 0 ? -1 : (k >= 1 && k <= 27 ? t.lineweights[k - 1] : -2));
    }
    return out;
}

int rowOf(const LineweightModel& m, double mm) {
    for (int r = 0; r < m.count(); ++r)
        if (std::abs(m.entry(r).value - mm) < 1e-9) return r;
    return -1;
}

TEST(LineweightModel, TheWorkingCopyMarksTheEntriesStylesUse) {
    auto t = sample("apm-lineweight-names.stb");
    const LineweightModel m(*t);
    ASSERT_EQ(m.count(), 27);
    EXPECT_FALSE(m.inches());
    EXPECT_FALSE(m.modified());
    std::vector<bool> used(27, false);
    for (int i = 0; i < t->size(); ++i)
        if (t->style(i)->lineweight > 0) used[std::size_t(t->style(i)->lineweight - 1)] = true;
    int marks = 0;
    for (int r = 0; r < 27; ++r) {
        EXPECT_EQ(m.entry(r).value, t->lineweights[r]);
        EXPECT_EQ(m.entry(r).start, r);
        EXPECT_EQ(m.entry(r).inUse, used[std::size_t(r)]) << r;
        marks += m.entry(r).inUse;
    }
    EXPECT_GT(marks, 3);
    EXPECT_LT(marks, 27);
    EXPECT_EQ(m.text(8), "0.250");
}

TEST(LineweightModel, SwitchingUnitsChangesTheTextsAndTheUnitsButNoValue) {
    auto t = sample("ezdxf-stbtest.stb");
    const std::vector<double> before(t->lineweights, t->lineweights + 27);
    LineweightModel m(*t);
    EXPECT_FALSE(m.setInches(false));
    EXPECT_FALSE(m.modified());
    EXPECT_TRUE(m.setInches(true));
    EXPECT_TRUE(m.modified());
    EXPECT_EQ(m.text(8), "0.0098");  // 0.25 mm
    EXPECT_EQ(m.text(26), "0.0831");  // 2.11 mm
    ASSERT_TRUE(m.apply(*t));
    EXPECT_EQ(t->lineweightUnits, 1);
    EXPECT_EQ(std::vector<double>(t->lineweights, t->lineweights + 27), before);

    LineweightModel back(*t);
    EXPECT_TRUE(back.inches());
    back.setInches(false);
    back.apply(*t);
    EXPECT_EQ(t->lineweightUnits, 0);
}

TEST(LineweightModel, EditsAreTakenInTheUnitsShownWithinTheComponentsRange) {
    auto t = sample("ezdxf-stbtest.stb");
    LineweightModel m(*t);
    EXPECT_FALSE(m.edit(3, "201"));
    EXPECT_FALSE(m.edit(3, "-0.1"));
    EXPECT_FALSE(m.edit(3, "thin"));
    EXPECT_FALSE(m.edit(3, ""));
    EXPECT_FALSE(m.modified());
    EXPECT_TRUE(m.edit(3, "  0.11 "));
    EXPECT_EQ(m.entry(3).value, 0.11);
    EXPECT_EQ(m.text(3), "0.110");
    m.setInches(true);
    EXPECT_FALSE(m.edit(4, "7.9"));  // 200.66 mm
    EXPECT_TRUE(m.edit(4, "0.02"));
    EXPECT_DOUBLE_EQ(m.entry(4).value, 0.508);
    EXPECT_EQ(m.text(4), "0.0200");
    EXPECT_FALSE(m.edit(27, "1"));
    EXPECT_FALSE(m.edit(-1, "1"));

    const CommandStrings strings;
    EXPECT_EQ(lineweightRangeMessage(strings), "between 0 and 200 mm or 0 and 7.874015748031496 in");
}

TEST(LineweightModel, TheRangeMessageFillsWhateverConversionsTheTextUses) {
    struct Text : testing_support::CommandStrings {
        std::string format;
        std::string text(unsigned id) const override {
            return id == IDS_LINEWEIGHT_RANGE ? format : CommandStrings::text(id);
        }
    } strings;
    strings.format = "%d / %f / %.3e / %g %% %s %d";
    EXPECT_EQ(lineweightRangeMessage(strings), "200 / 7.874016 / %.3e / %g % %s %d");
    strings.format = "%.16g in, %d mm";
    EXPECT_EQ(lineweightRangeMessage(strings), "200 in, 7 mm");
    strings.format = "trailing %";
    EXPECT_EQ(lineweightRangeMessage(strings), "trailing %");
}

TEST(LineweightModel, SortingWaitsForAChange) {
    auto t = sample("ezdxf-stbtest.stb");
    t->lineweights[0] = 2.5;  // out of order as read
    LineweightModel m(*t);
    EXPECT_FALSE(m.sort());
    EXPECT_EQ(m.entry(0).value, 2.5);
    m.edit(26, "0.01");
    EXPECT_TRUE(m.sort());
    EXPECT_EQ(m.entry(0).value, 0.01);
    EXPECT_EQ(m.entry(0).start, 26);
    EXPECT_EQ(m.entry(26).value, 2.5);
    EXPECT_EQ(m.entry(26).start, 0);
    for (int r = 1; r < 27; ++r) EXPECT_LE(m.entry(r - 1).value, m.entry(r).value);
}

TEST(LineweightModel, ApplyingMovesEveryStylesIndexWithItsValue) {
    auto t = sample("apm-lineweight-names.stb");
    // Make 0.25 mm (entry 9) used, then change it to 0.05: it sorts before the old 0.05.
    const int style = 1;
    t->style(style)->lineweight = 9;
    ASSERT_EQ(t->lineweights[8], 0.25);
    std::vector<double> expected = styleWeights(*t);
    for (double& w : expected)
        if (w == 0.25) w = 0.05;
    LineweightModel m(*t);
    ASSERT_TRUE(m.edit(rowOf(m, 0.25), "0.05"));
    ASSERT_TRUE(m.apply(*t));

    for (int i = 1; i < 27; ++i) EXPECT_LE(t->lineweights[i - 1], t->lineweights[i]) << i;
    EXPECT_EQ(t->lineweights[1], 0.05);
    EXPECT_EQ(t->lineweights[2], 0.05);  // both kept
    EXPECT_EQ(t->lineweights[9], 0.3);   // 0.09 .. 0.2 moved up by one, 0.3 stays
    EXPECT_EQ(styleWeights(*t), expected);
    EXPECT_EQ(t->lineweightUnits, 0);
    for (int r = 0; r < 27; ++r) {
        EXPECT_EQ(m.entry(r).start, r) << "entries back in their starting order";
        EXPECT_EQ(t->lineweights[m.entry(r).position], m.entry(r).value);
    }
}

TEST(LineweightModel, CancelOrNoChangeLeavesTheTableAsItWas) {
    auto t = sample("ezdxf-ctbtest.ctb");
    const std::vector<unsigned char> before = t->toBytes();
    LineweightModel m(*t);
    EXPECT_FALSE(m.apply(*t));
    EXPECT_EQ(t->toBytes(), before);
    LineweightModel toggled(*t);
    toggled.setInches(true);
    toggled.setInches(false);  // modified, though back where it was: applied as such
    EXPECT_TRUE(toggled.apply(*t));
    EXPECT_EQ(t->lineweightUnits, 0);
}

TEST(LineweightModel, ADamagedStyleIndexHasNoEntryToFollowAndStays) {
    auto t = sample("apm-lineweight-names.stb");
    ASSERT_GE(t->size(), 4);
    t->style(1)->lineweight = 28;
    t->style(2)->lineweight = -3;
    t->style(3)->lineweight = 27;
    LineweightModel m(*t);
    ASSERT_TRUE(m.edit(26, "0.001"));  // 2.11 becomes the lightest but one
    ASSERT_TRUE(m.apply(*t));
    EXPECT_EQ(t->style(1)->lineweight, 28);
    EXPECT_EQ(t->style(2)->lineweight, -3);
    EXPECT_EQ(t->style(3)->lineweight, 2);
    EXPECT_EQ(t->lineweights[1], 0.001);
}

TEST(LineweightModel, AValueThatIsNoNumberSortsLast) {
    auto t = sample("ezdxf-stbtest.stb");
    t->lineweights[4] = std::nan("");
    t->style(1)->lineweight = 5;
    LineweightModel m(*t);
    m.setInches(true);
    ASSERT_TRUE(m.apply(*t));
    EXPECT_TRUE(std::isnan(t->lineweights[26]));
    EXPECT_EQ(t->style(1)->lineweight, 27);
    for (int i = 1; i < 26; ++i) EXPECT_LE(t->lineweights[i - 1], t->lineweights[i]);
}

}  // namespace
