// Boxes of bodies against extremes found here by brute force: every vertex, edges sampled
// densely and refined by ternary search, faces without loops sampled on a grid and refined
// by a pattern search. The box must hold them all and reach each of them within 1e-6.
#include "BodyFixtures.h"
#include "SatTestSupport.h"
#include "solidkernel/box.h"
#include "solidkernel/transf.h"

#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using namespace sat_test;
using body_fixture::curvePoint;

namespace {

constexpr double kPi = 3.14159265358979323846;
using Objective = std::function<double(const SPAposition&)>;

// The greatest value of f(g(t)) for t in [a, b].
double maxAlong(const std::function<SPAposition(double)>& g, const Objective& f, double a,
                double b) {
    const int n = 256;
    int best = 0;
    double bestValue = -1e300;
    for (int i = 0; i <= n; ++i) {
        double v = f(g(a + (b - a) * i / n));
        if (v > bestValue) bestValue = v, best = i;
    }
    double lo = a + (b - a) * std::max(0, best - 1) / n,
           hi = a + (b - a) * std::min(n, best + 1) / n;
    for (int k = 0; k < 200; ++k) {
        double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        if (f(g(m1)) < f(g(m2)))
            lo = m1;
        else
            hi = m2;
    }
    return std::max(bestValue, f(g(0.5 * (lo + hi))));
}

// The greatest value of f over a whole surface's parameter rectangle.
double maxOver(const SURFACE& s, const Objective& f, double u0, double u1, double v0, double v1) {
    auto at = [&](double u, double v) {
        SPAposition p;
        s.eval(u, v, p);
        return f(p);
    };
    const int n = 96;
    double bu = u0, bv = v0, best = -1e300;
    for (int i = 0; i <= n; ++i)
        for (int j = 0; j <= n; ++j) {
            double u = u0 + (u1 - u0) * i / n, v = v0 + (v1 - v0) * j / n, value = at(u, v);
            if (value > best) best = value, bu = u, bv = v;
        }
    for (double step = (u1 - u0) / n; step > 1e-13; step *= 0.5)
        for (bool moved = true; moved;) {
            moved = false;
            for (auto [du, dv] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                double u = std::clamp(bu + du * step, u0, u1),
                       v = std::clamp(bv + dv * step, v0, v1);
                if (at(u, v) > best) best = at(u, v), bu = u, bv = v, moved = true;
            }
        }
    return best;
}

// The body's greatest value of f: vertices, edges, and the faces that have no loops.
double bodyMax(BODY* body, const Objective& f) {
    double best = -1e300;
    ENTITY_LIST vertices, edges, faces;
    api_get_vertices(body, vertices);
    api_get_edges(body, edges);
    api_get_faces(body, faces);
    for (int i = 0; i < vertices.count(); ++i)
        best = std::max(best, f(static_cast<VERTEX*>(vertices[i])->geometry()->coords()));
    for (int i = 0; i < edges.count(); ++i) {
        auto* edge = static_cast<EDGE*>(edges[i]);
        const CURVE* curve = edge->geometry();
        if (!curve) continue;
        auto along = [&](double t) { return curvePoint(*curve, edge->reversed() ? -t : t); };
        best = std::max(best, maxAlong(along, f, edge->start_param(), edge->end_param()));
    }
    for (int i = 0; i < faces.count(); ++i) {
        auto* face = static_cast<FACE*>(faces[i]);
        const SURFACE* s = face->geometry();
        if (face->loop() || !s) continue;
        double uHalf = dynamic_cast<const SPHERE*>(s) ? kPi / 2 : kPi;
        best = std::max(best, maxOver(*s, f, -uHalf, uHalf, -kPi, kPi));
    }
    return best;
}

SPAtransf turned() {
    double c = std::cos(0.4), s = std::sin(0.4);
    SPAmatrix m(SPAvector(c, s, 0), SPAvector(-s * 0.8, c * 0.8, 0.6),
                SPAvector(s * 0.6, -c * 0.6, 0.8));
    return restore_transf(m, SPAvector(3, -7, 11), 0.75, 1, 0, 0);
}

// Faces whose extremes may lie inside them, away from their loops, where the sampling here
// does not look (spheres, tori and splines bounded by loops).
bool hasBoundedCurvedFaces(BODY* body) {
    ENTITY_LIST faces;
    api_get_faces(body, faces);
    for (int i = 0; i < faces.count(); ++i) {
        auto* face = static_cast<FACE*>(faces[i]);
        const SURFACE* s = face->geometry();
        if (face->loop() && (dynamic_cast<const SPHERE*>(s) || dynamic_cast<const TORUS*>(s) ||
                             dynamic_cast<const SPLINE*>(s)))
            return true;
    }
    return false;
}

// Checks the box of the body under a placement against brute-force extremes: it holds them
// always, and reaches them when tight is asked for.
void expectTightBox(BODY* body, const SPAtransf& placement, const std::string& what,
                    bool tight = true) {
    SPAbox box = get_body_box(body, &placement);
    ASSERT_FALSE(box.empty()) << what;
    for (int k = 0; k < 3; ++k)
        for (double sign : {1.0, -1.0}) {
            Objective f = [&](const SPAposition& p) { return sign * placement.apply(p).data()[k]; };
            double extreme = bodyMax(body, f);
            double side = sign * (sign > 0 ? box.high() : box.low()).data()[k];
            double scale = std::max(1.0, std::fabs(extreme));
            EXPECT_GE(side, extreme - 1e-9 * scale) << what << " axis " << k << " sign " << sign;
            if (tight) {
                EXPECT_LE(side, extreme + 1e-6) << what << " axis " << k << " sign " << sign;
            }
        }
}

TEST(BodyBox, EverySampleBodyBoxHoldsAndReachesItsGeometry) {
    int bodies = 0;
    for (const std::string& name : sampleFiles()) {
        ENTITY_LIST list;
        ASSERT_EQ(restore(sampleText(name), list), 0) << name;
        for (int i = 0; i < list.count(); ++i) {
            auto* body = static_cast<BODY*>(list[i]);
            SPAtransf own = body->transform() ? body->transform()->transform() : SPAtransf();
            expectTightBox(body, own, name);
            // Turned, the extremes of bounded curved faces can move inside them (a sphere's
            // corner patch bulges past its arcs): those bodies are checked to hold only.
            SPAtransf moved = own;
            moved *= turned();
            expectTightBox(body, moved, name + " turned", !hasBoundedCurvedFaces(body));
            ++bodies;
        }
        deleteAll(list);
    }
    EXPECT_EQ(bodies, 35);
}

TEST(BodyBox, ATurnedRoundedCubeReachesItsCornerSpheres) {
    // The sample is a cube with rounded edges and corners: turned, it reaches furthest in
    // any skew direction w on a corner sphere, at w . centre + radius |w|, inside the
    // corner's face rather than on its arcs.
    ENTITY_LIST list;
    ASSERT_EQ(restore(sampleText("v1600_testgeom.sat"), list), 0);
    auto* body = static_cast<BODY*>(list[0]);
    SPAtransf placement = turned();
    SPAbox box = get_body_box(body, &placement);
    ENTITY_LIST faces;
    api_get_faces(body, faces);
    for (int k = 0; k < 3; ++k)
        for (double sign : {1.0, -1.0}) {
            SPAvector w = sign * placement.scale *
                          SPAvector(placement.a[0][k], placement.a[1][k], placement.a[2][k]);
            double furthest = -1e300;
            int corners = 0;
            for (int i = 0; i < faces.count(); ++i)
                if (auto* s =
                        dynamic_cast<const SPHERE*>(static_cast<FACE*>(faces[i])->geometry())) {
                    furthest =
                        std::max(furthest, dot(w, s->centre) + std::fabs(s->radius) * length(w));
                    ++corners;
                }
            ASSERT_GE(corners, 8);
            double side = sign * (sign > 0 ? box.high() : box.low()).data()[k];
            EXPECT_NEAR(side, furthest + sign * placement.t.data()[k], 1e-9) << k << " " << sign;
        }
    deleteAll(list);
}

TEST(BodyBox, ANullPlacementMeansTheBodysOwnTransform) {
    ENTITY_LIST list;
    ASSERT_EQ(restore(body_fixture::boxText(SPAposition(0, 0, 0), SPAposition(1, 1, 1)), list), 0);
    auto* body = static_cast<BODY*>(list[0]);
    ASSERT_TRUE(
        api_transform_entity(body, restore_transf(SPAmatrix(), SPAvector(10, 20, 30), 1, 0, 0, 0))
            .ok());
    SPAbox box = get_body_box(body);
    EXPECT_NEAR(distance(box.low(), SPAposition(10, 20, 30)), 0, 1e-12);
    EXPECT_NEAR(distance(box.high(), SPAposition(11, 21, 31)), 0, 1e-12);
    SPAtransf identity;
    SPAbox own = get_body_box(body, &identity);
    EXPECT_NEAR(distance(own.high(), SPAposition(1, 1, 1)), 0, 1e-12)
        << "a given placement replaces the body's";
    deleteAll(list);
}

TEST(BodyBox, CurvedFacesAddTheExtremesInsideThem) {
    SPAposition c(1, 2, 3);
    for (bool north : {true, false}) {
        ENTITY_LIST list;
        ASSERT_EQ(restore(body_fixture::hemisphereText(c, 2, north), list), 0);
        SPAbox box = get_body_box(static_cast<BODY*>(list[0]));
        EXPECT_NEAR(box.high().z, north ? 5 : 3, 1e-12)
            << (north ? "the north pole" : "the equator");
        EXPECT_NEAR(box.low().z, north ? 3 : 1, 1e-12)
            << (north ? "the equator" : "the south pole");
        EXPECT_NEAR(box.low().x, -1, 1e-12);
        EXPECT_NEAR(box.high().y, 4, 1e-12);
        deleteAll(list);
    }
    ENTITY_LIST sphere;
    ASSERT_EQ(restore(body_fixture::sphereText(c, 2), sphere), 0);
    SPAbox box = get_body_box(static_cast<BODY*>(sphere[0]));
    EXPECT_NEAR(distance(box.low(), SPAposition(-1, 0, 1)), 0, 1e-12);
    EXPECT_NEAR(distance(box.high(), SPAposition(3, 4, 5)), 0, 1e-12);
    deleteAll(sphere);
}

}  // namespace
