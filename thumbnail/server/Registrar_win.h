// Running the registration script a module carries as a resource: the module's path
// bound to %MODULE% and %MODULE_RAW%, the replacements, the notation, and the walk over
// the real registry. Failures come back as HRESULTs.
#pragma once

#include <windows.h>

#include "RegistrationScript.h"
#include "Registry_win.h"

namespace vistrel {

// The resource type of registration scripts.
constexpr const wchar_t* kRegistryResourceType = L"REGISTRY";

HRESULT runRegistrationScript(HINSTANCE module, UINT resourceId, bool registering);

// The same on a given script text (UTF-8) and registry: E_FAIL for a replacement name of
// 32 characters or more, DISP_E_EXCEPTION for one without a binding and for a script
// that does not read, the registry's failure as a facility-Win32 HRESULT.
HRESULT runScriptText(const std::string& script, const std::vector<ScriptBinding>& bindings, bool registering,
                      Win32Registry& registry);

// The bindings a library gets: its path, apostrophes doubled, for "Module" and "Module_Raw".
std::vector<ScriptBinding> moduleBindings(const std::wstring& modulePath);

}  // namespace vistrel
