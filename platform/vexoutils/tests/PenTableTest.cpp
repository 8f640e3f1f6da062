// Tables from pen settings and from PCP files.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "RawText.h"
#include "TestFiles.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

using Table = std::unique_ptr<CPlotStyleTable>;

void writeText(const testfiles::Scratch& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
}

TEST(PenSettingsDefaults, AreUnsetPens) {
    PenSettings p;
    EXPECT_EQ(p.pen, -1);
    EXPECT_EQ(p.linetype, -1);
    EXPECT_EQ(p.speed, 0);
    EXPECT_EQ(p.width, 0.0);
}

TEST(FromPens, ColourTableTakesPenLinetypeAndWidth) {
    PenSettings pens[256];
    pens[1] = {3, 2, 10, 0.25};
    pens[2] = {40, 99, 0, 0.0};  // no such pen, no such linetype
    pens[5] = {1, -1, 0, 0.01};  // inches: 0.254 mm, nearest 0.25
    bool warn = false;
    Table t(CPlotStyleTable::createPlotStyleTable(true, false, pens, warn, "from pens"));
    ASSERT_TRUE(t);
    EXPECT_EQ(t->description, "from pens");
    EXPECT_EQ(t->style(0)->penNumber, 3);
    EXPECT_EQ(t->style(0)->linetype, 2);
    EXPECT_EQ(t->style(0)->lineweight, 9) << "0.25 mm is entry 9";
    EXPECT_EQ(t->style(1)->penNumber, 0);
    EXPECT_EQ(t->style(1)->linetype, 31);
    EXPECT_TRUE(warn);
    EXPECT_EQ(t->style(2)->penNumber, 0) << "colours without pens keep the defaults";

    bool warnInches = false;
    PenSettings exact[256];
    exact[5] = {1, -1, 0, 0.01};
    Table inches(CPlotStyleTable::createPlotStyleTable(true, true, exact, warnInches, nullptr));
    ASSERT_TRUE(inches);
    EXPECT_EQ(inches->style(4)->lineweight, 9);
    EXPECT_TRUE(warnInches) << "0.254 mm is not in the list: approximated";

    bool unused = false;
    EXPECT_EQ(CPlotStyleTable::createPlotStyleTable(true, false, nullptr, unused, nullptr),
              nullptr);
}

TEST(FromPens, NamedTableHasAStylePerPenAndMapsColoursToThem) {
    PenSettings pens[256];
    for (int k = 1; k <= 255; ++k) pens[k] = {k % 2 ? 1 : 2, -1, 0, 0.0};
    pens[7] = {1, 3, 0, 0.0};  // pen 1 with another linetype
    bool warn = false;
    Table t(CPlotStyleTable::createPlotStyleTable(false, false, pens, warn, nullptr));
    ASSERT_TRUE(t);
    EXPECT_FALSE(warn);
    ASSERT_EQ(t->size(), 4);
    EXPECT_EQ(t->style(0)->name, "Normal");
    EXPECT_TRUE(t->colorMapping);
    EXPECT_EQ(t->colorMap()[0], "Pen_1");
    EXPECT_EQ(t->colorMap()[1], "Pen_2");
    EXPECT_EQ(t->colorMap()[6], "Pen_1_2");
    EXPECT_EQ(t->style(t->findLocName("Pen_1_2"))->linetype, 3);
    const auto bytes = t->toBytes();
    EXPECT_EQ(std::string(bytes.begin() + 19, bytes.begin() + 26), "TTBVER1");
}

TEST(Pcp, TheAcceptedGrammarMakesATable) {
    testfiles::Scratch path("pens.pcp");
    writeText(path,
              "; written by hand\r\nVERSION=1.0\r\nUNITS=M\r\nORIGIN=0,0\r\n"
              "COLOR=1\r\n PEN=4\r\n LINETYPE=0\r\n SPEED=36\r\n WIDTH=0.35\r\nEND\r\n"
              "color=2\npen_number=6\nhw_linetype=1\npen_width=0.5\nend\n");
    bool warn = false;
    Table t(CPlotStyleTable::importPCP(path.c_str(), true, warn, "imported"));
    ASSERT_TRUE(t);
    EXPECT_FALSE(warn);
    EXPECT_EQ(t->style(0)->penNumber, 4);
    EXPECT_EQ(t->style(0)->linetype, 0);
    EXPECT_DOUBLE_EQ(t->lineweights[t->style(0)->lineweight - 1], 0.35);
    EXPECT_EQ(t->style(1)->penNumber, 6);
    EXPECT_DOUBLE_EQ(t->lineweights[t->style(1)->lineweight - 1], 0.5);
}

TEST(Pcp, AnythingElseIsANullTable) {
    const char* bad[] = {
        "",                                // no pens
        "; only comments\nUNITS=M\n",      // no pens
        "COLOR=1\nPEN=2\n",                // block not closed
        "COLOR=0\nEND\n",                  // no colour 0
        "COLOR=1\nEND\nCOLOR=1\nEND\n",    // twice
        "COLOR=1\nCOLOUR_DEPTH=2\nEND\n",  // unknown pen key
        "COLOR=1\nWIDTH=thin\nEND\n",
        "UNITS=Q\nCOLOR=1\nEND\n",
        "just text\n",
    };
    for (const char* text : bad) {
        testfiles::Scratch path("bad.pcp");
        writeText(path, text);
        bool warn = false;
        EXPECT_EQ(CPlotStyleTable::importPCP(path.c_str(), true, warn, nullptr), nullptr) << text;
    }
    bool warn = false;
    EXPECT_EQ(CPlotStyleTable::importPCP(testfiles::sample("ezdxf-color.ctb").c_str(), true, warn,
                                         nullptr),
              nullptr)
        << "a table file is not a PCP file";
    EXPECT_EQ(CPlotStyleTable::importPCP("no-such.pcp", true, warn, nullptr), nullptr);
}

}  // namespace
