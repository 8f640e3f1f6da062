// Completing typed root paths against the registry, shortening them for display, and the
// resource library texts the store and the later dialogs rely on.
#include "ScratchRoot.h"
#include "dialogs/ModuleState.h"
#include "profiles/ProfileStore.h"

#include <gtest/gtest.h>

using namespace testing_support;
using profiles::ProfileStore;

namespace {

class RootNormaliseTest : public ::testing::Test {
protected:
    void SetUp() override {
        useResourceLibrary();
        createKey(scratch.path());
        // The middle part: the scratch path without "Software\" and "\Profiles".
        middle = scratch.path().substr(9, scratch.path().size() - 9 - 9);
    }
    ScratchRoot scratch{"Kivra 2013\\ENU"};
    std::string middle;
};

std::string slashed(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

TEST_F(RootNormaliseTest, SlashesBlanksAndBackslashesAreCleanedAndBothPartsAdded) {
    std::string full = "sentinel";
    ASSERT_TRUE(ProfileStore::normaliseRoot("  /" + slashed(middle) + "/ \t", full));
    EXPECT_EQ(full, scratch.path());
    ASSERT_TRUE(ProfileStore::normaliseRoot("\\\\" + middle + "\\\\", full));
    EXPECT_EQ(full, scratch.path());
}

TEST_F(RootNormaliseTest, PartsPresentInOtherLetterCaseAreNotAddedAgain) {
    std::string full;
    std::string typed = "SOFTWARE\\" + middle + "\\PROFILES";
    ASSERT_TRUE(ProfileStore::normaliseRoot(typed, full));
    EXPECT_EQ(full, typed);
    ASSERT_TRUE(ProfileStore::normaliseRoot("software\\" + middle, full));
    EXPECT_EQ(full, "software\\" + middle + "\\Profiles");
}

TEST_F(RootNormaliseTest, AMissingKeyOrAnEmptyCandidateFailsAndEmptiesTheResult) {
    std::string full = "sentinel";
    EXPECT_FALSE(ProfileStore::normaliseRoot(middle + "\\Nope", full));
    EXPECT_EQ(full, "");
    full = "sentinel";
    EXPECT_FALSE(ProfileStore::normaliseRoot("", full));
    EXPECT_EQ(full, "");
    EXPECT_FALSE(keyExists(scratch.path() + "\\Nope\\Profiles")) << "nothing is created";
}

TEST_F(RootNormaliseTest, ShortRootKeepsTheLetterCaseOfTheMiddlePart) {
    std::string shortPath = "sentinel";
    std::string lowered = middle;
    for (char& c : lowered) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    ASSERT_TRUE(ProfileStore::shortRoot("SOFTWARE/" + slashed(lowered) + "/profiles", shortPath));
    EXPECT_EQ(shortPath, lowered);
    ASSERT_TRUE(ProfileStore::shortRoot(scratch.path(), shortPath));
    EXPECT_EQ(shortPath, middle);
    EXPECT_FALSE(ProfileStore::shortRoot(middle + "\\Nope", shortPath));
    EXPECT_EQ(shortPath, "");
}

TEST(ResourceLibraryTest, HoldsTheRootPartsAndEveryTextTheProfileManagerShows) {
    useResourceLibrary();
    EXPECT_EQ(dlg::loadString(121), "Software\\");
    EXPECT_EQ(dlg::loadString(122), "\\Profiles");
    EXPECT_EQ(profiles::rootPrefix(), "Software\\");
    EXPECT_EQ(profiles::rootSuffix(), "\\Profiles");
    for (UINT id : {101u, 102u, 103u, 104u, 105u, 106u, 107u, 108u, 109u, 110u, 111u, 112u, 113u,
                    114u, 115u, 116u, 117u, 118u, 119u, 124u, 125u, 1011u})
        EXPECT_FALSE(dlg::loadString(id).empty()) << "string " << id;
    auto placeholders = [](const std::string& text) {
        size_t count = 0;
        for (size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2))
            count += text.compare(at, 2, "%s") == 0 ? 1 : 100;
        return count;
    };
    EXPECT_EQ(placeholders(dlg::loadString(105)), 2u);
    for (UINT id : {109u, 115u, 116u}) EXPECT_EQ(placeholders(dlg::loadString(id)), 1u) << id;
    EXPECT_EQ(dlg::loadString(124).find('\\') != std::string::npos, true);
}

}  // namespace
