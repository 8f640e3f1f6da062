// The style name dialog over the naming rules.
#include "StyleNameDialog.h"

#include "QuellonIds.h"
#include "StyleNames.h"

namespace quellon {

StyleNameDialog::StyleNameDialog(const CPlotStyleTable& table, const Strings& strings,
                                 std::string proposed)
    : dlg::Dialog(IDD_STYLE_NAME), table_(table), strings_(strings), name_(std::move(proposed)) {}

bool StyleNameDialog::onInitDialog() {
    setItemText(IDC_STYLE_NAME, name_);  // the change notice judges it
    judge();
    HWND edit = item(IDC_STYLE_NAME);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    return false;  // the focus is placed
}

bool StyleNameDialog::judge() {
    const NameVerdict verdict = judgeNewStyleName(table_, itemText(IDC_STYLE_NAME), strings_);
    setItemText(IDC_STYLE_NAME_MESSAGE, verdict.message);
    EnableWindow(item(IDOK), verdict.acceptable);
    if (verdict.acceptable) name_ = verdict.name;
    return verdict.acceptable;
}

bool StyleNameDialog::onCommand(int id, int code, HWND) {
    if (id != IDC_STYLE_NAME || code != EN_CHANGE) return false;
    judge();
    return true;
}

void StyleNameDialog::onOK() {
    // The return key reaches here even while the button is off.
    if (judge()) endDialog(IDOK);
}

}  // namespace quellon
