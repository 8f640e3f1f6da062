// Registration of the type library the server carries (resource TYPELIB 1), or of a
// ".tlb" file of the same name beside it when the resource cannot be loaded.
#pragma once

#include <windows.h>

#include <string>

namespace vistrel {

HRESULT registerTypeLibrary(HINSTANCE module);
HRESULT unregisterTypeLibrary(HINSTANCE module);

// The help folder registered with it: the path up to its last "\", "/" or ":" (a colon
// is kept, as it names a drive).
std::wstring typeLibraryHelpFolder(const std::wstring& path);

}  // namespace vistrel
