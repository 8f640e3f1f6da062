// The text rules of root paths, without the registry.
#include "profiles/RootPath.h"

#include <gtest/gtest.h>

using namespace profiles;

namespace {

const std::string kPrefix = "Software\\";
const std::string kSuffix = "\\Profiles";

TEST(CompleteRootTest, CleansTheEndsInTheOrderBlanksThenBackslashes) {
    EXPECT_EQ(completeRoot(" /Oremund/Kivra 2013/ENU/ ", kPrefix, kSuffix),
              "Software\\Oremund\\Kivra 2013\\ENU\\Profiles");
    // A blank inside the backslashes at an end stays: each end is cleaned in one order.
    EXPECT_EQ(completeRoot("A \\", kPrefix, kSuffix), "Software\\A \\Profiles");
    EXPECT_EQ(completeRoot("\\ A", kPrefix, kSuffix), "Software\\ A\\Profiles");
}

TEST(CompleteRootTest, AddsOnlyTheMissingParts) {
    EXPECT_EQ(completeRoot("software\\X\\PROFILES", kPrefix, kSuffix), "software\\X\\PROFILES");
    EXPECT_EQ(completeRoot("Software\\X", kPrefix, kSuffix), "Software\\X\\Profiles");
    EXPECT_EQ(completeRoot("X\\Profiles", kPrefix, kSuffix), "Software\\X\\Profiles");
    // Shorter than the prefix: the prefix goes in front.
    EXPECT_EQ(completeRoot("Soft", kPrefix, kSuffix), "Software\\Soft\\Profiles");
    EXPECT_EQ(completeRoot("X", "", ""), "X");
}

TEST(ShortenRootTest, RemovesThePartsByLengthAndKeepsTheMiddleAsWritten) {
    EXPECT_EQ(shortenRoot("SOFTWARE\\Oremund\\kivra\\PROFILES", kPrefix, kSuffix),
              "Oremund\\kivra");
    EXPECT_EQ(shortenRoot("Software\\Profiles", kPrefix, kSuffix), "")
        << "overlapping parts leave nothing";
    EXPECT_EQ(shortenRoot("abc", kPrefix, kSuffix), "");
}

TEST(ProfileNameTest, OneKeyNameOnly) {
    EXPECT_TRUE(isProfileName("Work 2"));
    EXPECT_FALSE(isProfileName(""));
    EXPECT_FALSE(isProfileName("a\\b"));
    EXPECT_FALSE(isProfileName("\\"));
}

TEST(EqualsNoCaseAsciiTest, ComparesWholeTextsIgnoringAsciiCase) {
    EXPECT_TRUE(equalsNoCaseAscii("Profiles", "pROFILES"));
    EXPECT_FALSE(equalsNoCaseAscii("Profile", "Profiles"));
}

}  // namespace
