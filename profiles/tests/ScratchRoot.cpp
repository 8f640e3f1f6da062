// Scratch registry keys, temporary folders and registry snapshots for the store's tests.
#include "ScratchRoot.h"
#include "dialogs/App.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace testing_support {
namespace {

std::string uniqueSuffix() {
    static LONG counter = 0;
    char text[64];
    std::snprintf(text, sizeof(text), "%lu-%lu-%ld", GetCurrentProcessId(), GetTickCount(),
                  InterlockedIncrement(&counter));
    return text;
}

std::string testName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return info ? std::string(info->test_suite_name()) + "." + info->name() : "test";
}

std::string getEnv(const char* name) {
    char value[MAX_PATH * 2];
    DWORD n = GetEnvironmentVariableA(name, value, sizeof(value));
    return (n > 0 && n < sizeof(value)) ? std::string(value, n) : std::string();
}

void setEnv(const char* name, const std::string& value) {
    SetEnvironmentVariableA(name, value.empty() ? nullptr : value.c_str());
}

void deleteFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                deleteFolder(folder + name + "\\");
            else
                DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

std::string hex(const BYTE* data, DWORD size) {
    std::string out;
    char pair[4];
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(pair, sizeof(pair), "%02x", data[i]);
        out += pair;
    }
    return out;
}

void snapshotInto(HKEY key, const std::string& relative, std::vector<std::string>& lines) {
    std::vector<std::string> values;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof(name), type = 0, size = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS)
            break;
        std::vector<BYTE> data(size + 1);
        nameLength = sizeof(name);
        DWORD got = size;
        RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.data(), &got);
        char head[32];
        std::snprintf(head, sizeof(head), " type=%lu data=", type);
        values.push_back(relative + " | " + std::string(name, nameLength) + head +
                         hex(data.data(), got));
    }
    std::sort(values.begin(), values.end());
    lines.push_back("[" + relative + "]");
    lines.insert(lines.end(), values.begin(), values.end());
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        HKEY child;
        if (RegOpenKeyExA(key, name, 0, KEY_READ, &child) == ERROR_SUCCESS) {
            snapshotInto(child, relative + "\\" + std::string(name, length), lines);
            RegCloseKey(child);
        }
    }
}

}  // namespace

ScratchRoot::ScratchRoot(const std::string& middle)
    : base_("Software\\KivraTests\\" + testName() + "-" + uniqueSuffix()),
      path_(base_ + "\\" + middle + "\\Profiles") {}

ScratchRoot::~ScratchRoot() {
    RegDeleteTreeA(HKEY_CURRENT_USER, base_.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, base_.c_str());
    // Removed only once no other test is using it.
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\KivraTests");
}

ScratchTempFolder::ScratchTempFolder() : oldTmp_(getEnv("TMP")), oldTemp_(getEnv("TEMP")) {
    char base[MAX_PATH + 1];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "kivra-test-" + uniqueSuffix() + "\\";
    CreateDirectoryA(path_.c_str(), nullptr);
    setEnv("TMP", path_);
    setEnv("TEMP", path_);
}

ScratchTempFolder::~ScratchTempFolder() {
    setEnv("TMP", oldTmp_);
    setEnv("TEMP", oldTemp_);
    deleteFolder(path_);
}

std::vector<std::string> ScratchTempFolder::files(const std::string& pattern) const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

namespace {
int recordBox(HWND, const std::string& text, const std::string& title, UINT type) {
    BoxRecorder::boxes().push_back({text, title, type});
    return IDOK;
}
}  // namespace

BoxRecorder::BoxRecorder() {
    boxes().clear();
    dlg::setMessageBoxHook(recordBox);
}
BoxRecorder::~BoxRecorder() { dlg::setMessageBoxHook(nullptr); }
std::vector<BoxRecorder::Box>& BoxRecorder::boxes() {
    static std::vector<Box> recorded;
    return recorded;
}

void useResourceLibrary() {
    static HMODULE module = [] {
        return LoadLibraryA((dlg::programFolder() + "RostelleRes.dll").c_str());
    }();
    ASSERT_NE(module, nullptr) << "RostelleRes.dll is built beside the tests";
    dlg::setResourceHandle(module);
}

bool keyExists(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void createKey(const std::string& path) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void setValue(const std::string& path, const char* name, DWORD type, const void* data,
              DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

void setString(const std::string& key, const char* name, const std::string& text) {
    setValue(key, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

void setDword(const std::string& key, const char* name, DWORD value) {
    setValue(key, name, REG_DWORD, &value, sizeof(value));
}

std::vector<std::string> subkeys(const std::string& path) {
    std::vector<std::string> names;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return names;
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD length = sizeof(name);
        if (RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    RegCloseKey(key);
    return names;
}

std::string snapshot(const std::string& path) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    std::vector<std::string> lines;
    snapshotInto(key, ".", lines);
    RegCloseKey(key);
    std::string out;
    for (const std::string& line : lines) out += line + "\n";
    return out;
}

std::string readFileBytes(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof(buffer), file)) > 0) bytes.append(buffer, n);
    std::fclose(file);
    return bytes;
}

void writeFileBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

}  // namespace testing_support
