// Moving profiles through the system registry editor: export, import, import under another
// name, copy and rename. Each operation deletes the temporary files it made before it returns.
#include "RegistryKey_win.h"
#include "profiles/CommandLines.h"
#include "profiles/ProfileStore.h"
#include "profiles/RootPath.h"

#include <shellapi.h>

namespace profiles {
namespace {

// A temporary file that is deleted when the operation leaves, whatever the outcome.
class TempFile {
public:
    TempFile() { ok_ = ProfileStore::createTempFile(path_); }
    ~TempFile() {
        if (ok_) DeleteFileA(path_.c_str());
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    bool ok() const { return ok_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool ok_ = false;
};

}  // namespace

bool ProfileStore::runEditor(const std::string& parameters) {
    std::string program = editorProgram();
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof(info);
    // The failure box is ours (showSystemError), so the shell is asked not to show its own.
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = program.c_str();
    info.lpParameters = parameters.c_str();
    info.nShow = SW_SHOWDEFAULT;
    ShellExecuteExA(&info);
    if (info.hProcess) {
        WaitForSingleObject(info.hProcess, INFINITE);
        CloseHandle(info.hProcess);
    }
    auto instance = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (instance > 32) return true;
    showSystemError(static_cast<unsigned long>(instance));
    return false;
}

bool ProfileStore::exportProfile(const std::string& name, const std::string& file) {
    RegistryKey rootKey, profile;
    if (root_.empty() || rootKey.create(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS ||
        !isProfileName(name) || profile.open(rootKey.get(), name) != ERROR_SUCCESS)
        return false;
    return runEditor(exportParameters(file, root_, name));
}

bool ProfileStore::importFile(const std::string& file) {
    RegistryKey rootKey;
    if (root_.empty() || rootKey.create(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS) return false;
    return runEditor(importParameters(file));
}

// The editor's exit code says nothing (it is 0 even for a file it cannot read), so an import
// that was meant to make `name` counts only when the profile exists afterwards.
bool ProfileStore::importChecked(const std::string& file, const std::string& name) {
    return importFile(file) && exists(name);
}

// A user's file may hold other keys besides the profile (another profile, keys elsewhere in
// the hive): the editor would write them all, so only the profile's own sections are passed on.
bool ProfileStore::importAs(const std::string& file, const std::string& newName,
                            size_t* sectionsLeftOut) {
    if (sectionsLeftOut) *sectionsLeftOut = 0;
    std::string oldName, unusedDescription;
    if (root_.empty() || !isProfileName(newName) ||
        !readExportHeader(file, oldName, unusedDescription) || oldName.empty())
        return false;
    TempFile rewritten;
    if (!rewritten.ok()) return false;
    size_t replaced = 0, leftOut = 0;
    if (!rewriteKeyExportFile(file, rewritten.path(), root_ + "\\" + oldName,
                              root_ + "\\" + newName, replaced, leftOut) ||
        replaced == 0)
        return false;
    if (sectionsLeftOut) *sectionsLeftOut = leftOut;
    return importChecked(rewritten.path(), newName);
}

bool ProfileStore::copy(const std::string& source, const std::string& newName,
                        const std::optional<std::string>& description) {
    RegistryKey rootKey, profile;
    if (root_.empty() || rootKey.create(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS ||
        !isProfileName(source) || !isProfileName(newName) ||
        profile.open(rootKey.get(), source) != ERROR_SUCCESS)
        return false;
    profile.close();

    TempFile rewritten;
    size_t replaced = 0;
    {
        TempFile exported;
        if (!exported.ok() || !exportProfile(source, exported.path()) || !rewritten.ok() ||
            !rewriteExportFile(exported.path(), rewritten.path(), root_ + "\\" + source,
                               root_ + "\\" + newName, &replaced))
            return false;
    }
    // Nothing rewritten means the editor wrote no export of the source: importing would
    // change nothing, and removing the target first would lose it.
    if (replaced == 0) return false;

    // An existing target that can be removed is saved first, so that a failed import can
    // bring it back. One that cannot (the current profile) is imported into.
    TempFile backup;
    bool removedTarget = false;
    std::string currentName;
    if (exists(newName) && current(currentName) && !sameKeyName(currentName, newName)) {
        if (!backup.ok() || !exportProfile(newName, backup.path())) return false;
        removedTarget = remove(newName);
    }
    if (!importChecked(rewritten.path(), newName)) {
        if (removedTarget) importFile(backup.path());
        return false;
    }
    return description ? setDescription(newName, *description) : true;
}

bool ProfileStore::rename(const std::string& oldName, const std::string& newName,
                          const std::optional<std::string>& description) {
    if (!exists(oldName) || !isProfileName(newName)) return false;
    if (oldName == newName) return description ? setDescription(oldName, *description) : true;
    // The old profile can only be removed while a current profile is recorded; without one
    // the rename fails before it copies anything, rather than after, with the copy left over.
    std::string currentName;
    if (!current(currentName)) return false;
    if (sameKeyName(oldName, newName)) return renameLetterCase(oldName, newName, description);

    if (!copy(oldName, newName, description)) return false;
    if (sameKeyName(currentName, oldName)) setCurrent(newName);
    return remove(oldName);
}

// The registry sees both names as one key, so copy-then-remove would remove the result. The
// profile is exported under the new spelling, removed, and imported again (or restored from
// the first export if that fails).
bool ProfileStore::renameLetterCase(const std::string& oldName, const std::string& newName,
                                    const std::optional<std::string>& description) {
    std::string currentName;
    current(currentName);
    bool wasCurrent = sameKeyName(currentName, oldName);

    TempFile exported, rewritten;
    size_t replaced = 0;
    if (!exported.ok() || !rewritten.ok() || !exportProfile(oldName, exported.path()) ||
        !rewriteExportFile(exported.path(), rewritten.path(), root_ + "\\" + oldName,
                           root_ + "\\" + newName, &replaced) ||
        replaced == 0)
        return false;

    RegistryKey rootKey;
    if (rootKey.create(HKEY_CURRENT_USER, root_) != ERROR_SUCCESS ||
        deleteKeyTree(rootKey.get(), oldName) != ERROR_SUCCESS) {
        // A partly deleted profile is put back whole.
        importFile(exported.path());
        return false;
    }
    if (!importChecked(rewritten.path(), newName)) {
        importFile(exported.path());
        return false;
    }
    if (wasCurrent) setCurrent(newName);
    return description ? setDescription(newName, *description) : true;
}

}  // namespace profiles
