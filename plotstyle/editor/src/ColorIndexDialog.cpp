// The colour index dialog: layout from its frame controls, painting, clicks, the edit.
#include "ColorIndexDialog.h"

#include "IndexColor.h"
#include "QuellonIds.h"

#include "dialogs/DataExchange.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

#include <windowsx.h>

#include <cstdlib>
#include <string>

namespace quellon {
namespace {

RECT toRect(const Box& b) {
    return RECT{b.left, b.top, b.right, b.bottom};
}

void fill(HDC dc, const Box& box, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    const RECT r = toRect(box);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

}  // namespace

void paintColorCell(HDC dc, const Box& box, int n) {
    if (box.width() <= 0 || box.height() <= 0) return;
    if (n == 257) {
        const int midX = box.left + box.width() / 2, midY = box.top + box.height() / 2;
        fill(dc, Box{box.left, box.top, midX, midY}, RGB(230, 155, 155));
        fill(dc, Box{midX, box.top, box.right, midY}, RGB(155, 230, 155));
        fill(dc, Box{midX, midY, box.right, box.bottom}, RGB(230, 225, 155));
        fill(dc, Box{box.left, midY, midX, box.bottom}, RGB(155, 155, 230));
        return;
    }
    if (n == 0 || n == 256) {
        HBRUSH hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(127, 127, 127));
        const RECT r = toRect(box);
        FillRect(dc, &r, hatch);
        DeleteObject(hatch);
        return;
    }
    const std::uint32_t color = indexColor(std::abs(n));
    fill(dc, box, color == kNoColor ? GetSysColor(COLOR_BTNFACE) : COLORREF(color));
}

ColorIndexDialog::ColorIndexDialog() : dlg::Dialog(IDD_COLOR_INDEX) {
    setHelpTopic(IDH_COLOR_INDEX);
}

// A dialog destroyed with its object never sees WM_DESTROY through its handlers.
ColorIndexDialog::~ColorIndexDialog() {
    onDestroy();
}

Box ColorIndexDialog::frameBox(int id) const {
    const RECT r = dlg::Window(item(id)).rectInParent();
    return Box{r.left, r.top, r.right, r.bottom};
}

Box ColorIndexDialog::swatchBox() const {
    HWND frame = item(IDC_SWATCH_FRAME);
    RECT r = {};
    GetClientRect(frame, &r);
    MapWindowPoints(frame, hwnd(), reinterpret_cast<POINT*>(&r), 2);
    return Box{r.left, r.top, r.right, r.bottom}.shrunk(1);
}

void ColorIndexDialog::layOut() {
    layout_.layout(frameBox(IDC_GREY_FRAME), frameBox(IDC_STANDARD_FRAME),
                   frameBox(IDC_GRID_FRAME));
}

bool ColorIndexDialog::onInitDialog() {
    helpIcon_ = static_cast<HICON>(
        LoadImageA(dlg::resourceHandle(), MAKEINTRESOURCEA(IDI_HELP), IMAGE_ICON, 16, 16, 0));
    dlg::Button help;
    help.attach(hwnd(), IDC_HELP_BUTTON);
    if (helpIcon_) help.setIcon(helpIcon_);
    EnableWindow(item(IDC_BYLAYER), allowSpecial);
    EnableWindow(item(IDC_BYBLOCK), allowSpecial);
    layOut();
    settingText_ = true;
    updateData(false);
    settingText_ = false;
    return true;
}

void ColorIndexDialog::onDestroy() {
    if (helpIcon_) DestroyIcon(helpIcon_);
    helpIcon_ = nullptr;
}

void ColorIndexDialog::doDataExchange(dlg::DataExchange& dx) {
    dx.integer(IDC_COLOR_INDEX_EDIT, index, short(0), short(256));
}

void ColorIndexDialog::choose(int newIndex) {
    index = short(newIndex);
    settingText_ = true;
    setItemText(IDC_COLOR_INDEX_EDIT, std::to_string(newIndex));
    settingText_ = false;
    repaint(kSwatch);
}

void ColorIndexDialog::repaint(unsigned bits) {
    repaintMask_ = bits;
    if (bits == kSwatch) {
        const RECT r = toRect(swatchBox());
        InvalidateRect(hwnd(), &r, FALSE);
    } else {
        InvalidateRect(hwnd(), nullptr, TRUE);
    }
    UpdateWindow(hwnd());
}

void ColorIndexDialog::onIndexTyped() {
    if (itemText(IDC_COLOR_INDEX_EDIT).empty()) {
        // Setting the text comes back here through the edit's change notice.
        setItemText(IDC_COLOR_INDEX_EDIT, "0");
        return;
    }
    updateData(true);  // a refused value shows the range message and keeps the index
    repaint(kSwatch);
}

bool ColorIndexDialog::onCommand(int id, int code, HWND) {
    switch (id) {
        case IDC_BYLAYER:
        case IDC_BYBLOCK:
            if (code != BN_CLICKED) return false;
            choose(id == IDC_BYLAYER ? 256 : 0);
            return true;
        case IDC_COLOR_INDEX_EDIT:
            if (code != EN_CHANGE || settingText_) return false;
            onIndexTyped();
            return true;
        default:
            return false;
    }
}

void ColorIndexDialog::paint(HDC dc) {
    if (repaintMask_ & kPalette) {
        HGDIOBJ oldPen = SelectObject(dc, GetStockObject(BLACK_PEN));
        for (const ColorCell& cell : layout_.cells()) {
            const Box box = cell.target();
            if (cell.area == PaletteArea::GreyStrip || cell.area == PaletteArea::StandardStrip) {
                paintColorCell(dc, box, cell.index);
                HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
                Rectangle(dc, box.left, box.top, box.right, box.bottom);
                SelectObject(dc, oldBrush);
            } else {
                paintColorCell(dc, box, cell.index);  // grids: no outline
            }
        }
        SelectObject(dc, oldPen);
    }
    if (repaintMask_ & kSwatch) {
        const std::uint32_t color = index < 0 ? kNoColor : indexColor(index);
        fill(dc, swatchBox(), color == kNoColor ? GetSysColor(COLOR_BTNFACE) : COLORREF(color));
    }
    repaintMask_ = kEverything;
}

bool ColorIndexDialog::onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd(), &ps);
            paint(dc);
            EndPaint(hwnd(), &ps);
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT:  // the palette and swatch into a given context (pictures)
            repaintMask_ = kEverything;
            paint(reinterpret_cast<HDC>(w));
            result = 0;
            return true;
        case WM_LBUTTONUP: {
            const int hit = layout_.hitTest(GET_X_LPARAM(l), GET_Y_LPARAM(l));
            if (hit < 0) return false;
            choose(hit);
            result = 0;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace quellon
