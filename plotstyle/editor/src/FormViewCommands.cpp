// The style commands and lineweight editing wired to the form view's list and dialogs.
#include "FormViewCommands.h"

#include "LineweightDialog.h"
#include "Narrow_win.h"
#include "QuellonIds.h"
#include "StyleNameDialog.h"
#include "TableEditorDialog.h"

#include "dialogs/MessageBox.h"

#include <commctrl.h>

namespace quellon {

FormViewCommands::FormViewCommands(HWND page, StyleList& list, TableEditorDialog& editor,
                                   FormViewModel& model)
    : page_(page),
      list_(list),
      editor_(editor),
      model_(model),
      clipboard_(page),
      commands_(editor.session(), *this, clipboard_, editor.strings()) {}

HWND FormViewCommands::root() const {
    return GetAncestor(page_, GA_ROOT);
}

StyleMenuState FormViewCommands::menuState() {
    return commands_.menuState(model_.propertiesEnabled());
}

void FormViewCommands::run(int id) {
    if (id == IDC_EDIT_LINEWEIGHTS)
        editLineweights();
    else
        commands_.run(id);
}

void FormViewCommands::editLineweights() {
    // What was typed for the selected styles goes to them before the controls are shown
    // again from the table.
    model_.commitAll();
    CPlotStyleTable& table = editor_.session().table();
    LineweightDialog dialog(table, editor_.strings());
    if (dialog.doModal(root()) != IDOK || !dialog.model().apply(table)) return;
    editor_.setModified();
    model_.refillLineweights();
    model_.refresh();
}

LRESULT FormViewCommands::beginLabelEdit(const NMHDR& header) {
    const int item = reinterpret_cast<const NMLVDISPINFOA&>(header).item.iItem;
    return commands_.canBeginRename(item) ? FALSE : TRUE;
}

LRESULT FormViewCommands::endLabelEdit(const NMHDR& header) {
    std::string text;
    int item = -1;
    if (header.code == LVN_ENDLABELEDITW) {
        const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
        if (!info.item.pszText) return FALSE;  // cancelled, or left as it was
        item = info.item.iItem;
        text = narrow(info.item.pszText);
    } else {
        const auto& info = reinterpret_cast<const NMLVDISPINFOA&>(header);
        if (!info.item.pszText) return FALSE;
        item = info.item.iItem;
        text = info.item.pszText;
    }
    std::string shown;
    // The item shows the name as the table took it (trimmed), not the text as typed.
    if (commands_.finishRename(item, text, shown)) list_.setItemText(item, 0, shown);
    return FALSE;
}

void FormViewCommands::showPendingMessages() {
    std::vector<std::string> messages;
    messages.swap(pending_);
    for (const std::string& text : messages)
        dlg::messageBox(text, editor_.caption(), MB_OK | MB_ICONSTOP, root());
}

// ---------------------------------------------------------------- the commands' view

std::vector<int> FormViewCommands::selectedStyles() const {
    return list_.selectedItems();
}

void FormViewCommands::insertItem(int index, const std::string& text) {
    list_.insert(index, text);
}

void FormViewCommands::removeItem(int index) {
    list_.remove(index);
}

void FormViewCommands::selectOnly(int index) {
    list_.selectOnly(index);
}

void FormViewCommands::beginRename(int index) {
    InvalidateRect(page_, nullptr, TRUE);
    UpdateWindow(page_);
    list_.focus();
    list_.editLabel(index);
}

bool FormViewCommands::askStyleName(const std::string& proposed, std::string& name) {
    StyleNameDialog dialog(editor_.session().table(), editor_.strings(), proposed);
    if (dialog.doModal(root()) != IDOK) return false;
    name = dialog.name();
    return true;
}

void FormViewCommands::showStop(const std::string& text) {
    // Only renaming says something, from inside the list's end of the edit.
    pending_.push_back(text);
    PostMessageA(page_, kShowPendingMessages, 0, 0);
}

}  // namespace quellon
