// The class object of a server class. The module's class table keeps one reference for
// as long as the module runs, so the factory takes a module lock only for outside holders:
// when its count rises to 2, and gives it back when the count falls to 1.
#pragma once

#include <objbase.h>

#include "ServerModule.h"

namespace vistrel {

class ClassFactory final : public IClassFactory {
public:
    // The class object for a table entry, with the reference the table keeps.
    static HRESULT createFor(const ClassEntry& entry, IUnknown** classObject);

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    explicit ClassFactory(CreateInstanceFn createInstance);
    ~ClassFactory();

    CreateInstanceFn createInstance_;
    CRITICAL_SECTION guard_;
    long refs_ = 1;
};

}  // namespace vistrel
