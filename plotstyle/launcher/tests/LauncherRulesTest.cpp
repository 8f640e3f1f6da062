// The launcher's rules: the road each command line takes, the keys it reads, its folders.
#include "LauncherRules.h"

#include <gtest/gtest.h>

namespace {

using brantle::LaunchAction;

LaunchAction actionOf(const std::vector<std::string>& args) {
    dlg::CommandLineInfo info;
    dlg::parseCommandLine(args, info);
    return brantle::actionFor(info);
}

TEST(LauncherRules, NoArgumentAddsAFileNameEditsAndSwitchesDoNothing) {
    EXPECT_EQ(actionOf({}), LaunchAction::AddTable);
    EXPECT_EQ(actionOf({"C:\\Tables\\plot.ctb"}), LaunchAction::EditFile);
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"/p", "plot.ctb"},
             {"/pt", "plot.ctb", "printer", "driver", "port"},
             {"/dde"},
             {"plot.ctb", "/dde"},
             {"/Embedding"},
             {"-unregserver"},
             {"/whatever"}})
        EXPECT_EQ(actionOf(args), LaunchAction::Nothing) << args[0];
    // A file-open command without a name (a caller's own parser may leave one so).
    dlg::CommandLineInfo nameless;
    nameless.shellCommand = dlg::CommandLineInfo::FileOpen;
    EXPECT_EQ(brantle::actionFor(nameless), LaunchAction::Nothing);
}

TEST(LauncherRules, TheLanguageFollowsTheProductKeyDirectly) {
    EXPECT_EQ(brantle::profilesKeyPath("ENU"), "Software\\Oremund\\Kivra 2013\\ENU\\Profiles");
    const std::string profiles = brantle::profilesKeyPath("DEU");
    EXPECT_EQ(brantle::configKeyPath(profiles, "My Work"),
              "Software\\Oremund\\Kivra 2013\\DEU\\Profiles\\My Work\\Config");
    EXPECT_EQ(brantle::penSettingsKeyPath(profiles),
              "Software\\Oremund\\Kivra 2013\\DEU\\Profiles\\plot");
}

TEST(LauncherRules, PathsStayBelowTheBufferAndFoldersKeepTheirBackslash) {
    EXPECT_TRUE(brantle::fitsPathLimit(std::string(259, 'a')));
    EXPECT_FALSE(brantle::fitsPathLimit(std::string(260, 'a')));
    EXPECT_EQ(brantle::folderOfProgram("C:\\Program Files\\Kivra\\Brantle.exe"),
              "C:\\Program Files\\Kivra\\");
    EXPECT_EQ(brantle::folderOfProgram("Brantle.exe"), "");
}

}  // namespace
