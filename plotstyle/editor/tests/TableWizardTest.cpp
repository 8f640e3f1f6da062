// The wizards' rules on a fake host: which page follows which for each method, buttons,
// captions and greyed steps, the making methods with their messages, and when the file is
// written: Finish, a save in the editor to the wizard's own file (not a save as elsewhere),
// Edit again on the saved file. Written files are read back by the independent reader.
#include "TableWizard.h"

#include "FakeStrings.h"
#include "QuellonIds.h"
#include "RawText.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

namespace {

using quellon::MakeMethod;
using quellon::TablePtr;
using quellon::TableWizard;
using quellon::WizardButtons;
using quellon::WizardKind;
using Page = TableWizard::Page;

// The wizard's formats with their placeholders; every other text is "#<id>".
class WizardStrings : public testing_support::FakeStrings {
public:
    std::string text(unsigned id) const override {
        static const std::map<unsigned, std::string> formats = {
            {IDS_WIZ_BAD_NAME, "bad name %s"},
            {IDS_WIZ_PCP_WARNING, "pcp warning %s %s"},
            {IDS_WIZ_PCP_UNREADABLE, "pcp unreadable %s"},
            {IDS_WIZ_PENS_WARNING, "pens warning %s"},
            {IDS_WIZ_SCRATCH_COLOR_SUMMARY, "scratch ctb %s for %s"},
            {IDS_WIZ_SCRATCH_NAMED_SUMMARY, "scratch stb %s"},
            {IDS_WIZ_MADE_SUMMARY, "made %s"},
            {IDS_WIZ_SOURCE_UNREADABLE, "unreadable %s"},
            {IDS_WIZ_COLOR_DESCRIPTION, "from pens, colour"},
            {IDS_WIZ_NAMED_DESCRIPTION, "from pens, named"},
        };
        const auto it = formats.find(id);
        return it != formats.end() ? it->second : FakeStrings::text(id);
    }
};

class FakeHost : public quellon::WizardHost {
public:
    std::vector<std::string> messages;
    std::vector<std::string> existing;  // what fileExists knows
    // What the editor does with the table it gets; by default nothing.
    std::function<EditorOutcome(CPlotStyleTable&, const std::string&)> editor;
    std::vector<std::string> editedPaths;

    void showMessage(const std::string& text) override { messages.push_back(text); }
    EditorOutcome runEditor(TablePtr table, const std::string& path) override {
        editedPaths.push_back(path);
        return editor ? editor(*table, path) : EditorOutcome{};
    }
    bool fileExists(const std::string& path) override {
        for (const auto& p : existing)
            if (p == path) return true;
        return false;
    }
};

std::string sample(const char* name) {
    return std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name;
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

// A written file as the independent reader sees it: the header's kind and the records.
struct FileView {
    std::string kind;
    std::map<std::string, std::string> records;
    int styles = 0;
};
FileView viewOf(const std::string& path) {
    FileView v;
    const auto bytes = bytesOf(path);
    if (bytes.size() < 60) return v;
    v.kind.assign(bytes.begin() + 19, bytes.begin() + 26);
    std::string text;
    if (!tool::rawText(bytes, text)) return v;
    for (const auto& r : tool::flatten(text)) {
        v.records[r.path] = r.value;
        if (r.path.rfind("plot_style/", 0) == 0 && r.path.size() > 5 &&
            r.path.compare(r.path.size() - 5, 5, "/name") == 0)
            ++v.styles;
    }
    return v;
}

class TableWizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = std::filesystem::temp_directory_path() /
                 ("kivra-wizard-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        directory = folder.string() + "/";
        pens[1].pen = 3;
        pens[1].width = 0.25;
        pens[2].pen = 5;
        pens[2].width = 0.5;
        pens[3].pen = 3;
        pens[3].width = 0.25;
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    TableWizard make(WizardKind kind, bool withPens = true, bool colorDependent = true) {
        quellon::WizardSetup setup;
        setup.kind = kind;
        setup.directory = directory;
        setup.pens = withPens ? pens : nullptr;
        setup.colorDependent = colorDependent;
        TableWizard wizard(setup, strings, host);
        wizard.open();
        return wizard;
    }
    // Next from the first page to the last, the pages it shows on the way.
    static std::vector<Page> forward(const TableWizard& w) {
        std::vector<Page> seen = {Page::kMethodPage};
        while (seen.back() != Page::kFinishPage && seen.size() < 8)
            seen.push_back(w.nextPage(seen.back()));
        return seen;
    }
    static std::vector<Page> backward(const TableWizard& w) {
        std::vector<Page> seen = {Page::kFinishPage};
        while (seen.back() != Page::kMethodPage && seen.size() < 8)
            seen.push_back(w.backPage(seen.back()));
        return seen;
    }
    std::string path(const std::string& name) const { return directory + name; }
    void writePcp(const std::string& name, const std::string& text) const {
        std::ofstream(path(name), std::ios::binary) << text;
    }

    std::filesystem::path folder;
    std::string directory;
    PenSettings pens[256];
    WizardStrings strings;
    FakeHost host;
};

TEST_F(TableWizardTest, EachMethodSkipsThePagesItNeedsNot) {
    using P = Page;
    TableWizard add = make(WizardKind::Add);
    const std::map<MakeMethod, std::vector<Page>> addFlow = {
        {MakeMethod::Scratch, {P::kMethodPage, P::kTypePage, P::kNamePage, P::kFinishPage}},
        {MakeMethod::Existing, {P::kMethodPage, P::kSourcePage, P::kNamePage, P::kFinishPage}},
        {MakeMethod::PenSettings, {P::kMethodPage, P::kTypePage, P::kNamePage, P::kFinishPage}},
        {MakeMethod::Pcp,
         {P::kMethodPage, P::kTypePage, P::kSourcePage, P::kNamePage, P::kFinishPage}}};
    for (const auto& [method, pages] : addFlow) {
        add.setMethod(method);
        EXPECT_EQ(forward(add), pages) << int(method);
        EXPECT_EQ(backward(add), std::vector<Page>(pages.rbegin(), pages.rend())) << int(method);
    }
    TableWizard added = make(WizardKind::New);
    const std::map<MakeMethod, std::vector<Page>> newFlow = {
        {MakeMethod::Scratch, {P::kMethodPage, P::kNamePage, P::kFinishPage}},
        {MakeMethod::PenSettings, {P::kMethodPage, P::kNamePage, P::kFinishPage}},
        {MakeMethod::Pcp, {P::kMethodPage, P::kSourcePage, P::kNamePage, P::kFinishPage}}};
    for (const auto& [method, pages] : newFlow) {
        added.setMethod(method);
        EXPECT_EQ(forward(added), pages) << int(method);
        EXPECT_EQ(backward(added), std::vector<Page>(pages.rbegin(), pages.rend())) << int(method);
    }
}

TEST_F(TableWizardTest, WithoutPenSettingsTheWizardsStartOnTheirOtherMethods) {
    EXPECT_EQ(make(WizardKind::Add).method(), MakeMethod::PenSettings);
    EXPECT_EQ(make(WizardKind::New).method(), MakeMethod::PenSettings);
    EXPECT_EQ(make(WizardKind::Add, false).method(), MakeMethod::Scratch);
    EXPECT_EQ(make(WizardKind::New, false).method(), MakeMethod::Pcp);
    EXPECT_FALSE(make(WizardKind::Add, false).hasPens());
    EXPECT_TRUE(make(WizardKind::Add, false).colorDependent());
    EXPECT_FALSE(make(WizardKind::New, false, false).colorDependent());
}

TEST_F(TableWizardTest, ButtonsOfferNextOnlyWhenThePageHasWhatItNeeds) {
    TableWizard w = make(WizardKind::Add);
    w.setMethod(MakeMethod::Pcp);
    EXPECT_EQ(w.buttons(Page::kMethodPage), (WizardButtons{false, true, false}));
    EXPECT_EQ(w.buttons(Page::kTypePage), (WizardButtons{true, true, false}));
    EXPECT_EQ(w.buttons(Page::kFinishPage), (WizardButtons{true, false, true}));
    // The source page: only a file that exists.
    EXPECT_EQ(w.buttons(Page::kSourcePage), (WizardButtons{true, false, false}));
    w.setSourcePath(path("pens.pcp"));
    EXPECT_FALSE(w.canGoOn(Page::kSourcePage));
    host.existing = {path("pens.pcp")};
    EXPECT_EQ(w.buttons(Page::kSourcePage), (WizardButtons{true, true, false}));
    // The name page: a name that is not blank.
    for (const char* blank : {"", "  ", "\t"}) {
        w.setNameText(blank);
        EXPECT_FALSE(w.buttons(Page::kNamePage).next) << blank;
    }
    w.setNameText(" x ");
    EXPECT_TRUE(w.buttons(Page::kNamePage).next);
}

TEST_F(TableWizardTest, CaptionsAndStepsFollowTheWizardAndTheMethod) {
    TableWizard add = make(WizardKind::Add);
    EXPECT_EQ(add.caption(Page::kMethodPage), "#1134#1123");
    EXPECT_EQ(add.caption(Page::kTypePage), "#1134#1133");
    EXPECT_EQ(add.caption(Page::kSourcePage), "#1134#1124");
    EXPECT_EQ(add.caption(Page::kNamePage), "#1134#1125");
    EXPECT_EQ(add.caption(Page::kFinishPage), "#1134#1126");
    EXPECT_EQ(make(WizardKind::New, true, true).caption(Page::kSourcePage), "#1106#1124");
    EXPECT_EQ(make(WizardKind::New, true, false).caption(Page::kNamePage), "#1107#1125");
    using Steps = std::array<bool, 5>;
    const std::map<MakeMethod, Steps> steps = {
        {MakeMethod::Scratch, {true, true, false, true, true}},
        {MakeMethod::Existing, {true, false, true, true, true}},
        {MakeMethod::PenSettings, {true, true, false, true, true}},
        {MakeMethod::Pcp, {true, true, true, true, true}}};
    for (const auto& [method, enabled] : steps) {
        add.setMethod(method);
        EXPECT_EQ(add.steps(), enabled) << int(method);
    }
    add.setMethod(MakeMethod::Pcp);
    EXPECT_EQ(add.sourceLabel(), "#1135");
    add.setMethod(MakeMethod::Existing);
    EXPECT_EQ(add.sourceLabel(), "#160");
}

TEST_F(TableWizardTest, ARefusedNameShowsTheFolderAndTheTextAndKeepsNoName) {
    TableWizard w = make(WizardKind::Add);
    w.setNameText(" sub\\plot ");
    EXPECT_FALSE(w.acceptName());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "bad name " + directory + "sub\\plot");
    EXPECT_TRUE(w.fileName().empty());
    w.setNameText("   ");
    EXPECT_FALSE(w.acceptName());
    EXPECT_EQ(host.messages.size(), 1u);  // blank: silently
    w.setColorDependent(false);
    w.setNameText("plot.ctb");
    EXPECT_TRUE(w.acceptName());
    EXPECT_EQ(w.fileName(), "plot.stb");
}

TEST_F(TableWizardTest, FromScratchFinishWritesAFullColourTable) {
    TableWizard w = make(WizardKind::Add, false);
    w.setNameText("fresh");
    ASSERT_TRUE(w.acceptName());
    EXPECT_EQ(w.summary(), "scratch ctb fresh.ctb for Kivra");
    EXPECT_EQ(w.note(), "");
    EXPECT_TRUE(w.finish());
    EXPECT_TRUE(w.written());
    EXPECT_TRUE(host.messages.empty());
    EXPECT_EQ(w.result(), "fresh.ctb");
    const FileView file = viewOf(path("fresh.ctb"));
    EXPECT_EQ(file.kind, "CTBVER1");
    EXPECT_EQ(file.styles, 255);
    EXPECT_EQ(file.records.at("plot_style/254/name"), "\"Color_255");
}

TEST_F(TableWizardTest, ANamedCopyTakesItsTypeFromTheSourceTable) {
    // The type page is skipped for a copy: the type left on it (colour) must not decide.
    TableWizard w = make(WizardKind::Add);
    w.setMethod(MakeMethod::Existing);
    w.setSourcePath(sample("ezdxf-stbtest.stb"));
    ASSERT_TRUE(w.leaveSourcePage());
    EXPECT_FALSE(w.colorDependent());
    w.setNameText("copy.ctb");
    ASSERT_TRUE(w.acceptName());
    EXPECT_EQ(w.fileName(), "copy.stb");
    EXPECT_EQ(w.summary(), "#147copy.stb#145copy.stb#146");
    EXPECT_EQ(w.note(), "#1112#1113");
    ASSERT_TRUE(w.finish());
    FileView copy = viewOf(path("copy.stb"));
    const FileView source = viewOf(sample("ezdxf-stbtest.stb"));
    EXPECT_EQ(copy.kind, "STBVER1");
    EXPECT_EQ(copy.styles, source.styles);
    for (const auto& [key, value] : source.records) {
        if (key.find("/name") == std::string::npos) continue;
        EXPECT_EQ(copy.records[key], value) << key;
    }
}

TEST_F(TableWizardTest, AnUnreadableSourceKeepsTheSourcePage) {
    TableWizard w = make(WizardKind::Add);
    w.setMethod(MakeMethod::Existing);
    writePcp("not-a-table.ctb", "COLOR=1\nPEN=2\nEND\n");
    w.setSourcePath(path("not-a-table.ctb"));
    EXPECT_FALSE(w.leaveSourcePage());
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0], "unreadable " + path("not-a-table.ctb"));
    // A PCP source is read when the table is made, not when its page is left.
    w.setMethod(MakeMethod::Pcp);
    EXPECT_TRUE(w.leaveSourcePage());
}

TEST_F(TableWizardTest, PenSettingsMakeTheTableWithTheirDescriptionAndWarnings) {
    TableWizard named = make(WizardKind::New, true, false);
    named.setNameText("pens");
    ASSERT_TRUE(named.acceptName());
    EXPECT_EQ(named.summary(), "made pens.stb");
    ASSERT_TRUE(named.finish());
    EXPECT_TRUE(host.messages.empty());
    FileView file = viewOf(path("pens.stb"));
    EXPECT_EQ(file.kind, "TTBVER1");  // named, with the colour mapping to the pens' styles
    EXPECT_EQ(file.records["description"], "\"from pens, named");
    EXPECT_EQ(file.styles, 3);  // Normal, pen 3 and pen 5
    EXPECT_EQ(file.records["aci_table/0"], file.records["aci_table/2"]);
    // A width no lineweight matches: the table is still made, with the warning.
    pens[4].pen = 7;
    pens[4].width = 0.33;
    TableWizard warned = make(WizardKind::Add);
    warned.setNameText("warned");
    ASSERT_TRUE(warned.acceptName());
    ASSERT_TRUE(warned.finish());
    EXPECT_EQ(host.messages, std::vector<std::string>{"pens warning Kivra"});
    EXPECT_EQ(viewOf(path("warned.ctb")).records["plot_style/3/physical_pen_number"], "7");
}

TEST_F(TableWizardTest, APcpFileMakesTheTableOrSaysWhyNot) {
    writePcp("good.pcp", "; plotter\nUNITS=M\nCOLOR=1\nPEN=4\nWIDTH=0.5\nEND\n");
    writePcp("odd.pcp", "COLOR=2\nPEN=40\nEND\n");  // no such physical pen: a warning
    writePcp("bad.pcp", "COLOR=1\nPEN=4\n");         // the block never ends
    TableWizard w = make(WizardKind::New, false);
    ASSERT_EQ(w.method(), MakeMethod::Pcp);
    w.setNameText("from pcp");
    w.setSourcePath(path("bad.pcp"));
    EXPECT_FALSE(w.finish());
    EXPECT_EQ(host.messages, std::vector<std::string>{"pcp unreadable " + path("bad.pcp")});
    EXPECT_FALSE(std::filesystem::exists(path("from pcp.ctb")));
    host.messages.clear();
    w.setSourcePath(path("odd.pcp"));
    EXPECT_TRUE(w.finish());
    EXPECT_EQ(host.messages,
              std::vector<std::string>{"pcp warning " + path("odd.pcp") + " Kivra"});
    TableWizard good = make(WizardKind::New, false);
    good.setNameText("good");
    good.setSourcePath(path("good.pcp"));
    ASSERT_TRUE(good.finish());
    EXPECT_EQ(viewOf(path("good.ctb")).records["plot_style/0/physical_pen_number"], "4");
}

TEST_F(TableWizardTest, TheNameIsCheckedBeforeAnyTableIsMade) {
    // Pen settings that make no table would say so; a refused name must come first, alone.
    quellon::WizardSetup setup;
    setup.directory = directory;
    TableWizard w(setup, strings, host);  // method: pen settings, but none given
    w.setNameText("a|b");
    EXPECT_FALSE(w.finish());
    EXPECT_EQ(host.messages, std::vector<std::string>{"bad name " + directory + "a|b"});
    host.messages.clear();
    w.setNameText("ab");
    EXPECT_FALSE(w.finish());
    EXPECT_EQ(host.messages, std::vector<std::string>{"#1119"});
    w.setNameText("a|b");
    w.edit();
    EXPECT_TRUE(host.editedPaths.empty());
}

TEST_F(TableWizardTest, AFailedWriteKeepsTheWizardOpenWithTheMessage) {
    quellon::WizardSetup setup;
    setup.directory = directory + "gone/";
    setup.kind = WizardKind::Add;
    TableWizard w(setup, strings, host);
    w.open();
    w.setNameText("plot");
    EXPECT_FALSE(w.finish());
    EXPECT_FALSE(w.written());
    EXPECT_EQ(host.messages, std::vector<std::string>{"#1050"});
}

TEST_F(TableWizardTest, ASaveInTheEditorToTheWizardsFileMeansFinishWritesNothing) {
    TableWizard w = make(WizardKind::Add, false);
    w.setNameText("edited");
    host.editor = [](CPlotStyleTable& table, const std::string& p) {
        table.setDesc("changed in the editor");
        EXPECT_TRUE(table.write(p.c_str()));
        return quellon::WizardHost::EditorOutcome{true, {p}};
    };
    w.edit();
    ASSERT_EQ(host.editedPaths, std::vector<std::string>{path("edited.ctb")});
    EXPECT_TRUE(w.written());
    const auto saved = bytesOf(path("edited.ctb"));
    EXPECT_TRUE(w.finish());
    EXPECT_EQ(bytesOf(path("edited.ctb")), saved);
    EXPECT_EQ(viewOf(path("edited.ctb")).records["description"], "\"changed in the editor");
    // Going back and changing the method makes Finish write again.
    w.setMethod(MakeMethod::Pcp);
    w.setMethod(MakeMethod::Scratch);
    EXPECT_FALSE(w.written());
    EXPECT_TRUE(w.finish());
    EXPECT_EQ(viewOf(path("edited.ctb")).records["description"], "\"");
}

TEST_F(TableWizardTest, ASaveAsElsewhereLeavesTheWizardsFileToFinish) {
    TableWizard w = make(WizardKind::Add, false);
    w.setNameText("mine");
    const std::string elsewhere = path("elsewhere.ctb");
    host.editor = [&](CPlotStyleTable& table, const std::string&) {
        EXPECT_TRUE(table.write(elsewhere.c_str()));
        return quellon::WizardHost::EditorOutcome{true, {elsewhere}};
    };
    w.edit();
    EXPECT_FALSE(w.written());
    EXPECT_FALSE(std::filesystem::exists(path("mine.ctb")));
    EXPECT_TRUE(w.finish());
    EXPECT_EQ(viewOf(path("mine.ctb")).kind, "CTBVER1");
    EXPECT_EQ(w.result(), "mine.ctb");
}

TEST_F(TableWizardTest, EditAfterASaveOpensTheSavedFile) {
    TableWizard w = make(WizardKind::Add, false);
    w.setNameText("again");
    std::vector<std::string> seen;
    host.editor = [&](CPlotStyleTable& table, const std::string& p) {
        seen.push_back(table.description);
        table.setDesc(("round " + std::to_string(seen.size())).c_str());
        EXPECT_TRUE(table.write(p.c_str()));
        return quellon::WizardHost::EditorOutcome{true, {p}};
    };
    w.edit();
    w.edit();
    EXPECT_EQ(seen, (std::vector<std::string>{"", "round 1"}));
    // A new name starts afresh.
    w.setNameText("other");
    w.edit();
    EXPECT_EQ(seen.back(), "");
}

TEST_F(TableWizardTest, TheNewWizardReturnsTheNameOnlyWhenAsked) {
    TableWizard w = make(WizardKind::New, false);
    w.setMethod(MakeMethod::Scratch);
    w.setNameText("kept");
    ASSERT_TRUE(w.finish());
    EXPECT_TRUE(w.returnName());
    EXPECT_EQ(w.result(), "kept.ctb");
    w.setReturnName(false);
    EXPECT_EQ(w.result(), "");
}

}  // namespace
