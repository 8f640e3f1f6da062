// Writing a registration script's keys into the registry and taking them out again. The
// registry is reached through RegistryTarget, so the rules of the walk (markers, protected
// names, the roll-back of a failed registration, keys shared with other programs) are
// plain C++ and tested against a registry in memory; Registry_win.h is the real one.
#pragma once

#include <string>
#include <vector>

#include "RegistrationScript.h"

namespace vistrel {

// Status of a registry operation: 0 for success, else the platform's error number.
using RegistryStatus = long;
constexpr RegistryStatus kRegistryOk = 0;

// Keys are named by their path below a root, parts joined with a backslash.
class RegistryTarget {
public:
    virtual ~RegistryTarget() = default;
    // Opens the key for reading and writing, else for reading, else creates it.
    virtual RegistryStatus openOrCreate(RootKey root, const std::string& path) = 0;
    virtual bool exists(RootKey root, const std::string& path) = 0;
    // A string value; the empty name is the key's default value.
    virtual RegistryStatus setString(RootKey root, const std::string& path, const std::string& name,
                                     const std::string& data) = 0;
    // A missing value is no error.
    virtual RegistryStatus deleteValue(RootKey root, const std::string& path, const std::string& name) = 0;
    // The key with all its subkeys; a missing key is no error.
    virtual RegistryStatus deleteTree(RootKey root, const std::string& path) = 0;
    // The key alone (it must have no subkeys).
    virtual RegistryStatus deleteKey(RootKey root, const std::string& path) = 0;
    virtual RegistryStatus countSubkeys(RootKey root, const std::string& path, unsigned& count) = 0;
};

// Names a ForceRemove marker never deletes (compared without regard to case).
bool isProtectedKeyName(const std::string& name);

struct WalkResult {
    RegistryStatus status = kRegistryOk;
    std::string key;  // the key the walk stopped at, for diagnostics
};

// Register mode, root block after root block, keys in script order: ForceRemove keys are
// deleted with their subkeys and made anew (protected names excepted); every key is
// opened or created and gets its default and named values. A failure inside a root
// block walks that block once more in unregister mode, taking out what it had written,
// and ends the walk.
WalkResult registerScript(const std::vector<ScriptRoot>& roots, RegistryTarget& registry);

// Unregister mode over the same keys: named values are deleted, a missing key is skipped
// with its subkeys, NoRemove keys stay while their listed subkeys are processed, and every
// other key is deleted once its listed subkeys have been. A key that still holds subkeys
// the script does not list belongs to other programs as well: it stays, and the walk goes
// on. The first failure of the registry ends the walk.
WalkResult unregisterScript(const std::vector<ScriptRoot>& roots, RegistryTarget& registry);

}  // namespace vistrel
