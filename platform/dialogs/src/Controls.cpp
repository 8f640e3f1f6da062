// The bitmap button.
#include "dialogs/Controls.h"

#include "dialogs/ModuleState.h"

namespace dlg {

BitmapButton::~BitmapButton() {
    release();
}

void BitmapButton::release() {
    for (HBITMAP* b : {&up_, &down_, &focused_, &disabled_}) {
        if (*b) DeleteObject(*b);
        *b = nullptr;
    }
}

bool BitmapButton::autoLoad(Dialog& dialog, int id) {
    release();
    if (!attach(dialog.hwnd(), id)) return false;
    const std::string caption = text();
    HINSTANCE module = resourceHandle();
    up_ = LoadBitmapA(module, bitmapName(caption, 'U').c_str());
    if (!up_) return false;
    down_ = LoadBitmapA(module, bitmapName(caption, 'D').c_str());
    focused_ = LoadBitmapA(module, bitmapName(caption, 'F').c_str());
    disabled_ = LoadBitmapA(module, bitmapName(caption, 'X').c_str());
    dialog.addOwnerDrawn(id, this);
    send(BM_SETSTYLE, BS_OWNERDRAW, TRUE);
    BITMAP info = {};
    GetObjectA(up_, sizeof(info), &info);
    SetWindowPos(hwnd_, nullptr, 0, 0, info.bmWidth, info.bmHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

HBITMAP BitmapButton::pictureFor(UINT state) const {
    if ((state & ODS_SELECTED) && down_) return down_;
    if ((state & ODS_DISABLED) && disabled_) return disabled_;
    if ((state & ODS_FOCUS) && focused_) return focused_;
    return up_;
}

void BitmapButton::drawItem(const DRAWITEMSTRUCT& item) {
    HBITMAP picture = pictureFor(item.itemState);
    if (!picture) return;
    HDC memory = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(memory, picture);
    const RECT& r = item.rcItem;
    BitBlt(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
}

}  // namespace dlg
