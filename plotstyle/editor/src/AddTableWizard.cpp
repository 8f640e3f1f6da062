// The add-table wizard's pages.
#include "AddTableWizard.h"

#include "EditorText.h"
#include "QuellonIds.h"

#include "dialogs/Window.h"

namespace quellon {

namespace {

constexpr int kMethodRadios[] = {IDC_WIZ_ADD_SCRATCH, IDC_WIZ_ADD_EXISTING, IDC_WIZ_ADD_PENS,
                                 IDC_WIZ_ADD_PCP};

}  // namespace

CAddTblWiz1::CAddTblWiz1(TableWizardSheet& owner)
    : WizardPage(IDD_ADD_WIZ_METHOD, TableWizard::kMethodPage, owner) {}

bool CAddTblWiz1::onInitDialog() {
    EnableWindow(item(IDC_WIZ_ADD_PENS), wizard().hasPens());
    return true;
}

void CAddTblWiz1::load() {
    CheckRadioButton(hwnd(), IDC_WIZ_ADD_SCRATCH, IDC_WIZ_ADD_PCP,
                     kMethodRadios[int(wizard().method())]);
}

bool CAddTblWiz1::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || id < IDC_WIZ_ADD_SCRATCH || id > IDC_WIZ_ADD_PCP) return false;
    wizard().setMethod(MakeMethod(id - IDC_WIZ_ADD_SCRATCH));
    refresh();
    return true;
}

CAddTblWiz2::CAddTblWiz2(TableWizardSheet& owner)
    : WizardPage(IDD_ADD_WIZ_TYPE, TableWizard::kTypePage, owner) {}

bool CAddTblWiz2::onInitDialog() {
    const Strings& s = owner().strings();
    setItemText(IDC_WIZ_TYPE_INTRO, fillFormat(s.text(IDS_WIZ_TYPE_INTRO),
                                               {TableWizard::kProductName}));
    setItemText(IDC_WIZ_COLOR_TEXT, s.text(IDS_WIZ_COLOR_TYPE));
    setItemText(IDC_WIZ_NAMED_TEXT, s.text(IDS_WIZ_NAMED_TYPE));
    return true;
}

void CAddTblWiz2::load() {
    CheckRadioButton(hwnd(), IDC_WIZ_TYPE_COLOR, IDC_WIZ_TYPE_NAMED,
                     wizard().colorDependent() ? IDC_WIZ_TYPE_COLOR : IDC_WIZ_TYPE_NAMED);
}

bool CAddTblWiz2::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED || (id != IDC_WIZ_TYPE_COLOR && id != IDC_WIZ_TYPE_NAMED)) return false;
    wizard().setColorDependent(id == IDC_WIZ_TYPE_COLOR);
    return true;
}

CAddTblWiz3::CAddTblWiz3(TableWizardSheet& owner)
    : WizardPage(IDD_ADD_WIZ_SOURCE, TableWizard::kSourcePage, owner) {}

void CAddTblWiz3::load() {
    setItemText(IDC_WIZ_SOURCE_LABEL, wizard().sourceLabel());
    if (itemText(IDC_WIZ_SOURCE_PATH) != wizard().sourcePath())
        setItemText(IDC_WIZ_SOURCE_PATH, wizard().sourcePath());
}

bool CAddTblWiz3::onCommand(int id, int code, HWND) {
    if (id == IDC_WIZ_SOURCE_PATH && code == EN_CHANGE) {
        wizard().setSourcePath(itemText(IDC_WIZ_SOURCE_PATH));
        refresh();
        return true;
    }
    if (id == IDC_WIZ_BROWSE && code == BN_CLICKED) {
        browseForFile(owner(), hwnd(), IDC_WIZ_SOURCE_PATH,
                      wizard().method() == MakeMethod::Pcp);
        return true;
    }
    return false;
}

bool CAddTblWiz3::leave() {
    return wizard().leaveSourcePage();
}

CAddTblWiz4::CAddTblWiz4(TableWizardSheet& owner)
    : WizardPage(IDD_ADD_WIZ_NAME, TableWizard::kNamePage, owner) {}

bool CAddTblWiz4::onInitDialog() {
    setItemText(IDC_WIZ_ADD_NAME_TEXT, owner().strings().text(IDS_WIZ_NAME_TEXT));
    return true;
}

void CAddTblWiz4::load() {
    if (itemText(IDC_WIZ_ADD_NAME) != wizard().nameText())
        setItemText(IDC_WIZ_ADD_NAME, wizard().nameText());
}

bool CAddTblWiz4::onCommand(int id, int code, HWND) {
    if (id != IDC_WIZ_ADD_NAME || code != EN_CHANGE) return false;
    wizard().setNameText(itemText(IDC_WIZ_ADD_NAME));
    refresh();
    return true;
}

bool CAddTblWiz4::leave() {
    if (wizard().acceptName()) return true;
    setItemText(IDC_WIZ_ADD_NAME, "");
    dlg::Window(item(IDC_WIZ_ADD_NAME)).focus();
    return false;
}

CAddTblWiz5::CAddTblWiz5(TableWizardSheet& owner)
    : WizardPage(IDD_ADD_WIZ_FINISH, TableWizard::kFinishPage, owner) {}

void CAddTblWiz5::load() {
    setItemText(IDC_WIZ_ADD_SUMMARY, wizard().summary());
    setItemText(IDC_WIZ_NAMED_NOTE, wizard().note());
}

bool CAddTblWiz5::onCommand(int id, int code, HWND) {
    if (id != IDC_WIZ_EDIT_TABLE || code != BN_CLICKED) return false;
    wizard().edit();
    return true;
}

namespace {
WizardSetup addSetup(const std::string& directory, const PenSettings* pens, bool penFlag) {
    WizardSetup setup;
    setup.kind = WizardKind::Add;
    setup.directory = directory;
    setup.pens = pens;
    setup.penFlag = penFlag;
    return setup;
}
}  // namespace

AddTableWizard::AddTableWizard(const std::string& directory, const PenSettings* pens,
                               bool penFlag)
    : TableWizardSheet(addSetup(directory, pens, penFlag)),
      method_(*this),
      type_(*this),
      source_(*this),
      name_(*this),
      finish_(*this) {
    addPage(method_);
    addPage(type_);
    addPage(source_);
    addPage(name_);
    addPage(finish_);
}

bool runAddTableWizard(const std::string& directory, const PenSettings* pens, bool penFlag,
                       HWND parent, std::string& name) {
    AddTableWizard wizard(directory, pens, penFlag);
    if (!wizard.run(parent)) return false;
    name = wizard.wizard().result();
    return true;
}

}  // namespace quellon
