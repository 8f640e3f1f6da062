// The server module and this server's class table. The lazy creation of a class object
// tests the cache once more inside the critical section, so two apartments asking at once
// get the same object.
#include "ServerModule.h"

#include "ClassFactory.h"
#include "Registrar_win.h"
#include "TypeLibrary_win.h"
#include "VistrelExtractor.h"
#include "VistrelIds.h"

namespace vistrel {

namespace {

ServerModule g_module;

HRESULT updateExtractorRegistry(HINSTANCE module, bool registering) {
    return runRegistrationScript(module, kRegistrationScriptId, registering);
}

ClassEntry g_classes[] = {
    {&kExtractorClassId, &updateExtractorRegistry, &ClassFactory::createFor, &VistrelExtractor::create, nullptr},
};

}  // namespace

ServerModule& serverModule() { return g_module; }

void initialiseServer(HINSTANCE instance) {
    g_module.init(g_classes, sizeof g_classes / sizeof g_classes[0], instance, kTypeLibraryId);
}

void terminateServer() { g_module.term(); }

void ServerModule::init(ClassEntry* table, std::size_t count, HINSTANCE instance, const GUID& typeLibraryId) {
    if (initialised_) return;
    table_ = table;
    count_ = count;
    instance_ = instance;
    typeLibraryId_ = typeLibraryId;
    InitializeCriticalSection(&creation_);
    initialised_ = true;
}

void ServerModule::term() {
    if (!initialised_) return;
    for (std::size_t i = 0; i < count_; ++i) {
        if (IUnknown* object = table_[i].classObject) {
            table_[i].classObject = nullptr;
            object->Release();
        }
    }
    DeleteCriticalSection(&creation_);
    initialised_ = false;
}

HRESULT ServerModule::getClassObject(REFCLSID classId, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!initialised_) return CLASS_E_CLASSNOTAVAILABLE;
    for (std::size_t i = 0; i < count_; ++i) {
        ClassEntry& entry = table_[i];
        if (!IsEqualCLSID(classId, *entry.classId)) continue;
        if (!entry.classObject) {
            HRESULT hr = S_OK;
            EnterCriticalSection(&creation_);
            if (!entry.classObject) hr = entry.createClassObject(entry, &entry.classObject);
            LeaveCriticalSection(&creation_);
            if (FAILED(hr)) return hr;
        }
        return entry.classObject->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ServerModule::registerServer() {
    for (std::size_t i = 0; i < count_; ++i) {
        HRESULT hr = table_[i].updateRegistry(instance_, true);
        if (FAILED(hr)) return hr;
    }
    return registerTypeLibrary(instance_);
}

HRESULT ServerModule::unregisterServer() {
    bool walked = true;
    for (std::size_t i = 0; i < count_; ++i)
        if (FAILED(table_[i].updateRegistry(instance_, false))) walked = false;
    if (walked) unregisterTypeLibrary(instance_);
    return S_OK;  // uninstallers count on it, whatever a step returned
}

}  // namespace vistrel
