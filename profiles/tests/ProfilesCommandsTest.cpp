// The main dialog's commands on a fake store: what each asks, refuses and calls, and how the
// list follows, including the letter-case and onto-itself cases that would lose or needlessly
// re-import a profile.
#include "FakeProfiles.h"

#include <gtest/gtest.h>

using namespace testing_support;
using profiles::Question;

namespace {

using Names = std::vector<std::string>;

TEST(NewProfileTest, CancelDoesNothingAndANewNameIsAppended) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.view.nameAnswers = {std::nullopt, f.entry("Home", "at home")};
    f.controller.newProfile();
    EXPECT_TRUE(f.store.calls.empty());
    f.controller.newProfile();
    ASSERT_EQ(f.view.nameRequests.size(), 2u);
    EXPECT_EQ(f.view.nameRequests[1].caption, "New");
    EXPECT_EQ(f.view.nameRequests[1].proposed.name, "");
    EXPECT_TRUE(f.view.questions.empty());
    EXPECT_EQ(f.view.rows, (Names{"Work", "Home"}));
    EXPECT_EQ(f.store.find("Home")->description, "at home");
}

TEST(NewProfileTest, TheCurrentProfilesNameIsRefusedWithoutQuestion) {
    ControllerFixture f;
    f.startWith({"Work", "Home"}, "Work");
    f.view.nameAnswers = {f.entry("WORK")};
    f.controller.newProfile();
    EXPECT_EQ(f.view.warnings, (Names{"IS-CURRENT"}));
    EXPECT_TRUE(f.view.questions.empty());
    EXPECT_TRUE(f.store.calls.empty());
    EXPECT_EQ(f.store.find("Work")->contents, "Work contents");
}

TEST(NewProfileTest, AnotherExistingNameIsReplacedAfterYesAndKeepsOneEntrySpelledAsTyped) {
    ControllerFixture f;
    f.startWith({"Work", "home"}, "Work");
    f.view.nameAnswers = {f.entry("Home", "fresh"), f.entry("Home", "again")};
    f.view.questionAnswers = {false, true};
    f.controller.newProfile();
    EXPECT_EQ(f.store.find("home")->contents, "home contents") << "No keeps the profile";
    f.controller.newProfile();
    ASSERT_EQ(f.view.questions.size(), 2u);
    EXPECT_EQ(f.view.questions[1].first, "Replace Home?");
    EXPECT_EQ(f.view.questions[1].second, Question::YesDefault);
    EXPECT_EQ(f.view.rows, (Names{"Work", "Home"}));
    EXPECT_EQ(f.store.find("Home")->contents, "") << "replaced by an empty profile";
    EXPECT_EQ(f.store.find("Home")->description, "again");
}

TEST(CopyProfileTest, CopiesTheSelectionWithTheTypedAndSoPossiblyEmptyDescription) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.view.nameAnswers = {f.entry("Review")};
    f.controller.copyProfile();
    EXPECT_EQ(f.view.nameRequests[0].caption, "Copy");
    EXPECT_EQ(f.view.nameRequests[0].proposed.name, "") << "the dialog starts empty";
    EXPECT_EQ(f.store.calls, (Names{"copy Work Review"}));
    EXPECT_EQ(f.store.find("Review")->contents, "Work contents");
    EXPECT_EQ(f.store.find("Review")->description, "") << "not the source's description";
    EXPECT_EQ(f.view.rows, (Names{"Work", "Review"}));
}

TEST(CopyProfileTest, OntoAnotherProfileAsksAndOntoTheCurrentOneIsRefused) {
    ControllerFixture f;
    f.startWith({"Work", "Home", "Main"}, "Main");
    f.view.nameAnswers = {f.entry("main"), f.entry("HOME")};
    f.view.questionAnswers = {true};
    f.controller.copyProfile();
    EXPECT_EQ(f.view.warnings, (Names{"IS-CURRENT"}));
    EXPECT_TRUE(f.store.calls.empty());
    f.controller.copyProfile();
    ASSERT_EQ(f.view.questions.size(), 1u);
    EXPECT_EQ(f.view.questions[0].second, Question::YesDefault);
    EXPECT_EQ(f.store.find("HOME")->contents, "Work contents");
    EXPECT_EQ(f.view.rows, (Names{"Work", "HOME", "Main"})) << "one entry, spelled as typed";
}

TEST(CopyProfileTest, OntoItsOwnNameOnlyTheDescriptionChanges) {
    ControllerFixture f;
    f.startWith({"work", "Main"}, "Main");
    f.view.nameAnswers = {f.entry("Work", "renamed text")};
    f.controller.copyProfile();
    EXPECT_TRUE(f.view.questions.empty()) << "nothing is replaced";
    EXPECT_EQ(f.store.calls, (Names{"setDescription work renamed text"}));
    EXPECT_EQ(f.store.find("work")->contents, "work contents");
    EXPECT_EQ(f.view.rows, (Names{"work", "Main"})) << "the key keeps its spelling";
    EXPECT_EQ(f.view.descriptionText, "renamed text");
}

TEST(RenameProfileTest, UnchangedNameWritesOnlyTheDescriptionWithoutQuestion) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.view.nameAnswers = {f.entry("Work", "new words")};
    f.controller.renameProfile();
    EXPECT_EQ(f.view.nameRequests[0].caption, "Rename");
    EXPECT_EQ(f.view.nameRequests[0].proposed.name, "Work");
    EXPECT_EQ(f.view.nameRequests[0].proposed.description, "Work description");
    EXPECT_TRUE(f.view.questions.empty());
    EXPECT_EQ(f.store.calls, (Names{"setDescription Work new words"}));
    EXPECT_EQ(f.view.descriptionText, "new words");
}

TEST(RenameProfileTest, ALetterCaseChangeAsksNothingAndRespellsTheEntryInPlace) {
    ControllerFixture f;
    f.startWith({"work", "Home"}, "work");
    f.view.nameAnswers = {f.entry("Work", "kept")};
    f.controller.renameProfile();
    EXPECT_TRUE(f.view.questions.empty());
    EXPECT_EQ(f.store.calls, (Names{"rename work Work"}));
    EXPECT_EQ(f.view.rows, (Names{"Work", "Home"})) << "one entry, where it was";
    EXPECT_EQ(f.store.find("Work")->contents, "work contents");
    EXPECT_EQ(f.view.label, "Profiles in: Oremund\\Kivra 2013\\ENU\r\nWork");
    EXPECT_EQ(f.view.selection, 0);
}

TEST(RenameProfileTest, RenamingTheCurrentProfileShowsTheNewNameInTheLabel) {
    ControllerFixture f;
    f.startWith({"Work", "Home"}, "Work");
    f.view.nameAnswers = {f.entry("Office", "x")};
    f.controller.renameProfile();
    EXPECT_EQ(f.view.rows, (Names{"Office", "Home"}));
    EXPECT_EQ(f.view.label, "Profiles in: Oremund\\Kivra 2013\\ENU\r\nOffice");
}

TEST(RenameProfileTest, OntoAnotherProfileAsksWithNoAsDefaultAndMergesTheEntries) {
    ControllerFixture f;
    f.startWith({"Work", "Home", "Main"}, "Main");
    f.view.nameAnswers = {f.entry("home"), f.entry("home")};
    f.view.questionAnswers = {false, true};
    f.controller.renameProfile();
    EXPECT_EQ(f.store.keyNames(), (Names{"Work", "Home", "Main"}));
    f.controller.renameProfile();
    ASSERT_EQ(f.view.questions.size(), 2u);
    EXPECT_EQ(f.view.questions[1].second, Question::NoDefault);
    EXPECT_EQ(f.view.rows, (Names{"home", "Main"}));
    EXPECT_EQ(f.store.find("home")->contents, "Work contents");
}

TEST(RenameProfileTest, OntoTheCurrentProfileIsRefusedAndAFailedRenameChangesNoEntry) {
    ControllerFixture f;
    f.startWith({"Work", "Main"}, "Main");
    f.view.nameAnswers = {f.entry("MAIN"), f.entry("Office")};
    f.controller.renameProfile();
    EXPECT_EQ(f.view.warnings, (Names{"IS-CURRENT"}));
    f.store.failNext = true;
    f.controller.renameProfile();
    EXPECT_EQ(f.view.rows, (Names{"Work", "Main"}));
    EXPECT_EQ(f.view.warnings.size(), 1u) << "a failed rename shows nothing";
}

TEST(DeleteProfileTest, RefusedForTheCurrentProfileInAnyCaseAndWhileNoneIsRecorded) {
    ControllerFixture f;
    f.startWith({"work", "Home"}, "Work");
    f.controller.deleteProfile();  // "work" is the current "Work"
    f.store.here().current.clear();
    f.view.selectRow(1);
    f.controller.deleteProfile();
    EXPECT_EQ(f.view.warnings, (Names{"IS-CURRENT", "IS-CURRENT"}));
    EXPECT_TRUE(f.view.questions.empty());
    EXPECT_TRUE(f.store.calls.empty());
}

TEST(DeleteProfileTest, AsksTheStopQuestionAndRemovesOnlyOnYes) {
    ControllerFixture f;
    f.startWith({"Work", "Home"}, "Work");
    f.view.selectRow(1);
    f.view.questionAnswers = {false, true};
    f.controller.deleteProfile();
    EXPECT_EQ(f.view.rows.size(), 2u);
    f.controller.deleteProfile();
    EXPECT_EQ(f.view.questions[0], std::make_pair(std::string("Delete?"), Question::Stop));
    EXPECT_EQ(f.view.rows, (Names{"Work"}));
    EXPECT_EQ(f.store.keyNames(), (Names{"Work"}));
}

TEST(ExportProfileTest, OffersTheNameAndTheFormattedFilterAndExportsToTheChosenFile) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.controller.exportProfile();  // cancelled
    f.view.exportAnswer = "C:\\out\\work.arg";
    f.controller.exportProfile();
    EXPECT_EQ(f.view.exportInitialName, "Work");
    EXPECT_EQ(f.view.filters, (Names{"Profiles (*.arg)|*.arg||", "Profiles (*.arg)|*.arg||"}));
    EXPECT_EQ(f.store.calls, (Names{"export Work C:\\out\\work.arg"}));
}

TEST(ExportProfileTest, TheFilterIsEmptyWithoutItsStringAndLimitedToItsBuffer) {
    ControllerFixture f;
    f.startWith({"Work"}, "Work");
    f.view.strings.erase(IDS_FILE_FILTER);
    f.controller.exportProfile();
    f.view.strings[IDS_FILE_FILTER] = std::string(300, 'x') + "%s";
    f.controller.exportProfile();
    f.view.strings[IDS_FILE_FILTER] = "%s %d %%";
    f.controller.exportProfile();
    ASSERT_EQ(f.view.filters.size(), 3u);
    EXPECT_EQ(f.view.filters[0], "");
    EXPECT_EQ(f.view.filters[1], std::string(259, 'x'));
    EXPECT_EQ(f.view.filters[2], "arg %d %") << "the format's other placeholders are text";
}

class ImportProfileTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.startWith({"Work", "Main"}, "Main");
        f.store.exportFiles["C:\\files\\Travel.arg"] = {"Laptop", "on the road"};
        f.view.importAnswer = "C:\\files\\Travel.arg";
    }
    ControllerFixture f;
};

TEST_F(ImportProfileTest, ProposesTheFilesNameAndStoredDescription) {
    f.view.nameAnswers = {std::nullopt};
    f.controller.importProfile();
    ASSERT_EQ(f.view.nameRequests.size(), 1u);
    EXPECT_EQ(f.view.nameRequests[0].caption, "Import");
    EXPECT_EQ(f.view.nameRequests[0].proposed.name, "Travel");
    EXPECT_EQ(f.view.nameRequests[0].proposed.description, "on the road");
    EXPECT_TRUE(f.store.calls.empty());
}

TEST_F(ImportProfileTest, ImportsUnderTheTypedNameWithItsDescription) {
    f.view.nameAnswers = {f.entry("Trip", "typed")};
    f.controller.importProfile();
    EXPECT_EQ(f.store.calls, (Names{"importAs C:\\files\\Travel.arg Trip", "setDescription Trip typed"}));
    EXPECT_EQ(f.view.rows, (Names{"Work", "Main", "Trip"}));
    EXPECT_TRUE(f.view.warnings.empty());
}

TEST_F(ImportProfileTest, AFailedImportWarnsAndLeavesTheList) {
    f.view.nameAnswers = {f.entry("Trip")};
    f.store.failNext = true;
    f.controller.importProfile();
    EXPECT_EQ(f.view.warnings, (Names{"IMPORT-FAILED"}));
    EXPECT_EQ(f.view.rows, (Names{"Work", "Main"}));
}

TEST_F(ImportProfileTest, AnImportedProfileIsListedEvenWhenItsDescriptionCannotBeWritten) {
    f.view.nameAnswers = {f.entry("Trip", "typed")};
    f.store.failSetDescription = true;
    f.controller.importProfile();
    EXPECT_TRUE(f.view.warnings.empty()) << "the profile exists: the import did not fail";
    EXPECT_EQ(f.view.rows, (Names{"Work", "Main", "Trip"}));
}

TEST_F(ImportProfileTest, SectionsLeftOutOfTheFileAreCountedForTheUser) {
    f.view.nameAnswers = {f.entry("Trip")};
    f.store.importLeftOut = 3;
    f.controller.importProfile();
    EXPECT_EQ(f.view.warnings, (Names{"3 left out"}));
    ASSERT_FALSE(f.view.rows.empty());
    EXPECT_EQ(f.view.rows.back(), "Trip");
}

TEST_F(ImportProfileTest, OntoTheCurrentProfileIsRefusedAndOntoAnotherAsksWithNoDefault) {
    f.view.nameAnswers = {f.entry("MAIN"), f.entry("work"), f.entry("work")};
    f.view.questionAnswers = {false, true};
    f.controller.importProfile();
    EXPECT_EQ(f.view.warnings, (Names{"IS-CURRENT"}));
    f.controller.importProfile();
    EXPECT_EQ(f.store.calls.size(), 0u) << "No: nothing imported";
    f.controller.importProfile();
    EXPECT_EQ(f.view.questions[1].second, Question::NoDefault);
    EXPECT_EQ(f.view.rows, (Names{"work", "Main"}));
}

}  // namespace
