// Helpers of the profile manager's in-process dialog tests: acting inside a modal loop, and
// the colour and font a link control shows.
#pragma once

#include "dialogs/Dialog.h"

#include <windows.h>

#include <functional>

namespace testing_support {

// Runs `action` once from the thread's message loop `delay` ms from now (inside whatever
// modal loop is running then).
inline std::function<void()>& pendingAction() {
    static std::function<void()> pending;
    return pending;
}

inline void CALLBACK runPendingAction(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> run = std::move(pendingAction());
    pendingAction() = nullptr;
    if (run) run();
}

inline void later(std::function<void()> action, UINT delay = 50) {
    pendingAction() = std::move(action);
    SetTimer(nullptr, 0, delay, runPendingAction);
}

inline void clickButton(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(GetDlgItem(dialog, id)));
}

// The dialog object of type T among the thread's windows, or null.
template <class T>
T* findThreadDialog() {
    struct Search {
        T* found = nullptr;
        static BOOL CALLBACK visit(HWND hwnd, LPARAM l) {
            auto* search = reinterpret_cast<Search*>(l);
            search->found = dynamic_cast<T*>(dlg::Dialog::fromHandle(hwnd));
            return search->found ? FALSE : TRUE;
        }
    } search;
    EnumThreadWindows(GetCurrentThreadId(), Search::visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace testing_support
