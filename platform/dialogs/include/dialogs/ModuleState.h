// Module state of the dialog framework: the program's title and the module that strings,
// dialog templates, icons, bitmaps and menus are looked up in (the resource handle).
#pragma once

#include <windows.h>

#include <string>

namespace dlg {

HINSTANCE resourceHandle();
void setResourceHandle(HINSTANCE module);

const std::string& appTitle();
void setAppTitle(const std::string& title);

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

}  // namespace dlg
