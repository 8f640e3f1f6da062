// Parameter lines against the geometry they come from: where they run, where the face's
// loops cut them, their curves' points on the surface, and that they leave nothing behind.
#include "SatTestSupport.h"
#include "SolidSamples.h"
#include "solidkernel/isolines.h"
#include "solidkernel/queries.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sat_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Body {
    ENTITY_LIST list;
    std::vector<FACE*> faces;
    explicit Body(const std::string& sat) {
        EXPECT_EQ(restore(sat, list), 0);
        ENTITY_LIST found;
        if (list.count() == 1) api_get_faces(list[0], found);
        for (int i = 0; i < found.count(); ++i) faces.push_back(static_cast<FACE*>(found[i]));
    }
    ~Body() { deleteAll(list); }
    FACE* faceOf(const char* surfaceType) const {
        for (FACE* f : faces)
            if (std::string(f->geometry()->type_name()) == surfaceType) return f;
        return nullptr;
    }
};

struct Lines {
    ENTITY_LIST edges;
    ~Lines() {
        for (int i = 0; i < edges.count(); ++i) api_del_entity(edges[i]);
    }
    EDGE* operator[](int i) const { return static_cast<EDGE*>(edges[i]); }
    int count() const { return edges.count(); }
};

// Length of an edge from a fine sampling of its curve.
double lengthOf(const EDGE* e) {
    double total = 0;
    SPAposition last = e->eval_position(e->start_param());
    for (int i = 1; i <= 2000; ++i) {
        SPAposition p = e->eval_position(e->start_param() + (e->end_param() - e->start_param()) * i / 2000);
        total += distance(p, last);
        last = p;
    }
    return total;
}

TEST(ParameterLines, ACylinderGetsLinesAlongItsAxisFromRimToRim) {
    Body body(solid_samples::cylinder(2, 7).sat);
    FACE* side = body.faceOf("cone");
    ASSERT_TRUE(side);
    EXPECT_TRUE(is_cylindrical_face(side));
    EXPECT_FALSE(is_planar_face(side));
    Lines lines;
    ASSERT_TRUE(api_face_nu_nv_isolines(side, 4, 0, nullptr, lines.edges).ok());
    ASSERT_EQ(lines.count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(std::string(lines[i]->geometry()->type_name()), "straight");
        EXPECT_FALSE(is_closed_curve(lines[i]));
        SPAposition a = lines[i]->start()->geometry()->coords(), b = lines[i]->end()->geometry()->coords();
        EXPECT_NEAR(std::hypot(a.x, a.y), 2, 1e-9);
        EXPECT_NEAR(std::fabs(b.z - a.z), 7, 1e-3) << "from one circle to the other";
        EXPECT_NEAR(distance(lines[i]->eval_position(lines[i]->start_param()), a), 0, 1e-9);
    }
    Lines rings;
    ASSERT_TRUE(api_face_nu_nv_isolines(side, 0, 3, nullptr, rings.edges).ok());
    ASSERT_EQ(rings.count(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(is_closed_curve(rings[i])) << "a full circle around the side";
        EXPECT_NEAR(lengthOf(rings[i]), 2 * kPi * 2, 1e-3);
    }
}

TEST(ParameterLines, AHoleCutsTheLinesOfAPlanarFace) {
    // The top of a 6 x 5 box with a hole of radius 1 at its centre.
    Body body(solid_samples::boxWithHole(6, 5, 4, 1).sat);
    FACE* top = nullptr;
    for (FACE* f : body.faces) {
        auto* plane = dynamic_cast<const PLANE*>(f->geometry());
        if (plane && plane->root.z == 4 && plane->normal.z > 0) top = f;
    }
    ASSERT_TRUE(top);
    Lines lines;
    ASSERT_TRUE(api_face_nu_nv_isolines(top, 3, 3, nullptr, lines.edges).ok());
    // Three lines each way at a quarter, half and three quarters: the middle ones cross the
    // hole through its centre and are cut in two.
    ASSERT_EQ(lines.count(), 8);
    double total = 0;
    for (int i = 0; i < lines.count(); ++i) total += lengthOf(lines[i]);
    EXPECT_NEAR(total, 3 * 6 + 3 * 5 - 2 * 2, 0.01);
    for (int i = 0; i < lines.count(); ++i) {
        SPAposition p = lines[i]->eval_position(0.5 * (lines[i]->start_param() + lines[i]->end_param()));
        EXPECT_NEAR(p.z, 4, 1e-12);
        EXPECT_GE(std::hypot(p.x - 3, p.y - 2.5), 1 - 1e-3) << "no line inside the hole";
    }
}

TEST(ParameterLines, SpheresAndToriRunFromPoleToPoleOrRoundInCircles) {
    Body sphere(solid_samples::sphere(5).sat);
    Lines lines;
    ASSERT_TRUE(api_face_nu_nv_isolines(sphere.faces[0], 4, 3, nullptr, lines.edges).ok());
    ASSERT_EQ(lines.count(), 7);
    int meridians = 0, parallels = 0;
    for (int i = 0; i < lines.count(); ++i) {
        if (is_closed_curve(lines[i])) {
            ++parallels;
        } else {
            ++meridians;
            EXPECT_NEAR(lengthOf(lines[i]), kPi * 5, 1e-3) << "pole to pole";
        }
        for (double f : {0.0, 0.3, 0.7, 1.0}) {
            SPAposition p = lines[i]->eval_position(lines[i]->start_param() + f * (lines[i]->end_param() - lines[i]->start_param()));
            EXPECT_NEAR(length(p), 5, 1e-9) << "on the sphere";
        }
    }
    EXPECT_EQ(meridians, 4);
    EXPECT_EQ(parallels, 3);

    Body dome(solid_samples::hemisphere(2).sat);
    Lines half;
    ASSERT_TRUE(api_face_nu_nv_isolines(dome.faceOf("sphere"), 4, 0, nullptr, half.edges).ok());
    ASSERT_EQ(half.count(), 4);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(lengthOf(half[i]), kPi, 1e-3) << "equator to pole";

    Body torus(solid_samples::torus(10, 3).sat);
    Lines circles;
    ASSERT_TRUE(api_face_nu_nv_isolines(torus.faces[0], 2, 2, nullptr, circles.edges).ok());
    ASSERT_EQ(circles.count(), 4);
    double total = 0;
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(is_closed_curve(circles[i]));
        total += lengthOf(circles[i]);
    }
    // Two tube circles, and two rings at the tube's top and bottom or inner and outer side.
    EXPECT_GT(total, 2 * 2 * kPi * 3 + 2 * 2 * kPi * 7 - 1e-3);
}

TEST(ParameterLines, SplineLinesLieOnTheSurfaceByAnIndependentSampling) {
    Body body(sampleText("v3000_bspline_face.sat"));
    ASSERT_EQ(body.faces.size(), 1u);
    auto* spline = dynamic_cast<const SPLINE*>(body.faces[0]->geometry());
    ASSERT_TRUE(spline);
    // The surface sampled densely by its own evaluation.
    const bs3_surface& bs = spline->approximation();
    std::vector<SPAposition> samples;
    const int n = 300;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
            SPAposition p;
            bs.eval(bs.uKnots.front() + (bs.uKnots.back() - bs.uKnots.front()) * i / n,
                    bs.vKnots.front() + (bs.vKnots.back() - bs.vKnots.front()) * j / n, p, nullptr, nullptr);
            samples.push_back(p);
        }
    double spacing = 0;
    for (int i = 0; i < n; ++i) spacing = std::max(spacing, distance(samples[i], samples[i + 1]));
    Lines lines;
    ASSERT_TRUE(api_face_nu_nv_isolines(body.faces[0], 3, 3, nullptr, lines.edges).ok());
    ASSERT_GE(lines.count(), 6);
    for (int i = 0; i < lines.count(); ++i) {
        EXPECT_EQ(std::string(lines[i]->geometry()->type_name()), "intcurve");
        for (double f : {0.0, 0.25, 0.5, 0.75, 1.0}) {
            SPAposition p = lines[i]->eval_position(lines[i]->start_param() + f * (lines[i]->end_param() - lines[i]->start_param()));
            double nearest = 1e300;
            for (const SPAposition& s : samples) nearest = std::min(nearest, distance(s, p));
            EXPECT_LE(nearest, spacing) << "line " << i << " at " << f;
        }
    }
}

TEST(ParameterLines, NoLinesAskedNoneMadeAndDeletingThemLeavesNothing) {
    long blocks = acis_live_blocks();
    {
        Body body(solid_samples::torus(10, 3).sat);
        Lines none;
        ASSERT_TRUE(api_face_nu_nv_isolines(body.faces[0], 0, -5, nullptr, none.edges).ok());
        EXPECT_EQ(none.count(), 0);
        SPAtransf lift;
        lift.t = SPAvector(0, 0, 100);
        Lines moved;
        ASSERT_TRUE(api_face_nu_nv_isolines(body.faces[0], 3, 0, &lift, moved.edges).ok());
        ASSERT_EQ(moved.count(), 3);
        for (int i = 0; i < 3; ++i) EXPECT_GT(moved[i]->start()->geometry()->coords().z, 90) << "moved by the transform";
    }
    EXPECT_EQ(acis_live_blocks(), blocks);
}

}  // namespace
