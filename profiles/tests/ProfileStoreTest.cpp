// The profile store on Wine's registry: root handling, listing, the current-profile marker,
// the string reading rule, descriptions, removal and creation, in private scratch keys.
#include "ScratchRoot.h"
#include "profiles/ProfileStore.h"

#include <gtest/gtest.h>

using namespace testing_support;
using profiles::ProfileStore;

namespace {

class ProfileStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        useResourceLibrary();
        createKey(scratch.path());
        ASSERT_TRUE(store.setRoot(scratch.path()));
    }
    std::string key(const std::string& name) const { return scratch.path() + "\\" + name; }

    ScratchRoot scratch;
    ProfileStore store;
};

TEST_F(ProfileStoreTest, SetRootAcceptsOnlyAnExistingKeyAndKeepsTheOldRootOtherwise) {
    EXPECT_FALSE(store.setRoot(""));
    EXPECT_FALSE(store.setRoot(scratch.base() + "\\Missing\\Profiles"));
    EXPECT_EQ(store.root(), scratch.path());
    EXPECT_FALSE(keyExists(scratch.base() + "\\Missing")) << "setRoot must not create";

    ProfileStore unusable(scratch.base() + "\\Missing\\Profiles");
    EXPECT_EQ(unusable.root(), "");
    EXPECT_FALSE(unusable.rootUsable());
}

TEST_F(ProfileStoreTest, ListCreatesAMissingRootAndYieldsNoNames) {
    ProfileStore fresh;
    fresh.setRootUnchecked(scratch.base() + "\\Other\\Profiles");
    EXPECT_FALSE(fresh.rootUsable());
    EXPECT_FALSE(keyExists(fresh.root())) << "rootUsable must not create";
    std::vector<std::string> names = {"sentinel"};
    EXPECT_TRUE(fresh.list(names));
    EXPECT_TRUE(names.empty());
    EXPECT_TRUE(keyExists(fresh.root()));
    EXPECT_TRUE(fresh.rootUsable());
}

TEST_F(ProfileStoreTest, ListYieldsEveryProfileInEnumerationOrder) {
    for (const char* name : {"Zeta", "alpha", "Mid Profile", "B"}) createKey(key(name));
    createKey(key("alpha\\Nested"));
    std::vector<std::string> names;
    ASSERT_TRUE(store.list(names));
    EXPECT_EQ(names, subkeys(scratch.path()));
    EXPECT_EQ(names.size(), 4u);
}

TEST_F(ProfileStoreTest, AnEmptyRootMakesEveryOperationFail) {
    ProfileStore empty;
    std::vector<std::string> names;
    std::string text = "sentinel";
    EXPECT_FALSE(empty.rootUsable());
    EXPECT_FALSE(empty.list(names));
    EXPECT_FALSE(empty.exists("A"));
    EXPECT_FALSE(empty.current(text));
    EXPECT_FALSE(empty.setCurrent("A"));
    EXPECT_FALSE(empty.description("A", text));
    EXPECT_FALSE(empty.setDescription("A", "x"));
    EXPECT_FALSE(empty.remove("A"));
    EXPECT_FALSE(empty.create("A"));
}

TEST_F(ProfileStoreTest, CurrentIsReadOnlyFromANonEmptyTerminatedStringValue) {
    std::string name = "sentinel";
    EXPECT_FALSE(store.current(name)) << "absent";
    setString(scratch.path(), nullptr, "");
    EXPECT_FALSE(store.current(name)) << "empty";
    setDword(scratch.path(), nullptr, 7);
    EXPECT_FALSE(store.current(name)) << "REG_DWORD";
    // (Wine's narrow registry calls terminate REG_SZ data themselves; a REG_MULTI_SZ with
    // one zero at its end still shows the rule.)
    setValue(scratch.path(), nullptr, REG_MULTI_SZ, "ab\0cd", 6);
    EXPECT_FALSE(store.current(name)) << "REG_MULTI_SZ without its second zero";
    setValue(scratch.path(), nullptr, REG_BINARY, "abc", 4);
    EXPECT_FALSE(store.current(name)) << "REG_BINARY";
    EXPECT_EQ(name, "sentinel");

    setValue(scratch.path(), nullptr, REG_EXPAND_SZ, "%Prof%", 7);
    EXPECT_TRUE(store.current(name));
    EXPECT_EQ(name, "%Prof%");
    setValue(scratch.path(), nullptr, REG_MULTI_SZ, "First\0Second\0", 14);
    EXPECT_TRUE(store.current(name));
    EXPECT_EQ(name, "First");
}

TEST_F(ProfileStoreTest, SetCurrentNeedsAnExistingProfile) {
    EXPECT_FALSE(store.setCurrent("Nobody"));
    std::string name;
    EXPECT_FALSE(store.current(name));
    createKey(key("Work"));
    EXPECT_TRUE(store.setCurrent("Work"));
    EXPECT_TRUE(store.current(name));
    EXPECT_EQ(name, "Work");
}

TEST_F(ProfileStoreTest, DescriptionOf1023CharactersReadsWholeAnd1024ReadsEmpty) {
    createKey(key("P"));
    std::string text;
    EXPECT_TRUE(store.description("P", text)) << "no description is still success";
    EXPECT_EQ(text, "");

    std::string longest(1023, 'd');
    ASSERT_TRUE(store.setDescription("P", longest));
    EXPECT_TRUE(store.description("P", text));
    EXPECT_EQ(text, longest);

    ASSERT_TRUE(store.setDescription("P", longest + "e"));
    text = "sentinel";
    EXPECT_TRUE(store.description("P", text));
    EXPECT_EQ(text, "");

    setDword(key("P"), nullptr, 1);
    EXPECT_TRUE(store.description("P", text));
    EXPECT_EQ(text, "");

    EXPECT_FALSE(store.description("Missing", text));
    EXPECT_FALSE(store.setDescription("Missing", "x"));
    EXPECT_FALSE(keyExists(key("Missing")));
}

TEST_F(ProfileStoreTest, RemoveRefusesEverythingWhileNoCurrentProfileIsRecorded) {
    createKey(key("A"));
    createKey(key("B"));
    EXPECT_FALSE(store.remove("B"));
    EXPECT_TRUE(keyExists(key("B")));
}

TEST_F(ProfileStoreTest, RemoveRefusesTheCurrentProfileInAnyLetterCase) {
    createKey(key("Main"));
    setString(scratch.path(), nullptr, "main");
    EXPECT_FALSE(store.remove("Main"));
    EXPECT_FALSE(store.remove("MAIN"));
    EXPECT_TRUE(keyExists(key("Main")));
}

TEST_F(ProfileStoreTest, RemoveDeletesTheProfileWithEverythingBelowIt) {
    createKey(key("Main"));
    setString(scratch.path(), nullptr, "Main");
    setString(key("Old\\Config"), "PlotStyle", "C:\\styles");
    setDword(key("Old\\Config\\Deep\\Deeper"), "n", 3);
    createKey(key("Old\\Other"));
    EXPECT_TRUE(store.remove("Old"));
    EXPECT_FALSE(keyExists(key("Old")));
    EXPECT_TRUE(keyExists(key("Main")));
    EXPECT_FALSE(store.remove("Old")) << "gone";
}

TEST_F(ProfileStoreTest, NamesThatAreNotASingleKeyNameAreRefused) {
    createKey(key("Main"));
    setString(scratch.path(), nullptr, "Main");
    createKey(key("P\\Sub"));
    std::string text;
    EXPECT_FALSE(store.exists(""));
    EXPECT_FALSE(store.remove(""));
    EXPECT_FALSE(store.exists("P\\Sub"));
    EXPECT_FALSE(store.remove("P\\Sub"));
    EXPECT_FALSE(store.create("P\\New"));
    EXPECT_FALSE(store.setDescription("", "over the marker"));
    EXPECT_TRUE(keyExists(key("P\\Sub")));
    EXPECT_FALSE(keyExists(key("P\\New")));
    ASSERT_TRUE(store.current(text));
    EXPECT_EQ(text, "Main");
}

TEST_F(ProfileStoreTest, CreateOverTheCurrentProfileChangesNothing) {
    setString(key("Main"), "Keep", "me");
    store.setDescription("Main", "old");
    setString(scratch.path(), nullptr, "Main");
    std::string before = snapshot(key("Main"));
    EXPECT_FALSE(store.create("MAIN", std::string("new")));
    EXPECT_EQ(snapshot(key("Main")), before);
}

TEST_F(ProfileStoreTest, CreateReplacesAnotherProfileByAnEmptyOneWithTheDescription) {
    createKey(key("Main"));
    setString(scratch.path(), nullptr, "Main");
    setString(key("Spare\\Config"), "Help", "x");
    EXPECT_TRUE(store.create("Spare", std::string("fresh")));
    EXPECT_TRUE(subkeys(key("Spare")).empty());
    std::string text;
    EXPECT_TRUE(store.description("Spare", text));
    EXPECT_EQ(text, "fresh");

    EXPECT_TRUE(store.create("Bare"));
    EXPECT_EQ(snapshot(key("Bare")), "[.]\n") << "no description given: no default value";
}

TEST_F(ProfileStoreTest, CreateOverAnExistingProfileFailsWhileNoCurrentIsRecorded) {
    setString(key("Spare"), "v", "x");
    std::string before = snapshot(key("Spare"));
    EXPECT_FALSE(store.create("Spare"));
    EXPECT_EQ(snapshot(key("Spare")), before);
}

// HKEY_CURRENT_USER is redirected into a scratch key, so the real product key is untouched.
class ProductKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        createKey(scratch.base());
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, scratch.base().c_str(), 0, KEY_ALL_ACCESS,
                                &redirected),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, redirected), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        RegCloseKey(redirected);
    }
    const std::string product = "Software\\Oremund\\Kivra 2013";
    ScratchRoot scratch;
    HKEY redirected = nullptr;
};

TEST_F(ProductKeyTest, LanguageCodeComesFromCurlangWithEnuAsDefault) {
    EXPECT_EQ(profiles::languageCode(), "ENU") << "no product key";
    createKey(product);
    EXPECT_EQ(profiles::languageCode(), "ENU") << "no value";
    setString(product, "CURLANG", "DE");
    EXPECT_EQ(profiles::languageCode(), "DE");
    setString(product, "CURLANG", "RUSX");
    EXPECT_EQ(profiles::languageCode(), "RUSX");
    setString(product, "CURLANG", "ABCDE");
    EXPECT_EQ(profiles::languageCode(), "ENU") << "too long for the 5-byte buffer";
    setDword(product, "CURLANG", 1033);
    EXPECT_EQ(profiles::languageCode(), "ENU");
    setString(product, "CURLANG", "");
    EXPECT_EQ(profiles::languageCode(), "ENU");
}

TEST_F(ProductKeyTest, ProductKeyPathEndsWithABackslashAndTakesTheLanguageDirectly) {
    setString(product, "CURLANG", "FRA");
    EXPECT_EQ(profiles::productKeyPath(false), "Software\\Oremund\\Kivra 2013\\");
    EXPECT_EQ(profiles::productKeyPath(true), "Software\\Oremund\\Kivra 2013\\FRA");
}

}  // namespace
