// The standard message box.
#include "dialogs/MessageBox.h"

#include "dialogs/ModuleState.h"

namespace dlg {
namespace {
MessageBoxHook g_hook = nullptr;
}

void setMessageBoxHook(MessageBoxHook hook) {
    g_hook = hook;
}

int messageBox(const std::string& text, UINT type, HWND owner) {
    const std::string& title = appTitle();
    if (g_hook) return g_hook(owner, text, title, type);
    return MessageBoxA(owner, text.c_str(), title.empty() ? nullptr : title.c_str(), type);
}

int messageBox(UINT id, UINT type, HWND owner) {
    return messageBox(loadString(id), type, owner);
}

int messageBoxTitled(const std::string& text, const std::string& title, UINT type, HWND owner) {
    if (g_hook) return g_hook(owner, text, title, type);
    return MessageBoxA(owner, text.c_str(), title.c_str(), type);
}

}  // namespace dlg
