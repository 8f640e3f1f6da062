// The form view's style commands and lineweight button on its real list: the style
// commands' view over the list and the editor's dialogs, the system clipboard, in-place
// renaming of list items, and the lineweight dialog applied to the table.
#pragma once

#include "ClipboardStyle_win.h"
#include "StyleCommands.h"
#include "StyleList.h"

#include <string>
#include <vector>

namespace quellon {

class TableEditorDialog;

class FormViewCommands : private StyleCommandView {
public:
    // Posted to the page to show a refusal once the list's in-place edit has gone (a box
    // shown while the list ends the edit takes the focus from it in the middle of that).
    static constexpr UINT kShowPendingMessages = WM_APP + 14;

    FormViewCommands(HWND page, StyleList& list, TableEditorDialog& editor, FormViewModel& model);

    StyleCommands& commands() { return commands_; }
    // What the style list's menu offers now.
    StyleMenuState menuState();
    // A style command (603..608) or the lineweight button (430).
    void run(int id);
    // The list's notifications of in-place label editing; the result to return for them.
    LRESULT beginLabelEdit(const NMHDR& header);
    LRESULT endLabelEdit(const NMHDR& header);
    // Shows the messages kept for after the edit (kShowPendingMessages).
    void showPendingMessages();

private:
    void editLineweights();
    HWND root() const;

    // StyleCommandView
    std::vector<int> selectedStyles() const override;
    void insertItem(int index, const std::string& text) override;
    void removeItem(int index) override;
    void selectOnly(int index) override;
    void beginRename(int index) override;
    bool askStyleName(const std::string& proposed, std::string& name) override;
    void showStop(const std::string& text) override;

    HWND page_;
    StyleList& list_;
    TableEditorDialog& editor_;
    FormViewModel& model_;
    SystemStyleClipboard clipboard_;
    StyleCommands commands_;
    std::vector<std::string> pending_;
};

}  // namespace quellon
