// Brantle.exe: the plot style editor outside the host.
#include "Launcher_win.h"

#include "quellon/QuellonExports.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    brantle::EditorCalls calls;
    calls.editFile = static_cast<bool (*)(const char*, dlg::Window*)>(&editPStyleTable);
    calls.addTable = &addPStyleTable;
    brantle::PlotStyleLauncherApp app(calls);
    return app.runProgram(instance);
}
