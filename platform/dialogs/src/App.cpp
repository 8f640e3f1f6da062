// The application object's life cycle for programs and DLLs. No exception leaves it: a
// throwing initialisation counts as a failed one.
#include "dialogs/App.h"

#include "dialogs/ModuleState.h"

#include <commctrl.h>

namespace dlg {
namespace {
App* g_current = nullptr;
}

App::App(std::string title) : title_(std::move(title)) {
    g_current = this;
}
App::~App() {
    if (g_current == this) g_current = nullptr;
}

App* App::current() {
    return g_current;
}

void initCommonControls() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls),
                                     ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
}

bool App::initialise(HINSTANCE instance, UINT manifestId) {
    instance_ = instance;
    setModuleInstance(instance);
    setAppTitle(title_);
    moduleActivationContext().create(instance, manifestId);
    ModuleStateScope state;
    initCommonControls();
    try {
        return initInstance();
    } catch (...) {
        return false;
    }
}

int App::runProgram(HINSTANCE instance) {
    if (initialise(instance, 1)) {
        MSG msg;
        while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    try {
        return exitInstance();
    } catch (...) {
        return 1;
    }
}

bool App::attachLibrary(HINSTANCE instance) {
    return initialise(instance, 2);
}

void App::detachLibrary() {
    try {
        exitInstance();
    } catch (...) {
    }
}

std::string programFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string folder(path, length);
    return folder.erase(folder.find_last_of('\\') + 1);
}

}  // namespace dlg
