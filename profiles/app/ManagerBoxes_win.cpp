// Message boxes under the main dialog's title.
#include "ManagerBoxes_win.h"

#include "RostelleIds.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"

namespace profiles {
namespace {

UINT styleOf(Question style) {
    switch (style) {
        case Question::YesDefault: return MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON1;
        case Question::NoDefault: return MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2;
        case Question::Stop: return MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2;
    }
    return MB_YESNO | MB_ICONEXCLAMATION;
}

}  // namespace

void warnBox(HWND owner, const std::string& text) {
    dlg::messageBox(text, dlg::loadString(IDS_TITLE), MB_OK | MB_ICONEXCLAMATION, owner);
}

bool questionBox(HWND owner, const std::string& text, Question style) {
    return dlg::messageBox(text, dlg::loadString(IDS_TITLE), styleOf(style), owner) == IDYES;
}

}  // namespace profiles
