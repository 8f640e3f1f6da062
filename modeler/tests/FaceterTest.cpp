// Shaded meshes against independent truth: areas and volumes of solids with known values,
// closed meshes for every closed solid of the samples, points on their surfaces, and the
// refinement's effect on density.
#include "MeshCheck.h"
#include "SatTestSupport.h"
#include "SolidSamples.h"
#include "solidkernel/faceter.h"
#include "solidkernel/tolerance.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace sat_test;

namespace {

constexpr double kPi = 3.14159265358979323846;

// The normal tolerance the display gives quality q.
double normalTolerance(double q) { return q <= 0.5 ? 40 - (q - 0.01) * 51.02040816326531 : 15 - (q - 0.5) * 1.0526315789473684; }

void useRefinement(double normalTol) {
    REFINEMENT* r = nullptr;
    ASSERT_TRUE(api_get_default_refinement(r).ok());
    r->set_surface_tol(60.0);
    r->set_normal_tol(normalTol);
    r->set_grid_mode(1);
    r->set_adjust_mode(0);
    r->set_triang_mode(3);
    r->set_max_grid_lines(50);
    ASSERT_TRUE(api_set_default_refinement(r).ok());
    r->lose();
}

// Facets every face of the body restored from text; the meshes gathered in one check.
struct Faceted {
    MeshStats stats;
    MeshCheck check;
    int faces = 0, meshed = 0;
    double worstNormalAngle = 0;  // degrees between a facet and the surface at its corners
    std::vector<std::vector<SPAposition>> facePoints;  // mesh points of each face
};
Faceted facet(const std::string& sat, double normalTol) {
    Faceted out;
    useRefinement(normalTol);
    ENTITY_LIST list;
    EXPECT_EQ(restore(sat, list), 0);
    if (list.count() != 1) return out;
    EXPECT_TRUE(api_facet_entity(list[0]).ok());
    ENTITY_LIST faces;
    api_get_faces(list[0], faces);
    out.faces = faces.count();
    for (int i = 0; i < faces.count(); ++i) {
        POLYGON_POINT_MESH* mesh = nullptr;
        EXPECT_TRUE(api_get_face_facets(static_cast<FACE*>(faces[i]), mesh, 1).ok());
        if (!mesh) continue;
        ++out.meshed;
        out.facePoints.emplace_back();
        for (POLYGON* p = mesh->first(); p; p = p->next()) {
            std::vector<double> xyz;
            std::vector<POLYGON_VERTEX*> corners;
            for (POLYGON_VERTEX* v = p->first(); v; v = v->next()) {
                xyz.insert(xyz.end(), {v->point().x, v->point().y, v->point().z});
                corners.push_back(v);
                out.facePoints.back().push_back(v->point());
            }
            out.check.addPolygon(xyz.data(), p->count());
            if (corners.size() == 3) {
                SPAvector n = normalise(cross(corners[1]->point() - corners[0]->point(), corners[2]->point() - corners[0]->point()));
                for (POLYGON_VERTEX* v : corners) {
                    double c = std::max(-1.0, std::min(1.0, dot(n, v->normal())));
                    out.worstNormalAngle = std::max(out.worstNormalAngle, std::acos(c) * 180 / kPi);
                }
            }
        }
        delete mesh;
    }
    deleteAll(list);
    out.stats = out.check.stats();
    return out;
}

void expectClosedAndOutward(const MeshStats& s, const std::string& what) {
    EXPECT_TRUE(s.closed()) << what << ": " << s.edgesOnce << " edges used once, " << s.edgesMore << " more than twice";
    EXPECT_EQ(s.edgesSameWay, 0) << what;
    EXPECT_EQ(s.zeroArea, 0) << what;
    EXPECT_GT(s.volume, 0) << what;
}

struct Case {
    const char* name;
    solid_samples::Solid solid;
};
std::vector<Case> analyticSolids() {
    const double rows[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
    const double shift[3] = {10, -4, 7};
    return {{"box", solid_samples::box(3, 4, 5)},
            {"cylinder", solid_samples::cylinder(2, 7)},
            {"cone frustum", solid_samples::coneFrustum(3, 1, 4)},
            {"sphere", solid_samples::sphere(5)},
            {"hemisphere", solid_samples::hemisphere(2)},
            {"torus", solid_samples::torus(10, 3)},
            {"sphere with a side cut off", solid_samples::cutSphere(4, 0.6)},
            {"box with a hole", solid_samples::boxWithHole(6, 5, 4, 1.5)},
            {"turned, moved and scaled cylinder", solid_samples::transformedCylinder(2, 7, rows, shift, 2.5)}};
}

TEST(ShadedMesh, AnalyticSolidsHaveTheirAreaAndVolumeAtQualityHalf) {
    for (const Case& c : analyticSolids()) {
        Faceted f = facet(c.solid.sat, normalTolerance(0.5));
        ASSERT_EQ(f.meshed, f.faces) << c.name;
        expectClosedAndOutward(f.stats, c.name);
        EXPECT_NEAR(f.stats.area / c.solid.area, 1.0, 0.005) << c.name;
        EXPECT_NEAR(f.stats.volume / c.solid.volume, 1.0, 0.005) << c.name;
    }
}

TEST(ShadedMesh, ErrorsShrinkAndFacetsGrowAsQualityRises) {
    for (const Case& c : analyticSolids()) {
        double lastError = 1e300;
        long lastPolygons = 0;
        for (double q : {0.01, 0.5, 3.0, 10.0}) {
            Faceted f = facet(c.solid.sat, normalTolerance(q));
            expectClosedAndOutward(f.stats, c.name);
            double error = std::fabs(f.stats.volume / c.solid.volume - 1);
            if (std::string(c.name) == "box") {
                EXPECT_LT(error, 1e-12) << "flat faces are exact";
                continue;
            }
            EXPECT_LT(error, lastError) << c.name << " at quality " << q;
            EXPECT_GT(f.stats.polygons, lastPolygons) << c.name << " at quality " << q;
            lastError = error;
            lastPolygons = f.stats.polygons;
        }
        if (std::string(c.name) != "box") {
            EXPECT_LT(lastError, 0.001) << c.name << " at quality 10";
        }
    }
}

TEST(ShadedMesh, EveryClosedSampleGivesAClosedOutwardMesh) {
    int closedSamples = 0;
    for (const std::string& name : sampleFiles()) {
        std::string text = sampleText(name);
        ENTITY_LIST list;
        if (restore(text, list) != 0 || list.count() != 1) {
            deleteAll(list);
            continue;
        }
        // Closed: every edge between exactly two faces.
        ENTITY_LIST edges;
        api_get_edges(list[0], edges);
        bool closed = edges.count() > 0 || name.find("torus") != std::string::npos;
        for (int i = 0; i < edges.count(); ++i) {
            auto* e = static_cast<EDGE*>(edges[i]);
            int sides = 0;
            COEDGE* c = e->coedge();
            for (int n = 0; c && n < 8; ++n, c = c->partner() == e->coedge() ? nullptr : c->partner()) ++sides;
            if (e->geometry() && sides != 2) closed = false;
        }
        deleteAll(list);
        if (!closed) continue;
        ++closedSamples;
        for (double q : {0.5, 5.0}) {
            Faceted f = facet(text, normalTolerance(q));
            EXPECT_EQ(f.meshed, f.faces) << name;
            expectClosedAndOutward(f.stats, name + " at quality " + std::to_string(q));
            EXPECT_LE(f.worstNormalAngle, normalTolerance(q)) << name << ": a facet strays from its surface";
        }
    }
    EXPECT_EQ(closedSamples, 16) << "the closed bodies among the samples";
}

TEST(ShadedMesh, SplineMeshPointsLieOnTheirSurfacesByAnIndependentSampling) {
    for (const char* name : {"v3000_bspline_face.sat", "v20800_lofted_spline_sheet.sat", "v2000_three_plates_spline.sat"}) {
        std::string text = sampleText(name);
        Faceted f = facet(text, normalTolerance(0.5));
        EXPECT_LE(f.worstNormalAngle, 15.0) << name;
        ENTITY_LIST list;
        ASSERT_EQ(restore(text, list), 0);
        auto* body = static_cast<BODY*>(list[0]);
        ENTITY_LIST faces;
        api_get_faces(body, faces);
        ASSERT_EQ(static_cast<int>(f.facePoints.size()), faces.count()) << name;
        int checked = 0;
        for (int i = 0; i < faces.count(); ++i) {
            auto* spline = dynamic_cast<const SPLINE*>(static_cast<FACE*>(faces[i])->geometry());
            if (!spline) continue;
            // The surface sampled densely by its own evaluation, moved as the body is.
            const bs3_surface& bs = spline->approximation();
            std::vector<SPAposition> samples;
            const int n = 200;
            double spacing = 0;
            for (int a = 0; a <= n; ++a)
                for (int b = 0; b <= n; ++b) {
                    SPAposition p;
                    bs.eval(bs.uKnots.front() + (bs.uKnots.back() - bs.uKnots.front()) * a / n,
                            bs.vKnots.front() + (bs.vKnots.back() - bs.vKnots.front()) * b / n, p, nullptr, nullptr);
                    if (body->transform()) p = body->transform()->transform().apply(p);
                    if (b > 0) spacing = std::max(spacing, distance(p, samples.back()));
                    samples.push_back(p);
                }
            for (std::size_t k = 0; k < f.facePoints[i].size(); k += 7) {
                double nearest = 1e300;
                for (const SPAposition& s : samples) nearest = std::min(nearest, distance(s, f.facePoints[i][k]));
                EXPECT_LE(nearest, spacing) << name << " face " << i;
                ++checked;
            }
        }
        EXPECT_GT(checked, 10) << name;
        deleteAll(list);
    }
}

}  // namespace
