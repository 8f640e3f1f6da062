// GlobalSearch::Find: its result codes, the search list given first, and buffer limits.
// Probe files are made in the test's own build folder and removed again.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "vexocommon/GlobalSearch.h"

namespace {
std::string scratchFolder() { return KIVRA_TEST_BINARY_DIR; }
#ifdef _WIN32
const char kSep = '\\';
#else
const char kSep = '/';
#endif
}  // namespace

TEST(GlobalSearch, FindsAFileInTheGivenFoldersFirst) {
    const std::string name = "globalsearch-probe.drx";
    const std::string path = scratchFolder() + kSep + name;
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fclose(f);
    char buffer[512];
    const std::string list = "no-such-folder;" + scratchFolder();
    EXPECT_EQ(GlobalSearch::Find(list.c_str(), name.c_str(), buffer, sizeof buffer), GlobalSearch::kFound);
    EXPECT_EQ(std::string(buffer), path);
    // A buffer one byte short of the path and its NUL.
    EXPECT_EQ(GlobalSearch::Find(list.c_str(), name.c_str(), buffer, static_cast<unsigned>(path.size())), GlobalSearch::kBufferTooSmall);
    // A name with a folder part is checked as it stands.
    EXPECT_EQ(GlobalSearch::Find(nullptr, path.c_str(), buffer, sizeof buffer), GlobalSearch::kFound);
    std::remove(path.c_str());
    EXPECT_EQ(GlobalSearch::Find(list.c_str(), name.c_str(), buffer, sizeof buffer), GlobalSearch::kNotFound);
    EXPECT_EQ(buffer[0], '\0');
}

TEST(GlobalSearch, RefusesMissingArguments) {
    char buffer[16];
    EXPECT_EQ(GlobalSearch::Find(nullptr, nullptr, buffer, sizeof buffer), GlobalSearch::kBadArguments);
    EXPECT_EQ(GlobalSearch::Find(nullptr, "", buffer, sizeof buffer), GlobalSearch::kBadArguments);
    EXPECT_EQ(GlobalSearch::Find(nullptr, "x", nullptr, 16), GlobalSearch::kBadArguments);
    EXPECT_EQ(GlobalSearch::Find(nullptr, "no-such-module-anywhere.drx", buffer, sizeof buffer), GlobalSearch::kNotFound);
}
