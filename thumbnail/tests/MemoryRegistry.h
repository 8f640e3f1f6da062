// A registry in memory for the registration script's tests, with a failure to inject, and
// the script read as the server reads it (the shipped one, or a literal).
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "RegistrationWalk.h"

namespace vistrel::fakes {

constexpr RegistryStatus kAccessDenied = 5;

inline std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Keys named by "root|path", compared without regard to case as the registry does; a key
// exists only when its parent does.
class MemoryRegistry : public RegistryTarget {
public:
    using Values = std::map<std::string, std::string>;  // value name (lower case) -> data

    RegistryStatus openOrCreate(RootKey root, const std::string& path) override {
        if (RegistryStatus s = failure("create", path)) return s;
        std::string partial;
        std::size_t from = 0;
        while (true) {
            const std::size_t cut = path.find('\\', from);
            partial = path.substr(0, cut);
            keys_.emplace(id(root, partial), Values());
            if (cut == std::string::npos) break;
            from = cut + 1;
        }
        return kRegistryOk;
    }
    bool exists(RootKey root, const std::string& path) override { return keys_.count(id(root, path)) > 0; }
    RegistryStatus setString(RootKey root, const std::string& path, const std::string& name,
                             const std::string& data) override {
        if (RegistryStatus s = failure("set", path)) return s;
        auto k = keys_.find(id(root, path));
        if (k == keys_.end()) return 2;
        k->second[lower(name)] = data;
        return kRegistryOk;
    }
    RegistryStatus deleteValue(RootKey root, const std::string& path, const std::string& name) override {
        auto k = keys_.find(id(root, path));
        if (k != keys_.end()) k->second.erase(lower(name));
        return kRegistryOk;
    }
    RegistryStatus deleteTree(RootKey root, const std::string& path) override {
        const std::string prefix = id(root, path);
        for (auto k = keys_.begin(); k != keys_.end();)
            k = k->first == prefix || k->first.compare(0, prefix.size() + 1, prefix + "\\") == 0 ? keys_.erase(k) : std::next(k);
        return kRegistryOk;
    }
    RegistryStatus deleteKey(RootKey root, const std::string& path) override {
        if (RegistryStatus s = failure("delete", path)) return s;
        unsigned n = 0;
        countSubkeys(root, path, n);
        if (n) return kAccessDenied;  // as the platform refuses it
        return keys_.erase(id(root, path)) ? kRegistryOk : 2;
    }
    RegistryStatus countSubkeys(RootKey root, const std::string& path, unsigned& count) override {
        const std::string prefix = id(root, path) + "\\";
        count = 0;
        for (const auto& k : keys_)
            if (k.first.compare(0, prefix.size(), prefix) == 0 && k.first.find('\\', prefix.size()) == std::string::npos) ++count;
        return kRegistryOk;
    }

    // Every key with its values, for comparisons.
    const std::map<std::string, Values>& keys() const { return keys_; }
    void failOn(const std::string& operation, const std::string& path) { failOperation_ = operation; failPath_ = lower(path); }
    void put(const std::string& path, const std::string& name = "", const std::string& data = "") {
        openOrCreate(RootKey::kClassesRoot, path);
        if (!data.empty() || !name.empty()) setString(RootKey::kClassesRoot, path, name, data);
    }
    bool has(const std::string& path) { return exists(RootKey::kClassesRoot, path); }
    std::string value(const std::string& path, const std::string& name = "") {
        auto k = keys_.find(id(RootKey::kClassesRoot, path));
        if (k == keys_.end()) return "<no key>";
        auto v = k->second.find(lower(name));
        return v == k->second.end() ? "<no value>" : v->second;
    }

private:
    static std::string id(RootKey root, const std::string& path) {
        return std::to_string(static_cast<int>(root)) + "|" + lower(path);
    }
    RegistryStatus failure(const std::string& operation, const std::string& path) const {
        return operation == failOperation_ && lower(path) == failPath_ ? kAccessDenied : kRegistryOk;
    }

    std::map<std::string, Values> keys_;
    std::string failOperation_, failPath_;
};

inline std::vector<ScriptRoot> scriptOf(std::string text, const std::string& module = "C:\\Kivra\\Vistrel.dll") {
    std::string replaced;
    ScriptProblem problem;
    EXPECT_TRUE(applyReplacements(text, {{"Module", module}}, replaced, problem));
    std::vector<ScriptRoot> roots;
    EXPECT_TRUE(parseScript(replaced, roots, problem)) << problem.detail;
    return roots;
}

// The shipped script with %MODULE% bound to `module` (already quoted for the script).
inline std::vector<ScriptRoot> shipped(const std::string& module = "C:\\Kivra\\Vistrel.dll") {
    std::ifstream in(KIVRA_REGISTRATION_SCRIPT, std::ios::binary);
    return scriptOf(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), module);
}

}  // namespace vistrel::fakes
