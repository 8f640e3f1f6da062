// Snap points against independent computation: parameter rules with and without a period,
// quadrants and tangents of arcs whose edges run either way, and on sample bodies every
// kind checked by brute force along the edges it lies on.
#include "AsSnap.h"
#include "BodyFixtures.h"
#include "SatTestSupport.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/splinetangent.h"
#include "solidkernel/tolerance.h"

#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace sat_test;
using body_fixture::curvePoint;

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<SPAposition> positions(const std::vector<ModelerSnapPoint>& points, int kind) {
    std::vector<SPAposition> out;
    for (const ModelerSnapPoint& p : points)
        if (p.kind == kind) out.emplace_back(p.x, p.y, p.z);
    return out;
}

// Every expected point found once among the actual ones, and nothing else.
void expectSamePoints(std::vector<SPAposition> actual, const std::vector<SPAposition>& expected,
                      double tolerance, const std::string& what) {
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (const SPAposition& e : expected) {
        auto it = std::find_if(actual.begin(), actual.end(),
                               [&](const SPAposition& a) { return distance(a, e) <= tolerance; });
        ASSERT_NE(it, actual.end()) << what << ": no point at " << e.x << " " << e.y << " " << e.z;
        actual.erase(it);
    }
}

struct Restored {
    ENTITY_LIST list;
    explicit Restored(const std::string& text) { EXPECT_EQ(restore(text, list), 0); }
    ~Restored() { deleteAll(list); }
    BODY* body() const { return static_cast<BODY*>(list[0]); }
};

std::vector<ModelerSnapPoint> snap(BODY* body, int flags, const SPAposition& pick = SPAposition(),
                                   const SPAposition& reference = SPAposition(),
                                   const SPAvector& view = SPAvector(0, 0, -1)) {
    EXPECT_TRUE(api_change_body_trans(body, nullptr).ok());
    std::vector<ModelerSnapPoint> out;
    AsCollectSnapPoints(body, flags, pick, reference, view, out);
    return out;
}

TEST(SnapParameters, RangesWithAndWithoutAPeriod) {
    EXPECT_TRUE(AsParamInside(0.5, 0, 1, 0));
    EXPECT_TRUE(AsParamInside(1 + 0.5 * SPAresabs, 0, 1, 0)) << "ends count within SPAresabs";
    EXPECT_FALSE(AsParamInside(1 + 2 * SPAresabs, 0, 1, 0));
    EXPECT_FALSE(AsParamInside(0.5 + 2 * kPi, 0, 1, 0));
    EXPECT_TRUE(AsParamInside(0.5 + 2 * kPi, 0, 1, 2 * kPi));
    EXPECT_TRUE(AsParamInside(0.5 - 6 * kPi, 0, 1, 2 * kPi));
    EXPECT_TRUE(AsParamInside(-kPi / 3, 0, 2 * kPi, 2 * kPi)) << "a full circle holds every angle";
    EXPECT_FALSE(AsParamInside(std::nan(""), 0, 1, 2 * kPi));
    EXPECT_FALSE(AsParamInside(std::numeric_limits<double>::infinity(), 0, 1, 2 * kPi));
    EXPECT_FALSE(AsParamInside(0.5, 0, std::nan(""), 2 * kPi));
    // A damaged text's huge parameter is reduced at once, not one period at a time.
    auto start = std::chrono::steady_clock::now();
    bool inside =
        AsParamInside(1e300, 0, 2 * kPi, 2 * kPi) && AsParamInside(-1e18, 0, 2 * kPi, 2 * kPi);
    EXPECT_TRUE(inside);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
}

TEST(SnapArcs, QuadrantsAreThoseTheEdgeCoversWhicheverWayItRuns) {
    const double r = 2;
    // Both run over the quarter from angle 0 to pi/2; the reversed edge's own parameters are
    // [-pi/2, 0].
    for (bool reversed : {false, true}) {
        Restored arc(body_fixture::arcWireText(r, reversed ? -kPi / 2 : 0, reversed ? 0 : kPi / 2,
                                               reversed));
        expectSamePoints(positions(snap(arc.body(), kSnapQuadrant), kSnapQuadrant),
                         {SPAposition(r, 0, 0), SPAposition(0, r, 0)}, 1e-12,
                         reversed ? "reversed" : "forward");
    }
    Restored circle(body_fixture::arcWireText(r, 0, 2 * kPi, false));
    expectSamePoints(
        positions(snap(circle.body(), kSnapQuadrant | kSnapCentre), kSnapQuadrant),
        {SPAposition(r, 0, 0), SPAposition(0, r, 0), SPAposition(-r, 0, 0), SPAposition(0, -r, 0)},
        1e-12, "circle");
}

TEST(SnapArcs, TangentsFromAPointReachBothSidesOfACircle) {
    const double r = 3;
    SPAposition from(2 * r, 0, 0);
    // The tangent points are where the radius is perpendicular to the line from `from`.
    std::vector<SPAposition> both = {SPAposition(r / 2, r * std::sqrt(3.0) / 2, 0),
                                     SPAposition(r / 2, -r * std::sqrt(3.0) / 2, 0)};
    Restored circle(body_fixture::arcWireText(r, 0, 2 * kPi, false));
    expectSamePoints(
        positions(snap(circle.body(), kSnapTangent, SPAposition(), from), kSnapTangent), both, 1e-9,
        "full circle");
    // Lifted off the circle's plane, the point is projected onto it first.
    expectSamePoints(
        positions(snap(circle.body(), kSnapTangent, SPAposition(), SPAposition(2 * r, 0, 5)),
                  kSnapTangent),
        both, 1e-9, "lifted");
    Restored quarter(body_fixture::arcWireText(r, -kPi / 2, 0, true));
    expectSamePoints(
        positions(snap(quarter.body(), kSnapTangent, SPAposition(), from), kSnapTangent), {both[0]},
        1e-9, "reversed quarter");
    EXPECT_TRUE(positions(snap(circle.body(), kSnapTangent, SPAposition(), SPAposition(0, 0, 0)),
                          kSnapTangent)
                    .empty())
        << "from the centre";
    EXPECT_TRUE(
        positions(snap(circle.body(), kSnapTangent, SPAposition(), SPAposition(r / 2, 0, 0)),
                  kSnapTangent)
            .empty())
        << "from inside";
}

TEST(SnapArcs, NoFlagsNoPointsAndSphereCentres) {
    Restored circle(body_fixture::arcWireText(1, 0, 2 * kPi, false));
    EXPECT_TRUE(snap(circle.body(), 0).empty());
    Restored sphere(body_fixture::sphereText(SPAposition(1, 2, 3), 4));
    expectSamePoints(positions(snap(sphere.body(), kSnapCentre), kSnapCentre),
                     {SPAposition(1, 2, 3)}, 0, "sphere");
}

TEST(SnapSplines, PlanarSplinesAreTouchedWhereTheirTangentMeetsThePoint) {
    // A cubic S in the plane z = 1.
    bs3_curve s;
    s.degree = 3;
    s.knots = {0, 0, 0, 0, 1, 2, 2, 2, 2};
    s.points = {{0, 0, 1}, {1, 2, 1}, {2, -2, 1}, {3, 2, 1}, {4, 0, 1}};
    SPAunit_vector normal;
    ASSERT_TRUE(bs3_curve_planar(s, normal));
    EXPECT_NEAR(std::fabs(normal.z), 1, 1e-15);
    SPAposition from(-3, 0.1, 7);  // projected onto the plane: (-3, 0.1, 1)
    std::vector<SPAposition> found = bs3_curve_line_tan_pt_crv(from, s, normal, 10);
    // Brute force: where the tangent line passes through (2, 5, 1), by sign changes.
    std::vector<SPAposition> expected;
    auto side = [&](double t) {
        SPAposition p;
        SPAvector d;
        s.eval(t, p, &d);
        return cross(p - SPAposition(-3, 0.1, 1), d).z;
    };
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        double a = 2.0 * i / n, b = 2.0 * (i + 1) / n;
        if ((side(a) < 0) != (side(b) < 0)) {
            SPAposition p;
            s.eval(0.5 * (a + b), p, nullptr);
            expected.push_back(p);
        }
    }
    EXPECT_GE(expected.size(), 2u);
    expectSamePoints(found, expected, 1e-4, "S curve");
    EXPECT_EQ(bs3_curve_line_tan_pt_crv(from, s, normal, 1).size(), 1u) << "no more than asked for";

    // Fewer control points than the degree needs, or a knot that is not a number, leave
    // no spline to evaluate (found by fuzzing the body operations).
    bs3_curve parsed;
    EXPECT_TRUE(parse_bs3_curve({"exactcur", "full", "nubs", "3", "open", "2", "0", "3", "1", "3", "0", "0",
                                 "0", "1", "0", "0", "2", "0", "0", "3", "0", "0"},
                                parsed));
    EXPECT_FALSE(parse_bs3_curve({"exactcur", "full", "nubs", "3", "open", "2", "0", "3", "1", "1", "0", "0",
                                  "0", "1", "0", "0"},
                                 parsed));
    EXPECT_FALSE(parse_bs3_curve({"exactcur", "full", "nubs", "3", "open", "2", "0", "3", "nan", "3", "0",
                                  "0", "0", "1", "0", "0", "2", "0", "0", "3", "0", "0"},
                                 parsed));
    EXPECT_FALSE(parsed.valid());

    s.points[2].z = 1.5;
    EXPECT_FALSE(bs3_curve_planar(s, normal));
    bs3_curve line = s;
    line.points = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 3}, {4, 4, 4}};
    EXPECT_FALSE(bs3_curve_planar(line, normal)) << "a straight spline spans no one plane";
}

// Brute force along one edge: dense samples and ternary refinement of the least value.
double leastAlong(const EDGE& edge, const std::function<double(const SPAposition&)>& f,
                  double& at) {
    const CURVE& curve = *edge.geometry();
    auto g = [&](double t) { return f(curvePoint(curve, edge.reversed() ? -t : t)); };
    double a = edge.start_param(), b = edge.end_param();
    const int n = 400;
    int best = 0;
    for (int i = 1; i <= n; ++i)
        if (g(a + (b - a) * i / n) < g(a + (b - a) * best / n)) best = i;
    double lo = a + (b - a) * std::max(0, best - 1) / n,
           hi = a + (b - a) * std::min(n, best + 1) / n;
    for (int k = 0; k < 200; ++k) {
        double m1 = lo + (hi - lo) / 3, m2 = hi - (hi - lo) / 3;
        if (g(m1) > g(m2))
            lo = m1;
        else
            hi = m2;
    }
    at = 0.5 * (lo + hi);
    return g(at);
}

double rayDistance(const SPAposition& p, const SPAposition& root, const SPAvector& unit) {
    SPAvector w = p - root;
    return length(w - dot(w, unit) * unit);
}

// Each point lies on an edge of the body and is, on that edge, where f is least.
void expectEdgeMinima(BODY* body, const std::vector<SPAposition>& points,
                      const std::function<double(const SPAposition&)>& f, const std::string& what) {
    ENTITY_LIST edges;
    api_get_edges(body, edges);
    for (const SPAposition& p : points) {
        bool matched = false;
        for (int i = 0; i < edges.count() && !matched; ++i) {
            auto* edge = static_cast<EDGE*>(edges[i]);
            if (!edge->geometry()) continue;
            double t;
            double least = leastAlong(
                *edge, [&](const SPAposition& q) { return distance(q, p); }, t);
            if (least > 1e-7) continue;  // not on this edge
            double best = leastAlong(*edge, f, t);
            matched = f(p) <= best + 1e-7;
        }
        EXPECT_TRUE(matched) << what << " at " << p.x << " " << p.y << " " << p.z;
    }
}

// Each point lies on a curve of the body whose tangent there passes through the reference
// point projected onto the curve's plane.
void expectTangents(BODY* body, const std::vector<SPAposition>& points,
                    const SPAposition& reference, const std::string& what) {
    ENTITY_LIST edges;
    api_get_edges(body, edges);
    for (const SPAposition& p : points) {
        bool matched = false;
        for (int i = 0; i < edges.count() && !matched; ++i) {
            auto* edge = static_cast<EDGE*>(edges[i]);
            const CURVE* curve = edge->geometry();
            if (!curve) continue;
            double t;
            if (leastAlong(
                    *edge, [&](const SPAposition& x) { return distance(x, p); }, t) > 1e-6)
                continue;
            double c = edge->reversed() ? -t : t,
                   h = 1e-5 * std::max(1.0, std::fabs(edge->end_param() - edge->start_param()));
            SPAvector tangent = normalise(curvePoint(*curve, c + h) - curvePoint(*curve, c - h));
            // The curve's plane from three of its points far apart.
            double a = edge->start_param(), b = edge->end_param();
            auto at = [&](double f) {
                double u = a + (b - a) * f;
                return curvePoint(*curve, edge->reversed() ? -u : u);
            };
            SPAvector n = normalise(cross(at(0.5) - at(0.1), at(0.9) - at(0.1)));
            if (auto* e = dynamic_cast<const ELLIPSE*>(curve)) n = normalise(e->normal);
            SPAposition onPlane = reference - dot(reference - p, n) * n;
            matched = length(cross(tangent, normalise(onPlane - p))) < 1e-6;
        }
        EXPECT_TRUE(matched) << what << " at " << p.x << " " << p.y << " " << p.z;
    }
}

TEST(SnapSplines, CurvedSplineEdgesAgreeWithBruteForce) {
    const SPAposition controls[4] = {{0, 0, 2}, {1, 3, 2}, {3, -3, 2}, {4, 0, 2}};
    Restored wire(body_fixture::splineWireText(controls));
    const SPAposition pick(2, 0.3, 9), reference(-1, 0.2, 0);
    const SPAvector view = normalise(SPAvector(0.1, 0, -1));
    std::vector<ModelerSnapPoint> all = snap(wire.body(), 1023, pick, reference, view);
    EXPECT_EQ(positions(all, kSnapEnd).size(), 2u);
    EXPECT_EQ(positions(all, kSnapNearest).size(), 1u);
    EXPECT_EQ(positions(all, kSnapPerpendicular).size(), 1u);
    EXPECT_GE(positions(all, kSnapTangent).size(), 2u) << "lines from the left touch both bumps";
    expectEdgeMinima(wire.body(), positions(all, kSnapNearest),
                     [&](const SPAposition& q) { return rayDistance(q, pick, view); }, "nearest");
    expectEdgeMinima(wire.body(), positions(all, kSnapPerpendicular),
                     [&](const SPAposition& q) { return distance(q, reference); }, "perpendicular");
    expectTangents(wire.body(), positions(all, kSnapTangent), reference, "tangents");
}

TEST(SnapSamples, EveryKindAgreesWithBruteForceOnBoxesCylindersToriAndSplines) {
    const SPAposition pick(31.5, 26.1, 40), reference(27.2, 24.4, 0.7);
    const SPAvector view = normalise(SPAvector(-0.2, 0.1, -1));
    int checked = 0;
    for (const char* name : {"v400_box_inch.sat", "v700_cylinder_material.sat", "v1600_hollow.sat",
                             "v700_asm_torus_part_subset.sat", "v2000_three_plates_spline.sat",
                             "v1600_testgeom.sat"}) {
        Restored sample(sampleText(name));
        BODY* body = sample.body();
        std::vector<ModelerSnapPoint> all = snap(body, 1023, pick, reference, view);
        ENTITY_LIST vertices, edges;
        api_get_vertices(body, vertices);
        api_get_edges(body, edges);
        std::vector<SPAposition> ends, mids, centres;
        for (int i = 0; i < vertices.count(); ++i)
            ends.push_back(static_cast<VERTEX*>(vertices[i])->geometry()->coords());
        for (int i = 0; i < edges.count(); ++i) {
            auto* edge = static_cast<EDGE*>(edges[i]);
            const CURVE* curve = edge->geometry();
            if (!curve) continue;
            double mid = 0.5 * (edge->start_param() + edge->end_param());
            mids.push_back(curvePoint(*curve, edge->reversed() ? -mid : mid));
            if (auto* e = dynamic_cast<const ELLIPSE*>(curve)) centres.push_back(e->centre);
        }
        ENTITY_LIST faces;
        api_get_faces(body, faces);
        for (int i = 0; i < faces.count(); ++i)
            if (auto* s = dynamic_cast<const SPHERE*>(static_cast<FACE*>(faces[i])->geometry()))
                centres.insert(centres.begin(), s->centre);
        // Quadrants: the ellipse at the four angles, where the edge's own samples reach them.
        std::vector<SPAposition> quadrants;
        for (int i = 0; i < edges.count(); ++i) {
            auto* edge = static_cast<EDGE*>(edges[i]);
            auto* e = dynamic_cast<const ELLIPSE*>(edge->geometry());
            for (int q = 0; e && q < 4; ++q) {
                SPAposition p = curvePoint(*e, q * kPi / 2);
                double t;
                if (leastAlong(
                        *edge, [&](const SPAposition& x) { return distance(x, p); }, t) < 1e-7)
                    quadrants.push_back(p);
            }
        }
        expectSamePoints(positions(all, kSnapQuadrant), quadrants, 1e-9,
                         std::string(name) + " quadrants");
        expectTangents(body, positions(all, kSnapTangent), reference,
                       std::string(name) + " tangents");
        expectSamePoints(positions(all, kSnapEnd), ends, 0, std::string(name) + " ends");
        expectSamePoints(positions(all, kSnapMid), mids, 1e-9, std::string(name) + " mids");
        expectSamePoints(positions(all, kSnapCentre), centres, 0, std::string(name) + " centres");
        expectEdgeMinima(
            body, positions(all, kSnapNearest),
            [&](const SPAposition& q) { return rayDistance(q, pick, view); },
            std::string(name) + " nearest");
        expectEdgeMinima(
            body, positions(all, kSnapPerpendicular),
            [&](const SPAposition& q) { return distance(q, reference); },
            std::string(name) + " perpendicular");
        checked += static_cast<int>(all.size());
    }
    EXPECT_GT(checked, 300);
}

}  // namespace
