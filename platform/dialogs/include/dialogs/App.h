// The application object: one per program or DLL. Its instance initialisation does the
// work; a program whose initialisation reports failure ends without a message loop, a DLL
// whose initialisation fails does not load.
#pragma once

#include <windows.h>

#include <string>

namespace dlg {

class App {
public:
    explicit App(std::string title);
    virtual ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The module's one application object (the last constructed).
    static App* current();

    // For a program's WinMain: initialise, run the message loop only when initialisation
    // succeeded, and return the exit code.
    int runProgram(HINSTANCE instance);
    // For a DLL's DllMain: attach returns the initialisation's result; detach cleans up.
    bool attachLibrary(HINSTANCE instance);
    void detachLibrary();

    HINSTANCE instance() const { return instance_; }
    const std::string& title() const { return title_; }

protected:
    virtual bool initInstance() = 0;
    virtual int exitInstance() { return exitCode_; }
    void setExitCode(int code) { exitCode_ = code; }

private:
    bool initialise(HINSTANCE instance, UINT manifestId);

    std::string title_;
    HINSTANCE instance_ = nullptr;
    int exitCode_ = 0;
};

// Registers the common control classes the framework's wrappers use.
void initCommonControls();

// The folder of the running program's file, with its final backslash; empty when the
// system cannot give the path.
std::string programFolder();

}  // namespace dlg
