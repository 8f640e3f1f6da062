// Entry point of VexoUtils.dll: nothing to set up; the component keeps no global state.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
