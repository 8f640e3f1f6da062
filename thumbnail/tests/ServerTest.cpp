// Vistrel.dll loaded unregistered, as a shell's class loader does: the class object and
// the lock count behind DllCanUnloadNow, instance creation plain and aggregated, the
// extractor's interface map, and what its type library and version resource say.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <map>

#include "VistrelDll_win.h"
#include "VistrelIds.h"

using vistrel::kExtractorClassId;

namespace {

IClassFactory* classFactory() {
    IClassFactory* factory = nullptr;
    EXPECT_EQ(vistrelDll().getClassObject(kExtractorClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    return factory;
}

HRESULT canUnloadNow() { return vistrelDll().canUnloadNow(); }

// An outer object that aggregates the extractor: it counts its references and answers
// IID_IUnknown itself, everything else through the inner object.
class Outer final : public IUnknown {
public:
    IUnknown* inner = nullptr;
    long refs = 1;
    int queries = 0;
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        ++queries;
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++refs); }
    STDMETHODIMP_(ULONG) Release() override { return static_cast<ULONG>(--refs); }
};

void* const kSentinel = reinterpret_cast<void*>(static_cast<std::uintptr_t>(0x5A5A5A5A));

}  // namespace

TEST(VistrelServer, OneCachedClassObjectForTheOneClass) {
    IClassFactory* a = classFactory();
    IClassFactory* b = classFactory();
    ASSERT_TRUE(a);
    EXPECT_EQ(a, b) << "the same class object each time";
    IUnknown* unknown = nullptr;
    EXPECT_EQ(vistrelDll().getClassObject(kExtractorClassId, IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(a));
    unknown->Release();
    b->Release();
    a->Release();

    void* out = kSentinel;
    EXPECT_EQ(vistrelDll().getClassObject(IID_IPersistFile, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, nullptr);
    out = kSentinel;
    EXPECT_EQ(vistrelDll().getClassObject(kExtractorClassId, IID_IPersistFile, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(vistrelDll().getClassObject(kExtractorClassId, IID_IClassFactory, nullptr), E_POINTER);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST(VistrelServer, CanUnloadNowWhileNothingLivesOrIsLocked) {
    EXPECT_EQ(canUnloadNow(), S_OK) << "right after load";
    IClassFactory* factory = classFactory();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the class object is held outside";
    IPersistFile* first = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IPersistFile, reinterpret_cast<void**>(&first)), S_OK);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "an extractor lives";
    IExtractImage* image = nullptr;
    ASSERT_EQ(first->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image)), S_OK);
    first->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "still referenced through another interface";
    image->Release();
    EXPECT_EQ(canUnloadNow(), S_OK) << "after the last release";

    factory = classFactory();
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "locked";
    factory = classFactory();
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_FALSE) << "one lock left";
    factory = classFactory();
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    factory->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST(VistrelServer, AggregatedExtractorForwardsToItsOuterObject) {
    IClassFactory* factory = classFactory();
    Outer outer;
    void* out = kSentinel;
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IExtractImage, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(factory->CreateInstance(&outer, IID_IUnknown, nullptr), E_POINTER);
    ASSERT_EQ(factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)), S_OK);
    factory->Release();
    EXPECT_EQ(outer.refs, 1) << "creating the inner object does not count on the outer one";

    // The inner unknown answers IID_IUnknown with itself, the map through the object.
    IUnknown* innerAgain = nullptr;
    ASSERT_EQ(outer.inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&innerAgain)), S_OK);
    EXPECT_EQ(innerAgain, outer.inner);
    innerAgain->Release();
    IExtractImage2* image = nullptr;
    ASSERT_EQ(outer.QueryInterface(IID_IExtractImage2, reinterpret_cast<void**>(&image)), S_OK);
    EXPECT_EQ(outer.refs, 2) << "the interface counts on the outer object";
    EXPECT_NE(static_cast<void*>(image), static_cast<void*>(outer.inner));

    // Its IUnknown methods go to the outer object.
    const int queries = outer.queries;
    IUnknown* identity = nullptr;
    ASSERT_EQ(image->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
    EXPECT_EQ(identity, &outer);
    EXPECT_EQ(outer.queries, queries + 1);
    identity->Release();
    EXPECT_EQ(image->AddRef(), 3u);
    EXPECT_EQ(image->Release(), 2u);
    IPersistFile* file = nullptr;
    ASSERT_EQ(image->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    EXPECT_EQ(outer.queries, queries + 2);
    file->Release();
    image->Release();
    EXPECT_EQ(outer.refs, 1);

    // The aggregated object works as the plain one does.
    ASSERT_EQ(outer.QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)), S_OK);
    HRESULT hr = E_FAIL;
    const std::wstring drawing = windowsPath(sharedDrawing("AC1018_libredwg_2004_Line.dwg"));
    const Pixels pixels = extractPixels(file, drawing, 64, 48, &hr);
    EXPECT_EQ(hr, S_OK);
    EXPECT_EQ(pixels.rgb, renderedPixels(drawing, 64, 48).rgb);
    file->Release();

    EXPECT_EQ(canUnloadNow(), S_FALSE) << "the inner object lives";
    EXPECT_EQ(outer.inner->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST(VistrelExtractor, InterfaceMapHasThreeEntries) {
    IPersistFile* file = newExtractor<IPersistFile>(IID_IPersistFile);
    ASSERT_TRUE(file);
    IUnknown* unknown = nullptr;
    ASSERT_EQ(file->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    EXPECT_EQ(static_cast<void*>(unknown), static_cast<void*>(file)) << "IID_IUnknown gives the first entry";
    IExtractImage* image = nullptr;
    IExtractImage2* image2 = nullptr;
    ASSERT_EQ(file->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image)), S_OK);
    ASSERT_EQ(file->QueryInterface(IID_IExtractImage2, reinterpret_cast<void**>(&image2)), S_OK);
    EXPECT_EQ(static_cast<void*>(image), static_cast<void*>(image2));
    EXPECT_NE(static_cast<void*>(image), static_cast<void*>(file));
    for (const IID* refused : {&IID_IPersist, &vistrel::kVistrelExtractorIid, &IID_IDispatch, &IID_IClassFactory,
                               &IID_IPersistStream}) {
        void* out = kSentinel;
        EXPECT_EQ(image->QueryInterface(*refused, &out), E_NOINTERFACE);
        EXPECT_EQ(out, nullptr);
    }
    EXPECT_EQ(file->QueryInterface(IID_IPersistFile, nullptr), E_POINTER);
    // Counts: created with 1, then unknown, image and image2.
    EXPECT_EQ(file->AddRef(), 5u);
    EXPECT_EQ(file->Release(), 4u);
    unknown->Release();
    image->Release();
    image2->Release();
    EXPECT_EQ(file->Release(), 0u);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST(VistrelServer, ImportsOnlySystemLibrariesAndVexoCommon) {
    // Explorer loads the library from its folder with nothing else beside it.
    const auto* base = reinterpret_cast<const BYTE*>(vistrelDll().module);
    ASSERT_TRUE(base);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    ASSERT_NE(imports.VirtualAddress, 0u);
    std::vector<std::string> names;
    for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); d->Name; ++d) {
        std::string name = reinterpret_cast<const char*>(base + d->Name);
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        names.push_back(name);
    }
    const std::vector<std::string> allowed = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ole32.dll",
                                              "oleaut32.dll", "comctl32.dll", "msvcrt.dll", "vexocommon.dll"};
    for (const std::string& name : names)
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), name), allowed.end()) << name << " would have to ship too";
    EXPECT_NE(std::find(names.begin(), names.end(), "vexocommon.dll"), names.end());
}

TEST(VistrelServer, TypeLibraryDescribesTheClass) {
    ITypeLib* lib = nullptr;
    ASSERT_EQ(LoadTypeLibEx(vistrelDllPath().c_str(), REGKIND_NONE, &lib), S_OK);
    TLIBATTR* attributes = nullptr;
    ASSERT_EQ(lib->GetLibAttr(&attributes), S_OK);
    EXPECT_TRUE(IsEqualGUID(attributes->guid, vistrel::kTypeLibraryId));
    EXPECT_EQ(attributes->wMajorVerNum, 1);
    EXPECT_EQ(attributes->wMinorVerNum, 0);
    EXPECT_EQ(attributes->syskind, sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32);
    lib->ReleaseTLibAttr(attributes);
    BSTR name = nullptr, help = nullptr;
    ASSERT_EQ(lib->GetDocumentation(-1, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::wstring(name), L"THUMBVISTRELLib");
    EXPECT_EQ(std::wstring(help), L"ThumbVistrel 1.0 Type Library");
    SysFreeString(name);
    SysFreeString(help);

    ITypeInfo* coclass = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(kExtractorClassId, &coclass), S_OK);
    TYPEATTR* type = nullptr;
    ASSERT_EQ(coclass->GetTypeAttr(&type), S_OK);
    EXPECT_EQ(type->typekind, TKIND_COCLASS);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_EQ(type->cImplTypes, 1);
    coclass->ReleaseTypeAttr(type);
    INT implFlags = 0;
    ASSERT_EQ(coclass->GetImplTypeFlags(0, &implFlags), S_OK);
    EXPECT_TRUE(implFlags & IMPLTYPEFLAG_FDEFAULT);
    HREFTYPE ref = 0;
    ITypeInfo* byDefault = nullptr;
    ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(coclass->GetRefTypeInfo(ref, &byDefault), S_OK);
    ASSERT_EQ(byDefault->GetTypeAttr(&type), S_OK);
    EXPECT_TRUE(IsEqualGUID(type->guid, vistrel::kVistrelExtractorIid)) << "the default interface";
    byDefault->ReleaseTypeAttr(type);
    byDefault->Release();
    ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::wstring(name), L"VistrelExtractor");
    EXPECT_EQ(std::wstring(help), L"VistrelExtractor Class");
    SysFreeString(name);
    SysFreeString(help);
    coclass->Release();

    ITypeInfo* iface = nullptr;
    ASSERT_EQ(lib->GetTypeInfoOfGuid(vistrel::kVistrelExtractorIid, &iface), S_OK);
    ASSERT_EQ(iface->GetTypeAttr(&type), S_OK);
    EXPECT_EQ(type->typekind, TKIND_DISPATCH) << "a dual interface is described as dispatch";
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
    iface->ReleaseTypeAttr(type);
    // Its vtable half is an automation interface.
    ITypeInfo* vtable = nullptr;
    ASSERT_EQ(iface->GetRefTypeOfImplType(-1, &ref), S_OK);
    ASSERT_EQ(iface->GetRefTypeInfo(ref, &vtable), S_OK);
    ASSERT_EQ(vtable->GetTypeAttr(&type), S_OK);
    EXPECT_EQ(type->typekind, TKIND_INTERFACE);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FOLEAUTOMATION);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FDUAL);
    vtable->ReleaseTypeAttr(type);
    vtable->Release();
    ASSERT_EQ(iface->GetDocumentation(MEMBERID_NIL, &name, &help, nullptr, nullptr), S_OK);
    EXPECT_EQ(std::wstring(name), L"IVistrelExtractor");
    EXPECT_EQ(std::wstring(help), L"IVistrelExtractor Interface");
    SysFreeString(name);
    SysFreeString(help);
    ITypeInfo* base = nullptr;
    ASSERT_EQ(iface->GetRefTypeOfImplType(0, &ref), S_OK);
    ASSERT_EQ(iface->GetRefTypeInfo(ref, &base), S_OK);
    ASSERT_EQ(base->GetTypeAttr(&type), S_OK);
    EXPECT_TRUE(IsEqualGUID(type->guid, IID_IDispatch)) << "derived from IDispatch";
    base->ReleaseTypeAttr(type);
    base->Release();
    iface->Release();
    lib->Release();
}

TEST(VistrelServer, VersionResourceComesFromTheVersionFile) {
    // The one place the numbers are kept.
    std::map<std::string, std::string> file;
    std::ifstream in(KIVRA_VISTREL_VERSION_FILE);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#' && line.find('=') != std::string::npos)
            file[line.substr(0, line.find('='))] = line.substr(line.find('=') + 1);
    ASSERT_EQ(file.count("FileVersion"), 1u);
    ASSERT_EQ(file.count("ProductVersion"), 1u);
    auto commas = [](std::string dotted) {
        std::string out;
        for (char c : dotted) out += c == '.' ? std::string(", ") : std::string(1, c);
        return std::wstring(out.begin(), out.end());
    };

    const std::wstring dll = vistrelDllPath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(dll.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(dll.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    auto dotted = [](DWORD ms, DWORD ls) {
        return std::to_string(HIWORD(ms)) + "." + std::to_string(LOWORD(ms)) + "." + std::to_string(HIWORD(ls)) + "." +
               std::to_string(LOWORD(ls));
    };
    EXPECT_EQ(dotted(fixed->dwFileVersionMS, fixed->dwFileVersionLS), file["FileVersion"]);
    EXPECT_EQ(dotted(fixed->dwProductVersionMS, fixed->dwProductVersionLS), file["ProductVersion"]);
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT chars = 0;
        const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!VerQueryValueW(info.data(), key.c_str(), reinterpret_cast<void**>(&value), &chars) || !value) return std::wstring();
        return std::wstring(value);
    };
    EXPECT_EQ(text(L"FileVersion"), commas(file["FileVersion"]));
    EXPECT_EQ(text(L"ProductVersion"), commas(file["ProductVersion"]));
    EXPECT_EQ(text(L"FileDescription"), L"Vistrel DLL");
    EXPECT_EQ(text(L"InternalName"), L"Vistrel");
    EXPECT_EQ(text(L"ProductName"), L"Vistrel Dynamic Link Library");
}
