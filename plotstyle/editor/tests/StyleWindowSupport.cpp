// Window test support of the style commands and lineweight editing.
#include "StyleWindowSupport.h"

#include "dialogs/Screenshot.h"

#include <commctrl.h>

#include <functional>

namespace editor_test {
namespace {

struct Found {
    const char* className;
    const char* caption;
    HWND window = nullptr;
};

BOOL CALLBACK findOwn(HWND window, LPARAM data) {
    auto& f = *reinterpret_cast<Found*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    char text[256] = {};
    if (f.className) {
        GetClassNameA(window, text, sizeof text);
        if (lstrcmpA(text, f.className) != 0) return TRUE;
    }
    if (f.caption) {
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, f.caption) != 0) return TRUE;
    }
    f.window = window;
    return FALSE;
}

// A top-level window of this process (other test programs share the display).
HWND ownWindow(const char* className, const char* caption) {
    Found f{className, caption};
    EnumWindows(findOwn, reinterpret_cast<LPARAM>(&f));
    return f.window;
}

// Runs an action once a window of this process appears, polled by a thread timer (so from
// inside modal loops too). At most one at a time.
struct WindowWatch {
    const char* className = nullptr;
    const char* caption = nullptr;
    std::function<void(HWND)> action;
    UINT_PTR timer = 0;
    bool ran = false;
};

WindowWatch& watch() {
    static WindowWatch w;
    return w;
}

void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD) {
    WindowWatch& w = watch();
    HWND window = ownWindow(w.className, w.caption);
    if (!window || w.ran) return;
    KillTimer(nullptr, w.timer);
    w.timer = 0;
    w.ran = true;
    std::function<void(HWND)> action = std::move(w.action);
    w.action = nullptr;
    if (action) action(window);
}

void startWatch(const char* className, const char* caption, std::function<void(HWND)> action) {
    WindowWatch& w = watch();
    if (w.timer) KillTimer(nullptr, w.timer);
    w.className = className;
    w.caption = caption;
    w.action = std::move(action);
    w.ran = false;
    w.timer = SetTimer(nullptr, 0, 30, poll);
}

// Stops watching; true when the action ran.
bool stopWatch() {
    WindowWatch& w = watch();
    if (w.timer) KillTimer(nullptr, w.timer);
    w.timer = 0;
    w.action = nullptr;
    return w.ran;
}

}  // namespace

MenuOffer rightClickMenu(HWND list) {
    MenuOffer offer;
    const int first = int(SendMessageA(list, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
    RECT r = {};
    POINT at = {};
    if (first >= 0) {
        r.left = LVIR_LABEL;
        SendMessageA(list, LVM_GETITEMRECT, WPARAM(first), LPARAM(&r));
        at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    } else {
        GetClientRect(list, &r);
        at = {r.right / 2, r.bottom - 4};
    }
    POINT screen = at;
    ClientToScreen(list, &screen);
    SetCursorPos(screen.x, screen.y);
    startWatch("#32768", nullptr, [&offer](HWND menuWindow) {
        HMENU menu = HMENU(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
        for (int id = IDM_CUT_STYLE; menu && id <= IDM_RENAME_STYLE; ++id) {
            const UINT state = GetMenuState(menu, UINT(id), MF_BYCOMMAND);
            if (state != UINT(-1)) offer[id] = (state & (MF_GRAYED | MF_DISABLED)) == 0;
        }
        EndMenu();
    });
    // The list ends its click tracking at the button's release, then tells its dialog.
    PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
    for (int i = 0; i < 40 && !watch().ran; ++i) dlg::pumpMessages(25);
    stopWatch();
    dlg::pumpMessages();
    return offer;
}

HWND labelEditor(HWND list) {
    return HWND(SendMessageA(list, LVM_GETEDITCONTROL, 0, 0));
}

void finishLabelEdit(HWND edit, const std::string& text) {
    SetWindowTextA(edit, text.c_str());
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    dlg::pumpMessages();
}

void stopWatching() {
    stopWatch();
}

std::shared_ptr<NameDialogSeen> answerNameDialog(std::vector<std::string> typed, bool ok) {
    auto shared = std::make_shared<NameDialogSeen>();
    startWatch(nullptr, "New Plot Style", [shared, typed, ok](HWND dialog) {
        NameDialogSeen& seen = *shared;
        seen.opened = true;
        char text[512] = {};
        GetDlgItemTextA(dialog, IDC_STYLE_NAME, text, sizeof text);
        seen.proposed = text;
        for (const std::string& t : typed) SetDlgItemTextA(dialog, IDC_STYLE_NAME, t.c_str());
        GetDlgItemTextA(dialog, IDC_STYLE_NAME_MESSAGE, text, sizeof text);
        seen.message = text;
        seen.okEnabled = IsWindowEnabled(GetDlgItem(dialog, IDOK)) != FALSE;
        if (ok) SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(dialog, IDOK)));
        // A refused OK leaves the dialog shown (an ended one is hidden until its loop ends):
        // cancel it so the test goes on.
        if (IsWindowVisible(dialog))
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                         LPARAM(GetDlgItem(dialog, IDCANCEL)));
    });
    return shared;
}

bool waitPumping(HANDLE handle, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds) return false;
        const DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, milliseconds - spent, QS_ALLINPUT);
        if (r == WAIT_OBJECT_0) return true;
        if (r != WAIT_OBJECT_0 + 1) return false;
        dlg::pumpMessages();
    }
}

TestEvent::TestEvent(const std::string& role) {
    static int counter = 0;
    name_ = "KivraStyleTest-" + role + "-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    handle_ = CreateEventA(nullptr, TRUE, FALSE, name_.c_str());
}

TestEvent::~TestEvent() {
    if (handle_) CloseHandle(handle_);
}

PeerProcess::PeerProcess(const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!CreatePipe(&output_read_, &write, &inherit, 0)) return;
    SetHandleInformation(output_read_, HANDLE_FLAG_INHERIT, 0);
    const std::string program = programFolder() + "style-clipboard-peer.exe";
    std::string command = "\"" + program + "\" " + arguments;
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = write;
    start.hStdError = write;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                       &start, &info)) {
        process_ = info.hProcess;
        CloseHandle(info.hThread);
    }
    CloseHandle(write);
}

PeerProcess::~PeerProcess() {
    if (process_) {
        if (finish() < 0) TerminateProcess(process_, 1);
        CloseHandle(process_);
    }
    if (output_read_) CloseHandle(output_read_);
}

int PeerProcess::finish(DWORD milliseconds) {
    if (!process_) return -1;
    const DWORD start = GetTickCount();
    bool ended = false;
    while (GetTickCount() - start < milliseconds) {
        DWORD available = 0;
        if (PeekNamedPipe(output_read_, nullptr, 0, nullptr, &available, nullptr) && available) {
            std::string chunk(available, '\0');
            DWORD got = 0;
            if (ReadFile(output_read_, &chunk[0], available, &got, nullptr)) output_.append(chunk, 0, got);
            continue;
        }
        if (ended) break;  // the pipe is drained after the end
        ended = waitPumping(process_, 50);
    }
    DWORD code = 0;
    if (!ended || !GetExitCodeProcess(process_, &code)) return -1;
    return int(code);
}

}  // namespace editor_test
