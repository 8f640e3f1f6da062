// Loading Vistrel.dll for the tests, and the helpers they share.
#include "VistrelDll_win.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "PreviewFixtures.h"
#include "RenderThumbnail.h"
#include "VistrelIds.h"
#include "dwg/OdString.h"

std::wstring windowsPath(const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    std::replace(wide.begin(), wide.end(), L'/', L'\\');
    wchar_t full[1024];
    const DWORD n = GetFullPathNameW(wide.c_str(), 1024, full, nullptr);
    return n > 0 && n < 1024 ? std::wstring(full, n) : wide;
}

std::wstring vistrelDllPath() { return windowsPath(KIVRA_VISTREL_DLL); }

std::string sharedDrawing(const std::string& name) { return fixtures::samplePath("dwg/" + name); }

std::vector<std::wstring> sharedDrawings() {
    std::vector<std::wstring> paths;
    for (const std::string& name : fixtures::sampleDrawings()) paths.push_back(windowsPath(sharedDrawing(name)));
    WIN32_FIND_DATAW found;
    const std::wstring damaged = windowsPath(fixtures::samplePath("dwg/damaged"));
    HANDLE search = FindFirstFileW((damaged + L"\\*.dwg").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do paths.push_back(damaged + L"\\" + found.cFileName);
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return paths;
}

const VistrelDll& vistrelDll() {
    static const VistrelDll dll = [] {
        VistrelDll d;
        d.module = LoadLibraryExW(vistrelDllPath().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (d.module) {
            d.getClassObject = reinterpret_cast<decltype(d.getClassObject)>(
                reinterpret_cast<void*>(GetProcAddress(d.module, "DllGetClassObject")));
            d.canUnloadNow = reinterpret_cast<decltype(d.canUnloadNow)>(
                reinterpret_cast<void*>(GetProcAddress(d.module, "DllCanUnloadNow")));
            d.registerServer = reinterpret_cast<decltype(d.registerServer)>(
                reinterpret_cast<void*>(GetProcAddress(d.module, "DllRegisterServer")));
            d.unregisterServer = reinterpret_cast<decltype(d.unregisterServer)>(
                reinterpret_cast<void*>(GetProcAddress(d.module, "DllUnregisterServer")));
        }
        return d;
    }();
    EXPECT_TRUE(dll.module) << "Vistrel.dll does not load: error " << GetLastError();
    EXPECT_TRUE(dll.getClassObject && dll.canUnloadNow && dll.registerServer && dll.unregisterServer);
    return dll;
}

IUnknown* newExtractorUnknown(REFIID iid) {
    const VistrelDll& dll = vistrelDll();
    if (!dll.getClassObject) return nullptr;
    IClassFactory* factory = nullptr;
    if (FAILED(dll.getClassObject(vistrel::kExtractorClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory))))
        return nullptr;
    void* object = nullptr;
    const HRESULT hr = factory->CreateInstance(nullptr, iid, &object);
    factory->Release();
    return SUCCEEDED(hr) ? static_cast<IUnknown*>(object) : nullptr;
}

Pixels extractPixels(IPersistFile* file, const std::wstring& path, int width, int height, HRESULT* result) {
    Pixels pixels;
    HRESULT hr = file->Load(path.c_str(), STGM_READ);
    IExtractImage* image = nullptr;
    if (SUCCEEDED(hr)) hr = file->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image));
    if (SUCCEEDED(hr)) {
        SIZE size{width, height};
        DWORD flags = 0, priority = 0;
        wchar_t location[MAX_PATH] = L"";
        hr = image->GetLocation(location, MAX_PATH, &priority, &size, 32, &flags);
        HBITMAP bitmap = nullptr;
        if (SUCCEEDED(hr)) hr = image->Extract(&bitmap);
        if (bitmap) {
            pixels = readPixels(bitmap);
            DeleteObject(bitmap);
        }
        image->Release();
    }
    if (result) *result = hr;
    return pixels;
}

Pixels renderedPixels(const std::wstring& path, int width, int height) {
    HBITMAP bitmap = vistrel::renderThumbnail(width, height, OdString(path.c_str()));
    Pixels pixels = readPixels(bitmap);
    if (bitmap) DeleteObject(bitmap);
    return pixels;
}

std::string narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}
