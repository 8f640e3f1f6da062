// The registrar: script resource (ANSI text) → UTF-8 → replacements → key tree → walk.
#include "Registrar_win.h"

#include "ModulePath_win.h"

namespace vistrel {

namespace {

HRESULT fromStatus(RegistryStatus status) { return HRESULT_FROM_WIN32(static_cast<unsigned long>(status)); }

HRESULT fromProblem(const ScriptProblem& problem) {
    return problem.error == ScriptError::kNameTooLong ? E_FAIL : DISP_E_EXCEPTION;
}

// The script resource as UTF-8: it is stored as ANSI text.
HRESULT loadScript(HINSTANCE module, UINT resourceId, std::string& script) {
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(resourceId), kRegistryResourceType);
    if (!found) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_RESOURCE_NAME_NOT_FOUND);
    HGLOBAL loaded = LoadResource(module, found);
    const DWORD size = SizeofResource(module, found);
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_RESOURCE_DATA_NOT_FOUND);
    DWORD length = 0;
    while (length < size && bytes[length]) ++length;  // a trailing NUL is not part of the text
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, bytes, static_cast<int>(length), &wide[0], n);
    script = utf8FromWide(wide.c_str(), static_cast<int>(wide.size()));
    return S_OK;
}

}  // namespace

std::vector<ScriptBinding> moduleBindings(const std::wstring& modulePath) {
    const std::string quoted = doubleApostrophes(utf8FromWide(modulePath.c_str(), static_cast<int>(modulePath.size())));
    return {{"Module", quoted}, {"Module_Raw", quoted}};
}

HRESULT runScriptText(const std::string& script, const std::vector<ScriptBinding>& bindings, bool registering,
                      Win32Registry& registry) {
    ScriptProblem problem;
    std::string replaced;
    if (!applyReplacements(script, bindings, replaced, problem)) return fromProblem(problem);
    std::vector<ScriptRoot> roots;
    if (!parseScript(replaced, roots, problem)) return fromProblem(problem);
    const WalkResult walked = registering ? registerScript(roots, registry) : unregisterScript(roots, registry);
    return walked.status == kRegistryOk ? S_OK : fromStatus(walked.status);
}

HRESULT runRegistrationScript(HINSTANCE module, UINT resourceId, bool registering) {
    std::wstring path;
    HRESULT hr = modulePath(module, path);
    if (FAILED(hr)) return hr;
    std::string script;
    hr = loadScript(module, resourceId, script);
    if (FAILED(hr)) return hr;
    Win32Registry registry;
    return runScriptText(script, moduleBindings(path), registering, registry);
}

}  // namespace vistrel
