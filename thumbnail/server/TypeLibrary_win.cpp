// Loading the module's type library and registering it under its path, or taking it out
// of the registry by its identifier, version, locale and system kind.
#include "TypeLibrary_win.h"

#include <windows.h>
#include <ole2.h>

#include "ModulePath_win.h"

namespace vistrel {

namespace {

class TypeLib {
public:
    ~TypeLib() {
        if (lib_) lib_->Release();
    }
    ITypeLib** out() { return &lib_; }
    ITypeLib* get() const { return lib_; }

private:
    ITypeLib* lib_ = nullptr;
};

// The library from the module's resource, else from the ".tlb" file beside it.
HRESULT loadTypeLibrary(HINSTANCE module, std::wstring& path, TypeLib& lib) {
    HRESULT hr = modulePath(module, path);
    if (FAILED(hr)) return hr;
    hr = LoadTypeLibEx(path.c_str(), REGKIND_NONE, lib.out());
    if (SUCCEEDED(hr)) return hr;
    std::wstring tlb = path;
    const std::size_t dot = tlb.find_last_of(L".\\/:");
    if (dot != std::wstring::npos && tlb[dot] == L'.') tlb.erase(dot);
    tlb += L".tlb";
    hr = LoadTypeLibEx(tlb.c_str(), REGKIND_NONE, lib.out());
    if (SUCCEEDED(hr)) path = tlb;
    return hr;
}

}  // namespace

std::wstring typeLibraryHelpFolder(const std::wstring& path) {
    const std::size_t last = path.find_last_of(L"\\/:");
    if (last == std::wstring::npos) return std::wstring();
    return path.substr(0, path[last] == L':' ? last + 1 : last);
}

HRESULT registerTypeLibrary(HINSTANCE module) {
    std::wstring path;
    TypeLib lib;
    HRESULT hr = loadTypeLibrary(module, path, lib);
    if (FAILED(hr)) return hr;
    std::wstring help = typeLibraryHelpFolder(path);
    return RegisterTypeLib(lib.get(), &path[0], help.empty() ? nullptr : &help[0]);
}

HRESULT unregisterTypeLibrary(HINSTANCE module) {
    std::wstring path;
    TypeLib lib;
    HRESULT hr = loadTypeLibrary(module, path, lib);
    if (FAILED(hr)) return hr;
    TLIBATTR* attributes = nullptr;
    hr = lib.get()->GetLibAttr(&attributes);
    if (FAILED(hr)) return hr;
    hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum, attributes->lcid,
                           attributes->syskind);
    lib.get()->ReleaseTLibAttr(attributes);
    return hr;
}

}  // namespace vistrel
