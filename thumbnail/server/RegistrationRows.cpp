// Registration script keys to installer rows.
#include "RegistrationRows.h"

#include "RegistrationWalk.h"

namespace vistrel {

namespace {

bool addKey(RootKey root, const std::string& parent, const ScriptKey& key,
            std::vector<RegistrationRow>& rows, RowsProblem& problem) {
    const std::string path = parent.empty() ? key.name : parent + "\\" + key.name;
    const bool hasValues = key.hasDefault || !key.values.empty();
    // A protected name is never deleted by ForceRemove, so such a key is an ordinary one.
    const bool owned = key.marker == KeyMarker::kForceRemove && !isProtectedKeyName(key.name);
    if (key.marker == KeyMarker::kNoRemove) {
        if (hasValues) {
            problem = {path, "a NoRemove key with values: removing the package would take them"};
            return false;
        }
        if (key.subkeys.empty()) rows.push_back({RowKind::kKeyCreated, root, path, {}, {}});
    } else if (owned) {
        rows.push_back({RowKind::kKeyOwned, root, path, {}, {}});
    } else if (!hasValues && key.subkeys.empty()) {
        problem = {path, "an empty key that is neither NoRemove nor ForceRemove"};
        return false;
    }
    if (key.hasDefault) rows.push_back({RowKind::kValue, root, path, {}, key.defaultValue});
    for (const ScriptValue& value : key.values)
        rows.push_back({RowKind::kValue, root, path, value.name, value.data});
    for (const ScriptKey& sub : key.subkeys)
        if (!addKey(root, path, sub, rows, problem)) return false;
    return true;
}

}  // namespace

bool registrationRows(const std::vector<ScriptRoot>& roots, std::vector<RegistrationRow>& rows,
                      RowsProblem& problem) {
    rows.clear();
    for (const ScriptRoot& block : roots)
        for (const ScriptKey& key : block.keys)
            if (!addKey(block.root, std::string(), key, rows, problem)) return false;
    return true;
}

const char* rootName(RootKey root) {
    switch (root) {
        case RootKey::kClassesRoot: return "HKCR";
        case RootKey::kCurrentUser: return "HKCU";
        case RootKey::kLocalMachine: return "HKLM";
        case RootKey::kUsers: return "HKU";
    }
    return "HKCR";
}

}  // namespace vistrel
