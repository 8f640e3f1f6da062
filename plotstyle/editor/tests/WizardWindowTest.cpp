// The add-table and new-table wizards on the virtual display, driven through their real
// pages as a user would: a colour table from scratch, a copy of a shared sample, a named
// table from pen settings kept in a scratch registry key, a refused name, a failed write,
// Edit with Save & Close and with a save as elsewhere, the new wizard's return-name box.
// Every file written is read back by the independent reader.
#include "AddTableWizard.h"
#include "EditorWindowSupport.h"
#include "NewTableWizard.h"

#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <prsht.h>

namespace {

using namespace editor_test;

// The sheet's own buttons.
constexpr int kBackButton = 0x3023, kNextButton = 0x3024, kFinishButton = 0x3025;

std::vector<UINT> g_helpTopics;
void recordHelp(UINT topic) {
    g_helpTopics.push_back(topic);
}

class WizardWindowTest : public EditorWindowTest {
protected:
    void SetUp() override {
        EditorWindowTest::SetUp();
        g_helpTopics.clear();
        dlg::setHelpHandler(recordHelp);
        folder = scratch_.path();
    }

    // Runs `script` once the sheet is up; whatever the script leaves open is cancelled.
    bool drive(quellon::TableWizardSheet& wizard, const std::function<void()>& script) {
        later(
            [&wizard, script] {
                dlg::pumpMessages();
                script();
                if (wizard.hwnd() && IsWindow(wizard.hwnd()))
                    PostMessageA(wizard.hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            },
            150);
        return wizard.run(nullptr);
    }
    static HWND page(quellon::TableWizardSheet& w) {
        return HWND(SendMessageA(w.hwnd(), PSM_GETCURRENTPAGEHWND, 0, 0));
    }
    static quellon::TableWizard::Page shown(quellon::TableWizardSheet& w) {
        const int index = w.sheet().activeIndex();
        return static_cast<quellon::WizardPage&>(w.sheet().page(index)).page();
    }
    static void press(quellon::TableWizardSheet& w, int button) {
        SendMessageA(w.hwnd(), PSM_PRESSBUTTON, WPARAM(button), 0);
        dlg::pumpMessages();
    }
    // Whether the sheet offers a button now (its state is posted by the page).
    static bool offered(quellon::TableWizardSheet& w, int id) {
        dlg::pumpMessages();
        HWND button = GetDlgItem(w.hwnd(), id);
        return button && IsWindowVisible(button) && IsWindowEnabled(button);
    }
    static std::string caption(quellon::TableWizardSheet& w) { return dlg::Window(w.hwnd()).text(); }
    static void click(HWND dialog, int id) {
        SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
        dlg::pumpMessages();
    }
    static bool checked(HWND dialog, int id) {
        return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
    }
    static void typeInto(HWND dialog, int id, const std::string& text) {
        type(GetDlgItem(dialog, id), text);
        dlg::pumpMessages();
    }
    static std::string kindOf(const std::string& path) {
        const auto bytes = bytesOf(path);
        return bytes.size() < 26 ? "" : std::string(bytes.begin() + 19, bytes.begin() + 26);
    }
    static int styleCount(const std::map<std::string, std::string>& records) {
        int n = 0;
        for (const auto& [key, value] : records)
            if (key.rfind("plot_style/", 0) == 0 && key.size() > 5 &&
                key.compare(key.size() - 5, 5, "/name") == 0)
                ++n;
        return n;
    }

    std::string folder;
};

TEST_F(WizardWindowTest, AColourTableFromScratchThroughEveryPageItShows) {
    quellon::AddTableWizard wizard(folder, nullptr, false);
    using P = quellon::TableWizard::Page;
    std::vector<std::string> captions;
    const bool finished = drive(wizard, [&] {
        HWND p = page(wizard);
        captions.push_back(caption(wizard));
        // Without pen settings: from scratch, the pen settings choice greyed, Next only.
        EXPECT_TRUE(checked(p, IDC_WIZ_ADD_SCRATCH));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_WIZ_ADD_PENS)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_WIZ_STEP_FIRST + 2)));
        EXPECT_TRUE(offered(wizard, kNextButton));
        EXPECT_FALSE(offered(wizard, kBackButton));
        // Help on every page opens the wizard's topic.
        press(wizard, PSBTN_HELP);
        press(wizard, PSBTN_NEXT);
        EXPECT_EQ(shown(wizard), P::kTypePage);
        captions.push_back(caption(wizard));
        EXPECT_TRUE(checked(page(wizard), IDC_WIZ_TYPE_COLOR));
        EXPECT_EQ(dlg::Window(GetDlgItem(page(wizard), IDC_WIZ_TYPE_INTRO)).text().find("%s"),
                  std::string::npos);
        press(wizard, PSBTN_NEXT);
        ASSERT_EQ(shown(wizard), P::kNamePage);  // the source page is skipped
        captions.push_back(caption(wizard));
        EXPECT_FALSE(offered(wizard, kNextButton));  // no name yet
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "   ");
        EXPECT_FALSE(offered(wizard, kNextButton));
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, " fresh.stb ");
        EXPECT_TRUE(offered(wizard, kNextButton));
        press(wizard, PSBTN_HELP);
        press(wizard, PSBTN_NEXT);
        ASSERT_EQ(shown(wizard), P::kFinishPage);
        captions.push_back(caption(wizard));
        EXPECT_TRUE(offered(wizard, kFinishButton));
        EXPECT_TRUE(offered(wizard, kBackButton));
        EXPECT_NE(dlg::Window(GetDlgItem(page(wizard), IDC_WIZ_ADD_SUMMARY)).text().find("fresh.ctb"),
                  std::string::npos);
        // Back skips the source page again.
        press(wizard, PSBTN_BACK);
        EXPECT_EQ(shown(wizard), P::kNamePage);
        press(wizard, PSBTN_BACK);
        EXPECT_EQ(shown(wizard), P::kTypePage);
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_FINISH);
    });
    EXPECT_TRUE(finished);
    EXPECT_EQ(wizard.wizard().result(), "fresh.ctb");
    EXPECT_EQ(captions, (std::vector<std::string>{
                            "Add Plot Style Table - Begin", "Add Plot Style Table - Table Type",
                            "Add Plot Style Table - File Name", "Add Plot Style Table - Finish"}));
    EXPECT_EQ(g_helpTopics, (std::vector<UINT>{IDH_WIZARD, IDH_WIZARD}));
    const std::string file = folder + "fresh.ctb";
    EXPECT_EQ(kindOf(file), "CTBVER1");
    const auto records = recordsOf(file);
    EXPECT_EQ(styleCount(records), 255);
    EXPECT_EQ(records.at("plot_style/0/color"), records.at("plot_style/254/color"));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(WizardWindowTest, ACopyOfASharedSampleKeepsItsTypeAndStyles) {
    const std::string sample = windowsPath(std::string(KIVRA_TESTDATA_DIR) + "/ctb/ezdxf-stbtest.stb");
    quellon::AddTableWizard wizard(folder, nullptr, false);
    using P = quellon::TableWizard::Page;
    const bool finished = drive(wizard, [&] {
        click(page(wizard), IDC_WIZ_ADD_EXISTING);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page(wizard), IDC_WIZ_STEP_FIRST + 1)));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page(wizard), IDC_WIZ_STEP_FIRST + 2)));
        press(wizard, PSBTN_NEXT);
        ASSERT_EQ(shown(wizard), P::kSourcePage);  // the type comes from the source
        EXPECT_EQ(dlg::Window(GetDlgItem(page(wizard), IDC_WIZ_SOURCE_LABEL)).text(),
                  dlg::loadString(IDS_WIZ_SOURCE_TABLE_LABEL));
        EXPECT_FALSE(offered(wizard, kNextButton));
        typeInto(page(wizard), IDC_WIZ_SOURCE_PATH, folder + "missing.stb");
        EXPECT_FALSE(offered(wizard, kNextButton));
        typeInto(page(wizard), IDC_WIZ_SOURCE_PATH, folder);  // a folder is no file
        EXPECT_FALSE(offered(wizard, kNextButton));
        typeInto(page(wizard), IDC_WIZ_SOURCE_PATH, sample);
        EXPECT_TRUE(offered(wizard, kNextButton));
        press(wizard, PSBTN_NEXT);
        ASSERT_EQ(shown(wizard), P::kNamePage);
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "copy.ctb");
        press(wizard, PSBTN_NEXT);
        ASSERT_EQ(shown(wizard), P::kFinishPage);
        EXPECT_FALSE(dlg::Window(GetDlgItem(page(wizard), IDC_WIZ_NAMED_NOTE)).text().empty());
        press(wizard, PSBTN_BACK);
        press(wizard, PSBTN_BACK);
        EXPECT_EQ(shown(wizard), P::kSourcePage);
        press(wizard, PSBTN_BACK);
        EXPECT_EQ(shown(wizard), P::kMethodPage);
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_FINISH);
    });
    EXPECT_TRUE(finished);
    EXPECT_EQ(wizard.wizard().result(), "copy.stb");
    const std::string copy = folder + "copy.stb";
    EXPECT_EQ(kindOf(copy), "STBVER1");
    auto mine = recordsOf(copy);
    const auto source = recordsOf(sample);
    EXPECT_EQ(styleCount(mine), styleCount(source));
    for (const auto& [key, value] : source) {
        if (key.find("name") == std::string::npos && key.find("screen") == std::string::npos)
            continue;
        EXPECT_EQ(mine[key], value) << key;
    }
}

TEST_F(WizardWindowTest, ANamedTableFromPenSettingsKeptInTheRegistry) {
    ScratchRegistry registry;
    const std::string plot = "Software\\Oremund\\Kivra 2013\\ENU\\Profiles\\plot";
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "1", "2,,0,0.35");
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "2", "4,2,10,0.5");
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "3", "2,,0,0.35");
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "Units", "M");
    static PenSettings pens[256];
    for (PenSettings& pen : pens) pen = PenSettings();
    bool inches = true;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, plot.c_str(), 0, KEY_READ, &key), ERROR_SUCCESS);
    ASSERT_TRUE(PenSettings::readFromReg(key, pens, 256, inches));
    RegCloseKey(key);

    quellon::AddTableWizard wizard(folder, pens, inches);
    using P = quellon::TableWizard::Page;
    const bool finished = drive(wizard, [&] {
        EXPECT_TRUE(checked(page(wizard), IDC_WIZ_ADD_PENS));
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page(wizard), IDC_WIZ_ADD_PENS)));
        press(wizard, PSBTN_NEXT);
        click(page(wizard), IDC_WIZ_TYPE_NAMED);
        press(wizard, PSBTN_NEXT);
        ASSERT_EQ(shown(wizard), P::kNamePage);
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "plotter pens");
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_FINISH);
    });
    EXPECT_TRUE(finished);
    EXPECT_TRUE(boxes().empty());  // every width is one of the table's lineweights
    const std::string file = folder + "plotter pens.stb";
    EXPECT_EQ(kindOf(file), "TTBVER1");
    auto records = recordsOf(file);
    EXPECT_EQ(records["description"], "\"" + dlg::loadString(IDS_WIZ_NAMED_DESCRIPTION));
    EXPECT_EQ(styleCount(records), 3);  // Normal, pen 2, pen 4
    EXPECT_EQ(records["aci_table/0"], records["aci_table/2"]);
    EXPECT_EQ(records["aci_table/0"], "\"Pen_2");
    EXPECT_EQ(records["aci_table/1"], "\"Pen_4");
    EXPECT_EQ(records["aci_table/3"], "\"Normal");
}

TEST_F(WizardWindowTest, ARefusedNameEmptiesTheEditAndAFailedWriteKeepsTheWizardOpen) {
    quellon::AddTableWizard wizard(folder + "gone", nullptr, false);
    using P = quellon::TableWizard::Page;
    const bool finished = drive(wizard, [&] {
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_NEXT);
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "sub\\plot");
        press(wizard, PSBTN_NEXT);
        EXPECT_EQ(shown(wizard), P::kNamePage);
        EXPECT_EQ(dlg::Window(GetDlgItem(page(wizard), IDC_WIZ_ADD_NAME)).text(), "");
        EXPECT_FALSE(offered(wizard, kNextButton));
        ASSERT_EQ(boxes().size(), 1u);
        EXPECT_EQ(boxes()[0].title, "Add Plot Style Table - File Name");
        EXPECT_TRUE(boxes()[0].type & MB_ICONEXCLAMATION);
        EXPECT_EQ(boxes()[0].text.rfind(folder + "gone\\sub\\plot is not", 0), 0u)
            << boxes()[0].text;
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "plot");
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_FINISH);  // the folder does not exist
        EXPECT_EQ(shown(wizard), P::kFinishPage);
        ASSERT_EQ(boxes().size(), 2u);
        EXPECT_EQ(boxes()[1].text, dlg::loadString(IDS_WRITE_FAILED));
        EXPECT_EQ(boxes()[1].title, "Add Plot Style Table - Finish");
    });
    EXPECT_FALSE(finished);  // cancelled after the failed write
}

// An add wizard whose editor asks no file dialog for its save as.
class ScriptedAddWizard : public quellon::AddTableWizard {
public:
    using AddTableWizard::AddTableWizard;
    std::vector<std::string> savePaths;
    std::function<void(ScriptedEditor&)> inEditor;

    EditorOutcome runEditor(quellon::TablePtr table, const std::string& path) override {
        ScriptedEditor editor(std::move(table), path);
        editor.savePaths = savePaths;
        later([&] {
            dlg::pumpMessages();
            if (inEditor) inEditor(editor);
            if (editor.hwnd()) editor.endDialog(IDCANCEL);
        });
        editor.doModal(hwnd());
        return EditorOutcome{editor.saved(), editor.session().writtenPaths()};
    }
};

TEST_F(WizardWindowTest, SavingInTheEditorMakesTheFileAndFinishWritesNothingMore) {
    ScriptedAddWizard wizard(folder, nullptr, false);
    const std::string file = folder + "edited.ctb";
    std::vector<unsigned char> saved;
    HWND editorOwner = nullptr;
    wizard.inEditor = [&](ScriptedEditor& editor) {
        editorOwner = GetWindow(editor.hwnd(), GW_OWNER);
        editor.session().table().setDesc("set in the editor");
        editor.setModified();
        SendDlgItemMessageA(editor.hwnd(), IDC_SAVE_CLOSE, BM_CLICK, 0, 0);
    };
    const bool finished = drive(wizard, [&] {
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_NEXT);
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "edited");
        press(wizard, PSBTN_NEXT);
        click(page(wizard), IDC_WIZ_EDIT_TABLE);
        EXPECT_EQ(editorOwner, wizard.hwnd());
        EXPECT_TRUE(wizard.wizard().written());
        saved = bytesOf(file);
        press(wizard, PSBTN_FINISH);
    });
    EXPECT_TRUE(finished);
    ASSERT_FALSE(saved.empty());
    EXPECT_EQ(bytesOf(file), saved);
    EXPECT_EQ(recordsOf(file)["description"], "\"set in the editor");
}

TEST_F(WizardWindowTest, ASaveAsElsewhereInTheEditorLeavesTheWizardsFileToFinish) {
    ScriptedAddWizard wizard(folder, nullptr, false);
    const std::string elsewhere = folder + "elsewhere.ctb";
    wizard.savePaths = {elsewhere};
    wizard.inEditor = [&](ScriptedEditor& editor) {
        SendDlgItemMessageA(editor.formViewPage()->hwnd(), IDC_SAVE_AS, BM_CLICK, 0, 0);
        SendDlgItemMessageA(editor.hwnd(), IDC_SAVE_CLOSE, BM_CLICK, 0, 0);
    };
    const bool finished = drive(wizard, [&] {
        press(wizard, PSBTN_NEXT);
        press(wizard, PSBTN_NEXT);
        typeInto(page(wizard), IDC_WIZ_ADD_NAME, "mine");
        press(wizard, PSBTN_NEXT);
        click(page(wizard), IDC_WIZ_EDIT_TABLE);
        EXPECT_FALSE(wizard.wizard().written());
        EXPECT_EQ(kindOf(elsewhere), "CTBVER1");
        EXPECT_EQ(GetFileAttributesA((folder + "mine.ctb").c_str()), INVALID_FILE_ATTRIBUTES);
        press(wizard, PSBTN_FINISH);
    });
    EXPECT_TRUE(finished);
    EXPECT_EQ(wizard.wizard().result(), "mine.ctb");
    EXPECT_EQ(kindOf(folder + "mine.ctb"), "CTBVER1");
}

TEST_F(WizardWindowTest, TheNewWizardWithoutPenSettingsStartsOnAPcpFileAndCanKeepItsName) {
    std::string name = "sentinel";
    {
        quellon::NewTableWizard wizard(false, folder, nullptr, false);
        using P = quellon::TableWizard::Page;
        const bool finished = drive(wizard, [&] {
            HWND p = page(wizard);
            EXPECT_EQ(caption(wizard), "Add Named Plot Style Table - Begin");
            EXPECT_TRUE(checked(p, IDC_WIZ_NEW_PCP));
            EXPECT_FALSE(IsWindowEnabled(GetDlgItem(p, IDC_WIZ_NEW_PENS)));
            press(wizard, PSBTN_NEXT);
            EXPECT_EQ(shown(wizard), P::kSourcePage);
            press(wizard, PSBTN_BACK);
            click(page(wizard), IDC_WIZ_NEW_SCRATCH);
            press(wizard, PSBTN_NEXT);
            ASSERT_EQ(shown(wizard), P::kNamePage);
            typeInto(page(wizard), IDC_WIZ_NEW_NAME, "named");
            press(wizard, PSBTN_NEXT);
            ASSERT_EQ(shown(wizard), P::kFinishPage);
            EXPECT_TRUE(checked(page(wizard), IDC_WIZ_RETURN_NAME));
            click(page(wizard), IDC_WIZ_RETURN_NAME);
            press(wizard, PSBTN_FINISH);
        });
        EXPECT_TRUE(finished);
        name = wizard.wizard().result();
    }
    EXPECT_EQ(name, "");
    EXPECT_EQ(kindOf(folder + "named.stb"), "STBVER1");
    auto records = recordsOf(folder + "named.stb");
    EXPECT_EQ(records["plot_style/0/name"], "\"Normal");
    // Cancelled: false.
    quellon::NewTableWizard cancelled(true, folder, nullptr, false);
    EXPECT_FALSE(drive(cancelled, [&] { press(cancelled, PSBTN_CANCEL); }));
}

}  // namespace
