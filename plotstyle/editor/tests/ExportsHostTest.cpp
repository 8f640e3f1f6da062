// A host of Quellon.dll as the CAD program is: the library loaded at run time and its four
// entry points bound by name with GetProcAddress, called with and without a parent window.
// The dialogs they open are found among the thread's windows and answered by messages.
#include "quellon/QuellonExports.h"

#include "QuellonIds.h"
#include "ScratchRegistry.h"
#include "dialogs/Screenshot.h"

#include <gtest/gtest.h>
#include <psapi.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// What a test does from inside the modal loop of the call it makes: tried every 100 ms until
// it reports its part done (the window it waits for may take a while on a loaded machine).
// After 30 s it is given up: a failure is recorded and the thread's dialogs are cancelled,
// so the call returns and the test fails instead of hanging.
struct Pending {
    std::function<bool()> action;
    DWORD start = 0;
};
Pending& pending() {
    static Pending p;
    return p;
}

BOOL CALLBACK cancelDialog(HWND hwnd, LPARAM host) {
    if (hwnd != HWND(host) && IsWindowVisible(hwnd)) PostMessageA(hwnd, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

void CALLBACK runPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);  // no second run while the action pumps messages
    Pending& p = pending();
    if (!p.action) return;
    if (GetTickCount() - p.start > 30000) {
        p.action = nullptr;
        ADD_FAILURE() << "the window the test waits for did not come";
        EnumThreadWindows(GetCurrentThreadId(), cancelDialog, LPARAM(FindWindowA("STATIC", "Host")));
        return;
    }
    const std::function<bool()> action = p.action;
    if (action())
        p.action = nullptr;
    else
        SetTimer(nullptr, 0, 100, runPending);
}

void later(std::function<bool()> action) {
    pending().action = std::move(action);
    pending().start = GetTickCount();
    SetTimer(nullptr, 0, 200, runPending);
}

// The thread's visible top-level window whose caption starts with `prefix`.
struct WindowSearch {
    std::string prefix;
    int id = 0;
    HWND found = nullptr;
};

BOOL CALLBACK visitTopLevel(HWND hwnd, LPARAM l) {
    auto* s = reinterpret_cast<WindowSearch*>(l);
    char text[256] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    if (!IsWindowVisible(hwnd) || std::string(text).rfind(s->prefix, 0) != 0) return TRUE;
    s->found = hwnd;
    return FALSE;
}

BOOL CALLBACK visitChild(HWND hwnd, LPARAM l) {
    auto* s = reinterpret_cast<WindowSearch*>(l);
    if (GetDlgCtrlID(hwnd) != s->id) return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND findWindow(const std::string& prefix) {
    WindowSearch search{prefix};
    EnumThreadWindows(GetCurrentThreadId(), visitTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findChild(HWND parent, int id) {
    WindowSearch search{"", id};
    EnumChildWindows(parent, visitChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string kindOf(const std::string& path) {
    char header[26] = {};
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    DWORD read = 0;
    ReadFile(file, header, sizeof header, &read, nullptr);
    CloseHandle(file);
    return read == sizeof header ? std::string(header + 19, 7) : "";
}

// The process's committed private memory (Wine leaves PrivateUsage at zero but keeps
// PagefileUsage, which Windows reports as the same figure).
SIZE_T privateBytes() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage;
}

class ExportsHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        library = LoadLibraryA((programFolder() + "Quellon.dll").c_str());
        ASSERT_NE(library, nullptr);
        using quellon::bindEntryPoint;
        add = bindEntryPoint<quellon::AddPStyleTableFn>(library, quellon::kAddPStyleTableName);
        create = bindEntryPoint<quellon::NewPStyleTableFn>(library, quellon::kNewPStyleTableName);
        editTable = bindEntryPoint<quellon::EditTableFn>(library, quellon::kEditTableName);
        editFile = bindEntryPoint<quellon::EditFileFn>(library, quellon::kEditFileName);
        ASSERT_TRUE(add && create && editTable && editFile);
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "kivra-exports-" + std::to_string(GetCurrentProcessId()) +
                 "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        parentWindow = CreateWindowExA(0, "STATIC", "Host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                       10, 200, 100, nullptr, nullptr, nullptr, nullptr);
        parent.attach(parentWindow);
    }
    void TearDown() override {
        if (parentWindow) DestroyWindow(parentWindow);
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do DeleteFileA((folder + found.cFileName).c_str());
            while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(folder.c_str());
    }
    std::string copyOfSample(const std::string& name) {
        const std::string from = windowsPath(std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name);
        CopyFileA(from.c_str(), (folder + name).c_str(), FALSE);
        SetFileAttributesA((folder + name).c_str(), FILE_ATTRIBUTE_NORMAL);
        return folder + name;
    }
    // Presses sheet buttons one after the other, with the page set up before each press.
    static void walk(HWND sheet, const std::vector<std::pair<int, std::function<void(HWND)>>>& steps) {
        for (const auto& [button, before] : steps) {
            dlg::pumpMessages(50);
            HWND page = HWND(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
            if (before) before(page);
            SendMessageA(sheet, PSM_PRESSBUTTON, WPARAM(button), 0);
        }
    }

    HMODULE library = nullptr;
    quellon::AddPStyleTableFn add = nullptr;
    quellon::NewPStyleTableFn create = nullptr;
    quellon::EditTableFn editTable = nullptr;
    quellon::EditFileFn editFile = nullptr;
    std::string folder;
    HWND parentWindow = nullptr;
    dlg::Window parent;
};

TEST_F(ExportsHostTest, OnlyTheCompilersNamesAreExported) {
    EXPECT_EQ(GetProcAddress(library, "addPStyleTable"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "editPStyleTable"), nullptr);
}

TEST_F(ExportsHostTest, NoTableOrAnUnreadableFileIsFalseWithoutAWindow) {
    int boxes = 0;
    later([&] {
        HWND shown = GetActiveWindow();  // a box would hold the call: count and answer it
        if (shown && shown != parentWindow) {
            ++boxes;
            SendMessageA(shown, WM_COMMAND, IDOK, 0);
        }
        return false;
    });
    EXPECT_FALSE(editTable(nullptr, (folder + "a.ctb").c_str(), &parent));
    EXPECT_FALSE(editFile((folder + "missing.ctb").c_str(), nullptr));
    EXPECT_FALSE(editFile(nullptr, nullptr));
    const std::string text = folder + "text.ctb";
    HANDLE file = CreateFileA(text.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "not a table", 11, &written, nullptr);
    CloseHandle(file);
    EXPECT_FALSE(editFile(text.c_str(), &parent));
    EXPECT_EQ(findWindow("Plot Style Table Editor"), nullptr);
    pending().action = nullptr;
    EXPECT_EQ(boxes, 0);
}

TEST_F(ExportsHostTest, ACancelledAddLeavesTheNameAndTheSheetBelongsToTheParent) {
    for (dlg::Window* owner : {&parent, static_cast<dlg::Window*>(nullptr)}) {
        dlg::String name = "sentinel";
        HWND sheetOwner = HWND(-1);
        later([&] {
            HWND sheet = findWindow("Add Plot Style Table - Begin");
            if (!sheet) return false;
            sheetOwner = GetWindow(sheet, GW_OWNER);
            SendMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
            return true;
        });
        EXPECT_FALSE(add(name, folder.c_str(), nullptr, false, owner));
        EXPECT_STREQ(name.c_str(), "sentinel");
        EXPECT_EQ(sheetOwner, owner ? parentWindow : nullptr);
    }
}

TEST_F(ExportsHostTest, AFinishedAddHandsTheNewFilesNameBack) {
    dlg::String name = "sentinel";
    later([&] {
        HWND sheet = findWindow("Add Plot Style Table - Begin");
        if (!sheet) return false;
        walk(sheet, {{PSBTN_NEXT, nullptr},
                     {PSBTN_NEXT, nullptr},
                     {PSBTN_NEXT, [](HWND page) {
                          SetDlgItemTextA(page, IDC_WIZ_ADD_NAME, "from host");
                          dlg::pumpMessages(50);
                      }},
                     {PSBTN_FINISH, nullptr}});
        return true;
    });
    EXPECT_TRUE(add(name, folder.c_str(), nullptr, false, nullptr));
    EXPECT_STREQ(name.c_str(), "from host.ctb");
    EXPECT_EQ(kindOf(folder + "from host.ctb"), "CTBVER1");
}

TEST_F(ExportsHostTest, TheNewWizardEmptiesTheNameWhenItsBoxIsCleared) {
    static PenSettings pens[256];
    pens[1].pen = 2;
    for (const bool keep : {false, true}) {
        dlg::String name = "sentinel";
        const std::string typed = keep ? "kept" : "dropped";
        later([&] {
            HWND sheet = findWindow("Add Named Plot Style Table - Begin");
            if (!sheet) return false;
            EXPECT_EQ(GetWindow(sheet, GW_OWNER), parentWindow);
            walk(sheet, {{PSBTN_NEXT,
                          [](HWND page) {
                              EXPECT_EQ(IsDlgButtonChecked(page, IDC_WIZ_NEW_PENS), BST_CHECKED);
                          }},
                         {PSBTN_NEXT, [&](HWND page) {
                              SetDlgItemTextA(page, IDC_WIZ_NEW_NAME, typed.c_str());
                              dlg::pumpMessages(50);
                          }},
                         {PSBTN_FINISH, [&](HWND page) {
                              if (!keep) SendDlgItemMessageA(page, IDC_WIZ_RETURN_NAME, BM_CLICK, 0, 0);
                          }}});
            return true;
        });
        EXPECT_TRUE(create(name, false, folder.c_str(), pens, false, &parent));
        EXPECT_STREQ(name.c_str(), keep ? "kept.stb" : "");
        EXPECT_EQ(kindOf(folder + typed + ".stb"), "TTBVER1");
    }
}

TEST_F(ExportsHostTest, TheEditorSaysWhetherItWroteTheTable) {
    const std::string path = copyOfSample("ezdxf-ctbtest.ctb");
    HWND editorOwner = nullptr;
    later([&] {
        HWND editor = findWindow("Plot Style Table Editor - ezdxf-ctbtest.ctb");
        if (!editor) return false;
        editorOwner = GetWindow(editor, GW_OWNER);
        SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);  // nothing changed: closes at once
        return true;
    });
    EXPECT_FALSE(editFile(path.c_str(), &parent));
    EXPECT_EQ(editorOwner, parentWindow);
    later([&] {
        HWND editor = findWindow("Plot Style Table Editor - ezdxf-ctbtest.ctb");
        HWND pen = editor ? findChild(editor, IDC_PEN) : nullptr;
        if (!pen) return false;
        SendMessageA(pen, WM_SETTEXT, 0, LPARAM("9"));
        SendMessageA(pen, EM_SETMODIFY, TRUE, 0);
        SendDlgItemMessageA(editor, IDC_SAVE_CLOSE, BM_CLICK, 0, 0);
        return true;
    });
    EXPECT_TRUE(editTable(CPlotStyleTable::read(path.c_str()), path.c_str(), nullptr));
    CPlotStyleTable* saved = CPlotStyleTable::read(path.c_str());
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(saved->style(0)->penNumber, 9);
    delete saved;
}

TEST_F(ExportsHostTest, TablesHandedToAnEditorThatCannotOpenAreDeletedAllTheSame) {
    // A parent that is gone: the editor's window cannot be made.
    HWND gone = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    dlg::Window dead(gone);
    constexpr int kTables = 300;
    // What that many tables weigh, kept alive: the measure must see a leak of that size.
    const SIZE_T before = privateBytes();
    std::vector<CPlotStyleTable*> kept;
    for (int i = 0; i < kTables; ++i) kept.push_back(CPlotStyleTable::create(true, nullptr));
    const SIZE_T leakSize = privateBytes() - before;
    for (CPlotStyleTable* table : kept) delete table;
    ASSERT_GT(leakSize, SIZE_T(4) << 20);

    const SIZE_T start = privateBytes();
    for (int i = 0; i < kTables; ++i)
        EXPECT_FALSE(editTable(CPlotStyleTable::create(true, nullptr), "x.ctb", &dead)) << i;
    const SIZE_T grown = privateBytes() > start ? privateBytes() - start : 0;
    EXPECT_LT(grown, leakSize / 4) << "kept: " << leakSize << " bytes, after the calls: " << grown;
}

}  // namespace
