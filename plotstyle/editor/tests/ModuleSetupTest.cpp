// Paths of the module set-up.
#include "ModuleSetup.h"

#include <gtest/gtest.h>

namespace {

TEST(DirectoryOf, DriveAndDirectoryWithTheTrailingBackslash) {
    EXPECT_EQ(quellon::directoryOf("C:\\Program Files\\Kivra\\Kivra.exe"),
              "C:\\Program Files\\Kivra\\");
    EXPECT_EQ(quellon::directoryOf("C:\\Kivra.exe"), "C:\\");
    EXPECT_EQ(quellon::directoryOf("C:Kivra.exe"), "C:");
    EXPECT_EQ(quellon::directoryOf("Kivra.exe"), "");
}

TEST(ResourceLibraryCandidates, TheLanguageFolderThenEnu) {
    const auto c = quellon::resourceLibraryCandidates("C:\\Kivra\\", "DEU");
    ASSERT_EQ(c.size(), 2u);
    EXPECT_EQ(c[0], "C:\\Kivra\\lang\\DEU\\QuellonRes.dll");
    EXPECT_EQ(c[1], "C:\\Kivra\\lang\\Enu\\QuellonRes.dll");
}

}  // namespace
