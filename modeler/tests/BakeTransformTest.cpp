// Baking a body's transform into its geometry: every vertex, every point along the edges
// and every surface point at fixed parameters lands where the transform put it, the body is
// left without a transform, and the moved geometry (spline definitions included) saves and
// restores as moved. Geometry the kernel cannot move is refused with nothing changed.
#include "BodyFixtures.h"
#include "SatTestSupport.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/errors.h"
#include "solidkernel/transf.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace sat_test;

namespace {

struct Snapshot {
    std::vector<SPAposition> vertices, edges, surfaces;
};

// Surface points at parameters inside each surface's natural range.
std::vector<SPAposition> surfaceSamples(ENTITY* body) {
    std::vector<SPAposition> out;
    ENTITY_LIST faces;
    api_get_faces(body, faces);
    for (int i = 0; i < faces.count(); ++i) {
        const SURFACE* s = static_cast<FACE*>(faces[i])->geometry();
        if (!s) continue;
        double u = 0.3, v = 0.7;
        if (auto* spline = dynamic_cast<const SPLINE*>(s)) {
            const bs3_surface& bs = spline->approximation();
            if (!bs.valid()) continue;
            u = 0.4 * bs.uKnots.front() + 0.6 * bs.uKnots.back();
            v = 0.7 * bs.vKnots.front() + 0.3 * bs.vKnots.back();
        }
        for (double du : {0.0, 0.1})
            for (double dv : {0.0, 0.2}) {
                SPAposition p;
                s->eval(u + du, v + dv, p);
                out.push_back(p);
            }
    }
    return out;
}

Snapshot snapshot(BODY* body, const SPAtransf& placement) {
    Snapshot s;
    ENTITY_LIST vertices;
    api_get_vertices(body, vertices);
    for (int i = 0; i < vertices.count(); ++i)
        s.vertices.push_back(
            placement.apply(static_cast<VERTEX*>(vertices[i])->geometry()->coords()));
    for (const SPAposition& p : body_fixture::edgeSamples(body, 7))
        s.edges.push_back(placement.apply(p));
    for (const SPAposition& p : surfaceSamples(body)) s.surfaces.push_back(placement.apply(p));
    return s;
}

// The same points, in any order (a mirrored body's loops run the other way, so its
// topology is walked in another order).
void expectSame(const std::vector<SPAposition>& a, std::vector<SPAposition> b, double tolerance,
                const std::string& what) {
    ASSERT_EQ(a.size(), b.size()) << what;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto match = std::find_if(b.begin(), b.end(), [&](const SPAposition& p) {
            return distance(a[i], p) <= tolerance;
        });
        ASSERT_NE(match, b.end()) << what << " #" << i;
        b.erase(match);
    }
}

SPAtransf turnScaleShift() {
    double c = std::cos(0.7), s = std::sin(0.7);
    SPAmatrix m(SPAvector(c, s, 0), SPAvector(-s * 0.6, c * 0.6, 0.8),
                SPAvector(s * 0.8, -c * 0.8, 0.6));
    return restore_transf(m, SPAvector(12.5, -3, 40), 1.5, 1, 0, 0);
}

SPAtransf mirrorShift() {
    SPAmatrix m(SPAvector(-1, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 1));
    return restore_transf(m, SPAvector(0, 5, -1), 2, 0, 1, 0);
}

TEST(BakeBodyTransform, GeometryStaysWhereTheTransformPutItAndSavesSo) {
    useBridgeSaveSettings();
    int bodies = 0;
    for (const std::string& name : sampleFiles()) {
        for (const SPAtransf& move : {turnScaleShift(), mirrorShift()}) {
            ENTITY_LIST list;
            ASSERT_EQ(restore(sampleText(name), list), 0) << name;
            for (int i = 0; i < list.count(); ++i) {
                auto* body = dynamic_cast<BODY*>(list[i]);
                ASSERT_NE(body, nullptr);
                ASSERT_TRUE(api_transform_entity(body, move).ok());
                SPAtransf placement = body->transform()->transform();
                Snapshot before = snapshot(body, placement);
                ASSERT_EQ(api_change_body_trans(body, nullptr).error_number(), 0) << name;
                EXPECT_EQ(body->transform(), nullptr) << name;
                Snapshot after = snapshot(body, SPAtransf());
                double tolerance = 1e-9 * 200;
                expectSame(before.vertices, after.vertices, tolerance, name + " vertices");
                expectSame(before.edges, after.edges, tolerance, name + " edges");
                expectSame(before.surfaces, after.surfaces, tolerance, name + " surfaces");

                // Saved and restored, the body is the moved one, splines included.
                ENTITY_LIST one, again;
                one.add(body);
                std::string text = save(one);
                ASSERT_EQ(restore(text, again), 0) << name;
                Snapshot restored = snapshot(static_cast<BODY*>(again[0]), SPAtransf());
                expectSame(after.vertices, restored.vertices, 1e-9, name + " restored vertices");
                expectSame(after.edges, restored.edges, 1e-9, name + " restored edges");
                expectSame(after.surfaces, restored.surfaces, 1e-9, name + " restored surfaces");
                deleteAll(again);
                ++bodies;
            }
            deleteAll(list);
        }
    }
    EXPECT_EQ(bodies, 2 * (26 + 7 + 2)) << "every body of every sample, both moves";
}

// Whether every planar face lies left of its loops seen along its outward normal (the
// loop's Newell normal agrees with the face's).
bool facesLeftOfTheirLoops(BODY* body) {
    ENTITY_LIST faces;
    api_get_faces(body, faces);
    for (int i = 0; i < faces.count(); ++i) {
        auto* face = static_cast<FACE*>(faces[i]);
        auto* plane = dynamic_cast<const PLANE*>(face->geometry());
        if (!plane) continue;
        SPAvector newell;
        COEDGE* first = face->loop()->start();
        COEDGE* c = first;
        do {
            SPAposition a = c->start()->geometry()->coords(), b = c->end()->geometry()->coords();
            newell = newell + cross(a, b);
            c = c->next();
        } while (c != first);
        double side = dot(newell, plane->normal) * (face->reversed() ? -1 : 1);
        if (!(side > 0)) return false;
    }
    return true;
}

TEST(BakeBodyTransform, AMirroredBodyKeepsItsFacesLeftOfTheirLoops) {
    ENTITY_LIST list;
    ASSERT_EQ(restore(body_fixture::boxText(SPAposition(0, 0, 0), SPAposition(1, 2, 3)), list), 0);
    auto* body = static_cast<BODY*>(list[0]);
    ASSERT_TRUE(facesLeftOfTheirLoops(body));
    ASSERT_TRUE(api_transform_entity(body, mirrorShift()).ok());
    ASSERT_TRUE(api_change_body_trans(body, nullptr).ok());
    EXPECT_TRUE(facesLeftOfTheirLoops(body));
    ASSERT_TRUE(api_transform_entity(body, turnScaleShift()).ok());
    ASSERT_TRUE(api_change_body_trans(body, nullptr).ok());
    EXPECT_TRUE(facesLeftOfTheirLoops(body)) << "a turn keeps the loops as they are";
    deleteAll(list);
}

TEST(BakeBodyTransform, ANewTransformKeepsTheBodyInPlace) {
    ENTITY_LIST list;
    ASSERT_EQ(restore(sampleText("v700_cylinder_material.sat"), list), 0);
    auto* body = static_cast<BODY*>(list[0]);
    Snapshot before = snapshot(body, SPAtransf());
    auto* wanted = new TRANSFORM();
    wanted->set_transform(turnScaleShift());
    ASSERT_TRUE(api_change_body_trans(body, wanted).ok());
    ASSERT_NE(body->transform(), nullptr);
    Snapshot after = snapshot(body, body->transform()->transform());
    expectSame(before.vertices, after.vertices, 1e-9, "vertices");
    expectSame(before.edges, after.edges, 1e-9, "edges");
    delete wanted;
    deleteAll(list);
}

TEST(BakeBodyTransform, ATransformOtherRecordsStillReachIsNotDeletedUnderThem) {
    // An attribute elsewhere in the body names the transform as its owner: baking takes the
    // transform off the body, but it stays alive until the body goes (found by fuzzing).
    long blocks = acis_live_blocks();
    std::string path = std::string(KIVRA_SOURCE_DIR) +
                       "/modeler/tests/fuzz-regressions/transform-held-by-an-attribute.sat";
    ENTITY_LIST list;
    ASSERT_EQ(restore(readFile(path), list), 0);
    auto* body = static_cast<BODY*>(list[0]);
    ASSERT_TRUE(api_transform_entity(body, turnScaleShift()).ok());
    ASSERT_TRUE(api_change_body_trans(body, nullptr).ok());
    EXPECT_EQ(body->transform(), nullptr);
    std::vector<SPAposition> moved = body_fixture::edgeSamples(body, 1);
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_LE(distance(moved[1], turnScaleShift().apply(SPAposition(1, 0, 0))), 1e-12);
    deleteAll(list);
    EXPECT_EQ(acis_live_blocks(), blocks);
}

TEST(BakeBodyTransform, GeometryItCannotMoveIsRefusedAndNothingChanges) {
    // A procedural curve of a kind whose definition holds data the kernel does not read.
    std::string text = sampleText("v2000_three_plates_spline.sat");
    std::size_t at = text.find("{ exactcur");
    ASSERT_NE(at, std::string::npos);
    text.replace(at, 10, "{ projcur ");
    ENTITY_LIST list;
    ASSERT_EQ(restore(text, list), 0);
    auto* body = static_cast<BODY*>(list[0]);
    ASSERT_TRUE(api_transform_entity(body, turnScaleShift()).ok());
    Snapshot before = snapshot(body, SPAtransf());
    EXPECT_EQ(api_change_body_trans(body, nullptr).error_number(),
              kernel_errors::kUntransformableGeometry);
    ASSERT_NE(body->transform(), nullptr)
        << "the transform stays when the geometry cannot take it up";
    Snapshot after = snapshot(body, SPAtransf());
    expectSame(before.vertices, after.vertices, 0, "vertices");
    expectSame(before.edges, after.edges, 0, "edges");
    expectSame(before.surfaces, after.surfaces, 0, "surfaces");

    SPAmatrix shear(SPAvector(1, 0, 0), SPAvector(0.5, 1, 0), SPAvector(0, 0, 1));
    body->transform()->set_transform(restore_transf(shear, SPAvector(), 1, 0, 0, 1));
    EXPECT_EQ(api_change_body_trans(body, nullptr).error_number(),
              kernel_errors::kNotConformalTransform);
    deleteAll(list);
}

}  // namespace
