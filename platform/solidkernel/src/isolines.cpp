// Parameter lines of a face: the face's loops sampled finely into its parameter plane, lines
// at even values cut where they leave the face, and an edge for each stretch.
#include "CurveSampling.h"
#include "FaceDomain.h"
#include "IsoCurves.h"
#include "KernelState.h"
#include "ModelWalk.h"
#include "solidkernel/errors.h"
#include "solidkernel/isolines.h"
#include "solidkernel/tolerance.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kMostLines = 1000;
constexpr std::size_t kMostSamplesPerEdge = 4000;
constexpr double kTurn = 3.0 * 3.14159265358979323846 / 180;  // between boundary samples

// The face's boundary as points along its coedges; `size` gives the chord tolerance.
std::vector<LoopNodes> sampleLoops(const FACE* face, double size) {
    std::vector<LoopNodes> loops;
    ENTITY_LIST seen;
    const double tolerance = std::max(SPAresabs, 1e-4 * size);
    for (LOOP* loop = face->loop(); loop && seen.lookup(loop) < 0; loop = loop->next()) {
        seen.add(loop);
        LoopNodes nodes;
        for (COEDGE* c : model_walk::loopRing(loop->start())) {
            const EDGE* edge = c->edge();
            if (!edge) continue;
            const CURVE* curve = edge->geometry();
            SPAinterval range = edge->param_range();
            std::vector<double> ts;
            if (curve && !range.empty() && range.length() > 0 && std::isfinite(range.length())) {
                SPAinterval onCurve = edge->sense() == REVERSED ? -range : range;
                bool fits = curve_sampling::subdivide(
                    curve_sampling::initialPartition(*curve, onCurve.start_pt(), onCurve.end_pt()),
                    [&](double a, double b) {
                        return curve_sampling::chordDeviation(*curve, a, b) > tolerance ||
                               curve_sampling::tangentTurn(*curve, a, b) > kTurn;
                    },
                    kMostSamplesPerEdge, ts);
                if (!fits) {
                    ts.clear();
                    for (std::size_t i = 0; i < kMostSamplesPerEdge; ++i)
                        ts.push_back(onCurve.start_pt() + onCurve.length() * i / (kMostSamplesPerEdge - 1));
                }
                // Edge parameters in the edge's order, then in the coedge's.
                if (edge->sense() == REVERSED) {
                    for (double& t : ts) t = -t;
                    std::reverse(ts.begin(), ts.end());
                }
                if (c->reversed()) std::reverse(ts.begin(), ts.end());
            }
            if (ts.size() < 2) {
                const VERTEX* v = c->start();
                if (v && v->geometry()) nodes.push_back({v->geometry()->coords()});
                continue;
            }
            for (std::size_t i = 0; i + 1 < ts.size(); ++i) nodes.push_back({edge->eval_position(ts[i])});
            const VERTEX* start = c->start();
            if (start && start->geometry()) nodes[nodes.size() - (ts.size() - 1)].p = start->geometry()->coords();
        }
        if (!nodes.empty()) loops.push_back(std::move(nodes));
    }
    return loops;
}

// The parameter values of n lines across direction d of the face.
std::vector<double> lineValues(const FaceDomain& domain, int d, int n) {
    std::vector<double> values;
    if (domain.seamed(d) && domain.coversPeriod(d)) {
        for (int i = 0; i < n; ++i) values.push_back(domain.low(d) + (domain.high(d) - domain.low(d)) * (i + 0.5) / n);
    } else {
        double lo = domain.coveredLow(d), hi = domain.coveredHigh(d);
        for (int i = 0; i < n; ++i) values.push_back(lo + (hi - lo) * (i + 1) / (n + 1));
    }
    return values;
}

EDGE* makeEdge(CURVE* curve, double t0, double t1, bool closed) {
    SPAposition a, b;
    curve->eval(t0, a);
    curve->eval(t1, b);
    auto* edge = new EDGE();
    auto* start = new VERTEX();
    start->set_geometry(new APOINT(a));
    start->set_edge(edge);
    VERTEX* end = start;
    if (!closed) {
        end = new VERTEX();
        end->set_geometry(new APOINT(b));
        end->set_edge(edge);
    }
    edge->set_start(start);
    edge->set_end(end);
    edge->set_params(t0, t1);
    edge->set_geometry(curve);
    return edge;
}

}  // namespace

outcome api_face_nu_nv_isolines(FACE* face, int nu, int nv, const SPAtransf* transf, ENTITY_LIST& edges) {
    if (err_mess_type injected = takeArmedFailure("api_face_nu_nv_isolines")) return outcome(injected);
    if (!face) return outcome(kernel_errors::kNullEntity);
    if (transf && transf->singular()) return outcome(kernel_errors::kSingularTransform);
    std::vector<EDGE*> made;
    outcome result = model_walk::guarded([&] {
        const SURFACE* geometry = face->geometry();
        if (!geometry) return;
        SurfaceParam surface(*geometry);
        if (!surface.valid()) return;
        // The face's size, from its vertices (a face without any: the surface's).
        double size = surface.size();
        ENTITY_LIST vertices;
        api_get_vertices(face, vertices);
        if (vertices.count() > 1) {
            SPAposition lo(1e300, 1e300, 1e300), hi(-1e300, -1e300, -1e300);
            for (int i = 0; i < vertices.count(); ++i) {
                const APOINT* p = static_cast<VERTEX*>(vertices[i])->geometry();
                if (!p) continue;
                const SPAposition& c = p->coords();
                lo = SPAposition(std::min(lo.x, c.x), std::min(lo.y, c.y), std::min(lo.z, c.z));
                hi = SPAposition(std::max(hi.x, c.x), std::max(hi.y, c.y), std::max(hi.z, c.z));
            }
            if (distance(lo, hi) > 0 && distance(lo, hi) < 1e300) size = std::max(size, distance(lo, hi));
        }
        FaceDomain domain(surface, face->reversed(), sampleLoops(face, size));
        if (!domain.valid()) return;
        const int counts[2] = {std::max(0, std::min(nu, kMostLines)), std::max(0, std::min(nv, kMostLines))};
        for (int along = 0; along < 2; ++along) {
            const int fixedDir = 1 - along;
            for (double fixed : lineValues(domain, fixedDir, counts[along])) {
                std::vector<std::pair<double, double>> stretches = domain.insideAlong(fixedDir, fixed);
                // A line that runs on across the seam is one stretch.
                bool whole = false;
                if (domain.seamed(along) && !stretches.empty()) {
                    double lo = domain.low(along), hi = domain.high(along), period = hi - lo;
                    double eps = 1e-9 * period;
                    if (stretches.size() == 1 && stretches[0].first <= lo + eps && stretches[0].second >= hi - eps) {
                        whole = true;
                    } else if (stretches.size() >= 2 && stretches.front().first <= lo + eps && stretches.back().second >= hi - eps) {
                        stretches.back().second = stretches.front().second + period;
                        stretches.erase(stretches.begin());
                    }
                }
                for (const auto& stretch : stretches) {
                    if (!(stretch.second - stretch.first > 1e-12 * (1 + std::fabs(stretch.first)))) continue;
                    CURVE* curve = make_iso_curve(surface, along, fixed);
                    if (!curve) continue;
                    if (transf) transform_iso_curve(curve, *transf);
                    made.push_back(makeEdge(curve, stretch.first, stretch.second, whole));
                }
            }
        }
    });
    if (!result.ok()) {
        for (EDGE* e : made) api_del_entity(e);
        return result;
    }
    for (EDGE* e : made) edges.add(e);
    return result;
}
