// The display slot end to end in the bridge: records as the host gets them, the reuse rule,
// edges handed over once, parameter lines, colours, and what is left after a failure.
#include "AsAttribMarker.h"
#include "AsModeler.h"
#include "AsShadedMesh.h"
#include "AsTools.h"
#include "SatTestSupport.h"
#include "SolidSamples.h"
#include "solidkernel/errors.h"
#include "solidkernel/testhooks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>

using namespace sat_test;

namespace {

struct Record {
    int kind, colour, reserved1, reserved2, unused;
    std::vector<SPAposition> points;
};

class Display : public ::testing::Test {
protected:
    void SetUp() override {
        kernel_test::failNextCall("");
        modeler_ = createViewer();
        ASSERT_NE(modeler_, nullptr);
        CModeler::s_pModeler = modeler_;
        modeler_->clearCache();
    }
    void TearDown() override {
        kernel_test::failNextCall("");
        AsSetDisplayAllocatorForTests({});
        modeler_->clearCache();
        EXPECT_EQ(AsDisplayBlocksOutstanding(), 0);
    }
    static CDbAcisEntityData record(const std::string& sat) {
        return CDbAcisEntityData(HostString(sat.data(), sat.size()), CDbAcisEntityData::kSolid);
    }
    // Slot 10, the records read as the host reads them and freed through slot 4.
    int display(const CDbAcisEntityData& r, int mode, double quality, std::vector<Record>& out) {
        out.clear();
        ModelerPolyline* first = nullptr;
        int result = modeler_->display(r, mode, quality, &first);
        for (ModelerPolyline* p = first; p;) {
            Record rec{p->kind, p->colorIndex, p->reserved1, p->reserved2, p->unused, {}};
            for (int i = 0; i < p->pointCount; ++i)
                rec.points.emplace_back(p->points[3 * i], p->points[3 * i + 1], p->points[3 * i + 2]);
            out.push_back(rec);
            ModelerPolyline* next = p->next;
            modeler_->freeBlock(p->points);
            modeler_->freeBlock(p);
            p = next;
        }
        return result;
    }
    AsObject& object(const CDbAcisEntityData& r) { return AsModeler::instance().bodyObject(r); }

    CModeler* modeler_ = nullptr;
};

TEST_F(Display, RecordsCarryKindColourAndTheFixedFields) {
    std::vector<Record> records;
    ASSERT_EQ(display(record(solid_samples::box(3, 4, 5).sat), 4, 0.5, records), 1);
    ASSERT_EQ(records.size(), 12u) << "a planar box: its twelve edges, no parameter lines";
    std::set<std::pair<std::tuple<double, double, double>, std::tuple<double, double, double>>> seen;
    for (const Record& r : records) {
        EXPECT_EQ(r.kind, 1);
        EXPECT_EQ(r.colour, 256) << "nothing carries a colour";
        EXPECT_EQ(r.reserved1, -1);
        EXPECT_EQ(r.reserved2, 0);
        EXPECT_EQ(r.unused, 0);
        ASSERT_EQ(r.points.size(), 2u);
        auto a = std::make_tuple(r.points[0].x, r.points[0].y, r.points[0].z);
        auto b = std::make_tuple(r.points[1].x, r.points[1].y, r.points[1].z);
        EXPECT_TRUE(seen.insert({std::min(a, b), std::max(a, b)}).second) << "an edge handed over twice";
    }
    ASSERT_EQ(display(record(solid_samples::box(3, 4, 5).sat), -1, 0.5, records), 1);
    EXPECT_EQ(records.size(), 12u) << "six faces, two triangles each";
    for (const Record& r : records) {
        EXPECT_EQ(r.kind, 3);
        EXPECT_EQ(r.points.size(), 3u);
    }
}

TEST_F(Display, CurvedFacesGetParameterLinesCylindersInOneDirection) {
    std::vector<Record> records;
    ASSERT_EQ(display(record(solid_samples::cylinder(2, 7).sat), 4, 0.01, records), 1);
    int circles = 0, lines = 0;
    for (const Record& r : records) {
        for (const SPAposition& p : r.points) EXPECT_NEAR(std::hypot(p.x, p.y), 2, 1e-9) << "on the cylinder";
        if (r.kind == 3) {
            ++circles;
            // Chords of a circle stay within the quality's distance of it.
            for (std::size_t i = 0; i + 1 < r.points.size(); ++i) {
                SPAposition m = 0.5 * (r.points[i] + r.points[i + 1]);
                EXPECT_GE(std::hypot(m.x, m.y), 2 - 0.01);
            }
        } else {
            ++lines;
            EXPECT_EQ(r.points.size(), 2u);
        }
    }
    EXPECT_EQ(circles, 2);
    EXPECT_EQ(lines, 4) << "lines along the axis only";
    ASSERT_EQ(display(record(solid_samples::sphere(5).sat), 3, 0.5, records), 1);
    EXPECT_EQ(records.size(), 6u) << "three lines each way on a sphere";
}

TEST_F(Display, CurvesNeedingManyPointsAreAskedAgainWithDoubledRoom) {
    std::vector<Record> records;
    // A circle of radius 1000 within 0.01 takes some 700 to 1100 points (halved spans):
    // 100, 200 and 400 fill up, and the points meet the tolerance.
    CDbAcisEntityData wide = record(solid_samples::cylinder(1000, 1).sat);
    ASSERT_EQ(display(wide, 0, 0.01, records), 1);
    ASSERT_EQ(records.size(), 2u);
    for (const Record& r : records) {
        EXPECT_GT(r.points.size(), 400u);
        for (std::size_t i = 0; i + 1 < r.points.size(); ++i) {
            SPAposition m = 0.5 * (r.points[i] + r.points[i + 1]);
            EXPECT_GE(std::hypot(m.x, m.y), 1000 - 0.01);
        }
    }
    // Quality 0 would ask for ever more points: it ends at the kernel's resolution, capped.
    modeler_->clearCache();
    ASSERT_EQ(display(wide, 0, 0.0, records), 1);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].points.size(), 65536u);
}

TEST_F(Display, TheKeptListIsReusedWithinTheQualityWindow) {
    CDbAcisEntityData sphere = record(solid_samples::sphere(5).sat);
    std::vector<Record> records;
    ASSERT_EQ(display(sphere, -1, 0.5, records), 1);
    AsObject& body = object(sphere);
    long made = body.displayGenerations;
    ASSERT_EQ(display(sphere, -1, 0.502, records), 1);
    EXPECT_EQ(body.displayGenerations, made) << "0.502 is within 1% of 0.5";
    std::size_t meshSize = records.size();
    ASSERT_EQ(display(sphere, -1, 0.51, records), 1);
    EXPECT_EQ(body.displayGenerations, made + 1);
    EXPECT_NE(records.size(), meshSize) << "made again at the new quality";

    // Wireframe after a kept 1.0: 0.6 reuses; 0.5 and 5.0 lie on the window's edges.
    for (double q : {0.6, 0.5, 5.0}) {
        ASSERT_EQ(display(sphere, 4, 1.0, records), 1);
        long before = body.displayGenerations;
        ASSERT_EQ(display(sphere, 4, q, records), 1);
        EXPECT_EQ(body.displayGenerations, before + (q == 0.6 ? 0 : 1)) << q;
    }
    ASSERT_EQ(display(sphere, 4, 1.0, records), 1);
    long before = body.displayGenerations;
    ASSERT_EQ(display(sphere, 3, 1.0, records), 1);
    EXPECT_EQ(body.displayGenerations, before + 1) << "another number of lines";
    ASSERT_EQ(display(sphere, 3, 0.0, records), 1);
    EXPECT_EQ(body.displayGenerations, before + 1) << "a quality below the resolution takes what is kept";
    ASSERT_EQ(display(sphere, -1, 0.0, records), 1);
    EXPECT_EQ(body.displayGenerations, before + 2) << "another kind";
}

TEST_F(Display, ABodyWithoutFacesGivesNoRecordsAndSucceeds) {
    for (int mode : {4, -1}) {
        ModelerPolyline* first = reinterpret_cast<ModelerPolyline*>(0x1234);
        EXPECT_EQ(modeler_->display(record(sampleText("v2000_wire_beam.sat")), mode, 0.5, &first), 1);
        EXPECT_EQ(first, nullptr);
    }
}

TEST_F(Display, ColoursComeFromTheFaceOrItsOwners) {
    std::vector<Record> records;
    // The kernel's colour 3 on the side face: its edges and its lines take it, the caps none.
    CDbAcisEntityData kernelColoured = record(solid_samples::colouredCylinder(2, 7, 3, true));
    ASSERT_EQ(display(kernelColoured, 2, 0.5, records), 1);
    ASSERT_EQ(records.size(), 4u);
    for (const Record& r : records) EXPECT_EQ(r.colour, 3);
    ASSERT_EQ(display(kernelColoured, -1, 0.5, records), 1);
    int sideFacets = 0;
    for (const Record& r : records) {
        bool onSide = std::fabs(r.points[0].z - r.points[1].z) > 1e-9 || std::fabs(r.points[1].z - r.points[2].z) > 1e-9;
        EXPECT_EQ(r.colour, onSide ? 3 : 256);
        sideFacets += onSide;
    }
    EXPECT_GT(sideFacets, 0);
    // The colours attached stay with the body and are saved with it; no drawing marker is.
    std::unique_ptr<char[]> text(AsSaveEntity(object(kernelColoured).body()));
    EXPECT_NE(std::strstr(text.get(), "color-adesk-attrib"), nullptr);
    EXPECT_EQ(std::strstr(text.get(), "marker-vaq-attrib"), nullptr);

    // The host's colour 5 on the side face: its lines take it; its circles belong to the
    // caps' coedges first, and the caps have none.
    ASSERT_EQ(display(record(solid_samples::colouredCylinder(2, 7, 5, false)), 2, 0.5, records), 1);
    for (const Record& r : records) EXPECT_EQ(r.colour, r.kind == 1 ? 5 : 256);
}

TEST_F(Display, QualityMapsToTheNormalToleranceWithinItsRange) {
    EXPECT_DOUBLE_EQ(AsNormalTolerance(0.01), 40);
    EXPECT_DOUBLE_EQ(AsNormalTolerance(0.5), 15);
    EXPECT_NEAR(AsNormalTolerance(10), 5, 1e-12);
    // Beyond the range the map would reach 0 degrees at 14.75 and go below.
    EXPECT_DOUBLE_EQ(AsNormalTolerance(0), 40);
    EXPECT_NEAR(AsNormalTolerance(14.75), 5, 1e-12);
    EXPECT_NEAR(AsNormalTolerance(1e9), 5, 1e-12);
    EXPECT_DOUBLE_EQ(AsNormalTolerance(NAN), 15);
    std::vector<Record> records;
    EXPECT_EQ(display(record(solid_samples::sphere(5).sat), -1, 1e6, records), 1) << "a huge quality ends";
    EXPECT_GT(records.size(), 1000u);
}

TEST_F(Display, AFailureHalfWayLeavesNoMarkersNoLinesAndNoListBehind) {
    CDbAcisEntityData cylinder = record(solid_samples::cylinder(2, 7).sat);
    std::vector<Record> records;
    ASSERT_EQ(display(cylinder, -1, 0.5, records), 1);  // restored and kept in the cache
    AsObject& body = object(cylinder);
    long blocks = acis_live_blocks();
    // The side face's lines exist and its first edge is marked when its division fails.
    kernel_test::failNextCall("api_facet_curve", kernel_errors::kInjectedFailure);
    ModelerPolyline* first = reinterpret_cast<ModelerPolyline*>(0x1234);
    EXPECT_EQ(modeler_->display(cylinder, 4, 0.5, &first), 0);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(modeler_->lastError(), kernel_errors::kInjectedFailure);
    EXPECT_EQ(acis_live_blocks(), blocks) << "parameter lines and markers gone";
    ENTITY_LIST edges;
    api_get_edges(body.body(), edges);
    for (int i = 0; i < edges.count(); ++i) EXPECT_EQ(AsAttribMarker::find(edges[i]), nullptr);
    EXPECT_TRUE(body.displayList().empty());
    EXPECT_EQ(body.displayKind, 0);
    long made = body.displayGenerations;
    ASSERT_EQ(display(cylinder, 4, 0.5, records), 1);
    EXPECT_EQ(body.displayGenerations, made + 1) << "made again, not taken from a partial list";
    EXPECT_EQ(records.size(), 6u);

    kernel_test::failNextCall("api_get_face_facets", kernel_errors::kInjectedFailure);
    EXPECT_EQ(display(cylinder, -1, 3.0, records), 0);
    EXPECT_TRUE(body.displayList().empty());
    EXPECT_EQ(body.displayKind, 0);
}

TEST_F(Display, TheOutputIsNullBeforeAnyFailureAndNothingIsHandedOutOnFailure) {
    ModelerPolyline* first = reinterpret_cast<ModelerPolyline*>(0x1234);
    EXPECT_EQ(modeler_->display(CDbAcisEntityData(HostString(), CDbAcisEntityData::kSolid), 4, 0.5, &first), 0);
    EXPECT_EQ(first, nullptr) << "an empty record";
    EXPECT_EQ(modeler_->display(record(solid_samples::box(1, 1, 1).sat), 4, 0.5, nullptr), 0);
    // The records' memory cannot be had.
    AsSetDisplayAllocatorForTests([](std::size_t) -> void* { return nullptr; });
    first = reinterpret_cast<ModelerPolyline*>(0x1234);
    EXPECT_EQ(modeler_->display(record(solid_samples::box(1, 1, 1).sat), 4, 0.5, &first), 0);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(AsDisplayBlocksOutstanding(), 0);
}

TEST_F(Display, BlocksComeBackInAnyOrderAndOtherBlocksAreFreedAsUsual) {
    ModelerPolyline* first = nullptr;
    ASSERT_EQ(modeler_->display(record(solid_samples::box(1, 1, 1).sat), 4, 0.5, &first), 1);
    std::vector<void*> blocks;
    for (ModelerPolyline* p = first; p; p = p->next) blocks.insert(blocks.end(), {p->points, p});
    EXPECT_EQ(AsDisplayBlocksOutstanding(), 24);
    // The host may free them in any order; each is freed once.
    for (std::size_t i = 0; i < blocks.size(); i += 2) modeler_->freeBlock(blocks[i]);
    EXPECT_EQ(AsDisplayBlocksOutstanding(), 12);
    for (std::size_t i = blocks.size(); i-- > 1; i--) modeler_->freeBlock(blocks[i]);
    EXPECT_EQ(AsDisplayBlocksOutstanding(), 0);
    modeler_->freeBlock(::operator new(40));  // a block of the bridge's own allocator
    modeler_->freeBlock(nullptr);
}

TEST_F(Display, DamagedTextAnswersZeroWithItsRestoreError) {
    std::string text = solid_samples::box(1, 1, 1).sat;
    text.replace(text.find("plane-surface"), 13, "plane-surface $77777");
    ModelerPolyline* first = nullptr;
    EXPECT_EQ(modeler_->display(record(text), 4, 0.5, &first), 0);
    int error = modeler_->lastError();
    EXPECT_NE(error, 0);
    HostString message;
    EXPECT_EQ(modeler_->errorText(error, message), 1);
    EXPECT_FALSE(message.empty());
    EXPECT_EQ(modeler_->display(record(solid_samples::box(1, 1, 1).sat), 4, 0.5, &first), 1);
    EXPECT_EQ(modeler_->lastError(), 0);
    AsFreeRecords(first);
}

TEST_F(Display, ATransformedBodysWireframeAndMeshCoincide) {
    const double rows[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
    const double shift[3] = {10, -4, 7};
    CDbAcisEntityData moved = record(solid_samples::transformedCylinder(2, 7, rows, shift, 2.5).sat);
    std::vector<Record> wire, mesh;
    ASSERT_EQ(display(moved, 4, 0.01, wire), 1);
    ASSERT_EQ(display(moved, -1, 0.5, mesh), 1);
    // Both on the moved cylinder: axis along z through (10, -4), radius 5, z from 7 to 24.5.
    for (const auto* set : {&wire, &mesh})
        for (const Record& r : *set)
            for (const SPAposition& p : r.points) {
                EXPECT_NEAR(std::hypot(p.x - 10, p.y + 4), 5, 1e-6) << (set == &wire ? "wireframe" : "mesh");
                EXPECT_GE(p.z, 7 - 1e-9);
                EXPECT_LE(p.z, 24.5 + 1e-9);
            }
}

}  // namespace
