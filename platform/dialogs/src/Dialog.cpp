// The dialog base: creation, message routing, the exception firewall.
#include "dialogs/Dialog.h"

#include "dialogs/DataExchange.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

#include <exception>

namespace dlg {
namespace {
// The dialog whose window is being created on this thread: child controls send messages
// (WM_MEASUREITEM of owner-drawn combos) before WM_INITDIALOG arrives, so the object is
// attached at the first message instead.
thread_local Dialog* t_creating = nullptr;

bool returnsDirectly(UINT msg) {
    switch (msg) {
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
    }
}
}  // namespace

Dialog::Dialog(UINT templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        if (!modal_) DestroyWindow(hwnd_);
    }
}

Dialog* Dialog::fromHandle(HWND hwnd) {
    // Another process's window answers with a pointer of that process (the system lets any
    // process read the value): only windows of this process have an object here.
    DWORD process = 0;
    if (!hwnd || !GetWindowThreadProcessId(hwnd, &process) || process != GetCurrentProcessId())
        return nullptr;
    return objectOf(hwnd);
}

Dialog* Dialog::objectOf(HWND hwnd) {
    return reinterpret_cast<Dialog*>(GetWindowLongPtrA(hwnd, DWLP_USER));
}

INT_PTR Dialog::doModal(HWND parent) {
    modal_ = true;
    Dialog* outer = t_creating;
    t_creating = this;
    const INT_PTR result = DialogBoxParamA(resourceHandle(), MAKEINTRESOURCEA(templateId_), parent,
                                           dialogProc, reinterpret_cast<LPARAM>(this));
    t_creating = outer;
    return result;
}

bool Dialog::create(HWND parent) {
    modal_ = false;
    Dialog* outer = t_creating;
    t_creating = this;
    HWND hwnd = CreateDialogParamA(resourceHandle(), MAKEINTRESOURCEA(templateId_), parent,
                                   dialogProc, reinterpret_cast<LPARAM>(this));
    t_creating = outer;
    return hwnd != nullptr;
}

void Dialog::endDialog(INT_PTR result) {
    result_ = result;
    if (!hwnd_) return;
    if (modal_)
        EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

std::string Dialog::itemText(int id) const {
    return Window(item(id)).text();
}

bool Dialog::updateData(bool save) {
    DataExchange dx(*this, save);
    try {
        doDataExchange(dx);
    } catch (const DataExchange::Failure&) {
        return false;
    }
    return true;
}

void Dialog::onOK() {
    if (updateData(true)) endDialog(IDOK);
}

void Dialog::onHelp() {
    if (helpTopic_) showHelp(helpTopic_);
}

void Dialog::attachHandle(HWND hwnd) {
    hwnd_ = hwnd;
    SetWindowLongPtrA(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
}

INT_PTR CALLBACK Dialog::dialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    Dialog* self = objectOf(hwnd);
    if (!self && msg == WM_INITDIALOG) self = reinterpret_cast<Dialog*>(l);
    if (!self && t_creating && !t_creating->hwnd_) self = t_creating;
    if (!self) return FALSE;
    if (self->hwnd_ != hwnd) self->attachHandle(hwnd);
    return self->dispatch(msg, w, l);
}

INT_PTR Dialog::dispatch(UINT msg, WPARAM w, LPARAM l) {
    INT_PTR handled = FALSE;
    try {
        handled = route(msg, w, l);
    } catch (const std::exception& e) {
        lastError_ = e.what();
        handled = FALSE;
    } catch (...) {
        lastError_ = "unknown exception";
        handled = FALSE;
    }
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd_, DWLP_USER, 0);
        hwnd_ = nullptr;
    }
    return handled;
}

INT_PTR Dialog::route(UINT msg, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    bool handled = false;
    switch (msg) {
        case WM_INITDIALOG:
            return onInitDialog() ? TRUE : FALSE;
        case WM_COMMAND: {
            const int id = LOWORD(w), code = HIWORD(w);
            HWND control = reinterpret_cast<HWND>(l);
            if (onCommand(id, code, control)) return TRUE;
            if (code == BN_CLICKED || (!control && code == 0)) {
                if (id == IDOK) return onOK(), TRUE;
                if (id == IDCANCEL) return onCancel(), TRUE;
                if (id == IDHELP) return onHelp(), TRUE;
            }
            return FALSE;
        }
        case WM_HELP:
            onHelp();
            return TRUE;
        case WM_NOTIFY:
            handled = onNotify(*reinterpret_cast<NMHDR*>(l), result);
            break;
        case WM_DRAWITEM: {
            auto it = ownerDrawn_.find(int(w));
            if (it == ownerDrawn_.end()) break;
            it->second->drawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(l));
            result = TRUE;
            handled = true;
            break;
        }
        case WM_MEASUREITEM: {
            auto it = ownerDrawn_.find(int(w));
            if (it == ownerDrawn_.end()) break;
            it->second->measureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(l));
            result = TRUE;
            handled = true;
            break;
        }
        case WM_DESTROY:
            onDestroy();
            break;
        default:
            handled = onMessage(msg, w, l, result);
            break;
    }
    if (!handled) return FALSE;
    if (returnsDirectly(msg)) return INT_PTR(result);
    SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

}  // namespace dlg
