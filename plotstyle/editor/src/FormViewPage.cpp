// The form view's controls: wiring them to the rules, the list, the context menu.
#include "FormViewPage.h"

#include "ColorIndexDialog.h"
#include "FormViewCommands.h"
#include "QuellonIds.h"
#include "TableEditorDialog.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/DataExchange.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"

#include <commctrl.h>

#include <algorithm>

namespace quellon {
namespace {

constexpr Combo kCombos[] = {Combo::Color,      Combo::Dither,   Combo::Grayscale,
                             Combo::Adaptive,   Combo::Linetype, Combo::Lineweight,
                             Combo::EndStyle,   Combo::JoinStyle, Combo::FillStyle};
constexpr int kComboIds[] = {IDC_COLOR,      IDC_DITHER,     IDC_GRAYSCALE,
                             IDC_ADAPTIVE,   IDC_LINETYPE,   IDC_LINEWEIGHT,
                             IDC_END_STYLE,  IDC_JOIN_STYLE, IDC_FILL_STYLE};
constexpr int kNumberIds[kNumberEdits] = {IDC_SCREENING, IDC_PEN, IDC_VIRTUAL_PEN};
constexpr int kSpinIds[kNumberEdits] = {IDC_SCREENING_SPIN, IDC_PEN_SPIN, IDC_VIRTUAL_PEN_SPIN};

// The list's one column: its heading and width.
constexpr char kListHeading[] = "Screen Color";
constexpr int kListColumnWidth = 105;

int comboIndex(Combo which) {
    return static_cast<int>(which);
}

}  // namespace

FormViewPage::FormViewPage(TableEditorDialog& editor)
    : EditorPage(IDD_FORM_VIEW, editor),
      color_(*this),
      dither_(*this),
      grayscale_(*this),
      adaptive_(*this),
      linetype_(*this),
      lineweight_(*this),
      end_(*this, IDB_END_STYLES, 26, 13),
      join_(*this, IDB_JOIN_STYLES, 23, 13),
      fill_(*this, IDB_FILL_STYLES, 23, 13) {
    for (int i = 0; i < 9; ++i) {
        SampleCombo& control = comboControl(kCombos[i]);
        addOwnerDrawn(kComboIds[i], &control);
        items_[i].reset(new ComboItemsOf(control));
    }
    lineweight_.setSource([this](int value) {
        return this->editor().session().table().lineweights[value - 1];
    });
    model_.reset(new FormViewModel(editor.session(), *this, editor.strings()));
}

FormViewPage::~FormViewPage() = default;

SampleCombo& FormViewPage::comboControl(Combo which) {
    switch (which) {
        case Combo::Color:
            return color_;
        case Combo::Dither:
            return dither_;
        case Combo::Grayscale:
            return grayscale_;
        case Combo::Adaptive:
            return adaptive_;
        case Combo::Linetype:
            return linetype_;
        case Combo::Lineweight:
            return lineweight_;
        case Combo::EndStyle:
            return end_;
        case Combo::JoinStyle:
            return join_;
        case Combo::FillStyle:
            break;
    }
    return fill_;
}

bool FormViewPage::onInitDialog() {
    list_.attach(hwnd(), IDC_STYLE_LIST);
    for (int i = 0; i < 9; ++i) comboControl(kCombos[i]).attach(hwnd(), kComboIds[i]);
    for (int k = 0; k < kNumberEdits; ++k) {
        numbers_[k].attach(hwnd(), kNumberIds[k]);
        spins_[k].attach(hwnd(), kSpinIds[k]);
        spins_[k].setBuddy(numbers_[k].hwnd());
        const NumberRange range = numberRange(k);
        spins_[k].setRange(range.low, range.high);
    }
    description_.attach(hwnd(), IDC_STYLE_DESCRIPTION);

    model_->open();
    commands_.reset(new FormViewCommands(hwnd(), list_, editor(), *model_));
    // The linetype names are longer than the box: the list drops out wider.
    linetype_.send(CB_SETDROPPEDWIDTH, WPARAM(MulDiv(linetype_.rectInParent().right -
                                                         linetype_.rectInParent().left, 9, 5)));
    if (editor().session().table().colorDependent) {
        list_.makeColorList();
        addOwnerDrawn(IDC_STYLE_LIST, &list_);
    }
    list_.insertColumn(0, kListHeading, kListColumnWidth, LVCFMT_LEFT);
    fillList();
    ready_ = true;
    if (list_.count() > 0)
        list_.selectOnly(0);  // the selection notice refreshes the controls
    else
        model_->refresh();
    return true;
}

void FormViewPage::fillList() {
    const std::vector<std::string> names = model_->listNames();
    list_.send(WM_SETREDRAW, FALSE);
    list_.send(LVM_SETITEMCOUNT, WPARAM(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i) list_.insert(int(i), names[i]);
    list_.send(WM_SETREDRAW, TRUE);
}

void FormViewPage::tableReplaced() {
    model_->refresh();
}

bool FormViewPage::hasPendingEdits() const {
    return hwnd() && model_->hasPendingEdits();
}

void FormViewPage::doDataExchange(dlg::DataExchange& dx) {
    if (dx.saving() && ready_) model_->commitAll();
}

int FormViewPage::numberEditOf(int controlId) const {
    for (int k = 0; k < kNumberEdits; ++k)
        if (kNumberIds[k] == controlId) return k;
    return -1;
}

int FormViewPage::numberEditOfSpin(HWND spin) const {
    for (int k = 0; k < kNumberEdits; ++k)
        if (spins_[k].hwnd() == spin) return k;
    return -1;
}

bool FormViewPage::onCommand(int id, int code, HWND) {
    if (!ready_) return false;
    for (int i = 0; i < 9; ++i) {
        if (kComboIds[i] != id) continue;
        if (code == CBN_SELCHANGE) model_->comboPicked(kCombos[i]);
        return code == CBN_SELCHANGE;
    }
    const int number = numberEditOf(id);
    if (number >= 0) {
        if (code == EN_CHANGE && !settingText_) model_->numberTyped(number);
        if (code == EN_KILLFOCUS) model_->commitNumber(number);
        return code == EN_CHANGE || code == EN_KILLFOCUS;
    }
    if (id == IDC_STYLE_DESCRIPTION) {
        if (code == EN_KILLFOCUS) model_->commitDescription();
        return code == EN_KILLFOCUS;
    }
    if (id == IDC_SAVE_AS && code == BN_CLICKED) {
        editor().saveAs(false);
        return true;
    }
    const bool button = code == BN_CLICKED;  // menu commands come with code 0 too
    if (button && (id == IDC_EDIT_LINEWEIGHTS || (id >= IDM_CUT_STYLE && id <= IDM_RENAME_STYLE))) {
        onStyleCommand(id);
        return true;
    }
    return false;
}

void FormViewPage::onStyleCommand(int id) {
    if (commands_) commands_->run(id);
}

bool FormViewPage::onNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_STYLE_LIST || !ready_) return false;
    switch (header.code) {
        case LVN_ITEMCHANGING: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            // What was typed for the styles about to be deselected goes to them first.
            if ((change.uChanged & LVIF_STATE) && (change.uOldState & LVIS_SELECTED) &&
                !(change.uNewState & LVIS_SELECTED))
                model_->commitAll();
            result = FALSE;
            return true;
        }
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            if ((change.uChanged & LVIF_STATE) &&
                ((change.uOldState ^ change.uNewState) & LVIS_SELECTED))
                model_->refresh();
            return true;
        }
        case NM_RCLICK:
            openContextMenu();
            return true;
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            result = commands_->beginLabelEdit(header);
            return true;
        case LVN_ENDLABELEDITA:
        case LVN_ENDLABELEDITW:
            result = commands_->endLabelEdit(header);
            return true;
        default:
            return false;
    }
}

void FormViewPage::openContextMenu() {
    POINT at = {};
    GetCursorPos(&at);
    POINT inList = at;
    ScreenToClient(list_.hwnd(), &inList);
    RECT client = {};
    GetClientRect(list_.hwnd(), &client);
    if (!PtInRect(&client, inList)) return;
    HMENU menu = LoadMenuA(dlg::resourceHandle(), MAKEINTRESOURCEA(IDM_STYLE_MENU));
    if (!menu) return;
    HMENU styles = GetSubMenu(menu, 0);
    const StyleMenuState state = commands_->menuState();
    const std::pair<int, bool> items[] = {
        {IDM_CUT_STYLE, state.cut},     {IDM_COPY_STYLE, state.copy},
        {IDM_PASTE_STYLE, state.paste}, {IDM_ADD_STYLE, state.add},
        {IDM_DELETE_STYLES, state.remove}, {IDM_RENAME_STYLE, state.rename}};
    for (const auto& [id, on] : items)
        EnableMenuItem(styles, UINT(id), MF_BYCOMMAND | (on ? MF_ENABLED : MF_GRAYED));
    TrackPopupMenu(styles, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr);
    DestroyMenu(menu);
}

bool FormViewPage::onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT&) {
    if (msg == WM_VSCROLL && ready_ && LOWORD(w) == SB_THUMBPOSITION) {
        const int k = numberEditOfSpin(reinterpret_cast<HWND>(l));
        if (k >= 0) model_->spinMoved(k, spins_[k].pos());
        return k >= 0;
    }
    if (msg == FormViewCommands::kShowPendingMessages && commands_) {
        commands_->showPendingMessages();
        return true;
    }
    if (msg == WM_PAINT && list_) InvalidateRect(list_.hwnd(), nullptr, FALSE);
    return false;
}

// ---------------------------------------------------------------- the rules' view

std::vector<int> FormViewPage::selectedStyles() const {
    return list_.selectedItems();
}

ComboList& FormViewPage::combo(Combo which) {
    return *items_[comboIndex(which)];
}

int FormViewPage::comboSelection(Combo which) const {
    return const_cast<FormViewPage*>(this)->comboControl(which).selection();
}

void FormViewPage::selectComboItem(Combo which, int index) {
    comboControl(which).show(index);
}

std::string FormViewPage::numberText(int edit) const {
    return numbers_[edit].text();
}

void FormViewPage::setNumberText(int edit, const std::string& text) {
    settingText_ = true;
    numbers_[edit].setText(text);
    settingText_ = false;
}

bool FormViewPage::numberModified(int edit) const {
    return numbers_[edit].modified();
}

void FormViewPage::setNumberModified(int edit, bool on) {
    numbers_[edit].setModified(on);
}

void FormViewPage::setSpinPosition(int edit, int position) {
    spins_[edit].setPos(position);
}

std::string FormViewPage::descriptionText() const {
    return description_.text();
}

void FormViewPage::setDescriptionText(const std::string& text) {
    settingText_ = true;
    description_.setText(text);
    description_.setModified(false);
    settingText_ = false;
}

bool FormViewPage::descriptionModified() const {
    return description_.modified();
}

void FormViewPage::setDescriptionModified(bool on) {
    description_.setModified(on);
}

void FormViewPage::enableProperties(bool on) {
    for (Combo which : kCombos) comboControl(which).enable(on);
    for (int k = 0; k < kNumberEdits; ++k) {
        numbers_[k].enable(on);
        spins_[k].enable(on);
    }
    description_.enable(on);
}

void FormViewPage::enableStyleButtons(bool add, bool remove) {
    EnableWindow(item(IDC_ADD_STYLE), add);
    EnableWindow(item(IDC_DELETE_STYLES), remove);
}

bool FormViewPage::pickIndexColor(int start, int& index) {
    ColorIndexDialog picker;
    picker.index = short(start);
    picker.allowSpecial = false;
    if (picker.doModal(GetAncestor(hwnd(), GA_ROOT)) != IDOK) return false;
    index = picker.index;
    return true;
}

bool FormViewPage::pickAnyColor(bool hasStart, VxColorRef start, VxColorRef& color) {
    dlg::ColorDialog picker;
    picker.color = hasStart ? COLORREF(start) : RGB(0, 0, 0);
    picker.startWithColor = hasStart;
    picker.fullOpen = true;
    picker.owner = GetAncestor(hwnd(), GA_ROOT);
    if (!picker.run()) return false;
    color = picker.color;
    return true;
}

void FormViewPage::showMessage(const std::string& text) {
    HWND root = GetAncestor(hwnd(), GA_ROOT);
    dlg::messageBox(text, editor().caption(), MB_OK | MB_ICONEXCLAMATION, root);
}

}  // namespace quellon
