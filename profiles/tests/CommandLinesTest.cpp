// Command lines for the registry editor and the two host kinds.
#include "profiles/CommandLines.h"

#include <gtest/gtest.h>

using namespace profiles;

namespace {

TEST(EditorCommandLineTest, ExportNamesTheProfileKeyBelowTheHive) {
    EXPECT_EQ(exportParameters("C:\\t\\a.arg", "Software\\X\\Profiles", "My Profile"),
              " /s /e \"C:\\t\\a.arg\" \"HKEY_CURRENT_USER\\Software\\X\\Profiles\\My Profile\"");
}

TEST(EditorCommandLineTest, ImportIsTheDocumentedSilentImportWithoutAnISwitch) {
    EXPECT_EQ(importParameters("C:\\t\\prf1.tmp"), " /s \"C:\\t\\prf1.tmp\"");
}

TEST(HostKindTest, TessalineWinsOverAutocadInAnyLetterCase) {
    EXPECT_EQ(hostKind("Software\\TessaLine\\Kivra\\Profiles"), HostKind::Kivra);
    EXPECT_EQ(hostKind("Software\\Autodesk\\AutoCAD\\R16.2\\Profiles"), HostKind::AutoCad);
    EXPECT_EQ(hostKind("Software\\autocad\\TESSALINE\\Profiles"), HostKind::Kivra);
    EXPECT_EQ(hostKind("Software\\Oremund\\Kivra 2013\\ENU\\Profiles"), HostKind::None);
    EXPECT_EQ(hostKind(""), HostKind::None);
}

TEST(HostCommandLineTest, ParameterTextsAndErrorPrefixesOfEachKind) {
    EXPECT_EQ(hostProgram(HostKind::Kivra), "Kivra.exe");
    EXPECT_EQ(hostParameters(HostKind::Kivra, "My Work"), " /P\"My Work\"");
    EXPECT_EQ(hostErrorPrefix(HostKind::Kivra), "Kivra.exe :  ");
    EXPECT_EQ(hostProgram(HostKind::AutoCad), "acad.exe");
    EXPECT_EQ(hostParameters(HostKind::AutoCad, "My Work"), " /p \"My Work\"");
    EXPECT_EQ(hostErrorPrefix(HostKind::AutoCad), "acad.exe :  ");
    EXPECT_EQ(hostProgram(HostKind::None), "");
    EXPECT_EQ(hostParameters(HostKind::None, "x"), "");
}

}  // namespace
