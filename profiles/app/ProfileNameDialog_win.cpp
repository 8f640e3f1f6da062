// The profile name dialog.
#include "ProfileNameDialog_win.h"

#include "ManagerBoxes_win.h"
#include "NameRules.h"
#include "RostelleIds.h"
#include "dialogs/DataExchange.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

namespace profiles {
namespace {

constexpr int kNameLimit = 260;
// A longer description would be stored but read back as empty (the store reads 1023).
constexpr int kDescriptionLimit = 1023;

bool isLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

ProfileNameDialog::ProfileNameDialog() : dlg::Dialog(IDD_PROFILE_NAME) {}

bool ProfileNameDialog::onInitDialog() {
    SetWindowTextA(hwnd(), caption.c_str());
    setItemText(IDC_NAME_LABEL, dlg::loadString(IDS_NAME_LABEL));
    setItemText(IDC_DESCRIPTION_LABEL, dlg::loadString(IDS_DESCRIPTION_LABEL));
    dlg::Edit nameEdit, descriptionEdit;
    nameEdit.attach(hwnd(), IDC_NAME_EDIT);
    nameEdit.limitText(kNameLimit);
    descriptionEdit.attach(hwnd(), IDC_DESCRIPTION_EDIT);
    descriptionEdit.limitText(kDescriptionLimit);
    updateData(false);
    return true;
}

void ProfileNameDialog::doDataExchange(dlg::DataExchange& dx) {
    dx.text(IDC_NAME_EDIT, name);
    dx.text(IDC_DESCRIPTION_EDIT, description);
}

void ProfileNameDialog::refuse(const std::string& text) {
    warnBox(hwnd(), text);
    HWND edit = item(IDC_NAME_EDIT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
}

void ProfileNameDialog::onOK() {
    if (!updateData(true)) return;
    switch (checkProfileName(name, isLeadByte)) {
        case NameCheck::Empty:
            refuse(dlg::loadString(IDS_NAME_EMPTY));
            return;
        case NameCheck::Forbidden:
            refuse(fillStrings(dlg::loadString(IDS_NAME_FORBIDDEN), {name}));
            return;
        case NameCheck::Ok:
            break;
    }
    endDialog(IDOK);
}

}  // namespace profiles
