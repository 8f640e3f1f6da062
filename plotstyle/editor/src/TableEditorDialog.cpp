// The table editor dialog: tabs and pages, saving, closing.
#include "TableEditorDialog.h"

#include "EditorText.h"
#include "FormViewPage.h"
#include "GeneralPage.h"
#include "QuellonIds.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

#include <commctrl.h>

namespace quellon {

TableEditorDialog::TableEditorDialog(TablePtr table, std::string path)
    : dlg::Dialog(IDD_TABLE_EDITOR), session_(std::move(table), std::move(path)) {
    setHelpTopic(IDH_TABLE_EDITOR);
    // Owner-drawn combos of the form view are measured while it is created, so its object
    // exists from the start; both pages are created when the dialog opens.
    pages_[kGeneralPage].reset(new GeneralPage(*this));
    pages_[kFormViewPage].reset(new FormViewPage(*this));
}

TableEditorDialog::~TableEditorDialog() {
    for (auto& page : pages_) page.reset();
    for (HICON icon : {bigIcon_, smallIcon_, helpIcon_})
        if (icon) DestroyIcon(icon);
}

GeneralPage* TableEditorDialog::generalPage() const {
    return static_cast<GeneralPage*>(pages_[kGeneralPage].get());
}

FormViewPage* TableEditorDialog::formViewPage() const {
    return static_cast<FormViewPage*>(pages_[kFormViewPage].get());
}

std::string TableEditorDialog::caption() const {
    const std::string name = fileNameOf(session_.path());
    return fillFormat(strings_.text(IDS_EDITOR_CAPTION), {stemOf(name), extensionOf(name)});
}

bool TableEditorDialog::onInitDialog() {
    HINSTANCE resources = dlg::resourceHandle();
    bigIcon_ = static_cast<HICON>(LoadImageA(resources, MAKEINTRESOURCEA(IDI_EDITOR), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), 0));
    smallIcon_ = static_cast<HICON>(LoadImageA(resources, MAKEINTRESOURCEA(IDI_EDITOR),
                                               IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), 0));
    if (bigIcon_) SendMessageA(hwnd(), WM_SETICON, ICON_BIG, LPARAM(bigIcon_));
    if (smallIcon_) SendMessageA(hwnd(), WM_SETICON, ICON_SMALL, LPARAM(smallIcon_));
    helpIcon_ = static_cast<HICON>(
        LoadImageA(resources, MAKEINTRESOURCEA(IDI_HELP), IMAGE_ICON, 16, 16, 0));
    dlg::Button help;
    help.attach(item(IDC_HELP_BUTTON));
    if (helpIcon_) help.setIcon(helpIcon_);

    dlg::TabControl tabs;
    tabs.attach(hwnd(), IDC_PAGE_TABS);
    const UINT captions[kPageCount] = {IDS_GENERAL_TAB, IDS_FORM_VIEW_TAB};
    for (int p = 0; p < kPageCount; ++p) {
        tabs.insert(p, strings_.text(captions[p]));
        if (!pages_[p]->createAndPlace(tabs.hwnd())) {
            endDialog(IDABORT);
            return false;
        }
        pages_[p]->hide();
    }
    tabs.select(current_);
    pages_[current_]->show();
    SetWindowTextA(hwnd(), caption().c_str());
    return true;
}

void TableEditorDialog::showPage(int page) {
    if (page == current_) return;
    pages_[current_]->hide();
    current_ = page;
    pages_[current_]->show();
}

bool TableEditorDialog::selectPage(int page) {
    if (page < 0 || page >= kPageCount) return false;
    if (page == current_) return true;
    if (!takeData()) return false;
    dlg::TabControl tabs;
    tabs.attach(hwnd(), IDC_PAGE_TABS);
    tabs.select(page);
    showPage(page);
    return true;
}

bool TableEditorDialog::takeData() {
    return updateData(true) && pages_[current_]->takeData();
}

int TableEditorDialog::ask(const std::string& text, UINT type) const {
    return dlg::messageBox(text, dlg::Window(hwnd()).text(), type, hwnd());
}

bool TableEditorDialog::saveTo(const std::string& path) {
    if (session_.save(path)) return true;
    ask(strings_.text(IDS_WRITE_FAILED), MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void TableEditorDialog::saveAndClose() {
    if (!takeData()) return;
    // A failed write leaves the dialog open with the edits, so they are not lost with it.
    if (session_.modified() && !saveTo(session_.path())) return;
    endDialog(IDOK);
}

bool TableEditorDialog::saveAs(bool removeMapping) {
    // What the page shows is what gets saved, and the general page reloads its controls
    // afterwards: take the typed values first.
    if (!takeData()) return false;
    std::string path;
    if (!askSavePath(path)) return false;
    if (!session_.saveAs(path, removeMapping)) {
        ask(strings_.text(IDS_WRITE_FAILED), MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    SetWindowTextA(hwnd(), caption().c_str());
    generalPage()->recompute();
    formViewPage()->tableReplaced();
    return true;
}

bool TableEditorDialog::askSavePath(std::string& path) {
    const bool colorTable = session_.table().colorDependent;
    dlg::FileDialog file;
    file.open = false;
    file.defaultExtension = colorTable ? "ctb" : "stb";
    file.fileName = session_.path();
    file.filter = strings_.text(colorTable ? IDS_COLOR_FILTER : IDS_NAMED_FILTER);
    file.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    file.owner = hwnd();
    if (!file.run()) return false;
    path = file.fileName;
    return true;
}

bool TableEditorDialog::onCommand(int id, int code, HWND) {
    if (id == IDC_SAVE_CLOSE && code == BN_CLICKED) {
        saveAndClose();
        return true;
    }
    return false;
}

bool TableEditorDialog::onNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_PAGE_TABS) return false;
    if (header.code == TCN_SELCHANGING) {
        result = takeData() ? FALSE : TRUE;  // TRUE keeps the current tab
        return true;
    }
    if (header.code == TCN_SELCHANGE) {
        dlg::TabControl tabs;
        tabs.attach(header.hwndFrom);
        showPage(tabs.selection());
        return true;
    }
    return false;
}

void TableEditorDialog::onOK() {
    // The return key: take what was typed, stay open.
    takeData();
}

void TableEditorDialog::onCancel() {
    bool pending = false;
    for (const auto& page : pages_) pending = pending || page->hasPendingEdits();
    if (!session_.modified() && !pending) return endDialog(IDCANCEL);
    switch (ask(strings_.text(IDS_SAVE_CHANGES), MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
        case IDYES:
            if (!takeData()) return;
            if (!saveTo(session_.path())) return;  // stay open with the edits
            return endDialog(IDOK);
        case IDNO:
            return endDialog(IDCANCEL);
        default:
            return;
    }
}

bool runTableEditor(CPlotStyleTable* table, const std::string& path, HWND parent) {
    TablePtr owned(table);
    if (!owned) return false;
    try {
        TableEditorDialog editor(std::move(owned), path);
        editor.doModal(parent);
        return editor.saved();
    } catch (...) {
        return false;  // no memory for the dialog: the table went with it
    }
}

}  // namespace quellon
