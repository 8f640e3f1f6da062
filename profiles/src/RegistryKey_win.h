// A registry key handle that closes itself, and the store's string reading rule.
#pragma once

#include "dialogs/Registry.h"

#include <windows.h>

#include <string>

namespace profiles {

// Every open and create of the root and of profile keys asks for these rights.
constexpr REGSAM kKeyRights = KEY_READ | KEY_SET_VALUE | KEY_CREATE_SUB_KEY;

class RegistryKey {
public:
    RegistryKey() = default;
    ~RegistryKey() { close(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    LONG open(HKEY parent, const std::string& path) {
        close();
        return RegOpenKeyExA(parent, path.c_str(), 0, kKeyRights, &key_);
    }
    LONG create(HKEY parent, const std::string& path) {
        close();
        return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                               kKeyRights, nullptr, &key_, nullptr);
    }
    void close() {
        if (key_) RegCloseKey(key_);
        key_ = nullptr;
    }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// The store reads strings by the suite's rule.
using dlg::readStringValue;

// Deletes `name` below `parent` with everything under it.
LONG deleteKeyTree(HKEY parent, const std::string& name);

// Comparison of key names the way the registry compares them (without regard to case).
bool sameKeyName(const std::string& a, const std::string& b);

}  // namespace profiles
