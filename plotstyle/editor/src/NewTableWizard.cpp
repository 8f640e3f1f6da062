// The new-table wizard's pages.
#include "NewTableWizard.h"

#include "QuellonIds.h"

#include "dialogs/Window.h"

namespace quellon {

namespace {

// The radios in the order of the page: scratch, pen settings, PCP file.
int radioOf(MakeMethod method) {
    switch (method) {
        case MakeMethod::Scratch: return IDC_WIZ_NEW_SCRATCH;
        case MakeMethod::PenSettings: return IDC_WIZ_NEW_PENS;
        default: return IDC_WIZ_NEW_PCP;
    }
}

}  // namespace

CNewTblWiz1::CNewTblWiz1(TableWizardSheet& owner)
    : WizardPage(IDD_NEW_WIZ_METHOD, TableWizard::kMethodPage, owner) {}

bool CNewTblWiz1::onInitDialog() {
    const Strings& s = owner().strings();
    const bool color = wizard().colorDependent();
    setItemText(IDC_WIZ_NEW_METHOD_TEXT,
                s.text(color ? IDS_WIZ_NEW_COLOR_TEXT : IDS_WIZ_NEW_NAMED_TEXT) +
                    s.text(color ? IDS_WIZ_NEW_COLOR_TEXT_END : IDS_WIZ_NEW_NAMED_TEXT_END));
    EnableWindow(item(IDC_WIZ_NEW_PENS), wizard().hasPens());
    return true;
}

void CNewTblWiz1::load() {
    CheckRadioButton(hwnd(), IDC_WIZ_NEW_SCRATCH, IDC_WIZ_NEW_PCP, radioOf(wizard().method()));
}

bool CNewTblWiz1::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_WIZ_NEW_SCRATCH: wizard().setMethod(MakeMethod::Scratch); return true;
        case IDC_WIZ_NEW_PENS: wizard().setMethod(MakeMethod::PenSettings); return true;
        case IDC_WIZ_NEW_PCP: wizard().setMethod(MakeMethod::Pcp); return true;
        default: return false;
    }
}

CNewTblWiz2::CNewTblWiz2(TableWizardSheet& owner)
    : WizardPage(IDD_NEW_WIZ_PCP, TableWizard::kSourcePage, owner) {}

void CNewTblWiz2::load() {
    if (itemText(IDC_WIZ_PCP_PATH) != wizard().sourcePath())
        setItemText(IDC_WIZ_PCP_PATH, wizard().sourcePath());
}

bool CNewTblWiz2::onCommand(int id, int code, HWND) {
    if (id == IDC_WIZ_PCP_PATH && code == EN_CHANGE) {
        wizard().setSourcePath(itemText(IDC_WIZ_PCP_PATH));
        refresh();
        return true;
    }
    if (id == IDC_WIZ_BROWSE && code == BN_CLICKED) {
        browseForFile(owner(), hwnd(), IDC_WIZ_PCP_PATH, true);
        return true;
    }
    return false;
}

CNewTblWiz3::CNewTblWiz3(TableWizardSheet& owner)
    : WizardPage(IDD_NEW_WIZ_NAME, TableWizard::kNamePage, owner) {}

bool CNewTblWiz3::onInitDialog() {
    setItemText(IDC_WIZ_NEW_NAME_TEXT, owner().strings().text(IDS_WIZ_NAME_TEXT));
    return true;
}

void CNewTblWiz3::load() {
    if (itemText(IDC_WIZ_NEW_NAME) != wizard().nameText())
        setItemText(IDC_WIZ_NEW_NAME, wizard().nameText());
}

bool CNewTblWiz3::onCommand(int id, int code, HWND) {
    if (id != IDC_WIZ_NEW_NAME || code != EN_CHANGE) return false;
    wizard().setNameText(itemText(IDC_WIZ_NEW_NAME));
    refresh();
    return true;
}

bool CNewTblWiz3::leave() {
    if (wizard().acceptName()) return true;
    setItemText(IDC_WIZ_NEW_NAME, "");
    dlg::Window(item(IDC_WIZ_NEW_NAME)).focus();
    return false;
}

CNewTblWiz4::CNewTblWiz4(TableWizardSheet& owner)
    : WizardPage(IDD_NEW_WIZ_FINISH, TableWizard::kFinishPage, owner) {}

void CNewTblWiz4::load() {
    setItemText(IDC_WIZ_NEW_SUMMARY, wizard().summary());
    setItemText(IDC_WIZ_NAMED_NOTE, wizard().note());
    CheckDlgButton(hwnd(), IDC_WIZ_RETURN_NAME, wizard().returnName() ? BST_CHECKED : BST_UNCHECKED);
}

bool CNewTblWiz4::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    if (id == IDC_WIZ_RETURN_NAME) {
        wizard().setReturnName(IsDlgButtonChecked(hwnd(), IDC_WIZ_RETURN_NAME) == BST_CHECKED);
        return true;
    }
    if (id == IDC_WIZ_EDIT_TABLE) {
        wizard().edit();
        return true;
    }
    return false;
}

namespace {
WizardSetup newSetup(bool colorDependent, const std::string& directory, const PenSettings* pens,
                     bool penFlag) {
    WizardSetup setup;
    setup.kind = WizardKind::New;
    setup.colorDependent = colorDependent;
    setup.directory = directory;
    setup.pens = pens;
    setup.penFlag = penFlag;
    return setup;
}
}  // namespace

NewTableWizard::NewTableWizard(bool colorDependent, const std::string& directory,
                               const PenSettings* pens, bool penFlag)
    : TableWizardSheet(newSetup(colorDependent, directory, pens, penFlag)),
      method_(*this),
      pcp_(*this),
      name_(*this),
      finish_(*this) {
    addPage(method_);
    addPage(pcp_);
    addPage(name_);
    addPage(finish_);
}

bool runNewTableWizard(bool colorDependent, const std::string& directory,
                       const PenSettings* pens, bool penFlag, HWND parent, std::string& name) {
    NewTableWizard wizard(colorDependent, directory, pens, penFlag);
    if (!wizard.run(parent)) return false;
    name = wizard.wizard().result();
    return true;
}

}  // namespace quellon
