// The profile name dialog on the virtual display: what it shows, and OK only for a name the
// profile manager accepts.
#include "DialogTestSupport.h"
#include "NameRules.h"
#include "ProfileNameDialog_win.h"
#include "RostelleIds.h"
#include "ScratchRoot.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class NameDialogTest : public ::testing::Test {
protected:
    void SetUp() override { useResourceLibrary(); }
    BoxRecorder boxes;
};

TEST_F(NameDialogTest, ShowsItsCaptionLabelsAndMembersAndLimitsTheName) {
    profiles::ProfileNameDialog dialog;
    dialog.caption = "Rename Profile";
    dialog.name = "Work";
    dialog.description = "first line\r\nsecond line";
    ASSERT_TRUE(dialog.create());
    EXPECT_EQ(dlg::Window(dialog.hwnd()).text(), "Rename Profile");
    EXPECT_EQ(dialog.itemText(IDC_NAME_LABEL), dlg::loadString(IDS_NAME_LABEL));
    EXPECT_EQ(dialog.itemText(IDC_DESCRIPTION_LABEL), dlg::loadString(IDS_DESCRIPTION_LABEL));
    EXPECT_EQ(SendMessageA(dialog.item(IDC_NAME_EDIT), EM_GETLIMITTEXT, 0, 0), 260);
    EXPECT_EQ(dialog.itemText(IDC_NAME_EDIT), "Work");
    EXPECT_EQ(dialog.itemText(IDC_DESCRIPTION_EDIT), "first line\r\nsecond line");
    clickButton(dialog.hwnd(), IDCANCEL);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_EQ(dialog.name, "Work") << "cancel hands nothing back";
}

TEST_F(NameDialogTest, RefusedNamesKeepTheDialogOpenWithTheFocusOnTheName) {
    profiles::ProfileNameDialog dialog;
    ASSERT_TRUE(dialog.create());
    ShowWindow(dialog.hwnd(), SW_SHOW);
    for (const char* refused : {"", "a.b", "x/y", "100%"}) {
        dialog.setItemText(IDC_NAME_EDIT, refused);
        clickButton(dialog.hwnd(), IDOK);
        ASSERT_NE(dialog.hwnd(), nullptr) << refused;
        EXPECT_EQ(GetFocus(), dialog.item(IDC_NAME_EDIT)) << refused;
    }
    ASSERT_EQ(BoxRecorder::boxes().size(), 4u);
    EXPECT_EQ(BoxRecorder::boxes()[0].text, dlg::loadString(IDS_NAME_EMPTY));
    EXPECT_EQ(BoxRecorder::boxes()[1].text,
              profiles::fillStrings(dlg::loadString(IDS_NAME_FORBIDDEN), {"a.b"}));
    EXPECT_NE(BoxRecorder::boxes()[3].text.find("\"100%\""), std::string::npos)
        << "the name is shown as typed";
    for (const auto& box : BoxRecorder::boxes()) {
        EXPECT_EQ(box.title, dlg::loadString(IDS_TITLE));
        EXPECT_EQ(box.type, UINT(MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(NameDialogTest, AnAcceptedNameAndDescriptionComeBackUntrimmed) {
    profiles::ProfileNameDialog dialog;
    ASSERT_TRUE(dialog.create());
    dialog.setItemText(IDC_NAME_EDIT, " My Work-2_b ");
    dialog.setItemText(IDC_DESCRIPTION_EDIT, "two\r\nlines");
    clickButton(dialog.hwnd(), IDOK);
    EXPECT_EQ(dialog.hwnd(), nullptr);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(dialog.name, " My Work-2_b ");
    EXPECT_EQ(dialog.description, "two\r\nlines");
    EXPECT_TRUE(BoxRecorder::boxes().empty());
}

}  // namespace
