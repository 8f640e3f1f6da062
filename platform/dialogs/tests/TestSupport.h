// Helpers of the framework's window tests: a message-box recorder and a way to act inside
// a modal loop (a thread timer fires while the dialog runs).
#pragma once

#include "dialogs/MessageBox.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

struct ShownBox {
    std::string text, title;
    UINT type;
};

inline std::vector<ShownBox>& shownBoxes() {
    static std::vector<ShownBox> boxes;
    return boxes;
}

inline int recordBox(HWND, const std::string& text, const std::string& title, UINT type) {
    shownBoxes().push_back({text, title, type});
    return IDOK;
}

// Records message boxes instead of showing them, for the life of the object.
struct BoxRecorder {
    BoxRecorder() {
        shownBoxes().clear();
        dlg::setMessageBoxHook(recordBox);
    }
    ~BoxRecorder() { dlg::setMessageBoxHook(nullptr); }
};

// Runs `action` once from the thread's message loop, `delay` ms from now.
inline std::function<void()>& pendingAction() {
    static std::function<void()> pending;
    return pending;
}

inline void CALLBACK runPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> run = std::move(pendingAction());
    pendingAction() = nullptr;
    if (run) run();
}

inline void later(std::function<void()> action, UINT delay = 50) {
    pendingAction() = std::move(action);
    SetTimer(nullptr, 0, delay, runPending);
}

}  // namespace testing_support
