// The control wrappers against the real common controls, the application object's life
// cycle, and the system colour dialog run as data in, data out.
#include "DialogsTestIds.h"
#include "TestSupport.h"

#include "dialogs/App.h"
#include "dialogs/CommonDialogs.h"
#include "dialogs/Dialog.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class ControlsDialog : public dlg::Dialog {
public:
    ControlsDialog() : dlg::Dialog(IDD_CONTROLS) {}
    dlg::ListView list;
    dlg::ComboBox combo;
    dlg::TabControl tabs;
    dlg::SpinButton spin;
    dlg::Edit edit;
    int itemChanges = 0;

protected:
    bool onInitDialog() override {
        list.attach(hwnd(), IDC_LIST);
        combo.attach(hwnd(), IDC_COMBO);
        tabs.attach(hwnd(), IDC_TABS);
        spin.attach(hwnd(), IDC_SPIN);
        edit.attach(hwnd(), IDC_SPIN_EDIT);
        return true;
    }
    bool onNotify(NMHDR& header, LRESULT&) override {
        if (header.idFrom == IDC_LIST && header.code == LVN_ITEMCHANGED) ++itemChanges;
        return false;
    }
};

TEST(ListView, ColumnsItemsAndSelection) {
    ControlsDialog d;
    ASSERT_TRUE(d.create());
    dlg::ListView& list = d.list;
    EXPECT_EQ(list.insertColumn(0, "Name", 80), 0);
    EXPECT_EQ(list.insert(0, "Normal", 10), 0);
    EXPECT_EQ(list.insert(1, "Style 1", 11), 1);
    EXPECT_EQ(list.insert(1, "Between", 12), 1);
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(1), "Between");
    list.setItemText(2, 0, "Renamed");
    EXPECT_EQ(list.itemText(2), "Renamed");
    EXPECT_EQ(list.firstSelected(), -1);
    list.selectOnly(2);
    EXPECT_EQ(list.firstSelected(), 2);
    EXPECT_EQ(list.selectedCount(), 1);
    EXPECT_GT(d.itemChanges, 0);  // the dialog heard of it through WM_NOTIFY
    list.setItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(list.selectedCount(), 2);
    list.selectOnly(0);
    EXPECT_EQ(list.selectedCount(), 1);
    EXPECT_TRUE(list.remove(0));
    EXPECT_EQ(list.itemText(0), "Between");
    EXPECT_GT(list.stringWidth("Between"), list.stringWidth("B"));
    list.clear();
    EXPECT_EQ(list.count(), 0);
}

TEST(ComboBox, ItemsCarryTheirData) {
    ControlsDialog d;
    ASSERT_TRUE(d.create());
    dlg::ComboBox& c = d.combo;
    c.add("Use object color", -1);
    c.add("Red", 0x0000FF);
    c.insert(1, "Custom", 0x123456);
    EXPECT_EQ(c.count(), 3);
    EXPECT_EQ(c.itemText(1), "Custom");
    EXPECT_EQ(c.data(2), 0x0000FF);
    EXPECT_EQ(c.findData(0x123456), 1);
    EXPECT_EQ(c.findData(7), -1);
    c.select(2);
    EXPECT_EQ(c.selection(), 2);
    c.remove(1);
    EXPECT_EQ(c.findData(0x123456), -1);
    EXPECT_EQ(c.selection(), 1);
}

TEST(TabAndSpin, TabsAndRanges) {
    ControlsDialog d;
    ASSERT_TRUE(d.create());
    EXPECT_EQ(d.tabs.insert(0, "General"), 0);
    EXPECT_EQ(d.tabs.insert(1, "Form View"), 1);
    d.tabs.select(1);
    EXPECT_EQ(d.tabs.selection(), 1);
    EXPECT_EQ(d.tabs.count(), 2);
    d.spin.setRange(0, 32);
    d.spin.setPos(40);  // held to the range
    EXPECT_EQ(d.spin.pos(), 32);
    d.spin.setPos(7);
    EXPECT_EQ(d.edit.text(), "7");
    d.edit.setModified(true);
    EXPECT_TRUE(d.edit.modified());
}

class ProbeApp : public dlg::App {
public:
    explicit ProbeApp(int mode) : dlg::App("Probe"), mode_(mode) {}
    int inits = 0;

protected:
    bool initInstance() override {
        ++inits;
        setExitCode(7);
        if (mode_ == 1) throw std::runtime_error("init failed");
        if (mode_ == 2) PostQuitMessage(0);
        return mode_ == 2;
    }

private:
    int mode_;
};

TEST(App, AFailedInitialisationEndsWithoutMessageLoop) {
    ProbeApp refusing(0);
    EXPECT_EQ(dlg::App::current(), &refusing);
    EXPECT_EQ(refusing.runProgram(GetModuleHandleA(nullptr)), 7);
    EXPECT_EQ(refusing.inits, 1);
    EXPECT_EQ(dlg::appTitle(), "Probe");

    ProbeApp throwing(1);
    EXPECT_FALSE(throwing.attachLibrary(GetModuleHandleA(nullptr)));

    ProbeApp running(2);  // the loop runs until the quit message it posted
    EXPECT_EQ(running.runProgram(GetModuleHandleA(nullptr)), 7);
}

BOOL CALLBACK confirmForeignDialog(HWND hwnd, LPARAM) {
    char cls[32] = {};
    GetClassNameA(hwnd, cls, sizeof(cls));
    if (std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
        PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                     LPARAM(GetDlgItem(hwnd, IDOK)));
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK cancelForeignDialog(HWND hwnd, LPARAM) {
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

TEST(ColorDialog, ConfirmedReturnsTheColourCancelledLeavesIt) {
    dlg::ColorDialog dialog;
    dialog.color = RGB(12, 34, 56);
    dialog.fullOpen = true;
    testing_support::later([] { EnumThreadWindows(GetCurrentThreadId(), confirmForeignDialog, 0); },
                           500);
    ASSERT_TRUE(dialog.run());
    EXPECT_EQ(dialog.color, RGB(12, 34, 56));

    testing_support::later([] { EnumThreadWindows(GetCurrentThreadId(), cancelForeignDialog, 0); },
                           500);
    dialog.color = RGB(1, 2, 3);
    EXPECT_FALSE(dialog.run());
    EXPECT_EQ(dialog.color, RGB(1, 2, 3));
}

}  // namespace

namespace {

char g_tempFolder[MAX_PATH];

TEST(FileDialog, SaveAddsTheDefaultExtensionToTheConfirmedName) {
    GetTempPathA(MAX_PATH, g_tempFolder);
    dlg::FileDialog dialog;
    dialog.open = false;
    dialog.defaultExtension = "ctb";
    dialog.filter = "Color-dependent tables (*.ctb)|*.ctb||";
    dialog.fileName = std::string(g_tempFolder) + "plot";
    testing_support::later([] { EnumThreadWindows(GetCurrentThreadId(), confirmForeignDialog, 0); },
                           800);
    ASSERT_TRUE(dialog.run());
    EXPECT_EQ(dialog.fileName, std::string(g_tempFolder) + "plot.ctb");

    dialog.fileName = "unchanged";
    testing_support::later([] { EnumThreadWindows(GetCurrentThreadId(), cancelForeignDialog, 0); },
                           800);
    EXPECT_FALSE(dialog.run());
    EXPECT_EQ(dialog.fileName, "unchanged");
}

TEST(ActivationContext, MadeFromTheModulesManifestAndActiveForAnExport) {
    dlg::ActivationContext absent;
    EXPECT_FALSE(absent.create(GetModuleHandleA(nullptr), 2));  // a program carries manifest 1
    dlg::ActivationContext& context = dlg::moduleActivationContext();
    ASSERT_TRUE(context.create(GetModuleHandleA(nullptr), 1));
    HANDLE before = nullptr;
    GetCurrentActCtx(&before);
    {
        dlg::ModuleStateScope scope;
        HANDLE inside = nullptr;
        ASSERT_TRUE(GetCurrentActCtx(&inside));
        EXPECT_EQ(inside, context.handle());
        ReleaseActCtx(inside);
    }
    HANDLE after = nullptr;
    GetCurrentActCtx(&after);
    EXPECT_EQ(after, before);
    if (before) ReleaseActCtx(before);
    if (after) ReleaseActCtx(after);
}

}  // namespace
