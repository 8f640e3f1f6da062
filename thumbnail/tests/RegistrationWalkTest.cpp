// The registration walk against a registry in memory: what registering the shipped script
// writes, that doing it twice changes nothing, ForceRemove and the protected names, what
// unregistering takes and leaves (other programs' handlers), and the roll-back of a
// registration that fails half-way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "MemoryRegistry.h"
#include "RegistrationWalk.h"

using namespace vistrel;
using namespace vistrel::fakes;

namespace {

const std::string kClass = "CLSID\\{22C88570-8419-4CD6-B37A-5350D847AAF0}";
const std::string kHandler = ".dwg\\shellex\\{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";

// Paths (lower case, without the root) of the keys present.
std::set<std::string> paths(const MemoryRegistry& r) {
    std::set<std::string> out;
    for (const auto& k : r.keys()) out.insert(k.first.substr(k.first.find('|') + 1));
    return out;
}

}  // namespace

TEST(RegistrationWalk, RegisteringWritesTheScriptsKeysAndValues) {
    MemoryRegistry r;
    const WalkResult w = registerScript(shipped(), r);
    ASSERT_EQ(w.status, kRegistryOk) << w.key;
    const std::set<std::string> expected = {
        "thumbvistrel.extractor.1", "thumbvistrel.extractor.1\\clsid", "thumbvistrel.extractor",
        "thumbvistrel.extractor\\clsid", "thumbvistrel.extractor\\curver", "clsid", lower(kClass),
        lower(kClass) + "\\progid", lower(kClass) + "\\versionindependentprogid", lower(kClass) + "\\programmable",
        lower(kClass) + "\\inprocserver32", lower(kClass) + "\\typelib", ".dwg", ".dwg\\shellex", lower(kHandler)};
    EXPECT_EQ(paths(r), expected);
    EXPECT_EQ(r.value("ThumbVistrel.Extractor.1"), "Vistrel Thumbnail Extractor Class");
    EXPECT_EQ(r.value("ThumbVistrel.Extractor\\CurVer"), "ThumbVistrel.Extractor.1");
    EXPECT_EQ(r.value(kClass), "Extractor Class");
    EXPECT_EQ(r.value(kClass + "\\InprocServer32"), "C:\\Kivra\\Vistrel.dll");
    EXPECT_EQ(r.value(kClass + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(r.value(kClass + "\\Programmable"), "<no value>");
    EXPECT_EQ(r.value("CLSID"), "<no value>");
    EXPECT_EQ(r.value(kHandler), "{22C88570-8419-4CD6-B37A-5350D847AAF0}");
    EXPECT_EQ(r.keys().at("0|" + lower(kClass) + "\\inprocserver32").size(), 2u) << "default and ThreadingModel only";
}

TEST(RegistrationWalk, RegisteringTwiceRebuildsTheClassKeyFromScratch) {
    MemoryRegistry r;
    ASSERT_EQ(registerScript(shipped(), r).status, kRegistryOk);
    const auto once = r.keys();
    // Leftovers of an older version inside the class key go; other classes stay.
    r.put(kClass + "\\Stale\\Deeper", "x", "old");
    r.put(kClass, "Stale value", "old");
    r.put("CLSID\\{00000000-1111-2222-3333-444444444444}", "", "Other class");
    ASSERT_EQ(registerScript(shipped(), r).status, kRegistryOk);
    auto twice = r.keys();
    EXPECT_EQ(twice.erase("0|clsid\\{00000000-1111-2222-3333-444444444444}"), 1u);
    EXPECT_EQ(twice, once);
}

TEST(RegistrationWalk, ForceRemoveNeverDeletesAProtectedName) {
    for (const char* name : {"CLSID", "typelib", "Interface", "Component Categories", "SOFTWARE"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(isProtectedKeyName(name));
        MemoryRegistry r;
        r.put(std::string(name) + "\\Everything Else", "v", "kept");
        ASSERT_EQ(registerScript(scriptOf("HKCR { ForceRemove '" + std::string(name) + "' { Ours = s 'x' } }"), r).status,
                  kRegistryOk);
        EXPECT_EQ(r.value(std::string(name) + "\\Everything Else", "v"), "kept");
        EXPECT_EQ(r.value(std::string(name) + "\\Ours"), "x");
    }
    EXPECT_FALSE(isProtectedKeyName("CLSIDs"));
    EXPECT_FALSE(isProtectedKeyName("Programmable"));
}

TEST(RegistrationWalk, UnregisteringTakesOutOursAndLeavesSharedKeys) {
    MemoryRegistry r;
    ASSERT_EQ(registerScript(shipped(), r).status, kRegistryOk);
    ASSERT_EQ(unregisterScript(shipped(), r).status, kRegistryOk);
    EXPECT_EQ(paths(r), (std::set<std::string>{"clsid", ".dwg"}));
    // Nothing registered: nothing to do, no error, nothing changed.
    const auto before = r.keys();
    EXPECT_EQ(unregisterScript(shipped(), r).status, kRegistryOk);
    EXPECT_EQ(r.keys(), before);
    MemoryRegistry empty;
    EXPECT_EQ(unregisterScript(shipped(), empty).status, kRegistryOk);
    EXPECT_TRUE(empty.keys().empty());
}

TEST(RegistrationWalk, UnregisteringKeepsOtherHandlersAndGoesOn) {
    const std::string foreign = ".dwg\\shellex\\{E357FCCD-A995-4576-B01F-234630154E96}";
    // The shared key comes first here, so the walk must go on past it.
    const std::string script =
        "HKCR { NoRemove .dwg { shellex { {BB2E617C-0920-11d1-9A0B-00C04FC2D6C1} = s 'ours' } } Ours = s 'x' { Sub } }";
    MemoryRegistry r;
    ASSERT_EQ(registerScript(scriptOf(script), r).status, kRegistryOk);
    r.put(foreign, "", "{11111111-2222-3333-4444-555555555555}");
    const WalkResult w = unregisterScript(scriptOf(script), r);
    EXPECT_EQ(w.status, kRegistryOk) << w.key;
    EXPECT_FALSE(r.has(kHandler));
    EXPECT_EQ(r.value(foreign), "{11111111-2222-3333-4444-555555555555}");
    EXPECT_FALSE(r.has("Ours")) << "keys after the shared one are still taken out";
    // The same with the shipped script: the class, both ProgIDs and our handler go.
    MemoryRegistry s;
    ASSERT_EQ(registerScript(shipped(), s).status, kRegistryOk);
    s.put(foreign, "", "theirs");
    s.put(kClass + "\\Implemented Categories\\{X}");  // added by someone else
    ASSERT_EQ(unregisterScript(shipped(), s).status, kRegistryOk);
    EXPECT_EQ(paths(s), (std::set<std::string>{"clsid", lower(kClass), lower(kClass) + "\\implemented categories",
                                              lower(kClass) + "\\implemented categories\\{x}", ".dwg",
                                              ".dwg\\shellex", lower(foreign)}));
}

TEST(RegistrationWalk, UnregisteringDeletesNamedValuesOfKeptKeys) {
    MemoryRegistry r;
    const std::string script = "HKCR { NoRemove Shared { val Ours = s '1' } }";
    ASSERT_EQ(registerScript(scriptOf(script), r).status, kRegistryOk);
    r.put("Shared", "Theirs", "2");
    ASSERT_EQ(unregisterScript(scriptOf(script), r).status, kRegistryOk);
    EXPECT_EQ(r.value("Shared", "Ours"), "<no value>");
    EXPECT_EQ(r.value("Shared", "Theirs"), "2");
}

TEST(RegistrationWalk, AFailedRegistrationRollsBackWhatItWrote) {
    MemoryRegistry r;
    r.put("CLSID\\{00000000-1111-2222-3333-444444444444}", "", "Other class");
    const auto before = r.keys();
    r.failOn("create", kHandler);  // the very last key of the script
    const WalkResult w = registerScript(shipped(), r);
    EXPECT_EQ(w.status, kAccessDenied);
    EXPECT_EQ(lower(w.key), lower(kHandler));
    auto after = r.keys();
    after.erase("0|.dwg");  // NoRemove keys made on the way stay, empty
    EXPECT_EQ(after, before);
    // A failing value write ends the walk at once as well.
    MemoryRegistry v;
    v.failOn("set", "ThumbVistrel.Extractor\\CurVer");
    EXPECT_EQ(registerScript(shipped(), v).status, kAccessDenied);
    EXPECT_FALSE(v.has("ThumbVistrel.Extractor.1"));
    EXPECT_FALSE(v.has(kClass));
}

TEST(RegistrationWalk, AFailureWhileUnregisteringEndsTheWalk) {
    MemoryRegistry r;
    ASSERT_EQ(registerScript(shipped(), r).status, kRegistryOk);
    r.failOn("delete", "ThumbVistrel.Extractor\\CLSID");
    const WalkResult w = unregisterScript(shipped(), r);
    EXPECT_EQ(w.status, kAccessDenied);
    EXPECT_FALSE(r.has("ThumbVistrel.Extractor.1")) << "keys before the failure are gone";
    EXPECT_TRUE(r.has(kClass)) << "keys after it are untouched";
}
