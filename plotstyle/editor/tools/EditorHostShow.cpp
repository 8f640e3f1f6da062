// Pictures of the style list's menu, the lineweight dialog and the style name dialog.
#include "EditorHostShow.h"

#include "FormViewPage.h"
#include "QuellonIds.h"

#include "dialogs/Screenshot.h"

#include <commctrl.h>

#include <algorithm>

namespace editor_host {
namespace {

// The window being waited for, polled by a thread timer from inside its modal loop.
struct Shot {
    const char* className = nullptr;
    const char* caption = nullptr;
    HWND picture = nullptr;  // what is photographed; null: the window waited for
    std::string png;
    DWORD hold = 0;
    DWORD foundAt = 0;
    HWND found = nullptr;
    bool saved = false;
    bool done = false;
};

Shot& shot() {
    static Shot s;
    return s;
}

struct Search {
    const Shot* shot;
    HWND window;
};

BOOL CALLBACK findOwn(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
    char text[256] = {};
    if (search.shot->className) {
        GetClassNameA(window, text, sizeof text);
        if (lstrcmpA(text, search.shot->className) != 0) return TRUE;
    }
    if (search.shot->caption) {
        GetWindowTextA(window, text, sizeof text);
        if (lstrcmpA(text, search.shot->caption) != 0) return TRUE;
    }
    search.window = window;
    return FALSE;
}

void CALLBACK poll(HWND, UINT, UINT_PTR timer, DWORD) {
    Shot& s = shot();
    if (!s.found) {
        Search search{&s, nullptr};
        EnumWindows(findOwn, reinterpret_cast<LPARAM>(&search));
        if (!search.window) return;
        s.found = search.window;
        s.foundAt = GetTickCount();
        return;
    }
    if (GetTickCount() - s.foundAt < s.hold) return;
    KillTimer(nullptr, timer);
    dlg::RgbImage image;
    // A dialog alone by its client area: without a window manager nothing draws its frame.
    const bool saved = s.picture ? dlg::captureWindow(s.picture, image)
                                 : dlg::captureWindow(s.found, image, true);
    s.saved = saved && dlg::writePng(image, s.png);
    s.done = true;
    if (s.className)
        EndMenu();
    else
        PostMessageA(s.found, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

bool showAndCapture(quellon::TableEditorDialog& editor, const std::string& what,
                    const std::string& png, DWORD hold, std::string& error) {
    quellon::FormViewPage& page = *editor.formViewPage();
    Shot& s = shot();
    s = Shot();
    s.png = png;
    s.hold = hold;
    UINT_PTR timer = SetTimer(nullptr, 0, 50, poll);
    if (what == "menu") {
        // A right click on the first selected style, as a user opens it.
        s.className = "#32768";
        s.picture = editor.hwnd();
        HWND list = page.list().hwnd();
        RECT r = {};
        r.left = LVIR_LABEL;
        const int item = std::max(0, page.list().firstSelected());
        SendMessageA(list, LVM_GETITEMRECT, WPARAM(item), LPARAM(&r));
        POINT at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
        POINT screen = at;
        ClientToScreen(list, &screen);
        SetCursorPos(screen.x, screen.y);
        PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        SendMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(at.x, at.y));
        for (int i = 0; i < 100 && !s.done; ++i) dlg::pumpMessages(20);
    } else if (what == "lineweights" || what == "name") {
        s.caption = what == "name" ? "New Plot Style" : "Edit Lineweights";
        const int button = what == "name" ? IDC_ADD_STYLE : IDC_EDIT_LINEWEIGHTS;
        if (!IsWindowEnabled(page.item(button))) {
            error = "the button that opens it is disabled for this table";
        } else {
            SendMessageA(page.item(button), BM_CLICK, 0, 0);  // returns when the dialog closed
        }
    } else {
        error = "unknown window: " + what + " (menu, lineweights or name)";
    }
    if (!s.done) KillTimer(nullptr, timer);
    if (error.empty() && !s.done) error = "the " + what + " window did not open";
    if (error.empty() && !s.saved) error = "the picture could not be saved";
    return error.empty();
}

}  // namespace editor_host
