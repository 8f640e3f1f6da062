// Inputs the restore fuzzer found (and a few made by hand) replayed: each ends in a restore
// that fails or succeeds cleanly, leaves no entity alive, and what restores saves again.
#include "AsTools.h"
#include "SatTestSupport.h"

#include <gtest/gtest.h>

#include <dirent.h>

using namespace sat_test;

namespace {

std::vector<std::string> regressionFiles() {
    std::vector<std::string> paths;
    std::string dir = std::string(KIVRA_SOURCE_DIR) + "/modeler/tests/fuzz-regressions";
    if (DIR* d = opendir(dir.c_str())) {
        while (dirent* e = readdir(d))
            if (e->d_name[0] != '.') paths.push_back(dir + "/" + e->d_name);
        closedir(d);
    }
    return paths;
}

TEST(FuzzRegressions, EveryFoundInputEndsCleanly) {
    AsRegisterAttributes();
    useBridgeSaveSettings();
    std::vector<std::string> files = regressionFiles();
    ASSERT_FALSE(files.empty());
    for (const std::string& path : files) {
        long blocks = acis_live_blocks();
        std::string text = readFile(path);
        ENTITY_LIST list;
        if (restore(text, list) == 0) {
            std::string saved = save(list);
            EXPECT_FALSE(saved.empty()) << path;
            ENTITY_LIST again;
            EXPECT_EQ(restore(saved, again), 0) << path;
            deleteAll(again);
            deleteAll(list);
        }
        EXPECT_EQ(acis_live_blocks(), blocks) << path;
    }
}

}  // namespace
