// The public sample tables: each reads, keeps its values through a save, and the saved
// text matches the original record for record in a reader of its own (RawText), apart from
// the colour words, which CAD programs normalise on save as well.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>

#include "RawText.h"
#include "TestFiles.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

using Table = std::unique_ptr<CPlotStyleTable>;

Table load(const std::string& name) {
    std::string reason;
    Table t(CPlotStyleTable::read(testfiles::sample(name).c_str(), reason));
    EXPECT_TRUE(t) << name << ": " << reason;
    return t;
}

Table reload(const CPlotStyleTable& t) {
    const auto bytes = t.toBytes();
    std::string reason;
    Table back(
        CPlotStyleTable::readBytes(bytes.data(), static_cast<unsigned long>(bytes.size()), reason));
    EXPECT_TRUE(back) << reason;
    return back;
}

std::string rgbText(const CPlotStyle& s) {
    const VxColorRef c = s.color2rgb();
    if (c == kVxObjectColor) return "object";
    char b[8];
    std::snprintf(b, sizeof b, "%02X%02X%02X", unsigned(c & 0xFF), unsigned(c >> 8 & 0xFF),
                  unsigned(c >> 16 & 0xFF));
    return b;
}

// Every value the driver shows, as one text.
std::string summary(const CPlotStyleTable& t) {
    std::string s = t.description + "|" + std::to_string(t.scaleFactor) + "|" +
                    std::to_string(t.applyFactor) + "|" + std::to_string(t.lineweightUnits) + "|" +
                    std::to_string(t.colorDependent) + std::to_string(t.colorMapping) + "\n";
    for (double w : t.lineweights) s += std::to_string(w) + " ";
    for (int i = 0; i < t.size(); ++i) {
        const CPlotStyle& p = *t.style(i);
        s += "\n" + p.name + "|" + p.description + "|" + rgbText(p) + "|" +
             std::to_string(p.flags) + "|" + std::to_string(p.penNumber) + "|" +
             std::to_string(p.virtualPenNumber) + "|" + std::to_string(p.screening) + "|" +
             std::to_string(p.linetype) + "|" + std::to_string(p.adaptive) + "|" +
             std::to_string(p.lineweight) + "|" + std::to_string(p.fillStyle) + "|" +
             std::to_string(p.endStyle) + "|" + std::to_string(p.joinStyle);
    }
    return s;
}

class EverySample : public ::testing::TestWithParam<std::string> {};

TEST_P(EverySample, ReadsAndKeepsEveryValueThroughSaves) {
    Table t = load(GetParam());
    ASSERT_TRUE(t);
    Table once = reload(*t);
    ASSERT_TRUE(once);
    EXPECT_EQ(summary(*once), summary(*t));
    EXPECT_EQ(once->toBytes(), t->toBytes()) << "a saved file saves to the same bytes";
}

TEST_P(EverySample, SavedTextMatchesTheOriginalRecordForRecord) {
    Table t = load(GetParam());
    ASSERT_TRUE(t);
    std::string originalText, savedText;
    ASSERT_TRUE(tool::rawText(testfiles::bytesOf(testfiles::sample(GetParam())), originalText));
    ASSERT_TRUE(tool::rawText(t->toBytes(), savedText));
    EXPECT_EQ(savedText.back(), '\0') << "saved text ends with a NUL";
    EXPECT_EQ(savedText.find('\r'), std::string::npos);

    std::map<std::string, std::string> saved;
    for (const auto& r : tool::flatten(savedText)) saved[r.path] = r.value;
    auto endsWith = [](const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    };
    int compared = 0;
    for (const auto& r : tool::flatten(originalText)) {
        if (endsWith(r.path, "/color") || endsWith(r.path, "/mode_color"))
            continue;  // checked by the colour rules below
        auto it = saved.find(r.path);
        ASSERT_NE(it, saved.end()) << r.path << " lost";
        if (GetParam() == "apm-broken-name-crlf.stb" && endsWith(r.path, "name"))
            continue;  // the line break typed into the name is saved as spaces
        EXPECT_EQ(it->second, r.value) << r.path;
        ++compared;
    }
    EXPECT_GT(compared, 20);
    // Every style carries both colour words once saved.
    for (int i = 0; i < t->size(); ++i) {
        const std::string p = "plot_style/" + std::to_string(i) + "/";
        EXPECT_TRUE(saved.count(p + "color") && saved.count(p + "mode_color")) << p;
    }
}

TEST_P(EverySample, SavedRecordsKeepTheOriginalOrder) {
    if (GetParam() == "apm-lineweight-names.stb")
        return;  // tool order; see HostOrderOfTopLevelBlocks
    Table t = load(GetParam());
    ASSERT_TRUE(t);
    std::string originalText, savedText;
    ASSERT_TRUE(tool::rawText(testfiles::bytesOf(testfiles::sample(GetParam())), originalText));
    ASSERT_TRUE(tool::rawText(t->toBytes(), savedText));
    auto paths = [](const std::string& text) {
        std::vector<std::string> out;
        for (const auto& r : tool::flatten(text))
            if (r.path.find("mode_color") == std::string::npos) out.push_back(r.path);
        return out;
    };
    EXPECT_EQ(paths(savedText), paths(originalText));
}

INSTANTIATE_TEST_SUITE_P(Samples, EverySample, ::testing::ValuesIn(testfiles::allSamples()),
                         [](const auto& info) {
                             std::string n = info.param;
                             for (char& c : n)
                                 if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                             return n;
                         });

TEST(DamagedFiles, GiveANullTableWithAReason) {
    auto file = testfiles::bytesOf(testfiles::sample("apm-factory-resaved1.ctb"));
    ASSERT_GT(file.size(), 100u);
    auto refused = [](const std::vector<unsigned char>& bytes) {
        std::string reason;
        Table t(CPlotStyleTable::readBytes(bytes.data(), static_cast<unsigned long>(bytes.size()),
                                           reason));
        return !t && !reason.empty();
    };
    for (std::size_t n : {std::size_t(0), std::size_t(30), std::size_t(59), std::size_t(60),
                          std::size_t(61), file.size() / 2, file.size() - 1})
        EXPECT_TRUE(refused(std::vector<unsigned char>(file.begin(), file.begin() + n))) << n;
    auto badZlib = file;
    badZlib[200] ^= 0xFF;
    EXPECT_TRUE(refused(badZlib));
    auto pc3 = file;
    std::memcpy(pc3.data() + 19, "PC3VER1", 7);
    EXPECT_TRUE(refused(pc3)) << "a plotter configuration in the same container";
    std::vector<unsigned char> random(5000);
    unsigned seed = 12345;
    for (auto& b : random) b = static_cast<unsigned char>((seed = seed * 1103515245 + 12345) >> 16);
    EXPECT_TRUE(refused(random));
}

TEST(SampleValues, FilesSavedByTheHostSaveToTheSameText) {
    // Already in the form CAD programs settle on: nothing to normalise.
    for (const char* name : {"ezdxf-ctbtest.ctb", "mod2-filetype-key.ctb"}) {
        Table t = load(name);
        ASSERT_TRUE(t);
        std::string originalText, savedText;
        ASSERT_TRUE(tool::rawText(testfiles::bytesOf(testfiles::sample(name)), originalText));
        ASSERT_TRUE(tool::rawText(t->toBytes(), savedText));
        EXPECT_TRUE(savedText == originalText) << name;
    }
}

TEST(SampleValues, FullySetColourStyle) {
    Table t = load("ezdxf-ctbtest.ctb");
    ASSERT_TRUE(t);
    EXPECT_TRUE(t->colorDependent);
    EXPECT_EQ(t->size(), 255);
    EXPECT_EQ(t->description, "Comment");
    EXPECT_DOUBLE_EQ(t->scaleFactor, 2.0);
    EXPECT_TRUE(t->applyFactor);
    const CPlotStyle& s = *t->style(0);
    EXPECT_EQ(s.name, "Color_1");
    EXPECT_EQ(rgbText(s), "EB8714") << "mode_color is the colour, color only its nearest index";
    EXPECT_EQ(s.flags, CPlotStyle::kDither | CPlotStyle::kGrayscale);
    EXPECT_EQ(s.penNumber, 11);
    EXPECT_EQ(s.virtualPenNumber, 5);
    EXPECT_EQ(s.screening, 95);
    EXPECT_EQ(s.linetype, 1);
    EXPECT_EQ(s.lineweight, 18);
    EXPECT_DOUBLE_EQ(t->lineweights[s.lineweight - 1], 0.7);
    EXPECT_EQ(s.fillStyle, 64);
    EXPECT_EQ(s.endStyle, 1);
    EXPECT_EQ(s.joinStyle, 2);
    EXPECT_EQ(rgbText(*t->style(1)), "object") << "white with grayscale is the object colour";
    EXPECT_EQ(t->style(1)->flags, CPlotStyle::kDither | CPlotStyle::kGrayscale);
    EXPECT_EQ(rgbText(*t->style(2)), "object");
}

TEST(SampleValues, StockTablesObjectColourAndMonochrome) {
    Table colour = load("ezdxf-color.ctb");
    Table mono = load("ezdxf-monochrome.ctb");
    Table resaved = load("apm-factory-resaved1.ctb");
    ASSERT_TRUE(colour && mono && resaved);
    for (int i = 0; i < 255; ++i) {
        EXPECT_EQ(rgbText(*colour->style(i)), "object") << "color=-1";
        EXPECT_EQ(rgbText(*resaved->style(i)), "object") << "0xC3FFFFFF with mode_color=-1";
        EXPECT_EQ(rgbText(*mono->style(i)), "000000") << "0xFF000000 is black";
        EXPECT_EQ(mono->style(i)->flags, unsigned(CPlotStyle::kDither));
    }
    std::string text;
    ASSERT_TRUE(tool::rawText(mono->toBytes(), text));
    EXPECT_NE(text.find("  color=-1023410176\n  mode_color=-1023410176\n  color_policy=5\n"),
              std::string::npos)
        << "the old 0xFF type byte is saved as 0xC3, with mode_color added";
    ASSERT_TRUE(tool::rawText(colour->toBytes(), text));
    EXPECT_NE(text.find("  color=-1006632961\n  mode_color=-1006632961\n  color_policy=1\n"),
              std::string::npos)
        << "the object colour in its stable form";
}

TEST(SampleValues, NamedTablesFirstStyleIsNormal) {
    for (const char* name : {"apm-factory.stb", "ezdxf-stbtest.stb", "apm-lineweight-names.stb"}) {
        Table t = load(name);
        ASSERT_TRUE(t);
        EXPECT_FALSE(t->colorDependent);
        EXPECT_FALSE(t->colorMapping);
        EXPECT_EQ(t->style(0)->name, "Normal") << name;
    }
    Table stock = load("apm-factory.stb");
    EXPECT_EQ(stock->style(1)->name, "Style 1") << "the shown name is the localized one";
    std::string text;
    ASSERT_TRUE(tool::rawText(stock->toBytes(), text));
    EXPECT_NE(text.find("name=\"Style_1\n  localized_name=\"Style 1\n"), std::string::npos);

    Table ez = load("ezdxf-stbtest.stb");
    EXPECT_EQ(rgbText(*ez->style(1)), "EB8714") << "a non-index RGB stored with 0xC3";
    EXPECT_EQ(ez->style(1)->flags, CPlotStyle::kDither | CPlotStyle::kGrayscale);
    EXPECT_EQ(ez->style(2)->name, "mozman");
    EXPECT_EQ(rgbText(*ez->style(2)), "FF00FF");
    EXPECT_EQ(ez->style(2)->screening, 90);
    EXPECT_EQ(ez->style(2)->fillStyle, 65);
}

TEST(SampleValues, LineweightIndexIsOneBased) {
    Table t = load("apm-lineweight-names.stb");
    ASSERT_TRUE(t);
    int checked = 0;
    for (int i = 0; i < t->size(); ++i) {
        const CPlotStyle& s = *t->style(i);
        const auto at = s.name.find("LnWt");
        if (at == std::string::npos || at + 7 > s.name.size()) continue;
        const double hundredths = std::stod(s.name.substr(at + 4, 3));  // LnWt050 = 0.50 mm
        ASSERT_GE(s.lineweight, 1) << s.name;
        EXPECT_NEAR(t->lineweights[s.lineweight - 1] * 100, hundredths, 1e-6) << s.name;
        ++checked;
    }
    EXPECT_GE(checked, 9) << "every style named after its lineweight";
}

TEST(SampleValues, ColourMappingOfANamedTableAndItsRemoval) {
    Table t = load("apm-ttb-with-aci-table.stb");
    ASSERT_TRUE(t);
    EXPECT_FALSE(t->colorDependent);
    EXPECT_TRUE(t->colorMapping);
    ASSERT_EQ(t->colorMap().size(), 255u);
    EXPECT_EQ(t->colorMap()[254], "Style_1");
    const auto mapped = t->toBytes();
    EXPECT_EQ(std::string(mapped.begin() + 19, mapped.begin() + 26), "TTBVER1");

    t->deleteACI();
    const auto plain = t->toBytes();
    EXPECT_EQ(std::string(plain.begin() + 19, plain.begin() + 26), "STBVER1");
    std::string text;
    ASSERT_TRUE(tool::rawText(plain, text));
    EXPECT_NE(text.find("aci_table_available=FALSE\n"), std::string::npos);
    EXPECT_EQ(text.find("aci_table{"), std::string::npos);
    Table back = reload(*t);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->colorMapping);
    EXPECT_TRUE(back->colorMap().empty());
}

TEST(SampleValues, UnknownKeysAreWrittenBackWhereTheyWere) {
    Table t = load("mod2-filetype-key.ctb");
    ASSERT_TRUE(t);
    std::string text;
    ASSERT_TRUE(tool::rawText(t->toBytes(), text));
    EXPECT_EQ(text.rfind("filetype=\"ctb\ndescription=\"\n", 0), 0u);
    EXPECT_EQ(rgbText(*t->style(0)), "000000");
}

TEST(SampleValues, NameBrokenByALineBreakIsJoined) {
    Table t = load("apm-broken-name-crlf.stb");
    ASSERT_TRUE(t);
    ASSERT_EQ(t->size(), 2);
    EXPECT_EQ(t->style(1)->name, "asdf and some more more again");
}

TEST(SampleValues, HostOrderOfTopLevelBlocks) {
    Table t = load("apm-lineweight-names.stb");  // lineweights came before the styles
    ASSERT_TRUE(t);
    std::string text;
    ASSERT_TRUE(tool::rawText(t->toBytes(), text));
    const auto styles = text.find("\nplot_style{\n"),
               weights = text.find("\ncustom_lineweight_table{\n");
    ASSERT_NE(styles, std::string::npos);
    ASSERT_NE(weights, std::string::npos);
    EXPECT_LT(styles, weights);
    EXPECT_NE(text.find("\n 0=0.0\n"), std::string::npos) << "one space of indentation";
}

}  // namespace
