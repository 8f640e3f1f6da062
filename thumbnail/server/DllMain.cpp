// Vistrel.dll's entry and its four exports, each a thin call into the server module. No
// exception leaves an export.
#include <objbase.h>

#include "ServerModule.h"
#include "ThumbnailApp.h"

namespace {
vistrel::ThumbnailApp g_app;
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

STDAPI DllGetClassObject(REFCLSID classId, REFIID iid, LPVOID* out) {
    try {
        return vistrel::serverModule().getClassObject(classId, iid, out);
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDAPI DllCanUnloadNow() { return vistrel::serverModule().canUnloadNow(); }

STDAPI DllRegisterServer() {
    try {
        return vistrel::serverModule().registerServer();
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDAPI DllUnregisterServer() {
    try {
        return vistrel::serverModule().unregisterServer();
    } catch (...) {
        return S_OK;
    }
}
