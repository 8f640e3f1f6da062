// The table editor: a modal dialog over one plot style table, with the general page and
// the form view on two tabs. It owns the table (deleted when the dialog object goes, after
// its pages) and does the saving: save and close, save as (with or without the colour
// mapping), and the question on closing with unsaved changes.
#pragma once

#include "EditorPage.h"
#include "EditorSession.h"
#include "ResourceStrings.h"

#include "dialogs/Dialog.h"

#include <memory>
#include <string>

namespace quellon {

class GeneralPage;
class FormViewPage;

class TableEditorDialog : public dlg::Dialog {
public:
    enum Page { kGeneralPage = 0, kFormViewPage = 1, kPageCount = 2 };

    TableEditorDialog(TablePtr table, std::string path);
    ~TableEditorDialog() override;

    EditorSession& session() { return session_; }
    const Strings& strings() const { return strings_; }
    void setModified() { session_.setModified(); }
    // True once the table was written while the dialog was open.
    bool saved() const { return session_.saved(); }

    int currentPage() const { return current_; }
    GeneralPage* generalPage() const;
    FormViewPage* formViewPage() const;
    // Switches to `page` as a click on its tab does; false when the shown page refused its
    // data (a value out of range).
    bool selectPage(int page);

    // Takes the dialog's and the shown page's data; false when a value was refused.
    bool takeData();
    // Save as, asked for by a page: the file dialog, then the write. With `removeMapping`
    // the table is saved without its colour mapping.
    bool saveAs(bool removeMapping);
    // The save and close button.
    void saveAndClose();

    // The caption: the editor's title with the file's name and extension.
    std::string caption() const;

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    void onOK() override;
    void onCancel() override;
    // Where to save as: the system's save dialog, starting at the current path; true with
    // `path` set when the user confirmed.
    virtual bool askSavePath(std::string& path);

private:
    bool saveTo(const std::string& path);
    void showPage(int page);
    // Shows `text` under the dialog's caption; returns the button pressed.
    int ask(const std::string& text, UINT type) const;

    EditorSession session_;  // before the pages: they go first
    ResourceStrings strings_;
    std::unique_ptr<EditorPage> pages_[kPageCount];
    int current_ = kFormViewPage;
    HICON bigIcon_ = nullptr, smallIcon_ = nullptr, helpIcon_ = nullptr;
};

// Runs the editor modally on `table` (taken over: deleted before the call returns, a null
// table gives false at once) for the file `path`. True when the table was written at least
// once while the dialog was open.
bool runTableEditor(CPlotStyleTable* table, const std::string& path, HWND parent);

}  // namespace quellon
