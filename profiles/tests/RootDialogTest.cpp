// The root dialog on the virtual display, with HKEY_CURRENT_USER redirected into a scratch
// key: the recent roots it offers, what OK accepts and stores, and what Cancel leaves.
#include "DialogTestSupport.h"
#include "ProfileRootDialog_win.h"
#include "RostelleIds.h"
#include "ScratchRoot.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Window.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

using Names = std::vector<std::string>;

const std::string kRecent = "Software\\Oremund\\Wendmark\\Recent Roots";
const std::string kLanguageKey = "Software\\Oremund\\Kivra 2013\\ENU";

class RootDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        useResourceLibrary();
        ASSERT_EQ(dlg::loadString(IDS_RECENT_ROOTS_KEY), kRecent);
        createKey(scratch.base());
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, scratch.base().c_str(), 0, KEY_ALL_ACCESS,
                                &redirected_),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, redirected_), ERROR_SUCCESS);
    }
    void TearDown() override {
        if (dialog.hwnd()) clickButton(dialog.hwnd(), IDCANCEL);
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(redirected_);
    }

    Names comboEntries() {
        dlg::ComboBox combo;
        combo.attach(dialog.hwnd(), IDC_ROOT_COMBO);
        Names entries;
        for (int i = 0; i < combo.count(); ++i) entries.push_back(combo.itemText(i));
        return entries;
    }
    // Key0, Key1, ... and any other value of the recent roots key, as "name=data".
    Names stored() {
        Names values;
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRecent.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return {"<no key>"};
        for (DWORD i = 0;; ++i) {
            char name[256], data[1024];
            DWORD nameLength = sizeof(name), size = sizeof(data);
            if (RegEnumValueA(key, i, name, &nameLength, nullptr, nullptr,
                              reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
                break;
            values.push_back(std::string(name) + "=" + data);
        }
        RegCloseKey(key);
        std::sort(values.begin(), values.end());
        return values;
    }
    void store(const Names& roots) {
        for (size_t i = 0; i < roots.size(); ++i)
            setString(kRecent, ("Key" + std::to_string(i)).c_str(), roots[i]);
    }
    void open() {
        ASSERT_TRUE(dialog.create());
        ShowWindow(dialog.hwnd(), SW_SHOW);
    }

    ScratchRoot scratch;
    HKEY redirected_ = nullptr;
    BoxRecorder boxes;
    profiles::ProfileRootDialog dialog;
};

TEST_F(RootDialogTest, ShowsTheFixedPartsAroundTheCombo) {
    open();
    EXPECT_EQ(dialog.itemText(IDC_ROOT_HEAD), "HKEY_CURRENT_USER\\Software\\");
    EXPECT_EQ(dialog.itemText(IDC_ROOT_TAIL), "\\Profiles");
    EXPECT_EQ(dialog.itemText(IDC_ROOT_EXPLANATION), dlg::loadString(IDS_ROOT_EXPLANATION));
}

TEST_F(RootDialogTest, FirstUseWithoutProfilesKeyOffersOnlyTheLanguageKeyAndWritesNothing) {
    open();
    EXPECT_EQ(comboEntries(), (Names{kLanguageKey})) << "no empty entry";
    EXPECT_EQ(SendMessageA(dialog.item(IDC_ROOT_COMBO), CB_GETCURSEL, 0, 0), 0);
    clickButton(dialog.hwnd(), IDOK);
    ASSERT_NE(dialog.hwnd(), nullptr) << "the key does not exist: the dialog stays";
    ASSERT_EQ(BoxRecorder::boxes().size(), 1u);
    EXPECT_EQ(BoxRecorder::boxes()[0].text, dlg::loadString(IDS_BAD_ROOT));
    EXPECT_EQ(BoxRecorder::boxes()[0].title, dlg::loadString(IDS_TITLE));
    HWND focus = GetFocus();
    EXPECT_TRUE(focus == dialog.item(IDC_ROOT_COMBO) || IsChild(dialog.item(IDC_ROOT_COMBO), focus));
    EXPECT_EQ(stored(), (Names{"<no key>"}));
}

TEST_F(RootDialogTest, FirstUseChoosingTheLanguageKeyStoresExactlyKey0) {
    createKey(kLanguageKey + "\\Profiles");
    open();
    EXPECT_EQ(comboEntries(), (Names{"Oremund\\Kivra 2013\\ENU", kLanguageKey}));
    clickButton(dialog.hwnd(), IDOK);
    EXPECT_EQ(dialog.result(), IDOK);
    EXPECT_EQ(dialog.chosenRoot, kLanguageKey + "\\Profiles");
    EXPECT_EQ(stored(), (Names{"Key0=" + kLanguageKey + "\\Profiles"}));
}

TEST_F(RootDialogTest, AChosenStoredEntryComesFirstOnceAndADeletedOneIsDropped) {
    for (const char* k : {"Software\\KA\\Profiles", "Software\\KC\\Profiles"}) createKey(k);
    store({"Software\\KA\\Profiles", "Software\\KB\\Profiles", "Software\\KC\\Profiles"});
    open();
    EXPECT_EQ(comboEntries(), (Names{"KA", "KC"}));
    SendMessageA(dialog.item(IDC_ROOT_COMBO), CB_SETCURSEL, 1, 0);
    clickButton(dialog.hwnd(), IDOK);
    EXPECT_EQ(dialog.chosenRoot, "Software\\KC\\Profiles");
    EXPECT_EQ(stored(), (Names{"Key0=Software\\KC\\Profiles", "Key1=Software\\KA\\Profiles"}));
}

TEST_F(RootDialogTest, ATypedMiddleWithSlashesAndBlanksIsCompletedAndAccepted) {
    createKey("Software\\Vendor\\CAD 2\\Profiles");
    createKey("Software\\KA\\Profiles");
    store({"Software\\KA\\Profiles"});
    open();
    dialog.setItemText(IDC_ROOT_COMBO, "  Vendor/CAD 2/ ");
    clickButton(dialog.hwnd(), IDOK);
    EXPECT_TRUE(BoxRecorder::boxes().empty());
    EXPECT_EQ(dialog.chosenRoot, "Software\\Vendor\\CAD 2\\Profiles");
    EXPECT_EQ(stored(), (Names{"Key0=Software\\Vendor\\CAD 2\\Profiles", "Key1=Software\\KA\\Profiles"}));
}

TEST_F(RootDialogTest, CancelAfterTypingLeavesTheStoredListAsItWas) {
    createKey("Software\\KA\\Profiles");
    createKey("Software\\Vendor\\Profiles");
    store({"Software\\KA\\Profiles", "Software\\Gone\\Profiles"});
    const Names before = stored();
    open();
    dialog.setItemText(IDC_ROOT_COMBO, "Vendor");
    clickButton(dialog.hwnd(), IDCANCEL);
    EXPECT_EQ(dialog.result(), IDCANCEL);
    EXPECT_EQ(dialog.chosenRoot, "");
    EXPECT_EQ(stored(), before);
}

}  // namespace
