// Starting the host with a profile: stand-in "Kivra.exe" and "acad.exe" record the command
// line they receive; without them on the search path the error box names the program.
#include "ScratchRoot.h"
#include "dialogs/App.h"
#include "profiles/HostLaunch.h"
#include "profiles/ProfileStore.h"

#include <gtest/gtest.h>

using namespace testing_support;
using profiles::HostKind;
using profiles::launchHost;

namespace {

using dlg::programFolder;

class HostLaunchTest : public ::testing::Test {
protected:
    void SetUp() override {
        log = temp.path() + "commandline.txt";
        SetEnvironmentVariableA("KIVRA_STANDIN_LOG", log.c_str());
        char path[32768];
        DWORD n = GetEnvironmentVariableA("PATH", path, sizeof(path));
        oldPath = std::string(path, n < sizeof(path) ? n : 0);
    }
    void TearDown() override {
        SetEnvironmentVariableA("PATH", oldPath.c_str());
        SetEnvironmentVariableA("KIVRA_STANDIN_LOG", nullptr);
    }
    void putStandinsOnPath() {
        SetEnvironmentVariableA("PATH", (programFolder() + "standins;" + oldPath).c_str());
    }
    // The stand-in's command line once it has written it (the launch does not wait).
    std::string recordedCommandLine() {
        for (int i = 0; i < 200; ++i) {
            std::string text = readFileBytes(log);
            if (!text.empty() && text.back() == '\n') return text.substr(0, text.size() - 1);
            Sleep(25);
        }
        return "<nothing recorded>";
    }

    ScratchTempFolder temp;
    BoxRecorder boxes;
    std::string log, oldPath;
};

// What follows the program's own name, as the started program sees it.
std::string parametersOf(const std::string& commandLine, const std::string& program) {
    size_t at = commandLine.find(program);
    if (at == std::string::npos) return "<program missing: " + commandLine + ">";
    at += program.size();
    if (at < commandLine.size() && commandLine[at] == '"') ++at;
    return commandLine.substr(at);
}

TEST_F(HostLaunchTest, OwnFamilyRootStartsKivraWithTheSwitchDirectlyBeforeTheQuotedName) {
    putStandinsOnPath();
    auto result = launchHost("Software\\Oremund\\TessaLine\\Kivra 2013\\Profiles", "My Work");
    EXPECT_EQ(result.kind, HostKind::Kivra);
    EXPECT_TRUE(result.started);
    EXPECT_EQ(result.parameters, " /P\"My Work\"");
    EXPECT_NE(result.program.find("standins\\Kivra.exe"), std::string::npos) << result.program;
    std::string recorded = recordedCommandLine();
    EXPECT_EQ(parametersOf(recorded, "Kivra.exe"), "  /P\"My Work\"") << recorded;
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(HostLaunchTest, AutocadRootStartsAcadWithABlankBetweenSwitchAndName) {
    putStandinsOnPath();
    auto result = launchHost("Software\\Autodesk\\AutoCAD\\R16.2\\ACAD-301:409\\Profiles",
                             "Profile with blanks");
    EXPECT_EQ(result.kind, HostKind::AutoCad);
    EXPECT_TRUE(result.started);
    std::string recorded = recordedCommandLine();
    EXPECT_EQ(parametersOf(recorded, "acad.exe"), "  /p \"Profile with blanks\"") << recorded;
}

TEST_F(HostLaunchTest, ARootOfNoHostKindOrNoProfileStartsNothing) {
    putStandinsOnPath();
    auto result = launchHost("Software\\Oremund\\Kivra 2013\\ENU\\Profiles", "Work");
    EXPECT_EQ(result.kind, HostKind::None);
    EXPECT_FALSE(result.started);
    result = launchHost("Software\\TessaLine\\Profiles", "");
    EXPECT_FALSE(result.started);
    Sleep(300);
    EXPECT_EQ(readFileBytes(log), "");
    EXPECT_TRUE(boxes.boxes().empty());
}

TEST_F(HostLaunchTest, AProgramNotOnTheSearchPathShowsItsNameWithTheSystemText) {
    auto result = launchHost("Software\\TessaLine\\Profiles", "Work");
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.program, "");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    char system[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), system,
                   sizeof(system), nullptr);
    EXPECT_EQ(boxes.boxes()[0].text, std::string("Kivra.exe :  ") + system);

    launchHost("Software\\AutoCAD\\Profiles", "Work");
    ASSERT_EQ(boxes.boxes().size(), 2u);
    EXPECT_EQ(boxes.boxes()[1].text.rfind("acad.exe :  ", 0), 0u);
}

TEST(SystemErrorTest, AnUnknownNumberSaysThatNoSystemMessageIsDefined) {
    BoxRecorder boxes;
    profiles::showSystemError(0x20001234, "prefix: ");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].text, "prefix: \n<No system message defined>");
    profiles::showSystemError(0x20001234);
    EXPECT_EQ(boxes.boxes()[1].text, "\n<No system message defined>");
}

}  // namespace
