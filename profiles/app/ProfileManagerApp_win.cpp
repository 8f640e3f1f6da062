// Start-up on the real system: registry, resource library, mutex, window search, dialog.
#include "ProfileManagerApp_win.h"

#include "ProfilesDialog_win.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "profiles/ProfileStore.h"

#include <windows.h>

#include <cstdlib>

namespace profiles {
namespace {

// Kept until the process ends; the handle is never closed.
HANDLE g_instanceMutex = nullptr;
DWORD g_instanceMutexError = 0;

class WindowsStartup : public StartupSystem {
public:
    explicit WindowsStartup(std::string& root) : root_(root) {}

    std::string languageCode() override { return profiles::languageCode(); }
    std::string programDirectory() override {
        char path[MAX_PATH] = {};
        DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        if (length == 0 || length >= MAX_PATH) return std::string();
        return programDirectoryOf(std::string(path, length));
    }
    bool loadResources(const std::string& path) override {
        HINSTANCE library = LoadLibraryA(path.c_str());
        if (!library) return false;
        dlg::setResourceHandle(library);
        return true;
    }
    std::string text(unsigned id) override { return dlg::loadString(id); }
    std::string productKeyPath(bool withLanguage) override {
        return profiles::productKeyPath(withLanguage);
    }
    bool normaliseRoot(const std::string& candidate, std::string& full) override {
        return ProfileStore::normaliseRoot(candidate, full);
    }
    void errorBox(const std::string& message) override {
        dlg::messageBox(message, kProgramTitle, MB_OK | MB_ICONERROR, nullptr);
    }
    void standardBox(const std::string& message) override { dlg::messageBox(message, MB_OK); }
    bool anotherCopyRunning() override {
        g_instanceMutex = CreateMutexA(nullptr, FALSE, kInstanceMutexName);
        g_instanceMutexError = GetLastError();
        return g_instanceMutexError == ERROR_ALREADY_EXISTS;
    }
    bool bringForward(const std::string& title) override {
        HWND first = FindWindowA(nullptr, title.c_str());
        if (!first) return false;
        HWND popup = GetLastActivePopup(first);
        if (IsIconic(first)) ShowWindow(first, SW_RESTORE);
        SetForegroundWindow(popup ? popup : first);
        return true;
    }
    void runMainDialog(const std::string& root) override {
        root_ = root;
        ProfilesDialog dialog(root);
        dialog.doModal(nullptr);
    }

private:
    std::string& root_;
};

}  // namespace

bool ProfileManagerApp::initInstance() {
    std::vector<std::string> args;
    for (int i = 0; i < __argc; ++i) args.emplace_back(__argv[i] ? __argv[i] : "");
    WindowsStartup system(root_);
    StartupEnd end = runStartup(system, args);
    setExitCode(end == StartupEnd::NoResources || end == StartupEnd::BadRoot ? 1 : 0);
    // The work is done: no message loop follows.
    return false;
}

}  // namespace profiles
