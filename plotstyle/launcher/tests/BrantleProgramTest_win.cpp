// Brantle.exe itself, started as the shell starts it: with a table file it shows the table
// editor and nothing else; without arguments the add-table wizard, whose table lands in the
// current profile's plot style folder, or in the program's folder when that folder is gone.
// The child reads the real HKEY_CURRENT_USER, so the profiles key is set up for the run and
// put back as it was afterwards.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <prsht.h>

#include "QuellonIds.h"

#include <string>
#include <vector>

namespace {

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string p(path);
    return p.substr(0, p.find_last_of('\\') + 1);
}

bool exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool keyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// The profiles key the launcher reads, with a current profile of the test's own naming; the
// keys it had to create and the current profile it replaced go back on destruction.
class ProfilesKey {
public:
    ProfilesKey() {
        char language[20] = {};
        GetLocaleInfoA(MAKELCID(GetSystemDefaultLangID(), SORT_DEFAULT), LOCALE_SABBREVLANGNAME,
                       language, sizeof language);
        const std::string product = "Software\\Oremund\\Kivra 2013\\";
        const std::vector<std::string> chain = {"Software\\Oremund", product, product + language,
                                                product + language + "\\Profiles"};
        profiles_ = chain.back();
        for (const std::string& key : chain)
            if (!keyExists(key)) {
                created_ = key;
                break;
            }
        profile_ = "BrantleProgramTest" + std::to_string(GetCurrentProcessId());
        if (created_.empty()) {
            char current[260] = {};
            DWORD size = sizeof current, type = 0;
            hadCurrent_ = RegGetValueA(HKEY_CURRENT_USER, profiles_.c_str(), nullptr, RRF_RT_REG_SZ,
                                       &type, current, &size) == ERROR_SUCCESS;
            if (hadCurrent_) current_ = current;
        }
        setString(profiles_, nullptr, profile_);
    }
    ~ProfilesKey() {
        if (!created_.empty()) {
            RegDeleteTreeA(HKEY_CURRENT_USER, created_.c_str());
            return;
        }
        RegDeleteTreeA(HKEY_CURRENT_USER, (profiles_ + "\\" + profile_).c_str());
        if (hadCurrent_)
            setString(profiles_, nullptr, current_);
        else
            RegDeleteKeyValueA(HKEY_CURRENT_USER, profiles_.c_str(), nullptr);
    }
    void setPlotStyleFolder(const std::string& folder) {
        setString(profiles_ + "\\" + profile_ + "\\Config", "PlotStyle", folder);
    }

private:
    static void setString(const std::string& path, const char* name, const std::string& value) {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr) != ERROR_SUCCESS)
            return;
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       DWORD(value.size() + 1));
        RegCloseKey(key);
    }

    std::string profiles_, created_, profile_, current_;
    bool hadCurrent_ = false;
};

struct Search {
    DWORD process;
    std::vector<std::string> captions;
    std::vector<HWND> windows;
};

BOOL CALLBACK visit(HWND hwnd, LPARAM l) {
    auto* s = reinterpret_cast<Search*>(l);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != s->process || !IsWindowVisible(hwnd)) return TRUE;
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    s->captions.push_back(text);
    s->windows.push_back(hwnd);
    return TRUE;
}

// A running Brantle.exe and its visible top-level windows.
class Brantle {
public:
    explicit Brantle(const std::string& arguments) {
        std::string line = "\"" + programFolder() + "Brantle.exe\"" + arguments;
        STARTUPINFOA start = {};
        start.cb = sizeof start;
        started_ = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &start, &process_) != 0;
    }
    ~Brantle() {
        if (!started_) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process_.hProcess, 3);
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    bool started() const { return started_; }

    // Waits up to 60 s for a visible window whose caption starts with `prefix`.
    HWND waitFor(const std::string& prefix, std::vector<std::string>* seen = nullptr) {
        for (int i = 0; i < 600; ++i) {
            Search search{process_.dwProcessId, {}, {}};
            EnumWindows(visit, reinterpret_cast<LPARAM>(&search));
            if (seen) *seen = search.captions;
            for (std::size_t k = 0; k < search.windows.size(); ++k)
                if (search.captions[k].rfind(prefix, 0) == 0) return search.windows[k];
            if (WaitForSingleObject(process_.hProcess, 100) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }
    // The exit code, or -1 when the program does not end within 60 s.
    long waitForExit() {
        if (WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) return -1;
        DWORD code = 0;
        GetExitCodeProcess(process_.hProcess, &code);
        return long(code);
    }

private:
    PROCESS_INFORMATION process_ = {};
    bool started_ = false;
};

class BrantleProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "kivra-brantle-" + std::to_string(GetCurrentProcessId()) +
                 "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        for (const std::string& file : made) DeleteFileA(file.c_str());
        RemoveDirectoryA(folder.c_str());
    }
    // Walks the add-table wizard: from scratch, colour-dependent, the name, Finish.
    static void finishWizard(HWND sheet, const std::string& name) {
        auto page = [&] { return HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); };
        SendDlgItemMessageA(page(), IDC_WIZ_ADD_SCRATCH, BM_CLICK, 0, 0);
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        SendDlgItemMessageA(page(), IDC_WIZ_TYPE_COLOR, BM_CLICK, 0, 0);
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        SetDlgItemTextA(page(), IDC_WIZ_ADD_NAME, name.c_str());
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
        SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    }

    std::string folder;
    std::vector<std::string> made;
};

TEST_F(BrantleProgramTest, AFileOpensTheEditorAloneAndTheProgramEndsWithIt) {
    const std::string table = folder + "shell.ctb";
    made.push_back(table);
    const std::string from = "Z:" + std::string(KIVRA_TESTDATA_DIR) + "/ctb/ezdxf-ctbtest.ctb";
    ASSERT_TRUE(CopyFileA(from.c_str(), table.c_str(), FALSE));
    Brantle brantle(" \"" + table + "\"");
    ASSERT_TRUE(brantle.started());
    std::vector<std::string> seen;
    HWND editor = brantle.waitFor("Plot Style Table Editor - shell.ctb", &seen);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(seen, std::vector<std::string>{"Plot Style Table Editor - shell.ctb"});
    PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);  // nothing changed: closes at once
    EXPECT_EQ(brantle.waitForExit(), 0);
}

TEST_F(BrantleProgramTest, WithoutArgumentsTheWizardWritesIntoTheProfilesFolderOrItsOwn) {
    ProfilesKey key;
    key.setPlotStyleFolder(folder);
    {
        Brantle brantle("");
        ASSERT_TRUE(brantle.started());
        HWND sheet = brantle.waitFor("Add Plot Style Table - Begin");
        ASSERT_NE(sheet, nullptr);
        made.push_back(folder + "profile table.ctb");
        finishWizard(sheet, "profile table");
        EXPECT_EQ(brantle.waitForExit(), 0);
    }
    EXPECT_TRUE(exists(folder + "profile table.ctb"));

    // The recorded folder is gone: the table goes beside the program.
    key.setPlotStyleFolder(folder + "gone");
    const std::string name = "brantle-test-" + std::to_string(GetCurrentProcessId());
    made.push_back(programFolder() + name + ".ctb");
    Brantle brantle("");
    ASSERT_TRUE(brantle.started());
    HWND sheet = brantle.waitFor("Add Plot Style Table - Begin");
    ASSERT_NE(sheet, nullptr);
    finishWizard(sheet, name);
    EXPECT_EQ(brantle.waitForExit(), 0);
    EXPECT_TRUE(exists(programFolder() + name + ".ctb"));
    EXPECT_FALSE(exists(folder + "gone"));
}

TEST_F(BrantleProgramTest, APrintSwitchEndsWithoutAWindow) {
    Brantle brantle(" /p \"" + folder + "x.ctb\"");
    ASSERT_TRUE(brantle.started());
    EXPECT_EQ(brantle.waitForExit(), 0);
}

}  // namespace
