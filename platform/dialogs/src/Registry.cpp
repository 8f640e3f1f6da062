// Reading a registry string by the suite's rule.
#include "dialogs/Registry.h"

#include <vector>

namespace dlg {

LONG readStringValue(HKEY key, const char* valueName, DWORD bufferSize, std::string& text) {
    std::vector<char> buffer(bufferSize);
    DWORD type = 0;
    DWORD size = bufferSize;
    LONG status = RegQueryValueExA(key, valueName, nullptr, &type,
                                   reinterpret_cast<BYTE*>(buffer.data()), &size);
    if (status != ERROR_SUCCESS) return status;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return ERROR_INVALID_DATA;
    if (size == 0 || size > bufferSize || buffer[size - 1] != '\0') return ERROR_INVALID_DATA;
    if (type == REG_MULTI_SZ && (size < 2 || buffer[size - 2] != '\0')) return ERROR_INVALID_DATA;
    text.assign(buffer.data());
    return ERROR_SUCCESS;
}

}  // namespace dlg
