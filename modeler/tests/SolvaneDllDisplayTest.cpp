// The display slot through Solvane.dll as the host loads it: every sample in both modes,
// records read at the host's offsets and freed through slot 4 with nothing left behind, and
// the answers for valid, empty and damaged records.
#include "AsDriver.h"
#include "MeshCheck.h"
#include "SampleFiles.h"
#include "solidkernel/errors.h"
#include "solidkernel/fileif.h"
#include "stratum/ModelerHost.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

using sat_test::sampleFiles;
using sat_test::sampleText;

CDbAcisEntityData record(const std::string& text) {
    return CDbAcisEntityData(HostString(text.data(), text.size()), CDbAcisEntityData::kSolid);
}

class DllDisplay : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.load("Solvane.dll")) << host.error();
        modeler = host.modeler();
        blocks = reinterpret_cast<decltype(&solvaneDriverDisplayBlocks)>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("Solvane.dll"), "solvaneDriverDisplayBlocks")));
        ASSERT_NE(blocks, nullptr);
    }
    void TearDown() override { host.unload(); }

    ModelerHost host;
    CModeler* modeler = nullptr;
    long (*blocks)() = nullptr;
};

TEST_F(DllDisplay, EverySampleInBothModesFreedThroughTheModelerLeavesNothing) {
    long hostBlocks = stratumLiveBlocks();
    long kernelBlocks = acis_live_blocks();
    int bodies = 0, closedMeshes = 0;
    for (const std::string& name : sampleFiles()) {
        CDbAcisEntityData r = record(sampleText(name));
        for (int mode : {4, -1}) {
            ModelerPolyline* first = reinterpret_cast<ModelerPolyline*>(0x1234);
            int result = modeler->display(r, mode, 0.5, &first);
            bool oneBody = name != "v2100_seven_bodies.sat" && name != "v600_two_boxes.sat";
            ASSERT_EQ(result, oneBody ? 1 : 0) << name;
            if (!result) {
                EXPECT_EQ(first, nullptr);
                continue;
            }
            bodies += mode < 0;
            MeshCheck mesh;
            for (ModelerPolyline* p = first; p;) {
                // The fields where the host reads them.
                const unsigned char* raw = reinterpret_cast<const unsigned char*>(p);
                std::int16_t kind, colour, zero;
                std::int32_t minusOne, count;
                std::memcpy(&kind, raw + 0, 2);
                std::memcpy(&colour, raw + 2, 2);
                std::memcpy(&minusOne, raw + 4, 4);
                std::memcpy(&zero, raw + 8, 2);
                std::memcpy(&count, raw + 12, 4);
                EXPECT_TRUE(mode < 0 ? kind == 3 : kind == 1 || kind == 3) << name;
                EXPECT_EQ(minusOne, -1);
                EXPECT_EQ(zero, 0);
                EXPECT_EQ(raw[10], 0);
                EXPECT_EQ(raw[11], 0);
                ASSERT_GT(count, 0);
                EXPECT_EQ(colour, 256) << name << ": no sample colours with the host's or the kernel's colour";
#if defined(__i386__)
                static_assert(sizeof(ModelerPolyline) == 24, "the host's record");
                double* points;
                ModelerPolyline* next;
                std::memcpy(&points, raw + 16, 4);
                std::memcpy(&next, raw + 20, 4);
                EXPECT_EQ(points, p->points);
                EXPECT_EQ(next, p->next);
#endif
                for (int i = 0; i < 3 * count; ++i) ASSERT_TRUE(std::isfinite(p->points[i])) << name;
                if (mode < 0) mesh.addPolygon(p->points, count);
                ModelerPolyline* following = p->next;
                modeler->freeBlock(p->points);
                modeler->freeBlock(p);
                p = following;
            }
            if (mode < 0 && mesh.stats().closed()) {
                ++closedMeshes;
                EXPECT_EQ(mesh.stats().edgesSameWay, 0) << name;
                EXPECT_GT(mesh.stats().volume, 0) << name;
            }
        }
    }
    EXPECT_EQ(bodies, 26);
    EXPECT_EQ(closedMeshes, 16);
    EXPECT_EQ(blocks(), 0) << "every record and point array came back through slot 4";
    modeler->clearCache();
    EXPECT_EQ(stratumLiveBlocks(), hostBlocks) << "the cache's copies of the records are gone";
    EXPECT_EQ(acis_live_blocks(), kernelBlocks) << "no parameter line, marker or mesh left in the kernel";
}

TEST_F(DllDisplay, ValidEmptyAndDamagedRecordsAnswerAsTheyShould) {
    std::string text = sampleText("v700_prism.sat");
    ModelerPolyline* first = reinterpret_cast<ModelerPolyline*>(0x1234);
    EXPECT_EQ(modeler->display(CDbAcisEntityData(HostString(), CDbAcisEntityData::kSolid), 4, 0.5, &first), 0);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(modeler->lastError(), kernel_errors::kNullEntity) << "an empty record has no body";
    EXPECT_EQ(modeler->display(CDbAcisEntityData(HostString(text.c_str()), CDbAcisEntityData::kNoEntity), 4, 0.5, &first), 0);

    std::string damaged = text;
    damaged.replace(damaged.find("coedge"), 6, "coedgX");
    EXPECT_EQ(modeler->display(record(damaged), 4, 0.5, &first), 0);
    EXPECT_EQ(first, nullptr);
    int error = modeler->lastError();
    EXPECT_NE(error, 0) << "the restore's error number";
    HostString message;
    EXPECT_EQ(modeler->errorText(error, message), 1);
    EXPECT_FALSE(message.empty());

    EXPECT_EQ(modeler->display(record(text), 4, 0.5, &first), 1);
    EXPECT_EQ(modeler->lastError(), 0);
    int count = 0;
    for (ModelerPolyline* p = first; p;) {
        ++count;
        ModelerPolyline* next = p->next;
        modeler->freeBlock(p->points);
        modeler->freeBlock(p);
        p = next;
    }
    EXPECT_EQ(count, 16) << "the prism's sixteen edges, each once";
    EXPECT_EQ(blocks(), 0);
}

}  // namespace
