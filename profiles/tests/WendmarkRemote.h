// Driving a running Wendmark.exe from another process, by window messages only: starting it,
// finding its windows, pressing its buttons, filling its edits, answering its boxes and
// reading its list. Shared by the end-to-end tests and the screenshot tool.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace remote {

class Process {
public:
    Process() = default;
    ~Process();  // ends a copy that is still running
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts `program` with `args` (each quoted), inheriting this process's environment.
    bool start(const std::string& program, const std::vector<std::string>& args);
    DWORD id() const { return info_.dwProcessId; }
    bool running() const;
    // The exit code once ended within `ms`, STILL_ACTIVE otherwise.
    DWORD waitExit(DWORD ms);
    void terminate();

private:
    PROCESS_INFORMATION info_ = {};
};

// Visible top-level windows of process `pid`.
std::vector<HWND> windowsOf(DWORD pid);
// Waits up to `ms` for a visible top-level window of `pid` that `test` accepts.
HWND waitForWindow(DWORD pid, const std::function<bool(HWND)>& test, DWORD ms = 15000);
// A window titled `title`, other than `except`.
HWND waitForTitle(DWORD pid, const std::string& title, HWND except = nullptr, DWORD ms = 15000);
// Any window of `pid` other than `main` (a dialog or box it opened).
HWND waitForPopup(DWORD pid, HWND main, DWORD ms = 15000);
// Waits until `window` is gone.
bool waitGone(HWND window, DWORD ms = 15000);

std::string textOf(HWND window);
std::string classOf(HWND window);
// The texts of a message box's static controls (its message), joined by line breaks.
std::string boxText(HWND box);

// Returns once the window's thread takes messages again (its command finished, or a modal
// dialog or box of it runs).
bool settle(HWND window, DWORD ms = 120000);
// A button click sent without waiting for the handler (it may open a modal dialog).
void press(HWND dialog, int id);
// Sets the text of control `id` (marshalled across processes).
void setText(HWND dialog, int id, const std::string& text);
// Presses `button` (IDOK, IDYES, ...) of a dialog or box.
void answer(HWND dialog, int button);

// The list view's rows, its first selected row, selecting one row, and a row's rectangle.
std::vector<std::string> listRows(HWND list);
int selectedRow(HWND list);
bool selectRow(HWND list, int row);
bool rowRect(HWND list, int row, RECT& rect);

}  // namespace remote
