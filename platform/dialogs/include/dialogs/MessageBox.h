// The framework's standard message box: the given text under the program's title.
#pragma once

#include <windows.h>

#include <string>

namespace dlg {

// Shows `text` with the program's title; `type` takes the MB_ flags. Returns the button.
int messageBox(const std::string& text, UINT type = MB_OK | MB_ICONEXCLAMATION,
               HWND owner = nullptr);
// The same with string `id` of the resource handle as the text.
int messageBox(UINT id, UINT type = MB_OK | MB_ICONEXCLAMATION, HWND owner = nullptr);
// The same under a caption of the caller's (a dialog's own title, say).
int messageBoxTitled(const std::string& text, const std::string& title, UINT type, HWND owner);

// Tests replace the box with a recorder so no window waits for a click.
using MessageBoxHook = int (*)(HWND owner, const std::string& text, const std::string& title,
                               UINT type);
void setMessageBoxHook(MessageBoxHook hook);

}  // namespace dlg
