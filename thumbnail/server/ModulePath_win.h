// The module's own file, as registration writes it: GetModuleFileName into a buffer of
// MAX_PATH characters, a path that fills it being an error rather than a cut-off name.
#pragma once

#include <windows.h>

#include <string>

namespace vistrel {

// S_OK and the path, or the HRESULT of the failure (0x8007007A for a path that fills
// the buffer).
HRESULT modulePath(HINSTANCE module, std::wstring& path);

}  // namespace vistrel
