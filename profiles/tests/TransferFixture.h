// Shared set-up of the transfer tests: a scratch root with a rich profile "Work", a private
// temporary folder that must hold no "prf" file after any operation, and recorded boxes.
#pragma once

#include "ScratchRoot.h"
#include "profiles/ProfileStore.h"

#include <gtest/gtest.h>

namespace testing_support {

// Line breaks, quotes and backslashes, as users write descriptions.
inline const std::string kRichDescription = "First line\r\nsays \"hi\" in C:\\dir\\\r\n\\\\server";

class TransferTest : public ::testing::Test {
protected:
    void SetUp() override {
        useResourceLibrary();
        createKey(scratch.path());
        ASSERT_TRUE(store.setRoot(scratch.path()));
    }
    void TearDown() override {
        EXPECT_TRUE(temp.files("prf*").empty()) << "a temporary file was left behind";
    }
    std::string key(const std::string& name) const { return scratch.path() + "\\" + name; }

    // Values of several types, subkeys, an empty string and a wide-only text.
    void makeRichProfile(const std::string& name) {
        std::string k = key(name);
        setString(k, nullptr, kRichDescription);
        setString(k, "Text", "plain \"quoted\" C:\\path\\");
        setString(k, "Empty", "");
        setDword(k, "Number", 0x12345678);
        setValue(k, "Blob", REG_BINARY, "\x00\x01\xFE\xFF", 4);
        setValue(k, "Expand", REG_EXPAND_SZ, "%USERPROFILE%\\x", 16);
        setValue(k, "Multi", REG_MULTI_SZ, "one\0two\0\0", 9);
        unsigned long long q = 0x0102030405060708ULL;
        setValue(k, "Quad", REG_QWORD, &q, 8);
        setString(k + "\\Config", "PlotStyle", "C:\\Kivra\\Plot Styles");
        setString(k + "\\Config", "Help", "C:\\Kivra\\Help");
        setDword(k + "\\Config\\Deep\\Deeper", "Level", 3);
        createKey(k + "\\Empty Key");
        HKEY wideKey;
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, k.c_str(), 0, KEY_SET_VALUE, &wideKey), 0);
        const wchar_t wide[] = L"\u0416\u0438\u0432\u20AC \u65E5\u672C";
        RegSetValueExW(wideKey, L"Wide", 0, REG_SZ, reinterpret_cast<const BYTE*>(wide),
                       sizeof(wide));
        RegCloseKey(wideKey);
    }
    // Marks a profile "Main" current, so that profiles can be removed.
    void recordCurrent(const std::string& name = "Main") {
        createKey(key(name));
        setString(scratch.path(), nullptr, name);
    }
    std::string descriptionOf(const std::string& name) {
        std::string text;
        EXPECT_TRUE(store.description(name, text));
        return text;
    }

    ScratchRoot scratch;
    ScratchTempFolder temp;
    BoxRecorder boxes;
    profiles::ProfileStore store;
};

}  // namespace testing_support
