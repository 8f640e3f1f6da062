// Wendmark.exe's start-up, run for real: a root argument that names no key, a program folder
// without resource libraries or with only the English one, and a root written with slashes.
#include "EndToEndSupport.h"

using namespace testing_support;

namespace {

class WendmarkStartTest : public WendmarkTest {
protected:
    // A copy of the program in a folder of its own, with the given resource library folders.
    std::string installCopy(const std::vector<std::string>& languageFolders) {
        std::string folder = temp.path() + "install\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateDirectoryA((folder + "lang").c_str(), nullptr);
        for (const std::string& language : languageFolders) {
            std::string target = folder + "lang\\" + language;
            CreateDirectoryA(target.c_str(), nullptr);
            EXPECT_TRUE(CopyFileA((dlg::programFolder() + "RostelleRes.dll").c_str(),
                                  (target + "\\RostelleRes.dll").c_str(), FALSE));
        }
        EXPECT_TRUE(CopyFileA(program.c_str(), (folder + "Wendmark.exe").c_str(), FALSE));
        return folder + "Wendmark.exe";
    }
    // The one box a start shows (no main dialog before it), answered with OK.
    std::string onlyBox(HWND& box) {
        box = remote::waitForWindow(app.id(), [](HWND w) { return remote::classOf(w) == "#32770"; });
        if (!box) return "<no box>";
        std::string text = remote::boxText(box);
        EXPECT_EQ(remote::waitForTitle(app.id(), title, box, 300), nullptr) << "no main dialog";
        return text;
    }
};

TEST_F(WendmarkStartTest, ARootArgumentNamingNoKeyIsShownAsTypedAndNoDialogOpens) {
    const std::string argument = root.base() + "/Missing %s %d/";
    ASSERT_TRUE(app.start(program, {argument}));
    HWND box = nullptr;
    EXPECT_EQ(onlyBox(box), "There is no profiles key \"" + argument + "\".");
    EXPECT_EQ(remote::textOf(box), "Wendmark");
    remote::answer(box, IDOK);
    EXPECT_EQ(app.waitExit(15000), 1u);
}

TEST_F(WendmarkStartTest, WithoutAnyResourceLibraryTheProgramSaysSoAndEnds) {
    const std::string copy = installCopy({});
    ASSERT_TRUE(app.start(copy, {root.path()}));
    HWND box = nullptr;
    EXPECT_EQ(onlyBox(box), "Can't load RostelleRes.dll");
    EXPECT_EQ(remote::textOf(box), "Wendmark");
    remote::answer(box, IDOK);
    EXPECT_EQ(app.waitExit(15000), 1u);
}

TEST_F(WendmarkStartTest, TheEnglishLibraryServesWhenTheLanguagesFolderIsMissing) {
    const std::string copy = installCopy({"English"});
    ASSERT_TRUE(app.start(copy, {root.path()}));
    main = remote::waitForWindow(app.id(), [](HWND w) { return remote::classOf(w) == "#32770"; });
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(remote::textOf(main), title) << "the main dialog, not a box";
    remote::answer(main, IDOK);
    EXPECT_EQ(app.waitExit(15000), 0u);
}

TEST_F(WendmarkStartTest, ARootWrittenWithSlashesAndBlanksIsCompleted) {
    createKey(key("Work"));
    std::string middle = root.path().substr(9, root.path().size() - 18);
    std::string slashed = middle;
    for (char& c : slashed)
        if (c == '\\') c = '/';
    start({" /" + slashed + "/ "});
    EXPECT_EQ(rows(), (std::vector<std::string>{"Work"}));
    EXPECT_EQ(remote::textOf(GetDlgItem(main, IDC_ROOT_LABEL)), "Profiles in: " + middle + "\r\n");
}

}  // namespace
