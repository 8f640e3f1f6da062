// Set-up shared by the tests that start the real Wendmark.exe: the program beside the tests,
// a scratch profiles key, the recording stand-in hosts on the search path, the main window
// once it shows, and the recent roots list put back as it was afterwards.
#pragma once

#include "RostelleIds.h"
#include "ScratchRoot.h"
#include "WendmarkRemote.h"
#include "dialogs/App.h"
#include "dialogs/ModuleState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace testing_support {

// The values of a key, restored when the object goes (the key removed if it had none).
class KeyBackup {
public:
    explicit KeyBackup(std::string path) : path_(std::move(path)) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return;
        existed_ = true;
        for (DWORD i = 0;; ++i) {
            char name[256];
            BYTE data[2048];
            DWORD nameLength = sizeof(name), size = sizeof(data), type = 0;
            if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &size) !=
                ERROR_SUCCESS)
                break;
            values_.push_back({std::string(name, nameLength), type, std::string(data, data + size)});
        }
        RegCloseKey(key);
    }
    ~KeyBackup() {
        RegDeleteTreeA(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, path_.c_str());
        if (!existed_) return;
        HKEY key;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        for (const Value& v : values_)
            RegSetValueExA(key, v.name.c_str(), 0, v.type,
                           reinterpret_cast<const BYTE*>(v.data.data()),
                           static_cast<DWORD>(v.data.size()));
        RegCloseKey(key);
    }

private:
    struct Value {
        std::string name;
        DWORD type;
        std::string data;
    };
    std::string path_;
    bool existed_ = false;
    std::vector<Value> values_;
};

class WendmarkTest : public ::testing::Test {
protected:
    void SetUp() override {
        useResourceLibrary();
        title = dlg::loadString(IDS_TITLE);
        program = dlg::programFolder() + "Wendmark.exe";
        createKey(root.path());
        log = temp.path() + "launched.txt";
        SetEnvironmentVariableA("KIVRA_STANDIN_LOG", log.c_str());
        char path[32768];
        DWORD n = GetEnvironmentVariableA("PATH", path, sizeof(path));
        oldPath = std::string(path, n < sizeof(path) ? n : 0);
        SetEnvironmentVariableA("PATH", (dlg::programFolder() + "standins;" + oldPath).c_str());
    }
    void TearDown() override {
        if (main && app.running()) {
            remote::answer(main, IDCANCEL);
            app.waitExit(10000);
        }
        SetEnvironmentVariableA("PATH", oldPath.c_str());
        SetEnvironmentVariableA("KIVRA_STANDIN_LOG", nullptr);
    }

    // Starts Wendmark.exe with `args` and waits for its main dialog.
    void start(const std::vector<std::string>& args) {
        ASSERT_TRUE(app.start(program, args)) << program;
        main = remote::waitForTitle(app.id(), title);
        ASSERT_NE(main, nullptr) << "no main dialog";
        list = GetDlgItem(main, IDC_PROFILE_LIST);
        remote::settle(main);
    }
    std::vector<std::string> rows() {
        remote::settle(main);
        return remote::listRows(list);
    }
    std::string lastRow() {
        std::vector<std::string> shown = rows();
        return shown.empty() ? "<empty list>" : shown.back();
    }
    // Waits until `state` holds: the program answers messages also while a command of it
    // waits on something (the registry editor, a nested call), so a settled window does not
    // yet mean a finished command.
    template <class State>
    bool eventually(State state, DWORD ms = 30000) {
        const DWORD start = GetTickCount();
        for (;;) {
            remote::settle(main);
            if (state()) return true;
            if (GetTickCount() - start >= ms) return false;
            Sleep(50);
        }
    }
    bool listed(const std::string& name) {
        std::vector<std::string> shown = rows();
        return std::find(shown.begin(), shown.end(), name) != shown.end();
    }
    std::string label() { return remote::textOf(GetDlgItem(main, IDC_ROOT_LABEL)); }
    std::string shownDescription() { return remote::textOf(GetDlgItem(main, IDC_DESCRIPTION)); }
    bool enabled(int id) {
        remote::settle(main);
        return IsWindowEnabled(GetDlgItem(main, id)) != FALSE;
    }
    void select(const std::string& name) {
        std::vector<std::string> shown = rows();
        for (size_t i = 0; i < shown.size(); ++i)
            if (shown[i] == name) {
                ASSERT_TRUE(remote::selectRow(list, static_cast<int>(i)));
                remote::settle(main);
                return;
            }
        FAIL() << name << " is not listed";
    }
    // A dialog or box the main dialog opened; null when none came.
    HWND popup(DWORD ms = 15000) { return remote::waitForPopup(app.id(), main, ms); }
    // Runs the name dialog that `command` opens: `name` and `description` typed, then OK.
    void nameDialog(int command, const std::string& caption, const std::string& name,
                    const std::string& description) {
        remote::press(main, command);
        HWND dialog = remote::waitForTitle(app.id(), caption);
        ASSERT_NE(dialog, nullptr) << caption;
        remote::setText(dialog, IDC_NAME_EDIT, name);
        remote::setText(dialog, IDC_DESCRIPTION_EDIT, description);
        remote::answer(dialog, IDOK);
        ASSERT_TRUE(remote::waitGone(dialog));
        remote::settle(main);
    }
    // Expects a box with `text`, presses `button`.
    void expectBox(const std::string& text, int button) {
        HWND box = popup();
        ASSERT_NE(box, nullptr) << "no box: " << text;
        EXPECT_EQ(remote::boxText(box), text);
        EXPECT_EQ(remote::textOf(box), title);
        remote::answer(box, button);
        ASSERT_TRUE(remote::waitGone(box));
        remote::settle(main);
    }
    std::string key(const std::string& name) const { return root.path() + "\\" + name; }
    std::string currentMarker() {
        HKEY k;
        char data[260] = {};
        DWORD size = sizeof(data);
        if (RegOpenKeyExA(HKEY_CURRENT_USER, root.path().c_str(), 0, KEY_READ, &k) != 0) return "?";
        RegQueryValueExA(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(k);
        return data;
    }
    std::string descriptionOf(const std::string& name) {
        HKEY k;
        char data[1024] = {};
        DWORD size = sizeof(data);
        if (RegOpenKeyExA(HKEY_CURRENT_USER, key(name).c_str(), 0, KEY_READ, &k) != 0)
            return "<no profile>";
        RegQueryValueExA(k, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(k);
        return data;
    }
    // The host stand-ins' recorded command lines.
    std::vector<std::string> launched(size_t expected) {
        std::vector<std::string> lines;
        for (int i = 0; i < 200; ++i) {
            lines.clear();
            std::string text = readFileBytes(log);
            size_t start = 0;
            for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
                lines.push_back(text.substr(start, end - start));
            if (lines.size() >= expected) break;
            Sleep(25);
        }
        return lines;
    }

    ScratchRoot root{"Tessaline\\Kivra 2013\\ENU"};
    ScratchTempFolder temp;
    remote::Process app;
    std::string title, program, log, oldPath;
    HWND main = nullptr;
    HWND list = nullptr;
};

}  // namespace testing_support
