// The style list: selection, and the swatches of a colour-dependent table's items.
#include "StyleList.h"

#include "IndexColor.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

namespace quellon {

void StyleList::makeColorList() {
    const LONG_PTR style = GetWindowLongPtrA(hwnd(), GWL_STYLE);
    SetWindowLongPtrA(hwnd(), GWL_STYLE, (style & ~LONG_PTR(LVS_EDITLABELS)) | LVS_OWNERDRAWFIXED);
}

std::vector<int> StyleList::selectedItems() const {
    std::vector<int> items;
    for (int i = nextItem(-1, LVNI_SELECTED); i >= 0; i = nextItem(i, LVNI_SELECTED))
        items.push_back(i);
    return items;
}

RECT StyleList::swatchRect(const RECT& area) {
    const int size = std::max(LONG(4), area.bottom - area.top - 2);
    const int top = (area.top + area.bottom - size) / 2;
    return RECT{area.left + 2, top, area.left + 2 + size, top + size};
}

void StyleList::drawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const int index = int(item.itemID);
    RECT area = item.rcItem;
    const UINT state = UINT(send(LVM_GETITEMSTATE, WPARAM(index), LVIS_SELECTED | LVIS_DROPHILITED));
    const bool hasFocus = GetFocus() == hwnd();
    const bool showsSelection = (GetWindowLongPtrA(hwnd(), GWL_STYLE) & LVS_SHOWSELALWAYS) != 0;
    const bool highlighted = (state & LVIS_DROPHILITED) ||
                             ((state & LVIS_SELECTED) && (hasFocus || showsSelection));
    HBRUSH back = GetSysColorBrush(highlighted ? COLOR_HIGHLIGHT : COLOR_WINDOW);
    FillRect(dc, &area, back);

    // State and small images, where the list has them.
    int left = area.left;
    LVITEMA info = {};
    info.mask = LVIF_IMAGE | LVIF_STATE;
    info.iItem = index;
    info.stateMask = LVIS_STATEIMAGEMASK;
    send(LVM_GETITEMA, 0, LPARAM(&info));
    if (HIMAGELIST states = HIMAGELIST(send(LVM_GETIMAGELIST, LVSIL_STATE))) {
        const int image = int((info.state & LVIS_STATEIMAGEMASK) >> 12) - 1;
        if (image >= 0) ImageList_Draw(states, image, dc, left, area.top, ILD_TRANSPARENT);
        int w = 0, h = 0;
        ImageList_GetIconSize(states, &w, &h);
        left += w;
    }
    if (HIMAGELIST small = HIMAGELIST(send(LVM_GETIMAGELIST, LVSIL_SMALL))) {
        ImageList_Draw(small, info.iImage, dc, left, area.top,
                       highlighted ? ILD_SELECTED : ILD_TRANSPARENT);
        int w = 0, h = 0;
        ImageList_GetIconSize(small, &w, &h);
        left += w;
    }

    // The swatch of index colour index + 1; the palette ends at 255.
    RECT swatchArea = area;
    swatchArea.left = left;
    const RECT swatch = swatchRect(swatchArea);
    const std::uint32_t color = indexColor(index + 1);
    if (index >= 0 && index + 1 <= 255 && color != kNoColor) {
        HBRUSH fill = CreateSolidBrush(COLORREF(color));
        FillRect(dc, &swatch, fill);
        DeleteObject(fill);
        FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    }

    RECT text = area;
    text.left = swatch.right + 4;
    const std::string caption = itemText(index);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor =
        SetTextColor(dc, GetSysColor(highlighted ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextA(dc, caption.c_str(), int(caption.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    if ((item.itemState & ODS_FOCUS) && hasFocus) DrawFocusRect(dc, &area);
}

}  // namespace quellon
