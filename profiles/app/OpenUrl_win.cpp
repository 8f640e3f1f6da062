// Opening addresses, with the ".htm" handler as fallback.
#include "OpenUrl_win.h"

#include "LinkRules.h"
#include "dialogs/MessageBox.h"

#include <shellapi.h>

#include <vector>

namespace profiles {
namespace {

// The default value of HKEY_CLASSES_ROOT\`path`, read whatever its length.
bool readClassesDefault(const std::string& path, std::string& text) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD type = 0, size = 0;
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size);
    std::vector<char> data;
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        data.assign(size + 1, '\0');
        DWORD got = size;
        status = RegQueryValueExA(key, nullptr, nullptr, &type,
                                  reinterpret_cast<BYTE*>(data.data()), &got);
        if (status == ERROR_SUCCESS) {
            size = got;
            break;
        }
        if (status == ERROR_MORE_DATA) size = got;  // it grew meanwhile
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
    text.assign(data.data());
    return true;
}

}  // namespace

int openUrl(const std::string& address, int show) {
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    // The shell shows no box of its own: ours follows when the fallback fails too.
    info.fMask = SEE_MASK_FLAG_NO_UI;
    info.lpVerb = "open";
    info.lpFile = address.c_str();
    info.nShow = show;
    ShellExecuteExA(&info);
    const int result = static_cast<int>(reinterpret_cast<INT_PTR>(info.hInstApp));
    if (result > 32) return result;

    std::string pageClass, command;
    if (!readClassesDefault(".htm", pageClass) ||
        !readClassesDefault(pageClass + "\\shell\\open\\command", command))
        return result;
    const std::string line = addressCommandLine(command, address);
    return static_cast<int>(WinExec(line.c_str(), static_cast<UINT>(show)));
}

void showLinkError(HWND owner, int result) {
    dlg::messageBox(linkErrorMessage(result), MB_OK | MB_ICONEXCLAMATION, owner);
}

}  // namespace profiles
