// Quellon.dll's entry: the application object initialises when the library is loaded.
#include "PlotStyleEditorApp.h"

#include <windows.h>

namespace {
quellon::PlotStyleEditorApp g_app;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            DisableThreadLibraryCalls(instance);
            return g_app.attachLibrary(instance) ? TRUE : FALSE;
        case DLL_PROCESS_DETACH:
            g_app.detachLibrary();
            return TRUE;
        default:
            return TRUE;
    }
}
