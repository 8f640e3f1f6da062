// The table operations the editor calls: new tables, adding, finding, renaming and deleting
// styles, colours as callers give them, descriptions, and writing files.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "RawText.h"
#include "TestFiles.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

using Table = std::unique_ptr<CPlotStyleTable>;

Table reload(const CPlotStyleTable& t) {
    const auto bytes = t.toBytes();
    std::string reason;
    Table back(
        CPlotStyleTable::readBytes(bytes.data(), static_cast<unsigned long>(bytes.size()), reason));
    EXPECT_TRUE(back) << reason;
    return back;
}

std::string savedText(const CPlotStyleTable& t) {
    std::string text;
    EXPECT_TRUE(tool::rawText(t.toBytes(), text));
    return text;
}

TEST(NewTables, ColourTableHas255ObjectColourStyles) {
    Table t(CPlotStyleTable::create(true, "mine"));
    ASSERT_TRUE(t);
    ASSERT_EQ(t->size(), 255);
    EXPECT_EQ(t->style(0)->name, "Color_1");
    EXPECT_EQ(t->style(254)->name, "Color_255");
    EXPECT_EQ(t->style(255), nullptr);
    EXPECT_EQ(t->style(-1), nullptr);
    EXPECT_EQ(t->style(7)->color2rgb(), kVxObjectColor);
    EXPECT_DOUBLE_EQ(t->lineweights[26], 2.11);
    Table back = reload(*t);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->description, "mine");
    EXPECT_TRUE(back->colorDependent);
    EXPECT_EQ(back->size(), 255);
}

TEST(NewTables, NamedTableIsNormalAndStyle1) {
    Table t(CPlotStyleTable::create(false, nullptr));
    ASSERT_TRUE(t);
    ASSERT_EQ(t->size(), 2);
    EXPECT_EQ(t->style(0)->name, "Normal");
    EXPECT_EQ(t->style(1)->name, "Style 1");
    EXPECT_FALSE(t->colorMapping);
    EXPECT_NE(savedText(*t).find("name=\"Style_1\n  localized_name=\"Style 1\n"),
              std::string::npos);
}

TEST(StyleList, AddedStyleFollowsItsAnchorAndIsFoundByName) {
    Table t(CPlotStyleTable::create(false, nullptr));
    t->style(1)->penNumber = 7;
    CPlotStyle* added = t->addStyle("Thick", 0, t->style(1));
    ASSERT_TRUE(added);
    EXPECT_EQ(t->findLocName("Thick"), 1) << "inserted after the anchor";
    EXPECT_EQ(t->findLocName("thick"), 1) << "names compare without case";
    EXPECT_EQ(added->penNumber, 7) << "properties come from the template";
    CPlotStyle* last = t->addStyle("Last", -1, nullptr);
    EXPECT_EQ(last, t->style(3)) << "no anchor: at the end";
    EXPECT_EQ(t->addStyle("THICK", 1, nullptr), nullptr) << "a taken name";
    EXPECT_EQ(t->addStyle("", 1, nullptr), nullptr);
    EXPECT_EQ(t->findLocName("Nothing"), -1);

    Table back = reload(*t);
    ASSERT_EQ(back->size(), 4);
    EXPECT_EQ(back->style(1)->name, "Thick");
    EXPECT_EQ(back->style(1)->penNumber, 7);
}

TEST(StyleList, ColourTablesKeepTheirStyles) {
    Table t(CPlotStyleTable::create(true, nullptr));
    EXPECT_EQ(t->addStyle("x", 0, nullptr), nullptr);
    EXPECT_FALSE(t->renameStyle(3, "x"));
    EXPECT_FALSE(t->deleteStyle(3));
    t->deleteACI();
    EXPECT_TRUE(t->colorMapping);
    EXPECT_EQ(t->size(), 255);
}

TEST(StyleList, RenameRefusesTakenNamesAndTheFirstStyle) {
    Table t(CPlotStyleTable::create(false, nullptr));
    t->addStyle("B", -1, nullptr);
    EXPECT_FALSE(t->renameStyle(2, "style 1")) << "taken by another style";
    EXPECT_TRUE(t->renameStyle(1, "STYLE 1")) << "its own name in another case";
    EXPECT_EQ(t->style(1)->name, "STYLE 1");
    EXPECT_FALSE(t->renameStyle(0, "Other"));
    EXPECT_FALSE(t->renameStyle(1, ""));
    EXPECT_FALSE(t->renameStyle(9, "Z"));
    EXPECT_TRUE(t->renameStyle(2, "a\nb"));
    EXPECT_EQ(t->style(2)->name, "a b") << "a line break cannot be saved";
    EXPECT_NE(savedText(*t).find("name=\"STYLE 1\n  localized_name=\"STYLE 1\n"),
              std::string::npos);
}

TEST(StyleList, DeletingAMappedStyleMapsItsColoursToTheFirst) {
    std::string reason;
    Table t(CPlotStyleTable::read(testfiles::sample("apm-ttb-with-aci-table.stb").c_str(), reason));
    ASSERT_TRUE(t) << reason;
    ASSERT_TRUE(t->renameStyle(1, "Renamed"));
    EXPECT_EQ(t->colorMap()[0], "Renamed") << "the mapping follows a rename";
    EXPECT_FALSE(t->deleteStyle(0));
    ASSERT_TRUE(t->deleteStyle(1));
    EXPECT_EQ(t->size(), 1);
    EXPECT_EQ(t->colorMap()[0], "Normal");
    EXPECT_FALSE(t->deleteStyle(1));
}

TEST(StyleColour, CallersGiveRrggbbAndGetColorref) {
    CPlotStyle s;
    EXPECT_EQ(s.color2rgb(), kVxObjectColor);
    EXPECT_TRUE(s.updateColor(0x00EB8714));
    EXPECT_EQ(s.color2rgb(), 0x001487EBu);
    EXPECT_FALSE(s.updateColor(0x00EB8714)) << "unchanged";
    EXPECT_FALSE(s.updateColor(0x00FFFFFF)) << "white would read back as the object colour";
    EXPECT_EQ(s.color2rgb(), 0x001487EBu);
    EXPECT_TRUE(s.updateColor(kVxObjectColor));
    EXPECT_EQ(s.color2rgb(), kVxObjectColor);
}

TEST(StyleColour, SavedWordsForIndexAndTrueColours) {
    Table t(CPlotStyleTable::create(true, nullptr));
    t->style(0)->updateColor(0x00FF7F00);  // index 30
    t->style(1)->updateColor(0x00EB8714);  // no index: nearest is 30
    t->style(2)->updateColor(0x00FF0000);
    t->style(2)->flags = CPlotStyle::kGrayscale;
    const std::string text = savedText(*t);
    EXPECT_NE(text.find(" 0{\n  name=\"Color_1\n  localized_name=\"Color_1\n  description=\"\n"
                        "  color=-1006665984\n  mode_color=-1006665984\n  color_policy=5\n"),
              std::string::npos);
    EXPECT_NE(text.find("  color=-1006665984\n  mode_color=-1024751852\n  color_policy=5\n"),
              std::string::npos);
    EXPECT_NE(text.find("  color=-1006698496\n  mode_color=-1006698496\n  color_policy=2\n"),
              std::string::npos)
        << "grayscale with an explicit colour drops the explicit bit";
    Table back = reload(*t);
    EXPECT_EQ(back->style(1)->color2rgb(), 0x001487EBu);
    EXPECT_EQ(back->style(2)->color2rgb(), 0x000000FFu);
    EXPECT_EQ(back->style(2)->flags, unsigned(CPlotStyle::kGrayscale));
}

TEST(Descriptions, LineBreaksBecomeSpaces) {
    Table t(CPlotStyleTable::create(false, nullptr));
    t->setDesc("one\r\ntwo");
    t->style(1)->setDesc("three\nfour");
    EXPECT_EQ(t->description, "one two");
    Table back = reload(*t);
    EXPECT_EQ(back->description, "one two");
    EXPECT_EQ(back->style(1)->description, "three four");
}

TEST(Files, WriteThenReadAndFailuresReported) {
    testfiles::Scratch path("model.stb");
    Table t(CPlotStyleTable::create(false, "on disk"));
    ASSERT_TRUE(t->write(path.c_str()));
    Table back(CPlotStyleTable::read(path.c_str()));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->description, "on disk");

    EXPECT_FALSE(t->write("no-such-folder/x.stb"));
    EXPECT_FALSE(t->write(""));
    EXPECT_FALSE(t->write(nullptr));
    std::string reason;
    EXPECT_EQ(CPlotStyleTable::read("no-such-file.ctb", reason), nullptr);
    EXPECT_FALSE(reason.empty());
    EXPECT_EQ(CPlotStyleTable::read(nullptr), nullptr);
}

TEST(Files, ValuesThatWouldPointOutsideTheTableAreRefused) {
    const std::string base =
        "description=\"\naci_table_available=FALSE\nscale_factor=1.0\n"
        "apply_factor=FALSE\ncustom_lineweight_display_units=0\n";
    auto tryText = [&](const std::string& styles) {
        std::string file = "PIAFILEVERSION_2.0,STBVER1\n" + base + styles;
        std::string reason;
        Table t(CPlotStyleTable::readBytes(file.data(), static_cast<unsigned long>(file.size()),
                                           reason));
        return t ? std::string("ok") : reason;
    };
    EXPECT_EQ(tryText("plot_style{\n 0{\n  name=\"Normal\n  lineweight=27\n }\n}\n"), "ok");
    EXPECT_NE(tryText("plot_style{\n 0{\n  name=\"Normal\n  lineweight=28\n }\n}\n"), "ok");
    EXPECT_NE(tryText("plot_style{\n 0{\n  name=\"Normal\n  color=red\n }\n}\n"), "ok");
    EXPECT_NE(tryText("plot_style{\n}\n"), "ok") << "a named table needs a style";
    EXPECT_NE(tryText(""), "ok") << "no styles at all";
    EXPECT_NE(tryText("plot_style{\n 0{\n  description=\"\n }\n}\n"), "ok") << "no name";
    EXPECT_NE(tryText("plot_style{\n x{\n  name=\"N\n }\n}\n"), "ok");
    EXPECT_NE(
        tryText("plot_style{\n 0{\n  name=\"N\n }\n}\ncustom_lineweight_table{\n 27=1.0\n}\n"),
        "ok");
}

TEST(Files, OutOfRangeValuesSetByCallersStillGiveAReadableFile) {
    Table t(CPlotStyleTable::create(true, nullptr));
    t->style(3)->lineweight = 40;
    t->lineweights[2] = -1;
    t->scaleFactor = std::numeric_limits<double>::quiet_NaN();
    Table back = reload(*t);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->style(3)->lineweight, 0);
    EXPECT_EQ(back->lineweights[2], 0.0);
    EXPECT_EQ(back->scaleFactor, 1.0);
}

TEST(Files, GrayscaleWithTheExplicitBitReadsAsTheHostShowsIt) {
    const std::string file =
        "PIAFILEVERSION_2.0,STBVER1\nplot_style{\n 0{\n  name=\"Normal\n  color=-1006698496\n"
        "  color_policy=6\n }\n}\n";
    std::string reason;
    Table t(
        CPlotStyleTable::readBytes(file.data(), static_cast<unsigned long>(file.size()), reason));
    ASSERT_TRUE(t) << reason;
    EXPECT_EQ(t->style(0)->color2rgb(), kVxObjectColor);
    EXPECT_EQ(t->style(0)->flags, unsigned(CPlotStyle::kDither));
}

TEST(Files, UnknownKeysInsideStylesAndBlocksAreWrittenBack) {
    const std::string file =
        "PIAFILEVERSION_2.0,STBVER1\ndescription=\"\naci_table_available=FALSE\n"
        "scale_factor=1.0\napply_factor=FALSE\ncustom_lineweight_display_units=0\n"
        "my_block{\n x=1\n}\nplot_style{\n 0{\n  name=\"Normal\n  future_key=7\n  color=-1\n "
        "}\n}\n";
    std::string reason;
    Table t(
        CPlotStyleTable::readBytes(file.data(), static_cast<unsigned long>(file.size()), reason));
    ASSERT_TRUE(t) << reason;
    EXPECT_FALSE(t->readNotes().empty()) << "plain text, no NUL";
    const std::string text = savedText(*t);
    EXPECT_NE(text.find("custom_lineweight_display_units=0\nmy_block{\n x=1\n}\nplot_style{\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  name=\"Normal\n  future_key=7\n  localized_name=\"Normal\n"),
              std::string::npos);
    // And through the style's byte form, as on the clipboard.
    COBinStreamImp out;
    ASSERT_TRUE(t->style(0)->write(out));
    CIBinStreamImp in(out.data(), out.size());
    Table other(CPlotStyleTable::create(false, nullptr));
    ASSERT_TRUE(other->style(1)->read(in));
    EXPECT_NE(savedText(*other).find("  future_key=7\n"), std::string::npos);
}

TEST(Files, AColourTableWithMissingStylesGetsDefaults) {
    const std::string file =
        "PIAFILEVERSION_2.0,CTBVER1\nplot_style{\n 4{\n  name=\"Color_5\n  screen=50\n }\n}\n";
    std::string reason;
    Table t(
        CPlotStyleTable::readBytes(file.data(), static_cast<unsigned long>(file.size()), reason));
    ASSERT_TRUE(t) << reason;
    ASSERT_EQ(t->size(), 255);
    EXPECT_EQ(t->style(4)->screening, 50);
    EXPECT_EQ(t->style(0)->name, "Color_1");
    EXPECT_EQ(t->style(0)->screening, 100);
    const std::string bad = "PIAFILEVERSION_2.0,CTBVER1\nplot_style{\n 255{\n  name=\"C\n }\n}\n";
    EXPECT_EQ(
        CPlotStyleTable::readBytes(bad.data(), static_cast<unsigned long>(bad.size()), reason),
        nullptr)
        << "a colour table has 255 styles";
}

}  // namespace
