// The driver program as scripts and checks use it: one JSON line per run, exit status 0 for
// success, 1 for failure, 2 for a usage error.
#include "ScratchRoot.h"
#include "dialogs/App.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct DriverRun {
    int status = -1;
    std::string output;
};

// Runs the driver beside this test program and collects its standard output.
DriverRun runDriver(const std::vector<std::string>& args) {
    std::string commandLine = "\"" + dlg::programFolder() + "profile-store.exe\"";
    for (const std::string& arg : args) commandLine += " \"" + arg + "\"";

    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE readEnd, writeEnd;
    DriverRun run;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return run;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr,
                                  nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD got;
        while (ReadFile(readEnd, buffer, sizeof(buffer), &got, nullptr) && got > 0)
            run.output.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        run.status = static_cast<int>(code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    while (!run.output.empty() && (run.output.back() == '\n' || run.output.back() == '\r'))
        run.output.pop_back();
    return run;
}

TEST(DriverTest, ListCreatesTheRootAndPrintsTheNames) {
    ScratchRoot scratch;
    DriverRun run = runDriver({scratch.path(), "list"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output, "{\"command\": \"list\", \"ok\": true, \"names\": []}");
    EXPECT_TRUE(keyExists(scratch.path()));
    createKey(scratch.path() + "\\B \"two\"");
    EXPECT_EQ(runDriver({scratch.path(), "list"}).output,
              "{\"command\": \"list\", \"ok\": true, \"names\": [\"B \\\"two\\\"\"]}");
}

TEST(DriverTest, DescriptionsArePrintedAsJsonStrings) {
    ScratchRoot scratch;
    setString(scratch.path() + "\\P", nullptr, "a\r\nb \\ \x01");
    DriverRun run = runDriver({scratch.path(), "describe", "P"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.output,
              "{\"command\": \"describe\", \"ok\": true, \"name\": \"P\", "
              "\"description\": \"a\\r\\nb \\\\ \\u0001\"}");
}

TEST(DriverTest, FailuresAndBoxesAreReportedWithStatusOne) {
    ScratchRoot scratch;
    DriverRun run = runDriver({scratch.path(), "remove", "Nobody"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.output, "{\"command\": \"remove\", \"ok\": false}");
    run = runDriver({scratch.base() + "\\AutoCAD\\Profiles", "launch", "P"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.output.find("\"kind\": \"autocad\""), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"boxes\": [\"acad.exe :  "), std::string::npos) << run.output;
}

TEST(DriverTest, TheDriverReadsTheRootPartsFromTheResourceLibrary) {
    ScratchRoot scratch;
    createKey(scratch.path());
    std::string middle = scratch.path().substr(9, scratch.path().size() - 18);
    DriverRun run = runDriver({"-", "short", "software/" + middle});
    EXPECT_EQ(run.status, 0);
    std::string escaped;
    for (char c : middle) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
    EXPECT_EQ(run.output, "{\"command\": \"short\", \"ok\": true, \"short\": \"" + escaped + "\"}");
}

TEST(DriverTest, UnknownCommandsAndMissingArgumentsAreUsageErrors) {
    EXPECT_EQ(runDriver({"Software\\X"}).status, 2);
    EXPECT_EQ(runDriver({"Software\\X", "frobnicate"}).status, 2);
    EXPECT_EQ(runDriver({"Software\\X", "copy", "OnlyOne"}).status, 2);
}

}  // namespace
