// Support for the table editor's window tests: the resource library as the module's
// resources, message boxes recorded (and answered as a test scripts), the editor opened
// modeless on a copy of a sample table, and the user's gestures sent to the real controls
// as window messages.
#pragma once

#include "FormViewPage.h"
#include "GeneralPage.h"
#include "QuellonIds.h"
#include "ScratchRegistry.h"
#include "TableEditorDialog.h"

#include "RawText.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace editor_test {

struct ShownBox {
    std::string text, title;
    UINT type;
};

// Boxes shown since the fixture started, and the answers the next boxes give (IDOK when
// none is queued).
std::vector<ShownBox>& boxes();
std::vector<int>& answers();

// Runs `action` from the thread's message loop after `delay` ms (inside a modal loop too).
void later(std::function<void()> action, UINT delay = 60);
// The same for an action that needs a window which may come late on a loaded machine: while
// it answers false (its window is not there yet) it is tried again every 100 ms.
void laterOnceReady(std::function<bool()> action, UINT delay = 60);

// An editor whose save-as asks no file dialog: the path comes from the test.
class ScriptedEditor : public quellon::TableEditorDialog {
public:
    using TableEditorDialog::TableEditorDialog;
    std::vector<std::string> savePaths;  // handed out in order; none left: cancelled

protected:
    bool askSavePath(std::string& path) override;
};

class EditorWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A copy of sample table `name` in the scratch folder.
    std::string copyOfSample(const std::string& name, const std::string& as = "");
    // Opens the editor modeless and shown on the table in `path`.
    ScriptedEditor& open(const std::string& path);
    ScriptedEditor& editor() { return *editor_; }
    quellon::FormViewPage& formView() { return *editor_->formViewPage(); }
    quellon::GeneralPage& generalPage() { return *editor_->generalPage(); }
    bool closed() const { return editor_->hwnd() == nullptr; }

    // Gestures.
    static void press(HWND dialog, int id);
    static void clickTab(HWND tabs, int index);
    void selectStyles(const std::vector<int>& styles);
    void pick(int comboId, int item);  // as a choice in the drop-down list
    static void type(HWND edit, const std::string& text);  // replaces the text, key by key
    void leave(HWND edit);                                 // the focus goes to the list
    void clickSpin(int spinId, bool up);
    HWND formItem(int id) { return formView().item(id); }
    HWND generalItem(int id) { return generalPage().item(id); }

    ScratchFolder scratch_;
    std::unique_ptr<ScriptedEditor> editor_;

private:
    HINSTANCE resources_ = nullptr;
};

// The records of a table file as the independent reader flattens them ("plot_style/3/screen"
// -> "60"), by path.
std::map<std::string, std::string> recordsOf(const std::string& path);
// The records in which two files differ: path -> value in `after` ("<none>" when absent).
std::map<std::string, std::string> changes(const std::string& before, const std::string& after);
std::vector<unsigned char> bytesOf(const std::string& path);

}  // namespace editor_test
