// Brantle at work: the command line read by the framework's parser, then either the editor
// on the named file or the add-table wizard in the current profile's plot style folder with
// the pen settings stored for the host, both through Quellon.dll's entry points. It shows
// nothing of its own: whatever is missing falls back silently.
#pragma once

#include "LauncherRules.h"

#include "dialogs/App.h"
#include "dialogs/BoundaryTypes.h"
#include "vexoutils/PlotStyleTable.h"

#include <windows.h>

#include <string>
#include <vector>

namespace brantle {

// The editor's entry points the launcher calls (Quellon.dll's, or a test's).
struct EditorCalls {
    bool (*editFile)(const char* path, dlg::Window* parent) = nullptr;
    bool (*addTable)(dlg::String& name, const char* directory, const PenSettings* pens,
                     bool penFlag, dlg::Window* parent) = nullptr;
};

// A registry string by the suite's rule (dlg::readStringValue): read into kTextBuffer bytes,
// it counts only when its type is a string type and its data ends with its terminating
// zero (two for a multi-string). False, `text` untouched, otherwise.
bool readRegistryText(HKEY root, const std::string& path, const char* name, std::string& text);

class Launcher {
public:
    explicit Launcher(const EditorCalls& calls) : calls_(calls) {}
    virtual ~Launcher() = default;

    // The whole run for the program's arguments (without its own name).
    void run(const std::vector<std::string>& args);
    // The add-table road.
    void addTable();

    // True with `folder` set when the current profile below `profilesKey` names an existing
    // plot style folder.
    virtual bool findPlotStyleFolder(const std::string& profilesKey, std::string& folder);
    // Fills `pens` from the pen settings key below `profilesKey`; true when settings were
    // read. `flag` is what the reading left in it.
    virtual bool readPenSettings(const std::string& profilesKey, PenSettings* pens, bool& flag);
    // The abbreviated name of the system's default language ("ENU").
    virtual std::string systemLanguage();
    // The folder of the launcher's own program file, with the backslash; empty when its
    // name cannot be had.
    virtual std::string programFolder();

private:
    EditorCalls calls_;
};

// The application object: all the work in the instance initialisation, which reports
// failure so that no message loop runs.
class PlotStyleLauncherApp : public dlg::App {
public:
    explicit PlotStyleLauncherApp(const EditorCalls& calls)
        : dlg::App("Brantle"), calls_(calls) {}

protected:
    bool initInstance() override;

private:
    EditorCalls calls_;
};

}  // namespace brantle
