// Start-up order on a scripted system: which resource libraries are tried, the box when none
// loads, the root from the command line or by default, and the single running copy.
#include "RostelleIds.h"
#include "Startup.h"

#include <gtest/gtest.h>

#include <set>

using namespace profiles;

namespace {

using Names = std::vector<std::string>;

class ScriptedSystem : public StartupSystem {
public:
    std::string language = "ENU";
    std::set<std::string> libraries;  // paths that load
    std::set<std::string> keys;       // full roots that exist
    bool otherCopy = false;
    bool otherWindow = true;

    Names tried, errorBoxes, standardBoxes, calls;
    std::string dialogRoot;
    bool loaded = false;

    std::string languageCode() override { return language; }
    std::string programDirectory() override { return "C:\\Kivra\\"; }
    bool loadResources(const std::string& path) override {
        tried.push_back(path);
        return loaded = libraries.count(path) > 0;
    }
    std::string text(unsigned id) override {
        EXPECT_TRUE(loaded) << "string " << id << " read before the library was loaded";
        switch (id) {
            case IDS_ROOT_SUFFIX: return "\\Profiles";
            case IDS_BAD_ROOT_ARGUMENT: return "No key \"%s\" (100%%).";
            case IDS_TITLE: return "Wendmark Profile Manager";
            default: return std::string();
        }
    }
    std::string productKeyPath(bool withLanguage) override {
        return std::string("Software\\Oremund\\Kivra 2013\\") + (withLanguage ? language : "");
    }
    bool normaliseRoot(const std::string& candidate, std::string& full) override {
        calls.push_back("normalise " + candidate);
        std::string path = candidate;
        for (char& c : path)
            if (c == '/') c = '\\';
        full = "Software\\" + path + "\\Profiles";
        if (keys.count(full)) return true;
        full.clear();
        return false;
    }
    void errorBox(const std::string& text) override { errorBoxes.push_back(text); }
    void standardBox(const std::string& text) override { standardBoxes.push_back(text); }
    bool anotherCopyRunning() override {
        calls.push_back("mutex");
        return otherCopy;
    }
    bool bringForward(const std::string& title) override {
        calls.push_back("bringForward " + title);
        return otherWindow;
    }
    void runMainDialog(const std::string& root) override {
        calls.push_back("dialog");
        dialogRoot = root;
    }
};

const std::string kEnu = "C:\\Kivra\\lang\\ENU\\RostelleRes.dll";
const std::string kEnglish = "C:\\Kivra\\lang\\English\\RostelleRes.dll";

TEST(StartupTest, TheLanguagesLibraryIsTriedFirstAndEnglishAfterIt) {
    ScriptedSystem system;
    system.libraries = {kEnu};
    EXPECT_EQ(runStartup(system, {"Wendmark.exe"}), StartupEnd::DialogClosed);
    EXPECT_EQ(system.tried, (Names{kEnu}));

    ScriptedSystem russian;
    russian.language = "RUS";
    russian.libraries = {kEnglish};
    EXPECT_EQ(runStartup(russian, {"Wendmark.exe"}), StartupEnd::DialogClosed);
    EXPECT_EQ(russian.tried, (Names{"C:\\Kivra\\lang\\RUS\\RostelleRes.dll", kEnglish}));
    EXPECT_TRUE(russian.errorBoxes.empty());
    EXPECT_TRUE(russian.standardBoxes.empty());

    ScriptedSystem german;
    german.language = "DE";
    german.libraries = {"C:\\Kivra\\lang\\DE\\RostelleRes.dll", kEnglish};
    runStartup(german, {"Wendmark.exe"});
    EXPECT_EQ(german.tried, (Names{"C:\\Kivra\\lang\\DE\\RostelleRes.dll"}));
}

TEST(StartupTest, WithoutAnyLibraryTheBoxShowsAndNothingElseHappens) {
    ScriptedSystem system;
    EXPECT_EQ(runStartup(system, {"Wendmark.exe", "Some\\Root"}), StartupEnd::NoResources);
    EXPECT_EQ(system.tried, (Names{kEnu, kEnglish}));
    EXPECT_EQ(system.errorBoxes, (Names{"Can't load RostelleRes.dll"}));
    EXPECT_TRUE(system.calls.empty()) << "no root test, no mutex, no dialog";
}

TEST(StartupTest, WithoutArgumentTheDefaultRootIsUsedUntested) {
    ScriptedSystem system;
    system.libraries = {kEnu};
    runStartup(system, {"Wendmark.exe"});
    EXPECT_EQ(system.dialogRoot, "Software\\Oremund\\Kivra 2013\\ENU\\Profiles");
    EXPECT_EQ(system.calls, (Names{"mutex", "dialog"}));
}

TEST(StartupTest, TheFirstArgumentIsCompletedAndOthersAreIgnored) {
    ScriptedSystem system;
    system.libraries = {kEnu};
    system.keys = {"Software\\Vendor\\CAD\\Profiles"};
    runStartup(system, {"Wendmark.exe", "Vendor/CAD", "ignored"});
    EXPECT_EQ(system.calls, (Names{"normalise Vendor/CAD", "mutex", "dialog"}));
    EXPECT_EQ(system.dialogRoot, "Software\\Vendor\\CAD\\Profiles");
}

TEST(StartupTest, AnArgumentNamingNoKeyIsShownAsTypedAndNeverReadAsAFormat) {
    ScriptedSystem system;
    system.libraries = {kEnu};
    EXPECT_EQ(runStartup(system, {"Wendmark.exe", "%s%n%x/Nowhere"}), StartupEnd::BadRoot);
    EXPECT_EQ(system.standardBoxes, (Names{"No key \"%s%n%x/Nowhere\" (100%)."}));
    EXPECT_EQ(system.calls, (Names{"normalise %s%n%x/Nowhere"}));
}

TEST(StartupTest, AnotherCopyIsBroughtForwardOnlyWhenItsWindowIsFound) {
    ScriptedSystem system;
    system.libraries = {kEnu};
    system.otherCopy = true;
    EXPECT_EQ(runStartup(system, {"Wendmark.exe"}), StartupEnd::OtherCopy);
    EXPECT_EQ(system.calls, (Names{"mutex", "bringForward Wendmark Profile Manager"}));

    ScriptedSystem noWindow;
    noWindow.libraries = {kEnu};
    noWindow.otherCopy = true;
    noWindow.otherWindow = false;
    EXPECT_EQ(runStartup(noWindow, {"Wendmark.exe"}), StartupEnd::DialogClosed);
    EXPECT_EQ(noWindow.calls, (Names{"mutex", "bringForward Wendmark Profile Manager", "dialog"}));
}

TEST(ProgramDirectoryTest, DriveAndDirectoryWithTheirBackslash) {
    EXPECT_EQ(programDirectoryOf("C:\\Program Files\\Kivra\\Wendmark.exe"),
              "C:\\Program Files\\Kivra\\");
    EXPECT_EQ(programDirectoryOf("\\\\server\\share\\Wendmark.exe"), "\\\\server\\share\\");
    EXPECT_EQ(programDirectoryOf("C:Wendmark.exe"), "C:");
    EXPECT_EQ(programDirectoryOf("Wendmark.exe"), "");
    EXPECT_EQ(resourceLibraryPaths("", "ENU")[0], "lang\\ENU\\RostelleRes.dll");
}

}  // namespace
