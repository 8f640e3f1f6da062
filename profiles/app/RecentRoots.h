// The root dialog's rules and the recent roots list: which entries the combo box offers and
// which comes first, the list stored after OK, and how it is written so that a failed write
// never loses the list that was there. The registry is reached through RecentRootsKey.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace profiles {

// A root path's display form, or its full form; false when the key does not exist.
using RootForm = std::function<bool(const std::string& path, std::string& result)>;

// Value name of entry `index`: "Key0", "Key1", ...
std::string recentRootValueName(size_t index);

// The combo's entries: the short form of every stored root whose key still exists, in order;
// when none is left, `fallback` (the product language key) as it is.
std::vector<std::string> rootChoices(const std::vector<std::string>& stored,
                                     const RootForm& shortRoot, const std::string& fallback);

// The entries with the first one's short form at the top (moved there if the list holds it,
// ignoring letter case, else inserted). An entry whose key does not exist (first use, before
// the host made its profiles key) has no short form and the entries stay as they are.
std::vector<std::string> firstChoiceOnTop(const std::vector<std::string>& entries,
                                          const RootForm& shortRoot);

// The list stored after OK: the chosen full path, then the full form of every entry that
// still exists, each root once (ignoring letter case).
std::vector<std::string> recentRootsAfterChoice(const std::string& chosenFull,
                                                const std::vector<std::string>& entries,
                                                const RootForm& normaliseRoot);

// The stored list's key, opened or created by the caller.
class RecentRootsKey {
public:
    virtual ~RecentRootsKey() = default;
    // A string value (REG_SZ with its terminating zero); false when it cannot be written.
    virtual bool write(const std::string& name, const std::string& text) = 0;
    // A value read by the store's string reading rule; false when missing or unreadable.
    virtual bool read(const std::string& name, std::string& text) const = 0;
    virtual std::vector<std::string> valueNames() const = 0;
    virtual void removeValue(const std::string& name) = 0;
};

// Key0, Key1, ... up to the first one missing or unreadable.
std::vector<std::string> loadRecentRoots(const RecentRootsKey& key);

// Writes Key0..Kn-1 first; only when all of them were written are the values of an older,
// longer list (and any other value of the key) removed. A failed write keeps what was stored
// beyond it. False when a write failed.
bool saveRecentRoots(RecentRootsKey& key, const std::vector<std::string>& roots);

}  // namespace profiles
