// Module state of the dialog framework: the program's title, the module whose code runs
// (instance handle and common-controls activation context), and the module that strings,
// dialog templates, icons, bitmaps and menus are looked up in (the resource handle).
#pragma once

#include <windows.h>

#include <string>

namespace dlg {

HINSTANCE resourceHandle();
void setResourceHandle(HINSTANCE module);

const std::string& appTitle();
void setAppTitle(const std::string& title);

// The module (program or DLL) the framework's application object belongs to.
HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE module);

// Loads string `id` from the resource handle; empty when there is none.
std::string loadString(UINT id);

// Switches the resource handle for the lifetime of the object (an export's duration).
class ResourceHandleScope {
public:
    explicit ResourceHandleScope(HINSTANCE module);
    ~ResourceHandleScope();
    ResourceHandleScope(const ResourceHandleScope&) = delete;
    ResourceHandleScope& operator=(const ResourceHandleScope&) = delete;

private:
    HINSTANCE previous_;
};

// A module's common-controls (version 6) activation context, made from its manifest
// resource; a DLL needs it active while its windows are created.
class ActivationContext {
public:
    ActivationContext() = default;
    ~ActivationContext();
    ActivationContext(const ActivationContext&) = delete;
    ActivationContext& operator=(const ActivationContext&) = delete;

    // Manifest resource `resourceId` of `module` (2 for a DLL, 1 for a program).
    bool create(HINSTANCE module, UINT resourceId);
    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// The module's own activation context, if one was made at initialisation.
ActivationContext& moduleActivationContext();

// What an export does first: activate the module's activation context, and deactivate it
// when the export returns. (Each module links its own copy of the framework, so the
// resource handle an export sees is always its own module's.)
class ModuleStateScope {
public:
    ModuleStateScope();
    ~ModuleStateScope();
    ModuleStateScope(const ModuleStateScope&) = delete;
    ModuleStateScope& operator=(const ModuleStateScope&) = delete;

private:
    ULONG_PTR cookie_ = 0;
    bool activated_ = false;
};

// Help by topic number: the module installs its help road; dialogs call showHelp.
using HelpHandler = void (*)(UINT topic);
void setHelpHandler(HelpHandler handler);
void showHelp(UINT topic);

}  // namespace dlg
