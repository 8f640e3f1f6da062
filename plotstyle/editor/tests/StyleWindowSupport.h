// Support for the window tests of the style commands and lineweight editing: the style
// list's menu opened by a right click and read while it is shown, in-place label edits
// ended with the return key, the name dialog answered, waits that keep the thread's
// windows answering, and a second editor process run by the peer program.
#pragma once

#include "EditorWindowSupport.h"

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace editor_test {

// Which commands the menu offered (id -> enabled), read while it was open; empty when no
// menu opened.
using MenuOffer = std::map<int, bool>;

// Right-clicks list `list` (on its first selected item, or below its items when none is
// selected) and reads the menu that opens; the menu is then closed without a command.
MenuOffer rightClickMenu(HWND list);

// Ends an in-place edit of `edit` (the list's label editor) with `text` and the return key.
void finishLabelEdit(HWND edit, const std::string& text);
// The label editor of a list while one is open.
HWND labelEditor(HWND list);

// What the style name dialog showed and how the test answered it.
struct NameDialogSeen {
    bool opened = false;
    std::string proposed, message;
    bool okEnabled = false;
};
// Answers the next style name dialog from inside its modal loop: records what it showed,
// types each of `typed` in turn (recording the message and OK after the last one), then
// presses OK (`ok`) or Cancel. Until stopWatching().
std::shared_ptr<NameDialogSeen> answerNameDialog(std::vector<std::string> typed, bool ok);
// Stops waiting for a window that did not come.
void stopWatching();

// Waits for `handle` while the thread's windows keep answering messages; false on timeout.
bool waitPumping(HANDLE handle, DWORD milliseconds);

// A named event of this test process (manual reset, not set).
class TestEvent {
public:
    explicit TestEvent(const std::string& role);
    ~TestEvent();
    TestEvent(const TestEvent&) = delete;
    TestEvent& operator=(const TestEvent&) = delete;
    const std::string& name() const { return name_; }
    HANDLE handle() const { return handle_; }

private:
    std::string name_;
    HANDLE handle_;
};

// The peer program (a second editor process) started with `arguments`; its standard output
// is collected into `output` when it ends.
class PeerProcess {
public:
    explicit PeerProcess(const std::string& arguments);
    ~PeerProcess();  // waits for the end (up to 30 s), then stops it
    PeerProcess(const PeerProcess&) = delete;
    PeerProcess& operator=(const PeerProcess&) = delete;
    bool started() const { return process_ != nullptr; }
    // Waits for the end while this thread's windows keep answering; the exit code, -1 when
    // it did not end in time.
    int finish(DWORD milliseconds = 30000);
    const std::string& output() const { return output_; }

private:
    HANDLE process_ = nullptr;
    HANDLE output_read_ = nullptr;
    std::string output_;
};

}  // namespace editor_test
