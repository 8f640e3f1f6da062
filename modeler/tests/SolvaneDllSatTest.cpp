// Every sample through Solvane.dll as the host loads it: the record restores, saves back as
// SAT 6.0 through the bridge, and the saved text holds the same records.
#include "AsDriver.h"
#include "SampleFiles.h"
#include "stratum/ModelerHost.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

using sat_test::sampleFiles;
using sat_test::sampleText;

// The counts part of the stats line (everything after "restored").
std::string counts(const std::string& json) { return json.substr(json.find("\"bodies\"")); }

TEST(SolvaneDll, EverySampleRestoresAndSavesBackThroughTheLoadedBridge) {
    ModelerHost host;
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    HMODULE module = GetModuleHandleA("Solvane.dll");
    auto stats = reinterpret_cast<decltype(&solvaneDriverStats)>(
        reinterpret_cast<void*>(GetProcAddress(module, "solvaneDriverStats")));
    auto save = reinterpret_cast<decltype(&solvaneDriverSave)>(
        reinterpret_cast<void*>(GetProcAddress(module, "solvaneDriverSave")));
    ASSERT_TRUE(stats && save);
    long hostBlocks = stratumLiveBlocks();
    int bodies = 0;
    for (const std::string& name : sampleFiles()) {
        std::string text = sampleText(name);
        CDbAcisEntityData record(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
        HostString before, sat, reason, after;
        ASSERT_EQ(stats(&record, &before), 1) << name;
        bool one = before.find("\"restored\": true") != HostString::npos;
        int saved = save(&record, &sat, &reason);
        EXPECT_EQ(saved, one ? 1 : 0) << name << ": " << reason.c_str();
        if (!saved) {
            EXPECT_FALSE(reason.empty());
            continue;
        }
        ++bodies;
        EXPECT_EQ(sat.compare(0, 10, "600 0 1 0 "), 0) << name;
        CDbAcisEntityData again(sat, CDbAcisEntityData::kSolid);
        ASSERT_EQ(stats(&again, &after), 1);
        EXPECT_EQ(counts(after.c_str()), counts(before.c_str())) << name;
        HostString resaved;
        ASSERT_EQ(save(&again, &resaved, &reason), 1) << name;
        EXPECT_EQ(resaved, sat) << name << ": saving the 6.0 text again changes it";
    }
    EXPECT_EQ(bodies, 26) << "every sample holding one body";
    host.unload();
    EXPECT_EQ(stratumLiveBlocks(), hostBlocks);
}

}  // namespace
