// Module state: resource handle, program title, module instance, activation context, help.
#include "dialogs/ModuleState.h"

namespace dlg {
namespace {
HINSTANCE g_resourceHandle = nullptr;
HINSTANCE g_moduleInstance = nullptr;
std::string g_appTitle;
HelpHandler g_helpHandler = nullptr;
}  // namespace

HINSTANCE resourceHandle() {
    return g_resourceHandle ? g_resourceHandle : moduleInstance();
}
void setResourceHandle(HINSTANCE module) {
    g_resourceHandle = module;
}

HINSTANCE moduleInstance() {
    return g_moduleInstance ? g_moduleInstance : GetModuleHandleA(nullptr);
}
void setModuleInstance(HINSTANCE module) {
    g_moduleInstance = module;
}

const std::string& appTitle() {
    return g_appTitle;
}
void setAppTitle(const std::string& title) {
    g_appTitle = title;
}

std::string loadString(UINT id) {
    // With a zero buffer size LoadStringW hands back a pointer to the resource itself.
    const wchar_t* wide = nullptr;
    int length = LoadStringW(resourceHandle(), id, reinterpret_cast<LPWSTR>(&wide), 0);
    if (length <= 0 || !wide) return std::string();
    int bytes = WideCharToMultiByte(CP_ACP, 0, wide, length, nullptr, 0, nullptr, nullptr);
    std::string result(bytes, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, length, &result[0], bytes, nullptr, nullptr);
    return result;
}

ResourceHandleScope::ResourceHandleScope(HINSTANCE module) : previous_(g_resourceHandle) {
    g_resourceHandle = module;
}
ResourceHandleScope::~ResourceHandleScope() {
    g_resourceHandle = previous_;
}

ActivationContext::~ActivationContext() {
    if (handle_ != INVALID_HANDLE_VALUE) ReleaseActCtx(handle_);
}

bool ActivationContext::create(HINSTANCE module, UINT resourceId) {
    if (handle_ != INVALID_HANDLE_VALUE) return true;
    char path[MAX_PATH];
    if (!GetModuleFileNameA(module, path, MAX_PATH)) return false;
    ACTCTXA context = {};
    context.cbSize = sizeof(context);
    context.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
    context.lpSource = path;
    context.hModule = module;
    context.lpResourceName = MAKEINTRESOURCEA(resourceId);
    handle_ = CreateActCtxA(&context);
    return handle_ != INVALID_HANDLE_VALUE;
}

ActivationContext& moduleActivationContext() {
    static ActivationContext context;
    return context;
}

ModuleStateScope::ModuleStateScope() {
    HANDLE context = moduleActivationContext().handle();
    if (context != INVALID_HANDLE_VALUE) activated_ = ActivateActCtx(context, &cookie_) != FALSE;
}

ModuleStateScope::~ModuleStateScope() {
    if (activated_) DeactivateActCtx(0, cookie_);
}

void setHelpHandler(HelpHandler handler) {
    g_helpHandler = handler;
}
void showHelp(UINT topic) {
    if (g_helpHandler) g_helpHandler(topic);
}

}  // namespace dlg
