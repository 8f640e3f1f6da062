// The small dialog in which a profile name and description are typed, for New, Copy, Rename
// and Import: data in, data out, and OK only for a name the profile manager accepts.
#pragma once

#include "dialogs/Dialog.h"

#include <string>

namespace profiles {

class ProfileNameDialog : public dlg::Dialog {
public:
    ProfileNameDialog();

    std::string caption;
    std::string name;
    std::string description;

protected:
    bool onInitDialog() override;
    void doDataExchange(dlg::DataExchange& dx) override;
    void onOK() override;

private:
    void refuse(const std::string& text);
};

}  // namespace profiles
