// The form view end to end on the virtual display: real sample tables are opened, styles
// selected and edited through the real controls, the table saved; the saved file is read
// back by the independent reader (zlib and the text lines) and must differ from the same
// table saved unedited in exactly the edited values. Also what the controls show, and the
// owner-drawn lists and combos.
#include "EditorWindowSupport.h"

#include "ColorIndexDialog.h"

#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <commctrl.h>

#include <cstdint>

namespace {

using namespace editor_test;
using quellon::Combo;

// A colour word of an index colour as the file stores it: type byte 0xC3, then R, G, B.
std::string indexColorWord(int index) {
    const std::uint32_t bgr = ACAD2rgb(index);
    const std::uint32_t rgb = ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
    return std::to_string(static_cast<std::int32_t>(0xC3000000u | rgb));
}

class FormViewWindowTest : public EditorWindowTest {
protected:
    // The table in `path` saved by the component without any edit: what the edited file is
    // compared with.
    std::string unedited(const std::string& path) {
        const std::string out = path + ".unedited";
        std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(path.c_str()));
        EXPECT_TRUE(t && t->write(out.c_str()));
        return out;
    }
    quellon::SampleCombo& comboOf(int id) {
        for (Combo c : {Combo::Color, Combo::Dither, Combo::Grayscale, Combo::Adaptive,
                        Combo::Linetype, Combo::Lineweight, Combo::EndStyle, Combo::JoinStyle,
                        Combo::FillStyle})
            if (formView().comboControl(c).id() == id) return formView().comboControl(c);
        ADD_FAILURE() << "no combo " << id;
        return formView().comboControl(Combo::Color);
    }
    std::string editText(int id) { return formView().itemText(id); }
};

TEST_F(FormViewWindowTest, EditsOfAColourTableReachTheSavedFileAndNothingElseChanges) {
    const std::string path = copyOfSample("ezdxf-ctbtest.ctb");
    const std::string before = unedited(path);
    open(path);
    selectStyles({2, 5, 9});
    pick(IDC_COLOR, 5);       // blue
    pick(IDC_LINEWEIGHT, 9);  // 0.25 mm, entry 9
    pick(IDC_LINETYPE, 2);    // dashed
    pick(IDC_FILL_STYLE, 3);  // crosshatch
    type(formItem(IDC_PEN), "7");
    leave(formItem(IDC_PEN));
    type(formItem(IDC_SCREENING), "60");
    leave(formItem(IDC_SCREENING));
    EXPECT_TRUE(editor().session().modified());
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(editor().saved());
    EXPECT_TRUE(boxes().empty());

    std::map<std::string, std::string> expected;
    for (int s : {2, 5, 9}) {
        const std::string p = "plot_style/" + std::to_string(s) + "/";
        expected[p + "color"] = expected[p + "mode_color"] = indexColorWord(5);
        expected[p + "color_policy"] = "5";  // dither kept, explicit colour
        expected[p + "physical_pen_number"] = "7";
        expected[p + "screen"] = "60";
        expected[p + "lineweight"] = "9";
        expected[p + "linetype"] = "1";
        expected[p + "fill_style"] = "66";
    }
    EXPECT_EQ(changes(before, path), expected);

    // And the component reads the same back.
    std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(path.c_str()));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->style(5)->color2rgb(), ACAD2rgb(5));
    EXPECT_EQ(t->style(9)->penNumber, 7);
    EXPECT_EQ(t->style(3)->penNumber, 0);
}

TEST_F(FormViewWindowTest, EditsOfANamedTableThroughEveryKindOfControl) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    const std::string before = unedited(path);
    open(path);
    selectStyles({1, 2});
    // Pens 11 and 0: the edit is empty; what is typed goes to both.
    EXPECT_EQ(editText(IDC_PEN), "");
    type(formItem(IDC_PEN), "12");
    leave(formItem(IDC_PEN));
    // The index colour dialog, opened from the colour combo, picks 134.
    laterOnceReady([] {
        HWND picker = FindWindowA(nullptr, "Select Color");
        auto* dialog = static_cast<quellon::ColorIndexDialog*>(dlg::Dialog::fromHandle(picker));
        if (!dialog) return false;
        const quellon::Box t = dialog->layout().find(134)->target();
        SendMessageA(picker, WM_LBUTTONUP, 0, MAKELPARAM((t.left + t.right) / 2, (t.top + t.bottom) / 2));
        SendMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        return true;
    });
    pick(IDC_COLOR, 8);
    EXPECT_EQ(formView().comboControl(Combo::Color).itemText(
                  formView().comboControl(Combo::Color).selection()),
              "Color 134");
    pick(IDC_DITHER, 0);
    pick(IDC_END_STYLE, 3);   // round
    pick(IDC_JOIN_STYLE, 2);  // bevel
    type(formItem(IDC_STYLE_DESCRIPTION), "Edited together");
    leave(formItem(IDC_STYLE_DESCRIPTION));
    // Typed but not left: a change of selection takes it into the styles still selected.
    type(formItem(IDC_VIRTUAL_PEN), "200");
    selectStyles({2});
    EXPECT_EQ(editText(IDC_VIRTUAL_PEN), "200");
    clickSpin(IDC_SCREENING_SPIN, true);  // 90 -> 91, style 2 alone
    EXPECT_EQ(editText(IDC_SCREENING), "91");
    leave(formItem(IDC_SCREENING));
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());

    std::map<std::string, std::string> expected;
    for (int s : {1, 2}) {
        const std::string p = "plot_style/" + std::to_string(s) + "/";
        expected[p + "color"] = expected[p + "mode_color"] = indexColorWord(134);
        expected[p + "physical_pen_number"] = "12";
        expected[p + "virtual_pen_number"] = "200";
        expected[p + "end_style"] = "2";
        expected[p + "join_style"] = "1";
        expected[p + "description"] = "\"Edited together";
    }
    expected["plot_style/1/color_policy"] = "2";  // grayscale kept, dither off
    expected["plot_style/2/color_policy"] = "4";  // explicit colour, dither off
    expected["plot_style/2/screen"] = "91";
    EXPECT_EQ(changes(before, path), expected);
}

TEST_F(FormViewWindowTest, WhatTheControlsShowForASelection) {
    open(copyOfSample("ezdxf-stbtest.stb"));
    // Opening selects the first style: Normal, whose values are the objects' own.
    EXPECT_EQ(formView().list().selectedItems(), std::vector<int>{0});
    EXPECT_EQ(editText(IDC_PEN), "Automatic");
    EXPECT_EQ(editText(IDC_VIRTUAL_PEN), "Automatic");
    EXPECT_FALSE(IsWindowEnabled(formItem(IDC_COLOR)));
    EXPECT_FALSE(IsWindowEnabled(formItem(IDC_PEN)));
    EXPECT_FALSE(IsWindowEnabled(formItem(IDC_DELETE_STYLES)));
    EXPECT_TRUE(IsWindowEnabled(formItem(IDC_ADD_STYLE)));

    selectStyles({1, 2});
    EXPECT_TRUE(IsWindowEnabled(formItem(IDC_COLOR)));
    EXPECT_TRUE(IsWindowEnabled(formItem(IDC_DELETE_STYLES)));
    EXPECT_TRUE(comboOf(IDC_COLOR).various());     // two colours
    EXPECT_EQ(comboOf(IDC_COLOR).selection(), -1);
    EXPECT_TRUE(comboOf(IDC_FILL_STYLE).various());  // 64 and 65
    EXPECT_FALSE(comboOf(IDC_END_STYLE).various());  // square in both
    EXPECT_EQ(comboOf(IDC_END_STYLE).itemText(comboOf(IDC_END_STYLE).selection()), "Square");
    EXPECT_EQ(editText(IDC_SCREENING), "");
    EXPECT_EQ(editText(IDC_STYLE_DESCRIPTION), "");

    selectStyles({0, 2});  // the first style among them: nothing is editable
    for (int id : {IDC_COLOR, IDC_DITHER, IDC_LINEWEIGHT, IDC_FILL_STYLE, IDC_PEN, IDC_SCREENING_SPIN,
                   IDC_STYLE_DESCRIPTION})
        EXPECT_FALSE(IsWindowEnabled(formItem(id))) << id;

    // Screening 101 put into the edit at once returns to 90; typed key by key, "1" and
    // "10" are taken and the third key is refused.
    selectStyles({2});
    SetWindowTextA(formItem(IDC_SCREENING), "101");
    EXPECT_EQ(editText(IDC_SCREENING), "90");
    type(formItem(IDC_SCREENING), "101");
    EXPECT_EQ(editText(IDC_SCREENING), "10");
    leave(formItem(IDC_SCREENING));
    EXPECT_EQ(editor().session().table().style(2)->screening, 10);
}

TEST_F(FormViewWindowTest, PureWhiteAndCancelledPickersLeaveTheColour) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    selectStyles({3});
    pick(IDC_COLOR, 1);  // red
    const VxColorRef red = editor().session().table().style(3)->color2rgb();
    EXPECT_EQ(red, ACAD2rgb(1));
    pick(IDC_COLOR, 7);  // white
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].text.find("Pure white"), std::string::npos);
    EXPECT_EQ(comboOf(IDC_COLOR).selection(), 1);
    // The index dialog cancelled, and confirmed on 0 typed into its edit: no change either.
    later([] { PostMessageA(FindWindowA(nullptr, "Select Color"), WM_COMMAND, IDCANCEL, 0); });
    pick(IDC_COLOR, 8);
    later([] {
        HWND picker = FindWindowA(nullptr, "Select Color");
        SetDlgItemTextA(picker, IDC_COLOR_INDEX_EDIT, "0");
        SendMessageA(picker, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    pick(IDC_COLOR, 8);
    EXPECT_EQ(editor().session().table().style(3)->color2rgb(), red);
    EXPECT_EQ(comboOf(IDC_COLOR).selection(), 1);
}

TEST_F(FormViewWindowTest, ASpinDoesNothingOverDifferentValues) {
    open(copyOfSample("ezdxf-stbtest.stb"));
    selectStyles({1, 2});
    clickSpin(IDC_SCREENING_SPIN, true);
    EXPECT_EQ(editText(IDC_SCREENING), "");
    EXPECT_FALSE(editor().session().modified());
    selectStyles({1});
    clickSpin(IDC_PEN_SPIN, false);  // 11 -> 10
    EXPECT_EQ(editText(IDC_PEN), "10");
    EXPECT_TRUE(formView().hasPendingEdits());
    leave(formItem(IDC_PEN));
    EXPECT_EQ(editor().session().table().style(1)->penNumber, 10);
}

// The owner-drawn pieces, drawn into a bitmap: the colour list's swatches (none past index
// 255), the lineweight samples' widths and the colour combo's swatches.
class Canvas {
public:
    Canvas(int w, int h) {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, w, h);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        const RECT all{0, 0, w, h};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Canvas() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    HDC dc;

private:
    HBITMAP bitmap;
    HGDIOBJ old;
};

DRAWITEMSTRUCT drawing(HWND control, HDC dc, int item, RECT area, ULONG_PTR data = 0) {
    DRAWITEMSTRUCT d = {};
    d.hwndItem = control;
    d.hDC = dc;
    d.itemID = UINT(item);
    d.rcItem = area;
    d.itemData = data;
    d.itemAction = ODA_DRAWENTIRE;
    return d;
}

TEST_F(FormViewWindowTest, TheColourListDrawsIndexSwatchesAndNonePastTheIndex255) {
    open(copyOfSample("ezdxf-color.ctb"));
    quellon::StyleList& list = formView().list();
    ASSERT_EQ(list.count(), 255);
    EXPECT_EQ(list.itemText(4), "Color_5");
    EXPECT_EQ(GetWindowLongPtrA(list.hwnd(), GWL_STYLE) & LVS_EDITLABELS, 0);
    // A 256th item, as a damaged table could bring.
    list.insert(255, "Color_256");
    Canvas canvas(100, 60);
    const RECT first{0, 0, 100, 20}, blue{0, 20, 100, 40}, beyond{0, 40, 100, 60};
    list.drawItem(drawing(list.hwnd(), canvas.dc, 0, first));
    list.drawItem(drawing(list.hwnd(), canvas.dc, 4, blue));
    list.drawItem(drawing(list.hwnd(), canvas.dc, 255, beyond));
    auto centre = [](const RECT& r) {
        const RECT s = quellon::StyleList::swatchRect(r);
        return POINT{(s.left + s.right) / 2, (s.top + s.bottom) / 2};
    };
    POINT p = centre(first);
    EXPECT_EQ(canvas.at(p.x, p.y), COLORREF(ACAD2rgb(1)));
    p = centre(blue);
    EXPECT_EQ(canvas.at(p.x, p.y), COLORREF(ACAD2rgb(5)));
    const RECT s = quellon::StyleList::swatchRect(first);
    EXPECT_EQ(canvas.at(s.left, (s.top + s.bottom) / 2), RGB(0, 0, 0));  // the frame
    p = centre(beyond);
    EXPECT_EQ(canvas.at(p.x, p.y), GetSysColor(COLOR_WINDOW));  // item 255: no swatch
}

TEST_F(FormViewWindowTest, LineweightSamplesAreAsWideAsTheirMillimetresOnScreen) {
    open(copyOfSample("ezdxf-stbtest.stb"));
    quellon::SampleCombo& combo = comboOf(IDC_LINEWEIGHT);
    auto& weights = static_cast<quellon::LineweightCombo&>(combo);
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    const int height = 26;
    for (int value : {9, 20, 27}) {  // 0.25, 0.9 and 2.11 mm
        const double mm = editor().session().table().lineweights[value - 1];
        const int expected = int(mm * dpi / 25.4);
        EXPECT_EQ(weights.lineWidth(value), expected) << value;
        Canvas canvas(200, height);
        combo.drawItem(drawing(combo.hwnd(), canvas.dc, value, RECT{0, 0, 200, height}, ULONG_PTR(value)));
        // Count the dark rows in the middle of the sample.
        int dark = 0;
        for (int y = 0; y < height; ++y)
            if (canvas.at(height / 2 + 6, y) == GetSysColor(COLOR_WINDOWTEXT)) ++dark;
        EXPECT_EQ(dark, std::max(expected, 1)) << value;
    }
}

TEST_F(FormViewWindowTest, ColourComboSwatchesAndThePickerBars) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    quellon::SampleCombo& combo = comboOf(IDC_COLOR);
    const int height = 26;
    Canvas canvas(200, 3 * height);
    const RECT objectItem{0, 0, 200, height}, blueItem{0, height, 200, 2 * height},
        pickerItem{0, 2 * height, 200, 3 * height};
    combo.drawItem(drawing(combo.hwnd(), canvas.dc, 0, objectItem, ULONG_PTR(-1)));
    combo.drawItem(drawing(combo.hwnd(), canvas.dc, 5, blueItem, ULONG_PTR(ACAD2rgb(5))));
    combo.drawItem(drawing(combo.hwnd(), canvas.dc, combo.count() - 1, pickerItem));
    const int cx = 2 + height / 2;
    EXPECT_EQ(canvas.at(cx, height / 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.at(cx, height + height / 2), COLORREF(ACAD2rgb(5)));
    // Six bars of the index colours 1 to 6 across the picker's black box.
    std::vector<COLORREF> bars;
    for (int x = 0; x < height + 4; ++x) {
        const COLORREF c = canvas.at(x, 2 * height + height / 2);
        if (bars.empty() || bars.back() != c) bars.push_back(c);
    }
    std::vector<COLORREF> expected;
    for (int i = 1; i <= 6; ++i) expected.push_back(COLORREF(ACAD2rgb(i)));
    std::vector<COLORREF> seen;
    for (COLORREF c : bars)
        if (std::find(expected.begin(), expected.end(), c) != expected.end()) seen.push_back(c);
    EXPECT_EQ(seen, expected);
}

}  // namespace
