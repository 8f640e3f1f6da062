// The table editor dialog on the virtual display: what it shows when it opens, the general
// page (facts, scale factor bounds, the apply check), switching tabs, saving, save as, the
// question on closing, and the mends for failed writes (a read-only target): the dialog
// stays open with the edits, and a failed save as without the colour mapping gives the
// mapping back.
#include "EditorWindowSupport.h"

#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <commctrl.h>

namespace {

using namespace editor_test;

class TableEditorWindowTest : public EditorWindowTest {
protected:
    HWND tabs() { return editor().item(IDC_PAGE_TABS); }
    int shownTab() { return int(SendMessageA(tabs(), TCM_GETCURSEL, 0, 0)); }
    void setReadOnly(const std::string& path, bool on) {
        SetFileAttributesA(path.c_str(), on ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
    }
    void changePen(int style, const char* pen) {
        editor_test::EditorWindowTest::selectStyles({style});
        type(formItem(IDC_PEN), pen);
        leave(formItem(IDC_PEN));
    }
};

TEST_F(TableEditorWindowTest, OpensOnTheFormViewWithTheFileInTheCaption) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    EXPECT_EQ(editor().currentPage(), quellon::TableEditorDialog::kFormViewPage);
    EXPECT_EQ(shownTab(), 1);
    EXPECT_TRUE(IsWindowVisible(formView().hwnd()));
    EXPECT_FALSE(IsWindowVisible(generalPage().hwnd()));
    EXPECT_FALSE(IsWindowEnabled(generalPage().hwnd()));
    char caption[256] = {};
    GetWindowTextA(editor().hwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Plot Style Table Editor - ezdxf-ctbtest.ctb");
    char tab[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = tab;
    item.cchTextMax = sizeof tab;
    SendMessageA(tabs(), TCM_GETITEMA, 0, LPARAM(&item));
    EXPECT_STREQ(tab, "General");
    // The pages sit inside the tab control, below its tabs.
    RECT page = {}, tabRect = {}, header = {};
    GetWindowRect(formView().hwnd(), &page);
    GetWindowRect(tabs(), &tabRect);
    SendMessageA(tabs(), TCM_GETITEMRECT, 0, LPARAM(&header));
    EXPECT_GE(page.top, tabRect.top + header.bottom);
    EXPECT_LE(page.right, tabRect.right);
    EXPECT_LE(page.bottom, tabRect.bottom);
    EXPECT_NE(SendMessageA(editor().item(IDC_HELP_BUTTON), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(TableEditorWindowTest, TheGeneralPageShowsTheFileFacts) {
    const std::string path = copyOfSample("apm-ttb-with-aci-table.stb", "mapped.stb");
    open(path);
    clickTab(tabs(), 0);
    ASSERT_EQ(editor().currentPage(), quellon::TableEditorDialog::kGeneralPage);
    EXPECT_EQ(generalPage().itemText(IDC_FILE_NAME_TEXT), "Plot style table file name:\r\nmapped.stb");
    EXPECT_EQ(generalPage().itemText(IDC_FILE_FACTS_TEXT),
              "Location: " + path + "\r\n\r\nVersion: 1.0\r\n\r\nNumber of plot styles: " +
                  std::to_string(editor().session().table().size()) +
                  "\r\n\r\nNamed plot style table with a color mapping table");
    EXPECT_TRUE(IsWindowVisible(generalItem(IDC_SAVE_WITHOUT_MAPPING)));
    // A colour table: its own icon, no save-without-mapping.
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    clickTab(tabs(), 0);
    EXPECT_FALSE(IsWindowVisible(generalItem(IDC_SAVE_WITHOUT_MAPPING)));
    EXPECT_NE(SendMessageA(generalItem(IDC_TABLE_ICON), STM_GETICON, 0, 0), 0);
    EXPECT_EQ(generalPage().itemText(IDC_TABLE_DESCRIPTION), "Comment");
    EXPECT_EQ(generalPage().itemText(IDC_SCALE_FACTOR), "2");
    EXPECT_TRUE(IsWindowEnabled(generalItem(IDC_SCALE_FACTOR)));
}

TEST_F(TableEditorWindowTest, AScaleOutOfRangeRefusesTheTabSwitch) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    clickTab(tabs(), 0);
    for (const char* bad : {"10.01", "0.0099"}) {
        boxes().clear();
        type(generalItem(IDC_SCALE_FACTOR), bad);
        clickTab(tabs(), 1);
        EXPECT_EQ(editor().currentPage(), quellon::TableEditorDialog::kGeneralPage) << bad;
        EXPECT_EQ(shownTab(), 0) << bad;
        ASSERT_EQ(boxes().size(), 1u) << bad;
        EXPECT_EQ(boxes()[0].text, "Enter a number between 0.01 and 10.");
        EXPECT_TRUE(boxes()[0].type & MB_ICONEXCLAMATION);
    }
    type(generalItem(IDC_SCALE_FACTOR), "0.01");
    clickTab(tabs(), 1);
    EXPECT_EQ(editor().currentPage(), quellon::TableEditorDialog::kFormViewPage);
    EXPECT_DOUBLE_EQ(editor().session().table().scaleFactor, 0.01);
    clickTab(tabs(), 0);
    type(generalItem(IDC_SCALE_FACTOR), "10");
    clickTab(tabs(), 1);
    EXPECT_DOUBLE_EQ(editor().session().table().scaleFactor, 10);
    EXPECT_TRUE(editor().session().modified());
}

TEST_F(TableEditorWindowTest, TheApplyCheckTogglesTheScaleEditAndSetsModified) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));  // scale applied
    clickTab(tabs(), 0);
    EXPECT_FALSE(editor().session().modified());
    press(generalPage().hwnd(), IDC_APPLY_SCALE);
    EXPECT_FALSE(IsWindowEnabled(generalItem(IDC_SCALE_FACTOR)));
    EXPECT_TRUE(editor().session().modified());
    clickTab(tabs(), 1);
    EXPECT_FALSE(editor().session().table().applyFactor);
    clickTab(tabs(), 0);
    press(generalPage().hwnd(), IDC_APPLY_SCALE);
    EXPECT_TRUE(IsWindowEnabled(generalItem(IDC_SCALE_FACTOR)));
}

TEST_F(TableEditorWindowTest, SaveAndCloseWithoutChangesWritesNothing) {
    const std::string path = copyOfSample("ezdxf-color.ctb");
    const auto original = bytesOf(path);
    open(path);
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    EXPECT_TRUE(closed());
    EXPECT_FALSE(editor().saved());
    EXPECT_EQ(bytesOf(path), original);
}

TEST_F(TableEditorWindowTest, AFailedSaveAndCloseStaysOpenWithTheEdits) {
    const std::string path = copyOfSample("ezdxf-ctbtest.ctb");
    const auto original = bytesOf(path);
    open(path);
    changePen(4, "9");
    setReadOnly(path, true);
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    EXPECT_FALSE(closed());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].text.find("could not be saved"), std::string::npos);
    EXPECT_EQ(boxes()[0].title, "Plot Style Table Editor - ezdxf-ctbtest.ctb");
    EXPECT_EQ(bytesOf(path), original);
    EXPECT_EQ(editor().session().table().style(4)->penNumber, 9);
    EXPECT_TRUE(editor().session().modified());
    EXPECT_FALSE(editor().saved());

    setReadOnly(path, false);
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(editor().saved());
    EXPECT_EQ(recordsOf(path)["plot_style/4/physical_pen_number"], "9");
}

TEST_F(TableEditorWindowTest, TheCloseQuestionAndAFailedYes) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    const auto original = bytesOf(path);
    open(path);
    changePen(2, "4");
    // Cancel: stays open.
    answers() = {IDCANCEL};
    SendMessageA(editor().hwnd(), WM_CLOSE, 0, 0);  // the dialog posts itself a cancel
    dlg::pumpMessages();
    EXPECT_FALSE(closed());
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "The plot style table has changed. Save the changes?");
    EXPECT_EQ(boxes()[0].type & MB_TYPEMASK, UINT(MB_YESNOCANCEL));
    // Yes, but the file is read-only: the write fails, the dialog stays with the edits.
    setReadOnly(path, true);
    answers() = {IDYES, IDOK};
    press(editor().hwnd(), IDCANCEL);
    EXPECT_FALSE(closed());
    ASSERT_EQ(boxes().size(), 3u);
    EXPECT_NE(boxes()[2].text.find("could not be saved"), std::string::npos);
    EXPECT_EQ(editor().session().table().style(2)->penNumber, 4);
    EXPECT_EQ(bytesOf(path), original);
    // Yes again once it can be written.
    setReadOnly(path, false);
    answers() = {IDYES};
    press(editor().hwnd(), IDCANCEL);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(editor().saved());
    EXPECT_EQ(recordsOf(path)["plot_style/2/physical_pen_number"], "4");
}

TEST_F(TableEditorWindowTest, NoAtTheCloseQuestionWritesNothing) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    const auto original = bytesOf(path);
    open(path);
    // A typed description not yet taken counts as a change too.
    clickTab(tabs(), 0);
    type(generalItem(IDC_TABLE_DESCRIPTION), "not kept");
    EXPECT_TRUE(generalPage().hasPendingEdits());
    EXPECT_FALSE(editor().session().modified());
    answers() = {IDNO};
    press(editor().hwnd(), IDCANCEL);
    EXPECT_TRUE(closed());
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_FALSE(editor().saved());
    EXPECT_EQ(bytesOf(path), original);
    // Unchanged, the editor closes without asking.
    open(path);
    boxes().clear();
    press(editor().hwnd(), IDCANCEL);
    EXPECT_TRUE(closed());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(TableEditorWindowTest, SaveAsTakesTheTypedValuesFirstAndMovesToTheNewFile) {
    const std::string path = copyOfSample("apm-ttb-with-aci-table.stb", "mapped.stb");
    const std::string target = scratch_.path() + "plain.stb";
    open(path).savePaths = {target};
    clickTab(tabs(), 0);
    type(generalItem(IDC_TABLE_DESCRIPTION), "Typed just before");
    press(generalPage().hwnd(), IDC_SAVE_WITHOUT_MAPPING);
    EXPECT_TRUE(boxes().empty());
    EXPECT_EQ(editor().session().path(), target);
    EXPECT_FALSE(editor().session().modified());
    EXPECT_TRUE(editor().saved());
    // The page reloaded: the description stays, the file facts name the new file.
    EXPECT_EQ(generalPage().itemText(IDC_TABLE_DESCRIPTION), "Typed just before");
    EXPECT_NE(generalPage().itemText(IDC_FILE_FACTS_TEXT).find(target), std::string::npos);
    const std::string facts = generalPage().itemText(IDC_FILE_FACTS_TEXT);
    EXPECT_EQ(facts.substr(facts.rfind('\n') + 1), "Named plot style table");  // no mapping
    EXPECT_FALSE(IsWindowVisible(generalItem(IDC_SAVE_WITHOUT_MAPPING)));
    char caption[256] = {};
    GetWindowTextA(editor().hwnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Plot Style Table Editor - plain.stb");
    auto records = recordsOf(target);
    EXPECT_EQ(records["description"], "\"Typed just before");
    EXPECT_EQ(records["aci_table_available"], "FALSE");
    const auto saved = bytesOf(target);
    ASSERT_GT(saved.size(), 60u);
    EXPECT_EQ(std::string(saved.begin() + 19, saved.begin() + 26), "STBVER1");
}

TEST_F(TableEditorWindowTest, AFailedSaveAsWithoutTheMappingKeepsItForTheOldFile) {
    const std::string path = copyOfSample("apm-ttb-with-aci-table.stb", "mapped.stb");
    const std::string target = copyOfSample("ezdxf-stbtest.stb", "locked.stb");
    setReadOnly(target, true);
    open(path).savePaths = {target};
    clickTab(tabs(), 0);
    press(generalPage().hwnd(), IDC_SAVE_WITHOUT_MAPPING);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_NE(boxes()[0].text.find("could not be saved"), std::string::npos);
    EXPECT_EQ(editor().session().path(), path);
    EXPECT_TRUE(editor().session().table().colorMapping);
    EXPECT_TRUE(IsWindowVisible(generalItem(IDC_SAVE_WITHOUT_MAPPING)));
    // A later save to the old file keeps the file's mapping.
    clickTab(tabs(), 1);
    changePen(1, "3");
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());
    auto records = recordsOf(path);
    EXPECT_EQ(records["aci_table_available"], "TRUE");
    EXPECT_EQ(records.count("aci_table/254"), 1u);
    EXPECT_EQ(records["plot_style/1/physical_pen_number"], "3");
    setReadOnly(target, false);
}

TEST_F(TableEditorWindowTest, SaveAsFromTheFormViewTakesTheTypedNumber) {
    const std::string path = copyOfSample("ezdxf-ctbtest.ctb");
    const std::string target = scratch_.path() + "copy.ctb";
    open(path).savePaths = {target};
    selectStyles({7});
    type(formItem(IDC_PEN), "21");  // not left: Save As is pressed at once
    press(formView().hwnd(), IDC_SAVE_AS);
    EXPECT_EQ(editor().session().path(), target);
    EXPECT_EQ(recordsOf(target)["plot_style/7/physical_pen_number"], "21");
    EXPECT_EQ(recordsOf(path)["plot_style/7/physical_pen_number"], "0");
}

TEST_F(TableEditorWindowTest, HelpButtonAndHelpKeyOpenTheEditorsTopic) {
    static UINT topic = 0;
    dlg::setHelpHandler([](UINT t) { topic = t; });
    open(copyOfSample("ezdxf-stbtest.stb"));
    press(editor().hwnd(), IDC_HELP_BUTTON);
    EXPECT_EQ(topic, 185u);
    topic = 0;
    HELPINFO info = {};
    info.cbSize = sizeof info;
    SendMessageA(formView().hwnd(), WM_HELP, 0, LPARAM(&info));  // the key, pressed on a page
    EXPECT_EQ(topic, 185u);
}

TEST_F(TableEditorWindowTest, AModalRunDeletesTheTableAndReportsTheSave) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    laterOnceReady([] {
        HWND editorWindow = FindWindowA(nullptr, "Plot Style Table Editor - ezdxf-stbtest.stb");
        auto* editor = static_cast<quellon::TableEditorDialog*>(dlg::Dialog::fromHandle(editorWindow));
        if (!editor) return false;
        editor->session().table().style(1)->screening = 33;
        editor->setModified();
        SendMessageA(GetDlgItem(editorWindow, IDC_SAVE_CLOSE), BM_CLICK, 0, 0);
        return true;
    }, 300);
    EXPECT_TRUE(quellon::runTableEditor(CPlotStyleTable::read(path.c_str()), path, nullptr));
    EXPECT_EQ(recordsOf(path)["plot_style/1/screen"], "33");
    EXPECT_FALSE(quellon::runTableEditor(nullptr, path, nullptr));
}

}  // namespace
