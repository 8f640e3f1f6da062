// Parameters of points on surfaces: closed forms for the analytic surfaces (the inverse of
// their evaluation), a grid search and Newton steps for splines; and outward normals.
#include "FaceRegion.h"

#include <algorithm>
#include <cmath>

namespace face_region {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

double clampUnit(double x) {
    return std::max(-1.0, std::min(1.0, x));
}

Params planeParams(const PLANE& s, const SPAposition& p) {
    SPAvector vDir = cross(normalise(s.normal), s.uDir);
    if (s.reverseV) vDir = -vDir;
    SPAvector q = p - s.root;
    double uu = dot(s.uDir, s.uDir), vv = dot(vDir, vDir);
    return {uu > 0 ? dot(q, s.uDir) / uu : 0, vv > 0 ? dot(q, vDir) / vv : 0, false};
}

Params coneParams(const CONE& s, const SPAposition& p) {
    const ConeFrame f = s.frame();
    const double s0 = f.sine, c0 = f.cosine, radius = f.radius;
    const SPAvector& axis = f.axis;
    const SPAvector& minor = f.minor;
    SPAvector q = p - s.centre;
    double along = dot(q, axis);
    double u = c0 * radius != 0 ? along / (c0 * radius) : 0;
    SPAvector radial = q - along * axis;
    double factor = 1 + s0 * u;
    if (factor < 0) radial = -radial;  // the other nappe: e(v) points back through the axis
    double mm = dot(s.major, s.major), nn = dot(minor, minor);
    bool singular = std::fabs(factor) * std::sqrt(mm) <= 1e-12 * std::max(1.0, std::sqrt(mm));
    double v =
        (mm > 0 && nn > 0) ? std::atan2(dot(radial, minor) / nn, dot(radial, s.major) / mm) : 0;
    return {u, singular ? 0 : v, singular};
}

Params sphereParams(const SPHERE& s, const SPAposition& p) {
    SPAvector pole = normalise(s.pole), origin = normalise(s.uvOrigin);
    SPAvector r = cross(pole, origin);
    if (s.reverseV) r = -r;
    SPAvector q = p - s.centre;
    double radius = s.radius;
    double u = std::asin(clampUnit(radius != 0 ? dot(q, pole) / radius : 0));
    SPAvector ring = q - dot(q, pole) * pole;
    if (radius < 0) ring = -ring;
    bool singular = length(ring) <= 1e-12 * std::max(1.0, std::fabs(radius));
    return {u, singular ? 0 : std::atan2(dot(ring, r), dot(ring, origin)), singular};
}

Params torusParams(const TORUS& s, const SPAposition& p) {
    SPAvector n = normalise(s.normal), o = normalise(s.uvOrigin);
    SPAvector rr = cross(n, o);
    if (s.reverseV) rr = -rr;
    double r = std::fabs(s.minorRadius), big = s.majorRadius;
    SPAvector q = p - s.centre;
    double h = dot(q, n);
    SPAvector radial = q - h * n;
    double rho = length(radial);
    if (rho <= 1e-12 * std::max(1.0, std::fabs(big) + r)) {
        // On the axis: a lemon's tip or the whole ring's centre; any v meets there.
        return {std::atan2(h, -big), 0, true};
    }
    double v = std::atan2(dot(radial, rr), dot(radial, o));
    // The ring term is across * ring(v), across = big + r cos u, which may be negative.
    Params a{std::atan2(h, rho - big), v, false};
    Params b{std::atan2(h, -rho - big), v + (v > 0 ? -kTwoPi / 2 : kTwoPi / 2), false};
    SPAposition pa, pb;
    s.eval(a.u, a.v, pa, nullptr, nullptr);
    s.eval(b.u, b.v, pb, nullptr, nullptr);
    return distance(pa, p) <= distance(pb, p) ? a : b;
}

}  // namespace

SurfaceChart::SurfaceChart(const SURFACE& surface) : surface_(surface) {
    if (dynamic_cast<const CONE*>(&surface) || dynamic_cast<const SPHERE*>(&surface))
        vPeriod_ = kTwoPi;
    if (dynamic_cast<const TORUS*>(&surface)) uPeriod_ = vPeriod_ = kTwoPi;
    if (auto* spline = dynamic_cast<const SPLINE*>(&surface)) {
        const bs3_surface& bs = spline->approximation();
        if (!bs.valid()) return;
        int nu = std::min(40, std::max(8, 3 * bs.uCount)),
            nv = std::min(40, std::max(8, 3 * bs.vCount));
        double u0 = bs.uKnots[bs.uDegree], u1 = bs.uKnots[bs.uKnots.size() - 1 - bs.uDegree];
        double v0 = bs.vKnots[bs.vDegree], v1 = bs.vKnots[bs.vKnots.size() - 1 - bs.vDegree];
        for (int i = 0; i <= nu; ++i)
            for (int j = 0; j <= nv; ++j) {
                Params g{u0 + (u1 - u0) * i / nu, v0 + (v1 - v0) * j / nv, false};
                SPAposition q;
                surface.eval(g.u, g.v, q);
                splineGrid_.push_back(g);
                splineGridPoints_.push_back(q);
            }
    }
}

Params SurfaceChart::inverse(const SPAposition& p) const {
    if (auto* s = dynamic_cast<const PLANE*>(&surface_)) return planeParams(*s, p);
    if (auto* s = dynamic_cast<const CONE*>(&surface_)) return coneParams(*s, p);
    if (auto* s = dynamic_cast<const SPHERE*>(&surface_)) return sphereParams(*s, p);
    if (auto* s = dynamic_cast<const TORUS*>(&surface_)) return torusParams(*s, p);
    if (splineGrid_.empty()) return {};
    std::size_t best = 0;
    for (std::size_t i = 1; i < splineGridPoints_.size(); ++i)
        if (distance(splineGridPoints_[i], p) < distance(splineGridPoints_[best], p)) best = i;
    // Gauss-Newton on the distance, kept inside the grid's parameter box.
    const Params& first = splineGrid_.front();
    const Params& last = splineGrid_.back();
    Params at = splineGrid_[best];
    for (int step = 0; step < 30; ++step) {
        SPAposition q;
        SPAvector du, dv;
        surface_.eval(at.u, at.v, q, &du, &dv);
        SPAvector w = p - q;
        double a = dot(du, du), b = dot(du, dv), c = dot(dv, dv);
        double det = a * c - b * b;
        if (!(det > 0)) break;
        double ru = dot(w, du), rv = dot(w, dv);
        double su = (c * ru - b * rv) / det, sv = (a * rv - b * ru) / det;
        at.u = std::min(std::max(at.u + su, first.u), last.u);
        at.v = std::min(std::max(at.v + sv, first.v), last.v);
        if (std::fabs(su) + std::fabs(sv) < 1e-14 * (1 + std::fabs(at.u) + std::fabs(at.v))) break;
    }
    return at;
}

bool SurfaceChart::tipsSplitU(double& tip) const {
    auto* torus = dynamic_cast<const TORUS*>(&surface_);
    if (!torus) return false;
    double r = std::fabs(torus->minorRadius), big = torus->majorRadius;
    if (!(r > 0) || !(std::fabs(big) < r)) return false;
    tip = std::acos(-big / r);
    return true;
}

bool SurfaceChart::hasOutwardConvention() const {
    return dynamic_cast<const PLANE*>(&surface_) || dynamic_cast<const SPHERE*>(&surface_) ||
           dynamic_cast<const TORUS*>(&surface_);
}

SPAvector SurfaceChart::outwardNormal(double u, double v) const {
    SPAposition p;
    surface_.eval(u, v, p);
    if (auto* s = dynamic_cast<const PLANE*>(&surface_)) return s->normal;
    if (auto* s = dynamic_cast<const SPHERE*>(&surface_))
        return (s->radius < 0 ? -1.0 : 1.0) * (p - s->centre);
    if (auto* s = dynamic_cast<const TORUS*>(&surface_)) {
        // Away from the circle at the tube's centre (towards it for a negative minor radius).
        SPAvector n = normalise(s->normal);
        SPAvector radial = p - s->centre - dot(p - s->centre, n) * n;
        SPAposition tube = s->centre + s->majorRadius * normalise(radial);
        return (s->minorRadius < 0 ? -1.0 : 1.0) * (p - tube);
    }
    return SPAvector();
}

}  // namespace face_region
