// The root dialog's rules: the combo's entries on first use and with stored roots, the list
// stored after OK, and writing it so that a failed write loses nothing.
#include "RecentRoots.h"
#include "profiles/RootPath.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace profiles;

namespace {

using Names = std::vector<std::string>;

// Keys that exist, as normaliseRoot/shortRoot see them.
struct Keys {
    std::set<std::string> existing;
    bool full(const std::string& path, std::string& result) const {
        result = completeRoot(path, "Software\\", "\\Profiles");
        for (const std::string& k : existing)
            if (equalsNoCaseAscii(k, result)) return true;
        result.clear();
        return false;
    }
    bool shortForm(const std::string& path, std::string& result) const {
        if (!full(path, result)) return false;
        result = shortenRoot(result, "Software\\", "\\Profiles");
        return true;
    }
    RootForm fullFn() const {
        return [this](const std::string& p, std::string& r) { return full(p, r); };
    }
    RootForm shortFn() const {
        return [this](const std::string& p, std::string& r) { return shortForm(p, r); };
    }
};

const std::string kLanguageKey = "Software\\Oremund\\Kivra 2013\\ENU";

TEST(RootChoicesTest, StoredRootsShowShortAndThoseWithoutKeyAreSkipped) {
    Keys keys{{"Software\\A\\Profiles", "Software\\C\\Profiles"}};
    Names stored{"Software\\A\\Profiles", "Software\\B\\Profiles", "Software\\C\\Profiles"};
    EXPECT_EQ(rootChoices(stored, keys.shortFn(), kLanguageKey), (Names{"A", "C"}));
    EXPECT_EQ(rootChoices({"Software\\B\\Profiles"}, keys.shortFn(), kLanguageKey),
              (Names{kLanguageKey}));
    EXPECT_EQ(rootChoices({}, keys.shortFn(), kLanguageKey), (Names{kLanguageKey}));
}

TEST(RootChoicesTest, OnFirstUseWithoutProfilesKeyNoEmptyEntryIsAdded) {
    Keys keys;  // not even the product's own profiles key exists yet
    Names entries = rootChoices({}, keys.shortFn(), kLanguageKey);
    EXPECT_EQ(firstChoiceOnTop(entries, keys.shortFn()), (Names{kLanguageKey}));
}

TEST(RootChoicesTest, TheFirstEntrysShortFormGoesOnTopOnce) {
    Keys keys{{kLanguageKey + "\\Profiles", "Software\\A\\Profiles"}};
    // The fallback written in full gets its short form on top.
    EXPECT_EQ(firstChoiceOnTop({kLanguageKey}, keys.shortFn()),
              (Names{"Oremund\\Kivra 2013\\ENU", kLanguageKey}));
    // A short form already first stays alone.
    EXPECT_EQ(firstChoiceOnTop({"A", "Oremund\\Kivra 2013\\ENU"}, keys.shortFn()),
              (Names{"A", "Oremund\\Kivra 2013\\ENU"}));
    // Found further down (in other letter case): moved up, not doubled.
    EXPECT_EQ(firstChoiceOnTop({"software/a/", "B", "a"}, keys.shortFn()), (Names{"a", "software/a/", "B"}));
}

TEST(RecentRootsAfterChoiceTest, ChoiceFirstThenEveryOtherExistingRootOnce) {
    Keys keys{{"Software\\A\\Profiles", "Software\\C\\Profiles", kLanguageKey + "\\Profiles"}};
    Names entries{"Oremund\\Kivra 2013\\ENU", "A", "gone", "c", kLanguageKey, "C"};
    EXPECT_EQ(recentRootsAfterChoice("Software\\C\\Profiles", entries, keys.fullFn()),
              (Names{"Software\\C\\Profiles", kLanguageKey + "\\Profiles",
                     "Software\\A\\Profiles"}));
}

class FakeKey : public RecentRootsKey {
public:
    std::map<std::string, std::string> values;  // the registry ignores case; these are exact
    int failAtWrite = -1;
    int writes = 0;
    bool write(const std::string& name, const std::string& text) override {
        if (writes++ == failAtWrite) return false;
        values[name] = text;
        return true;
    }
    bool read(const std::string& name, std::string& text) const override {
        auto it = values.find(name);
        if (it == values.end()) return false;
        text = it->second;
        return true;
    }
    std::vector<std::string> valueNames() const override {
        std::vector<std::string> names;
        for (const auto& v : values) names.push_back(v.first);
        return names;
    }
    void removeValue(const std::string& name) override { values.erase(name); }
};

TEST(RecentRootsStorageTest, LoadReadsKeyNUpToTheFirstGap) {
    FakeKey key;
    key.values = {{"Key0", "a"}, {"Key1", "b"}, {"Key3", "d"}};
    EXPECT_EQ(loadRecentRoots(key), (Names{"a", "b"}));
    EXPECT_EQ(recentRootValueName(12), "Key12");
}

TEST(RecentRootsStorageTest, SavingAShorterListRemovesTheStaleValues) {
    FakeKey key;
    key.values = {{"Key0", "a"}, {"Key1", "b"}, {"Key2", "c"}, {"Other", "x"}};
    EXPECT_TRUE(saveRecentRoots(key, {"c", "a"}));
    EXPECT_EQ(key.values, (std::map<std::string, std::string>{{"Key0", "c"}, {"Key1", "a"}}));
    EXPECT_EQ(loadRecentRoots(key), (Names{"c", "a"}));
}

TEST(RecentRootsStorageTest, AFailedWriteKeepsWhatWasStoredBeyondIt) {
    FakeKey key;
    key.values = {{"Key0", "a"}, {"Key1", "b"}, {"Key2", "c"}};
    key.failAtWrite = 1;
    EXPECT_FALSE(saveRecentRoots(key, {"c", "a"}));
    EXPECT_EQ(key.values, (std::map<std::string, std::string>{
                              {"Key0", "c"}, {"Key1", "b"}, {"Key2", "c"}}));
    key.failAtWrite = 0;
    key.writes = 0;
    EXPECT_FALSE(saveRecentRoots(key, {"z"}));
    EXPECT_EQ(loadRecentRoots(key).size(), 3u) << "nothing was removed";
}

}  // namespace
