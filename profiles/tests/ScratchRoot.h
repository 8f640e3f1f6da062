// Test helpers for the store on the real registry: a private scratch profiles key that is
// deleted afterwards, a private temporary folder, a message box recorder, raw registry
// access, and a text snapshot of a key tree for exact comparisons.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// HKEY_CURRENT_USER\Software\KivraTests\<unique>\...\Profiles; the unique key goes at the end.
class ScratchRoot {
public:
    explicit ScratchRoot(const std::string& middle = "Kivra 2013\\ENU");
    ~ScratchRoot();
    ScratchRoot(const ScratchRoot&) = delete;
    ScratchRoot& operator=(const ScratchRoot&) = delete;

    // Full root path (relative to HKEY_CURRENT_USER) and the unique base key above it.
    const std::string& path() const { return path_; }
    const std::string& base() const { return base_; }

private:
    std::string base_;
    std::string path_;
};

// TMP and TEMP point into a new empty folder while the object lives.
class ScratchTempFolder {
public:
    ScratchTempFolder();
    ~ScratchTempFolder();
    const std::string& path() const { return path_; }  // ends with a backslash
    std::vector<std::string> files(const std::string& pattern = "*") const;

private:
    std::string path_;
    std::string oldTmp_, oldTemp_;
};

// Records message boxes instead of showing them.
class BoxRecorder {
public:
    BoxRecorder();
    ~BoxRecorder();
    struct Box {
        std::string text, title;
        UINT type;
    };
    static std::vector<Box>& boxes();
};

// The resource library beside the test program becomes the resource handle.
void useResourceLibrary();

// Raw registry access below HKEY_CURRENT_USER.
bool keyExists(const std::string& path);
void createKey(const std::string& path);
void setValue(const std::string& key, const char* name, DWORD type, const void* data, DWORD size);
void setString(const std::string& key, const char* name, const std::string& text);
void setDword(const std::string& key, const char* name, DWORD value);
// Exact key names below `path`, in enumeration order.
std::vector<std::string> subkeys(const std::string& path);

// Every key below `path` (relative paths, exact letter case) with every value (name, type,
// data in hex), sorted: two equal snapshots mean two equal trees.
std::string snapshot(const std::string& path);

std::string readFileBytes(const std::string& path);
void writeFileBytes(const std::string& path, const std::string& bytes);

}  // namespace testing_support
