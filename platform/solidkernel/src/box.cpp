// Boxes of bodies. Each coordinate of the placed body is a linear function of body-space
// positions (the transform's column times its scale, plus the translation), so the box is
// found in body space: where each of those three functions is extreme on each vertex, edge
// and face.
#include "solidkernel/box.h"

#include "CurveSearch.h"
#include "FaceRegion.h"
#include "solidkernel/geometry.h"
#include "solidkernel/kernelapi.h"

#include <algorithm>
#include <cmath>

using face_region::FaceRegion;
using face_region::Params;
using face_region::SurfaceChart;

SPAbox::SPAbox(const SPAposition& low, const SPAposition& high)
    : empty_(false), low_(low), high_(high) {}

void SPAbox::add(const SPAposition& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return;
    if (empty_) {
        low_ = high_ = p;
        empty_ = false;
        return;
    }
    low_ = SPAposition(std::min(low_.x, p.x), std::min(low_.y, p.y), std::min(low_.z, p.z));
    high_ = SPAposition(std::max(high_.x, p.x), std::max(high_.y, p.y), std::max(high_.z, p.z));
}

SPAbox& SPAbox::operator|=(const SPAbox& other) {
    if (!other.empty_) {
        add(other.low_);
        add(other.high_);
    }
    return *this;
}

bool SPAbox::contains(const SPAposition& p, double tolerance) const {
    return !empty_ && p.x >= low_.x - tolerance && p.x <= high_.x + tolerance &&
           p.y >= low_.y - tolerance && p.y <= high_.y + tolerance && p.z >= low_.z - tolerance &&
           p.z <= high_.z + tolerance;
}

namespace {

constexpr double kTwoPi = 6.28318530717958647692, kPi = kTwoPi / 2;

// Whether a curve parameter lies in [low, high], a period allowed.
bool inRange(double t, double low, double high, double period) {
    if (!std::isfinite(t)) return false;
    if (period > 0) t = low + std::fmod(std::fmod(t - low, period) + period, period);
    return t >= low - 1e-12 && t <= high + 1e-12;
}

// Curve parameters where w . C(t) is extreme inside the edge.
std::vector<double> edgeExtremes(const EDGE& edge, const CURVE& curve, const SPAvector& w) {
    std::vector<double> out;
    double low = edge.start_param(), high = edge.end_param();
    if (edge.reversed()) {
        low = -edge.end_param();
        high = -edge.start_param();
    }
    if (!(high >= low) || !std::isfinite(low) || !std::isfinite(high)) return out;
    if (auto* e = dynamic_cast<const ELLIPSE*>(&curve)) {
        SPAvector minor = e->ratio * cross(normalise(e->normal), e->major);
        double t = std::atan2(dot(w, minor), dot(w, e->major));
        for (double c : {t, t + kPi})
            if (inRange(c, low, high, kTwoPi)) out.push_back(c);
    } else if (auto* spline = dynamic_cast<const INTCURVE*>(&curve)) {
        auto slope = [&](double t) {
            SPAposition p;
            SPAvector d;
            spline->eval(t, p, &d);
            return dot(w, d);
        };
        int samples = static_cast<int>(std::clamp<std::size_t>(
            8 * spline->approximation().points.size(), 32, curve_search::kMaxSamples));
        out = curve_search::roots(slope, low, high, samples);
    }
    return out;
}

void addSphere(const SPHERE& s, const SPAvector& w, const SurfaceChart& chart,
               std::vector<Params>& out) {
    SPAvector d = normalise(w);
    for (double sign : {1.0, -1.0})
        out.push_back(chart.inverse(s.centre + (sign * std::fabs(s.radius)) * d));
}

void addTorus(const TORUS& s, const SPAvector& w, std::vector<Params>& out) {
    SPAvector n = normalise(s.normal), o = normalise(s.uvOrigin);
    SPAvector rr = cross(n, o);
    if (s.reverseV) rr = -rr;
    double wn = dot(w, n), wo = dot(w, o), wr = dot(w, rr);
    double across = std::hypot(wo, wr);
    double r = std::fabs(s.minorRadius);
    if (across > 1e-12 * length(w)) {
        double v0 = std::atan2(wr, wo);
        for (double v : {v0, v0 + kPi}) {
            double ring = v == v0 ? across : -across;
            double u0 = std::atan2(wn, ring);
            out.push_back({u0, v, false});
            out.push_back({u0 + kPi, v, false});
        }
    } else {
        // Along the axis every v is extreme: the circles at the top and bottom of the tube.
        out.push_back({kPi / 2, 0, false});
        out.push_back({-kPi / 2, 0, false});
    }
    // A lemon's or apple's tips, where the tube crosses the axis.
    if (r > 0 && std::fabs(s.majorRadius) < r) {
        double u = std::acos(-s.majorRadius / r);
        out.push_back({u, 0, false});
        out.push_back({-u, 0, false});
    }
}

void addConeApex(const CONE& s, std::vector<Params>& out) {
    double sine = s.cosAngle < 0 ? -s.sinAngle : s.sinAngle;
    if (sine == 0) return;
    double apex = -1.0 / sine;
    // The apex is a line of the parameter plane; the face reaches it from one side.
    double step = 1e-7 * std::max(1.0, std::fabs(apex));
    // Tested beside the apex, evaluated at it (flagged singular).
    for (double v : {0.0, kPi / 2, kPi, -kPi / 2}) {
        out.push_back({apex + step, v, true});
        out.push_back({apex - step, v, true});
    }
}

// Stationary points of w . S on a spline surface: local extremes of a grid refined by
// Newton steps on the gradient.
void addSpline(const SPLINE& s, const SPAvector& w, std::vector<Params>& out) {
    const bs3_surface& bs = s.approximation();
    if (!bs.valid()) return;
    double u0 = bs.uKnots[bs.uDegree], u1 = bs.uKnots[bs.uKnots.size() - 1 - bs.uDegree];
    double v0 = bs.vKnots[bs.vDegree], v1 = bs.vKnots[bs.vKnots.size() - 1 - bs.vDegree];
    int nu = std::min(48, std::max(8, 4 * bs.uCount)),
        nv = std::min(48, std::max(8, 4 * bs.vCount));
    auto value = [&](double u, double v) {
        SPAposition p;
        s.eval(u, v, p, nullptr, nullptr);
        return dot(w, p);
    };
    auto gradient = [&](double u, double v, double& gu, double& gv) {
        SPAposition p;
        SPAvector du, dv;
        s.eval(u, v, p, &du, &dv);
        gu = dot(w, du);
        gv = dot(w, dv);
    };
    std::vector<double> grid(static_cast<std::size_t>((nu + 1) * (nv + 1)));
    auto at = [&](int i, int j) -> double& {
        return grid[static_cast<std::size_t>(i * (nv + 1) + j)];
    };
    for (int i = 0; i <= nu; ++i)
        for (int j = 0; j <= nv; ++j)
            at(i, j) = value(u0 + (u1 - u0) * i / nu, v0 + (v1 - v0) * j / nv);
    double hu = 1e-6 * (u1 - u0), hv = 1e-6 * (v1 - v0);
    for (int i = 1; i < nu; ++i)
        for (int j = 1; j < nv; ++j) {
            bool isMax = true, isMin = true;
            for (int di = -1; di <= 1; ++di)
                for (int dj = -1; dj <= 1; ++dj) {
                    if (!di && !dj) continue;
                    isMax = isMax && at(i, j) >= at(i + di, j + dj);
                    isMin = isMin && at(i, j) <= at(i + di, j + dj);
                }
            if (!isMax && !isMin) continue;
            double u = u0 + (u1 - u0) * i / nu, v = v0 + (v1 - v0) * j / nv;
            bool converged = false;
            for (int step = 0; step < 30 && !converged; ++step) {
                double gu, gv, a1, b1, a2, b2;
                gradient(u, v, gu, gv);
                gradient(u + hu, v, a1, b1);
                gradient(u, v + hv, a2, b2);
                double juu = (a1 - gu) / hu, jvu = (b1 - gv) / hu, juv = (a2 - gu) / hv,
                       jvv = (b2 - gv) / hv;
                double det = juu * jvv - juv * jvu;
                if (det == 0 || !std::isfinite(det)) break;
                double su = (jvv * gu - juv * gv) / det, sv = (juu * gv - jvu * gu) / det;
                u -= su;
                v -= sv;
                if (!(u >= u0 && u <= u1 && v >= v0 && v <= v1)) break;
                converged = std::fabs(su) < 1e-13 * (u1 - u0) && std::fabs(sv) < 1e-13 * (v1 - v0);
            }
            if (converged) out.push_back({u, v, false});
        }
}

}  // namespace

SPAbox get_body_box(const BODY* body, const SPAtransf* transf, logical) {
    SPAbox box;
    if (!body) return box;
    SPAtransf placement = transf              ? *transf
                          : body->transform() ? body->transform()->transform()
                                              : SPAtransf();
    // Output coordinate k as a function of body-space positions: w[k] . p + t[k].
    SPAvector w[3];
    for (int k = 0; k < 3; ++k)
        w[k] = placement.scale * SPAvector(placement.a[0][k], placement.a[1][k], placement.a[2][k]);
    auto* entity = const_cast<BODY*>(body);
    ENTITY_LIST faces, edges, vertices;
    api_get_faces(entity, faces);
    api_get_edges(entity, edges);
    api_get_vertices(entity, vertices);

    for (int i = 0; i < vertices.count(); ++i)
        if (const APOINT* p = static_cast<VERTEX*>(vertices[i])->geometry())
            box.add(placement.apply(p->coords()));

    for (int i = 0; i < edges.count(); ++i) {
        auto* edge = static_cast<EDGE*>(edges[i]);
        const CURVE* curve = edge->geometry();
        if (!curve) continue;
        box.add(placement.apply(edge->eval_position(edge->start_param())));
        box.add(placement.apply(edge->eval_position(edge->end_param())));
        for (const SPAvector& direction : w)
            for (double t : edgeExtremes(*edge, *curve, direction)) {
                SPAposition p;
                curve->eval(t, p);
                box.add(placement.apply(p));
            }
    }

    for (int i = 0; i < faces.count(); ++i) {
        auto* face = static_cast<FACE*>(faces[i]);
        const SURFACE* surface = face->geometry();
        if (!surface) continue;
        SurfaceChart chart(*surface);
        std::vector<Params> candidates;
        for (const SPAvector& direction : w) {
            if (auto* s = dynamic_cast<const SPHERE*>(surface))
                addSphere(*s, direction, chart, candidates);
            else if (auto* t = dynamic_cast<const TORUS*>(surface))
                addTorus(*t, direction, candidates);
            else if (auto* sp = dynamic_cast<const SPLINE*>(surface))
                addSpline(*sp, direction, candidates);
        }
        auto* cone = dynamic_cast<const CONE*>(surface);
        if (cone) addConeApex(*cone, candidates);
        if (candidates.empty()) continue;
        FaceRegion region(*face, chart);
        for (const Params& c : candidates) {
            if (!region.contains(c.u, c.v)) continue;
            SPAposition p;
            double sine = cone ? (cone->cosAngle < 0 ? -cone->sinAngle : cone->sinAngle) : 0;
            surface->eval(c.singular && sine != 0 ? -1.0 / sine : c.u, c.v, p);
            box.add(placement.apply(p));
        }
    }
    return box;
}
