// The host's user profiles in the registry: one profiles key (the root) below
// HKEY_CURRENT_USER holds a key per profile, and its default value names the current one.
// Every operation opens the keys it needs and closes them before it returns; copies, renames,
// exports and imports go through the system registry editor and registry export files.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace profiles {

// The host's interface language ("CURLANG" of the product key), "ENU" when unreadable.
std::string languageCode();
// "Software\Oremund\Kivra 2013\", followed directly by the language code when asked.
std::string productKeyPath(bool withLanguage);

class ProfileStore {
public:
    ProfileStore() = default;
    explicit ProfileStore(const std::string& root);
    virtual ~ProfileStore() = default;

    // Accepts a root only if its key exists; an unusable path leaves the root as it was.
    bool setRoot(const std::string& root);
    // Takes the path as it is; the first operation creates the key. For tools and tests.
    void setRootUnchecked(const std::string& root) { root_ = root; }
    const std::string& root() const { return root_; }
    // The root is set and its key exists (nothing is created).
    bool rootUsable() const;

    // Every operation below except rootUsable creates a missing root key.
    bool list(std::vector<std::string>& names) const;
    bool exists(const std::string& name) const;
    bool current(std::string& name) const;
    bool setCurrent(const std::string& name);
    bool description(const std::string& name, std::string& text) const;
    bool setDescription(const std::string& name, const std::string& text);
    // Refuses the current profile (in any letter case) and everything while no current
    // profile is recorded.
    bool remove(const std::string& name);
    // Replaces an existing profile of that name by an empty one, unless it cannot be removed.
    bool create(const std::string& name,
                const std::optional<std::string>& description = std::nullopt);

    bool exportProfile(const std::string& name, const std::string& file);
    bool importFile(const std::string& file);
    // Imports a profile export file of this root under `newName`. Only the file's sections of
    // that profile reach the registry; `sectionsLeftOut` (if given) receives how many other
    // sections the file held.
    bool importAs(const std::string& file, const std::string& newName,
                  size_t* sectionsLeftOut = nullptr);
    // Without a description the copy keeps the source's.
    bool copy(const std::string& source, const std::string& newName,
              const std::optional<std::string>& description = std::nullopt);
    bool rename(const std::string& oldName, const std::string& newName,
                const std::optional<std::string>& description = std::nullopt);

    bool readExportHeader(const std::string& file, std::string& name,
                          std::string& description) const;
    // Writes `target` in the encoding of `source`. `replaced` (if given) receives the number
    // of lines in which the old path was replaced.
    static bool rewriteExportFile(const std::string& source, const std::string& target,
                                  const std::string& oldPath, const std::string& newPath,
                                  size_t* replaced = nullptr);
    // The same, keeping only the header and the sections of `oldPath` and the keys below it;
    // `leftOut` receives the number of sections dropped.
    static bool rewriteKeyExportFile(const std::string& source, const std::string& target,
                                     const std::string& oldPath, const std::string& newPath,
                                     size_t& replaced, size_t& leftOut);
    static bool createTempFile(std::string& path);

    // Completes a typed path with the fixed parts (strings 121 and 122 of the resource
    // library) and accepts it if the key exists.
    static bool normaliseRoot(const std::string& candidate, std::string& full);
    // The middle part of the completed path, as shown to the user.
    static bool shortRoot(const std::string& path, std::string& shortPath);

protected:
    // Runs the registry editor with `parameters` and waits for it; false (after the error box)
    // when it cannot be started. Tests replace it to make one run fail.
    virtual bool runEditor(const std::string& parameters);
    virtual std::string editorProgram() const { return "regedit"; }

private:
    bool renameLetterCase(const std::string& oldName, const std::string& newName,
                          const std::optional<std::string>& description);
    bool importChecked(const std::string& file, const std::string& name);

    std::string root_;
};

// The leading and trailing parts of every root path (strings 121 and 122).
std::string rootPrefix();
std::string rootSuffix();

// Two profile names name the same key (the registry ignores letter case).
bool sameProfileName(const std::string& a, const std::string& b);

// Shows the system's text for `error`, after `prefix` when given, in the standard message
// box with the program's title.
void showSystemError(unsigned long error, const char* prefix = nullptr);

}  // namespace profiles
