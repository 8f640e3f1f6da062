// Module set-up under Wine: the language code from CURLANG, the resource library from the
// language's folder or the "Enu" one, the error box when neither exists, and the editor
// library loading as the host loads it.
#include "ModuleSetup.h"
#include "PlotStyleEditorApp.h"
#include "ScratchRegistry.h"

#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

struct Box {
    std::string text, title;
    UINT type;
};
std::vector<Box> g_boxes;
int recordBox(HWND, const std::string& text, const std::string& title, UINT type) {
    g_boxes.push_back({text, title, type});
    return IDOK;
}

struct Recorder {
    Recorder() {
        g_boxes.clear();
        dlg::setMessageBoxHook(recordBox);
    }
    ~Recorder() { dlg::setMessageBoxHook(nullptr); }
};

std::string lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](char c) { return char(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return s;
}

std::string moduleFile(HMODULE module) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    return path;
}

void placeResourceLibrary(const ScratchFolder& folder, const std::string& language) {
    const std::string dir = folder.makeDirs("lang\\" + language + "\\");
    ASSERT_TRUE(CopyFileA((programFolder() + "QuellonRes.dll").c_str(),
                          (dir + "QuellonRes.dll").c_str(), FALSE));
}

TEST(LanguageCode, CurlangOfTheProductKeyOrEnu) {
    ScratchRegistry registry;
    EXPECT_EQ(quellon::languageCode(), "ENU");  // no product key
    ScratchRegistry::setString(HKEY_CURRENT_USER, quellon::kProductKey, "CURLANG", "DEU");
    EXPECT_EQ(quellon::languageCode(), "DEU");
    ScratchRegistry::setString(HKEY_CURRENT_USER, quellon::kProductKey, "CURLANG", "DE");
    EXPECT_EQ(quellon::languageCode(), "DE");
    ScratchRegistry::setString(HKEY_CURRENT_USER, quellon::kProductKey, "CURLANG",
                               "ENGLISH");  // over 4 characters
    EXPECT_EQ(quellon::languageCode(), "ENU");
    ScratchRegistry::setString(HKEY_CURRENT_USER, quellon::kProductKey, "CURLANG", "FRA",
                               REG_BINARY);
    EXPECT_EQ(quellon::languageCode(), "ENU");
}

TEST(ResourceLibrary, TheLanguagesOwnLibraryComesFirst) {
    ScratchFolder folder;
    placeResourceLibrary(folder, "DE");
    placeResourceLibrary(folder, "ENU");
    Recorder boxes;
    HINSTANCE module = quellon::loadResourceLibrary(folder.path(), "DE");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(lower(moduleFile(module)), lower(folder.path() + "lang\\DE\\QuellonRes.dll"));
    FreeLibrary(module);
    EXPECT_TRUE(g_boxes.empty());
}

TEST(ResourceLibrary, ALanguageWithoutLibraryFallsBackToEnuSilently) {
    ScratchFolder folder;
    placeResourceLibrary(folder, "ENU");
    Recorder boxes;
    HINSTANCE module = quellon::loadResourceLibrary(folder.path(), "RUS");
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(lower(moduleFile(module)), lower(folder.path() + "lang\\Enu\\QuellonRes.dll"));
    FreeLibrary(module);
    EXPECT_TRUE(g_boxes.empty());
}

TEST(ResourceLibrary, NeitherLibraryShowsTheErrorBoxAndFails) {
    ScratchFolder folder;
    placeResourceLibrary(folder, "English");  // a folder of another name does not count
    quellon::PlotStyleEditorApp app;
    dlg::setAppTitle(app.title());
    Recorder boxes;
    EXPECT_EQ(quellon::loadResourceLibrary(folder.path(), "DEU"), nullptr);
    ASSERT_EQ(g_boxes.size(), 1u);
    EXPECT_EQ(g_boxes[0].text, "Can't load QuellonRes.dll");
    EXPECT_EQ(g_boxes[0].title, "Quellon");
    EXPECT_EQ(g_boxes[0].type & MB_ICONMASK, UINT(MB_ICONERROR));
}

TEST(PlotStyleEditorApp, InitialisationMakesTheLibraryTheResourceHandle) {
    ScratchRegistry registry;
    ScratchRegistry::setString(HKEY_CURRENT_USER, quellon::kProductKey, "CURLANG", "XX");
    quellon::PlotStyleEditorApp app;
    Recorder boxes;
    ASSERT_TRUE(app.attachLibrary(GetModuleHandleA(nullptr)));
    EXPECT_EQ(dlg::resourceHandle(), app.resourceLibrary());
    EXPECT_EQ(lower(moduleFile(app.resourceLibrary())),
              lower(programFolder() + "lang\\Enu\\QuellonRes.dll"));
    EXPECT_EQ(dlg::loadString(0xF111), "Enter an integer between %1 and %2.");
    EXPECT_TRUE(g_boxes.empty());
    dlg::setResourceHandle(nullptr);
}

TEST(QuellonDll, LoadsWithTheResourceLibraryBelowTheCallingProgram) {
    ScratchRegistry registry;
    for (const char* language : {"", "ENU", "PTB"}) {
        if (*language)
            ScratchRegistry::setString(HKEY_CURRENT_USER, quellon::kProductKey, "CURLANG",
                                       language);
        HMODULE editor = LoadLibraryA("Quellon.dll");
        ASSERT_NE(editor, nullptr) << language;
        EXPECT_NE(GetModuleHandleA((programFolder() + "lang\\ENU\\QuellonRes.dll").c_str()),
                  nullptr)
            << language;
        FreeLibrary(editor);
    }
}

}  // namespace
