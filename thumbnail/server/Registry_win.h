// The real registry behind the registration walk: wide calls, UTF-8 names and texts
// converted at this edge. Each root can be redirected to a key of the caller's (tests
// write below a scratch key instead of the machine's classes).
#pragma once

#include <windows.h>

#include "RegistrationWalk.h"

namespace vistrel {

std::wstring wideFromUtf8(const std::string& text);
std::string utf8FromWide(const wchar_t* text, int length = -1);

class Win32Registry : public RegistryTarget {
public:
    Win32Registry() = default;
    // Writes what the script puts under `root` below `replacement` instead.
    void redirect(RootKey root, HKEY replacement);

    RegistryStatus openOrCreate(RootKey root, const std::string& path) override;
    bool exists(RootKey root, const std::string& path) override;
    RegistryStatus setString(RootKey root, const std::string& path, const std::string& name,
                             const std::string& data) override;
    RegistryStatus deleteValue(RootKey root, const std::string& path, const std::string& name) override;
    RegistryStatus deleteTree(RootKey root, const std::string& path) override;
    RegistryStatus deleteKey(RootKey root, const std::string& path) override;
    RegistryStatus countSubkeys(RootKey root, const std::string& path, unsigned& count) override;

private:
    HKEY handle(RootKey root) const;
    HKEY redirected_[4] = {};
};

}  // namespace vistrel
