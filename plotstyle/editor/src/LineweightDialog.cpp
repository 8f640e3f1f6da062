// The lineweight dialog's controls over the lineweight rules.
#include "LineweightDialog.h"

#include "Narrow_win.h"
#include "QuellonIds.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"

#include <commctrl.h>

#include <string>
#include <vector>

namespace quellon {
namespace {

constexpr int kMarkWidth = 13;
constexpr int kInUseImage = 1;
// Posted to show the range message once the list's edit has gone: a box shown while the
// list is still ending the edit takes the focus from it in the middle of that.
constexpr UINT kShowRangeMessage = WM_APP + 71;

dlg::Button button(HWND control) {
    dlg::Button b;
    b.attach(control);
    return b;
}

}  // namespace

LineweightDialog::LineweightDialog(const CPlotStyleTable& table, const Strings& strings)
    : dlg::Dialog(IDD_LINEWEIGHTS), model_(table), strings_(strings) {
    setHelpTopic(IDH_LINEWEIGHTS);
}

LineweightDialog::~LineweightDialog() {
    if (helpIcon_) DestroyIcon(helpIcon_);
}

bool LineweightDialog::onInitDialog() {
    HINSTANCE resources = dlg::resourceHandle();
    helpIcon_ = static_cast<HICON>(
        LoadImageA(resources, MAKEINTRESOURCEA(IDI_HELP), IMAGE_ICON, 16, 16, 0));
    if (helpIcon_) button(item(IDC_HELP_BUTTON)).setIcon(helpIcon_);

    list_.attach(hwnd(), IDC_LINEWEIGHT_LIST);
    RECT client = {};
    GetClientRect(list_.hwnd(), &client);
    const int width = client.right - client.left;
    const int first = width * 3 / 5 - GetSystemMetrics(SM_CXVSCROLL);
    list_.insertColumn(0, strings_.text(IDS_LINEWEIGHT_HEADING), first, LVCFMT_CENTER);
    list_.insertColumn(1, strings_.text(IDS_IN_USE_HEADING), width - width * 3 / 5, LVCFMT_LEFT);
    list_.setExtendedStyle(LVS_EX_SUBITEMIMAGES, LVS_EX_SUBITEMIMAGES);
    // The list owns the image list and destroys it with itself.
    HIMAGELIST marks = ImageList_LoadImageA(resources, MAKEINTRESOURCEA(IDB_LINEWEIGHT_MARKS),
                                            kMarkWidth, 0, RGB(255, 255, 255), IMAGE_BITMAP,
                                            LR_CREATEDIBSECTION);
    if (marks) list_.setImageList(marks, LVSIL_SMALL);

    for (int row = 0; row < model_.count(); ++row) list_.insert(row, model_.text(row));
    showRows();
    list_.selectOnly(0);
    button(item(model_.inches() ? IDC_UNITS_INCHES : IDC_UNITS_MILLIMETRES)).setCheck(true);
    return true;
}

void LineweightDialog::showRow(int row) {
    list_.setItemText(row, 0, model_.text(row));
    // Column 0 keeps the blank image so both columns line up; column 1 shows the mark.
    LVITEMA cell = {};
    cell.mask = LVIF_IMAGE;
    cell.iItem = row;
    cell.iImage = 0;
    list_.send(LVM_SETITEMA, 0, LPARAM(&cell));
    cell.iSubItem = 1;
    cell.iImage = model_.entry(row).inUse ? kInUseImage : I_IMAGENONE;
    list_.send(LVM_SETITEMA, 0, LPARAM(&cell));
}

void LineweightDialog::showRows() {
    for (int row = 0; row < model_.count(); ++row) showRow(row);
}

bool LineweightDialog::onCommand(int id, int code, HWND) {
    if (code != BN_CLICKED) return false;
    switch (id) {
        case IDC_UNITS_MILLIMETRES:
        case IDC_UNITS_INCHES:
            if (model_.setInches(button(item(IDC_UNITS_INCHES)).checked())) showRows();
            return true;
        case IDC_LINEWEIGHT_EDIT: {
            const int row = list_.firstSelected();
            list_.focus();
            if (row >= 0) list_.editLabel(row);
            return true;
        }
        case IDC_LINEWEIGHT_SORT:
            if (model_.sort()) showRows();
            return true;
        default:
            return false;
    }
}

bool LineweightDialog::onNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_LINEWEIGHT_LIST) return false;
    switch (header.code) {
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            result = FALSE;
            return true;
        case LVN_ENDLABELEDITA: {
            const auto& info = reinterpret_cast<const NMLVDISPINFOA&>(header);
            if (info.item.pszText) finishEdit(info.item.iItem, info.item.pszText);
            result = FALSE;  // the row's text is set above, as the model prints it
            return true;
        }
        case LVN_ENDLABELEDITW: {
            const auto& info = reinterpret_cast<const NMLVDISPINFOW&>(header);
            if (info.item.pszText) finishEdit(info.item.iItem, narrow(info.item.pszText).c_str());
            result = FALSE;
            return true;
        }
        default:
            return false;
    }
}

void LineweightDialog::finishEdit(int row, const char* text) {
    if (model_.edit(row, text))
        showRow(row);
    else
        PostMessageA(hwnd(), kShowRangeMessage, 0, 0);
}

bool LineweightDialog::onMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg != kShowRangeMessage) return false;
    dlg::messageBox(lineweightRangeMessage(strings_), strings_.text(IDS_LINEWEIGHT_HEADING),
                    MB_OK | MB_ICONSTOP, hwnd());
    return true;
}

}  // namespace quellon
