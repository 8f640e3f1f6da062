// The editor library's application object: at load it finds the per-language resource
// library below the calling program's folder and makes it the module's resource handle;
// without one the library does not load.
#pragma once

#include "dialogs/App.h"

#include <windows.h>

#include <string>

namespace quellon {

// "CURLANG" of the product key (at most four characters), "ENU" when unreadable.
std::string languageCode();

// Tries the language's resource library below `baseDirectory`, then the "Enu" one. When
// neither loads: the error box "Can't load QuellonRes.dll" (no owner) and null.
HINSTANCE loadResourceLibrary(const std::string& baseDirectory, const std::string& language);

// Drive and directory of the calling process's program file.
std::string callingProgramDirectory();

class PlotStyleEditorApp : public dlg::App {
public:
    PlotStyleEditorApp() : dlg::App("Quellon") {}
    HINSTANCE resourceLibrary() const { return resources_; }

protected:
    bool initInstance() override;

private:
    HINSTANCE resources_ = nullptr;
};

}  // namespace quellon
