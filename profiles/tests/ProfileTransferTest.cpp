// Export, import, copy and rename through Wine's real registry editor: after each the
// registry holds exactly what it should, and no temporary file is left.
#include "TransferFixture.h"
#include "dialogs/ModuleState.h"
#include "profiles/ExportFile.h"

#include <algorithm>

using namespace testing_support;
using profiles::ProfileStore;

namespace {

// The store with the editor runs under the test's control.
class ScriptedStore : public ProfileStore {
public:
    using ProfileStore::ProfileStore;
    int failImports = 0;       // this many imports fail as if the editor could not start
    bool skipExports = false;  // exports "succeed" without writing anything
    std::string program = "regedit";
    int imports = 0;

protected:
    bool runEditor(const std::string& parameters) override {
        bool isExport = parameters.find(" /e ") != std::string::npos;
        if (isExport && skipExports) return true;
        if (!isExport) {
            ++imports;
            if (failImports > 0) {
                --failImports;
                return false;
            }
        }
        return ProfileStore::runEditor(parameters);
    }
    std::string editorProgram() const override { return program; }
};

class ProfileTransferTest : public TransferTest {};

TEST_F(ProfileTransferTest, ExportWritesTheProfileAsUtf16WithItsDescription) {
    makeRichProfile("Work");
    std::string file = temp.path() + "work.arg";
    ASSERT_TRUE(store.exportProfile("Work", file));
    std::string bytes = readFileBytes(file);
    ASSERT_GE(bytes.size(), 2u);
    EXPECT_EQ(bytes.substr(0, 2), "\xFF\xFE");
    std::string name, text;
    ASSERT_TRUE(store.readExportHeader(file, name, text));
    EXPECT_EQ(name, "Work");
    EXPECT_EQ(text, kRichDescription);
}

TEST_F(ProfileTransferTest, ExportOfAMissingProfileFailsWithoutAFile) {
    std::string file = temp.path() + "none.arg";
    EXPECT_FALSE(store.exportProfile("Nobody", file));
    EXPECT_FALSE(store.exportProfile("", file));
    EXPECT_EQ(GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProfileTransferTest, ImportAsOfAUtf16ExportRecreatesTheProfileExactly) {
    makeRichProfile("Work");
    std::string file = temp.path() + "work.arg";
    ASSERT_TRUE(store.exportProfile("Work", file));
    std::string before = snapshot(key("Work"));
    ASSERT_TRUE(store.importAs(file, "Second"));
    EXPECT_EQ(snapshot(key("Second")), before) << "wide-only text included";
    EXPECT_EQ(snapshot(key("Work")), before);
}

TEST_F(ProfileTransferTest, NarrowAndUtf16FilesOfOneProfileReadAndImportAlike) {
    makeRichProfile("Work");
    // The narrow file is made from the UTF-16 one by dropping the high bytes. That is faithful
    // except for the wide-only text and for hex(2)/hex(7) data, which a narrow file holds as
    // narrow bytes: those values are left out here.
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key("Work").c_str(), 0, KEY_SET_VALUE, &k), 0);
    for (const char* value : {"Wide", "Expand", "Multi"}) RegDeleteValueA(k, value);
    RegCloseKey(k);
    std::string wideFile = temp.path() + "wide.arg", narrowFile = temp.path() + "narrow.arg";
    ASSERT_TRUE(store.exportProfile("Work", wideFile));
    std::string bytes = readFileBytes(wideFile), narrow;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
        ASSERT_EQ(bytes[i + 1], 0) << "ASCII only";
        narrow += bytes[i];
    }
    writeFileBytes(narrowFile, narrow);

    std::string wideName, wideText, narrowName, narrowText;
    ASSERT_TRUE(store.readExportHeader(wideFile, wideName, wideText));
    ASSERT_TRUE(store.readExportHeader(narrowFile, narrowName, narrowText));
    EXPECT_EQ(narrowName, wideName);
    EXPECT_EQ(narrowText, wideText);
    ASSERT_TRUE(store.importAs(wideFile, "FromWide"));
    ASSERT_TRUE(store.importAs(narrowFile, "FromNarrow"));
    EXPECT_EQ(snapshot(key("FromNarrow")), snapshot(key("Work")));
    EXPECT_EQ(snapshot(key("FromWide")), snapshot(key("Work")));
}

TEST_F(ProfileTransferTest, ImportAsOfAFileFromAnotherRootFailsAndWritesNothing) {
    ScratchRoot other("Other Product\\ENU");
    ProfileStore otherStore;
    otherStore.setRootUnchecked(other.path());
    ASSERT_TRUE(otherStore.create("Foreign", std::string("from elsewhere")));
    std::string file = temp.path() + "foreign.arg";
    ASSERT_TRUE(otherStore.exportProfile("Foreign", file));
    std::string mine = snapshot(scratch.path()), theirs = snapshot(other.path());

    std::string name = "sentinel", text;
    EXPECT_FALSE(store.readExportHeader(file, name, text));
    EXPECT_EQ(name, "");
    EXPECT_FALSE(store.importAs(file, "Foreign"));
    EXPECT_EQ(snapshot(scratch.path()), mine);
    EXPECT_EQ(snapshot(other.path()), theirs);
}

TEST_F(ProfileTransferTest, ImportAsIntoAnExistingProfileKeepsItsOwnValues) {
    makeRichProfile("Work");
    setString(key("Target"), "OnlyHere", "kept");
    std::string file = temp.path() + "work.arg";
    ASSERT_TRUE(store.exportProfile("Work", file));
    ASSERT_TRUE(store.importAs(file, "Target"));
    std::string text;
    EXPECT_EQ(descriptionOf("Target"), kRichDescription);
    HKEY k;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key("Target").c_str(), 0, KEY_READ, &k), 0);
    EXPECT_EQ(RegQueryValueExA(k, "OnlyHere", nullptr, nullptr, nullptr, nullptr), 0);
    RegCloseKey(k);
}

TEST_F(ProfileTransferTest, CopyDuplicatesTheProfileWithTheGivenOrTheCopiedDescription) {
    makeRichProfile("Work");
    std::string before = snapshot(key("Work"));
    ASSERT_TRUE(store.copy("Work", "Copy"));
    EXPECT_EQ(snapshot(key("Copy")), before);
    ASSERT_TRUE(store.copy("Work", "Described", std::string("other\r\ntext")));
    EXPECT_EQ(descriptionOf("Described"), "other\r\ntext");
    ASSERT_TRUE(store.setDescription("Described", kRichDescription));
    EXPECT_EQ(snapshot(key("Described")), before);
    EXPECT_EQ(snapshot(key("Work")), before);
}

TEST_F(ProfileTransferTest, CopyReplacesAnotherProfileAndWritesIntoTheCurrentOne) {
    makeRichProfile("Work");
    recordCurrent("Main");
    setString(key("Main"), "OnlyHere", "kept");
    setString(key("Spare"), "OnlyHere", "dropped");
    ASSERT_TRUE(store.copy("Work", "Spare"));
    EXPECT_EQ(snapshot(key("Spare")), snapshot(key("Work")));

    ASSERT_TRUE(store.copy("Work", "MAIN"));
    EXPECT_EQ(descriptionOf("Main"), kRichDescription);
    EXPECT_NE(snapshot(key("Main")).find("OnlyHere"), std::string::npos)
        << "the current profile is written into, not removed";
    std::string current;
    ASSERT_TRUE(store.current(current));
    EXPECT_EQ(current, "Main");
}

TEST_F(ProfileTransferTest, AFailedImportInCopyBringsTheReplacedProfileBack) {
    makeRichProfile("Work");
    recordCurrent();
    setString(key("Spare\\Config"), "Mine", "precious");
    store.setDescription("Spare", "spare one");
    std::string before = snapshot(key("Spare"));

    ScriptedStore scripted(scratch.path());
    scripted.failImports = 1;
    EXPECT_FALSE(scripted.copy("Work", "Spare"));
    EXPECT_EQ(scripted.imports, 2) << "the failed import, then the restore";
    EXPECT_EQ(snapshot(key("Spare")), before);
}

TEST_F(ProfileTransferTest, ACopyWhoseExportWroteNothingChangesNothing) {
    makeRichProfile("Work");
    recordCurrent();
    setString(key("Spare"), "Mine", "precious");
    std::string before = snapshot(scratch.path());
    ScriptedStore scripted(scratch.path());
    scripted.skipExports = true;
    EXPECT_FALSE(scripted.copy("Work", "Spare"));
    EXPECT_FALSE(scripted.copy("Work", "Fresh"));
    EXPECT_EQ(scripted.imports, 0);
    EXPECT_EQ(snapshot(scratch.path()), before);
}

TEST_F(ProfileTransferTest, RenameMovesTheProfileAndTheCurrentMarker) {
    makeRichProfile("Work");
    setString(scratch.path(), nullptr, "work");
    std::string before = snapshot(key("Work"));
    ASSERT_TRUE(store.rename("Work", "Moved"));
    EXPECT_FALSE(keyExists(key("Work")));
    EXPECT_EQ(snapshot(key("Moved")), before);
    std::string current;
    ASSERT_TRUE(store.current(current));
    EXPECT_EQ(current, "Moved");
}

TEST_F(ProfileTransferTest, RenameWithADescriptionKeepsTheMarkerOfAnotherProfile) {
    makeRichProfile("Work");
    recordCurrent();
    ASSERT_TRUE(store.rename("Work", "Moved", std::string("renamed")));
    EXPECT_EQ(descriptionOf("Moved"), "renamed");
    EXPECT_FALSE(keyExists(key("Work")));
    std::string current;
    ASSERT_TRUE(store.current(current));
    EXPECT_EQ(current, "Main");
}

TEST_F(ProfileTransferTest, RenameToAnotherLetterCaseKeepsTheProfileAndItsContents) {
    makeRichProfile("Work");
    recordCurrent();
    std::string before = snapshot(key("Work"));
    ASSERT_TRUE(store.rename("Work", "WORK"));
    std::vector<std::string> names = subkeys(scratch.path());
    EXPECT_NE(std::find(names.begin(), names.end(), "WORK"), names.end());
    EXPECT_EQ(std::find(names.begin(), names.end(), "Work"), names.end());
    EXPECT_EQ(snapshot(key("WORK")), before);

    // The current profile too: the marker follows the new spelling.
    ASSERT_TRUE(store.rename("Main", "main", std::string("lower")));
    std::string current;
    ASSERT_TRUE(store.current(current));
    EXPECT_EQ(current, "main");
    EXPECT_EQ(descriptionOf("main"), "lower");
    names = subkeys(scratch.path());
    EXPECT_NE(std::find(names.begin(), names.end(), "main"), names.end());
}

TEST_F(ProfileTransferTest, RenameToTheSameNameOnlyChangesTheDescription) {
    makeRichProfile("Work");
    ASSERT_TRUE(store.rename("Work", "Work", std::string("new words")));
    EXPECT_EQ(descriptionOf("Work"), "new words");
    EXPECT_NE(snapshot(key("Work")).find("Deeper"), std::string::npos);
}

TEST_F(ProfileTransferTest, RenameWhileNoCurrentProfileIsRecordedFailsBeforeCopying) {
    makeRichProfile("Work");
    std::string before = snapshot(key("Work"));
    EXPECT_FALSE(store.rename("Work", "Moved"));
    EXPECT_FALSE(keyExists(key("Moved"))) << "no copy is left behind";
    EXPECT_EQ(snapshot(key("Work")), before);
    EXPECT_FALSE(store.rename("Work", "WORK"));
    EXPECT_EQ(subkeys(scratch.path()), std::vector<std::string>{"Work"});
    EXPECT_EQ(snapshot(key("Work")), before);
}

TEST_F(ProfileTransferTest, AnEditorThatCannotBeStartedShowsTheSystemText) {
    makeRichProfile("Work");
    ScriptedStore scripted(scratch.path());
    scripted.program = "no-such-editor-here";
    dlg::setAppTitle("Wendmark");
    EXPECT_FALSE(scripted.exportProfile("Work", temp.path() + "x.arg"));
    dlg::setAppTitle("");
    ASSERT_EQ(boxes.boxes().size(), 1u);
    EXPECT_EQ(boxes.boxes()[0].title, "Wendmark");
    char expected[512] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), expected,
                   sizeof(expected), nullptr);
    EXPECT_EQ(boxes.boxes()[0].text, expected);
    EXPECT_EQ(boxes.boxes()[0].type, static_cast<UINT>(MB_OK));

    EXPECT_FALSE(scripted.copy("Work", "Copy"));
    EXPECT_FALSE(keyExists(key("Copy")));
}

TEST_F(ProfileTransferTest, EveryTransferFailsOnAnEmptyRoot) {
    ProfileStore empty;
    std::string name, text;
    std::string file = temp.path() + "x.arg";
    writeFileBytes(file, "REGEDIT4\r\n");
    EXPECT_FALSE(empty.exportProfile("A", file));
    EXPECT_FALSE(empty.importFile(file));
    EXPECT_FALSE(empty.importAs(file, "A"));
    EXPECT_FALSE(empty.copy("A", "B"));
    EXPECT_FALSE(empty.rename("A", "B"));
    EXPECT_FALSE(empty.readExportHeader(file, name, text));
}

}  // namespace
