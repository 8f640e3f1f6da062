// Reading and writing the recent roots list with the store's string reading rule.
#include "RecentRootsRegistry_win.h"

#include "RecentRoots.h"
#include "RegistryKey_win.h"
#include "RostelleIds.h"
#include "dialogs/ModuleState.h"

namespace profiles {
namespace {

constexpr DWORD kRootBuffer = 260;

class RegistryRecentRootsKey : public RecentRootsKey {
public:
    explicit RegistryRecentRootsKey(HKEY key) : key_(key) {}

    bool write(const std::string& name, const std::string& text) override {
        return RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
    }
    bool read(const std::string& name, std::string& text) const override {
        return readStringValue(key_, name.c_str(), kRootBuffer, text) == ERROR_SUCCESS;
    }
    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        for (DWORD i = 0;; ++i) {
            char name[16384];
            DWORD length = sizeof(name);
            if (RegEnumValueA(key_, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        return names;
    }
    void removeValue(const std::string& name) override { RegDeleteValueA(key_, name.c_str()); }

private:
    HKEY key_;
};

}  // namespace

std::string recentRootsKeyPath() { return dlg::loadString(IDS_RECENT_ROOTS_KEY); }

std::vector<std::string> readRecentRoots(const std::string& keyPath) {
    RegistryKey key;
    if (keyPath.empty() || key.open(HKEY_CURRENT_USER, keyPath) != ERROR_SUCCESS) return {};
    return loadRecentRoots(RegistryRecentRootsKey(key.get()));
}

bool writeRecentRoots(const std::string& keyPath, const std::vector<std::string>& roots) {
    RegistryKey key;
    if (keyPath.empty() || key.create(HKEY_CURRENT_USER, keyPath) != ERROR_SUCCESS) return false;
    RegistryRecentRootsKey recent(key.get());
    return saveRecentRoots(recent, roots);
}

}  // namespace profiles
