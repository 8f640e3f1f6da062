// Tangent points of planar spline curves: the roots of the signed area between the tangent
// and the direction to the point, found on a sampling fine enough for every span.
#include "solidkernel/splinetangent.h"

#include "CurveSearch.h"

#include <algorithm>
#include <cmath>

logical bs3_curve_planar(const bs3_curve& curve, SPAunit_vector& normal, double tolerance) {
    if (!curve.valid()) return 0;
    const std::vector<SPAposition>& p = curve.points;
    // The plane through the first point and the two points that span the largest triangle.
    std::size_t far = 0;
    for (std::size_t i = 1; i < p.size(); ++i)
        if (distance(p[i], p[0]) > distance(p[far], p[0])) far = i;
    SPAvector across = p[far] - p[0];
    SPAvector best;
    for (const SPAposition& q : p) {
        SPAvector n = cross(across, q - p[0]);
        if (length(n) > length(best)) best = n;
    }
    SPAunit_vector n(best);
    double extent = length(across);
    if (is_zero(n) || length(best) <= 1e-12 * extent * extent) return 0;
    for (const SPAposition& q : p)
        if (std::fabs(dot(q - p[0], n)) > tolerance) return 0;
    normal = n;
    return 1;
}

std::vector<SPAposition> bs3_curve_line_tan_pt_crv(const SPAposition& point, const bs3_curve& curve,
                                                   const SPAunit_vector& normal, int maxPoints) {
    std::vector<SPAposition> out;
    if (!curve.valid() || maxPoints <= 0 || is_zero(normal)) return out;
    SPAposition onPlane = proj_pt_to_plane(point, curve.points.front(), normal);
    // Zero where the tangent line at t passes through the point.
    auto area = [&](double t) {
        SPAposition p;
        SPAvector d;
        curve.eval(t, p, &d);
        return dot(cross(p - onPlane, d), normal);
    };
    double low = curve.knots[static_cast<std::size_t>(curve.degree)];
    double high = curve.knots[curve.knots.size() - 1 - static_cast<std::size_t>(curve.degree)];
    int samples = static_cast<int>(
        std::clamp<std::size_t>(16 * curve.points.size(), 64, curve_search::kMaxSamples));
    double scale = 0;
    for (const SPAposition& q : curve.points) scale = std::max(scale, distance(q, onPlane));
    for (double t : curve_search::roots(area, low, high, samples)) {
        SPAposition p;
        curve.eval(t, p, nullptr);
        if (distance(p, onPlane) <= SPAresabs) continue;
        // A sign change where the curve stops or turns at a knot is no tangent line.
        SPAposition q;
        SPAvector d;
        curve.eval(t, q, &d);
        if (length(d) <= 1e-12 * std::max(1.0, scale)) continue;
        if (std::fabs(area(t)) > 1e-8 * length(d) * distance(p, onPlane)) continue;
        out.push_back(p);
        if (static_cast<int>(out.size()) >= maxPoints) break;
    }
    return out;
}
