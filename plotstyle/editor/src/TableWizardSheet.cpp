// The wizard sheet and the pages' common behaviour.
#include "TableWizardSheet.h"

#include "QuellonIds.h"
#include "TableEditorDialog.h"

#include "dialogs/MessageBox.h"
#include "dialogs/Window.h"

namespace quellon {

WizardPage::WizardPage(UINT templateId, TableWizard::Page page, TableWizardSheet& owner)
    : dlg::PropertyPage(templateId), page_(page), owner_(owner) {
    setHelpTopic(IDH_WIZARD);
    // The sheet shows the page's title in its title bar while the page is up.
    setTitle(owner.wizard().caption(page));
}

TableWizard& WizardPage::wizard() const {
    return owner_.wizard();
}

void WizardPage::refresh() const {
    const WizardButtons b = wizard().buttons(page_);
    setWizardButtons((b.back ? PSWIZB_BACK : 0) | (b.next ? PSWIZB_NEXT : 0) |
                     (b.finish ? PSWIZB_FINISH : 0));
    if (wizard().kind() != WizardKind::Add) return;
    const auto steps = wizard().steps();
    for (int i = 0; i < int(steps.size()); ++i)
        EnableWindow(item(IDC_WIZ_STEP_FIRST + i), steps[std::size_t(i)]);
}

bool WizardPage::onSetActive() {
    load();
    refresh();
    return true;
}

LRESULT WizardPage::onWizardNext() {
    if (!leave()) return -1;
    return LRESULT(owner_.templateOf(wizard().nextPage(page_)));
}

LRESULT WizardPage::onWizardBack() {
    return LRESULT(owner_.templateOf(wizard().backPage(page_)));
}

bool WizardPage::onWizardFinish() {
    return wizard().finish();
}

TableWizardSheet::TableWizardSheet(const WizardSetup& setup)
    : wizard_(setup, strings_, *this), sheet_(wizard_.caption(TableWizard::kMethodPage)) {
    sheet_.setWizardMode();
}

UINT TableWizardSheet::templateOf(TableWizard::Page page) const {
    static const UINT add[] = {IDD_ADD_WIZ_METHOD, IDD_ADD_WIZ_TYPE, IDD_ADD_WIZ_SOURCE,
                               IDD_ADD_WIZ_NAME, IDD_ADD_WIZ_FINISH};
    static const UINT added[] = {IDD_NEW_WIZ_METHOD, 0, IDD_NEW_WIZ_PCP, IDD_NEW_WIZ_NAME,
                                 IDD_NEW_WIZ_FINISH};
    return (wizard_.kind() == WizardKind::Add ? add : added)[page];
}

bool TableWizardSheet::run(HWND parent) {
    wizard_.open();
    return sheet_.doModal(parent) == IDOK;
}

void TableWizardSheet::showMessage(const std::string& text) {
    dlg::messageBox(text, dlg::Window(hwnd()).text(), MB_OK | MB_ICONEXCLAMATION, hwnd());
}

WizardHost::EditorOutcome TableWizardSheet::runEditor(TablePtr table, const std::string& path) {
    // The editor the first form of editPStyleTable runs, over the sheet.
    TableEditorDialog editor(std::move(table), path);
    editor.doModal(hwnd());
    return EditorOutcome{editor.saved(), editor.session().writtenPaths()};
}

bool TableWizardSheet::fileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool TableWizardSheet::askOpenPath(dlg::FileDialog& dialog, std::string& path) {
    if (!dialog.run()) return false;
    path = dialog.fileName;
    return true;
}

bool browseForFile(TableWizardSheet& owner, HWND page, int editId, bool pcp) {
    dlg::FileDialog dialog;
    dialog.open = true;
    dialog.flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    dialog.filter = owner.strings().text(pcp ? IDS_WIZ_PCP_FILTER : IDS_WIZ_TABLE_FILTER);
    if (pcp) dialog.defaultExtension = "pcp";
    dialog.fileName = dlg::Window(GetDlgItem(page, editId)).text();
    dialog.owner = owner.hwnd();
    std::string path;
    if (!owner.askOpenPath(dialog, path)) return false;
    SetDlgItemTextA(page, editId, path.c_str());
    return true;
}

}  // namespace quellon
