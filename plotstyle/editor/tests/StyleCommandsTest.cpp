// The style commands against a window-free list and clipboard: what the menu offers, add
// and paste through the name dialog, delete from the highest index down, cut, rename in
// place, and copy in one editor with paste in another over one clipboard.
#include "StyleCommands.h"

#include "FakeStyleCommands.h"

#include <gtest/gtest.h>

namespace {

using namespace quellon;
using testing_support::CommandStrings;
using testing_support::FakeClipboard;
using testing_support::FakeCommandView;

// Normal, then Thin (pen 3, lineweight 5), Thick (pen 7, lineweight 20), Dashed (linetype 1).
TablePtr namedTable() {
    TablePtr t(CPlotStyleTable::create(false));
    t->deleteStyle(1);
    CPlotStyle* thin = t->addStyle("Thin", 0, nullptr);
    thin->penNumber = 3;
    thin->lineweight = 5;
    CPlotStyle* thick = t->addStyle("Thick", 1, nullptr);
    thick->penNumber = 7;
    thick->lineweight = 20;
    thick->setDesc("outlines");
    t->addStyle("Dashed", 2, nullptr)->linetype = 1;
    return t;
}

struct Editor {
    Editor(TablePtr table, FakeClipboard& clipboard)
        : session(std::move(table), "test.stb"), commands(session, view, clipboard, strings) {
        for (int i = 0; i < session.table().size(); ++i)
            view.items.push_back(session.table().style(i)->name);
    }
    CPlotStyleTable& table() { return session.table(); }
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (int i = 0; i < table().size(); ++i) out.push_back(table().style(i)->name);
        return out;
    }

    CommandStrings strings;
    FakeCommandView view;
    EditorSession session;
    StyleCommands commands;
};

TEST(StyleCommands, TheMenuOffersCommandsByTableKindSelectionAndClipboard) {
    FakeClipboard clipboard;
    // Another editor put a style on the clipboard under the format's name.
    clipboard.post("Test Plot Style", styleBlock(CPlotStyle()));
    Editor e(namedTable(), clipboard);
    e.view.selected = {1};
    StyleMenuState m = e.commands.menuState(true);
    EXPECT_FALSE(m.paste) << "a fresh editor knows no format yet";
    EXPECT_TRUE(m.cut && m.copy && m.add && m.remove && m.rename);

    e.commands.copy();
    EXPECT_NE(e.commands.format(), 0u);
    EXPECT_TRUE(e.commands.menuState(true).paste);
    clipboard.opens = false;  // another program holds the clipboard open
    EXPECT_FALSE(e.commands.menuState(true).paste);
    clipboard.opens = true;

    e.view.selected = {1, 2};
    m = e.commands.menuState(true);
    EXPECT_FALSE(m.cut || m.copy || m.rename);
    EXPECT_TRUE(m.remove && m.paste && m.add);
    e.view.selected = {0};  // the form view locks its properties for the first style
    m = e.commands.menuState(false);
    EXPECT_FALSE(m.cut || m.remove || m.rename);
    EXPECT_TRUE(m.copy && m.paste && m.add);

    // A colour table: copy only.
    Editor ctb(TablePtr(CPlotStyleTable::create(true)), clipboard);
    ctb.view.selected = {4};
    m = ctb.commands.menuState(true);
    EXPECT_TRUE(m.copy);
    EXPECT_FALSE(m.cut || m.paste || m.add || m.remove || m.rename);
}

TEST(StyleCommands, ANamedTableWithAColourMappingOffersNeitherDeleteNorCut) {
    FakeClipboard clipboard;
    const std::string ttb = std::string(KIVRA_TESTDATA_DIR) + "/ctb/apm-ttb-with-aci-table.stb";
    TablePtr mapped(CPlotStyleTable::read(ttb.c_str()));
    ASSERT_NE(mapped, nullptr);
    ASSERT_TRUE(mapped->colorMapping);
    Editor e(std::move(mapped), clipboard);
    e.view.selected = {1};
    const StyleMenuState m = e.commands.menuState(true);
    EXPECT_FALSE(m.remove);
    EXPECT_FALSE(m.cut);
    EXPECT_TRUE(m.copy && m.add && m.rename);
}

TEST(StyleCommands, AddCopiesTheFirstSelectedStyleUnderTheNameGivenAndSelectsIt) {
    FakeClipboard clipboard;
    Editor e(namedTable(), clipboard);
    e.view.selected = {2, 3};
    e.commands.run(IDM_ADD_STYLE);  // cancelled
    ASSERT_EQ(e.view.proposals, std::vector<std::string>{"Style 1"});
    EXPECT_EQ(e.table().size(), 4);
    EXPECT_FALSE(e.session.modified());

    e.view.answers = {"Heavy"};
    e.commands.run(IDM_ADD_STYLE);
    EXPECT_EQ(e.names(), (std::vector<std::string>{"Normal", "Thin", "Thick", "Heavy", "Dashed"}));
    EXPECT_EQ(e.view.items, e.names());
    EXPECT_EQ(e.view.selected, std::vector<int>{3});
    EXPECT_TRUE(e.session.modified());
    const CPlotStyle& heavy = *e.table().style(3);
    EXPECT_EQ(heavy.penNumber, 7);
    EXPECT_EQ(heavy.lineweight, 20);
    EXPECT_EQ(heavy.description, "outlines");

    // Nothing selected: a default style at the end.
    e.view.selected = {};
    e.view.answers = {"Style 1"};
    e.commands.add();
    EXPECT_EQ(e.view.proposals.back(), "Style 1");
    EXPECT_EQ(e.table().style(5)->name, "Style 1");
    EXPECT_EQ(e.table().style(5)->penNumber, 0);
    EXPECT_EQ(e.view.items.back(), "Style 1");
    EXPECT_EQ(e.view.selected, std::vector<int>{5});
    e.commands.add();
    EXPECT_EQ(e.view.proposals.back(), "Style 2");
}

TEST(StyleCommands, PasteRunsAddsStepsWithTheStyleOnTheClipboard) {
    FakeClipboard clipboard;
    Editor source(namedTable(), clipboard);
    Editor target(namedTable(), clipboard);
    // The target's format is known once it copied something itself.
    target.view.selected = {3};
    target.commands.copy();
    source.view.selected = {2};
    source.commands.copy();

    target.view.selected = {1};
    target.view.answers = {"Thick copy"};
    target.commands.run(IDM_PASTE_STYLE);
    EXPECT_EQ(target.view.proposals, std::vector<std::string>{"Style 1"});
    EXPECT_EQ(target.names(),
              (std::vector<std::string>{"Normal", "Thin", "Thick copy", "Thick", "Dashed"}));
    EXPECT_EQ(target.view.items, target.names()) << "list rows and table indices stay in step";
    EXPECT_EQ(target.view.selected, std::vector<int>{2});
    EXPECT_TRUE(target.session.modified());
    const CPlotStyle& pasted = *target.table().style(2);
    EXPECT_EQ(pasted.penNumber, 7);
    EXPECT_EQ(pasted.lineweight, 20);
    EXPECT_EQ(pasted.description, "outlines");

    // A later edit of row 3 reaches the style that row shows.
    EXPECT_EQ(target.table().style(3)->name, target.view.items[3]);

    // Cancelling the name dialog pastes nothing.
    target.commands.paste();
    EXPECT_EQ(target.table().size(), 5);
}

TEST(StyleCommands, APastedBlockShorterThanItsCountIsIgnored) {
    FakeClipboard clipboard;
    Editor e(namedTable(), clipboard);
    e.view.selected = {1};
    e.commands.copy();
    std::vector<unsigned char> block = styleBlock(*e.table().style(1));
    block[3] = 0x10;  // claims 256 MB more than it holds
    clipboard.post("Test Plot Style", block);
    EXPECT_TRUE(e.commands.menuState(true).paste);
    e.view.answers = {"Never"};
    e.commands.paste();
    EXPECT_TRUE(e.view.proposals.empty()) << "no name is asked for a style that was not read";
    EXPECT_EQ(e.table().size(), 4);
    EXPECT_FALSE(e.session.modified());
}

TEST(StyleCommands, DeleteRemovesFromTheHighestIndexDownAndSelectsTheItemBefore) {
    FakeClipboard clipboard;
    Editor e(namedTable(), clipboard);
    e.view.selected = {2, 3};
    e.commands.run(IDM_DELETE_STYLES);
    EXPECT_EQ(e.view.removals, (std::vector<int>{3, 2}));
    EXPECT_EQ(e.names(), (std::vector<std::string>{"Normal", "Thin"}));
    EXPECT_EQ(e.view.items, e.names());
    EXPECT_EQ(e.view.selected, std::vector<int>{1});
    EXPECT_TRUE(e.session.modified());
}

TEST(StyleCommands, AStyleTheTableKeepsKeepsItsRow) {
    FakeClipboard clipboard;
    Editor e(namedTable(), clipboard);
    e.view.selected = {0};  // the first style cannot go
    e.commands.remove();
    EXPECT_EQ(e.view.items.size(), 4u);
    EXPECT_FALSE(e.session.modified());
    e.view.selected = {0, 2};
    e.commands.remove();
    EXPECT_EQ(e.view.removals, std::vector<int>{2});
    EXPECT_EQ(e.names(), (std::vector<std::string>{"Normal", "Thin", "Dashed"}));
    EXPECT_EQ(e.view.items, e.names());
    EXPECT_EQ(e.view.selected, std::vector<int>{1});
    e.view.selected = {};
    e.commands.remove();
    EXPECT_EQ(e.table().size(), 3);
}

TEST(StyleCommands, CutThenPasteKeepsEveryPropertyAndACutThatCannotCopyDeletesNothing) {
    FakeClipboard clipboard;
    Editor e(namedTable(), clipboard);
    CPlotStyle& thick = *e.table().style(2);
    thick.screening = 40;
    thick.fillStyle = 66;
    thick.endStyle = 1;
    thick.joinStyle = 2;
    thick.virtualPenNumber = 99;
    thick.flags = CPlotStyle::kGrayscale;
    thick.adaptive = 0;
    thick.updateColor(0x00102030);
    const CPlotStyle before = thick;

    clipboard.opens = false;
    e.view.selected = {2};
    e.commands.cut();
    EXPECT_EQ(e.table().size(), 4) << "a style that did not reach the clipboard stays";
    clipboard.opens = true;

    e.commands.run(IDM_CUT_STYLE);
    EXPECT_EQ(e.names(), (std::vector<std::string>{"Normal", "Thin", "Dashed"}));
    EXPECT_EQ(e.view.selected, std::vector<int>{1});
    e.view.answers = {"Thick"};
    e.commands.paste();
    ASSERT_EQ(e.names(), (std::vector<std::string>{"Normal", "Thin", "Thick", "Dashed"}));
    const CPlotStyle& back = *e.table().style(2);
    EXPECT_EQ(back.description, before.description);
    EXPECT_EQ(back.flags, before.flags);
    EXPECT_EQ(back.penNumber, before.penNumber);
    EXPECT_EQ(back.virtualPenNumber, before.virtualPenNumber);
    EXPECT_EQ(back.screening, before.screening);
    EXPECT_EQ(back.linetype, before.linetype);
    EXPECT_EQ(back.adaptive, before.adaptive);
    EXPECT_EQ(back.lineweight, before.lineweight);
    EXPECT_EQ(back.fillStyle, before.fillStyle);
    EXPECT_EQ(back.endStyle, before.endStyle);
    EXPECT_EQ(back.joinStyle, before.joinStyle);
    EXPECT_EQ(back.color2rgb(), before.color2rgb());
}

TEST(StyleCommands, RenamingInPlaceByTheRules) {
    FakeClipboard clipboard;
    Editor e(namedTable(), clipboard);
    e.view.selected = {2, 3};
    e.commands.run(IDM_RENAME_STYLE);
    EXPECT_EQ(e.view.renaming, 2);
    EXPECT_FALSE(e.commands.canBeginRename(0));
    EXPECT_TRUE(e.commands.canBeginRename(3));
    EXPECT_FALSE(e.commands.canBeginRename(4));

    std::string shown;
    EXPECT_FALSE(e.commands.finishRename(2, "  ", shown));
    EXPECT_FALSE(e.commands.finishRename(2, "a/b", shown));
    EXPECT_FALSE(e.commands.finishRename(2, "Thick", shown));  // the same: nothing to say
    EXPECT_FALSE(e.commands.finishRename(2, " thin ", shown));  // taken by style 1
    EXPECT_EQ(e.view.messages, (std::vector<std::string>{"#1075", "#1077", "taken: thin"}));
    EXPECT_FALSE(e.session.modified());

    EXPECT_TRUE(e.commands.finishRename(2, "THICK", shown));  // its own name in other case
    EXPECT_EQ(shown, "THICK");
    EXPECT_TRUE(e.commands.finishRename(3, "  Colore_12 ", shown));
    EXPECT_EQ(e.table().style(3)->name, "Colore_12");
    EXPECT_EQ(shown, "Color_12");  // shown as the list shows such names
    EXPECT_TRUE(e.session.modified());

    Editor ctb(TablePtr(CPlotStyleTable::create(true)), clipboard);
    EXPECT_FALSE(ctb.commands.canBeginRename(3));
    EXPECT_FALSE(ctb.commands.finishRename(3, "Red", shown));
}

}  // namespace
