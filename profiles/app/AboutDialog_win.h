// The about box: the program's name and a link to its web address.
#pragma once

#include "HyperlinkControl_win.h"
#include "dialogs/Dialog.h"

namespace profiles {

class AboutDialog : public dlg::Dialog {
public:
    AboutDialog();
    // Set its address and visited state before the box runs; read the state back after.
    HyperlinkControl link;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
};

}  // namespace profiles
