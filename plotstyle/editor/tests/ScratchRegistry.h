// Registry tests work in a scratch key: HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE of the
// test process are redirected into fresh keys below HKCU\Software\KivraTests, which are
// deleted afterwards.
#pragma once

#include "dialogs/App.h"

#include <windows.h>

#include <string>

class ScratchRegistry {
public:
    ScratchRegistry();
    ~ScratchRegistry();
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;

    // Writes a REG_SZ (or `type`) value below the redirected root; null name: default value.
    static void setString(HKEY root, const std::string& path, const char* name,
                          const std::string& value, DWORD type = REG_SZ);
    static void createKey(HKEY root, const std::string& path);

private:
    std::string base_;
    HKEY user_ = nullptr;
    HKEY machine_ = nullptr;
};

// Files for tests: a fresh folder below the temporary directory, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    const std::string& path() const { return path_; }  // ends with a backslash
    // Creates the folders of `relative` ("a\b\") below the scratch folder.
    std::string makeDirs(const std::string& relative) const;

private:
    std::string path_;
};

// The test program's own folder (where the build puts every module), with a backslash.
using dlg::programFolder;
// A Linux path of the build as Windows sees it.
std::string windowsPath(const std::string& unixPath);
