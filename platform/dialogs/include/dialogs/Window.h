// A thin handle wrapper for child windows of dialogs, and wrappers for the common controls
// the dialogs use: edit, button, spin, combo box, list view and tab control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace dlg {

class Window {
public:
    Window() = default;
    explicit Window(HWND hwnd) : hwnd_(hwnd) {}
    virtual ~Window() = default;

    void attach(HWND hwnd) { hwnd_ = hwnd; }
    bool attach(HWND dialog, int id) { return (hwnd_ = GetDlgItem(dialog, id)) != nullptr; }
    HWND hwnd() const { return hwnd_; }
    explicit operator bool() const { return hwnd_ != nullptr; }

    LRESULT send(UINT msg, WPARAM w = 0, LPARAM l = 0) const {
        return SendMessageA(hwnd_, msg, w, l);
    }
    std::string text() const;
    void setText(const std::string& text) const { SetWindowTextA(hwnd_, text.c_str()); }
    void enable(bool on) const { EnableWindow(hwnd_, on); }
    bool enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
    void show(bool on) const { ShowWindow(hwnd_, on ? SW_SHOW : SW_HIDE); }
    void focus() const { SetFocus(hwnd_); }
    int id() const { return GetDlgCtrlID(hwnd_); }
    // The window's rectangle in the client coordinates of its parent.
    RECT rectInParent() const;

protected:
    HWND hwnd_ = nullptr;
};

class Edit : public Window {
public:
    void limitText(int chars) const { send(EM_LIMITTEXT, WPARAM(chars)); }
    bool modified() const { return send(EM_GETMODIFY) != 0; }
    void setModified(bool on) const { send(EM_SETMODIFY, on); }
    void selectAll() const { send(EM_SETSEL, 0, -1); }
};

class Button : public Window {
public:
    bool checked() const { return send(BM_GETCHECK) == BST_CHECKED; }
    void setCheck(bool on) const { send(BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED); }
    void setIcon(HICON icon) const { send(BM_SETIMAGE, IMAGE_ICON, LPARAM(icon)); }
};

class SpinButton : public Window {
public:
    void setRange(int low, int high) const { send(UDM_SETRANGE32, WPARAM(low), LPARAM(high)); }
    void setPos(int pos) const { send(UDM_SETPOS32, 0, LPARAM(pos)); }
    int pos() const { return int(send(UDM_GETPOS32)); }
    void setBuddy(HWND buddy) const { send(UDM_SETBUDDY, WPARAM(buddy)); }
};

class ComboBox : public Window {
public:
    int count() const { return int(send(CB_GETCOUNT)); }
    int add(const std::string& text, LPARAM data = 0) const;
    int insert(int index, const std::string& text, LPARAM data = 0) const;
    void remove(int index) const { send(CB_DELETESTRING, WPARAM(index)); }
    void clear() const { send(CB_RESETCONTENT); }
    int selection() const { return int(send(CB_GETCURSEL)); }
    void select(int index) const { send(CB_SETCURSEL, WPARAM(index)); }
    LPARAM data(int index) const { return LPARAM(send(CB_GETITEMDATA, WPARAM(index))); }
    void setData(int index, LPARAM data) const { send(CB_SETITEMDATA, WPARAM(index), data); }
    std::string itemText(int index) const;
    int findData(LPARAM data) const;  // -1 when no item carries it
};

class ListView : public Window {
public:
    void setExtendedStyle(DWORD mask, DWORD style) const {
        send(LVM_SETEXTENDEDLISTVIEWSTYLE, mask, LPARAM(style));
    }
    int insertColumn(int index, const std::string& heading, int width,
                     int format = LVCFMT_LEFT) const;
    void setColumnWidth(int column, int width) const {
        send(LVM_SETCOLUMNWIDTH, WPARAM(column), width);
    }
    int count() const { return int(send(LVM_GETITEMCOUNT)); }
    int insert(int index, const std::string& text, LPARAM data = 0) const;
    void setItemText(int index, int column, const std::string& text) const;
    std::string itemText(int index, int column = 0) const;
    bool remove(int index) const { return send(LVM_DELETEITEM, WPARAM(index)) != 0; }
    void clear() const { send(LVM_DELETEALLITEMS); }
    int nextItem(int start, UINT flags) const {
        return int(send(LVM_GETNEXTITEM, WPARAM(start), flags));
    }
    int firstSelected() const { return nextItem(-1, LVNI_SELECTED); }
    int selectedCount() const { return int(send(LVM_GETSELECTEDCOUNT)); }
    void setItemState(int index, UINT state, UINT mask) const;
    void selectOnly(int index) const;  // clears every selection, then selects and focuses `index`
    int stringWidth(const std::string& text) const {
        return int(send(LVM_GETSTRINGWIDTHA, 0, LPARAM(text.c_str())));
    }
    HWND editLabel(int index) const { return HWND(send(LVM_EDITLABELA, WPARAM(index))); }
    HIMAGELIST setImageList(HIMAGELIST list, int kind) const {
        return HIMAGELIST(send(LVM_SETIMAGELIST, WPARAM(kind), LPARAM(list)));
    }
};

class TabControl : public Window {
public:
    int insert(int index, const std::string& caption) const;
    int count() const { return int(send(TCM_GETITEMCOUNT)); }
    int selection() const { return int(send(TCM_GETCURSEL)); }
    void select(int index) const { send(TCM_SETCURSEL, WPARAM(index)); }
};

}  // namespace dlg
