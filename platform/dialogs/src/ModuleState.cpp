// Module state: resource handle and program title.
#include "dialogs/ModuleState.h"

namespace dlg {
namespace {
HINSTANCE g_resourceHandle = nullptr;
std::string g_appTitle;
}  // namespace

HINSTANCE resourceHandle() { return g_resourceHandle ? g_resourceHandle : GetModuleHandleA(nullptr); }
void setResourceHandle(HINSTANCE module) { g_resourceHandle = module; }

const std::string& appTitle() { return g_appTitle; }
void setAppTitle(const std::string& title) { g_appTitle = title; }

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
ResourceHandleScope::~ResourceHandleScope() { g_resourceHandle = previous_; }

}  // namespace dlg
