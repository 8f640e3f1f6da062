// Exact parameter-line curves per surface kind.
#include "IsoCurves.h"

#include <cmath>

namespace {

ELLIPSE* ellipse(const SPAposition& centre, const SPAvector& normal, const SPAvector& major, double ratio) {
    if (!(length(major) > 0) || !(length(normal) > 0)) return nullptr;
    auto* e = new ELLIPSE();
    e->centre = centre;
    e->normal = normalise(normal);
    e->major = major;
    e->ratio = ratio;
    return e;
}

STRAIGHT* straight(const SPAposition& root, const SPAvector& direction) {
    if (!(length(direction) > 0)) return nullptr;
    auto* s = new STRAIGHT();
    s->root = root;
    s->direction = direction;
    return s;
}

}  // namespace

CURVE* make_iso_curve(const SurfaceParam& param, int along, double fixed) {
    const SURFACE& surface = param.surface();
    switch (param.kind()) {
    case SurfaceParam::kPlane: {
        auto& plane = static_cast<const PLANE&>(surface);
        SPAvector vDir = cross(plane.normal, plane.uDir);
        if (plane.reverseV) vDir = -vDir;
        return along == 0 ? straight(plane.root + fixed * vDir, plane.uDir) : straight(plane.root + fixed * plane.uDir, vDir);
    }
    case SurfaceParam::kCone: {
        auto& cone = static_cast<const CONE&>(surface);
        const ConeFrame f = cone.frame();
        const double s = f.sine, c = f.cosine, radius = f.radius;
        const SPAvector& axis = f.axis;
        const SPAvector& minor = f.minor;
        if (along == 0) {
            SPAvector e = std::cos(fixed) * cone.major + std::sin(fixed) * minor;
            return straight(cone.centre + e, s * e + (c * radius) * axis);
        }
        double k = 1 + s * fixed;
        if (std::fabs(k) < 1e-12) return nullptr;
        return ellipse(cone.centre + (c * fixed * radius) * axis, axis, k * cone.major, cone.ratio);
    }
    case SurfaceParam::kSphere: {
        auto& sphere = static_cast<const SPHERE&>(surface);
        SPAvector r = cross(sphere.pole, sphere.uvOrigin);
        if (sphere.reverseV) r = -r;
        if (along == 0) {
            SPAvector ring = std::cos(fixed) * sphere.uvOrigin + std::sin(fixed) * r;
            return ellipse(sphere.centre, cross(ring, sphere.pole), sphere.radius * ring,
                           length(sphere.pole) / std::max(length(ring), 1e-300));
        }
        double across = sphere.radius * std::cos(fixed);
        if (std::fabs(std::cos(fixed)) < 1e-12) return nullptr;
        return ellipse(sphere.centre + (sphere.radius * std::sin(fixed)) * sphere.pole,
                       sphere.reverseV ? -sphere.pole : sphere.pole, across * sphere.uvOrigin,
                       length(r) / std::max(length(sphere.uvOrigin), 1e-300));
    }
    case SurfaceParam::kTorus: {
        auto& torus = static_cast<const TORUS&>(surface);
        double minor = std::fabs(torus.minorRadius);
        SPAvector rr = cross(torus.normal, torus.uvOrigin);
        if (torus.reverseV) rr = -rr;
        if (along == 0) {
            SPAvector ring = std::cos(fixed) * torus.uvOrigin + std::sin(fixed) * rr;
            return ellipse(torus.centre + torus.majorRadius * ring, cross(ring, torus.normal), minor * ring,
                           length(torus.normal) / std::max(length(ring), 1e-300));
        }
        double across = torus.majorRadius + minor * std::cos(fixed);
        if (std::fabs(across) < 1e-12 * (std::fabs(torus.majorRadius) + minor)) return nullptr;
        return ellipse(torus.centre + (minor * std::sin(fixed)) * torus.normal, torus.reverseV ? -torus.normal : torus.normal,
                       across * torus.uvOrigin, length(rr) / std::max(length(torus.uvOrigin), 1e-300));
    }
    case SurfaceParam::kSpline: {
        auto& spline = static_cast<const SPLINE&>(surface);
        bs3_curve curve = along == 0 ? spline.approximation().u_curve_at(fixed) : spline.approximation().v_curve_at(fixed);
        if (!curve.valid()) return nullptr;
        auto* intcurve = new INTCURVE();
        intcurve->set_approximation(std::move(curve));
        return intcurve;
    }
    }
    return nullptr;
}

void transform_iso_curve(CURVE* curve, const SPAtransf& t) {
    const auto& a = t.a;
    double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                 a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    if (auto* s = dynamic_cast<STRAIGHT*>(curve)) {
        s->root = t.apply(s->root);
        s->direction = t.applyVector(s->direction);
    } else if (auto* e = dynamic_cast<ELLIPSE*>(curve)) {
        e->centre = t.apply(e->centre);
        e->major = t.applyVector(e->major);
        // A mirror turns the minor axis round unless the normal turns with it.
        e->normal = normalise(t.applyVector(e->normal));
        if (det * t.scale < 0) e->normal = -e->normal;
    } else if (auto* i = dynamic_cast<INTCURVE*>(curve)) {
        bs3_curve moved = i->approximation();
        for (SPAposition& p : moved.points) p = t.apply(p);
        i->set_approximation(std::move(moved));
    }
}
