// The walk over a registration script's key tree in both directions.
#include "RegistrationWalk.h"

#include <cctype>

namespace vistrel {

namespace {

bool sameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return i == a.size() && !b[i];
}

std::string join(const std::string& parent, const std::string& name) {
    return parent.empty() ? name : parent + "\\" + name;
}

WalkResult stopAt(RegistryStatus status, const std::string& key) {
    WalkResult r;
    r.status = status;
    r.key = key;
    return r;
}

WalkResult registerKey(RootKey root, const std::string& parent, const ScriptKey& key, RegistryTarget& registry) {
    const std::string path = join(parent, key.name);
    if (key.marker == KeyMarker::kForceRemove && !isProtectedKeyName(key.name)) {
        if (RegistryStatus s = registry.deleteTree(root, path)) return stopAt(s, path);
    }
    if (RegistryStatus s = registry.openOrCreate(root, path)) return stopAt(s, path);
    if (key.hasDefault) {
        if (RegistryStatus s = registry.setString(root, path, std::string(), key.defaultValue)) return stopAt(s, path);
    }
    for (const ScriptValue& v : key.values)
        if (RegistryStatus s = registry.setString(root, path, v.name, v.data)) return stopAt(s, path);
    for (const ScriptKey& sub : key.subkeys) {
        WalkResult r = registerKey(root, path, sub, registry);
        if (r.status != kRegistryOk) return r;
    }
    return WalkResult();
}

WalkResult unregisterKey(RootKey root, const std::string& parent, const ScriptKey& key, RegistryTarget& registry) {
    const std::string path = join(parent, key.name);
    if (!registry.exists(root, path)) return WalkResult();
    for (const ScriptValue& v : key.values)
        if (RegistryStatus s = registry.deleteValue(root, path, v.name)) return stopAt(s, path);
    for (const ScriptKey& sub : key.subkeys) {
        WalkResult r = unregisterKey(root, path, sub, registry);
        if (r.status != kRegistryOk) return r;
    }
    if (key.marker == KeyMarker::kNoRemove) return WalkResult();
    unsigned remaining = 0;
    if (RegistryStatus s = registry.countSubkeys(root, path, remaining)) return stopAt(s, path);
    if (remaining > 0) return WalkResult();  // other programs' keys live there too
    if (RegistryStatus s = registry.deleteKey(root, path)) return stopAt(s, path);
    return WalkResult();
}

WalkResult unregisterBlock(const ScriptRoot& block, RegistryTarget& registry) {
    for (const ScriptKey& key : block.keys) {
        WalkResult r = unregisterKey(block.root, std::string(), key, registry);
        if (r.status != kRegistryOk) return r;
    }
    return WalkResult();
}

}  // namespace

bool isProtectedKeyName(const std::string& name) {
    static const char* const kNames[] = {"AppID", "CLSID",    "Component Categories", "FileType",
                                         "Interface", "Hardware", "Mime", "SAM", "SECURITY",
                                         "SYSTEM", "Software", "TypeLib"};
    for (const char* n : kNames)
        if (sameName(name, n)) return true;
    return false;
}

WalkResult registerScript(const std::vector<ScriptRoot>& roots, RegistryTarget& registry) {
    for (const ScriptRoot& block : roots) {
        for (const ScriptKey& key : block.keys) {
            WalkResult r = registerKey(block.root, std::string(), key, registry);
            if (r.status != kRegistryOk) {
                unregisterBlock(block, registry);  // the first failure is the one reported
                return r;
            }
        }
    }
    return WalkResult();
}

WalkResult unregisterScript(const std::vector<ScriptRoot>& roots, RegistryTarget& registry) {
    for (const ScriptRoot& block : roots) {
        WalkResult r = unregisterBlock(block, registry);
        if (r.status != kRegistryOk) return r;
    }
    return WalkResult();
}

}  // namespace vistrel
