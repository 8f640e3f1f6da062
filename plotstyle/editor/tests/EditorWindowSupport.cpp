// Window test support of the table editor.
#include "EditorWindowSupport.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Screenshot.h"

#include <commctrl.h>

#include <cstdio>

namespace editor_test {

std::vector<ShownBox>& boxes() {
    static std::vector<ShownBox> shown;
    return shown;
}

std::vector<int>& answers() {
    static std::vector<int> queued;
    return queued;
}

namespace {

int recordBox(HWND, const std::string& text, const std::string& title, UINT type) {
    boxes().push_back({text, title, type});
    if (answers().empty()) return IDOK;
    const int answer = answers().front();
    answers().erase(answers().begin());
    return answer;
}

std::function<void()>& pending() {
    static std::function<void()> action;
    return action;
}

void CALLBACK runPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> action = std::move(pending());
    pending() = nullptr;
    if (action) action();
}

}  // namespace

void later(std::function<void()> action, UINT delay) {
    pending() = std::move(action);
    SetTimer(nullptr, 0, delay, runPending);
}

void laterOnceReady(std::function<bool()> action, UINT delay) {
    later([action]() mutable {
        if (!action()) laterOnceReady(std::move(action), 100);
    }, delay);
}

bool ScriptedEditor::askSavePath(std::string& path) {
    if (savePaths.empty()) return false;
    path = savePaths.front();
    savePaths.erase(savePaths.begin());
    return true;
}

void EditorWindowTest::SetUp() {
    resources_ = LoadLibraryA((programFolder() + "QuellonRes.dll").c_str());
    ASSERT_NE(resources_, nullptr);
    dlg::setResourceHandle(resources_);
    boxes().clear();
    answers().clear();
    dlg::setMessageBoxHook(recordBox);
}

void EditorWindowTest::TearDown() {
    if (editor_ && editor_->hwnd()) editor_->endDialog(IDCANCEL);
    editor_.reset();
    dlg::setMessageBoxHook(nullptr);
    dlg::setHelpHandler(nullptr);
    dlg::setResourceHandle(nullptr);
    FreeLibrary(resources_);
}

std::string EditorWindowTest::copyOfSample(const std::string& name, const std::string& as) {
    const std::string from = windowsPath(std::string(KIVRA_TESTDATA_DIR) + "/ctb/" + name);
    const std::string to = scratch_.path() + (as.empty() ? name : as);
    EXPECT_TRUE(CopyFileA(from.c_str(), to.c_str(), FALSE)) << from;
    SetFileAttributesA(to.c_str(), FILE_ATTRIBUTE_NORMAL);  // the samples are read-only
    return to;
}

ScriptedEditor& EditorWindowTest::open(const std::string& path) {
    quellon::TablePtr table(CPlotStyleTable::read(path.c_str()));
    EXPECT_NE(table, nullptr) << path;
    editor_.reset(new ScriptedEditor(std::move(table), path));
    EXPECT_TRUE(editor_->create());
    // Topmost and to the right, away from the other window tests' dialogs.
    SetWindowPos(editor_->hwnd(), HWND_TOPMOST, 420, 40, 0, 0, SWP_NOSIZE);
    ShowWindow(editor_->hwnd(), SW_SHOW);
    UpdateWindow(editor_->hwnd());
    dlg::pumpMessages();
    return *editor_;
}

void EditorWindowTest::press(HWND dialog, int id) {
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void EditorWindowTest::clickTab(HWND tabs, int index) {
    RECT r = {};
    SendMessageA(tabs, TCM_GETITEMRECT, WPARAM(index), LPARAM(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(tabs, WM_LBUTTONUP, 0, at);
    dlg::pumpMessages();
}

void EditorWindowTest::selectStyles(const std::vector<int>& styles) {
    quellon::StyleList& list = formView().list();
    list.selectOnly(-1);
    for (int i : styles) list.setItemState(i, LVIS_SELECTED, LVIS_SELECTED);
    dlg::pumpMessages();
}

void EditorWindowTest::pick(int comboId, int item) {
    HWND combo = formItem(comboId);
    SetFocus(combo);
    SendMessageA(combo, CB_SETCURSEL, WPARAM(item), 0);
    // What the combo tells its dialog when the user chooses an item from its list.
    SendMessageA(formView().hwnd(), WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), LPARAM(combo));
    dlg::pumpMessages();
}

void EditorWindowTest::type(HWND edit, const std::string& text) {
    SetFocus(edit);
    SendMessageA(edit, EM_SETSEL, 0, -1);  // the first key replaces the selected text
    if (text.empty()) SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text) SendMessageA(edit, WM_CHAR, WPARAM(static_cast<unsigned char>(c)), 1);
}

void EditorWindowTest::leave(HWND) {
    SetFocus(formView().list().hwnd());
    dlg::pumpMessages();
}

void EditorWindowTest::clickSpin(int spinId, bool up) {
    HWND spin = formItem(spinId);
    RECT r = {};
    GetClientRect(spin, &r);
    const int y = up ? r.bottom / 4 : r.bottom * 3 / 4;
    const LPARAM at = MAKELPARAM(r.right / 2, y);
    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(spin, WM_LBUTTONUP, 0, at);
    dlg::pumpMessages();
}

std::vector<unsigned char> bytesOf(const std::string& path) {
    std::vector<unsigned char> out;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[4096];
        std::size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
        std::fclose(f);
    }
    return out;
}

std::map<std::string, std::string> recordsOf(const std::string& path) {
    std::map<std::string, std::string> records;
    std::string text;
    if (!tool::rawText(bytesOf(path), text)) return records;
    for (const tool::RawRecord& r : tool::flatten(text)) records[r.path] = r.value;
    return records;
}

std::map<std::string, std::string> changes(const std::string& before, const std::string& after) {
    const auto a = recordsOf(before), b = recordsOf(after);
    std::map<std::string, std::string> out;
    for (const auto& [key, value] : b) {
        auto it = a.find(key);
        if (it == a.end() || it->second != value) out[key] = value;
    }
    for (const auto& [key, value] : a)
        if (!b.count(key)) out[key] = "<none>";
    return out;
}

}  // namespace editor_test
