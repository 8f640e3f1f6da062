// The standard command-line parser: which shell command each form of command line asks for.
#include "dialogs/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using Info = dlg::CommandLineInfo;

Info parsed(const std::vector<std::string>& args) {
    Info info;
    dlg::parseCommandLine(args, info);
    return info;
}

TEST(CommandLine, NoArgumentIsANewFileAndOneFileNameOpensIt) {
    EXPECT_EQ(parsed({}).shellCommand, Info::FileNew);
    const Info open = parsed({"C:\\Tables\\plot.ctb"});
    EXPECT_EQ(open.shellCommand, Info::FileOpen);
    EXPECT_EQ(open.fileName, "C:\\Tables\\plot.ctb");
    // Later parameters are not file names.
    EXPECT_EQ(parsed({"a.ctb", "b.ctb"}).fileName, "a.ctb");
    // An empty argument names no file.
    EXPECT_EQ(parsed({""}).shellCommand, Info::FileNew);
}

TEST(CommandLine, PrintPrintToAndDdeSwitchesAskForTheirOwnCommands) {
    const Info print = parsed({"/p", "plot.ctb"});
    EXPECT_EQ(print.shellCommand, Info::FilePrint);
    EXPECT_EQ(print.fileName, "plot.ctb");
    const Info printTo = parsed({"-PT", "plot.ctb", "Printer", "Driver", "LPT1:"});
    EXPECT_EQ(printTo.shellCommand, Info::FilePrintTo);
    EXPECT_EQ(printTo.printerName, "Printer");
    EXPECT_EQ(printTo.driverName, "Driver");
    EXPECT_EQ(printTo.portName, "LPT1:");
    EXPECT_EQ(parsed({"plot.ctb", "/dde"}).shellCommand, Info::FileDDE);
    EXPECT_EQ(parsed({"/Register"}).shellCommand, Info::AppRegister);
    EXPECT_EQ(parsed({"/unregserver"}).shellCommand, Info::AppUnregister);
}

TEST(CommandLine, ServerAndUnknownSwitchesAskForNothing) {
    const Info embedded = parsed({"/Embedding"});
    EXPECT_TRUE(embedded.runEmbedded);
    EXPECT_EQ(embedded.shellCommand, Info::FileNothing);
    EXPECT_TRUE(parsed({"-automation"}).runAutomated);
    EXPECT_EQ(parsed({"/nologo"}).shellCommand, Info::FileNothing);
    EXPECT_EQ(parsed({"plot.ctb", "/x"}).shellCommand, Info::FileNothing);
    EXPECT_EQ(parsed({"/"}).shellCommand, Info::FileNothing);
}

}  // namespace
