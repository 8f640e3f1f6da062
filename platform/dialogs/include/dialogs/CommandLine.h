// The framework's standard command-line parser: a program's arguments turned into the shell
// command it was started for (a new file, open, print, print to, DDE, registration) and the
// file it names. Needs no operating system; a program hands it its arguments.
#pragma once

#include <string>
#include <vector>

namespace dlg {

struct CommandLineInfo {
    enum ShellCommand {
        FileNew,        // no file named: start afresh
        FileOpen,       // one file named
        FilePrint,      // /p
        FilePrintTo,    // /pt FILE PRINTER DRIVER PORT
        FileDDE,        // /dde
        AppRegister,    // /register, /regserver
        AppUnregister,  // /unregister, /unregserver
        FileNothing     // /embedding, /automation, or a switch the parser does not know
    };

    ShellCommand shellCommand = FileNew;
    std::string fileName;
    std::string printerName, driverName, portName;
    bool runEmbedded = false;
    bool runAutomated = false;

    virtual ~CommandLineInfo() = default;
    // One argument: a switch (given without its leading '/' or '-') or a parameter; `last`
    // for the last argument.
    virtual void parseParam(const std::string& param, bool isSwitch, bool last);

protected:
    void parseSwitch(const std::string& name);
    void parseParameter(const std::string& param);
    void parseLast();
};

// Feeds `args` (the program's arguments after its own name) to `info` in order. An argument
// starting with '/' or '-' is a switch.
void parseCommandLine(const std::vector<std::string>& args, CommandLineInfo& info);

}  // namespace dlg
