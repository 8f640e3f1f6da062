// The profile store on the registry: product paths, the root, listing, the current-profile
// marker, descriptions, creation and removal, and completing root paths.
#include "RegistryKey_win.h"
#include "dialogs/ModuleState.h"
#include "profiles/ProfileStore.h"
#include "profiles/RootPath.h"

#include <vector>

namespace profiles {
namespace {

constexpr DWORD kNameBuffer = 260;
constexpr DWORD kCurrentBuffer = 260;
constexpr DWORD kDescriptionBuffer = 1024;
constexpr DWORD kChildNameBuffer = 256;
constexpr DWORD kLanguageBuffer = 5;

const char kProductKey[] = "Software\\Oremund\\Kivra 2013\\";
constexpr UINT kIdsRootPrefix = 121;
constexpr UINT kIdsRootSuffix = 122;

std::wstring wide(const std::string& text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring result(n, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &result[0], n);
    return result;
}

}  // namespace

LONG deleteKeyTree(HKEY parent, const std::string& name) {
    RegistryKey key;
    LONG status = key.open(parent, name);
    if (status != ERROR_SUCCESS) return status;
    for (;;) {
        char child[kChildNameBuffer];
        DWORD length = kChildNameBuffer;
        if (RegEnumKeyExA(key.get(), 0, child, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        status = deleteKeyTree(key.get(), child);
        if (status != ERROR_SUCCESS) return status;
    }
    key.close();
    return RegDeleteKeyA(parent, name.c_str());
}

bool sameKeyName(const std::string& a, const std::string& b) {
    std::wstring wa = wide(a), wb = wide(b);
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(),
                                static_cast<int>(wb.size()), TRUE) == CSTR_EQUAL;
}

bool sameProfileName(const std::string& a, const std::string& b) { return sameKeyName(a, b); }

std::string languageCode() {
    RegistryKey key;
    std::string code;
    if (key.open(HKEY_CURRENT_USER, kProductKey) != ERROR_SUCCESS ||
        readStringValue(key.get(), "CURLANG", kLanguageBuffer, code) != ERROR_SUCCESS ||
        code.empty())
        return "ENU";
    return code;
}

std::string productKeyPath(bool withLanguage) {
    std::string path = kProductKey;
    if (withLanguage) path += languageCode();
    return path;
}

std::string rootPrefix() { return dlg::loadString(kIdsRootPrefix); }
std::string rootSuffix() { return dlg::loadString(kIdsRootSuffix); }

ProfileStore::ProfileStore(const std::string& root) { setRoot(root); }

bool ProfileStore::setRoot(const std::string& root) {
    if (root.empty()) return false;
    RegistryKey key;
    if (key.open(HKEY_CURRENT_USER, root) != ERROR_SUCCESS) return false;
    root_ = root;
    return true;
}

bool ProfileStore::rootUsable() const {
    RegistryKey key;
    return !root_.empty() && key.open(HKEY_CURRENT_USER, root_) == ERROR_SUCCESS;
}

namespace {

// Create-or-open of the root; fails for an empty root path.
bool openRoot(const std::string& root, RegistryKey& key) {
    return !root.empty() && key.create(HKEY_CURRENT_USER, root) == ERROR_SUCCESS;
}

// Opens a profile key; a name that is no single key name never opens, so no operation can
// reach the root itself or a key below another profile.
bool openProfile(const RegistryKey& rootKey, const std::string& name, RegistryKey& key) {
    return isProfileName(name) && key.open(rootKey.get(), name) == ERROR_SUCCESS;
}

}  // namespace

bool ProfileStore::list(std::vector<std::string>& names) const {
    names.clear();
    RegistryKey rootKey;
    if (!openRoot(root_, rootKey)) return false;
    for (DWORD index = 0;; ++index) {
        char name[kNameBuffer];
        DWORD length = kNameBuffer;
        if (RegEnumKeyExA(rootKey.get(), index, name, &length, nullptr, nullptr, nullptr,
                          nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return true;
}

bool ProfileStore::exists(const std::string& name) const {
    RegistryKey rootKey, profile;
    return openRoot(root_, rootKey) && openProfile(rootKey, name, profile);
}

bool ProfileStore::current(std::string& name) const {
    RegistryKey rootKey;
    std::string value;
    if (!openRoot(root_, rootKey) ||
        readStringValue(rootKey.get(), nullptr, kCurrentBuffer, value) != ERROR_SUCCESS ||
        value.empty())
        return false;
    name = value;
    return true;
}

bool ProfileStore::setCurrent(const std::string& name) {
    RegistryKey rootKey;
    if (!openRoot(root_, rootKey) || !exists(name)) return false;
    return RegSetValueExA(rootKey.get(), nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(name.c_str()),
                          static_cast<DWORD>(name.size() + 1)) == ERROR_SUCCESS;
}

bool ProfileStore::description(const std::string& name, std::string& text) const {
    text.clear();
    RegistryKey rootKey, profile;
    if (!openRoot(root_, rootKey) || !openProfile(rootKey, name, profile)) return false;
    readStringValue(profile.get(), nullptr, kDescriptionBuffer, text);
    return true;
}

bool ProfileStore::setDescription(const std::string& name, const std::string& text) {
    RegistryKey rootKey, profile;
    if (!openRoot(root_, rootKey) || !openProfile(rootKey, name, profile)) return false;
    return RegSetValueExA(profile.get(), nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool ProfileStore::remove(const std::string& name) {
    RegistryKey rootKey;
    std::string currentName;
    if (!openRoot(root_, rootKey) || !exists(name) || !current(currentName) ||
        sameKeyName(currentName, name))
        return false;
    return deleteKeyTree(rootKey.get(), name) == ERROR_SUCCESS;
}

bool ProfileStore::create(const std::string& name, const std::optional<std::string>& description) {
    RegistryKey rootKey, profile;
    if (!openRoot(root_, rootKey) || !isProfileName(name)) return false;
    if (exists(name) && !remove(name)) return false;
    if (profile.create(rootKey.get(), name) != ERROR_SUCCESS) return false;
    profile.close();
    return description ? setDescription(name, *description) : true;
}

bool ProfileStore::normaliseRoot(const std::string& candidate, std::string& full) {
    full.clear();
    if (candidate.empty()) return false;
    std::string path = completeRoot(candidate, rootPrefix(), rootSuffix());
    RegistryKey key;
    // An empty path would open the hive itself.
    if (path.empty() || key.open(HKEY_CURRENT_USER, path) != ERROR_SUCCESS) return false;
    full = path;
    return true;
}

bool ProfileStore::shortRoot(const std::string& path, std::string& shortPath) {
    if (!normaliseRoot(path, shortPath)) return false;
    shortPath = shortenRoot(shortPath, rootPrefix(), rootSuffix());
    return true;
}

}  // namespace profiles
