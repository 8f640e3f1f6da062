// The launcher's roads in the test's process: HKEY_CURRENT_USER redirected into a scratch
// key, the editor's entry points replaced by recorders. What the add-table wizard receives
// (folder, pen settings, flag, no parent), what the editor receives, and the registry
// strings it refuses.
#include "Launcher_win.h"

#include "ScratchRegistry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>

namespace {

struct AddCall {
    std::string directory;
    bool pens = false;
    int firstPen = 0;
    bool flag = false;
    bool parent = true;
};
std::vector<std::string> g_edited;
std::vector<AddCall> g_added;

bool recordEdit(const char* path, dlg::Window* parent) {
    g_edited.push_back(std::string(path) + (parent ? " with parent" : ""));
    return true;
}

bool recordAdd(dlg::String& name, const char* directory, const PenSettings* pens, bool flag,
               dlg::Window* parent) {
    g_added.push_back({directory, pens != nullptr, pens ? pens[1].pen : 0, flag, parent != nullptr});
    name = "made.ctb";
    return true;
}

// The real launcher, counting its registry roads and with a language the test chooses.
class CountingLauncher : public brantle::Launcher {
public:
    CountingLauncher() : brantle::Launcher({recordEdit, recordAdd}) {}
    int registryReads = 0;
    std::optional<std::string> language;

    bool findPlotStyleFolder(const std::string& key, std::string& folder) override {
        ++registryReads;
        return Launcher::findPlotStyleFolder(key, folder);
    }
    bool readPenSettings(const std::string& key, PenSettings* pens, bool& flag) override {
        ++registryReads;
        return Launcher::readPenSettings(key, pens, flag);
    }
    std::string systemLanguage() override {
        return language ? *language : Launcher::systemLanguage();
    }
};

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        g_edited.clear();
        g_added.clear();
        profiles = brantle::profilesKeyPath(launcher.systemLanguage());
    }
    void setCurrentProfile(const std::string& name, const std::string& folder) {
        ScratchRegistry::setString(HKEY_CURRENT_USER, profiles, nullptr, name);
        ScratchRegistry::setString(HKEY_CURRENT_USER, profiles + "\\" + name + "\\Config",
                                   "PlotStyle", folder);
    }
    // The value's bytes as given (strings through the wide call).
    void setRaw(const std::string& path, const char* name, DWORD type, const std::string& bytes) {
        std::wstring wideName(name, name + std::strlen(name));
        std::wstring wide(bytes.begin(), bytes.end());
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const bool text = type == REG_SZ || type == REG_MULTI_SZ || type == REG_EXPAND_SZ;
        if (text)
            RegSetValueExW(key, wideName.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(wide.data()),
                           DWORD(wide.size() * sizeof(wchar_t)));
        else
            RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           DWORD(bytes.size()));
        RegCloseKey(key);
    }
    AddCall onlyAdd() {
        EXPECT_EQ(g_added.size(), 1u);
        EXPECT_TRUE(g_edited.empty());
        return g_added.empty() ? AddCall{} : g_added[0];
    }

    ScratchRegistry registry;
    ScratchFolder folder;
    CountingLauncher launcher;
    std::string profiles;
};

TEST_F(LauncherTest, AFileNameOpensOnlyTheEditorWithoutReadingTheRegistry) {
    setCurrentProfile("Work", folder.path());
    launcher.run({"C:\\Tables\\plot.ctb"});
    EXPECT_EQ(g_edited, std::vector<std::string>{"C:\\Tables\\plot.ctb"});
    EXPECT_TRUE(g_added.empty());
    EXPECT_EQ(launcher.registryReads, 0);
}

TEST_F(LauncherTest, SwitchesOpenNothing) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"/p", "a.ctb"}, {"/pt", "a.ctb", "P", "D", "O"}, {"/dde"}, {"-Embedding"}}) {
        launcher.run(args);
        EXPECT_TRUE(g_edited.empty()) << args[0];
        EXPECT_TRUE(g_added.empty()) << args[0];
    }
    EXPECT_EQ(launcher.registryReads, 0);
}

TEST_F(LauncherTest, TheWizardWorksInTheCurrentProfilesFolderWithoutPenSettings) {
    setCurrentProfile("Work", folder.path());
    ScratchRegistry::createKey(HKEY_CURRENT_USER, profiles + "\\Other\\Config");
    launcher.run({});
    const AddCall call = onlyAdd();
    EXPECT_EQ(call.directory, folder.path());
    EXPECT_FALSE(call.pens);
    EXPECT_FALSE(call.flag);
    EXPECT_FALSE(call.parent);
}

TEST_F(LauncherTest, AFolderThatIsGoneOrNoFolderFallsBackOnTheProgramsFolder) {
    const std::string own = programFolder();
    setCurrentProfile("Work", folder.path() + "gone");
    launcher.run({});
    ScratchRegistry::setString(HKEY_CURRENT_USER, profiles + "\\Work\\Config", "PlotStyle",
                               folder.path() + "file.txt");
    CloseHandle(CreateFileA((folder.path() + "file.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, 0, nullptr));
    launcher.run({});
    ScratchRegistry::setString(HKEY_CURRENT_USER, profiles, nullptr, "Nobody");
    launcher.run({});
    ASSERT_EQ(g_added.size(), 3u);
    for (const AddCall& call : g_added) EXPECT_EQ(call.directory, own);
}

TEST_F(LauncherTest, PenSettingsArePassedOnlyWhenTheyWereRead) {
    setCurrentProfile("Work", folder.path());
    const std::string plot = brantle::penSettingsKeyPath(profiles);
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "1", "7,,0,0.35");
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "Units", "I");
    launcher.run({});
    AddCall call = onlyAdd();
    EXPECT_TRUE(call.pens);
    EXPECT_EQ(call.firstPen, 7);
    EXPECT_TRUE(call.flag);
    // A key whose values read as no pen: no pen settings, and the flag as the reading left it.
    g_added.clear();
    RegDeleteTreeA(HKEY_CURRENT_USER, plot.c_str());
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "1", "not a pen");
    ScratchRegistry::setString(HKEY_CURRENT_USER, plot, "Units", "I");
    launcher.run({});
    call = onlyAdd();
    EXPECT_FALSE(call.pens);
    EXPECT_TRUE(call.flag);
}

TEST_F(LauncherTest, TheSystemsLanguageChoosesTheProfilesKeyNotTheHostsInterfaceLanguage) {
    launcher.language = "FRA";
    ScratchRegistry::setString(HKEY_CURRENT_USER, brantle::kProductKey, "CURLANG", "DEU");
    const std::string french = brantle::profilesKeyPath("FRA");
    const std::string german = brantle::profilesKeyPath("DEU");
    ScratchFolder other;
    ScratchRegistry::setString(HKEY_CURRENT_USER, german, nullptr, "Work");
    ScratchRegistry::setString(HKEY_CURRENT_USER, german + "\\Work\\Config", "PlotStyle",
                               other.path());
    ScratchRegistry::setString(HKEY_CURRENT_USER, french, nullptr, "Work");
    ScratchRegistry::setString(HKEY_CURRENT_USER, french + "\\Work\\Config", "PlotStyle",
                               folder.path());
    launcher.run({});
    EXPECT_EQ(onlyAdd().directory, folder.path());
    // The real abbreviation is three letters, read from the system's locale.
    EXPECT_EQ(brantle::Launcher({recordEdit, recordAdd}).systemLanguage().size(), 3u);
}

TEST_F(LauncherTest, RegistryTextsCountOnlyWithTheirTerminatorAndAStringType) {
    const std::string key = profiles + "\\Values";
    std::string text = "sentinel";
    setRaw(key, "terminated", REG_SZ, std::string("abc\0", 4));
    setRaw(key, "dword", REG_DWORD, std::string("\1\0\0\0", 4));
    setRaw(key, "empty", REG_SZ, "");
    setRaw(key, "multi", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    setRaw(key, "half multi", REG_MULTI_SZ, std::string("a\0b\0", 4));
    setRaw(key, "long", REG_SZ, std::string(259, 'x') + '\0');
    setRaw(key, "too long", REG_SZ, std::string(260, 'x') + '\0');
    // (Wine's narrow query terminates a REG_SZ stored without its zero itself, so the rule
    // shows here on a multi-string that lacks its second zero.)
    for (const char* refused : {"dword", "empty", "half multi", "too long", "none"})
        EXPECT_FALSE(brantle::readRegistryText(HKEY_CURRENT_USER, key, refused, text)) << refused;
    EXPECT_EQ(text, "sentinel");
    EXPECT_TRUE(brantle::readRegistryText(HKEY_CURRENT_USER, key, "terminated", text));
    EXPECT_EQ(text, "abc");
    EXPECT_TRUE(brantle::readRegistryText(HKEY_CURRENT_USER, key, "multi", text));
    EXPECT_EQ(text, "a");
    EXPECT_TRUE(brantle::readRegistryText(HKEY_CURRENT_USER, key, "long", text));
    EXPECT_EQ(text.size(), 259u);
    // A folder value without its terminating zeros is no folder.
    ScratchRegistry::setString(HKEY_CURRENT_USER, profiles, nullptr, "Work");
    setRaw(profiles + "\\Work\\Config", "PlotStyle", REG_MULTI_SZ, folder.path() + '\0');
    std::string found;
    EXPECT_FALSE(launcher.findPlotStyleFolder(profiles, found));
}

}  // namespace
