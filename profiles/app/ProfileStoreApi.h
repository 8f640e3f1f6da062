// What the profile manager's dialogs need of the profile store, as an interface: the program
// passes the registry store, the dialogs' tests an in-memory one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace profiles {

class ProfileStoreApi {
public:
    virtual ~ProfileStoreApi() = default;

    virtual std::string root() const = 0;
    virtual bool setRoot(const std::string& root) = 0;
    virtual bool rootUsable() const = 0;

    virtual bool list(std::vector<std::string>& names) const = 0;
    virtual bool exists(const std::string& name) const = 0;
    virtual bool current(std::string& name) const = 0;
    virtual bool setCurrent(const std::string& name) = 0;
    virtual bool description(const std::string& name, std::string& text) const = 0;
    virtual bool setDescription(const std::string& name, const std::string& text) = 0;
    virtual bool remove(const std::string& name) = 0;
    virtual bool create(const std::string& name, const std::string& description) = 0;
    virtual bool copy(const std::string& source, const std::string& newName,
                      const std::string& description) = 0;
    virtual bool rename(const std::string& oldName, const std::string& newName,
                        const std::string& description) = 0;

    virtual bool exportProfile(const std::string& name, const std::string& file) = 0;
    // `sectionsLeftOut`: sections of the file that were not part of the profile.
    virtual bool importAs(const std::string& file, const std::string& newName,
                          size_t& sectionsLeftOut) = 0;
    virtual bool readExportHeader(const std::string& file, std::string& name,
                                  std::string& description) const = 0;

    // The display form of a root path; false when it does not name an existing key.
    virtual bool shortRoot(const std::string& path, std::string& shortPath) const = 0;
    // Two profile names name one key (the registry ignores letter case).
    virtual bool sameName(const std::string& a, const std::string& b) const = 0;
};

}  // namespace profiles
