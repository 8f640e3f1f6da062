// Property sheets in wizard mode: pages from templates, Next refused by a page, Finish.
#include "DialogsTestIds.h"
#include "TestSupport.h"

#include "dialogs/DataExchange.h"
#include "dialogs/PropertySheet.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> g_events;

class NamePage : public dlg::PropertyPage {
public:
    NamePage() : dlg::PropertyPage(IDD_PAGE1) {}
    std::string name;

protected:
    bool onSetActive() override {
        g_events.push_back("1:active");
        setWizardButtons(PSWIZB_NEXT);
        return true;
    }
    void doDataExchange(dlg::DataExchange& dx) override { dx.text(IDC_NAME, name); }
    LRESULT onWizardNext() override {
        updateData(true);
        g_events.push_back("1:next " + name);
        return name.empty() ? -1 : 0;
    }
};

class DonePage : public dlg::PropertyPage {
public:
    DonePage() : dlg::PropertyPage(IDD_PAGE2) {}

protected:
    bool onSetActive() override {
        g_events.push_back("2:active");
        setWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
        return true;
    }
    bool onWizardFinish() override {
        g_events.push_back("2:finish");
        return true;
    }
};

TEST(Wizard, NextIsRefusedUntilThePageAgreesThenFinishEnds) {
    g_events.clear();
    NamePage first;
    DonePage second;
    dlg::Sheet sheet("Wizard test");
    sheet.addPage(first);
    sheet.addPage(second);
    sheet.setWizardMode();
    int activeAfterRefusal = -2, activeAfterNext = -2;
    testing_support::later(
        [&] {
            HWND s = sheet.hwnd();
            SendMessageA(s, PSM_PRESSBUTTON, PSBTN_NEXT, 0);  // empty name: stays
            activeAfterRefusal = sheet.activeIndex();
            SetDlgItemTextA(first.hwnd(), IDC_NAME, "plot");
            SendMessageA(s, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
            activeAfterNext = sheet.activeIndex();
            SendMessageA(s, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
        },
        200);
    EXPECT_EQ(sheet.doModal(), IDOK);
    EXPECT_EQ(activeAfterRefusal, 0);
    EXPECT_EQ(activeAfterNext, 1);
    EXPECT_EQ(first.name, "plot");
    EXPECT_EQ(g_events, (std::vector<std::string>{"1:active", "1:next ", "1:next plot", "2:active",
                                                  "2:finish"}));
}

TEST(Wizard, CancelReturnsCancel) {
    NamePage first;
    dlg::Sheet sheet("Wizard test");
    sheet.addPage(first);
    sheet.setWizardMode();
    testing_support::later([&] { SendMessageA(sheet.hwnd(), PSM_PRESSBUTTON, PSBTN_CANCEL, 0); },
                           200);
    EXPECT_EQ(sheet.doModal(), IDCANCEL);
}

}  // namespace
