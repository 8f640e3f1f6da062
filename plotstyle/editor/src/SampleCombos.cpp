// Measuring and drawing the form view's owner-drawn combo items.
#include "SampleCombos.h"

#include "EditorText.h"
#include "IndexColor.h"

#include "dialogs/ModuleState.h"

#include "vexoutils/PlotStyleTable.h"

#include <algorithm>

namespace quellon {
namespace {

const char kVarious[] = "Various";

void fillRect(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void frameRect(HDC dc, const RECT& r, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    FrameRect(dc, &r, brush);
    DeleteObject(brush);
}

// The swatch of a colour sample: the sample's square less a margin.
RECT swatchRect(const RECT& sample, int size) {
    const int margin = std::max(2, size / 6);
    const int top = (sample.top + sample.bottom - size) / 2;
    return RECT{sample.left + margin, top + margin, sample.left + size - margin, top + size - margin};
}

}  // namespace

void SampleCombo::setVarious(bool on) {
    if (various_ == on) return;
    various_ = on;
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
}

void SampleCombo::show(int index) {
    select(index);
    setVarious(index < 0);
}

void SampleCombo::measureItem(MEASUREITEMSTRUCT& item) {
    // The combo is measured while it is created: its own font is not set yet, the dialog's
    // is. A memory context is enough to measure text (and cheaper than a window's).
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(owner_.hwnd(), WM_GETFONT, 0, 0));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = font ? SelectObject(dc, font) : nullptr;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SIZE space = {};
    GetTextExtentPoint32A(dc, " ", 1, &space);
    SIZE text = {};
    if (item.itemID != UINT(-1) && hwnd()) {
        const std::string caption = itemText(int(item.itemID));
        GetTextExtentPoint32A(dc, caption.c_str(), int(caption.size()), &text);
    }
    if (old) SelectObject(dc, old);
    DeleteDC(dc);
    int height = 2 * metrics.tmHeight;
    const SIZE sample = sampleSize(height);
    height = std::max(height, int(sample.cy));
    item.itemHeight = UINT(std::max(height, 1));
    item.itemWidth = UINT(space.cx + text.cx + sample.cx);
}

void SampleCombo::drawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    const RECT& area = item.rcItem;
    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const COLORREF background = disabled ? GetBkColor(dc) : GetSysColor(COLOR_WINDOW);
    fillRect(dc, area, background);
    SIZE space = {};
    GetTextExtentPoint32A(dc, " ", 1, &space);
    const int half = space.cx / 2;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));

    std::string caption;
    RECT rect = area;
    rect.left += half;
    if (item.itemID == UINT(-1)) {
        if (various_) caption = kVarious;
    } else {
        caption = itemText(int(item.itemID));
        const SIZE sample = sampleSize(area.bottom - area.top);
        if (item.itemState & ODS_SELECTED) {
            // The sample keeps the background; only the caption is highlighted.
            RECT text = area;
            text.left = rect.left + sample.cx;
            fillRect(dc, text, GetSysColor(COLOR_HIGHLIGHT));
            SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
            if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
        }
        RECT sampleArea = rect;
        sampleArea.right = std::min(area.right, LONG(rect.left + sample.cx));
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, sampleArea.left, sampleArea.top, sampleArea.right, sampleArea.bottom);
        drawSample(dc, rect, int(item.itemID), LPARAM(item.itemData));
        RestoreDC(dc, saved);
        rect.left = sampleArea.left + sample.cx;
    }
    rect.left += half;
    DrawTextA(dc, caption.c_str(), int(caption.size()), &rect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
}

// ---------------------------------------------------------------- colours

void ColorCombo::drawSample(HDC dc, RECT& rect, int item, LPARAM value) {
    const int size = rect.bottom - rect.top;
    const RECT swatch = swatchRect(rect, size);
    if (item >= count() - colorcombo::kPickerItems) {
        // The pickers: a black box with bars of the first six index colours.
        fillRect(dc, swatch, RGB(0, 0, 0));
        const int inner = swatch.right - swatch.left - 2;
        for (int k = 0; k < 6 && inner > 0; ++k) {
            const RECT bar{swatch.left + 1 + inner * k / 6, swatch.top + 1,
                           swatch.left + 1 + inner * (k + 1) / 6, swatch.bottom - 1};
            fillRect(dc, bar, COLORREF(indexColor(k + 1)));
        }
    } else {
        const VxColorRef color = colorcombo::colorOf(value);
        fillRect(dc, swatch, color == kVxObjectColor ? RGB(255, 255, 255) : COLORREF(color));
        frameRect(dc, swatch, RGB(0, 0, 0));
    }
    rect.left += size;
}

// ---------------------------------------------------------------- linetypes

void LinetypeCombo::drawSample(HDC dc, RECT& rect, int item, LPARAM value) {
    const int height = rect.bottom - rect.top;
    const int width = 3 * height;
    RECT sample{rect.left, rect.top, rect.left + width, rect.bottom};
    if (item == 1) {
        const int y = (rect.top + rect.bottom) / 2;
        const RECT line{sample.left + 2, y, sample.right - 2, y + 1};
        fillRect(dc, line, GetTextColor(dc));
    } else if (item > 1 && value >= 0 && value <= 30) {
        const char* pattern = g_cLineTypeDesc[value];
        RECT text = sample;
        UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_LEFT;
        if (pattern[0] == '_') {
            // Underscores sit on the baseline: put the baseline at the middle.
            TEXTMETRICA metrics = {};
            GetTextMetricsA(dc, &metrics);
            text.top = (rect.top + rect.bottom) / 2 - metrics.tmAscent + 1;
            format |= DT_TOP;
        } else {
            format |= DT_VCENTER;
        }
        DrawTextA(dc, pattern, -1, &text, format);
    }
    rect.left += width;
}

// ---------------------------------------------------------------- lineweights

int LineweightCombo::lineWidth(LPARAM value) const {
    if (value < 1 || value > CPlotStyleTable::kLineweightCount || !mm_) return 0;
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSX);
        ReleaseDC(nullptr, screen);
        return pixelsPerInch;
    }();
    return lineWidthPixels(mm_(int(value)), dpi);
}

void LineweightCombo::drawSample(HDC dc, RECT& rect, int item, LPARAM value) {
    const int height = rect.bottom - rect.top;
    const int width = 2 * height;
    if (item > 0) {
        const int line = std::min(std::max(lineWidth(value), 1), height);
        const int top = (rect.top + rect.bottom - line) / 2;
        const RECT bar{rect.left + 2, top, rect.left + width - 2, top + line};
        fillRect(dc, bar, GetTextColor(dc));
    }
    rect.left += width;
}

// ---------------------------------------------------------------- picture strips

BitmapCombo::~BitmapCombo() {
    if (strip_) DeleteObject(strip_);
}

void BitmapCombo::drawSample(HDC dc, RECT& rect, int item, LPARAM) {
    if (!loaded_) {
        loaded_ = true;
        strip_ = static_cast<HBITMAP>(
            LoadImageA(dlg::resourceHandle(), MAKEINTRESOURCEA(bitmapId_), IMAGE_BITMAP, 0, 0, 0));
    }
    if (strip_ && item >= 0) {
        BITMAP info = {};
        GetObjectA(strip_, sizeof info, &info);
        const int columns = std::max(1, int(info.bmWidth / cell_.cx));
        const int x = (item % columns) * cell_.cx, y = (item / columns) * cell_.cy;
        if (y + cell_.cy <= info.bmHeight) {
            HDC memory = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(memory, strip_);
            const int top = (rect.top + rect.bottom - cell_.cy) / 2;
            TransparentBlt(dc, rect.left, top, cell_.cx, cell_.cy, memory, x, y, cell_.cx, cell_.cy,
                           RGB(255, 255, 255));
            SelectObject(memory, old);
            DeleteDC(memory);
        }
    }
    rect.left += cell_.cx;
}

}  // namespace quellon
