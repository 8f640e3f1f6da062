// The error box that shows a system error text, used when a program cannot be started.
#include "dialogs/MessageBox.h"
#include "profiles/ProfileStore.h"

#include <windows.h>

namespace profiles {

void showSystemError(unsigned long error, const char* prefix) {
    std::string text = prefix ? prefix : "";
    char* message = nullptr;
    DWORD length = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT),
        reinterpret_cast<char*>(&message), 0, nullptr);
    if (length > 0 && message) {
        text.append(message, length);
    } else {
        text += "\n<No system message defined>";
    }
    if (message) LocalFree(message);
    dlg::messageBox(text, MB_OK);
}

}  // namespace profiles
