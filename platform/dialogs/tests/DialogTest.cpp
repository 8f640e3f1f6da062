// The dialog base under Wine: data exchange with the standard messages, the exception
// firewall, the user-data slot, modal results, help routing, owner-drawn controls.
#include "DialogsTestIds.h"
#include "TestSupport.h"

#include "dialogs/CommonDialogs.h"
#include "dialogs/Controls.h"
#include "dialogs/DataExchange.h"
#include "dialogs/Dialog.h"
#include "dialogs/ModuleState.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using testing_support::BoxRecorder;
using testing_support::shownBoxes;

class TestDialog : public dlg::Dialog {
public:
    TestDialog() : dlg::Dialog(IDD_TEST) { addOwnerDrawn(IDC_DRAWN_COMBO, &combo); }

    int number = 5;
    bool checked = true;
    int initCalls = 0;
    int measuresBeforeInit = 0;

    struct Combo : dlg::OwnerDrawCombo {
        TestDialog* owner = nullptr;
        int drawn = 0;
        void measureItem(MEASUREITEMSTRUCT& item) override {
            if (owner && owner->initCalls == 0) ++owner->measuresBeforeInit;
            item.itemHeight = 20;
        }
        void drawItem(const DRAWITEMSTRUCT&) override { ++drawn; }
    } combo;

protected:
    bool onInitDialog() override {
        ++initCalls;
        combo.attach(hwnd(), IDC_DRAWN_COMBO);
        updateData(false);
        return true;
    }
    void doDataExchange(dlg::DataExchange& dx) override {
        dx.integer(IDC_NUMBER, number, 1, 10);
        dx.check(IDC_CHECK, checked);
    }
    bool onCommand(int id, int code, HWND) override {
        if (id == IDC_THROW && code == BN_CLICKED) throw std::runtime_error("boom");
        return false;
    }
};

void clickButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

TEST(DialogDataExchange, ShowsMembersAndTakesThemBackWithinTheRange) {
    TestDialog d;
    d.combo.owner = &d;
    ASSERT_TRUE(d.create());
    EXPECT_EQ(d.itemText(IDC_NUMBER), "5");
    EXPECT_EQ(SendMessageA(d.item(IDC_CHECK), BM_GETCHECK, 0, 0), BST_CHECKED);
    d.setItemText(IDC_NUMBER, " 7 ");
    SendMessageA(d.item(IDC_CHECK), BM_SETCHECK, BST_UNCHECKED, 0);
    BoxRecorder boxes;
    EXPECT_TRUE(d.updateData(true));
    EXPECT_EQ(d.number, 7);
    EXPECT_FALSE(d.checked);
    EXPECT_TRUE(shownBoxes().empty());
}

TEST(DialogDataExchange, RefusedValuesShowTheStandardMessageAndKeepTheMember) {
    dlg::setAppTitle("Framework");
    TestDialog d;
    ASSERT_TRUE(d.create());
    ShowWindow(d.hwnd(), SW_SHOW);
    BoxRecorder boxes;
    d.setItemText(IDC_NUMBER, "11");
    EXPECT_FALSE(d.updateData(true));
    d.setItemText(IDC_NUMBER, "seven");
    EXPECT_FALSE(d.updateData(true));
    EXPECT_EQ(d.number, 5);
    ASSERT_EQ(shownBoxes().size(), 2u);
    EXPECT_EQ(shownBoxes()[0].text, "Enter an integer between 1 and 10.");
    EXPECT_EQ(shownBoxes()[1].text, "Enter an integer.");
    EXPECT_EQ(shownBoxes()[0].title, "Framework");
    EXPECT_EQ(shownBoxes()[0].type & MB_ICONMASK, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(GetFocus(), d.item(IDC_NUMBER));

    // OK with a refused value leaves the dialog open.
    clickButton(d.hwnd(), IDOK);
    EXPECT_NE(d.hwnd(), nullptr);
    d.setItemText(IDC_NUMBER, "10");
    clickButton(d.hwnd(), IDOK);
    EXPECT_EQ(d.hwnd(), nullptr);
    EXPECT_EQ(d.result(), IDOK);
    EXPECT_EQ(d.number, 10);
}

TEST(DialogBase, AnExceptionInAHandlerStaysInsideTheWindowProcedure) {
    TestDialog d;
    ASSERT_TRUE(d.create());
    clickButton(d.hwnd(), IDC_THROW);
    EXPECT_EQ(d.lastError(), "boom");
    ASSERT_NE(d.hwnd(), nullptr);
    EXPECT_TRUE(IsWindow(d.hwnd()));
    EXPECT_EQ(dlg::Dialog::fromHandle(d.hwnd()), &d);
}

TEST(DialogBase, TheUserDataSlotIsClearedWhenTheWindowGoes) {
    TestDialog d;
    ASSERT_TRUE(d.create());
    HWND hwnd = d.hwnd();
    EXPECT_EQ(GetWindowLongPtrA(hwnd, DWLP_USER), reinterpret_cast<LONG_PTR>(&d));
    clickButton(hwnd, IDCANCEL);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(d.hwnd(), nullptr);
    EXPECT_EQ(d.result(), IDCANCEL);
}

TEST(DialogBase, OwnerDrawnControlsAreMeasuredBeforeInitialisation) {
    TestDialog d;
    d.combo.owner = &d;
    ASSERT_TRUE(d.create());
    EXPECT_EQ(d.initCalls, 1);
    EXPECT_GE(d.measuresBeforeInit, 1);
    EXPECT_EQ(SendMessageA(d.combo.hwnd(), CB_GETITEMHEIGHT, 0, 0), 20);
}

TEST(DialogBase, ModalRunReturnsTheEndCode) {
    TestDialog d;
    testing_support::later([&] {
        d.setItemText(IDC_NUMBER, "3");
        clickButton(d.hwnd(), IDOK);
    });
    EXPECT_EQ(d.doModal(), IDOK);
    EXPECT_EQ(d.number, 3);

    struct WrongTemplate : dlg::Dialog {
        WrongTemplate() : dlg::Dialog(4242) {}
    } wrong;
    EXPECT_EQ(wrong.doModal(), -1);
}

UINT g_helpTopic = 0;

TEST(DialogBase, HelpButtonAndHelpKeyOpenTheDialogsTopic) {
    dlg::setHelpHandler([](UINT topic) { g_helpTopic = topic; });
    TestDialog d;
    d.setHelpTopic(777);
    ASSERT_TRUE(d.create());
    clickButton(d.hwnd(), 9);
    EXPECT_EQ(g_helpTopic, 777u);
    g_helpTopic = 0;
    HELPINFO info = {};
    info.cbSize = sizeof(info);
    SendMessageA(d.hwnd(), WM_HELP, 0, LPARAM(&info));
    EXPECT_EQ(g_helpTopic, 777u);
    dlg::setHelpHandler(nullptr);
}

TEST(BitmapButton, PicturesNamedAfterTheCaption) {
    TestDialog d;
    ASSERT_TRUE(d.create());
    dlg::BitmapButton picture, none;
    ASSERT_TRUE(picture.autoLoad(d, IDC_PICTURE));
    EXPECT_FALSE(none.autoLoad(d, IDC_NO_PICTURE));
    RECT r = {};
    GetWindowRect(picture.hwnd(), &r);
    EXPECT_EQ(r.right - r.left, 8);
    EXPECT_EQ(r.bottom - r.top, 6);
    EXPECT_EQ(GetWindowLongA(picture.hwnd(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    HBITMAP up = picture.pictureFor(0);
    ASSERT_NE(up, nullptr);
    EXPECT_NE(picture.pictureFor(ODS_SELECTED), up);  // PICD
    EXPECT_EQ(picture.pictureFor(ODS_DISABLED), up);  // no PICX: up
    EXPECT_EQ(picture.pictureFor(ODS_FOCUS), up);     // no PICF: up
}

TEST(CommonDialogs, FiltersBecomeNulSeparatedLists) {
    const std::string f = dlg::systemFilter("Tables (*.ctb)|*.ctb|All (*.*)|*.*||");
    const char expected[] = "Tables (*.ctb)\0*.ctb\0All (*.*)\0*.*\0\0\0\0";
    EXPECT_EQ(f, std::string(expected, sizeof(expected) - 1));
    const char shortList[] = "A\0*.a\0\0";
    EXPECT_EQ(dlg::systemFilter("A|*.a"), std::string(shortList, sizeof(shortList) - 1));
}

}  // namespace

// The manifest every program and the editor library embed names the common controls of
// version 6 for any processor, so the 64-bit build gets them as the 32-bit one does: the
// process's activation context redirects comctl32.dll.
TEST(CommonControlsManifest, RedirectsTheCommonControlsInThisProcess) {
    ACTCTX_SECTION_KEYED_DATA data{};
    data.cbSize = sizeof data;
    EXPECT_TRUE(FindActCtxSectionStringA(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         "comctl32.dll", &data))
        << "error " << GetLastError();
}
