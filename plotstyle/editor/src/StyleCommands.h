// The commands on the styles of a named table: cut, copy, paste, add, delete and rename,
// which commands the style list's menu offers, and in-place renaming of a list item. Item i
// of the list shows style i of the table; every command keeps the two in step. The form
// view implements the view over its list and dialogs; tests over plain members.
#pragma once

#include "ClipboardStyle.h"
#include "EditorSession.h"
#include "FormViewModel.h"
#include "StyleNames.h"
#include "Strings.h"

#include <string>
#include <vector>

namespace quellon {

class StyleCommandView {
public:
    virtual ~StyleCommandView() = default;
    // Indices of the selected items, ascending.
    virtual std::vector<int> selectedStyles() const = 0;
    virtual void insertItem(int index, const std::string& text) = 0;
    virtual void removeItem(int index) = 0;
    // Selects item `index` alone (the selection change refreshes the property controls).
    virtual void selectOnly(int index) = 0;
    // Starts in-place editing of item `index`'s label.
    virtual void beginRename(int index) = 0;
    // The style name dialog, starting with `proposed`; true on OK with the name given.
    virtual bool askStyleName(const std::string& proposed, std::string& name) = 0;
    // A message with the stop icon under the editor's title.
    virtual void showStop(const std::string& text) = 0;
};

class StyleCommands {
public:
    StyleCommands(EditorSession& session, StyleCommandView& view, StyleClipboard& clipboard,
                  const Strings& strings);

    // The commands offered now. `propertiesEnabled`: the form view's property controls are
    // enabled (a selection without the first style of a named table).
    StyleMenuState menuState(bool propertiesEnabled);

    // Runs command `id` (603 cut ... 608 rename); other ids do nothing.
    void run(int id);
    void copy();
    void cut();
    void paste();
    void add();
    void remove();
    void rename();

    // In-place editing of item `item` may begin.
    bool canBeginRename(int item) const;
    // In-place editing of item `item` ended with `text`: true when the style took the new
    // name, which the item is then to show as `shown`; false refuses the edit (the message
    // has been shown when there was something to say).
    bool finishRename(int item, const std::string& text, std::string& shown);

    // The clipboard format of styles: 0 until the first copy or cut registers it.
    unsigned format() const { return format_; }

private:
    CPlotStyleTable& table() { return session_.table(); }
    // Copies the first selected style to the clipboard; false when none was put there.
    bool copyFirstSelected();
    // Add's steps with `templ` (may be null) after `anchor` (-1: at the end).
    void addStyle(const CPlotStyle* templ, int anchor);

    EditorSession& session_;
    StyleCommandView& view_;
    StyleClipboard& clipboard_;
    const Strings& strings_;
    unsigned format_ = 0;
};

}  // namespace quellon
