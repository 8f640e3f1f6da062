// Scratch registry keys and folders for the editor's Windows tests.
#include "ScratchRegistry.h"

#include <shellapi.h>

#include <stdexcept>
#include <vector>

ScratchRegistry::ScratchRegistry() {
    base_ = "Software\\KivraTests\\" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    if (RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\HKCU").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &user_, nullptr) != ERROR_SUCCESS ||
        RegCreateKeyExA(HKEY_CURRENT_USER, (base_ + "\\HKLM").c_str(), 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &machine_, nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("no scratch key");
    RegOverridePredefKey(HKEY_CURRENT_USER, user_);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, machine_);
}

ScratchRegistry::~ScratchRegistry() {
    RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
    RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    RegCloseKey(user_);
    RegCloseKey(machine_);
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
}

void ScratchRegistry::createKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) == ERROR_SUCCESS)
        RegCloseKey(key);
}

void ScratchRegistry::setString(HKEY root, const std::string& path, const char* name,
                                const std::string& value, DWORD type) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot create " + path);
    RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   DWORD(value.size() + 1));
    RegCloseKey(key);
}

ScratchFolder::ScratchFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    path_ = std::string(temp) + "kivra-test-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial) + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() {
    std::string from = path_.substr(0, path_.size() - 1);
    from.push_back('\0');
    from.push_back('\0');
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = from.c_str();
    op.fFlags = FOF_NO_UI;
    SHFileOperationA(&op);
}

std::string ScratchFolder::makeDirs(const std::string& relative) const {
    std::string path = path_;
    for (char c : relative) {
        path.push_back(c);
        if (c == '\\') CreateDirectoryA(path.c_str(), nullptr);
    }
    return path;
}

std::string windowsPath(const std::string& unixPath) {
    std::string out = "Z:" + unixPath;
    for (char& c : out)
        if (c == '/') c = '\\';
    return out;
}
