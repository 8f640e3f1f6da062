// Names the name dialog accepts, the name proposed for an imported file, and resource texts
// filled without printf.
#include "NameRules.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace profiles;

namespace {

TEST(ProfileNameRuleTest, EachOfTheTwentySevenCharactersIsRefusedAnywhere) {
    ASSERT_EQ(std::strlen(kForbiddenNameCharacters), 27u);
    for (const char* c = kForbiddenNameCharacters; *c; ++c) {
        EXPECT_EQ(checkProfileName(std::string("a") + *c + "b"), NameCheck::Forbidden) << *c;
        EXPECT_EQ(checkProfileName(std::string(1, *c)), NameCheck::Forbidden) << *c;
    }
    EXPECT_EQ(checkProfileName("a.b"), NameCheck::Forbidden);
    EXPECT_EQ(checkProfileName("x/y"), NameCheck::Forbidden);
}

TEST(ProfileNameRuleTest, EmptyIsItsOwnCaseAndEverythingElsePassesUntrimmed) {
    EXPECT_EQ(checkProfileName(""), NameCheck::Empty);
    EXPECT_EQ(checkProfileName(" "), NameCheck::Ok);
    EXPECT_EQ(checkProfileName("My Work - 2_3 "), NameCheck::Ok);
    EXPECT_EQ(checkProfileName("\xC4rger \xE9t\xE9"), NameCheck::Ok) << "letters above 127";
    EXPECT_EQ(checkProfileName("#<>"), NameCheck::Ok) << "not in the list";
}

bool shiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }

TEST(ProfileNameRuleTest, TheSecondByteOfATwoByteCharacterIsNotAForbiddenCharacter) {
    const std::string so = "\x83\x5C";  // a katakana whose second byte is a backslash
    EXPECT_EQ(checkProfileName(so + "1", shiftJisLead), NameCheck::Ok);
    EXPECT_EQ(checkProfileName(so + "1"), NameCheck::Forbidden) << "read as single bytes";
    EXPECT_EQ(checkProfileName(so + "\\", shiftJisLead), NameCheck::Forbidden);
    EXPECT_EQ(checkProfileName("\x83", shiftJisLead), NameCheck::Ok) << "a lone lead byte";
}

TEST(FileTitleTest, NameWithoutFolderAndExtension) {
    EXPECT_EQ(fileTitle("C:\\Profiles\\Work.arg"), "Work");
    EXPECT_EQ(fileTitle("Z:/data/my.work.arg"), "my.work");
    EXPECT_EQ(fileTitle("C:Work"), "Work");
    EXPECT_EQ(fileTitle("C:\\dir.d\\Work"), "Work");
}

TEST(FillStringsTest, StringPlaceholdersInTurnAndEverythingElseAsText) {
    EXPECT_EQ(fillStrings("Files (*.%s)|*.%s||", {"arg", "arg"}), "Files (*.arg)|*.arg||");
    EXPECT_EQ(fillStrings("%s is 100%% %d %n", {"x"}), "x is 100% %d %n");
    EXPECT_EQ(fillStrings("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(fillStrings("%s", {"%s%s"}), "%s%s") << "arguments are not read again";
    EXPECT_EQ(fillStrings("ends with %", {}), "ends with %");
}

}  // namespace
