// The style commands end to end on the virtual display: the style list's real menu read
// while it is open, add and paste through the real name dialog, delete and in-place rename
// on the real list, cut and paste, and the real clipboard between this process and a second
// editor process (a copy there pasted here; a short block posted there ignored here). Saved
// files are read back by the independent reader.
#include "StyleWindowSupport.h"

#include "FormViewCommands.h"

#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <commctrl.h>

namespace {

using namespace editor_test;

class StyleCommandsWindowTest : public EditorWindowTest {
protected:
    void TearDown() override {
        stopWatching();
        EditorWindowTest::TearDown();
    }
    HWND list() { return formView().list().hwnd(); }
    void command(int id) {
        SendMessageA(formView().hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        dlg::pumpMessages();
    }
    std::vector<std::string> rows() {
        std::vector<std::string> out;
        for (int i = 0; i < formView().list().count(); ++i) out.push_back(formView().list().itemText(i));
        return out;
    }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        const CPlotStyleTable& t = editor().session().table();
        for (int i = 0; i < t.size(); ++i) out.push_back(t.style(i)->name);
        return out;
    }
    // The records of style `index` of a saved file, by key, without its names.
    static std::map<std::string, std::string> styleRecords(const std::string& path, int index) {
        const std::string prefix = "plot_style/" + std::to_string(index) + "/";
        std::map<std::string, std::string> out;
        for (const auto& [key, value] : recordsOf(path)) {
            if (key.compare(0, prefix.size(), prefix) != 0) continue;
            const std::string field = key.substr(prefix.size());
            if (field != "name" && field != "localized_name") out[field] = value;
        }
        return out;
    }
    // The table in `path` saved by the component without any edit.
    static std::string unedited(const std::string& path) {
        const std::string out = path + ".unedited";
        std::unique_ptr<CPlotStyleTable> t(CPlotStyleTable::read(path.c_str()));
        EXPECT_TRUE(t && t->write(out.c_str()));
        return out;
    }
    static UINT styleFormat() {
        return RegisterClipboardFormatA(dlg::loadString(IDS_STYLE_CLIPBOARD_FORMAT).c_str());
    }
};

TEST_F(StyleCommandsWindowTest, TheMenuOffersCommandsByTheRulesAndPasteOnlyAfterACopy) {
    open(copyOfSample("ezdxf-stbtest.stb"));
    selectStyles({1});
    MenuOffer offer = rightClickMenu(list());
    ASSERT_EQ(offer.size(), 6u) << "the menu opened with its six commands";
    EXPECT_EQ(offer, (MenuOffer{{IDM_CUT_STYLE, true}, {IDM_COPY_STYLE, true}, {IDM_PASTE_STYLE, false},
                                {IDM_ADD_STYLE, true}, {IDM_DELETE_STYLES, true}, {IDM_RENAME_STYLE, true}}));
    EXPECT_EQ(formView().list().selectedItems(), std::vector<int>{1});

    command(IDM_COPY_STYLE);
    EXPECT_TRUE(IsClipboardFormatAvailable(styleFormat()));
    EXPECT_TRUE(rightClickMenu(list())[IDM_PASTE_STYLE]);

    selectStyles({0});  // the first style: nothing that changes or removes it
    offer = rightClickMenu(list());
    EXPECT_FALSE(offer[IDM_CUT_STYLE] || offer[IDM_DELETE_STYLES] || offer[IDM_RENAME_STYLE]);
    EXPECT_TRUE(offer[IDM_COPY_STYLE] && offer[IDM_PASTE_STYLE] && offer[IDM_ADD_STYLE]);
    selectStyles({1, 2});
    offer = rightClickMenu(list());
    EXPECT_FALSE(offer[IDM_CUT_STYLE] || offer[IDM_COPY_STYLE] || offer[IDM_RENAME_STYLE]);
    EXPECT_TRUE(offer[IDM_DELETE_STYLES] && offer[IDM_PASTE_STYLE]);
}

TEST_F(StyleCommandsWindowTest, AColourTableOffersCopyOnlyAndAMappedTableNeitherDeleteNorCut) {
    open(copyOfSample("ezdxf-ctbtest.ctb"));
    selectStyles({4});
    EXPECT_EQ(rightClickMenu(list()),
              (MenuOffer{{IDM_CUT_STYLE, false}, {IDM_COPY_STYLE, true}, {IDM_PASTE_STYLE, false},
                         {IDM_ADD_STYLE, false}, {IDM_DELETE_STYLES, false}, {IDM_RENAME_STYLE, false}}));
    editor().endDialog(IDCANCEL);

    open(copyOfSample("apm-ttb-with-aci-table.stb", "mapped.stb"));
    selectStyles({1});
    const MenuOffer offer = rightClickMenu(list());
    EXPECT_FALSE(offer.at(IDM_DELETE_STYLES));
    EXPECT_FALSE(offer.at(IDM_CUT_STYLE));
    EXPECT_TRUE(offer.at(IDM_COPY_STYLE) && offer.at(IDM_RENAME_STYLE));
    // The same as the form view's delete button says.
    EXPECT_FALSE(IsWindowEnabled(formItem(IDC_DELETE_STYLES)));
}

TEST_F(StyleCommandsWindowTest, AddAsksForAFreeNameAndTheFileGetsTheTrimmedName) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    open(path);
    selectStyles({2});
    auto seen = answerNameDialog({"style 1"}, true);  // taken, whatever the case: OK is refused
    press(formView().hwnd(), IDC_ADD_STYLE);
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(seen->proposed, "Style 2");
    EXPECT_EQ(seen->message, "A plot style named \"style 1\" already exists. Enter another name.");
    EXPECT_FALSE(seen->okEnabled);
    seen = answerNameDialog({"a;b"}, false);
    press(formView().hwnd(), IDC_ADD_STYLE);
    EXPECT_NE(seen->message.find("cannot contain"), std::string::npos) << seen->message;
    EXPECT_FALSE(seen->okEnabled);
    EXPECT_EQ(editor().session().table().size(), 3);
    EXPECT_FALSE(editor().session().modified());

    seen = answerNameDialog({"", "  Heavy  "}, true);
    press(formView().hwnd(), IDC_ADD_STYLE);
    EXPECT_TRUE(seen->okEnabled);
    EXPECT_EQ(seen->message, "");
    EXPECT_EQ(names(), (std::vector<std::string>{"Normal", "Style 1", "mozman", "Heavy"}));
    EXPECT_EQ(rows(), names());
    EXPECT_EQ(formView().list().selectedItems(), std::vector<int>{3});
    EXPECT_TRUE(editor().session().modified());
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());
    const auto records = recordsOf(path);
    EXPECT_EQ(records.at("plot_style/3/name"), "\"Heavy");
    EXPECT_EQ(records.at("plot_style/3/localized_name"), "\"Heavy");
    EXPECT_EQ(styleRecords(path, 3), styleRecords(path, 2)) << "a copy of the selected style";
}

TEST_F(StyleCommandsWindowTest, DeleteAndRenameOnTheRealList) {
    const std::string path = copyOfSample("apm-lineweight-names.stb", "names.stb");
    open(path);
    const std::string fifth = names()[4];
    selectStyles({2, 3});
    press(formView().hwnd(), IDC_DELETE_STYLES);
    EXPECT_EQ(editor().session().table().size(), 148);
    EXPECT_EQ(names()[2], fifth);
    EXPECT_EQ(rows(), names());
    EXPECT_EQ(formView().list().selectedItems(), std::vector<int>{1});

    command(IDM_RENAME_STYLE);
    HWND edit = labelEditor(list());
    ASSERT_NE(edit, nullptr) << "renaming edits the label in place";
    finishLabelEdit(edit, "  Heavy lines ");
    EXPECT_EQ(names()[1], "Heavy lines");
    EXPECT_EQ(formView().list().itemText(1), "Heavy lines");

    finishLabelEdit(formView().list().editLabel(1), " ");
    finishLabelEdit(formView().list().editLabel(1), names()[2]);
    ASSERT_EQ(boxes().size(), 2u);
    EXPECT_EQ(boxes()[0].text, "A plot style name cannot be empty.");
    EXPECT_EQ(boxes()[1].text, "A plot style named \"" + fifth + "\" already exists. Enter another name.");
    EXPECT_EQ(boxes()[1].type, UINT(MB_OK | MB_ICONSTOP));
    EXPECT_EQ(boxes()[1].title, editor().caption());
    EXPECT_EQ(formView().list().itemText(1), "Heavy lines");
    EXPECT_EQ(formView().list().editLabel(0), nullptr) << "the first style keeps its name";

    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());
    const auto records = recordsOf(path);
    EXPECT_EQ(records.at("plot_style/1/name"), "\"Heavy lines");
    EXPECT_EQ(records.at("plot_style/2/name"), "\"" + fifth);
    EXPECT_EQ(records.count("plot_style/148/name"), 0u);
}

TEST_F(StyleCommandsWindowTest, CutThenPasteGivesBackEveryProperty) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    const std::string before = unedited(path);
    open(path);
    selectStyles({2});
    command(IDM_CUT_STYLE);
    EXPECT_EQ(names(), (std::vector<std::string>{"Normal", "Style 1"}));
    EXPECT_EQ(formView().list().selectedItems(), std::vector<int>{1});
    auto seen = answerNameDialog({"mozman"}, true);
    command(IDM_PASTE_STYLE);
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(rows(), (std::vector<std::string>{"Normal", "Style 1", "mozman"}));
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());
    EXPECT_EQ(changes(before, path), (std::map<std::string, std::string>{}));
}

TEST_F(StyleCommandsWindowTest, AStyleCopiedInAnotherEditorProcessIsPastedHere) {
    const std::string path = copyOfSample("ezdxf-stbtest.stb");
    const std::string source = copyOfSample("ezdxf-ctbtest.ctb");
    {
        // Another editor puts a style on the clipboard: a fresh editor here offers no paste.
        TestEvent ready("ready"), quit("quit");
        PeerProcess peer("copy \"" + source + "\" 0 " + ready.name() + " " + quit.name());
        ASSERT_TRUE(peer.started());
        ASSERT_TRUE(waitPumping(ready.handle(), 30000)) << peer.output();
        EXPECT_TRUE(IsClipboardFormatAvailable(styleFormat()));
        open(path);
        selectStyles({1});
        EXPECT_FALSE(rightClickMenu(list())[IDM_PASTE_STYLE]);
        command(IDM_COPY_STYLE);  // a copy here makes the format known here
        SetEvent(quit.handle());
        EXPECT_EQ(peer.finish(), 0) << peer.output();
    }
    TestEvent ready("ready"), quit("quit");
    PeerProcess peer("copy \"" + source + "\" 5 " + ready.name() + " " + quit.name());
    ASSERT_TRUE(waitPumping(ready.handle(), 30000)) << peer.output();
    EXPECT_NE(GetClipboardOwner(), formView().hwnd());
    EXPECT_TRUE(rightClickMenu(list())[IDM_PASTE_STYLE]);
    auto seen = answerNameDialog({"From the colour table"}, true);
    command(IDM_PASTE_STYLE);
    SetEvent(quit.handle());
    EXPECT_EQ(peer.finish(), 0);
    EXPECT_NE(peer.output().find("\"copied\": \"Color_6\""), std::string::npos) << peer.output();
    ASSERT_TRUE(seen->opened);
    EXPECT_EQ(rows(), (std::vector<std::string>{"Normal", "Style 1", "From the colour table", "mozman"}));
    EXPECT_EQ(formView().list().selectedItems(), std::vector<int>{2});
    press(editor().hwnd(), IDC_SAVE_CLOSE);
    ASSERT_TRUE(closed());
    EXPECT_EQ(styleRecords(path, 2), styleRecords(unedited(source), 5));
}

TEST_F(StyleCommandsWindowTest, ABlockFromAnotherProcessThatClaimsMoreThanItHoldsIsIgnored) {
    open(copyOfSample("ezdxf-stbtest.stb"));
    selectStyles({1});
    command(IDM_COPY_STYLE);
    for (const unsigned extra : {4096u, 0u}) {
        // The same whole style, its count first overstated, then honest.
        TestEvent ready("ready"), quit("quit");
        PeerProcess peer("post " + std::to_string(extra) + " " + ready.name() + " " + quit.name());
        ASSERT_TRUE(waitPumping(ready.handle(), 30000)) << peer.output();
        EXPECT_TRUE(rightClickMenu(list())[IDM_PASTE_STYLE]) << extra;
        auto seen = answerNameDialog({"Posted"}, true);
        command(IDM_PASTE_STYLE);
        stopWatching();
        SetEvent(quit.handle());
        EXPECT_EQ(peer.finish(), 0) << peer.output();
        EXPECT_EQ(seen->opened, extra == 0) << extra;
        EXPECT_EQ(editor().session().modified(), extra == 0) << extra;
    }
    EXPECT_EQ(names(), (std::vector<std::string>{"Normal", "Style 1", "Posted", "mozman"}));
    EXPECT_EQ(editor().session().table().style(2)->penNumber, 9);
}

}  // namespace
