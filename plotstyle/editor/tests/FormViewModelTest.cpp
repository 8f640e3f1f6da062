// The form view's rules against a window-free view: folding a selection into common values
// or "Various", numbers typed, spun and committed, descriptions, enabling, the combos and
// the colour combo with its custom item and pickers.
#include "FormViewModel.h"

#include "FakeFormView.h"
#include "FakeStrings.h"

#include <gtest/gtest.h>

#ifdef KIVRA_VEXO_INTERNALS
#include "TableCodec.h"
#endif

namespace {

using namespace quellon;
using testing_support::FakeFormView;

constexpr VxColorRef bgr(int r, int g, int b) {
    return VxColorRef(r | (g << 8) | (b << 16));
}

// Normal, then A (pen 3, screening 50, dashed, lineweight 5, solid fill, dither, "x") and
// B (pen 5, screening 50, dashed, lineweight 6, no dither, "y").
TablePtr namedTable() {
    TablePtr t(CPlotStyleTable::create(false));
    t->deleteStyle(1);
    CPlotStyle* a = t->addStyle("A", 0, nullptr);
    a->penNumber = 3;
    a->screening = 50;
    a->linetype = 1;
    a->lineweight = 5;
    a->fillStyle = 64;
    a->flags = CPlotStyle::kDither;
    a->setDesc("x");
    CPlotStyle* b = t->addStyle("B", 1, nullptr);
    b->penNumber = 5;
    b->screening = 50;
    b->linetype = 1;
    b->lineweight = 6;
    b->flags = 0;
    b->setDesc("y");
    return t;
}

struct Editor {
    explicit Editor(TablePtr table, const char* path = "test.stb")
        : session(std::move(table), path), model(session, view, strings) {
        model.open();
    }
    void select(std::vector<int> styles) {
        view.selected = std::move(styles);
        model.refresh();
    }
    CPlotStyle& style(int i) { return *session.table().style(i); }

    testing_support::FakeStrings strings;
    FakeFormView view;
    EditorSession session;
    FormViewModel model;
};

TEST(FormViewModel, ASelectionShowsCommonValuesAndVariousWhereTheStylesDiffer) {
    Editor e(namedTable());
    e.select({1, 2});
    EXPECT_EQ(e.view.shown(Combo::Linetype), "#1402");  // dashed, common
    EXPECT_EQ(e.view.shown(Combo::Lineweight), "Various");
    EXPECT_EQ(e.view.shown(Combo::FillStyle), "Various");
    EXPECT_EQ(e.view.shown(Combo::Dither), "Various");
    EXPECT_EQ(e.view.shown(Combo::Grayscale), "#1073");  // off in both
    EXPECT_EQ(e.view.shown(Combo::Color), "#1096");      // both the object's colour
    EXPECT_EQ(e.view.numbers[kScreeningEdit], "50");
    EXPECT_EQ(e.view.spins[kScreeningEdit], 50);
    EXPECT_EQ(e.view.numbers[kPenEdit], "");
    EXPECT_EQ(e.model.shownNumber(kPenEdit), -1);
    EXPECT_EQ(e.view.description, "");

    e.select({1});
    EXPECT_EQ(e.view.shown(Combo::Lineweight), "0.130 mm");  // entry 5 of the list
    EXPECT_EQ(e.view.shown(Combo::FillStyle), "#1501");
    EXPECT_EQ(e.view.shown(Combo::Dither), "#1074");
    EXPECT_EQ(e.view.numbers[kPenEdit], "3");
    EXPECT_EQ(e.view.spins[kPenEdit], 3);
    EXPECT_EQ(e.view.description, "x");
    EXPECT_FALSE(e.session.modified());
}

TEST(FormViewModel, APenTypedOverDifferentPensGoesToBothWhenTheEditIsLeft) {
    Editor e(namedTable());
    e.select({1, 2});
    ASSERT_EQ(e.view.numbers[kPenEdit], "");
    e.view.type(kPenEdit, "7");
    e.model.numberTyped(kPenEdit);
    EXPECT_EQ(e.style(1).penNumber, 3);  // nothing is written while typing
    EXPECT_TRUE(e.model.hasPendingEdits());
    e.model.commitNumber(kPenEdit);
    EXPECT_EQ(e.style(1).penNumber, 7);
    EXPECT_EQ(e.style(2).penNumber, 7);
    EXPECT_EQ(e.style(0).penNumber, 0);
    EXPECT_TRUE(e.session.modified());
    EXPECT_FALSE(e.model.hasPendingEdits());
}

TEST(FormViewModel, NumbersOutOfRangeReturnToThePreviousValue) {
    Editor e(namedTable());
    e.select({1});
    e.view.type(kScreeningEdit, "101");
    e.model.numberTyped(kScreeningEdit);
    EXPECT_EQ(e.view.numbers[kScreeningEdit], "50");
    e.view.type(kPenEdit, "33");
    e.model.numberTyped(kPenEdit);
    EXPECT_EQ(e.view.numbers[kPenEdit], "3");
    e.view.type(kVirtualPenEdit, "255");
    e.model.numberTyped(kVirtualPenEdit);
    EXPECT_EQ(e.view.numbers[kVirtualPenEdit], "255");
    e.model.commitAll();
    EXPECT_EQ(e.style(1).screening, 50);
    EXPECT_EQ(e.style(1).penNumber, 3);
    EXPECT_EQ(e.style(1).virtualPenNumber, 255);

    // Over differing values an emptied edit stays "various" and writes nothing.
    e.select({1, 2});
    e.view.type(kPenEdit, "");
    e.model.numberTyped(kPenEdit);
    EXPECT_EQ(e.model.shownNumber(kPenEdit), -1);
    e.model.commitNumber(kPenEdit);
    EXPECT_EQ(e.style(1).penNumber, 3);
    EXPECT_EQ(e.style(2).penNumber, 5);
}

TEST(FormViewModel, PenZeroShowsItsStringAndStillCommits) {
    Editor e(namedTable());
    e.select({0});  // Normal: automatic pens, full screening
    EXPECT_EQ(e.view.numbers[kPenEdit], "Automatic");
    EXPECT_EQ(e.view.numbers[kVirtualPenEdit], "Automatic");
    EXPECT_EQ(e.view.numbers[kScreeningEdit], "100");
    e.style(2).screening = 0;
    e.select({2});
    EXPECT_EQ(e.view.numbers[kScreeningEdit], "0");  // screening has no "automatic"
    // "0" typed into the pen edit becomes its string; the typed change is still committed.
    e.view.type(kPenEdit, "0");
    e.model.numberTyped(kPenEdit);
    EXPECT_EQ(e.view.numbers[kPenEdit], "Automatic");
    e.model.commitNumber(kPenEdit);
    EXPECT_EQ(e.style(2).penNumber, 0);
}

TEST(FormViewModel, SpinMovesShowTheirPositionAndMarkTheEdit) {
    Editor e(namedTable());
    e.select({1});
    e.model.spinMoved(kPenEdit, 4);
    EXPECT_EQ(e.view.numbers[kPenEdit], "4");
    EXPECT_TRUE(e.view.numberMarks[kPenEdit]);
    e.model.commitNumber(kPenEdit);
    EXPECT_EQ(e.style(1).penNumber, 4);
    e.select({1, 2});
    e.model.spinMoved(kPenEdit, 9);  // over various values the spin does nothing
    EXPECT_EQ(e.view.numbers[kPenEdit], "");
    EXPECT_FALSE(e.view.numberMarks[kPenEdit]);
}

TEST(FormViewModel, AnEmptyDescriptionOverDifferentDescriptionsChangesNothing) {
    Editor e(namedTable());
    e.select({1, 2});
    e.view.typeDescription("");
    e.model.commitDescription();
    EXPECT_EQ(e.style(1).description, "x");
    EXPECT_EQ(e.style(2).description, "y");
    EXPECT_FALSE(e.session.modified());
    e.view.typeDescription("both");
    e.model.commitDescription();
    EXPECT_EQ(e.style(1).description, "both");
    EXPECT_EQ(e.style(2).description, "both");
    EXPECT_TRUE(e.session.modified());
    // A common description may be cleared.
    e.select({1, 2});
    e.view.typeDescription("");
    e.model.commitDescription();
    EXPECT_EQ(e.style(1).description, "");
    EXPECT_EQ(e.style(2).description, "");
}

TEST(FormViewModel, TheFirstStyleOfANamedTableLocksThePropertyControls) {
    Editor e(namedTable());
    EXPECT_TRUE(e.view.addEnabled);
    e.select({1, 2});
    EXPECT_TRUE(e.view.propertiesEnabled);
    EXPECT_TRUE(e.view.removeEnabled);
    e.select({2, 0});
    EXPECT_FALSE(e.view.propertiesEnabled);
    EXPECT_FALSE(e.view.removeEnabled);
    e.select({1});
    EXPECT_TRUE(e.view.propertiesEnabled);
    e.select({});
    EXPECT_FALSE(e.view.propertiesEnabled);
    EXPECT_FALSE(e.model.propertiesEnabled());

    // A colour-dependent table: every style is edited; no style buttons.
    Editor c(TablePtr(CPlotStyleTable::create(true)), "test.ctb");
    EXPECT_FALSE(c.view.addEnabled);
    EXPECT_FALSE(c.view.removeEnabled);
    c.select({0, 5});
    EXPECT_TRUE(c.view.propertiesEnabled);
    c.select({});
    EXPECT_TRUE(c.view.propertiesEnabled);

    // A named table with a colour mapping offers no add or delete.
    const std::string ttb = std::string(KIVRA_TESTDATA_DIR) + "/ctb/apm-ttb-with-aci-table.stb";
    Editor m(TablePtr(CPlotStyleTable::read(ttb.c_str())));
    m.select({1});
    EXPECT_TRUE(m.view.propertiesEnabled);
    EXPECT_FALSE(m.view.addEnabled);
    EXPECT_FALSE(m.view.removeEnabled);
}

TEST(FormViewModel, AComboChoiceIsWrittenIntoEverySelectedStyle) {
    Editor e(namedTable());
    e.style(1).flags |= CPlotStyle::kGrayscale;
    e.select({1, 2});
    e.view.pick(Combo::Grayscale, 0);  // off in B already
    e.model.comboPicked(Combo::Grayscale);
    EXPECT_EQ(e.style(1).flags, unsigned(CPlotStyle::kDither));
    EXPECT_TRUE(e.session.modified());

    Editor f(namedTable());
    f.select({1, 2});
    f.view.pick(Combo::Dither, 1);
    f.model.comboPicked(Combo::Dither);
    EXPECT_EQ(f.style(1).flags, unsigned(CPlotStyle::kDither));
    EXPECT_EQ(f.style(2).flags, unsigned(CPlotStyle::kDither));
    f.view.pick(Combo::Lineweight, 9);
    f.model.comboPicked(Combo::Lineweight);
    f.view.pick(Combo::EndStyle, 3);  // round
    f.model.comboPicked(Combo::EndStyle);
    f.view.pick(Combo::FillStyle, 0);  // the object's
    f.model.comboPicked(Combo::FillStyle);
    for (int i : {1, 2}) {
        EXPECT_EQ(f.style(i).lineweight, 9);
        EXPECT_EQ(f.style(i).endStyle, 2);
        EXPECT_EQ(f.style(i).fillStyle, CPlotStyle::kFillObject);
    }
    EXPECT_EQ(f.style(0).lineweight, 0);

    // Choosing what every selected style has already changes nothing.
    Editor g(namedTable());
    g.select({1, 2});
    g.view.pick(Combo::Linetype, 2);  // dashed: both
    g.model.comboPicked(Combo::Linetype);
    EXPECT_FALSE(g.session.modified());
}

TEST(FormViewModel, ColoursGoIntoTheStylesAsRgb) {
    Editor e(TablePtr(CPlotStyleTable::create(true)), "test.ctb");
    e.select({3, 4});
    e.view.pick(Combo::Color, 5);  // blue, listed as 0x00BBGGRR
    e.model.comboPicked(Combo::Color);
    EXPECT_EQ(e.style(3).color2rgb(), bgr(0, 0, 255));
    EXPECT_EQ(e.style(4).color2rgb(), bgr(0, 0, 255));
    EXPECT_TRUE(e.session.modified());
    e.view.pick(Combo::Color, 0);
    e.model.comboPicked(Combo::Color);
    EXPECT_EQ(e.style(3).color2rgb(), kVxObjectColor);
}

TEST(FormViewModel, TheCustomColourItemComesAndGoesByTheRules) {
    Editor e(TablePtr(CPlotStyleTable::create(true)), "test.ctb");
    auto& combo = e.view.combos[Combo::Color];
    ASSERT_EQ(combo.count(), 10);
    e.select({0});
    // A colour that is no index colour: captioned as a custom colour.
    e.view.pickedColor = bgr(10, 20, 30);
    e.view.pick(Combo::Color, 9);
    e.model.comboPicked(Combo::Color);
    ASSERT_EQ(combo.count(), 11);
    EXPECT_EQ(combo.caption(8), "Custom Color");
    EXPECT_EQ(combo.selection, 8);
    EXPECT_EQ(e.style(0).color2rgb(), bgr(10, 20, 30));

    // Picking one of the first eight items in the combo itself leaves the custom item.
    e.view.pick(Combo::Color, 1);
    e.model.comboPicked(Combo::Color);
    EXPECT_EQ(combo.count(), 11);
    // A refresh whose common colour is among the first eight removes it.
    e.select({0});
    EXPECT_EQ(combo.count(), 10);
    EXPECT_EQ(e.view.shown(Combo::Color), "#1079");

    // An index colour outside the fixed items is captioned with its number.
    e.view.pickedIndex = 30;
    e.view.pick(Combo::Color, 8);
    e.model.comboPicked(Combo::Color);
    EXPECT_EQ(combo.caption(8), "Color 30");
    EXPECT_EQ(e.style(0).color2rgb(), ACAD2rgb(30));
    // A refresh over that colour keeps its item; over differing colours it goes.
    e.select({0});
    EXPECT_EQ(combo.count(), 11);
    e.select({0, 1});
    EXPECT_EQ(combo.count(), 10);
    EXPECT_EQ(e.view.shown(Combo::Color), "Various");
    EXPECT_EQ(e.model.lastColorItem(), -1);
}

TEST(FormViewModel, PickersStartAtTheCurrentColourAndCancelRestoresTheSelection) {
    Editor e(TablePtr(CPlotStyleTable::create(true)), "test.ctb");
    e.select({0});  // the object's colour: no current colour
    e.view.pickOk = false;
    e.view.pick(Combo::Color, 8);
    e.model.comboPicked(Combo::Color);
    EXPECT_EQ(e.view.indexPickerStart, 1);
    EXPECT_EQ(e.view.combos[Combo::Color].selection, 0);
    e.view.pick(Combo::Color, 9);
    e.model.comboPicked(Combo::Color);
    EXPECT_FALSE(e.view.anyPickerHadStart);
    EXPECT_FALSE(e.session.modified());

    e.style(0).updateColor(0x0A141E);  // RGB 10,20,30: no index colour
    e.select({0});
    ASSERT_EQ(e.view.combos[Combo::Color].count(), 11);  // the pickers are now 9 and 10
    e.view.pick(Combo::Color, 9);
    e.model.comboPicked(Combo::Color);
    EXPECT_EQ(e.view.indexPickerStart, findClosestACIIdx(bgr(10, 20, 30)));
    EXPECT_EQ(e.view.combos[Combo::Color].selection, 8);  // the custom item again
    e.view.pick(Combo::Color, 10);
    e.model.comboPicked(Combo::Color);
    EXPECT_TRUE(e.view.anyPickerHadStart);
    EXPECT_EQ(e.view.anyPickerStart, bgr(10, 20, 30));
}

TEST(FormViewModel, LogicalIndicesFromTheIndexDialogCountAsCancelled) {
    Editor e(TablePtr(CPlotStyleTable::create(true)), "test.ctb");
    e.select({2});
    for (int index : {0, 256}) {
        e.view.pickedIndex = index;  // typed into the dialog's edit and confirmed
        e.view.pick(Combo::Color, 8);
        e.model.comboPicked(Combo::Color);
        EXPECT_EQ(e.style(2).color2rgb(), kVxObjectColor) << index;  // not black
        EXPECT_EQ(e.view.combos[Combo::Color].selection, 0) << index;
    }
    EXPECT_FALSE(e.session.modified());
}

TEST(FormViewModel, PureWhiteIsRefusedWithAMessage) {
    Editor e(TablePtr(CPlotStyleTable::create(true)), "test.ctb");
    e.select({6});
    e.view.pick(Combo::Color, 2);  // yellow first, so there is a colour to keep
    e.model.comboPicked(Combo::Color);
    ASSERT_EQ(e.style(6).color2rgb(), bgr(255, 255, 0));
    e.view.pick(Combo::Color, 7);  // white
    e.model.comboPicked(Combo::Color);
    e.view.pickedIndex = 255;  // the palette's other white
    e.view.pick(Combo::Color, 8);
    e.model.comboPicked(Combo::Color);
    e.view.pickedColor = bgr(255, 255, 255);
    e.view.pick(Combo::Color, 9);
    e.model.comboPicked(Combo::Color);
    ASSERT_EQ(e.view.messages.size(), 3u);
    EXPECT_EQ(e.view.messages[0], "#1150");
    EXPECT_EQ(e.style(6).color2rgb(), bgr(255, 255, 0));
    EXPECT_EQ(e.view.combos[Combo::Color].selection, 2);
    EXPECT_EQ(e.view.combos[Combo::Color].count(), 10);
}

TEST(FormViewModel, ListNamesAndLineweightTextsFollowTheTable) {
    TablePtr t = namedTable();
    t->addStyle("Colore_7", 2, nullptr);
    t->addStyle("MyColore_1", 3, nullptr);
    t->lineweightUnits = 1;
    Editor e(std::move(t));
    EXPECT_EQ(e.model.listNames(),
              (std::vector<std::string>{"Normal", "A", "B", "Color_7", "MyColore_1"}));
    auto& weights = e.view.combos[Combo::Lineweight];
    ASSERT_EQ(weights.count(), 28);
    EXPECT_EQ(weights.caption(0), "#1094");
    EXPECT_EQ(weights.caption(9), "0.0098\"");  // 0.25 mm
    e.session.table().lineweightUnits = 0;
    e.session.table().lineweights[8] = 0.3;
    e.model.refillLineweights();
    EXPECT_EQ(weights.caption(9), "0.300 mm");
    EXPECT_EQ(weights.value(27), 27);
}

TEST(StyleMenuState, CommandsOfferedByTableKindAndSelection) {
    const StyleMenuState ctb = styleMenuState(true, true, 1, true);
    EXPECT_TRUE(ctb.copy);
    EXPECT_FALSE(ctb.cut || ctb.paste || ctb.add || ctb.remove || ctb.rename);
    const StyleMenuState one = styleMenuState(false, true, 1, false);
    EXPECT_TRUE(one.cut && one.copy && one.add && one.remove && one.rename);
    EXPECT_FALSE(one.paste);
    const StyleMenuState firstSelected = styleMenuState(false, false, 1, true);
    EXPECT_FALSE(firstSelected.remove || firstSelected.rename || firstSelected.cut);
    EXPECT_TRUE(firstSelected.copy && firstSelected.paste && firstSelected.add);
    const StyleMenuState two = styleMenuState(false, true, 2, true);
    EXPECT_FALSE(two.rename || two.cut || two.copy);
    EXPECT_TRUE(two.remove && two.paste);
}

#ifdef KIVRA_VEXO_INTERNALS
// The component never hands out a table without styles, but a damaged one must not make
// the view read a first style that is not there.
TEST(FormViewModel, ATableWithoutStylesShowsNothing) {
    Editor e(TablePtr(vexo::TableCodec::make(false).release()));
    EXPECT_TRUE(e.model.listNames().empty());
    EXPECT_EQ(e.view.numbers[kPenEdit], "");
    EXPECT_EQ(e.model.shownNumber(kScreeningEdit), -1);
    e.select({});
    EXPECT_FALSE(e.view.propertiesEnabled);
    e.select({0});  // a stale index finds no style
    e.view.type(kPenEdit, "4");
    e.model.numberTyped(kPenEdit);
    e.model.commitAll();
    EXPECT_FALSE(e.session.modified());
}
#endif

}  // namespace
