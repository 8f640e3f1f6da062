// The colour index dialog on the virtual display, driven by window messages: clicks at
// cell centres, borders and margins, the logical colour buttons, typing into the edit,
// help, a modal run, and what the dialog paints (read back from a screenshot).
#include "ColorIndexDialog.h"
#include "IndexColor.h"
#include "QuellonIds.h"
#include "ScratchRegistry.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

namespace {

using quellon::Box;
using quellon::ColorIndexDialog;

std::vector<std::string> g_boxes;
int recordBox(HWND, const std::string& text, const std::string&, UINT) {
    g_boxes.push_back(text);
    return IDOK;
}
UINT g_helpTopic = 0;

class ColorIndexDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        resources_ = LoadLibraryA((programFolder() + "QuellonRes.dll").c_str());
        ASSERT_NE(resources_, nullptr);
        previous_ = dlg::resourceHandle();
        dlg::setResourceHandle(resources_);
        g_boxes.clear();
        dlg::setMessageBoxHook(recordBox);
        dlg::setHelpHandler([](UINT topic) { g_helpTopic = topic; });
    }
    void TearDown() override {
        dlg::setMessageBoxHook(nullptr);
        dlg::setHelpHandler(nullptr);
        dlg::setResourceHandle(nullptr);
        FreeLibrary(resources_);
    }

    // Opens the dialog modeless and shown.
    void open(ColorIndexDialog& dialog, int x = 20, int y = 600) {
        ASSERT_TRUE(dialog.create());
        // Topmost and away from the corner where other test programs' windows appear, since
        // some tests read the screen or click through it.
        SetWindowPos(dialog.hwnd(), HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
        ShowWindow(dialog.hwnd(), SW_SHOW);
        UpdateWindow(dialog.hwnd());
        dlg::pumpMessages();
    }
    static void click(HWND dialog, int x, int y) {
        SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    static void press(HWND dialog, int id) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     LPARAM(GetDlgItem(dialog, id)));
    }
    static std::string editText(const ColorIndexDialog& d) {
        return d.itemText(IDC_COLOR_INDEX_EDIT);
    }
    static void type(HWND edit, const std::string& keys) {
        for (char c : keys) SendMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
    }
    // A frame's palette area as the dialog's frame control places it.
    static Box area(const ColorIndexDialog& d, int frame) {
        RECT r = {};
        GetWindowRect(d.item(frame), &r);
        MapWindowPoints(HWND_DESKTOP, d.hwnd(), reinterpret_cast<POINT*>(&r), 2);
        return Box{r.left + 5, r.top + 18, r.right - 5, r.bottom - 5};
    }

    HINSTANCE resources_ = nullptr;
    HINSTANCE previous_ = nullptr;
};

TEST_F(ColorIndexDialogTest, EveryCellCentrePicksItsIndex) {
    ColorIndexDialog d;
    open(d);
    ASSERT_EQ(d.layout().cells().size(), 255u);
    std::set<int> picked;
    for (const auto& cell : d.layout().cells()) {
        const Box t = cell.target();
        click(d.hwnd(), (t.left + t.right) / 2, (t.top + t.bottom) / 2);
        EXPECT_EQ(d.index, cell.index);
        EXPECT_EQ(editText(d), std::to_string(cell.index));
        picked.insert(d.index);
    }
    EXPECT_EQ(picked.size(), 255u);
}

TEST_F(ColorIndexDialogTest, CellsSitWhereTheFramesPutThem) {
    ColorIndexDialog d;
    open(d);
    // Upper grid, column 3, row 1: 18 + 30 - 2; lower grid, column 20, row 3: 11 + 200 + 6.
    const Box grid = area(d, IDC_GRID_FRAME);
    const int g = (grid.bottom - grid.top) / 2;
    const Box upper{grid.left, grid.top, grid.right, grid.bottom - g - 1};
    const Box lower{grid.left, grid.top + g + 1, grid.right, grid.bottom};
    auto centre = [](const Box& b, int column, int row) {
        const int w = b.width() / 24, h = b.height() / 5;
        const int left = b.left + (b.width() - 24 * w) / 2, top = b.top + (b.height() - 5 * h) / 2;
        return POINT{left + column * w + w / 2 - 1, top + row * h + h / 2 - 1};
    };
    POINT p = centre(upper, 3, 1);
    click(d.hwnd(), p.x, p.y);
    EXPECT_EQ(d.index, 46);
    p = centre(lower, 20, 3);
    click(d.hwnd(), p.x, p.y);
    EXPECT_EQ(d.index, 217);
    // Strips: the standard colours 1..9 and the greys 250..255 along their frames.
    const Box standard = area(d, IDC_STANDARD_FRAME), grey = area(d, IDC_GREY_FRAME);
    const int sw = standard.width() / 9, gw = grey.width() / 6;
    const int my = (standard.top + standard.bottom) / 2;
    click(d.hwnd(), standard.left + (standard.width() - 9 * sw) / 2 + 6 * sw + sw / 2, my);
    EXPECT_EQ(d.index, 7);
    click(d.hwnd(), grey.left + (grey.width() - 6 * gw) / 2 + 2 * gw + gw / 2, my);
    EXPECT_EQ(d.index, 252);
}

// A real click goes through the system's hit testing: the frames lying over the cells must
// let it through to the dialog.
TEST_F(ColorIndexDialogTest, RealMouseClicksReachTheCellsThroughTheFrames) {
    ColorIndexDialog d;
    open(d, 800, 20);  // a place of its own: the other tests' dialogs stay below y 600
    SetForegroundWindow(d.hwnd());
    for (int index : {77, 3, 254}) {
        const Box t = d.layout().find(index)->target();
        POINT p{(t.left + t.right) / 2, (t.top + t.bottom) / 2};
        ClientToScreen(d.hwnd(), &p);
        SetCursorPos(p.x, p.y);
        INPUT input[2] = {};
        input[0].type = input[1].type = INPUT_MOUSE;
        input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ASSERT_EQ(SendInput(2, input, sizeof(INPUT)), 2u);
        dlg::pumpMessages(150);
        EXPECT_EQ(d.index, index);
    }
}

TEST_F(ColorIndexDialogTest, BordersBetweenGridCellsAndStripMarginsPickNothing) {
    ColorIndexDialog d;
    d.index = 33;
    open(d);
    const auto& layout = d.layout();
    const quellon::ColorCell* cell = layout.find(18);  // upper grid, column 0, row 0
    ASSERT_NE(cell, nullptr);
    const Box t = cell->target();
    click(d.hwnd(), t.right, (t.top + t.bottom) / 2);   // the line before column 1
    click(d.hwnd(), (t.left + t.right) / 2, t.bottom);  // the line before row 1
    const quellon::ColorCell* one = layout.find(1);
    const Box s = one->cell;
    click(d.hwnd(), s.left + 1, (s.top + s.bottom) / 2);  // inside the 2-pixel margin
    click(d.hwnd(), (s.left + s.right) / 2, s.top);
    click(d.hwnd(), 2, 2);  // outside every area
    EXPECT_EQ(d.index, 33);
    EXPECT_EQ(editText(d), "33");
}

TEST_F(ColorIndexDialogTest, LogicalColourButtonsWhenAllowed) {
    ColorIndexDialog d;
    open(d);
    EXPECT_TRUE(IsWindowEnabled(d.item(IDC_BYLAYER)));
    press(d.hwnd(), IDC_BYLAYER);
    EXPECT_EQ(d.index, 256);
    EXPECT_EQ(editText(d), "256");
    press(d.hwnd(), IDC_BYBLOCK);
    EXPECT_EQ(d.index, 0);
    EXPECT_EQ(editText(d), "0");

    ColorIndexDialog fromFormView;
    fromFormView.allowSpecial = false;
    open(fromFormView);
    EXPECT_FALSE(IsWindowEnabled(fromFormView.item(IDC_BYLAYER)));
    EXPECT_FALSE(IsWindowEnabled(fromFormView.item(IDC_BYBLOCK)));
}

TEST_F(ColorIndexDialogTest, TypingTakesIndicesInRangeAndRefusesOthers) {
    ColorIndexDialog d;
    d.index = 5;
    open(d);
    HWND edit = d.item(IDC_COLOR_INDEX_EDIT);
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);
    type(edit, "3");
    EXPECT_EQ(d.index, 3);
    type(edit, "0");
    EXPECT_EQ(d.index, 30);
    EXPECT_TRUE(g_boxes.empty());
    type(edit, "0");  // 300
    EXPECT_EQ(d.index, 30);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0], "Enter an integer between 0 and 256.");

    SetWindowTextA(edit, "");  // an emptied edit becomes 0
    EXPECT_EQ(editText(d), "0");
    EXPECT_EQ(d.index, 0);
    SetWindowTextA(edit, "256");
    EXPECT_EQ(d.index, 256);
    SetWindowTextA(edit, "-1");
    EXPECT_EQ(d.index, 256);
    EXPECT_EQ(g_boxes.size(), 2u);
}

TEST_F(ColorIndexDialogTest, OkIsRefusedWhileTheEditHoldsAnIndexOutOfRange) {
    ColorIndexDialog d;
    open(d);
    d.setItemText(IDC_COLOR_INDEX_EDIT, "999");
    press(d.hwnd(), IDOK);
    EXPECT_NE(d.hwnd(), nullptr);
    d.setItemText(IDC_COLOR_INDEX_EDIT, "42");
    press(d.hwnd(), IDOK);
    EXPECT_EQ(d.hwnd(), nullptr);
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_EQ(d.index, 42);
}

TEST_F(ColorIndexDialogTest, HelpButtonAndHelpKeyOpenTopic115) {
    ColorIndexDialog d;
    open(d);
    g_helpTopic = 0;
    press(d.hwnd(), IDC_HELP_BUTTON);
    EXPECT_EQ(g_helpTopic, 115u);
    g_helpTopic = 0;
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    SendMessageA(d.hwnd(), WM_HELP, 0, LPARAM(&info));
    EXPECT_EQ(g_helpTopic, 115u);
    EXPECT_NE(SendMessageA(d.item(IDC_HELP_BUTTON), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

ColorIndexDialog* g_running = nullptr;

void CALLBACK pickAndConfirm(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    const Box t = g_running->layout().find(134)->target();
    SendMessageA(g_running->hwnd(), WM_LBUTTONUP, 0,
                 MAKELPARAM((t.left + t.right) / 2, (t.top + t.bottom) / 2));
    PostMessageA(g_running->hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
}

TEST_F(ColorIndexDialogTest, AModalRunReturnsThePickedIndexOnOk) {
    ColorIndexDialog d;
    d.index = 1;
    g_running = &d;
    SetTimer(nullptr, 0, 100, pickAndConfirm);
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.index, 134);
}

TEST_F(ColorIndexDialogTest, PaintsThePaletteAndTheCurrentColourAndSavesAScreenshot) {
    ColorIndexDialog d;
    open(d);
    const quellon::ColorCell* red = d.layout().find(1);
    click(d.hwnd(), (red->target().left + red->target().right) / 2,
          (red->target().top + red->target().bottom) / 2);
    dlg::pumpMessages(300);
    // What the dialog paints, into a bitmap of its client size (no other window can cover it).
    RECT rc = {};
    GetClientRect(d.hwnd(), &rc);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, rc.right, rc.bottom);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const RECT all = {0, 0, rc.right, rc.bottom};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    SendMessageA(d.hwnd(), WM_PRINTCLIENT, WPARAM(dc), PRF_CLIENT);
    auto rgbAt = [&](int x, int y) {
        const COLORREF c = GetPixel(dc, x, y);
        return (std::uint32_t(GetRValue(c)) << 16) | (std::uint32_t(GetGValue(c)) << 8) |
               GetBValue(c);
    };
    auto rgbOf = [](int index) {
        const std::uint32_t c = quellon::indexColor(index);  // 0x00BBGGRR
        return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
    };
    for (int index : {1, 5, 7, 9, 10, 11, 18, 134, 217, 240, 249, 250, 255}) {
        const Box t = d.layout().find(index)->target();
        EXPECT_EQ(rgbAt((t.left + t.right) / 2, (t.top + t.bottom) / 2), rgbOf(index)) << index;
    }
    // Strip cells carry a black outline; grid cells none, with the dialog face between.
    const Box strip = d.layout().find(3)->target();
    EXPECT_EQ(rgbAt(strip.left, (strip.top + strip.bottom) / 2), 0u);
    const Box grid = d.layout().find(18)->target();
    EXPECT_EQ(rgbAt(grid.left, grid.top), rgbOf(18));
    EXPECT_NE(rgbAt(grid.right, grid.top), rgbOf(18));
    const Box swatch = d.swatchBox();
    EXPECT_EQ(rgbAt((swatch.left + swatch.right) / 2, (swatch.top + swatch.bottom) / 2), 0xFF0000u);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    dlg::RgbImage window;
    ASSERT_TRUE(dlg::captureWindow(d.hwnd(), window));
    const std::string shot = windowsPath(KIVRA_BUILD_DIR) + "\\colorindex-dialog.png";
    EXPECT_TRUE(dlg::writePng(window, shot));
    std::printf("screenshot: %s\n", shot.c_str());
}

TEST(PaintColorCell, QuadrantsHatchAndPaletteColours) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    quellon::paintColorCell(dc, Box{0, 0, 20, 20}, 257);
    EXPECT_EQ(GetPixel(dc, 2, 2), RGB(230, 155, 155));
    EXPECT_EQ(GetPixel(dc, 17, 2), RGB(155, 230, 155));
    EXPECT_EQ(GetPixel(dc, 17, 17), RGB(230, 225, 155));
    EXPECT_EQ(GetPixel(dc, 2, 17), RGB(155, 155, 230));
    for (int n : {0, 256}) {
        SetBkColor(dc, RGB(255, 255, 255));
        quellon::paintColorCell(dc, Box{20, 0, 40, 20}, n);
        int grey = 0, white = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = 20; x < 40; ++x) {
                const COLORREF c = GetPixel(dc, x, y);
                grey += c == RGB(127, 127, 127);
                white += c == RGB(255, 255, 255);
            }
        EXPECT_GT(grey, 40) << n;
        EXPECT_GT(white, 100) << n;
        EXPECT_EQ(grey + white, 400) << n;
    }
    quellon::paintColorCell(dc, Box{0, 0, 20, 20}, -5);  // magnitude: index 5, blue
    EXPECT_EQ(GetPixel(dc, 10, 10), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

}  // namespace
