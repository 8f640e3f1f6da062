// The body operations as the host calls them (slots 7, 56, 74, 75, 76 of the modeler):
// the matrix rules, the moved record and the cache, extents, perimeters, characteristic
// points, and the error conventions with the host's vectors put back on failure.
#include "AsModeler.h"
#include "AsTransform.h"
#include "BodyFixtures.h"
#include "SatTestSupport.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/errors.h"
#include "solidkernel/testhooks.h"
#include "solidkernel/transf.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace sat_test;
using body_fixture::boxText;
using namespace kernel_errors;

namespace {

constexpr double kPi = 3.14159265358979323846;

ModelerMatrix matrix(SPAvector x, SPAvector y, SPAvector z, SPAvector t = SPAvector()) {
    return {{{x.x, x.y, x.z}, {y.x, y.y, y.z}, {z.x, z.y, z.z}}, {t.x, t.y, t.z}};
}
const ModelerMatrix kIdentity = matrix({1, 0, 0}, {0, 1, 0}, {0, 0, 1});
// A quarter turn about z, doubled, then moved.
const ModelerMatrix kTurnDouble = matrix({0, 2, 0}, {-2, 0, 0}, {0, 0, 2}, {10, 20, 30});

// Where the host's matrix puts a point: its coordinates weight the axes.
SPAposition place(const ModelerMatrix& m, const SPAposition& p) {
    SPAposition out;
    for (int k = 0; k < 3; ++k)
        out.data()[k] =
            p.x * m.axis[0][k] + p.y * m.axis[1][k] + p.z * m.axis[2][k] + m.translation[k];
    return out;
}

CDbAcisEntityData record(const std::string& text,
                         CDbAcisEntityData::EType type = CDbAcisEntityData::kSolid) {
    return CDbAcisEntityData(HostString(text.data(), text.size()), type);
}

// Vertex positions of a text's body, its transform applied.
std::vector<SPAposition> placedVertices(const std::string& text) {
    std::vector<SPAposition> out;
    ENTITY_LIST list;
    EXPECT_EQ(restore(text, list), 0);
    if (list.count() != 1) return out;
    auto* body = static_cast<BODY*>(list[0]);
    SPAtransf t = body->transform() ? body->transform()->transform() : SPAtransf();
    ENTITY_LIST vertices;
    api_get_vertices(body, vertices);
    for (int i = 0; i < vertices.count(); ++i)
        out.push_back(t.apply(static_cast<VERTEX*>(vertices[i])->geometry()->coords()));
    deleteAll(list);
    return out;
}

void expectNear(const std::vector<SPAposition>& a, const std::vector<SPAposition>& b,
                double tolerance) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) EXPECT_LE(distance(a[i], b[i]), tolerance) << i;
}

class BodySlots : public ::testing::Test {
protected:
    void SetUp() override {
        CModeler::s_pModeler = createViewer();
        ASSERT_NE(CModeler::s_pModeler, nullptr);
        modeler().clearCache();
        hostBlocks_ = stratumLiveBlocks();
    }
    void TearDown() override {
        modeler().clearCache();
        EXPECT_EQ(stratumLiveBlocks(), hostBlocks_) << "host heap blocks left behind";
    }
    static AsModeler& modeler() { return *static_cast<AsModeler*>(CModeler::s_pModeler); }

    long hostBlocks_ = 0;
};

TEST_F(BodySlots, MatrixConversionRefusesSingularAndShearingMatrices) {
    CDbAcisEntityData source = record(boxText({0, 0, 0}, {1, 1, 1})), destination;
    struct Case {
        ModelerMatrix m;
        int error;
    } cases[] = {
        {matrix({0, 0, 0}, {0, 1, 0}, {0, 0, 1}), kSingularTransform},
        {matrix({1, 2, 3}, {2, 4, 6}, {0, 0, 1}), kSingularTransform},
        {matrix({1, 0, 0}, {0.5, 1, 0}, {0, 0, 1}), kNotConformalTransform},
        {matrix({2, 0, 0}, {0, 1, 0}, {0, 0, 1}), kNotConformalTransform},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(modeler().transform(source, destination, &c.m), 0);
        EXPECT_EQ(modeler().lastError(), c.error);
        EXPECT_TRUE(destination.getSat().empty());
    }
    EXPECT_EQ(modeler().transform(source, destination, nullptr), 0);
    EXPECT_EQ(modeler().lastError(), kNullArgument);

    ModelerMatrix doubled = matrix({2, 0, 0}, {0, 2, 0}, {0, 0, 2});
    SPAtransf uniform = AsConvertMatrix(&doubled);
    EXPECT_DOUBLE_EQ(uniform.scale, 2.0);
    EXPECT_FALSE(uniform.rotate());
    EXPECT_FALSE(uniform.reflect());
    ModelerMatrix halfTurn = matrix({-1, 0, 0}, {0, -1, 0}, {0, 0, 1});
    SPAtransf half = AsConvertMatrix(&halfTurn);
    EXPECT_FALSE(half.rotate()) << "the flag reads the diagonal's magnitudes only";
    EXPECT_EQ(modeler().transform(source, destination, &halfTurn), 1);
    EXPECT_EQ(modeler().lastError(), 0);
    std::vector<SPAposition> expected;
    for (const SPAposition& p : placedVertices(source.getSat().c_str()))
        expected.push_back(place(halfTurn, p));
    expectNear(placedVertices(destination.getSat().c_str()), expected, 1e-12);
    ModelerMatrix mirror = matrix({-1, 0, 0}, {0, 1, 0}, {0, 0, 1});
    EXPECT_TRUE(AsConvertMatrix(&mirror).reflect());
}

TEST_F(BodySlots, TransformWritesTheMovedBodyIntoTheDestinationAndCachesItThere) {
    std::string text = sampleText("v700_cylinder_material.sat");
    const CDbAcisEntityData source = record(text, CDbAcisEntityData::kBody);
    CDbAcisEntityData destination;
    ASSERT_EQ(modeler().transform(source, destination, &kTurnDouble), 1);
    EXPECT_EQ(std::string(source.getSat().c_str()), text) << "the source record is not changed";
    EXPECT_EQ(destination.getType(), CDbAcisEntityData::kBody);
    EXPECT_EQ(destination.getSat().compare(0, 10, "600 0 1 0 "), 0);
    std::vector<SPAposition> expected;
    for (const SPAposition& p : placedVertices(text)) expected.push_back(place(kTurnDouble, p));
    expectNear(placedVertices(destination.getSat().c_str()), expected, 1e-9);

    // The cache holds the moved body under the destination; the source restores afresh.
    long restores = kernel_test::restoreCalls();
    modeler().cache().lookup(destination);
    EXPECT_EQ(kernel_test::restoreCalls(), restores);
    CDbAcisEntityData again;
    ASSERT_EQ(modeler().transform(source, again, &kTurnDouble), 1);
    EXPECT_EQ(kernel_test::restoreCalls(), restores + 1);
    EXPECT_EQ(again.getSat(), destination.getSat());
}

TEST_F(BodySlots, TransformThereAndBackGivesTheSourceGeometryAndTopology) {
    for (const char* name : {"v700_cylinder_material.sat", "v2000_three_plates_spline.sat",
                             "v700_asm_torus_part_subset.sat"}) {
        std::string text = sampleText(name);
        CDbAcisEntityData there, back;
        ASSERT_EQ(modeler().transform(record(text), there, &kTurnDouble), 1) << name;
        // The inverse: axes of the transposed turn, halved, and the translation undone.
        ModelerMatrix inverse = matrix({0, -0.5, 0}, {0.5, 0, 0}, {0, 0, 0.5}, {-10, 5, -15});
        ASSERT_EQ(modeler().transform(there, back, &inverse), 1) << name;
        ENTITY_LIST original, returned;
        ASSERT_EQ(restore(text, original), 0);
        ASSERT_EQ(restore(back.getSat().c_str(), returned), 0);
        // The same records, but for the transform the moves leave (nearly the identity).
        std::map<std::string, int> before = countByType(original), after = countByType(returned);
        before.erase("transform");
        after.erase("transform");
        EXPECT_EQ(before, after) << name;
        for (ENTITY_LIST* list : {&original, &returned})
            ASSERT_TRUE(api_change_body_trans(static_cast<BODY*>((*list)[0]), nullptr).ok());
        expectNear(body_fixture::edgeSamples(returned[0], 9),
                   body_fixture::edgeSamples(original[0], 9), 1e-6);
        deleteAll(original);
        deleteAll(returned);
    }
}

TEST_F(BodySlots, ExtentsPlaceTheBodyByItsTransformThenTheMatrix) {
    CDbAcisEntityData unit = record(boxText({0, 0, 0}, {1, 1, 1}));
    double low[3] = {}, high[3] = {};
    ModelerMatrix shift = matrix({1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {2, 3, 4});
    ASSERT_EQ(modeler().extents(unit, low, high, &shift), 1);
    EXPECT_NEAR(low[0], 2, 1e-12);
    EXPECT_NEAR(low[1], 3, 1e-12);
    EXPECT_NEAR(low[2], 4, 1e-12);
    EXPECT_NEAR(high[0], 3, 1e-12);
    EXPECT_NEAR(high[1], 4, 1e-12);
    EXPECT_NEAR(high[2], 5, 1e-12);

    CDbAcisEntityData moved;
    ASSERT_EQ(modeler().transform(unit, moved, &kTurnDouble), 1);
    ASSERT_EQ(modeler().extents(moved, low, high, &shift), 1);
    // The turned, doubled unit box spans x in [-2, 0], y in [0, 2], z in [0, 2], then moves.
    double expectLow[3] = {10 - 2 + 2, 20 + 3, 30 + 4},
           expectHigh[3] = {10 + 2, 20 + 2 + 3, 30 + 2 + 4};
    for (int k = 0; k < 3; ++k) {
        EXPECT_NEAR(low[k], expectLow[k], 1e-9) << k;
        EXPECT_NEAR(high[k], expectHigh[k], 1e-9) << k;
    }

    ModelerMatrix flat = matrix({1, 0, 0}, {1, 0, 0}, {0, 0, 1});
    EXPECT_EQ(modeler().extents(unit, low, high, &flat), 0);
    EXPECT_EQ(modeler().lastError(), kSingularTransform);
    EXPECT_EQ(modeler().extents(unit, nullptr, high, &shift), 0);
    EXPECT_EQ(modeler().lastError(), kNullArgument);
    EXPECT_EQ(modeler().extents(unit, low, high, nullptr), 0);
    EXPECT_EQ(modeler().lastError(), kNullArgument);
}

TEST_F(BodySlots, PerimeterOfRegionsFollowsTheirScale) {
    CDbAcisEntityData square =
        record(body_fixture::squareRegionText(3), CDbAcisEntityData::kRegion);
    double perimeter = -1;
    ASSERT_EQ(modeler().perimeter(square, &perimeter), 1);
    EXPECT_NEAR(perimeter, 12, 1e-12);
    CDbAcisEntityData doubled;
    ASSERT_EQ(modeler().transform(square, doubled, &kTurnDouble), 1);
    ASSERT_EQ(doubled.getType(), CDbAcisEntityData::kRegion);
    ASSERT_EQ(modeler().perimeter(doubled, &perimeter), 1);
    EXPECT_NEAR(perimeter, 24, 1e-12) << "the stored scale counts";

    // An elliptic disk: its perimeter against a polyline of many sides.
    CDbAcisEntityData disk =
        record(sampleText("v20800_planesurface_disk.sat"), CDbAcisEntityData::kRegion);
    ASSERT_EQ(modeler().perimeter(disk, &perimeter), 1);
    ENTITY_LIST list;
    ASSERT_EQ(restore(disk.getSat().c_str(), list), 0);
    std::vector<SPAposition> ring = body_fixture::edgeSamples(list[0], 200000);
    double polyline = 0;
    for (std::size_t i = 1; i < ring.size(); ++i) polyline += distance(ring[i - 1], ring[i]);
    EXPECT_NEAR(perimeter, polyline, 1e-6);
    deleteAll(list);

    long restores = kernel_test::restoreCalls();
    double untouched = -7;
    CDbAcisEntityData solid = record(body_fixture::squareRegionText(3), CDbAcisEntityData::kSolid);
    EXPECT_EQ(modeler().perimeter(solid, &untouched), 0);
    EXPECT_EQ(untouched, -7);
    EXPECT_EQ(modeler().lastError(), 0);
    EXPECT_EQ(kernel_test::restoreCalls(), restores) << "no lookup for a record that is no region";
    EXPECT_EQ(modeler().perimeter(square, nullptr), 0);
    EXPECT_EQ(modeler().lastError(), kNullArgument);
    // A region without faces: nothing to measure, and no crash.
    CDbAcisEntityData empty =
        record(body_fixture::arcWireText(1, 0, 1, false), CDbAcisEntityData::kRegion);
    EXPECT_EQ(modeler().perimeter(empty, &untouched), 0);
    EXPECT_EQ(modeler().lastError(), kNullEntity);
    EXPECT_EQ(untouched, -7);
}

TEST(EdgeLength, EveryEdgeMeasuresAsAFinePolylineAndScalesWithItsTransform) {
    SPAtransf scaled =
        restore_transf(SPAmatrix(SPAvector(0, 1, 0), SPAvector(-1, 0, 0), SPAvector(0, 0, 1)),
                       SPAvector(4, 5, 6), 2.5, 1, 0, 0);
    int edges = 0;
    for (const std::string& name : sampleFiles()) {
        ENTITY_LIST list, all;
        ASSERT_EQ(restore(sampleText(name), list), 0);
        for (int b = 0; b < list.count(); ++b) api_get_edges(list[b], all);
        for (int i = 0; i < all.count(); ++i) {
            auto* edge = static_cast<EDGE*>(all[i]);
            if (!edge->geometry()) continue;
            const int n = 20000;
            double polyline = 0;
            SPAposition last;
            for (int k = 0; k <= n; ++k) {
                double t = edge->start_param() + (edge->end_param() - edge->start_param()) * k / n;
                SPAposition p =
                    body_fixture::curvePoint(*edge->geometry(), edge->reversed() ? -t : t);
                if (k) polyline += distance(p, last);
                last = p;
            }
            double length = edge->length();
            EXPECT_NEAR(length, polyline, 1e-6 * std::max(1.0, polyline)) << name << " edge " << i;
            EXPECT_NEAR(edge->length(&scaled), 2.5 * length, 1e-9 * std::max(1.0, length))
                << name << " edge " << i;
            ++edges;
        }
        deleteAll(list);
    }
    EXPECT_GT(edges, 300);
}

TEST_F(BodySlots, CharacteristicPointsAppendVerticesAndCentres) {
    HostVector<ModelerPoint> points{{-1, -1, -1}};
    ASSERT_EQ(
        modeler().characteristicPoints(record(sampleText("v20800_planesurface_disk.sat")), points),
        1);
    ASSERT_EQ(points.size(), 3u) << "what the host had, the vertex, the disk's centre";
    EXPECT_EQ(points[0].x, -1);
    EXPECT_NEAR(points[2].x, 1840.484043941387881, 1e-9);
    EXPECT_NEAR(points[2].y, 1399.239302724385652, 1e-9);
    HostVector<ModelerPoint> sphere;
    ASSERT_EQ(
        modeler().characteristicPoints(record(body_fixture::sphereText({1, 2, 3}, 4)), sphere), 1);
    ASSERT_EQ(sphere.size(), 1u);
    EXPECT_EQ(sphere[0].z, 3);
    HostVector<ModelerPoint> box;
    ASSERT_EQ(modeler().characteristicPoints(record(boxText({0, 0, 0}, {1, 1, 1})), box), 1);
    EXPECT_EQ(box.size(), 8u);
}

TEST_F(BodySlots, FailuresPutTheHostsVectorsBackAndReleaseEmptyOnes) {
    CDbAcisEntityData bad = record("700 0 1 0 nonsense");
    HostVector<ModelerPoint> kept{{1, 2, 3}, {4, 5, 6}};
    EXPECT_EQ(modeler().characteristicPoints(bad, kept), 0);
    EXPECT_NE(modeler().lastError(), 0);
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(kept[1].z, 6);
    HostVector<ModelerPoint> empty;
    empty.reserve(16);
    EXPECT_EQ(modeler().characteristicPoints(bad, empty), 0);
    EXPECT_EQ(empty.capacity(), 0u) << "storage given back";

    const double p[3] = {0, 0, 0}, d[3] = {0, 0, -1};
    HostVector<ModelerSnapPoint> snaps(3);
    snaps[2].kind = 77;
    EXPECT_EQ(modeler().snapPoints(bad, 1, p, p, d, snaps), 0);
    ASSERT_EQ(snaps.size(), 3u);
    EXPECT_EQ(snaps[2].kind, 77);
    HostVector<ModelerSnapPoint> none;
    none.reserve(8);
    CDbAcisEntityData unit = record(boxText({0, 0, 0}, {1, 1, 1}));
    EXPECT_EQ(modeler().snapPoints(unit, 1, nullptr, p, d, none), 0);
    EXPECT_EQ(modeler().lastError(), kNullArgument);
    EXPECT_EQ(none.capacity(), 0u);
    CDbAcisEntityData noText;
    EXPECT_EQ(modeler().snapPoints(noText, 1, p, p, d, none), 0);
    EXPECT_EQ(modeler().lastError(), kNullEntity);
    CDbAcisEntityData twoBodies = record(sampleText("v600_two_boxes.sat"));
    EXPECT_EQ(modeler().snapPoints(twoBodies, 1, p, p, d, none), 0);
    EXPECT_EQ(modeler().lastError(), kNotABody);
}

TEST_F(BodySlots, SnapReplacesTheVectorWithPointsOfTheMovedBody) {
    CDbAcisEntityData unit = record(boxText({0, 0, 0}, {1, 1, 1})), moved;
    ASSERT_EQ(modeler().transform(unit, moved, &kTurnDouble), 1);
    const double p[3] = {0, 0, 0}, d[3] = {0, 0, -1};
    HostVector<ModelerSnapPoint> snaps(5);
    ASSERT_EQ(modeler().snapPoints(moved, 0, p, p, d, snaps), 1);
    EXPECT_TRUE(snaps.empty()) << "no flags, no points";
    ASSERT_EQ(modeler().snapPoints(moved, kSnapEnd, p, p, d, snaps), 1);
    ASSERT_EQ(snaps.size(), 8u);
    std::vector<SPAposition> got, expected;
    for (const ModelerSnapPoint& s : snaps) got.emplace_back(s.x, s.y, s.z);
    for (const SPAposition& v : placedVertices(unit.getSat().c_str()))
        expected.push_back(place(kTurnDouble, v));
    expectNear(got, expected, 1e-12);
    // The cached body keeps its geometry baked; moving it on still saves it where it is.
    CDbAcisEntityData same;
    ASSERT_EQ(modeler().transform(moved, same, &kIdentity), 1);
    expectNear(placedVertices(same.getSat().c_str()), expected, 1e-12);
}

}  // namespace
