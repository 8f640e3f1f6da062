// The general page's rules: the facts it shows for each kind of table, and taking the typed
// description, apply check and scale factor (bounds 0.01 and 10 included).
#include "GeneralPageModel.h"

#include "FakeStrings.h"

#include <gtest/gtest.h>

namespace {

using namespace quellon;

std::string sample(const char* name) {
    return std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name;
}

EditorSession open(const char* name) {
    const std::string path = sample(name);
    return EditorSession(TablePtr(CPlotStyleTable::read(path.c_str())), path);
}

TEST(GeneralFacts, FileNameLocationVersionCountAndKind) {
    testing_support::FakeStrings strings;
    EditorSession ctb = open("ezdxf-ctbtest.ctb");
    GeneralFacts f = generalFacts(ctb.table(), "C:\\Tables\\ctbtest.ctb", strings);
    EXPECT_EQ(f.fileName, "ctbtest.ctb");
    EXPECT_EQ(f.fileNameText, "File name:\r\nctbtest.ctb");
    EXPECT_EQ(f.factsText,
              "Location: C:\\Tables\\ctbtest.ctb\r\n\r\nVersion: 1.0\r\n\r\nPlot styles: 255"
              "\r\n\r\n#1058");
    EditorSession ttb = open("apm-ttb-with-aci-table.stb");
    EXPECT_EQ(tableKindString(ttb.table()), unsigned(IDS_NAMED_TABLE_MAPPED));
    EditorSession stb = open("ezdxf-stbtest.stb");
    EXPECT_EQ(tableKindString(stb.table()), unsigned(IDS_NAMED_TABLE));
    f = generalFacts(stb.table(), "D:/x/stbtest.stb", strings);
    EXPECT_NE(f.factsText.find("Plot styles: 3\r\n\r\n#1056"), std::string::npos);
}

TEST(TakeGeneralInput, ScaleFactorBoundsAreIncluded) {
    testing_support::FakeStrings strings;
    EditorSession s = open("ezdxf-ctbtest.ctb");  // scale 2, applied
    ASSERT_EQ(scaleFactorText(s.table().scaleFactor), "2");
    for (const char* good : {"0.01", "10", " 5.5 "}) {
        const TakeResult r = takeGeneralInput({s.table().description, true, good}, s, strings);
        EXPECT_TRUE(r.ok) << good;
    }
    EXPECT_DOUBLE_EQ(s.table().scaleFactor, 5.5);
    EXPECT_TRUE(s.modified());
    for (const char* bad : {"0.0099", "10.01", "0", "-1"}) {
        const TakeResult r = takeGeneralInput({s.table().description, true, bad}, s, strings);
        EXPECT_FALSE(r.ok) << bad;
        EXPECT_EQ(r.message, "Enter a number between 0.01 and 10.") << bad;
    }
    const TakeResult notANumber = takeGeneralInput({"", true, "1,5"}, s, strings);
    EXPECT_FALSE(notANumber.ok);
    EXPECT_EQ(notANumber.message, "Enter a number.");
    // A refused exchange stores nothing, the description included.
    EXPECT_DOUBLE_EQ(s.table().scaleFactor, 5.5);
    EXPECT_EQ(s.table().description, "Comment");
}

TEST(TakeGeneralInput, OnlyRealChangesSetTheModifiedFlag) {
    testing_support::FakeStrings strings;
    EditorSession s = open("ezdxf-ctbtest.ctb");
    EXPECT_TRUE(takeGeneralInput({"Comment", true, "2"}, s, strings).ok);
    EXPECT_FALSE(s.modified());
    // The apply flag follows the check; its click set the modified flag already.
    EXPECT_TRUE(takeGeneralInput({"Comment", false, "2"}, s, strings).ok);
    EXPECT_FALSE(s.table().applyFactor);
    EXPECT_FALSE(s.modified());
    EXPECT_TRUE(takeGeneralInput({"New words", false, "2"}, s, strings).ok);
    EXPECT_EQ(s.table().description, "New words");
    EXPECT_TRUE(s.modified());
}

TEST(TakeGeneralInput, AnUntouchedScaleOutsideTheRangeDoesNotLockTheTable) {
    testing_support::FakeStrings strings;
    EditorSession s = open("ezdxf-color.ctb");
    s.table().scaleFactor = 25;  // as read from a file written elsewhere
    EXPECT_TRUE(takeGeneralInput({s.table().description, false, "25"}, s, strings).ok);
    EXPECT_DOUBLE_EQ(s.table().scaleFactor, 25);
    EXPECT_FALSE(takeGeneralInput({s.table().description, false, "24"}, s, strings).ok);
}

}  // namespace
