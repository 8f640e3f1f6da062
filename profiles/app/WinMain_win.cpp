// Wendmark's entry point.
#include "ProfileManagerApp_win.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    profiles::ProfileManagerApp app;
    return app.runProgram(instance);
}
