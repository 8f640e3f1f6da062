// The dialog in which the user picks or types the middle part of a profiles key path, with
// the recently used roots to choose from. Data out: the full, tested root path after OK.
#pragma once

#include "dialogs/Dialog.h"
#include "dialogs/Window.h"

#include <string>

namespace profiles {

class ProfileRootDialog : public dlg::Dialog {
public:
    ProfileRootDialog();

    // The full root path accepted by OK; empty until then.
    std::string chosenRoot;
    // Where the recent roots are kept (string 124 unless set before the dialog runs).
    std::string recentRootsKey;

protected:
    bool onInitDialog() override;
    void onOK() override;

private:
    dlg::ComboBox combo_;
};

}  // namespace profiles
