// The about box and the routing of its link's colour and click.
#include "AboutDialog_win.h"

#include "RostelleIds.h"

namespace profiles {

AboutDialog::AboutDialog() : dlg::Dialog(IDD_ABOUT) {}

bool AboutDialog::onInitDialog() {
    link.attach(hwnd(), IDC_ABOUT_LINK);
    return true;
}

bool AboutDialog::onCommand(int id, int code, HWND) {
    if (id != IDC_ABOUT_LINK || code != STN_CLICKED) return false;
    link.click();
    return true;
}

bool AboutDialog::onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
    if (msg != WM_CTLCOLORSTATIC || reinterpret_cast<HWND>(l) != link.hwnd() || !link.hwnd())
        return false;
    result = reinterpret_cast<LRESULT>(link.controlColour(reinterpret_cast<HDC>(w)));
    return true;
}

}  // namespace profiles
