// Class object: instance creation with the aggregation rule, server locks, and a
// reference count under its own critical section.
#include "ClassFactory.h"

#include <new>

namespace vistrel {

HRESULT ClassFactory::createFor(const ClassEntry& entry, IUnknown** classObject) {
    if (!classObject) return E_POINTER;
    *classObject = nullptr;
    ClassFactory* factory = new (std::nothrow) ClassFactory(entry.createInstance);
    if (!factory) return E_OUTOFMEMORY;
    *classObject = factory;
    return S_OK;
}

ClassFactory::ClassFactory(CreateInstanceFn createInstance) : createInstance_(createInstance) {
    InitializeCriticalSection(&guard_);
}

ClassFactory::~ClassFactory() { DeleteCriticalSection(&guard_); }

STDMETHODIMP ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) return E_NOINTERFACE;
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) ClassFactory::AddRef() {
    EnterCriticalSection(&guard_);
    const long count = ++refs_;
    if (count == 2) serverModule().lock();
    LeaveCriticalSection(&guard_);
    return static_cast<ULONG>(count);
}

STDMETHODIMP_(ULONG) ClassFactory::Release() {
    EnterCriticalSection(&guard_);
    const long count = --refs_;
    if (count == 1) serverModule().unlock();
    LeaveCriticalSection(&guard_);
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    try {
        return createInstance_(outer, iid, out);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    if (lock) serverModule().lock();
    else serverModule().unlock();
    return S_OK;
}

}  // namespace vistrel
