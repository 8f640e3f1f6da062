// The registration script as rows an installer package writes in its place: the values
// register mode writes, and the keys whose removal the package must state itself, chosen
// so that removing the package takes out what unregistering takes out. Plain C++.
#pragma once

#include <string>
#include <vector>

#include "RegistrationScript.h"

namespace vistrel {

enum class RowKind {
    kValue,       // a string value; the empty name is the key's default
    kKeyCreated,  // an empty key made on install and left on removal (a NoRemove key)
    kKeyOwned,    // a key removed with everything below it on removal (a ForceRemove key)
};

struct RegistrationRow {
    RowKind kind = RowKind::kValue;
    RootKey root = RootKey::kClassesRoot;
    std::string key;   // path below the root, parts joined with a backslash
    std::string name;  // kValue only
    std::string data;  // kValue only
};

// The rows of already replaced and parsed script roots, keys in script order. A key that
// holds values is taken out with them when it is left empty, as unregistering does, so it
// needs no row of its own; keys that rows cannot express as the walk treats them fail:
// a NoRemove key with values (removing the package would take values unregistering keeps)
// and an empty key without subkeys that is neither NoRemove nor ForceRemove.
struct RowsProblem {
    std::string key;
    std::string detail;
};
bool registrationRows(const std::vector<ScriptRoot>& roots, std::vector<RegistrationRow>& rows,
                      RowsProblem& problem);

// "HKCR", "HKCU", "HKLM" or "HKU".
const char* rootName(RootKey root);

}  // namespace vistrel
