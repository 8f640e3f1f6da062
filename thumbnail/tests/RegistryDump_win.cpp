// Reading registry trees into plain data for comparisons.
#include "RegistryDump_win.h"

#include <vector>

namespace {
std::string narrowText(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}
}  // namespace

void dumpKey(HKEY root, const std::wstring& path, RegistryDump& dump, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return;
    RegistryValues& values = dump[path];
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256, type = 0, bytes = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS) break;
        std::vector<BYTE> data(bytes + sizeof(wchar_t), 0);
        nameLength = 256;
        RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data.data(), &bytes);
        std::wstring text = type == REG_SZ ? std::wstring(reinterpret_cast<const wchar_t*>(data.data()))
                                           : L"(" + std::to_wstring(bytes) + L" bytes)";
        values[std::wstring(name, nameLength)] = (type == REG_SZ ? L"sz:" : L"type " + std::to_wstring(type) + L":") + text;
    }
    std::vector<std::wstring> subkeys;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLength = 256;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.emplace_back(name, nameLength);
    }
    RegCloseKey(key);
    for (const std::wstring& sub : subkeys) dumpKey(root, path + L"\\" + sub, dump, view);
}

bool keyExists(HKEY root, const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring stringValue(HKEY root, const std::wstring& path, const std::wstring& name, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return L"<none>";
    wchar_t data[2048] = L"";
    DWORD bytes = sizeof data - sizeof(wchar_t), type = 0;
    const LONG s = RegQueryValueExW(key, name.empty() ? nullptr : name.c_str(), nullptr, &type,
                                    reinterpret_cast<BYTE*>(data), &bytes);
    RegCloseKey(key);
    return s == ERROR_SUCCESS && type == REG_SZ ? std::wstring(data) : L"<none>";
}

std::string describe(const RegistryDump& dump) {
    std::string out;
    for (const auto& key : dump) {
        out += "[" + narrowText(key.first) + "]\n";
        for (const auto& v : key.second) out += "  " + narrowText(v.first.empty() ? L"@" : v.first) + " = " + narrowText(v.second) + "\n";
    }
    return out;
}
