// The editor pages' creation, placing, showing and hiding.
#include "EditorPage.h"

#include "QuellonIds.h"
#include "TableEditorDialog.h"

#include <commctrl.h>

namespace quellon {

EditorPage::EditorPage(UINT templateId, TableEditorDialog& editor)
    : dlg::Dialog(templateId), editor_(editor) {
    // The help key pressed on a page opens the editor's topic, as on the editor itself.
    setHelpTopic(IDH_TABLE_EDITOR);
}

void EditorPage::show() {
    EnableWindow(hwnd(), TRUE);
    ShowWindow(hwnd(), SW_SHOW);
    InvalidateRect(hwnd(), nullptr, TRUE);
    UpdateWindow(hwnd());
}

void EditorPage::hide() {
    EnableWindow(hwnd(), FALSE);
    ShowWindow(hwnd(), SW_HIDE);
}

bool EditorPage::createAndPlace(HWND tabControl) {
    HWND editorWindow = GetParent(tabControl);
    if (!create(editorWindow)) return false;
    // The display area rather than the control's own corner, so the tabs stay visible.
    RECT area = {};
    GetWindowRect(tabControl, &area);
    SendMessageA(tabControl, TCM_ADJUSTRECT, FALSE, LPARAM(&area));
    MapWindowPoints(HWND_DESKTOP, editorWindow, reinterpret_cast<POINT*>(&area), 2);
    SetWindowPos(hwnd(), HWND_TOP, area.left, area.top, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

}  // namespace quellon
