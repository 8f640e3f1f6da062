// editor-host's pictures of the editor's smaller windows: the style list's menu, the
// lineweight dialog and the style name dialog, each opened over a running editor as a user
// opens it, photographed, and closed again without a change.
#pragma once

#include "TableEditorDialog.h"

#include <string>

namespace editor_host {

// `what` is "menu", "lineweights" or "name". Opens it, waits `hold` ms, saves the picture
// as the PNG file `png` (the editor with the menu over it, or the dialog alone) and closes
// it. False with `error` set when it did not open or the picture was not saved.
bool showAndCapture(quellon::TableEditorDialog& editor, const std::string& what,
                    const std::string& png, DWORD hold, std::string& error);

}  // namespace editor_host
