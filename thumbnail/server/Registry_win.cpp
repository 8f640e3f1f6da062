// Registry operations of the registration walk. Keys are opened and closed within each
// operation; a missing key or value reads as "nothing to do" where the walk allows it.
#include "Registry_win.h"

namespace vistrel {

namespace {

class Key {
public:
    Key() = default;
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* out() { return &key_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

bool isMissing(LONG status) { return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND; }

}  // namespace

std::wstring wideFromUtf8(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

std::string utf8FromWide(const wchar_t* text, int length) {
    if (!text || length == 0 || (length < 0 && !*text)) return std::string();
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], n, nullptr, nullptr);
    if (length < 0 && !out.empty()) out.pop_back();  // the converted NUL
    return out;
}

void Win32Registry::redirect(RootKey root, HKEY replacement) { redirected_[static_cast<int>(root)] = replacement; }

HKEY Win32Registry::handle(RootKey root) const {
    if (HKEY r = redirected_[static_cast<int>(root)]) return r;
    switch (root) {
    case RootKey::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RootKey::kCurrentUser: return HKEY_CURRENT_USER;
    case RootKey::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RootKey::kUsers: return HKEY_USERS;
    }
    return HKEY_CLASSES_ROOT;
}

RegistryStatus Win32Registry::openOrCreate(RootKey root, const std::string& path) {
    const std::wstring wide = wideFromUtf8(path);
    Key key;
    if (RegOpenKeyExW(handle(root), wide.c_str(), 0, KEY_READ | KEY_WRITE, key.out()) == ERROR_SUCCESS) return kRegistryOk;
    Key readOnly;
    if (RegOpenKeyExW(handle(root), wide.c_str(), 0, KEY_READ, readOnly.out()) == ERROR_SUCCESS) return kRegistryOk;
    Key created;
    return RegCreateKeyExW(handle(root), wide.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                           nullptr, created.out(), nullptr);
}

bool Win32Registry::exists(RootKey root, const std::string& path) {
    Key key;
    return RegOpenKeyExW(handle(root), wideFromUtf8(path).c_str(), 0, KEY_READ, key.out()) == ERROR_SUCCESS;
}

RegistryStatus Win32Registry::setString(RootKey root, const std::string& path, const std::string& name,
                                        const std::string& data) {
    Key key;
    LONG s = RegOpenKeyExW(handle(root), wideFromUtf8(path).c_str(), 0, KEY_SET_VALUE, key.out());
    if (s != ERROR_SUCCESS) return s;
    const std::wstring text = wideFromUtf8(data);
    const std::wstring valueName = wideFromUtf8(name);
    return RegSetValueExW(key.get(), name.empty() ? nullptr : valueName.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

RegistryStatus Win32Registry::deleteValue(RootKey root, const std::string& path, const std::string& name) {
    Key key;
    LONG s = RegOpenKeyExW(handle(root), wideFromUtf8(path).c_str(), 0, KEY_SET_VALUE, key.out());
    if (s != ERROR_SUCCESS) return isMissing(s) ? kRegistryOk : s;
    const std::wstring valueName = wideFromUtf8(name);
    s = RegDeleteValueW(key.get(), name.empty() ? nullptr : valueName.c_str());
    return isMissing(s) ? kRegistryOk : s;
}

RegistryStatus Win32Registry::deleteTree(RootKey root, const std::string& path) {
    if (!exists(root, path)) return kRegistryOk;
    LONG s = RegDeleteTreeW(handle(root), wideFromUtf8(path).c_str());
    if (s != ERROR_SUCCESS) return isMissing(s) ? kRegistryOk : s;
    // The key itself as well, where RegDeleteTree left it.
    s = RegDeleteKeyW(handle(root), wideFromUtf8(path).c_str());
    return isMissing(s) ? kRegistryOk : s;
}

RegistryStatus Win32Registry::deleteKey(RootKey root, const std::string& path) {
    return RegDeleteKeyW(handle(root), wideFromUtf8(path).c_str());
}

RegistryStatus Win32Registry::countSubkeys(RootKey root, const std::string& path, unsigned& count) {
    Key key;
    LONG s = RegOpenKeyExW(handle(root), wideFromUtf8(path).c_str(), 0, KEY_READ, key.out());
    if (s != ERROR_SUCCESS) return s;
    DWORD subkeys = 0;
    s = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr);
    count = subkeys;
    return s;
}

}  // namespace vistrel
