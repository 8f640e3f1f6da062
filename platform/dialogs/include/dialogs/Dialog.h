// The one dialog base: modal and modeless dialogs from templates of the resource handle.
// The object is found again through the window's user-data slot from the first message on,
// handlers are virtual, nothing thrown by a handler leaves the window procedure, and the
// slot is cleared when the window goes.
#pragma once

#include <windows.h>

#include <map>
#include <string>

namespace dlg {

class DataExchange;

// A control that draws (and measures) its own items; the dialog routes WM_DRAWITEM and
// WM_MEASUREITEM of the control's identifier to it.
class OwnerDrawn {
public:
    virtual ~OwnerDrawn() = default;
    virtual void drawItem(const DRAWITEMSTRUCT& item) = 0;
    virtual void measureItem(MEASUREITEMSTRUCT& /*item*/) {}
};

class Dialog {
public:
    explicit Dialog(UINT templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; IDOK, IDCANCEL or the code given to endDialog, -1 when the
    // template cannot be found.
    INT_PTR doModal(HWND parent = nullptr);
    // Creates the dialog modeless (visible when its template says so).
    bool create(HWND parent = nullptr);
    // Ends a modal dialog, or destroys a modeless one.
    void endDialog(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HWND item(int id) const { return GetDlgItem(hwnd_, id); }
    UINT templateId() const { return templateId_; }
    INT_PTR result() const { return result_; }
    std::string itemText(int id) const;
    void setItemText(int id, const std::string& text) const {
        SetDlgItemTextA(hwnd_, id, text.c_str());
    }

    // Moves data between members and controls through doDataExchange; false when a value
    // was refused (the message has been shown and the control has the focus).
    bool updateData(bool save);

    // Topic opened by the help button (control 9) and the help key; 0 means none.
    void setHelpTopic(UINT topic) { helpTopic_ = topic; }
    UINT helpTopic() const { return helpTopic_; }

    // The message of the last exception a handler let through (the procedure absorbed it).
    const std::string& lastError() const { return lastError_; }

    // Routes WM_DRAWITEM and WM_MEASUREITEM of control `id` to `control` (register before
    // the window is created: owner-drawn combos measure during creation).
    void addOwnerDrawn(int id, OwnerDrawn* control) { ownerDrawn_[id] = control; }

    // The dialog object behind a window of this framework in this process, or null.
    static Dialog* fromHandle(HWND hwnd);

protected:
    // The object stored in a window the dialog procedures are given (always this process's).
    static Dialog* objectOf(HWND hwnd);

    virtual bool onInitDialog() { return true; }  // true: let the system place the focus
    virtual bool onCommand(int /*id*/, int /*code*/, HWND /*control*/) { return false; }
    virtual bool onNotify(NMHDR& /*header*/, LRESULT& /*result*/) { return false; }
    virtual void doDataExchange(DataExchange& /*dx*/) {}
    virtual void onOK();
    virtual void onCancel() { endDialog(IDCANCEL); }
    virtual void onHelp();
    virtual void onDestroy() {}
    // Every message not routed above; true when handled, with `result` as its value.
    virtual bool onMessage(UINT /*msg*/, WPARAM /*w*/, LPARAM /*l*/, LRESULT& /*result*/) {
        return false;
    }

    // Used by property pages, which are created by the property sheet, not by doModal.
    void attachHandle(HWND hwnd);
    INT_PTR dispatch(UINT msg, WPARAM w, LPARAM l);

private:
    static INT_PTR CALLBACK dialogProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    INT_PTR route(UINT msg, WPARAM w, LPARAM l);

    UINT templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    INT_PTR result_ = 0;
    UINT helpTopic_ = 0;
    std::string lastError_;
    std::map<int, OwnerDrawn*> ownerDrawn_;
};

}  // namespace dlg
