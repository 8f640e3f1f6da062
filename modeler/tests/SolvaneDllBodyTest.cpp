// The body operations through Solvane.dll loaded as the host loads it: every sample moved,
// snapped to, measured and bounded across the module boundary, the host's vectors filled
// from the host's heap and given back on failure, and no host-heap block left behind.
#include "SampleFiles.h"
#include "stratum/ModelerHost.h"

#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using sat_test::sampleFiles;
using sat_test::sampleText;

const ModelerMatrix kIdentity = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 0, 0}};
// A quarter turn about z, tripled, then moved.
const ModelerMatrix kMove = {{{0, 3, 0}, {-3, 0, 0}, {0, 0, 3}}, {100, -50, 7}};

TEST(SolvaneDllBodies, EverySampleIsMovedSnappedAndMeasuredThroughTheLoadedBridge) {
    long hostBlocks = stratumLiveBlocks();
    ModelerHost host;
    ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
    CModeler& modeler = *host.modeler();
    const double pick[3] = {1, 2, 50}, reference[3] = {3, -1, 2}, view[3] = {0, 0, -1};
    int bodies = 0;
    for (const std::string& name : sampleFiles()) {
        std::string text = sampleText(name);
        CDbAcisEntityData source(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
        HostVector<ModelerSnapPoint> snaps;
        if (!modeler.snapPoints(source, 1023, pick, reference, view, snaps)) {
            EXPECT_NE(modeler.lastError(), 0) << name;
            EXPECT_EQ(snaps.capacity(), 0u) << name;
            continue;
        }
        ++bodies;
        EXPECT_EQ(modeler.lastError(), 0);
        double low[3], high[3];
        ASSERT_EQ(modeler.extents(source, low, high, &kIdentity), 1) << name;
        for (const ModelerSnapPoint& s : snaps) {
            if (s.kind != kSnapEnd && s.kind != kSnapMid && s.kind != kSnapQuadrant) continue;
            const double at[3] = {s.x, s.y, s.z};
            for (int k = 0; k < 3; ++k) {
                double slack = 1e-9 * (1 + std::abs(at[k]));
                EXPECT_GE(at[k], low[k] - slack) << name;
                EXPECT_LE(at[k], high[k] + slack) << name;
            }
        }
        HostVector<ModelerPoint> points;
        ASSERT_EQ(modeler.characteristicPoints(source, points), 1) << name;

        // Moved into a new record: its box is the moved source box (a turn by a quarter
        // maps boxes to boxes), and its end points the moved ones.
        CDbAcisEntityData moved;
        ASSERT_EQ(modeler.transform(source, moved, &kMove), 1) << name;
        EXPECT_EQ(moved.getType(), CDbAcisEntityData::kSolid);
        double movedLow[3], movedHigh[3];
        ASSERT_EQ(modeler.extents(moved, movedLow, movedHigh, &kIdentity), 1) << name;
        double scale = 1e-9 * (1 + std::abs(low[0]) + std::abs(high[1]) + std::abs(high[2]));
        EXPECT_NEAR(movedLow[0], 100 - 3 * high[1], 300 * scale) << name;
        EXPECT_NEAR(movedHigh[1], -50 + 3 * high[0], 300 * scale) << name;
        EXPECT_NEAR(movedLow[2], 7 + 3 * low[2], 300 * scale) << name;
        HostVector<ModelerSnapPoint> movedEnds;
        ASSERT_EQ(modeler.snapPoints(moved, kSnapEnd, pick, reference, view, movedEnds), 1) << name;
        std::size_t ends = 0;
        for (const ModelerSnapPoint& s : snaps) ends += s.kind == kSnapEnd;
        EXPECT_EQ(movedEnds.size(), ends) << name;
    }
    EXPECT_EQ(bodies, 26);

    {
        // Regions have perimeters; the rectangle of the oldest sample is known from its corners.
        std::string region = sampleText("v106_r13_region.sat");
        CDbAcisEntityData rectangle(HostString(region.data(), region.size()),
                                    CDbAcisEntityData::kRegion);
        double perimeter = 0;
        ASSERT_EQ(modeler.perimeter(rectangle, &perimeter), 1);
        EXPECT_NEAR(perimeter,
                    2 * ((-3632.0418544487547 + 6836.331483613787) +
                         (3983.3399790566618 + 45.807790342936642)),
                    1e-6);

        // Failures give the host's storage back.
        CDbAcisEntityData bad(HostString("700 0 1 0 nonsense"), CDbAcisEntityData::kSolid);
        HostVector<ModelerPoint> points;
        points.reserve(32);
        EXPECT_EQ(modeler.characteristicPoints(bad, points), 0);
        EXPECT_EQ(points.capacity(), 0u);
        EXPECT_NE(modeler.lastError(), 0);
    }

    modeler.clearCache();
    host.unload();
    EXPECT_EQ(stratumLiveBlocks(), hostBlocks);
}

}  // namespace
