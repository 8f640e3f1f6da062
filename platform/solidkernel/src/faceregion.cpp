// Faces as regions of the parameter plane. Loops are sampled along their coedges, mapped to
// parameters and unwrapped across periods; poles and apexes, where one point has every v,
// become segments along their parameter line. A point is in the face when it lies on the
// face's side of the nearest piece of boundary; which side that is comes from the loops'
// signed areas, from pairs of loops that go round the surface in opposite directions, from
// a cone's apex, or from the surface's outward normal and the face's sense.
#include "CurveSearch.h"
#include "FaceRegion.h"
#include "ModelWalk.h"

#include <algorithm>
#include <cmath>

namespace face_region {

namespace {

constexpr double kTwoPi = 6.28318530717958647692;

double nearestImage(double value, double reference, double period) {
    if (period <= 0) return value;
    return value + period * std::round((reference - value) / period);
}

double cross2(double au, double av, double bu, double bv) {
    return au * bv - av * bu;
}

int samplesFor(const EDGE& edge) {
    const CURVE* curve = edge.geometry();
    if (!curve) return 1;
    if (dynamic_cast<const STRAIGHT*>(curve)) return 8;
    if (auto* spline = dynamic_cast<const INTCURVE*>(curve))
        return static_cast<int>(std::clamp<std::size_t>(4 * spline->approximation().points.size(),
                                                        48, curve_search::kMaxSamples));
    return 48;
}

}  // namespace

FaceRegion::FaceRegion(const FACE& face, const SurfaceChart& chart) : chart_(chart) {
    std::vector<std::vector<Params>> loops;
    ENTITY_LIST seen;
    for (LOOP* l = face.loop(); l && seen.lookup(l) < 0; l = l->next()) {
        seen.add(l);
        loops.push_back(sampleLoop(*l));
    }
    double tip = 0;
    if (chart.tipsSplitU(tip)) {
        // The arc of the first boundary point that is not a tip holds the whole face.
        for (const auto& loop : loops)
            for (const Params& p : loop) {
                if (arc_ || p.singular) continue;
                double u = nearestImage(p.u, 0, kTwoPi);
                arc_ = true;
                arcLow_ = std::fabs(u) <= tip ? -tip : tip;
                arcHigh_ = std::fabs(u) <= tip ? tip : kTwoPi - tip;
            }
        for (auto& loop : loops)
            for (Params& p : loop) toArc(p.u, 1e-9);
    }
    for (auto& loop : loops) addLoop(std::move(loop));
    orientation_ = findOrientation(face);
}

bool FaceRegion::toArc(double& u, double tolerance) const {
    if (!arc_) return true;
    double middle = 0.5 * (arcLow_ + arcHigh_);
    u = nearestImage(u, middle, kTwoPi);
    return u >= arcLow_ - tolerance && u <= arcHigh_ + tolerance;
}

std::vector<Params> FaceRegion::sampleLoop(const LOOP& loop) const {
    std::vector<Params> raw;
    for (COEDGE* c : model_walk::loopRing(loop.start())) {
        const EDGE* edge = c->edge();
        if (!edge) continue;
        int n = samplesFor(*edge);
        double s = edge->start_param(), e = edge->end_param();
        if (c->reversed()) std::swap(s, e);
        for (int i = 0; i < n; ++i) {
            SPAposition p;
            if (edge->geometry())
                p = edge->eval_position(s + (e - s) * i / n);
            else if (c->start() && c->start()->geometry())
                p = c->start()->geometry()->coords();
            else
                continue;
            raw.push_back(chart_.inverse(p));
        }
    }
    return raw;
}

void FaceRegion::addLoop(std::vector<Params> raw) {
    auto first = std::find_if(raw.begin(), raw.end(), [](const Params& p) { return !p.singular; });
    if (first == raw.end()) return;  // a loop that is a single pole or apex
    std::rotate(raw.begin(), first, raw.end());

    Loop out;
    double up = uPeriod(), vp = chart_.vPeriod();
    Params prev = raw[0];
    out.points.push_back(prev);
    std::size_t n = raw.size();
    for (std::size_t i = 1; i <= n; ++i) {
        Params p = raw[i % n];
        p.u = nearestImage(p.u, prev.u, up);
        if (!p.singular) {
            p.v = nearestImage(p.v, prev.v, vp);
        } else {
            // Along the pole's line from where the boundary came in to where it leaves.
            std::size_t j = i + 1;
            while (raw[j % n].singular) ++j;
            double nextV = nearestImage(raw[j % n].v, prev.v, vp);
            out.points.push_back({p.u, prev.v, false});
            p.v = nextV;
        }
        p.singular = false;
        if (i == n) {
            out.uShift = p.u - out.points[0].u;
            out.vShift = p.v - out.points[0].v;
        } else {
            out.points.push_back(p);
        }
        prev = p;
    }
    // Pieces of zero length say nothing about sides.
    std::vector<Params> clean;
    for (const Params& p : out.points)
        if (clean.empty() ||
            std::fabs(p.u - clean.back().u) + std::fabs(p.v - clean.back().v) > 1e-13)
            clean.push_back(p);
    out.points.swap(clean);
    if (!out.points.empty()) loops_.push_back(std::move(out));
}

int FaceRegion::findOrientation(const FACE& face) const {
    if (loops_.empty()) return 1;
    double half = 0.5 * std::max(uPeriod(), chart_.vPeriod());
    auto wraps = [half](double shift) { return half > 0 && std::fabs(shift) > half; };
    // Loops that close in the plane: the outer ones' area outweighs the holes'.
    double area = 0, scale = 0;
    for (const Loop& loop : loops_) {
        if (wraps(loop.uShift) || wraps(loop.vShift)) continue;
        const std::vector<Params>& p = loop.points;
        for (std::size_t i = 0; i < p.size(); ++i) {
            const Params& a = p[i];
            const Params& b = p[(i + 1) % p.size()];
            area += cross2(a.u, a.v, b.u, b.v);
            scale = std::max(scale, std::fabs(a.u) + std::fabs(a.v));
        }
    }
    if (std::fabs(area) > 1e-12 * std::max(1e-300, scale * scale)) return area > 0 ? 1 : -1;

    // Loops going round in v: the face lies left of each, so between one going up (+v) and
    // one going down, or between one loop and a cone's apex.
    if (uPeriod() == 0 && chart_.vPeriod() > 0 && !arc_) {
        auto meanU = [](const Loop& l) {
            double sum = 0;
            for (const Params& p : l.points) sum += p.u;
            return sum / static_cast<double>(l.points.size());
        };
        const Loop* up = nullptr;
        const Loop* down = nullptr;
        for (const Loop& loop : loops_) {
            if (loop.vShift > half) up = &loop;
            if (loop.vShift < -half) down = &loop;
        }
        if (up && down) return meanU(*up) > meanU(*down) ? 1 : -1;
        auto* cone = dynamic_cast<const CONE*>(&chart_.surface());
        if (cone && (up || down) && cone->sinAngle != 0 && cone->cosAngle != 0) {
            double s = cone->cosAngle < 0 ? -cone->sinAngle : cone->sinAngle;
            double apexU = -1.0 / s;
            const Loop& l = up ? *up : *down;
            bool apexBelow = apexU < meanU(l);
            return (up != nullptr) == apexBelow ? 1 : -1;
        }
    }

    // The surface's outward normal, turned by the face's sense, against du x dv.
    if (chart_.hasOutwardConvention()) {
        const Params& p = loops_.front().points.front();
        SPAposition at;
        SPAvector du, dv;
        chart_.surface().eval(p.u, p.v, at, &du, &dv);
        double side =
            dot(chart_.outwardNormal(p.u, p.v), cross(du, dv)) * (face.reversed() ? -1 : 1);
        if (side != 0) return side > 0 ? 1 : -1;
    }
    return 0;
}

bool FaceRegion::contains(double u, double v, double tolerance) const {
    if (loops_.empty() || orientation_ == 0) return true;  // without a side, keep the point
    if (!toArc(u, tolerance)) return false;
    double up = uPeriod(), vp = chart_.vPeriod();
    double best = 1e300;
    bool inside = false;
    for (const Loop& loop : loops_) {
        const std::vector<Params>& pts = loop.points;
        std::size_t n = pts.size();
        if (n < 2) continue;
        // Point i of the closed polyline; the one after the last is the first, shifted.
        auto point = [&](std::size_t i, double& pu, double& pv) {
            std::size_t k = i % n;
            pu = pts[k].u + (i >= n ? loop.uShift : 0);
            pv = pts[k].v + (i >= n ? loop.vShift : 0);
        };
        for (std::size_t i = 0; i < n; ++i) {
            double au, av, bu, bv;
            point(i, au, av);
            point(i + 1, bu, bv);
            double du = bu - au, dv = bv - av, ll = du * du + dv * dv;
            if (ll == 0) continue;
            double pu = nearestImage(u, 0.5 * (au + bu), up),
                   pv = nearestImage(v, 0.5 * (av + bv), vp);
            double t = std::max(0.0, std::min(1.0, ((pu - au) * du + (pv - av) * dv) / ll));
            double cu = au + t * du, cv = av + t * dv;
            double d = std::hypot(pu - cu, pv - cv);
            if (d >= best) continue;
            best = d;
            if (t > 0 && t < 1) {
                inside = orientation_ * cross2(du, dv, pu - cu, pv - cv) > 0;
                continue;
            }
            // At a corner: the directions into and out of it decide together.
            double inU, inV, outU, outV;
            double qu, qv;
            if (t <= 0) {
                // Before the first point comes the last, one shift back.
                qu = i == 0 ? pts[n - 1].u - loop.uShift : pts[i - 1].u;
                qv = i == 0 ? pts[n - 1].v - loop.vShift : pts[i - 1].v;
                inU = au - qu, inV = av - qv, outU = du, outV = dv;
            } else {
                point(i + 2, qu, qv);
                inU = du, inV = dv, outU = qu - bu, outV = qv - bv;
            }
            bool sideIn = orientation_ * cross2(inU, inV, pu - cu, pv - cv) > 0;
            bool sideOut = orientation_ * cross2(outU, outV, pu - cu, pv - cv) > 0;
            bool convex = orientation_ * cross2(inU, inV, outU, outV) > 0;
            inside = convex ? (sideIn && sideOut) : (sideIn || sideOut);
        }
    }
    return best <= tolerance || inside;
}

}  // namespace face_region
