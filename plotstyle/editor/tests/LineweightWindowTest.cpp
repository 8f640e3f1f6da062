// Lineweight editing end to end on the virtual display: the real dialog's list, columns,
// marks and units; a refused value and its message; and an edit in inches made through the
// editor's lineweight button, saved, and checked by the independent reader: the list is
// sorted and every style's lineweight index points at the value it had.
#include "StyleWindowSupport.h"

#include "LineweightDialog.h"

#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <commctrl.h>

#include <cstdlib>

namespace {

using namespace editor_test;

constexpr std::uint32_t kMarkInk = 0x006E28;  // the mark's green, 0x00RRGGBB

class LineweightWindowTest : public EditorWindowTest {
protected:
    // The lineweight dialog opened on its own over `table`, modeless and shown.
    quellon::LineweightDialog& openDialog(const CPlotStyleTable& table) {
        dialog_.reset(new quellon::LineweightDialog(table, strings_));
        EXPECT_TRUE(dialog_->create());
        SetWindowPos(dialog_->hwnd(), HWND_TOPMOST, 40, 40, 0, 0, SWP_NOSIZE);
        ShowWindow(dialog_->hwnd(), SW_SHOW);
        UpdateWindow(dialog_->hwnd());
        dlg::pumpMessages();
        return *dialog_;
    }
    void TearDown() override {
        dialog_.reset();
        EditorWindowTest::TearDown();
    }
    static std::string cell(const dlg::ListView& list, int row, int column = 0) {
        return list.itemText(row, column);
    }
    static int subItemImage(const dlg::ListView& list, int row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        item.iSubItem = 1;
        list.send(LVM_GETITEMA, 0, LPARAM(&item));
        return item.iImage;
    }
    // Whether the in-use mark is painted in column 1 of `row`.
    static bool markPainted(const dlg::ListView& list, int row) {
        RECT r = {};
        r.top = 1;
        r.left = LVIR_BOUNDS;
        list.send(LVM_GETSUBITEMRECT, WPARAM(row), LPARAM(&r));
        dlg::RgbImage image;
        if (!dlg::captureWindow(list.hwnd(), image, true)) return false;
        for (int y = std::max(0, int(r.top)); y < r.bottom && y < image.height; ++y)
            for (int x = std::max(0, int(r.left)); x < r.right && x < image.width; ++x)
                if (image.pixel(x, y) == kMarkInk) return true;
        return false;
    }

    quellon::ResourceStrings strings_;
    std::unique_ptr<quellon::LineweightDialog> dialog_;
};

TEST_F(LineweightWindowTest, TheListShowsTheValuesTheirMarksAndTheUnits) {
    std::unique_ptr<CPlotStyleTable> table(
        CPlotStyleTable::read(copyOfSample("apm-lineweight-names.stb").c_str()));
    ASSERT_NE(table, nullptr);
    quellon::LineweightDialog& d = openDialog(*table);
    const dlg::ListView& list = d.list();
    ASSERT_EQ(list.count(), 27);

    char heading[64] = {};
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.pszText = heading;
    column.cchTextMax = sizeof heading;
    list.send(LVM_GETCOLUMNA, 0, LPARAM(&column));
    EXPECT_STREQ(heading, "Lineweights");
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_CENTER);
    // The widths come from the client width without the scroll bar the 27 rows then bring:
    // both columns fit beside it.
    RECT client = {};
    GetClientRect(list.hwnd(), &client);
    ASSERT_TRUE(GetWindowLongPtrA(list.hwnd(), GWL_STYLE) & WS_VSCROLL);
    const int scrollBar = GetSystemMetrics(SM_CXVSCROLL);
    const int width = client.right + scrollBar;
    EXPECT_EQ(column.cx, width * 3 / 5 - scrollBar);
    const int first = column.cx;
    list.send(LVM_GETCOLUMNA, 1, LPARAM(&column));
    EXPECT_STREQ(heading, "In Use");
    EXPECT_EQ(column.cx, width - width * 3 / 5);
    EXPECT_LE(first + column.cx, client.right);

    EXPECT_EQ(cell(list, 8), "0.250");
    EXPECT_EQ(cell(list, 26), "2.110");
    EXPECT_EQ(list.firstSelected(), 0);
    EXPECT_EQ(list.selectedCount(), 1);
    EXPECT_TRUE(SendMessageA(d.item(IDC_UNITS_MILLIMETRES), BM_GETCHECK, 0, 0) == BST_CHECKED);
    // Entries 9 (0.25 mm) and 3 (0.09 mm) are used, entry 4 (0.1 mm) is not.
    EXPECT_EQ(subItemImage(list, 8), 1);
    EXPECT_EQ(subItemImage(list, 2), 1);
    EXPECT_NE(subItemImage(list, 3), 1);
    EXPECT_TRUE(markPainted(list, 8));
    EXPECT_FALSE(markPainted(list, 3));

    press(d.hwnd(), IDC_LINEWEIGHT_SORT);  // nothing changed yet: nothing to sort
    EXPECT_EQ(cell(list, 0), "0.000");
    press(d.hwnd(), IDC_UNITS_INCHES);
    EXPECT_TRUE(d.model().inches());
    EXPECT_EQ(cell(list, 8), "0.0098");
    EXPECT_EQ(cell(list, 26), "0.0831");
    EXPECT_EQ(table->lineweightUnits, 0) << "the table changes only after OK";
}

TEST_F(LineweightWindowTest, ARefusedValueShowsTheRangeAndKeepsTheOldOne) {
    std::unique_ptr<CPlotStyleTable> table(
        CPlotStyleTable::read(copyOfSample("ezdxf-stbtest.stb").c_str()));
    quellon::LineweightDialog& d = openDialog(*table);
    d.list().selectOnly(5);
    press(d.hwnd(), IDC_LINEWEIGHT_EDIT);
    HWND edit = labelEditor(d.list().hwnd());
    ASSERT_NE(edit, nullptr) << "the edit button starts editing the selected row";
    finishLabelEdit(edit, "250");
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text,
              "Enter a lineweight between 0 and 200 millimeters (0 and 7.874015748031496 inches).");
    EXPECT_EQ(boxes()[0].title, "Lineweights");
    EXPECT_EQ(boxes()[0].type, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(cell(d.list(), 5), "0.150");
    EXPECT_FALSE(d.model().modified());

    press(d.hwnd(), IDC_UNITS_INCHES);
    finishLabelEdit(d.list().editLabel(5), " 0.02 ");
    EXPECT_EQ(cell(d.list(), 5), "0.0200");
    EXPECT_DOUBLE_EQ(d.model().entry(5).value, 0.508);
    press(d.hwnd(), IDC_LINEWEIGHT_SORT);
    EXPECT_EQ(cell(d.list(), 5), "0.0071");  // 0.18 mm moved up into the edited row's place
    EXPECT_EQ(cell(d.list(), 13), "0.0200");  // after 0.5 mm
}

// The lineweights of a saved file and each style's lineweight index, read without the
// component.
struct SavedWeights {
    std::vector<double> table;
    std::vector<int> styles;
    std::string units;
};
SavedWeights savedWeights(const std::string& path) {
    SavedWeights w;
    const auto records = recordsOf(path);
    for (int i = 0; records.count("custom_lineweight_table/" + std::to_string(i)); ++i)
        w.table.push_back(std::atof(records.at("custom_lineweight_table/" + std::to_string(i)).c_str()));
    for (int i = 0; records.count("plot_style/" + std::to_string(i) + "/lineweight"); ++i)
        w.styles.push_back(std::atoi(records.at("plot_style/" + std::to_string(i) + "/lineweight").c_str()));
    w.units = records.count("custom_lineweight_display_units") ? records.at("custom_lineweight_display_units") : "";
    return w;
}

TEST_F(LineweightWindowTest, AnEditInInchesIsSavedSortedWithEveryStyleOnItsOldValue) {
    const std::string path = copyOfSample("apm-lineweight-names.stb", "weights.stb");
    const SavedWeights before = savedWeights(path);
    ASSERT_EQ(before.table.size(), 27u);
    ASSERT_EQ(before.units, "0");
    open(path);
    selectStyles({1});
    bool edited = false;
    laterOnceReady([&edited] {
        HWND window = FindWindowA(nullptr, "Edit Lineweights");
        auto* d = static_cast<quellon::LineweightDialog*>(dlg::Dialog::fromHandle(window));
        if (!d) return false;
        press(window, IDC_UNITS_INCHES);
        d->list().selectOnly(8);  // 0.25 mm
        press(window, IDC_LINEWEIGHT_EDIT);
        finishLabelEdit(labelEditor(d->list().hwnd()), "0.002");  // 0.0508 mm
        edited = d->list().itemText(8) == "0.0020";
        press(window, IDOK);
        return true;
    });
    press(formView().hwnd(), IDC_EDIT_LINEWEIGHTS);
    ASSERT_TRUE(edited);
    EXPECT_TRUE(editor().session().modified());
    // The combo was filled again from the sorted list, in inches.
    quellon::SampleCombo& weights = formView().comboControl(quellon::Combo::Lineweight);
    EXPECT_EQ(weights.itemText(3), "0.0020\"");
    EXPECT_EQ(weights.itemText(weights.selection()), "0.0197\"");  // style 1: 0.5 mm
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());

    const SavedWeights after = savedWeights(path);
    EXPECT_EQ(after.units, "1");
    ASSERT_EQ(after.table.size(), 27u);
    for (std::size_t i = 1; i < after.table.size(); ++i) EXPECT_LE(after.table[i - 1], after.table[i]) << i;
    EXPECT_NEAR(after.table[2], 0.0508, 1e-9);  // between 0.05 and 0.09
    ASSERT_EQ(after.styles.size(), before.styles.size());
    int moved = 0;
    for (std::size_t s = 0; s < before.styles.size(); ++s) {
        const int k = before.styles[s], now = after.styles[s];
        if (k == 0) {
            EXPECT_EQ(now, 0) << s;
            continue;
        }
        const double was = before.table[std::size_t(k - 1)];
        EXPECT_NEAR(after.table[std::size_t(now - 1)], was == 0.25 ? 0.0508 : was, 1e-9) << s;
        moved += now != k;
    }
    EXPECT_GT(moved, 20);
}

TEST_F(LineweightWindowTest, CancelAndOkWithoutAChangeLeaveTheTable) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    const std::vector<unsigned char> before = editor().session().table().toBytes();
    laterOnceReady([] {
        HWND window = FindWindowA(nullptr, "Edit Lineweights");
        auto* d = static_cast<quellon::LineweightDialog*>(dlg::Dialog::fromHandle(window));
        if (!d) return false;
        press(window, IDC_UNITS_INCHES);
        finishLabelEdit(d->list().editLabel(3), "0.5");
        press(window, IDCANCEL);
        return true;
    });
    press(formView().hwnd(), IDC_EDIT_LINEWEIGHTS);
    later([] { press(FindWindowA(nullptr, "Edit Lineweights"), IDOK); });
    press(formView().hwnd(), IDC_EDIT_LINEWEIGHTS);
    EXPECT_EQ(editor().session().table().toBytes(), before);
    EXPECT_FALSE(editor().session().modified());
    EXPECT_EQ(FindWindowA(nullptr, "Edit Lineweights"), nullptr);
}

}  // namespace
