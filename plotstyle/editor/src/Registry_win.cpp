// Registry string reading.
#include "Registry_win.h"

#include "dialogs/Registry.h"

namespace quellon {

bool registryKeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

ReadResult readRegistryString(HKEY root, const std::string& path, const char* name,
                              std::string& text, DWORD bufferBytes) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return ReadResult::NoKey;
    const LONG status = dlg::readStringValue(key, name, bufferBytes, text);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS) return ReadResult::Read;
    return status == ERROR_FILE_NOT_FOUND ? ReadResult::NoValue : ReadResult::Bad;
}

}  // namespace quellon
