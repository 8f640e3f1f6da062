// Where the help file is looked for, by the rules of the help set-up.
#include "HelpRules.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

using quellon::HelpFacts;

struct Disk {
    explicit Disk(std::set<std::string> files = {}) : present(std::move(files)) {}
    std::set<std::string> present;
    mutable std::set<std::string> asked;
    bool operator()(const std::string& p) const {
        asked.insert(p);
        return present.count(p) != 0;
    }
};

HelpFacts facts() {
    HelpFacts f;
    f.sourceReplacement = "Dist\\";
    f.helpSubdirectory = "Help";
    return f;
}

TEST(HelpDirectory, TheProfilesHelpValueWinsOverEveryOtherRule) {
    HelpFacts f = facts();
    f.hasHelpValue = true;
    f.helpValue = "D:\\Manuals";
    f.configKeyExists = true;
    f.installDirFromRegistry = true;
    f.installDir = "C:\\Kivra";
    Disk disk{{"C:\\Kivra\\Help"}};
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(disk)), "D:\\Manuals");
    EXPECT_TRUE(disk.asked.empty()) << "the Help value is taken as it stands";
    EXPECT_EQ(quellon::helpPath("D:\\Manuals"), "D:\\Manuals\\Kivra.chm");
}

TEST(HelpDirectory, InstallDirFromTheRegistryGetsTheHelpFolder) {
    HelpFacts f = facts();
    f.installDirFromRegistry = true;
    f.installDir = "C:\\Program Files\\Kivra";
    Disk disk{{"C:\\Program Files\\Kivra\\Help"}};
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(disk)), "C:\\Program Files\\Kivra\\Help");
}

TEST(HelpDirectory, WithoutInstallDirTheLibrarysSourceFolderIsReplaced) {
    HelpFacts f = facts();
    f.installDir = "c:\\work\\kivra\\Source\\bin\\";  // the library's own folder
    Disk disk{{"C:\\WORK\\KIVRA\\Dist\\Help"}};
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(disk)), "C:\\WORK\\KIVRA\\Dist\\Help");
}

TEST(HelpDirectory, ALibraryFolderWithoutSourceLeavesOnlyTheHelpFolderName) {
    HelpFacts f = facts();
    f.installDir = "C:\\Kivra\\";
    Disk disk{{"Help"}};
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(disk)), "Help");
}

TEST(HelpDirectory, AMissingFolderFallsBackToTheLastRegistryText) {
    HelpFacts f = facts();
    f.installDirFromRegistry = true;
    f.installDir = "C:\\Kivra";
    f.configKeyExists = false;
    f.lastRegistryText = "C:\\Kivra";  // the InstallDir text, still in the value buffer
    Disk none;
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(none)), "C:\\Kivra");
    EXPECT_EQ(none.asked, (std::set<std::string>{"C:\\Kivra\\Help"}));

    f.configKeyExists = true;  // the Config key was read without a Help value
    f.lastRegistryText = "";
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(none)), "C:\\Kivra");
}

// Not "\Kivra.chm" at the root of the current drive: the file beside the library.
TEST(HelpDirectory, WithNothingLeftTheLibrarysFolderIsUsed) {
    HelpFacts f = facts();
    f.configKeyExists = true;
    f.installDir = "C:\\Program Files\\Kivra\\";  // the library's own folder
    Disk none;
    EXPECT_EQ(quellon::helpDirectory(f, std::cref(none)), "C:\\Program Files\\Kivra");
    EXPECT_EQ(quellon::helpPath(quellon::helpDirectory(f, std::cref(none))),
              "C:\\Program Files\\Kivra\\Kivra.chm");
}

TEST(UpperCase, OnlyAsciiLetters) {
    EXPECT_EQ(quellon::upperCase("c:\\Source-1\\\xe9"), "C:\\SOURCE-1\\\xe9");
}

}  // namespace
