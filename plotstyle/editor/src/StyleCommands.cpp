// The style commands: enabling, the clipboard, adding, deleting and renaming styles.
#include "StyleCommands.h"

#include "EditorText.h"
#include "QuellonIds.h"

#include <algorithm>

namespace quellon {

StyleCommands::StyleCommands(EditorSession& session, StyleCommandView& view,
                             StyleClipboard& clipboard, const Strings& strings)
    : session_(session), view_(view), clipboard_(clipboard), strings_(strings) {}

StyleMenuState StyleCommands::menuState(bool propertiesEnabled) {
    const CPlotStyleTable& t = table();
    const int selected = static_cast<int>(view_.selectedStyles().size());
    // Before the first copy or cut the page knows no format: nothing on the clipboard is
    // one of its styles.
    const bool holdsStyle = !t.colorDependent && format_ != 0 && clipboard_.holds(format_);
    StyleMenuState m = styleMenuState(t.colorDependent, propertiesEnabled, selected, holdsStyle);
    // A named table with a colour mapping keeps its styles: the form view's delete button is
    // off for it, so the menu offers neither delete nor cut, which deletes too.
    if (!t.colorDependent && t.colorMapping) m.remove = m.cut = false;
    return m;
}

void StyleCommands::run(int id) {
    switch (id) {
        case IDM_CUT_STYLE:
            return cut();
        case IDM_COPY_STYLE:
            return copy();
        case IDM_PASTE_STYLE:
            return paste();
        case IDM_ADD_STYLE:
            return add();
        case IDM_DELETE_STYLES:
            return remove();
        case IDM_RENAME_STYLE:
            return rename();
        default:
            return;
    }
}

bool StyleCommands::copyFirstSelected() {
    if (format_ == 0) format_ = clipboard_.registerFormat(strings_.text(IDS_STYLE_CLIPBOARD_FORMAT));
    if (format_ == 0) return false;
    const std::vector<int> selected = view_.selectedStyles();
    if (selected.empty()) return false;
    const CPlotStyle* style = table().style(selected.front());
    if (!style) return false;
    const std::vector<unsigned char> block = styleBlock(*style);
    return !block.empty() && clipboard_.put(format_, block);
}

void StyleCommands::copy() {
    copyFirstSelected();
}

void StyleCommands::cut() {
    // A style that did not reach the clipboard is not deleted: it would be lost.
    if (!table().colorDependent && copyFirstSelected()) remove();
}

void StyleCommands::paste() {
    if (format_ == 0 || table().colorDependent) return;
    CPlotStyle pasted;
    bool read = false;
    clipboard_.read(format_, [&](const unsigned char* bytes, std::size_t size) {
        read = readStyleBlock(bytes, size, pasted);
    });
    // The clipboard is closed again before the name dialog opens.
    if (!read) return;
    const std::vector<int> selected = view_.selectedStyles();
    addStyle(&pasted, selected.empty() ? -1 : selected.front());
}

void StyleCommands::add() {
    if (table().colorDependent) return;
    const std::vector<int> selected = view_.selectedStyles();
    const int anchor = selected.empty() ? -1 : selected.front();
    const CPlotStyle* templ = anchor >= 0 ? table().style(anchor) : nullptr;
    if (!templ) return addStyle(nullptr, -1);
    const CPlotStyle copy(*templ);
    addStyle(&copy, anchor);
}

void StyleCommands::addStyle(const CPlotStyle* templ, int anchor) {
    const NamePattern pattern(strings_.text(IDS_STYLE_NAME_PATTERN));
    std::string name;
    if (!view_.askStyleName(proposeStyleName(table(), pattern), name)) return;
    if (!table().addStyle(name.c_str(), anchor, templ)) return;
    const int at = table().findLocName(name.c_str());
    if (at < 0) return;
    view_.insertItem(at, displayName(table().style(at)->name));
    session_.setModified();
    view_.selectOnly(at);
}

void StyleCommands::remove() {
    if (table().colorDependent) return;
    const std::vector<int> selected = view_.selectedStyles();
    int lowestRemoved = -1;
    // From the highest index down, so the indices still to go keep their places.
    for (auto it = selected.rbegin(); it != selected.rend(); ++it) {
        if (!table().deleteStyle(*it)) continue;  // the first style stays, and so does its item
        view_.removeItem(*it);
        lowestRemoved = *it;
    }
    if (lowestRemoved < 0) return;
    session_.setModified();
    view_.selectOnly(std::max(lowestRemoved - 1, 0));
}

void StyleCommands::rename() {
    const std::vector<int> selected = view_.selectedStyles();
    if (selected.empty() || !table().style(selected.front())) return;
    view_.beginRename(selected.front());
}

bool StyleCommands::canBeginRename(int item) const {
    const CPlotStyleTable& t = session_.table();
    return !t.colorDependent && item > 0 && t.style(item) != nullptr;
}

bool StyleCommands::finishRename(int item, const std::string& text, std::string& shown) {
    if (!canBeginRename(item)) return false;
    const RenameVerdict verdict = judgeRename(table().style(item)->name, text, strings_);
    if (verdict.kind == RenameVerdict::kRefused) {
        view_.showStop(verdict.message);
        return false;
    }
    if (verdict.kind == RenameVerdict::kUnchanged) return false;
    if (!table().renameStyle(item, verdict.name.c_str())) {
        view_.showStop(fillFormat(strings_.text(IDS_NAME_TAKEN), {verdict.name}));
        return false;
    }
    session_.setModified();
    shown = displayName(table().style(item)->name);
    return true;
}

}  // namespace quellon
