// The profile store on the registry behind the dialogs' interface.
#pragma once

#include "ProfileStoreApi.h"
#include "profiles/ProfileStore.h"

namespace profiles {

class RegistryProfileStore : public ProfileStoreApi {
public:
    explicit RegistryProfileStore(const std::string& root) : store_(root) {}

    std::string root() const override { return store_.root(); }
    bool setRoot(const std::string& root) override { return store_.setRoot(root); }
    bool rootUsable() const override { return store_.rootUsable(); }
    bool list(std::vector<std::string>& names) const override { return store_.list(names); }
    bool exists(const std::string& name) const override { return store_.exists(name); }
    bool current(std::string& name) const override { return store_.current(name); }
    bool setCurrent(const std::string& name) override { return store_.setCurrent(name); }
    bool description(const std::string& name, std::string& text) const override {
        return store_.description(name, text);
    }
    bool setDescription(const std::string& name, const std::string& text) override {
        return store_.setDescription(name, text);
    }
    bool remove(const std::string& name) override { return store_.remove(name); }
    bool create(const std::string& name, const std::string& description) override {
        return store_.create(name, description);
    }
    bool copy(const std::string& source, const std::string& newName,
              const std::string& description) override {
        return store_.copy(source, newName, description);
    }
    bool rename(const std::string& oldName, const std::string& newName,
                const std::string& description) override {
        return store_.rename(oldName, newName, description);
    }
    bool exportProfile(const std::string& name, const std::string& file) override {
        return store_.exportProfile(name, file);
    }
    bool importAs(const std::string& file, const std::string& newName,
                  size_t& sectionsLeftOut) override {
        return store_.importAs(file, newName, &sectionsLeftOut);
    }
    bool readExportHeader(const std::string& file, std::string& name,
                          std::string& description) const override {
        return store_.readExportHeader(file, name, description);
    }
    bool shortRoot(const std::string& path, std::string& shortPath) const override {
        return ProfileStore::shortRoot(path, shortPath);
    }
    bool sameName(const std::string& a, const std::string& b) const override {
        return sameProfileName(a, b);
    }

private:
    ProfileStore store_;
};

}  // namespace profiles
