// The base of the table editor's two pages: a modeless child dialog of the editor, placed
// in the tab control's display area, enabled and shown only while its tab is selected.
#pragma once

#include "dialogs/Dialog.h"

namespace quellon {

class TableEditorDialog;

class EditorPage : public dlg::Dialog {
public:
    EditorPage(UINT templateId, TableEditorDialog& editor);

    // Enables, shows and repaints the page.
    virtual void show();
    // True when one of the page's edits holds a change not yet taken into the table.
    virtual bool hasPendingEdits() const = 0;
    // Creates the page from its template and moves it to the top-left corner of the tab
    // control's display area, keeping its own size.
    virtual bool createAndPlace(HWND tabControl);

    // Disables and hides the page.
    void hide();
    // Takes what the page's controls hold into the table; false when a value was refused
    // (the message has been shown and the control has the focus).
    bool takeData() { return updateData(true); }

protected:
    TableEditorDialog& editor() const { return editor_; }

private:
    TableEditorDialog& editor_;
};

}  // namespace quellon
