// Child-window and common-control wrappers.
#include "dialogs/Window.h"

#include <vector>

namespace dlg {

std::string Window::text() const {
    const int length = GetWindowTextLengthA(hwnd_);
    if (length <= 0) return std::string();
    std::vector<char> buffer(std::size_t(length) + 1, '\0');
    const int got = GetWindowTextA(hwnd_, buffer.data(), length + 1);
    return std::string(buffer.data(), got > 0 ? std::size_t(got) : 0);
}

RECT Window::rectInParent() const {
    RECT rect = {};
    GetWindowRect(hwnd_, &rect);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int ComboBox::add(const std::string& text, LPARAM data) const {
    const int index = int(send(CB_ADDSTRING, 0, LPARAM(text.c_str())));
    if (index >= 0) setData(index, data);
    return index;
}

int ComboBox::insert(int index, const std::string& text, LPARAM data) const {
    const int at = int(send(CB_INSERTSTRING, WPARAM(index), LPARAM(text.c_str())));
    if (at >= 0) setData(at, data);
    return at;
}

std::string ComboBox::itemText(int index) const {
    const int length = int(send(CB_GETLBTEXTLEN, WPARAM(index)));
    if (length <= 0) return std::string();
    std::vector<char> buffer(std::size_t(length) + 1, '\0');
    send(CB_GETLBTEXT, WPARAM(index), LPARAM(buffer.data()));
    return std::string(buffer.data());
}

int ComboBox::findData(LPARAM data) const {
    for (int i = 0, n = count(); i < n; ++i)
        if (this->data(i) == data) return i;
    return -1;
}

int ListView::insertColumn(int index, const std::string& heading, int width, int format) const {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<char*>(heading.c_str());
    column.iSubItem = index;
    return int(send(LVM_INSERTCOLUMNA, WPARAM(index), LPARAM(&column)));
}

int ListView::insert(int index, const std::string& text, LPARAM data) const {
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = index;
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = data;
    return int(send(LVM_INSERTITEMA, 0, LPARAM(&item)));
}

void ListView::setItemText(int index, int column, const std::string& text) const {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    send(LVM_SETITEMTEXTA, WPARAM(index), LPARAM(&item));
}

std::string ListView::itemText(int index, int column) const {
    std::vector<char> buffer(1024, '\0');
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = int(buffer.size());
    send(LVM_GETITEMTEXTA, WPARAM(index), LPARAM(&item));
    return std::string(buffer.data());
}

void ListView::setItemState(int index, UINT state, UINT mask) const {
    LVITEMA item = {};
    item.state = state;
    item.stateMask = mask;
    send(LVM_SETITEMSTATE, WPARAM(index), LPARAM(&item));
}

void ListView::selectOnly(int index) const {
    setItemState(-1, 0, LVIS_SELECTED);
    if (index >= 0) {
        setItemState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        send(LVM_ENSUREVISIBLE, WPARAM(index), FALSE);
    }
}

int TabControl::insert(int index, const std::string& caption) const {
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(caption.c_str());
    return int(send(TCM_INSERTITEMA, WPARAM(index), LPARAM(&item)));
}

}  // namespace dlg
