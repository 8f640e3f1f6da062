// Names of new table files: the typed text split as the C runtime splits paths, refused with
// a folder part or a character no file name holds, and given the extension of the type.
#include "WizardNames.h"

#include <gtest/gtest.h>

namespace {

using quellon::checkTableName;
using quellon::TableName;

std::string completed(const std::string& typed, bool colorDependent) {
    const TableName name = checkTableName(typed, colorDependent);
    return name.result == TableName::Ok ? name.fileName : "<refused>";
}

TEST(WizardNames, TheTypesExtensionReplacesATableExtensionAndFollowsAnyOther) {
    EXPECT_EQ(completed("plot.ctb", false), "plot.stb");
    EXPECT_EQ(completed("plot.ctb", true), "plot.ctb");
    EXPECT_EQ(completed("PLOT.STB", true), "PLOT.ctb");
    EXPECT_EQ(completed("a.b", true), "a.b.ctb");
    EXPECT_EQ(completed("plot", false), "plot.stb");
    EXPECT_EQ(completed("  my plot  ", true), "my plot.ctb");
    EXPECT_EQ(completed("a.b.stb", true), "a.b.ctb");  // only the last extension
    EXPECT_EQ(completed("plot.", true), "plot..ctb");
}

TEST(WizardNames, AFolderADriveAnEmptyNameOrAForbiddenCharacterIsRefused) {
    for (const char* typed : {"sub\\plot", "sub/plot", "C:plot", "C:\\plot.ctb", ".ctb",
                              "\\plot", "a\"b", "a*b", "a<b", "a>b", "a?b", "a|b"}) {
        const TableName name = checkTableName(typed, true);
        EXPECT_EQ(name.result, TableName::Invalid) << typed;
        EXPECT_TRUE(name.fileName.empty()) << typed;
    }
    // A forbidden character in the extension would give a name no file can have.
    EXPECT_EQ(checkTableName("plot.c?b", true).result, TableName::Invalid);
    EXPECT_EQ(checkTableName("plot.c|b", false).result, TableName::Invalid);
    EXPECT_EQ(checkTableName(" sub\\plot ", true).trimmed, "sub\\plot");
}

TEST(WizardNames, BlankTextIsEmptyNotRefused) {
    for (const char* typed : {"", "   ", "\t\r\n"})
        EXPECT_EQ(checkTableName(typed, true).result, TableName::Empty) << typed;
}

TEST(WizardNames, PathsSplitAsTheRuntimeSplitsThem) {
    const quellon::PathParts p = quellon::splitPath("C:\\dir\\sub/name.part.ext");
    EXPECT_EQ(p.drive, "C:");
    EXPECT_EQ(p.directory, "\\dir\\sub/");
    EXPECT_EQ(p.name, "name.part");
    EXPECT_EQ(p.extension, ".ext");
    const quellon::PathParts bare = quellon::splitPath("name");
    EXPECT_EQ(bare.drive + bare.directory + bare.extension, "");
    EXPECT_EQ(bare.name, "name");
    // A dot in a folder name is no extension.
    EXPECT_EQ(quellon::splitPath("dir.d\\name").extension, "");
}

TEST(WizardNames, TheFolderEndsWithOneSeparator) {
    EXPECT_EQ(quellon::wizardDirectory(""), "");
    EXPECT_EQ(quellon::wizardDirectory("C:\\Tables"), "C:\\Tables\\");
    EXPECT_EQ(quellon::wizardDirectory("C:\\Tables\\"), "C:\\Tables\\");
    EXPECT_EQ(quellon::wizardDirectory("plot/tables/"), "plot/tables/");
}

TEST(WizardNames, PathsCompareWithoutCaseAndWithEitherSlash) {
    EXPECT_TRUE(quellon::samePath("C:\\Tables\\Plot.ctb", "c:/tables/PLOT.CTB"));
    EXPECT_FALSE(quellon::samePath("C:\\Tables\\Plot.ctb", "C:\\Tables\\Plot.stb"));
    EXPECT_FALSE(quellon::samePath("C:\\Tables\\Plot.ctb", "C:\\Tables\\Plot.ctb2"));
}

}  // namespace
