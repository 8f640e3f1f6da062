// The standard command-line parser.
#include "dialogs/CommandLine.h"

#include <cctype>

namespace dlg {

namespace {

bool sameWord(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

}  // namespace

void CommandLineInfo::parseParam(const std::string& param, bool isSwitch, bool last) {
    if (isSwitch)
        parseSwitch(param);
    else
        parseParameter(param);
    if (last) parseLast();
}

void CommandLineInfo::parseSwitch(const std::string& name) {
    if (sameWord(name, "pt")) {
        shellCommand = FilePrintTo;
    } else if (sameWord(name, "p")) {
        shellCommand = FilePrint;
    } else if (sameWord(name, "dde")) {
        shellCommand = FileDDE;
    } else if (sameWord(name, "register") || sameWord(name, "regserver")) {
        shellCommand = AppRegister;
    } else if (sameWord(name, "unregister") || sameWord(name, "unregserver")) {
        shellCommand = AppUnregister;
    } else if (sameWord(name, "embedding")) {
        runEmbedded = true;
        shellCommand = FileNothing;
    } else if (sameWord(name, "automation")) {
        runAutomated = true;
        shellCommand = FileNothing;
    } else {
        // A switch nobody knows is no request to start afresh.
        shellCommand = FileNothing;
    }
}

void CommandLineInfo::parseParameter(const std::string& param) {
    if (fileName.empty()) {
        fileName = param;
    } else if (shellCommand == FilePrintTo) {
        if (printerName.empty())
            printerName = param;
        else if (driverName.empty())
            driverName = param;
        else if (portName.empty())
            portName = param;
    }
}

void CommandLineInfo::parseLast() {
    if (shellCommand == FileNew && !fileName.empty()) shellCommand = FileOpen;
}

void parseCommandLine(const std::vector<std::string>& args, CommandLineInfo& info) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool isSwitch = !a.empty() && (a[0] == '/' || a[0] == '-');
        info.parseParam(isSwitch ? a.substr(1) : a, isSwitch, i + 1 == args.size());
    }
}

}  // namespace dlg
