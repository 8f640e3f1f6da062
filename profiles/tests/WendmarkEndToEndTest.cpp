// The real Wendmark.exe on a scratch profiles key, driven by window messages from this
// process: every command of the main dialog with the registry and the list checked after
// each, the registry editor and the recording stand-in hosts doing the real work, and the
// single running copy.
#include "EndToEndSupport.h"
#include "profiles/ExportFile.h"

#include <algorithm>

using namespace testing_support;
using Names = std::vector<std::string>;

namespace {

Names sorted(Names names) {
    std::sort(names.begin(), names.end());
    return names;
}

std::string middleOf(const std::string& root) {
    return root.substr(9, root.size() - 9 - 9);  // without "Software\" and "\Profiles"
}

class ProfileCommandsTest : public WendmarkTest {};

TEST_F(ProfileCommandsTest, NewCopyRenameMakeCurrentAndDeleteKeepRegistryAndListInStep) {
    setString(key("Main"), "Keep", "main");
    setString(key("Work"), nullptr, "desk");
    setString(key("Work") + "\\Config", "Help", "C:\\Help");
    setString(root.path(), nullptr, "Main");
    start({root.path()});
    EXPECT_EQ(rows(), subkeys(root.path()));
    EXPECT_EQ(label(), "Profiles in: " + middleOf(root.path()) + "\r\nMain");
    EXPECT_TRUE(enabled(IDC_LAUNCH)) << "a Tessaline root with a selection";

    // New
    nameDialog(IDC_NEW, dlg::loadString(IDS_CAPTION_NEW), "Fresh", "new one");
    ASSERT_TRUE(eventually([&] { return lastRow() == "Fresh"; })) << lastRow();
    EXPECT_EQ(descriptionOf("Fresh"), "new one");

    // Copy, through the registry editor: contents copied, the typed (empty) description.
    select("Work");
    nameDialog(IDC_COPY, dlg::loadString(IDS_CAPTION_COPY), "Review", "");
    ASSERT_TRUE(eventually([&] { return lastRow() == "Review"; })) << lastRow();
    EXPECT_EQ(snapshot(key("Review") + "\\Config"), snapshot(key("Work") + "\\Config"));
    EXPECT_EQ(descriptionOf("Review"), "");

    // Rename in letter case only: no question, one entry respelled, the contents kept.
    select("Review");
    const std::string before = snapshot(key("Review") + "\\Config");
    nameDialog(IDC_RENAME, dlg::loadString(IDS_CAPTION_RENAME), "REVIEW", "checked");
    ASSERT_TRUE(eventually([&] { return listed("REVIEW"); }));
    EXPECT_EQ(popup(1000), nullptr) << "nothing asked";
    Names names = subkeys(root.path());
    EXPECT_NE(std::find(names.begin(), names.end(), "REVIEW"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "Review"), names.end());
    EXPECT_EQ(snapshot(key("REVIEW") + "\\Config"), before);
    Names shown = rows();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "REVIEW"), 1);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Review"), 0);

    // Rename to another name.
    select("REVIEW");
    nameDialog(IDC_RENAME, dlg::loadString(IDS_CAPTION_RENAME), "Checked", "checked");
    ASSERT_TRUE(eventually([&] { return listed("Checked"); }));
    EXPECT_FALSE(keyExists(key("REVIEW")));
    EXPECT_EQ(descriptionOf("Checked"), "checked");
    shown = rows();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Checked"), 1);

    // Make current
    select("Work");
    remote::press(main, IDC_MAKE_CURRENT);
    ASSERT_TRUE(eventually([&] { return currentMarker() == "Work"; }));
    EXPECT_EQ(label(), "Profiles in: " + middleOf(root.path()) + "\r\nWork");

    // Delete after the stop question.
    select("Checked");
    remote::press(main, IDC_DELETE);
    expectBox(dlg::loadString(IDS_DELETE_PROFILE), IDYES);
    ASSERT_TRUE(eventually([&] { return !listed("Checked"); }));
    EXPECT_FALSE(keyExists(key("Checked")));
    shown = rows();
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "Checked"), 0);
    // The list keeps its own order (new names at the end); it holds what the registry holds.
    EXPECT_EQ(sorted(shown), sorted(subkeys(root.path())));
}

TEST_F(ProfileCommandsTest, TheCurrentProfileIsRefusedInAnyLetterCase) {
    setString(key("Work"), nullptr, "desk");
    setString(key("Work"), "Keep", "me");
    createKey(key("Home"));
    setString(root.path(), nullptr, "work");
    start({root.path()});
    const std::string before = snapshot(root.path());

    select("Work");
    remote::press(main, IDC_DELETE);
    expectBox(dlg::loadString(IDS_PROFILE_IS_CURRENT), IDOK);
    nameDialog(IDC_NEW, dlg::loadString(IDS_CAPTION_NEW), "WORK", "");
    expectBox(dlg::loadString(IDS_PROFILE_IS_CURRENT), IDOK);
    select("Home");
    nameDialog(IDC_COPY, dlg::loadString(IDS_CAPTION_COPY), "Work", "");
    expectBox(dlg::loadString(IDS_PROFILE_IS_CURRENT), IDOK);
    EXPECT_EQ(snapshot(root.path()), before);
    EXPECT_EQ(sorted(rows()), sorted(subkeys(root.path())));
}

class TransferTest : public WendmarkTest {
protected:
    // Runs the file dialog that `command` opens with `path` typed; returns it still open when
    // it asks something back.
    HWND fileDialog(int command, const std::string& path) {
        remote::press(main, command);
        HWND dialog = popup();
        EXPECT_NE(dialog, nullptr);
        if (!dialog) return nullptr;
        // The file name field: the combo box of the dialog, else its edit.
        int field = GetDlgItem(dialog, 0x47c) ? 0x47c : 0x480;
        remote::setText(dialog, field, path);
        remote::answer(dialog, IDOK);
        return dialog;
    }
    HWND questionOver(HWND fileDlg) {
        return remote::waitForWindow(app.id(), [&](HWND w) {
            return w != main && w != fileDlg && remote::classOf(w) == "#32770";
        });
    }
};

TEST_F(TransferTest, ExportAsksBeforeReplacingAFileAndImportKeepsOnlyTheProfile) {
    setString(key("Work"), nullptr, "desk \"7\"");
    setString(key("Work") + "\\Config", "Help", "C:\\Help");
    setDword(key("Work") + "\\Config", "Level", 3);
    createKey(key("Main"));
    setString(root.path(), nullptr, "Main");
    start({root.path()});
    const std::string file = temp.path() + "Travel.arg";

    select("Work");
    HWND dialog = fileDialog(IDC_EXPORT, file);
    ASSERT_TRUE(remote::waitGone(dialog));
    // The editor writes the file while the command waits for it.
    auto holdsWork = [&] {
        std::string bytes = readFileBytes(file);
        return bytes.size() > 2 &&
               profiles::decodeUtf16(bytes, 2).find(u"\\Work]") != std::u16string::npos;
    };
    ASSERT_TRUE(eventually(holdsWork));
    std::string exported = readFileBytes(file);
    ASSERT_GE(exported.size(), 2u);
    EXPECT_EQ(exported.substr(0, 2), "\xFF\xFE");

    // Export onto the existing file: No keeps it, Yes replaces it.
    writeFileBytes(file, "sentinel");
    dialog = fileDialog(IDC_EXPORT, file);
    HWND question = questionOver(dialog);
    ASSERT_NE(question, nullptr) << "no question before replacing the file";
    remote::answer(question, IDNO);
    ASSERT_TRUE(remote::waitGone(question));
    remote::answer(dialog, IDCANCEL);
    ASSERT_TRUE(remote::waitGone(dialog));
    remote::settle(main);
    EXPECT_EQ(readFileBytes(file), "sentinel");
    dialog = fileDialog(IDC_EXPORT, file);
    question = questionOver(dialog);
    ASSERT_NE(question, nullptr);
    remote::answer(question, IDYES);
    ASSERT_TRUE(remote::waitGone(dialog));
    ASSERT_TRUE(eventually([&] { return readFileBytes(file) == exported; }));

    // The file with a key elsewhere and another profile added.
    std::u16string text = profiles::decodeUtf16(exported, 2);
    std::string foreign = root.base() + "\\Foreign";
    std::string extra = "\r\n[HKEY_CURRENT_USER\\" + foreign + "]\r\n\"Run\"=\"evil.exe\"\r\n\r\n" +
                        "[HKEY_CURRENT_USER\\" + key("Main") + "]\r\n\"Taken\"=\"over\"\r\n";
    text += std::u16string(extra.begin(), extra.end());
    writeFileBytes(file, "\xFF\xFE" + profiles::encodeUtf16(text));
    const std::string mainBefore = snapshot(key("Main"));

    dialog = fileDialog(IDC_IMPORT, file);
    HWND names = remote::waitForTitle(app.id(), dlg::loadString(IDS_CAPTION_IMPORT));
    ASSERT_NE(names, nullptr);
    EXPECT_EQ(remote::textOf(GetDlgItem(names, IDC_NAME_EDIT)), "Travel");
    EXPECT_EQ(remote::textOf(GetDlgItem(names, IDC_DESCRIPTION_EDIT)), "desk \"7\"");
    remote::setText(names, IDC_NAME_EDIT, "Trip");
    remote::answer(names, IDOK);
    HWND box = remote::waitForWindow(app.id(), [&](HWND w) {
        return w != main && w != names && remote::classOf(w) == "#32770";
    });
    ASSERT_NE(box, nullptr) << "the user is told about the keys left out";
    EXPECT_NE(remote::boxText(box).find(" 2 "), std::string::npos) << remote::boxText(box);
    remote::answer(box, IDOK);
    ASSERT_TRUE(remote::waitGone(box));
    ASSERT_TRUE(eventually([&] { return lastRow() == "Trip"; })) << lastRow();
    EXPECT_EQ(snapshot(key("Trip") + "\\Config"), snapshot(key("Work") + "\\Config"));
    EXPECT_EQ(descriptionOf("Trip"), "desk \"7\"");
    EXPECT_FALSE(keyExists(foreign));
    EXPECT_EQ(snapshot(key("Main")), mainBefore);
}

class RootAndLaunchTest : public WendmarkTest {
protected:
    KeyBackup recent{"Software\\Oremund\\Wendmark\\Recent Roots"};
    ScratchRoot other{"Elsewhere\\Kivra 2013\\ENU"};
};

TEST_F(RootAndLaunchTest, TheButtonAndADoubleClickStartTheHostWithTheSelectedProfile) {
    createKey(key("Main"));
    createKey(key("My Work"));
    start({root.path()});
    select("My Work");
    remote::press(main, IDC_LAUNCH);
    remote::settle(main);
    Names lines = launched(1);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("Kivra.exe"), std::string::npos) << lines[0];
    EXPECT_EQ(lines[0].substr(lines[0].size() - 13), "  /P\"My Work\"") << lines[0];

    select("Main");
    RECT row;
    ASSERT_TRUE(remote::rowRect(list, remote::selectedRow(list), row));
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2));
    remote::settle(main);
    lines = launched(2);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].substr(lines[1].size() - 10), "  /P\"Main\"") << lines[1];
}

TEST_F(RootAndLaunchTest, ChoosingAnotherRootShowsItsProfilesAndStoresItFirst) {
    createKey(key("Main"));
    createKey(other.path() + "\\Alpha");
    setString(other.path() + "\\Alpha", nullptr, "first of the other root");
    start({root.path()});

    // The system menu's command opens the same dialog; Cancel changes nothing.
    PostMessageA(main, WM_SYSCOMMAND, IDM_CHOOSE_ROOT, 0);
    HWND dialog = remote::waitForTitle(app.id(), "Profiles Key");
    ASSERT_NE(dialog, nullptr);
    remote::answer(dialog, IDCANCEL);
    ASSERT_TRUE(remote::waitGone(dialog));
    EXPECT_EQ(rows(), (Names{"Main"}));

    remote::press(main, IDC_CHOOSE_ROOT);
    dialog = remote::waitForTitle(app.id(), "Profiles Key");
    ASSERT_NE(dialog, nullptr);
    remote::setText(dialog, IDC_ROOT_COMBO, " " + middleOf(other.path()) + "/ ");
    remote::answer(dialog, IDOK);
    ASSERT_TRUE(remote::waitGone(dialog));
    ASSERT_TRUE(eventually([&] { return rows() == Names{"Alpha"}; }));
    EXPECT_EQ(label(), "Profiles in: " + middleOf(other.path()) + "\r\n");
    EXPECT_EQ(shownDescription(), "first of the other root");
    EXPECT_FALSE(enabled(IDC_LAUNCH)) << "neither host word in the new root";
    EXPECT_TRUE(enabled(IDC_DELETE));

    HKEY k;
    char data[512] = {};
    DWORD size = sizeof(data);
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Oremund\\Wendmark\\Recent Roots", 0,
                            KEY_READ, &k),
              0);
    RegQueryValueExA(k, "Key0", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(k);
    EXPECT_EQ(std::string(data), other.path());
}

class SingleInstanceTest : public WendmarkTest {};

TEST_F(SingleInstanceTest, ASecondCopyRestoresTheFirstAndItsDialogAndEnds) {
    createKey(key("Work"));
    start({root.path()});
    ShowWindow(main, SW_MINIMIZE);
    for (int i = 0; i < 100 && !IsIconic(main); ++i) Sleep(20);
    ASSERT_TRUE(IsIconic(main));

    remote::Process second;
    ASSERT_TRUE(second.start(program, {}));
    EXPECT_EQ(second.waitExit(20000), 0u) << "the second copy ends at once";
    for (int i = 0; i < 100 && IsIconic(main); ++i) Sleep(20);
    EXPECT_FALSE(IsIconic(main)) << "the first copy's dialog is restored";
    EXPECT_TRUE(app.running());

    // With a dialog of the first copy open, that dialog comes forward.
    remote::press(main, IDC_NEW);
    HWND names = remote::waitForTitle(app.id(), dlg::loadString(IDS_CAPTION_NEW));
    ASSERT_NE(names, nullptr);
    remote::Process third;
    ASSERT_TRUE(third.start(program, {root.path()}));
    EXPECT_EQ(third.waitExit(20000), 0u);
    HWND foreground = nullptr;
    for (int i = 0; i < 100 && (foreground = GetForegroundWindow()) != names; ++i) Sleep(20);
    EXPECT_EQ(foreground, names);
    remote::answer(names, IDCANCEL);
    ASSERT_TRUE(remote::waitGone(names));
}

TEST_F(SingleInstanceTest, EnterOnTheWebButtonKeepsTheDialogAndEnterElsewhereClosesIt) {
    createKey(key("Work"));
    start({root.path()});
    HWND web = GetDlgItem(main, IDC_WEB_BUTTON);
    PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(web), TRUE);
    remote::settle(main);
    PostMessageA(web, WM_KEYDOWN, VK_RETURN, 1);
    PostMessageA(web, WM_KEYUP, VK_RETURN, 0xC0000001);
    remote::settle(main);
    Sleep(500);
    EXPECT_TRUE(app.running());
    EXPECT_EQ(popup(500), nullptr) << "the address opened without complaint";

    PostMessageA(main, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(list), TRUE);
    remote::settle(main);
    PostMessageA(list, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(app.waitExit(15000), 0u);
}

}  // namespace
