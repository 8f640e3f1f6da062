// Registry string reading.
#include "Registry_win.h"

#include <vector>

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
    std::vector<char> buffer(bufferBytes, '\0');
    DWORD type = 0, size = bufferBytes;
    const LONG status =
        RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size);
    RegCloseKey(key);
    if (status == ERROR_FILE_NOT_FOUND) return ReadResult::NoValue;
    if (status != ERROR_SUCCESS || size == 0 || size > bufferBytes) return ReadResult::Bad;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ) return ReadResult::Bad;
    if (buffer[size - 1] != '\0') return ReadResult::Bad;
    if (type == REG_MULTI_SZ && (size < 2 || buffer[size - 2] != '\0')) return ReadResult::Bad;
    text.assign(buffer.data());
    return ReadResult::Read;
}

}  // namespace quellon
