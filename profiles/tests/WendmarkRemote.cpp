// Window messages to another process; list view data through memory in that process.
#include "WendmarkRemote.h"

#include <commctrl.h>

#include <cstring>

namespace remote {
namespace {

std::string quoted(const std::string& arg) {
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') out.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        out += c;
    }
    out.append(backslashes, '\\');
    return out + "\"";
}

// A block of memory in the list's process, for the list view messages that take pointers.
class RemoteBlock {
public:
    RemoteBlock(HWND window, size_t size) : size_(size) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
        if (process_)
            address_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE,
                                      PAGE_READWRITE);
    }
    ~RemoteBlock() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    bool ok() const { return address_ != nullptr; }
    char* at(size_t offset) const { return static_cast<char*>(address_) + offset; }
    bool write(size_t offset, const void* data, size_t size) const {
        SIZE_T done = 0;
        return offset + size <= size_ &&
               WriteProcessMemory(process_, at(offset), data, size, &done) && done == size;
    }
    bool read(size_t offset, void* data, size_t size) const {
        SIZE_T done = 0;
        return offset + size <= size_ &&
               ReadProcessMemory(process_, at(offset), data, size, &done) && done == size;
    }

private:
    HANDLE process_ = nullptr;
    void* address_ = nullptr;
    size_t size_;
};

constexpr size_t kTextBuffer = 1024;

}  // namespace

Process::~Process() {
    if (running()) terminate();
    if (info_.hProcess) CloseHandle(info_.hProcess);
    if (info_.hThread) CloseHandle(info_.hThread);
}

bool Process::start(const std::string& program, const std::vector<std::string>& args) {
    std::string line = quoted(program);
    for (const std::string& arg : args) line += " " + quoted(arg);
    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    return CreateProcessA(program.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info_) != FALSE;
}

bool Process::running() const {
    return info_.hProcess && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Process::waitExit(DWORD ms) {
    if (!info_.hProcess || WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

void Process::terminate() {
    if (!info_.hProcess) return;
    TerminateProcess(info_.hProcess, 99);
    WaitForSingleObject(info_.hProcess, 5000);
}

std::vector<HWND> windowsOf(DWORD pid) {
    struct Search {
        DWORD pid;
        std::vector<HWND> found;
        static BOOL CALLBACK visit(HWND hwnd, LPARAM l) {
            auto* search = reinterpret_cast<Search*>(l);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == search->pid && IsWindowVisible(hwnd)) search->found.push_back(hwnd);
            return TRUE;
        }
    } search{pid, {}};
    EnumWindows(Search::visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForWindow(DWORD pid, const std::function<bool(HWND)>& test, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        for (HWND hwnd : windowsOf(pid))
            if (test(hwnd)) return hwnd;
        Sleep(30);
    } while (GetTickCount() - start < ms);
    return nullptr;
}

HWND waitForTitle(DWORD pid, const std::string& title, HWND except, DWORD ms) {
    return waitForWindow(
        pid, [&](HWND hwnd) { return hwnd != except && textOf(hwnd) == title; }, ms);
}

HWND waitForPopup(DWORD pid, HWND main, DWORD ms) {
    return waitForWindow(
        pid,
        [&](HWND hwnd) {
            // Wine's tooltip and menu windows are not dialogs of the program.
            return hwnd != main && classOf(hwnd) == "#32770";
        },
        ms);
}

bool waitGone(HWND window, DWORD ms) {
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount() - start >= ms) return false;
        Sleep(30);
    }
    return true;
}

std::string textOf(HWND window) {
    char text[4096] = {};
    // WM_GETTEXT is marshalled between processes; GetWindowText would not ask the window.
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 10000, nullptr);
    return text;
}

std::string classOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string boxText(HWND box) {
    std::string text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (classOf(child) != "Static") continue;
        std::string part = textOf(child);
        if (part.empty()) continue;
        if (!text.empty()) text += "\n";
        text += part;
    }
    return text;
}

bool settle(HWND window, DWORD ms) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, ms, &result) != 0;
}

void press(HWND dialog, int id) {
    SendNotifyMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                       reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void setText(HWND dialog, int id, const std::string& text) {
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_SETTEXT, 0,
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL, 10000, nullptr);
}

void answer(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

std::vector<std::string> listRows(HWND list) {
    std::vector<std::string> rows;
    RemoteBlock block(list, sizeof(LVITEMA) + kTextBuffer);
    if (!block.ok()) return rows;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        LVITEMA item = {};
        item.iSubItem = 0;
        item.pszText = block.at(sizeof(LVITEMA));
        item.cchTextMax = static_cast<int>(kTextBuffer);
        char text[kTextBuffer] = {};
        block.write(0, &item, sizeof(item));
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(block.at(0)));
        block.read(sizeof(LVITEMA), text, kTextBuffer - 1);
        rows.emplace_back(text);
    }
    return rows;
}

int selectedRow(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

bool selectRow(HWND list, int row) {
    RemoteBlock block(list, sizeof(LVITEMA));
    if (!block.ok()) return false;
    LVITEMA item = {};
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    block.write(0, &item, sizeof(item));
    return SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(block.at(0))) != 0;
}

bool rowRect(HWND list, int row, RECT& rect) {
    RemoteBlock block(list, sizeof(RECT));
    if (!block.ok()) return false;
    RECT request = {};
    request.left = LVIR_LABEL;
    block.write(0, &request, sizeof(request));
    if (!SendMessageA(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                      reinterpret_cast<LPARAM>(block.at(0))))
        return false;
    return block.read(0, &rect, sizeof(rect));
}

}  // namespace remote
