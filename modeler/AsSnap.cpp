// Snap points: vertices, mid points, centres, quadrants, and the points an edge's bounded
// curve gives for the cursor's line of sight (nearest), the reference point's perpendicular
// foot and the tangents from it.
#include "AsSnap.h"

#include "AsBodyAccess.h"
#include "AsTools.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/boundedcurve.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/splinetangent.h"
#include "solidkernel/tolerance.h"

#include <cmath>
#include <cstddef>
#include <memory>

// The host reads its vector of snap points by this layout.
static_assert(sizeof(ModelerSnapPoint) == 32 && offsetof(ModelerSnapPoint, kind) == 24,
              "a snap point is x, y, z, then the kind at offset 24, 32 bytes in all");
static_assert(sizeof(ModelerMatrix) == 12 * sizeof(double), "the host's matrix is 12 doubles");

namespace {

constexpr double kPi = 3.14159265358979323846;

void add(std::vector<ModelerSnapPoint>& out, const SPAposition& p, int kind) {
    ModelerSnapPoint point{};
    point.x = p.x;
    point.y = p.y;
    point.z = p.z;
    point.kind = kind;
    out.push_back(point);
}

// Tangent points of a procedural curve: its spline, when planar, touched by lines from L.
void addSplineTangents(const INTCURVE& curve, const SPAposition& reference,
                       std::vector<ModelerSnapPoint>& out) {
    const bs3_curve& spline = curve.approximation();
    SPAunit_vector normal;
    if (!bs3_curve_planar(spline, normal, SPAresabs)) return;
    for (const SPAposition& p : bs3_curve_line_tan_pt_crv(reference, spline, normal, 10))
        add(out, p, kSnapTangent);
}

void addEdgePoints(EDGE* edge, int flags, const pick_ray& ray, const SPAposition& reference,
                   std::vector<ModelerSnapPoint>& out) {
    const CURVE* curve = edge->geometry();
    if (flags & kSnapMid) add(out, edge_mid_pos(edge, nullptr), kSnapMid);
    auto* ellipse = is_ELLIPSE(curve) ? static_cast<const ELLIPSE*>(curve) : nullptr;
    if (ellipse) {
        if (flags & kSnapCentre) add(out, ellipse->centre, kSnapCentre);
        if (flags & kSnapQuadrant)
            for (const SPAposition& p : AsQuadrantPoints(*edge, *ellipse))
                add(out, p, kSnapQuadrant);
    }
    if (!(flags & (kSnapNearest | kSnapPerpendicular | kSnapTangent))) return;
    std::unique_ptr<BOUNDED_CURVE> bounded(get_bounded_curve(edge, 1));
    if (!bounded) return;
    double start = bounded->get_start_param(), end = bounded->get_end_param();
    if (flags & kSnapNearest) {
        double t = bounded->param_nearest_to_ray(ray);
        if (AsParamInside(t, start, end, 0)) add(out, bounded->eval_position(t), kSnapNearest);
    }
    if (flags & kSnapPerpendicular) {
        SPAposition foot;
        double t = 0;
        bounded->closest_point(reference, foot, t);
        if (bounded->closed_or_periodic() || AsParamInside(t, start, end, 0))
            add(out, foot, kSnapPerpendicular);
    }
    if (flags & kSnapTangent) {
        if (ellipse) {
            for (const SPAposition& p : AsEllipseTangentPoints(*edge, *ellipse, reference))
                add(out, p, kSnapTangent);
        } else if (is_INTCURVE(curve)) {
            addSplineTangents(static_cast<const INTCURVE&>(*curve), reference, out);
        }
    }
}

SPAvector vectorOf(const double* xyz) {
    return SPAvector(xyz[0], xyz[1], xyz[2]);
}

}  // namespace

bool AsParamInside(double t, double start, double end, double period) {
    if (!std::isfinite(t) || !std::isfinite(start) || !std::isfinite(end)) return false;
    double low = start - SPAresabs, high = end + SPAresabs;
    if (period > SPAresabs && std::isfinite(period) && (t < low || t > high)) {
        // The image of t in [low, low + period): moving it by whole periods one at a time
        // would never end for a huge parameter from a damaged text.
        t = low + std::fmod(t - low, period);
        if (t < low) t += period;
    }
    return low < t && t < high;
}

void AsCurveRange(const EDGE& edge, double& start, double& end) {
    start = edge.start_param();
    end = edge.end_param();
    if (edge.reversed()) {
        double s = start;
        start = -end;
        end = -s;
    }
}

std::vector<SPAposition> AsQuadrantPoints(const EDGE& edge, const ELLIPSE& ellipse) {
    std::vector<SPAposition> out;
    double start, end;
    AsCurveRange(edge, start, end);
    for (double t : {0.0, kPi / 2, kPi, 3 * kPi / 2}) {
        if (!AsParamInside(t, start, end, 2 * kPi)) continue;
        SPAposition p;
        static_cast<const CURVE&>(ellipse).eval(t, p);
        out.push_back(p);
    }
    return out;
}

std::vector<SPAposition> AsEllipseTangentPoints(const EDGE& edge, const ELLIPSE& ellipse,
                                                const SPAposition& reference) {
    std::vector<SPAposition> out;
    SPAunit_vector n(ellipse.normal);
    const SPAvector& major = ellipse.major;
    SPAposition onPlane = proj_pt_to_plane(reference, ellipse.centre, n);
    SPAvector v = onPlane - ellipse.centre;
    SPAvector minor = ellipse.ratio * cross(n, major);
    double a = dot(cross(v, major), cross(v, major));
    double b = dot(cross(v, minor), n);
    double r2 = b * b + a;
    if (r2 < SPAresabs * SPAresabs) return out;  // the point is the centre
    double r = std::sqrt(r2);
    double alpha = std::acos(dot(cross(major, minor), n) / r);
    double beta = std::acos(b / r);
    double start, end;
    AsCurveRange(edge, start, end);
    double candidates[4] = {alpha + beta, alpha - beta, beta - alpha, -alpha - beta};
    for (int i = 0; i < 4 && out.size() < 2; ++i) {
        double t = candidates[i];
        bool seen = false;
        for (int j = 0; j < i; ++j) seen = seen || candidates[j] == t;
        // Inside the ellipse the arccos arguments leave [-1, 1] and t is not a number.
        if (seen || !AsParamInside(t, start, end, 2 * kPi)) continue;
        SPAposition p;
        SPAvector d;
        static_cast<const CURVE&>(ellipse).eval(t, p, &d);
        if (biparallel(d, onPlane - p, SPAresnor)) out.push_back(p);
    }
    return out;
}

void AsCollectSnapPoints(BODY* body, int flags, const SPAposition& pick,
                         const SPAposition& reference, const SPAvector& viewDirection,
                         std::vector<ModelerSnapPoint>& out) {
    if (flags & kSnapEnd) {
        ENTITY_LIST vertices;
        AsOutcomeCheck(api_get_vertices(body, vertices));
        for (int i = 0; i < vertices.count(); ++i)
            if (const APOINT* p = static_cast<VERTEX*>(vertices[i])->geometry())
                add(out, p->coords(), kSnapEnd);
    }
    pick_ray ray(pick, SPAunit_vector(viewDirection));
    if (flags & kSnapCentre) {
        ENTITY_LIST faces;
        AsOutcomeCheck(api_get_faces(body, faces));
        for (int i = 0; i < faces.count(); ++i) {
            const SURFACE* s = static_cast<FACE*>(faces[i])->geometry();
            if (s && s->identity() == SPHERE_TYPE)
                add(out, static_cast<const SPHERE*>(s)->centre, kSnapCentre);
        }
    }
    ENTITY_LIST edges;
    AsOutcomeCheck(api_get_edges(body, edges));
    for (int i = 0; i < edges.count(); ++i) {
        auto* edge = static_cast<EDGE*>(edges[i]);
        if (edge->geometry()) addEdgePoints(edge, flags, ray, reference, out);
    }
}

bool AsSnapPoints(AsBodyCache& cache, const CDbAcisEntityData& record, int flags,
                  const double* pick, const double* reference, const double* viewDirection,
                  HostVector<ModelerSnapPoint>& out) {
    AsRequireArgument(pick);
    AsRequireArgument(reference);
    AsRequireArgument(viewDirection);
    BODY* body = AsLookupBody(cache, record);
    // Coordinates read from here on include the body's transform; the cached body keeps it.
    AsOutcomeCheck(api_change_body_trans(body, nullptr, 0, nullptr));
    std::vector<ModelerSnapPoint> points;
    AsCollectSnapPoints(body, flags, vectorOf(pick), vectorOf(reference), vectorOf(viewDirection),
                        points);
    HostVector<ModelerSnapPoint> result(points.begin(), points.end());
    out.swap(result);
    return true;
}
