// Surfaces seen through their parameters: set-up per kind, evaluation, outward normals and
// the inversion of points (closed forms for the analytic kinds, Newton steps for splines).
#include "SurfaceParam.h"

#include "solidkernel/tolerance.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;

bool finite(const SPAvector& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }
bool usable(const SPAvector& v) { return finite(v) && length(v) > 1e-300; }
int signOf(double x) { return x < 0 ? -1 : 1; }
}  // namespace

double nearestPeriodic(double value, double reference, double period) {
    if (!(period > 0) || !std::isfinite(value) || !std::isfinite(reference)) return value;
    return value + period * std::round((reference - value) / period);
}

SurfaceParam::SurfaceParam(const SURFACE& surface) : surface_(&surface) { setUp(); }

void SurfaceParam::setUp() {
    const SURFACE* s = surface_;
    if (auto* plane = dynamic_cast<const PLANE*>(s)) {
        kind_ = kPlane;
        valid_ = finite(plane->root) && usable(plane->normal) && usable(plane->uDir) &&
                 length(cross(plane->normal, plane->uDir)) > 1e-300;
    } else if (auto* cone = dynamic_cast<const CONE*>(s)) {
        kind_ = kCone;
        const ConeFrame f = cone->frame();
        const double sn = f.sine, cs = f.cosine;
        valid_ = finite(cone->centre) && usable(cone->normal) && usable(cone->major) &&
                 std::isfinite(cone->ratio) && cone->ratio != 0 && std::isfinite(sn) && std::isfinite(cs) &&
                 (sn != 0 || cs != 0);
        periodic_[1] = bounded_[1] = true;
        period_[1] = 2 * kPi;
        low_[1] = -kPi;
        high_[1] = kPi;
        if (sn != 0) singular_[0].push_back(-1.0 / sn);
        size_ = length(cone->major);
    } else if (auto* sphere = dynamic_cast<const SPHERE*>(s)) {
        kind_ = kSphere;
        valid_ = finite(sphere->centre) && usable(sphere->pole) && usable(sphere->uvOrigin) &&
                 std::isfinite(sphere->radius) && sphere->radius != 0;
        bounded_[0] = true;
        low_[0] = -kPi / 2;
        high_[0] = kPi / 2;
        singular_[0] = {-kPi / 2, kPi / 2};
        periodic_[1] = bounded_[1] = true;
        period_[1] = 2 * kPi;
        low_[1] = -kPi;
        high_[1] = kPi;
        size_ = std::fabs(sphere->radius);
    } else if (auto* torus = dynamic_cast<const TORUS*>(s)) {
        kind_ = kTorus;
        valid_ = finite(torus->centre) && usable(torus->normal) && usable(torus->uvOrigin) &&
                 std::isfinite(torus->majorRadius) && std::isfinite(torus->minorRadius) &&
                 torus->minorRadius != 0;
        for (int d = 0; d < 2; ++d) {
            periodic_[d] = bounded_[d] = true;
            period_[d] = 2 * kPi;
            low_[d] = -kPi;
            high_[d] = kPi;
        }
        size_ = std::fabs(torus->majorRadius) + std::fabs(torus->minorRadius);
        // A tube wider than its ring passes through the axis: the u-lines there are points.
        double r = std::fabs(torus->minorRadius);
        if (std::fabs(torus->majorRadius) < r) {
            double s = std::acos(-torus->majorRadius / r);
            singular_[0] = {-s, s};
        }
    } else if (auto* spline = dynamic_cast<const SPLINE*>(s)) {
        kind_ = kSpline;
        const bs3_surface& bs = spline->approximation();
        valid_ = bs.valid();
        if (!valid_) return;
        for (const SPAposition& p : bs.points) valid_ = valid_ && finite(p);
        if (!valid_) return;
        const std::vector<double>* knots[2] = {&bs.uKnots, &bs.vKnots};
        for (int d = 0; d < 2; ++d) {
            bounded_[d] = true;
            low_[d] = knots[d]->front();
            high_[d] = knots[d]->back();
            valid_ = valid_ && std::isfinite(low_[d]) && std::isfinite(high_[d]) && high_[d] > low_[d];
        }
        if (!valid_) return;
        SPAposition lo = bs.points.front(), hi = bs.points.front();
        for (const SPAposition& p : bs.points) {
            lo = SPAposition(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
            hi = SPAposition(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
        }
        size_ = std::max(distance(lo, hi), SPAresabs);
        // Samples for the inversion's start, a few per knot span.
        int spans[2] = {bs.uCount - bs.uDegree, bs.vCount - bs.vDegree};
        for (int d = 0; d < 2; ++d) sampleCount_[d] = std::max(9, std::min(65, 4 * spans[d] + 1));
        samples_.resize(static_cast<std::size_t>(sampleCount_[0]) * sampleCount_[1]);
        for (int j = 0; j < sampleCount_[1]; ++j)
            for (int i = 0; i < sampleCount_[0]; ++i) {
                double u = low_[0] + (high_[0] - low_[0]) * i / (sampleCount_[0] - 1);
                double v = low_[1] + (high_[1] - low_[1]) * j / (sampleCount_[1] - 1);
                samples_[static_cast<std::size_t>(j) * sampleCount_[0] + i] = eval(u, v);
            }
        // Closed directions and collapsed boundary lines, seen on the samples.
        double tol = std::max(SPAresabs, 1e-9 * size_);
        auto at = [&](int i, int j) { return samples_[static_cast<std::size_t>(j) * sampleCount_[0] + i]; };
        int n[2] = {sampleCount_[0], sampleCount_[1]};
        for (int d = 0; d < 2; ++d) {
            bool closed = true, lowPoint = true, highPoint = true;
            for (int k = 0; k < n[1 - d]; ++k) {
                SPAposition a = d == 0 ? at(0, k) : at(k, 0);
                SPAposition b = d == 0 ? at(n[0] - 1, k) : at(k, n[1] - 1);
                SPAposition a0 = at(0, 0);
                SPAposition b0 = d == 0 ? at(n[0] - 1, 0) : at(0, n[1] - 1);
                closed = closed && distance(a, b) <= tol;
                lowPoint = lowPoint && distance(a, a0) <= tol;
                highPoint = highPoint && distance(b, b0) <= tol;
            }
            if (closed && !lowPoint) {
                periodic_[d] = true;
                period_[d] = high_[d] - low_[d];
            }
            if (lowPoint) singular_[d].push_back(low_[d]);
            if (highPoint) singular_[d].push_back(high_[d]);
        }
    }
    if (!valid_) return;
    // How du x dv lies against the outward normal, at a regular point.
    double u = 0.3, v = 0.7;
    if (kind_ == kSpline) {
        u = low_[0] + 0.37 * (high_[0] - low_[0]);
        v = low_[1] + 0.41 * (high_[1] - low_[1]);
    }
    SPAposition p;
    SPAvector du, dv;
    eval(u, v, p, du, dv);
    SPAvector n = cross(du, dv);
    SPAvector outward = n;
    switch (kind_) {
    case kPlane: outward = static_cast<const PLANE*>(s)->normal; break;
    case kCone: {
        auto* cone = static_cast<const CONE*>(s);
        SPAvector axis = normalise(cone->normal);
        SPAvector radial = p - cone->centre;
        radial = radial - dot(radial, axis) * axis;
        outward = dot(n, radial) < 0 ? -n : n;
        if (cone->cosAngle < 0) outward = -outward;
        break;
    }
    case kSphere: {
        auto* sphere = static_cast<const SPHERE*>(s);
        outward = signOf(sphere->radius) * (p - sphere->centre);
        break;
    }
    case kTorus: {
        auto* torus = static_cast<const TORUS*>(s);
        SPAvector axis = normalise(torus->normal);
        SPAvector radial = p - torus->centre;
        radial = radial - dot(radial, axis) * axis;
        SPAposition tube = torus->centre + torus->majorRadius * normalise(radial);
        outward = signOf(torus->minorRadius) * (p - tube);
        break;
    }
    case kSpline: outward = static_cast<const SPLINE*>(s)->reversed ? -n : n; break;
    }
    uvSign_ = dot(n, outward) < 0 ? -1 : 1;
    valid_ = finite(p) && finite(n);
}

bool SurfaceParam::collapsed(const SPAvector& n) const {
    // Against the surface's own size: at a collapsed point du x dv is rounding noise, whose
    // direction (even its sense) means nothing.
    return !(length(n) > 1e-9 * size_ * size_);
}

SPAposition SurfaceParam::eval(double u, double v) const {
    SPAposition p;
    surface_->eval(u, v, p);
    return p;
}

void SurfaceParam::eval(double u, double v, SPAposition& p, SPAvector& du, SPAvector& dv) const {
    surface_->eval(u, v, p, &du, &dv);
}

SPAvector SurfaceParam::normal(double u, double v) const {
    SPAposition p;
    SPAvector du, dv;
    eval(u, v, p, du, dv);
    SPAvector n = cross(du, dv);
    if (collapsed(n)) {
        // A collapsed point (pole, apex): the normal of a point just beside it.
        double span = bounded_[0] ? high_[0] - low_[0] : std::max(1.0, size_);
        double step = 1e-7 * span;
        for (double du2 : {step, -step}) {
            double u2 = u + du2;
            if (bounded_[0] && (u2 < low_[0] || u2 > high_[0])) continue;
            eval(u2, v, p, du, dv);
            n = cross(du, dv);
            if (length(n) > 0) break;
        }
    }
    return uvSign_ * normalise(n);
}

SPAvector SurfaceParam::normalToward(double u, double v, double towardU, double towardV) const {
    SPAposition p;
    SPAvector du, dv;
    eval(u, v, p, du, dv);
    SPAvector n = cross(du, dv);
    if (!collapsed(n)) return uvSign_ * normalise(n);
    double f = 1e-6;
    return normal(u + f * (towardU - u), v + f * (towardV - v));
}

void SurfaceParam::invert(const SPAposition& p, double& u, double& v, const double* hint) const {
    u = v = 0.0;
    switch (kind_) {
    case kPlane: {
        auto* plane = static_cast<const PLANE*>(surface_);
        SPAvector a = plane->uDir;
        SPAvector b = cross(plane->normal, plane->uDir);
        if (plane->reverseV) b = -b;
        SPAvector d = p - plane->root;
        double aa = dot(a, a), ab = dot(a, b), bb = dot(b, b), det = aa * bb - ab * ab;
        if (det != 0) {
            u = (dot(d, a) * bb - dot(d, b) * ab) / det;
            v = (dot(d, b) * aa - dot(d, a) * ab) / det;
        }
        return;
    }
    case kCone: {
        auto* cone = static_cast<const CONE*>(surface_);
        const ConeFrame f = cone->frame();
        const double s = f.sine, c = f.cosine, radius = f.radius;
        const SPAvector& axis = f.axis;
        const SPAvector& minor = f.minor;
        SPAvector d = p - cone->centre;
        double h = dot(d, axis);
        if (c * radius != 0) u = h / (c * radius);
        double k = 1 + s * u;
        SPAvector q = d - h * axis;
        if (k != 0) {
            double cv = dot(q, cone->major) / (dot(cone->major, cone->major) * k);
            double sv = dot(q, minor) / (dot(minor, minor) * k);
            v = std::atan2(sv, cv);
        } else if (hint) {
            v = hint[1];
        }
        break;
    }
    case kSphere: {
        auto* sphere = static_cast<const SPHERE*>(surface_);
        SPAvector d = (1.0 / sphere->radius) * (p - sphere->centre);
        SPAvector r = cross(sphere->pole, sphere->uvOrigin);
        if (sphere->reverseV) r = -r;
        double along = dot(d, sphere->pole) / dot(sphere->pole, sphere->pole);
        u = std::asin(std::max(-1.0, std::min(1.0, along)));
        double x = dot(d, sphere->uvOrigin), y = dot(d, r);
        if (std::fabs(x) + std::fabs(y) > 1e-12)
            v = std::atan2(y, x);
        else if (hint)
            v = hint[1];
        break;
    }
    case kTorus: {
        auto* torus = static_cast<const TORUS*>(surface_);
        SPAvector axis = normalise(torus->normal);
        SPAvector rr = cross(torus->normal, torus->uvOrigin);
        if (torus->reverseV) rr = -rr;
        SPAvector d = p - torus->centre;
        double h = dot(d, axis);
        SPAvector radial = d - h * axis;
        double x = dot(radial, torus->uvOrigin), y = dot(radial, rr);
        double rho = std::sqrt(x * x + y * y);
        double v1 = rho > 1e-12 ? std::atan2(y, x) : (hint ? hint[1] : 0.0);
        double u1 = std::atan2(h, rho - torus->majorRadius);
        // The point may also sit on the far side of the axis (tori whose tube crosses it).
        double v2 = v1 + kPi, u2 = std::atan2(h, -rho - torus->majorRadius);
        double e1 = distance(eval(u1, v1), p), e2 = distance(eval(u2, v2), p);
        u = e2 < e1 - 1e-12 ? u2 : u1;
        v = e2 < e1 - 1e-12 ? v2 : v1;
        if (v > kPi) v -= 2 * kPi;
        break;
    }
    case kSpline: invertSpline(p, u, v, hint); return;
    }
    if (hint) {
        for (int d = 0; d < 2; ++d) {
            double& value = d == 0 ? u : v;
            if (periodic_[d]) value = nearestPeriodic(value, hint[d], period_[d]);
        }
    }
}

void SurfaceParam::newton(const SPAposition& p, double& u, double& v) const {
    for (int iteration = 0; iteration < 12; ++iteration) {
        SPAposition s;
        SPAvector su, sv;
        eval(u, v, s, su, sv);
        SPAvector r = s - p;
        double a = dot(su, su), b = dot(su, sv), c = dot(sv, sv);
        double gu = dot(su, r), gv = dot(sv, r);
        double det = a * c - b * b;
        if (!(std::fabs(det) > 1e-300)) break;
        double stepU = (c * gu - b * gv) / det, stepV = (a * gv - b * gu) / det;
        double nu = u - stepU, nv = v - stepV;
        for (int d = 0; d < 2; ++d) {
            double& value = d == 0 ? nu : nv;
            if (!periodic_[d]) value = std::min(high_[d], std::max(low_[d], value));
        }
        if (!std::isfinite(nu) || !std::isfinite(nv)) break;
        bool small = std::fabs(nu - u) < 1e-14 * (high_[0] - low_[0]) && std::fabs(nv - v) < 1e-14 * (high_[1] - low_[1]);
        u = nu;
        v = nv;
        if (small) break;
    }
}

void SurfaceParam::invertSpline(const SPAposition& p, double& u, double& v, const double* hint) const {
    double bestU = low_[0], bestV = low_[1], best = 1e300;
    auto tryFrom = [&](double u0, double v0) {
        newton(p, u0, v0);
        double e = distance(eval(u0, v0), p);
        if (e < best) {
            best = e;
            bestU = u0;
            bestV = v0;
        }
    };
    if (hint) tryFrom(hint[0], hint[1]);
    if (!hint || best > std::max(SPAresabs, 1e-7 * size_)) {
        std::size_t nearest = 0;
        double nearestDistance = 1e300;
        for (std::size_t i = 0; i < samples_.size(); ++i) {
            double e = distance(samples_[i], p);
            if (e < nearestDistance) {
                nearestDistance = e;
                nearest = i;
            }
        }
        int i = static_cast<int>(nearest % sampleCount_[0]), j = static_cast<int>(nearest / sampleCount_[0]);
        tryFrom(low_[0] + (high_[0] - low_[0]) * i / (sampleCount_[0] - 1),
                low_[1] + (high_[1] - low_[1]) * j / (sampleCount_[1] - 1));
    }
    u = bestU;
    v = bestV;
    if (hint)
        for (int d = 0; d < 2; ++d) {
            double& value = d == 0 ? u : v;
            if (periodic_[d]) value = nearestPeriodic(value, hint[d], period_[d]);
        }
}
