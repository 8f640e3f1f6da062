// The general page's controls.
#include "GeneralPage.h"

#include "QuellonIds.h"
#include "TableEditorDialog.h"

#include "dialogs/DataExchange.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

namespace quellon {

GeneralPage::GeneralPage(TableEditorDialog& editor) : EditorPage(IDD_GENERAL_PAGE, editor) {}

GeneralPage::~GeneralPage() {
    if (tableIcon_) DestroyIcon(tableIcon_);
}

bool GeneralPage::onInitDialog() {
    const CPlotStyleTable& table = editor().session().table();
    if (table.colorDependent) {
        tableIcon_ = static_cast<HICON>(LoadImageA(dlg::resourceHandle(),
                                                   MAKEINTRESOURCEA(IDI_COLOR_TABLE), IMAGE_ICON,
                                                   0, 0, LR_DEFAULTSIZE));
        if (tableIcon_) SendDlgItemMessageA(hwnd(), IDC_TABLE_ICON, STM_SETICON, WPARAM(tableIcon_), 0);
    }
    recompute();
    return true;
}

void GeneralPage::recompute() {
    const EditorSession& session = editor().session();
    facts_ = generalFacts(session.table(), session.path(), editor().strings());
    if (hwnd()) loadControls();
}

void GeneralPage::loadControls() {
    const CPlotStyleTable& table = editor().session().table();
    updateData(false);
    EnableWindow(item(IDC_SCALE_FACTOR), table.applyFactor);
    const bool mapped = !table.colorDependent && table.colorMapping;
    dlg::Window button(item(IDC_SAVE_WITHOUT_MAPPING));
    button.enable(mapped);
    button.show(mapped);
}

void GeneralPage::doDataExchange(dlg::DataExchange& dx) {
    CPlotStyleTable& table = editor().session().table();
    if (!dx.saving()) {
        setItemText(IDC_FILE_NAME_TEXT, facts_.fileNameText);
        setItemText(IDC_FILE_FACTS_TEXT, facts_.factsText);
        setItemText(IDC_TABLE_DESCRIPTION, table.description);
        bool apply = table.applyFactor;
        dx.check(IDC_APPLY_SCALE, apply);
        setItemText(IDC_SCALE_FACTOR, scaleFactorText(table.scaleFactor));
        return;
    }
    GeneralInput input;
    dx.text(IDC_TABLE_DESCRIPTION, input.description);
    dx.check(IDC_APPLY_SCALE, input.applyScale);
    dx.text(IDC_SCALE_FACTOR, input.scaleText);
    const TakeResult taken = takeGeneralInput(input, editor().session(), editor().strings());
    if (!taken.ok) dx.fail(IDC_SCALE_FACTOR, taken.message);
    // Taken: the edits hold nothing pending any more.
    for (int id : {IDC_TABLE_DESCRIPTION, IDC_SCALE_FACTOR})
        SendDlgItemMessageA(hwnd(), id, EM_SETMODIFY, FALSE, 0);
}

bool GeneralPage::onCommand(int id, int code, HWND) {
    if (id == IDC_APPLY_SCALE && code == BN_CLICKED) {
        EnableWindow(item(IDC_SCALE_FACTOR), IsDlgButtonChecked(hwnd(), IDC_APPLY_SCALE) == BST_CHECKED);
        editor().setModified();
        return true;
    }
    if (id == IDC_SAVE_WITHOUT_MAPPING && code == BN_CLICKED) {
        editor().saveAs(true);
        return true;
    }
    return false;
}

bool GeneralPage::hasPendingEdits() const {
    for (int id : {IDC_SCALE_FACTOR, IDC_TABLE_DESCRIPTION})
        if (SendDlgItemMessageA(hwnd(), id, EM_GETMODIFY, 0, 0)) return true;
    return false;
}

}  // namespace quellon
