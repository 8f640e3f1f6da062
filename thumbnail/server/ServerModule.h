// The server module: one per process. It holds the lock count that decides when the
// library may be unloaded, the class table with each class's cached class object, and the
// critical section under which class objects are made on first request. The exports of
// the library are thin calls into it.
#pragma once

#include <objbase.h>

#include <atomic>
#include <cstddef>

namespace vistrel {

struct ClassEntry;

// A class's registration routine, run in register or unregister mode.
using UpdateRegistryFn = HRESULT (*)(HINSTANCE module, bool registering);
// Makes the class object for an entry (reference count 1, the table's).
using CreateClassObjectFn = HRESULT (*)(const ClassEntry& entry, IUnknown** classObject);
// Makes an instance: plain without an outer object, aggregated with one.
using CreateInstanceFn = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

struct ClassEntry {
    const CLSID* classId;
    UpdateRegistryFn updateRegistry;
    CreateClassObjectFn createClassObject;
    CreateInstanceFn createInstance;
    IUnknown* classObject;  // null until first requested, then kept until the module stops
};

class ServerModule {
public:
    void init(ClassEntry* table, std::size_t count, HINSTANCE instance, const GUID& typeLibraryId);
    // Releases every cached class object and the critical section.
    void term();

    long lock() { return ++locks_; }
    long unlock() { return --locks_; }
    long lockCount() const { return locks_.load(); }
    HINSTANCE instance() const { return instance_; }
    const GUID& typeLibraryId() const { return typeLibraryId_; }

    HRESULT getClassObject(REFCLSID classId, REFIID iid, void** out);
    HRESULT canUnloadNow() const { return locks_.load() == 0 ? S_OK : S_FALSE; }
    HRESULT registerServer();
    HRESULT unregisterServer();

private:
    std::atomic<long> locks_{0};
    HINSTANCE instance_ = nullptr;
    GUID typeLibraryId_{};
    ClassEntry* table_ = nullptr;
    std::size_t count_ = 0;
    CRITICAL_SECTION creation_{};
    bool initialised_ = false;
};

ServerModule& serverModule();

// The table of this server (one class) and the module set up with it.
void initialiseServer(HINSTANCE instance);
void terminateServer();

}  // namespace vistrel
