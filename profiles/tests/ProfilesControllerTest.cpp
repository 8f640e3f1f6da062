// The main dialog's display rules on a fake store: what the label, the description and the
// enabling show, which row is selected after the list is filled again, the root change and
// the launch.
#include "FakeProfiles.h"

#include <gtest/gtest.h>

using namespace testing_support;
using profiles::Question;

namespace {

const int kProfileCommands[] = {IDC_MAKE_CURRENT, IDC_COPY, IDC_RENAME, IDC_DELETE, IDC_EXPORT};

TEST(ProfilesDisplayTest, StartShowsNamesLabelDescriptionAndSelectsTheFirstRow) {
    ControllerFixture f;
    f.startWith({"Work", "Home"}, "Home");
    EXPECT_EQ(f.view.rows, (std::vector<std::string>{"Work", "Home"}));
    EXPECT_EQ(f.view.selection, 0);
    EXPECT_EQ(f.view.label, "Profiles in: Oremund\\Kivra 2013\\ENU\r\nHome");
    EXPECT_EQ(f.view.descriptionText, "Work description");
    for (int id : kProfileCommands) EXPECT_TRUE(f.view.enabled[id]) << id;
    EXPECT_TRUE(f.view.enabled[IDC_IMPORT]);
    EXPECT_FALSE(f.view.enabled[IDC_LAUNCH]) << "no host kind for the product's own default root";
}

TEST(ProfilesDisplayTest, WithoutCurrentProfileTheLabelsSecondLineIsEmpty) {
    ControllerFixture f;
    f.startWith({"Work"});
    EXPECT_EQ(f.view.label, "Profiles in: Oremund\\Kivra 2013\\ENU\r\n");
}

TEST(ProfilesDisplayTest, LaunchIsEnabledOnlyForARootOfAHostKindWithASelection) {
    ControllerFixture f(kTessalineRoot);
    f.startWith({"Work"});
    EXPECT_TRUE(f.view.enabled[IDC_LAUNCH]);
    f.view.selection = -1;
    f.controller.selectionChanged();
    EXPECT_FALSE(f.view.enabled[IDC_LAUNCH]);
    for (int id : kProfileCommands) EXPECT_FALSE(f.view.enabled[id]) << id;
    EXPECT_TRUE(f.view.enabled[IDC_IMPORT]) << "import needs no selection";
}

TEST(ProfilesDisplayTest, AnUnusableRootDisablesEveryCommandIncludingImport) {
    ControllerFixture f;
    f.store.roots.clear();  // the key does not exist
    f.controller.initialise();
    EXPECT_TRUE(f.view.rows.empty());
    for (int id : kProfileCommands) EXPECT_FALSE(f.view.enabled[id]) << id;
    EXPECT_FALSE(f.view.enabled[IDC_IMPORT]);
    EXPECT_FALSE(f.view.enabled[IDC_LAUNCH]);
    EXPECT_EQ(f.view.label, "Profiles in: \r\n") << "no short form for a missing key";
}

TEST(ProfilesDisplayTest, ARowBeyondTheNamesCountsAsNoSelection) {
    ControllerFixture f;
    f.startWith({"Work", "Home"}, "Home");
    f.view.selection = 5;
    std::string name;
    EXPECT_FALSE(f.controller.selectedName(name));
    f.controller.selectionChanged();
    EXPECT_FALSE(f.view.enabled[IDC_DELETE]);
    EXPECT_EQ(f.view.descriptionText, "Work description") << "no selection keeps the text";
    f.view.nameAnswers.push_back(f.entry("Other"));
    f.controller.copyProfile();
    f.controller.deleteProfile();
    f.controller.exportProfile();
    f.controller.makeCurrent();
    f.controller.launch();
    EXPECT_TRUE(f.view.nameRequests.empty());
    EXPECT_TRUE(f.view.warnings.empty());
    EXPECT_TRUE(f.view.launches.empty());
    EXPECT_TRUE(f.store.calls.empty());
}

TEST(ProfilesDisplayTest, AfterARefillTheSelectionKeepsItsRowLimitedToTheLastOne) {
    ControllerFixture f;
    f.startWith({"A", "B", "C"}, "A");
    f.view.selectRow(2);
    f.view.questionAnswers = {true};
    f.controller.deleteProfile();
    EXPECT_EQ(f.view.rows, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(f.view.selection, 1) << "row 2 is gone: the last row";
    EXPECT_EQ(f.view.descriptionText, "B description");

    f.view.selectRow(1);
    f.view.nameAnswers.push_back(f.entry("D", "new"));
    f.controller.newProfile();
    EXPECT_EQ(f.view.rows, (std::vector<std::string>{"A", "B", "D"}));
    EXPECT_EQ(f.view.selection, 1) << "the same row as before";
}

TEST(ProfilesDisplayTest, MakeCurrentMarksTheSelectionAndUpdatesTheLabel) {
    ControllerFixture f;
    f.startWith({"Work", "Home"}, "Work");
    f.view.selectRow(1);
    f.controller.makeCurrent();
    EXPECT_EQ(f.store.here().current, "Home");
    EXPECT_EQ(f.view.label, "Profiles in: Oremund\\Kivra 2013\\ENU\r\nHome");
}

TEST(ProfilesDisplayTest, LaunchHandsTheRootAndTheSelectedName) {
    ControllerFixture f(kTessalineRoot);
    f.startWith({"Work", "My Work"});
    f.view.selectRow(1);
    f.controller.launch();
    ASSERT_EQ(f.view.launches.size(), 1u);
    EXPECT_EQ(f.view.launches[0].first, kTessalineRoot);
    EXPECT_EQ(f.view.launches[0].second, "My Work");
}

TEST(ProfilesRootChangeTest, AnAcceptedOtherRootReloadsEverything) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.store.roots[kTessalineRoot].profiles = {{"Drafting", "pens", ""}, {"Plot", "", ""}};
    f.store.roots[kTessalineRoot].current = "Plot";
    f.view.rootAnswer = kTessalineRoot;
    f.controller.chooseRoot();
    EXPECT_EQ(f.store.rootPath, kTessalineRoot);
    EXPECT_EQ(f.view.rows, (std::vector<std::string>{"Drafting", "Plot"}));
    EXPECT_EQ(f.view.label, "Profiles in: Oremund\\Tessaline\\Kivra 2013\r\nPlot");
    EXPECT_EQ(f.view.descriptionText, "pens");
    EXPECT_TRUE(f.view.enabled[IDC_LAUNCH]);
}

TEST(ProfilesRootChangeTest, TheSameRootInOtherLetterCaseCancelOrARefusedRootChangeNothing) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.view.rootAnswer = "SOFTWARE\\oremund\\Kivra 2013\\ENU\\profiles";
    f.controller.chooseRoot();
    f.view.rootAnswer = std::nullopt;
    f.controller.chooseRoot();
    f.view.rootAnswer = "";
    f.controller.chooseRoot();
    EXPECT_TRUE(f.store.calls.empty()) << "setRoot was not even asked";
    f.view.rootAnswer = "Software\\Gone\\Profiles";
    f.controller.chooseRoot();
    EXPECT_EQ(f.store.rootPath, kTestRoot);
    EXPECT_EQ(f.view.rows, (std::vector<std::string>{"Work"}));
}

TEST(ProfilesRootChangeTest, AnEmptyRootLeavesNoDescriptionOfTheOldOne) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.store.roots[kTessalineRoot];
    f.view.rootAnswer = kTessalineRoot;
    f.controller.chooseRoot();
    EXPECT_TRUE(f.view.rows.empty());
    EXPECT_EQ(f.view.descriptionText, "");
    EXPECT_FALSE(f.view.enabled[IDC_DELETE]);
    EXPECT_TRUE(f.view.enabled[IDC_IMPORT]);
}

}  // namespace
