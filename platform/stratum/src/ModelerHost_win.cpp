// Loading a modeler library with the Windows loader.
#include "stratum/ModelerHost.h"

#include <windows.h>

namespace {
using CreateViewerFn = CModeler* (*)();
}

ModelerHost::~ModelerHost() { unload(); }

bool ModelerHost::load(const std::string& library) {
    unload();
    HMODULE module = LoadLibraryA(library.c_str());
    if (!module) {
        error_ = "cannot load " + library + " (error " + std::to_string(GetLastError()) + ")";
        return false;
    }
    FARPROC entry = GetProcAddress(module, "createViewer");
    if (!entry) {
        FreeLibrary(module);
        error_ = library + " does not export createViewer";
        return false;
    }
    module_ = module;
    createViewerEntry_ = reinterpret_cast<void*>(entry);
    if (!createViewer()) {
        error_ = "createViewer of " + library + " returned no modeler";
        return false;
    }
    error_.clear();
    return true;
}

CModeler* ModelerHost::createViewer() {
    if (!createViewerEntry_) return nullptr;
    CModeler* modeler = reinterpret_cast<CreateViewerFn>(createViewerEntry_)();
    CModeler::s_pModeler = modeler;
    return modeler;
}

void ModelerHost::unload() {
    if (!module_) return;
    FreeLibrary(static_cast<HMODULE>(module_));
    module_ = nullptr;
    createViewerEntry_ = nullptr;
}
