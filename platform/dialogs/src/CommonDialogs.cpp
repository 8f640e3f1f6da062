// File and colour dialogs.
#include "dialogs/CommonDialogs.h"

#include <commdlg.h>

#include <vector>

namespace dlg {

std::string systemFilter(const std::string& filter) {
    std::string out = filter;
    for (char& c : out)
        if (c == '|') c = '\0';
    // The list ends with two NULs whether or not the text closed with "||".
    out.push_back('\0');
    out.push_back('\0');
    return out;
}

bool FileDialog::run() {
    std::vector<char> buffer(32768, '\0');
    fileName.copy(buffer.data(), buffer.size() - 1);
    const std::string filterText = systemFilter(filter);
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.lpstrFilter = filter.empty() ? nullptr : filterText.c_str();
    request.lpstrFile = buffer.data();
    request.nMaxFile = DWORD(buffer.size());
    request.lpstrDefExt = defaultExtension.empty() ? nullptr : defaultExtension.c_str();
    request.Flags = flags | OFN_EXPLORER | OFN_NOCHANGEDIR;
    const BOOL ok = open ? GetOpenFileNameA(&request) : GetSaveFileNameA(&request);
    if (!ok) return false;
    fileName = buffer.data();
    return true;
}

bool ColorDialog::run() {
    static COLORREF custom[16] = {};
    CHOOSECOLORA request = {};
    request.lStructSize = sizeof(request);
    request.hwndOwner = owner;
    request.rgbResult = color;
    request.lpCustColors = custom;
    request.Flags = (fullOpen ? CC_FULLOPEN : 0) | (startWithColor ? CC_RGBINIT : 0) | CC_ANYCOLOR;
    if (!ChooseColorA(&request)) return false;
    color = request.rgbResult;
    return true;
}

}  // namespace dlg
