// Faceting one body: dividing its edges once for all faces, splitting them where periodic
// faces start again, and meshing each face from those points.
#include "BodyFaceter.h"

#include "CurveSampling.h"
#include "FaceDomain.h"
#include "FaceMesher.h"
#include "ModelWalk.h"
#include "solidkernel/tolerance.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr std::size_t kMaxEdgePoints = 20000;
// Neighbouring mesh points' normals differ by at most this share of the normal tolerance,
// which keeps every facet's own normal well within the tolerance of the surface's.
constexpr double kStepShare = 0.4;

double angleBetween(const SPAvector& a, const SPAvector& b) {
    return std::acos(std::max(-1.0, std::min(1.0, dot(a, b))));
}

std::vector<LOOP*> loopsOfFace(const FACE* face) {
    std::vector<LOOP*> loops;
    ENTITY_LIST seen;
    for (LOOP* l = face->loop(); l && seen.lookup(l) < 0 && loops.size() < 100000; l = l->next()) {
        seen.add(l);
        loops.push_back(l);
    }
    return loops;
}
}  // namespace

BodyFaceter::BodyFaceter(const REFINEMENT& refinement, const SPAtransf* transform)
    : refinement_(refinement), transform_(transform) {
    double degrees = refinement.normal_tol();
    if (!(degrees > 0.05)) degrees = 0.05;  // a finer limit would ask for millions of points
    if (degrees > 90) degrees = 90;
    step_ = kStepShare * degrees * kPi / 180;
}

const SurfaceParam* BodyFaceter::surfaceOf(const FACE* face) {
    const SURFACE* surface = face ? face->geometry() : nullptr;
    if (!surface) return nullptr;
    auto found = surfaces_.find(surface);
    if (found == surfaces_.end()) found = surfaces_.emplace(surface, std::make_unique<SurfaceParam>(*surface)).first;
    return found->second->valid() ? found->second.get() : nullptr;
}

int BodyFaceter::edgePoints(const EDGE* edge) {
    auto found = edgeIndex_.find(edge);
    if (found != edgeIndex_.end()) return found->second;
    int index = static_cast<int>(edges_.size());
    edges_.emplace_back();
    edges_.back().edge = edge;
    edgeIndex_.emplace(edge, index);
    divide(edges_.back());
    return index;
}

void BodyFaceter::divide(EdgePoints& ep) {
    const EDGE* edge = ep.edge;
    const CURVE* curve = edge->geometry();
    SPAinterval range = edge->param_range();
    auto vertexPoint = [&](const VERTEX* v, double t) {
        if (v && v->geometry()) return v->geometry()->coords();
        return edge->eval_position(t);
    };
    bool usable = curve && !range.empty() && std::isfinite(range.start_pt()) && std::isfinite(range.end_pt());
    if (!usable || edge->start() == nullptr || edge->end() == nullptr || range.length() == 0) {
        // A point edge (an apex), or one that cannot be followed: its vertices only.
        ep.params = {range.start_pt()};
        ep.points = {vertexPoint(edge->start(), range.start_pt())};
        if (edge->end() && edge->end() != edge->start()) {
            ep.params.push_back(range.end_pt());
            ep.points.push_back(vertexPoint(edge->end(), range.end_pt()));
        }
        return;
    }
    // The surfaces on either side whose normals turn along the edge.
    std::vector<const SurfaceParam*> sides;
    for (COEDGE* c : model_walk::partnerRing(edge->coedge())) {
        auto* loop = dynamic_cast<LOOP*>(c->owner());
        const SurfaceParam* s = loop ? surfaceOf(loop->face()) : nullptr;
        if (s && s->kind() != SurfaceParam::kPlane && std::find(sides.begin(), sides.end(), s) == sides.end())
            sides.push_back(s);
    }
    const bool reversed = edge->sense() == REVERSED;
    SPAinterval curveRange = reversed ? -range : range;
    const double tol = refinement_.surface_tol();
    // The parameters found last on each side's surface start the next search there (spans
    // are looked at in order along the curve).
    std::vector<std::array<double, 2>> near(sides.size());
    std::vector<bool> nearKnown(sides.size(), false);
    auto split = [&](double a, double b) {
        if (tol > 0 && curve_sampling::chordDeviation(*curve, a, b) > tol) return true;
        if (curve_sampling::tangentTurn(*curve, a, b) > step_) return true;
        if (sides.empty()) return false;
        SPAposition pa, pb;
        curve->eval(a, pa);
        curve->eval(b, pb);
        for (std::size_t k = 0; k < sides.size(); ++k) {
            const SurfaceParam* s = sides[k];
            double ua, va, ub, vb;
            s->invert(pa, ua, va, nearKnown[k] ? near[k].data() : nullptr);
            double hint[2] = {ua, va};
            s->invert(pb, ub, vb, hint);
            near[k] = {ua, va};
            nearKnown[k] = true;
            if (angleBetween(s->normal(ua, va), s->normal(ub, vb)) > step_) return true;
        }
        return false;
    };
    std::vector<double> params;
    if (!curve_sampling::subdivide(curve_sampling::initialPartition(*curve, curveRange.start_pt(), curveRange.end_pt()),
                                   split, kMaxEdgePoints, params)) {
        params.clear();
        for (std::size_t i = 0; i < kMaxEdgePoints; ++i)
            params.push_back(curveRange.start_pt() + curveRange.length() * i / (kMaxEdgePoints - 1));
    }
    // In the edge's own order and parameters.
    if (reversed) {
        std::reverse(params.begin(), params.end());
        for (double& t : params) t = -t;
    }
    params.front() = range.start_pt();
    params.back() = range.end_pt();
    ep.params = params;
    ep.points.resize(params.size());
    for (std::size_t i = 0; i < params.size(); ++i) ep.points[i] = edge->eval_position(params[i]);
    ep.points.front() = vertexPoint(edge->start(), params.front());
    ep.points.back() = vertexPoint(edge->end(), params.back());
}

std::vector<std::vector<BoundaryNode>> BodyFaceter::loopsOf(const FACE* face) {
    std::vector<LoopNodes> loops;
    for (LOOP* loop : loopsOfFace(face)) {
        LoopNodes nodes;
        for (COEDGE* c : model_walk::loopRing(loop->start())) {
            if (!c->edge()) continue;
            int index = edgePoints(c->edge());
            const EdgePoints& ep = edges_[index];
            int n = static_cast<int>(ep.points.size());
            bool forward = c->reversed() == false;
            if (n == 1) {
                nodes.push_back({ep.points[0], ep.ids.empty() ? -1 : ep.ids[0], index, 0, -1, true});
                continue;
            }
            for (int k = 0; k + 1 < n; ++k) {
                int i = forward ? k : n - 1 - k;
                int next = forward ? i + 1 : i - 1;
                nodes.push_back({ep.points[i], ep.ids.empty() ? -1 : ep.ids[i], index, i, next, i == 0 || i == n - 1});
            }
        }
        if (!nodes.empty()) loops.push_back(std::move(nodes));
    }
    return loops;
}

void BodyFaceter::numberNodes() {
    nodes_.clear();
    vertexIds_.clear();
    auto vertexId = [&](const VERTEX* v, const SPAposition& p) {
        auto found = vertexIds_.find(v);
        if (found != vertexIds_.end()) return found->second;
        int id = static_cast<int>(nodes_.size());
        nodes_.push_back(p);
        if (v) vertexIds_.emplace(v, id);
        return id;
    };
    for (EdgePoints& ep : edges_) {
        std::size_t n = ep.points.size();
        ep.ids.assign(n, -1);
        for (std::size_t i = 0; i < n; ++i) {
            if (i == 0) {
                ep.ids[i] = vertexId(ep.edge->start(), ep.points[i]);
            } else if (i == n - 1 && ep.edge->end()) {
                ep.ids[i] = vertexId(ep.edge->end(), ep.points[i]);
            } else {
                ep.ids[i] = static_cast<int>(nodes_.size());
                nodes_.push_back(ep.points[i]);
            }
        }
    }
}

void BodyFaceter::splitAtSeams(const FACE* face) {
    const SurfaceParam* surface = surfaceOf(face);
    if (!surface || (!surface->periodic(0) && !surface->periodic(1))) return;
    std::vector<LoopNodes> loops = loopsOf(face);
    FaceDomain domain(*surface, face->reversed(), loops);
    if (!domain.valid()) return;
    std::vector<std::pair<int, double>> splits;
    for (const FaceDomain::Crossing& crossing : domain.crossings()) {
        if (crossing.node < 0) continue;
        const BoundaryNode& node = loops[crossing.loop][crossing.node];
        if (node.edge < 0 || node.nextIndex < 0) continue;
        const EdgePoints& ep = edges_[node.edge];
        // Where along the edge the surface parameter reaches the seam's value.
        const int d = crossing.direction;
        double hint[2];
        surface->invert(node.p, hint[0], hint[1]);
        hint[d] = nearestPeriodic(hint[d], crossing.value, surface->period(d));
        auto offset = [&](double t) {
            double uv[2];
            surface->invert(ep.edge->eval_position(t), uv[0], uv[1], hint);
            return uv[d] - crossing.value;
        };
        double a = ep.params[node.index], b = ep.params[node.nextIndex];
        double fa = offset(a), fb = offset(b);
        if (!(fa * fb < 0)) continue;
        for (int i = 0; i < 60 && a != b; ++i) {
            double m = 0.5 * (a + b), fm = offset(m);
            if (fm == 0) {
                a = b = m;
                break;
            }
            if ((fm < 0) == (fa < 0)) {
                a = m;
                fa = fm;
            } else {
                b = m;
            }
        }
        splits.push_back({node.edge, 0.5 * (a + b)});
    }
    for (const auto& [index, t] : splits) {
        EdgePoints& ep = edges_[index];
        bool ascending = ep.params.back() >= ep.params.front();
        auto at = ascending ? std::lower_bound(ep.params.begin(), ep.params.end(), t)
                            : std::lower_bound(ep.params.begin(), ep.params.end(), t, std::greater<double>());
        if (at == ep.params.begin() || at == ep.params.end() || *at == t) continue;
        std::size_t i = static_cast<std::size_t>(at - ep.params.begin());
        ep.params.insert(at, t);
        ep.points.insert(ep.points.begin() + static_cast<std::ptrdiff_t>(i), ep.edge->eval_position(t));
    }
}

std::unique_ptr<POLYGON_POINT_MESH> BodyFaceter::mesh(const FACE* face) {
    const SurfaceParam* surface = surfaceOf(face);
    if (!surface) return nullptr;
    std::vector<LoopNodes> loops = loopsOf(face);
    FaceDomain domain(*surface, face->reversed(), loops);
    if (!domain.valid()) return nullptr;
    FaceMeshInput input;
    input.step = step_;
    input.surfaceTol = refinement_.surface_tol();
    input.grid = refinement_.grid_mode() != 0;
    input.maxGridLines = refinement_.max_grid_lines();
    FaceMeshOutput out;
    meshFace(domain, loops, input, static_cast<int>(nodes_.size()), out);
    if (out.triangles.empty()) return nullptr;
    // Counter-clockwise seen from outside: the (u, v) order, turned for a face on the
    // other side of its parameters and for a transform that mirrors.
    bool flip = domain.side() < 0;
    if (transform_) {
        const auto& a = transform_->a;
        double det = a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
                     a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
        if (det * transform_->scale < 0) flip = !flip;
    }
    double sense = face->reversed() ? -1.0 : 1.0;
    auto mesh = std::make_unique<POLYGON_POINT_MESH>();
    std::vector<SPAposition> points(3);
    std::vector<SPAvector> normals(3);
    for (std::size_t f = 0; f < out.triangles.size(); ++f) {
        const auto& t = out.triangles[f];
        const auto& uv = out.cornerUv[f];
        double centreU = (uv[0] + uv[2] + uv[4]) / 3, centreV = (uv[1] + uv[3] + uv[5]) / 3;
        for (int k = 0; k < 3; ++k) {
            int c = flip ? 2 - k : k;
            int i = t[c];
            SPAvector n = sense * surface->normalToward(uv[2 * c], uv[2 * c + 1], centreU, centreV);
            points[k] = transform_ ? transform_->apply(out.points[i]) : out.points[i];
            normals[k] = transform_ ? normalise(transform_->applyVector(n)) : n;
        }
        mesh->add_polygon(points, normals);
    }
    mesh->finish();
    return mesh;
}

std::map<const FACE*, std::unique_ptr<POLYGON_POINT_MESH>> BodyFaceter::run(const std::vector<FACE*>& faces) {
    for (const FACE* face : faces) loopsOf(face);  // divides every edge once
    numberNodes();
    for (const FACE* face : faces) splitAtSeams(face);
    numberNodes();
    std::map<const FACE*, std::unique_ptr<POLYGON_POINT_MESH>> meshes;
    for (const FACE* face : faces) {
        std::unique_ptr<POLYGON_POINT_MESH> m = mesh(face);
        if (m) meshes[face] = std::move(m);
    }
    return meshes;
}
