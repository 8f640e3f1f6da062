// Help under Wine: the help path from the profile's "Help" value, from "InstallDir" and
// from the library's own folder; the missing-file message; VexoRes.dll missing; topic 115
// opening in HTML Help.
#include "Help.h"
#include "HelpRules.h"
#include "ModuleSetup.h"
#include "ScratchRegistry.h"

#include "dialogs/MessageBox.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Box {
    std::string text, title;
    UINT type;
};
std::vector<Box> g_boxes;
int recordBox(HWND, const std::string& text, const std::string&, UINT type) {
    g_boxes.push_back({text, "", type});
    return IDOK;
}

class HelpTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_boxes.clear();
        dlg::setMessageBoxHook(recordBox);
    }
    void TearDown() override { dlg::setMessageBoxHook(nullptr); }

    static std::string profilesKey() { return std::string(quellon::kProductKey) + "ENU\\Profiles"; }
    static std::string installKey() { return std::string(quellon::kProductKey) + "2013"; }
    static void putChm(const std::string& dir) {
        ASSERT_TRUE(CopyFileA((windowsPath(KIVRA_HELP_DIR) + "\\Kivra.chm").c_str(),
                              (dir + "Kivra.chm").c_str(), FALSE));
    }
    quellon::HelpService service(const std::string& libraryDir = "C:\\nowhere\\") {
        return quellon::HelpService({"VexoRes.dll", libraryDir});
    }

    ScratchRegistry registry;
    ScratchFolder folder;
};

TEST_F(HelpTest, TheCurrentProfilesHelpValueWins) {
    const std::string dir = folder.makeDirs("manuals\\");
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey(), nullptr, "Work");
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey() + "\\Work\\Config", "Help",
                               dir.substr(0, dir.size() - 1));
    ScratchRegistry::setString(HKEY_LOCAL_MACHINE, installKey(), "InstallDir", "C:\\elsewhere");
    std::string path;
    ASSERT_TRUE(service().locateHelpFile(path));
    EXPECT_EQ(path, dir + "Kivra.chm");
}

TEST_F(HelpTest, WithoutACurrentProfileTheDefaultProfileIsAsked) {
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey() + "\\Default\\Config", "Help",
                               "D:\\help");
    std::string path;
    ASSERT_TRUE(service().locateHelpFile(path));
    EXPECT_EQ(path, "D:\\help\\Kivra.chm");
}

TEST_F(HelpTest, InstallDirGetsTheHelpFolder) {
    const std::string install = folder.path().substr(0, folder.path().size() - 1);
    folder.makeDirs("Help\\");
    ScratchRegistry::setString(HKEY_LOCAL_MACHINE, installKey(), "InstallDir", install);
    std::string path;
    ASSERT_TRUE(service().locateHelpFile(path));
    EXPECT_EQ(path, install + "\\Help\\Kivra.chm");
}

TEST_F(HelpTest, InstallDirWithoutAHelpFolderIsUsedItself) {
    const std::string install = folder.path().substr(0, folder.path().size() - 1);
    ScratchRegistry::setString(HKEY_LOCAL_MACHINE, installKey(), "InstallDir", install);
    std::string path;
    ASSERT_TRUE(service().locateHelpFile(path));
    EXPECT_EQ(path, install + "\\Kivra.chm");
}

// A Config key without "Help" and no help folder anywhere: the file beside the library,
// not "\\Kivra.chm" at the root of the current drive.
TEST_F(HelpTest, AConfigKeyWithoutHelpFallsBackToTheLibrarysFolder) {
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey(), nullptr, "Work");
    ScratchRegistry::createKey(HKEY_CURRENT_USER, profilesKey() + "\\Work\\Config");
    putChm(folder.path());
    std::string path;
    ASSERT_TRUE(service(folder.path()).locateHelpFile(path));
    EXPECT_EQ(path, folder.path() + "Kivra.chm");
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HelpTest, ABadInstallDirValueCountsAsMissing) {
    // Not a string type: the value is refused and the library's folder is used instead.
    ScratchRegistry::setString(HKEY_LOCAL_MACHINE, installKey(), "InstallDir", "C:\\x", REG_BINARY);
    folder.makeDirs("Dist\\Help\\");
    std::string path;
    ASSERT_TRUE(service(folder.path() + "Source\\bin\\").locateHelpFile(path));
    EXPECT_EQ(path, quellon::upperCase(folder.path()) + "Dist\\Help\\Kivra.chm");
}

TEST_F(HelpTest, TheLibrarysSourceFolderLeadsToTheHelpFolder) {
    const std::string helpDir = folder.makeDirs("Dist\\Help\\");
    putChm(helpDir);
    quellon::HelpService help = service(folder.path() + "source\\editor\\bin\\");
    std::string path;
    ASSERT_TRUE(help.locateHelpFile(path));
    EXPECT_EQ(path, quellon::upperCase(folder.path()) + "Dist\\Help\\Kivra.chm");
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(HelpTest, ThePathIsWorkedOutOnce) {
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey() + "\\Default\\Config", "Help",
                               "D:\\first");
    quellon::HelpService help = service();
    std::string path;
    ASSERT_TRUE(help.locateHelpFile(path));
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey() + "\\Default\\Config", "Help",
                               "D:\\second");
    ASSERT_TRUE(help.locateHelpFile(path));
    EXPECT_EQ(path, "D:\\first\\Kivra.chm");
}

TEST_F(HelpTest, AMissingHelpFileShowsTheMessageAndOpensNothing) {
    const std::string dir = folder.makeDirs("empty\\");
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey() + "\\Default\\Config", "Help",
                               dir.substr(0, dir.size() - 1));
    EXPECT_EQ(service().showHelpTopic(115), nullptr);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, "The help file " + dir + "Kivra.chm could not be found.");
    EXPECT_EQ(g_boxes[0].type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
}

TEST_F(HelpTest, WithoutVexoResThereIsAMessageAndNoHelpButTheProcessGoesOn) {
    quellon::HelpService help({"NoSuchVexoRes.dll", "C:\\"});
    std::string path = "unchanged";
    EXPECT_FALSE(help.locateHelpFile(path));
    EXPECT_EQ(path, "unchanged");
    EXPECT_EQ(help.showHelpTopic(115), nullptr);
    ASSERT_EQ(g_boxes.size(), 2u);  // asked again, told again
    EXPECT_EQ(g_boxes[0].text, "Can't load VexoRes.dll");
    EXPECT_EQ(g_boxes[0].type & MB_ICONMASK, UINT(MB_ICONSTOP));
}

TEST_F(HelpTest, Topic115OpensInHtmlHelp) {
    ScratchRegistry::setString(HKEY_CURRENT_USER, profilesKey() + "\\Default\\Config", "Help",
                               windowsPath(KIVRA_HELP_DIR));
    HWND window = service().showHelpTopic(115);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindow(window));
    char title[128] = {};
    GetWindowTextA(window, title, sizeof(title));
    EXPECT_STREQ(title, "Kivra Help");
    EXPECT_TRUE(g_boxes.empty());
    DestroyWindow(window);
}

}  // namespace
