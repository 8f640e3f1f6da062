// Vistrel.dll as the tests load it: unregistered, by its path (as the shell's class
// loader does, dependent libraries found beside it), with its four exports; and the
// helpers the server's tests share.
#pragma once

#include <objbase.h>
#include <shobjidl.h>

#include <string>
#include <vector>

#include "BitmapPixels.h"

struct VistrelDll {
    HMODULE module = nullptr;
    HRESULT(STDAPICALLTYPE* getClassObject)(REFCLSID, REFIID, void**) = nullptr;
    HRESULT(STDAPICALLTYPE* canUnloadNow)() = nullptr;
    HRESULT(STDAPICALLTYPE* registerServer)() = nullptr;
    HRESULT(STDAPICALLTYPE* unregisterServer)() = nullptr;
};

// Loaded on first use and kept for the process.
const VistrelDll& vistrelDll();

// The Windows form of a path of the build or the shared test files.
std::wstring windowsPath(const std::string& path);
std::wstring vistrelDllPath();
std::string sharedDrawing(const std::string& name);
// Every shared drawing, damaged ones included, as Windows paths.
std::vector<std::wstring> sharedDrawings();

// A new extractor from the DLL's class object, asked for `iid`; null on failure.
IUnknown* newExtractorUnknown(REFIID iid);
template <typename T>
T* newExtractor(REFIID iid) {
    return static_cast<T*>(static_cast<void*>(newExtractorUnknown(iid)));
}

// Load, GetLocation (not asynchronous) and Extract on one extractor; the pixels of the
// bitmap (empty when Extract failed), which is deleted again.
Pixels extractPixels(IPersistFile* file, const std::wstring& path, int width, int height, HRESULT* result = nullptr);
// renderThumbnail's picture for the same, drawn in this process.
Pixels renderedPixels(const std::wstring& path, int width, int height);

// Narrow text for messages.
std::string narrow(const std::wstring& text);
