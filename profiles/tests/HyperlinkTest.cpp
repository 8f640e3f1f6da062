// The web link, the about box and the web button on the virtual display: colours by state,
// the underline while the mouse is over the link and its removal after leaving, the click,
// the visited state kept between about boxes, and opening addresses through the ".htm"
// handler when the shell has nothing for them.
#include "AboutDialog_win.h"
#include "DialogTestSupport.h"
#include "LinkRules.h"
#include "OpenUrl_win.h"
#include "ProfilesDialog_win.h"
#include "RostelleIds.h"
#include "ScratchRoot.h"
#include "dialogs/App.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"
#include "dialogs/Window.h"

#include <gtest/gtest.h>

using namespace testing_support;
using profiles::AboutDialog;
using profiles::HyperlinkControl;

namespace {

const std::string kAddress = "https://www.oremund.example/kivra";

std::vector<std::string> g_opened;
int g_openResult = 42;
int recordOpen(const std::string& address, int show) {
    g_opened.push_back(address + (show == SW_SHOWNORMAL ? " normal" : " other"));
    return g_openResult;
}

// The text colour the dialog gives the link, and whether the rest of the answer is right.
COLORREF linkColour(const AboutDialog& about) {
    HDC dc = CreateCompatibleDC(nullptr);
    LRESULT brush = SendMessageA(about.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                 reinterpret_cast<LPARAM>(about.link.hwnd()));
    COLORREF colour = GetTextColor(dc);
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), GetSysColorBrush(COLOR_BTNFACE));
    DeleteDC(dc);
    return colour;
}

bool underlined(HWND control) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA description = {};
    GetObjectA(font, sizeof(description), &description);
    return description.lfUnderline != 0;
}

class HyperlinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        useResourceLibrary();
        g_opened.clear();
        g_openResult = 42;
        about.link.setAddress(kAddress);
        about.link.setOpener(recordOpen);
        ASSERT_TRUE(about.create());
        ShowWindow(about.hwnd(), SW_SHOW);
        dlg::pumpMessages(50);
    }
    void TearDown() override {
        if (about.hwnd()) clickButton(about.hwnd(), IDOK);
    }
    POINT linkCentre() {
        RECT r;
        GetWindowRect(about.link.hwnd(), &r);
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    BoxRecorder boxes;
    AboutDialog about;
    profiles::LinkColours colours;
};

TEST_F(HyperlinkTest, AnEmptyTemplateTextShowsTheAddressFittedToIt) {
    HWND link = about.link.hwnd();
    EXPECT_EQ(dlg::Window(link).text(), kAddress);
    HDC dc = GetDC(link);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(link, WM_GETFONT, 0, 0)));
    SIZE text;
    GetTextExtentPoint32A(dc, kAddress.c_str(), int(kAddress.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    RECT r = dlg::Window(link).rectInParent();
    EXPECT_EQ(r.right - r.left, text.cx);
    EXPECT_EQ(r.bottom - r.top, text.cy);
    RECT templateLeft = {42, 56, 0, 0};
    MapDialogRect(about.hwnd(), &templateLeft);
    EXPECT_EQ(r.left, templateLeft.left) << "left-aligned text keeps its left edge";
    EXPECT_EQ(r.top, templateLeft.top);
    EXPECT_NE(GetWindowLongPtrA(link, GWL_STYLE) & SS_NOTIFY, 0);
}

TEST_F(HyperlinkTest, TheMouseOverTheLinkTurnsItRedAndUnderlinedUntilItLeaves) {
    EXPECT_EQ(linkColour(about), colours.link);
    EXPECT_FALSE(underlined(about.link.hwnd()));

    POINT centre = linkCentre();
    SetCursorPos(centre.x, centre.y);
    SendMessageA(about.link.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(about.link.over());
    EXPECT_EQ(linkColour(about), colours.hover);
    EXPECT_TRUE(underlined(about.link.hwnd()));
    dlg::pumpMessages(300);
    EXPECT_TRUE(about.link.over()) << "the mouse is still there";

    SetCursorPos(centre.x + 600, centre.y + 400);
    const DWORD left = GetTickCount();
    while (about.link.over() && GetTickCount() - left < 2000) dlg::pumpMessages(5);
    const DWORD took = GetTickCount() - left;
    EXPECT_FALSE(about.link.over());
    EXPECT_LE(took, 500u) << "the 100 ms timer notices the mouse leaving";
    EXPECT_FALSE(underlined(about.link.hwnd()));
    EXPECT_EQ(linkColour(about), colours.link);
}

TEST_F(HyperlinkTest, AClickOpensTheAddressAndTurnsTheLinkVisited) {
    SendMessageA(about.link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(about.link.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(g_opened, (std::vector<std::string>{kAddress + " normal"}));
    EXPECT_TRUE(about.link.visited());
    EXPECT_EQ(linkColour(about), colours.visited);
    EXPECT_TRUE(BoxRecorder::boxes().empty());
}

TEST_F(HyperlinkTest, AFailedOpenShowsWhyAndLeavesTheLinkUnvisited) {
    g_openResult = 31;
    SendMessageA(about.link.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    EXPECT_FALSE(about.link.visited());
    ASSERT_EQ(BoxRecorder::boxes().size(), 1u);
    EXPECT_EQ(BoxRecorder::boxes()[0].text, profiles::linkErrorMessage(31));
    EXPECT_EQ(BoxRecorder::boxes()[0].type, UINT(MB_OK | MB_ICONEXCLAMATION));
}

// HKEY_CLASSES_ROOT redirected into a scratch key: the shell knows no handler for anything,
// and ".htm" can be given one, the recording stand-in.
class OpenUrlTest : public ::testing::Test {
protected:
    void SetUp() override {
        createKey(classes.base());
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, classes.base().c_str(), 0, KEY_ALL_ACCESS,
                                &redirected_),
                  ERROR_SUCCESS);
        log = temp.path() + "opened.txt";
        SetEnvironmentVariableA("KIVRA_STANDIN_LOG", log.c_str());
        standin = dlg::programFolder() + "standins\\Kivra.exe";
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(redirected_);
        SetEnvironmentVariableA("KIVRA_STANDIN_LOG", nullptr);
    }
    // ".htm" -> a page class whose open command is `command`.
    void registerPageHandler(const std::string& command) {
        setString(classes.base() + "\\.htm", nullptr, "KivraTestPage");
        setString(classes.base() + "\\KivraTestPage\\shell\\open\\command", nullptr, command);
    }
    void redirect() { ASSERT_EQ(RegOverridePredefKey(HKEY_CLASSES_ROOT, redirected_), 0); }
    std::string recorded() {
        for (int i = 0; i < 200; ++i) {
            std::string text = readFileBytes(log);
            if (!text.empty() && text.back() == '\n') return text.substr(0, text.size() - 1);
            Sleep(25);
        }
        return "<nothing recorded>";
    }

    ScratchRoot classes;
    ScratchTempFolder temp;
    HKEY redirected_ = nullptr;
    std::string log, standin;
};

TEST_F(OpenUrlTest, WithoutAShellHandlerTheHtmHandlerGetsTheAddressAfterABlank) {
    registerPageHandler("\"" + standin + "\" -page \"%1\"");
    redirect();
    const std::string address = "kivra-test-page://www.oremund.example/kivra?x=1";
    int result = profiles::openUrl(address, SW_HIDE);
    EXPECT_GT(result, 32);
    EXPECT_EQ(recorded(), "\"" + standin + "\" -page  " + address);
}

TEST_F(OpenUrlTest, WithoutAnyHandlerTheShellsFailureComesBack) {
    redirect();
    int result = profiles::openUrl("kivra-test-page://nowhere", SW_HIDE);
    EXPECT_LE(result, 32);
    EXPECT_NE(profiles::linkErrorMessage(result).find("Unable to open hyperlink:"), std::string::npos);
    Sleep(200);
    EXPECT_EQ(readFileBytes(log), "");
}

// The main dialog in the test's process on a scratch root, for what is routed through it.
class MainDialogTest : public OpenUrlTest {
protected:
    void SetUp() override {
        OpenUrlTest::SetUp();
        useResourceLibrary();
        createKey(root.path() + "\\Work");
        setString(root.path(), nullptr, "Work");
    }
    ScratchRoot root{"Tessaline\\Kivra 2013\\ENU"};
    BoxRecorder boxes;
};

TEST_F(MainDialogTest, SystemMenuIconAndWebButtonFromTheResourceLibrary) {
    profiles::ProfilesDialog dialog(root.path());
    ASSERT_TRUE(dialog.create());
    EXPECT_EQ(dlg::Window(dialog.hwnd()).text(), dlg::loadString(IDS_TITLE));
    HMENU menu = GetSystemMenu(dialog.hwnd(), FALSE);
    char text[128] = {};
    ASSERT_GT(GetMenuStringA(menu, IDM_CHOOSE_ROOT, text, sizeof(text), MF_BYCOMMAND), 0);
    EXPECT_EQ(std::string(text), dlg::loadString(IDS_ROOT_MENU));
    ASSERT_GT(GetMenuStringA(menu, IDM_ABOUT, text, sizeof(text), MF_BYCOMMAND), 0);
    EXPECT_EQ(std::string(text), dlg::loadString(IDS_ABOUT_MENU));
    EXPECT_NE(SendMessageA(dialog.hwnd(), WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(dialog.hwnd(), WM_GETICON, ICON_SMALL, 0), 0);
    HWND web = dialog.item(IDC_WEB_BUTTON);
    EXPECT_EQ(GetWindowLongPtrA(web, GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
    RECT r;
    GetWindowRect(web, &r);
    EXPECT_EQ(r.right - r.left, 96) << "sized to the WEBU picture";
    EXPECT_EQ(r.bottom - r.top, 26);
    clickButton(dialog.hwnd(), IDCANCEL);
}

TEST_F(MainDialogTest, EnterOnTheWebButtonOpensTheAddressAndEnterElsewhereCloses) {
    registerPageHandler("\"" + standin + "\" \"%1\"");
    redirect();
    profiles::ProfilesDialog dialog(root.path());
    ASSERT_TRUE(dialog.create());
    ShowWindow(dialog.hwnd(), SW_SHOW);
    SetFocus(dialog.item(IDC_WEB_BUTTON));
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    ASSERT_NE(dialog.hwnd(), nullptr) << "still open";
    EXPECT_EQ(recorded(), "\"" + standin + "\"  " + dlg::loadString(IDS_WEB_ADDRESS));
    EXPECT_TRUE(BoxRecorder::boxes().empty());
    SetFocus(dialog.item(IDC_PROFILE_LIST));
    SendMessageA(dialog.hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.hwnd(), nullptr);
    EXPECT_EQ(dialog.result(), IDOK);
}

TEST_F(MainDialogTest, AWebAddressThatCannotBeOpenedShowsTheLinkErrorWithoutBeep) {
    redirect();
    profiles::ProfilesDialog dialog(root.path());
    ASSERT_TRUE(dialog.create());
    clickButton(dialog.hwnd(), IDC_WEB_BUTTON);
    ASSERT_EQ(BoxRecorder::boxes().size(), 1u);
    EXPECT_EQ(BoxRecorder::boxes()[0].text.rfind("Unable to open hyperlink:\n\n", 0), 0u);
    clickButton(dialog.hwnd(), IDCANCEL);
}

TEST_F(MainDialogTest, TheAboutBoxKeepsItsLinkVisitedForTheRestOfTheRun) {
    profiles::ProfilesDialog dialog(root.path());
    ASSERT_TRUE(dialog.create());
    std::vector<bool> visitedWhenShown;
    std::vector<COLORREF> coloursWhenShown;
    auto openAbout = [&](bool click) {
        later([&, click] {
            auto* about = findThreadDialog<AboutDialog>();
            ASSERT_NE(about, nullptr);  // the about box could not run: SendMessage returns
            visitedWhenShown.push_back(about->link.visited());
            coloursWhenShown.push_back(linkColour(*about));
            EXPECT_EQ(dlg::Window(about->link.hwnd()).text(), dlg::loadString(IDS_WEB_ADDRESS));
            if (click) {
                about->link.setOpener(recordOpen);
                about->link.click();
            }
            clickButton(about->hwnd(), IDOK);
        });
        SendMessageA(dialog.hwnd(), WM_SYSCOMMAND, IDM_ABOUT, 0);
    };
    g_openResult = 42;
    openAbout(true);
    EXPECT_TRUE(dialog.aboutLinkVisited());
    openAbout(false);
    ASSERT_EQ(visitedWhenShown.size(), 2u);
    EXPECT_FALSE(visitedWhenShown[0]);
    EXPECT_TRUE(visitedWhenShown[1]);
    profiles::LinkColours colours;
    EXPECT_EQ(coloursWhenShown[0], colours.link);
    EXPECT_EQ(coloursWhenShown[1], colours.visited);
    clickButton(dialog.hwnd(), IDCANCEL);

    profiles::ProfilesDialog nextRun(root.path());
    EXPECT_FALSE(nextRun.aboutLinkVisited());
}

}  // namespace
