// The system's file and colour dialogs as data in, data out.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <string>

namespace dlg {

struct FileDialog {
    bool open = true;              // false: a save dialog
    std::string defaultExtension;  // without the dot
    std::string fileName;          // in: initial name or path; out: the chosen path
    std::string filter;            // "Text (*.txt)|*.txt|All (*.*)|*.*||"
    DWORD flags = OFN_HIDEREADONLY;
    HWND owner = nullptr;

    // Shows the dialog; true and fileName set when the user confirmed.
    bool run();
};

// The framework's "|"-separated filter as the system wants it (NUL separated, two NULs).
std::string systemFilter(const std::string& filter);

struct ColorDialog {
    COLORREF color = 0;     // in: the starting colour; out: the chosen one
    bool fullOpen = false;  // show the custom-colour part at once
    bool startWithColor = true;
    HWND owner = nullptr;

    bool run();
};

}  // namespace dlg
