// Geometry read from the samples evaluates as the text means it: every edge's curve passes
// through the edge's vertices at the edge's parameters, and first derivatives agree with
// the positions around them.
#include "SatTestSupport.h"
#include "solidkernel/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sat_test;

namespace {

void expectDerivativesMatch(const SURFACE& s, double u, double v, const std::string& where) {
    const double h = 1e-6;
    SPAposition p, pu0, pu1, pv0, pv1;
    SPAvector du, dv;
    s.eval(u, v, p, &du, &dv);
    s.eval(u - h, v, pu0);
    s.eval(u + h, v, pu1);
    s.eval(u, v - h, pv0);
    s.eval(u, v + h, pv1);
    double scale = std::max(1.0, length(du) + length(dv));
    EXPECT_LE(length(du - (1 / (2 * h)) * (pu1 - pu0)), 1e-4 * scale) << where;
    EXPECT_LE(length(dv - (1 / (2 * h)) * (pv1 - pv0)), 1e-4 * scale) << where;
}

TEST(SampleGeometry, EdgesRunBetweenTheirVerticesAndDerivativesMatch) {
    int checkedEdges = 0, checkedSurfaces = 0;
    for (const std::string& name : sampleFiles()) {
        ENTITY_LIST list;
        ASSERT_EQ(restore(sampleText(name), list), 0) << name;
        for (ENTITY* e : reachable(list)) {
            if (auto* edge = dynamic_cast<EDGE*>(e)) {
                const CURVE* curve = edge->geometry();
                auto* spline = dynamic_cast<const INTCURVE*>(curve);
                if (!curve || (spline && !spline->approximation().valid())) continue;
                if (!edge->start() || !edge->end()) continue;
                SPAposition a = edge->start()->geometry()->coords(), b = edge->end()->geometry()->coords();
                // Approximations of procedural curves hold to their fit tolerance only.
                double tolerance = spline ? 1e-3 * std::max(1.0, distance(a, b)) : 1e-6 * std::max(1.0, length(a));
                EXPECT_LE(distance(edge->eval_position(edge->start_param()), a), tolerance) << name;
                EXPECT_LE(distance(edge->eval_position(edge->end_param()), b), tolerance) << name;
                ++checkedEdges;
            } else if (auto* surface = dynamic_cast<SURFACE*>(e)) {
                if (auto* spline = dynamic_cast<SPLINE*>(surface)) {
                    if (!spline->approximation().valid()) continue;
                    const bs3_surface& bs = spline->approximation();
                    double u = 0.3 * bs.uKnots.front() + 0.7 * bs.uKnots.back();
                    double v = 0.6 * bs.vKnots.front() + 0.4 * bs.vKnots.back();
                    expectDerivativesMatch(*surface, u, v, name + " spline");
                } else {
                    expectDerivativesMatch(*surface, 0.3, 0.7, name + " " + surface->type_name());
                }
                ++checkedSurfaces;
            }
        }
        deleteAll(list);
    }
    EXPECT_GT(checkedEdges, 300);
    EXPECT_GT(checkedSurfaces, 100);
}

TEST(SampleGeometry, SplineSurfacePointsRunUFastest) {
    // The B-spline face of the samples: its corners are its edge's vertices.
    ENTITY_LIST list;
    ASSERT_EQ(restore(sampleText("v3000_bspline_face.sat"), list), 0);
    const SPLINE* spline = nullptr;
    std::vector<SPAposition> vertices;
    for (ENTITY* e : reachable(list)) {
        if (auto* s = dynamic_cast<SPLINE*>(e)) spline = s;
        if (auto* p = dynamic_cast<APOINT*>(e)) vertices.push_back(p->coords());
    }
    ASSERT_TRUE(spline && spline->approximation().valid());
    const bs3_surface& bs = spline->approximation();
    for (double u : {bs.uKnots.front(), bs.uKnots.back()})
        for (double v : {bs.vKnots.front(), bs.vKnots.back()}) {
            SPAposition corner;
            static_cast<const SURFACE*>(spline)->eval(u, v, corner);
            double nearest = 1e300;
            for (const SPAposition& p : vertices) nearest = std::min(nearest, distance(p, corner));
            EXPECT_LE(nearest, 1e-6) << u << " " << v;
        }
    deleteAll(list);
}

}  // namespace
