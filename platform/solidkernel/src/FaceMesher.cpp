// Meshing a face: the grid plan, the points of the triangulation, and which triangles lie
// in the face (a walk that changes sides at every boundary edge, across seams too).
#include "FaceMesher.h"

#include "Triangulation.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <map>
#include <unordered_map>

namespace {

// Spans of a grid direction the normal tolerance may ask for at most (a whole turn at the
// finest tolerance the display asks for takes 180).
constexpr int kMostGridSpans = 400;
// Triangles times boundary segments a face may spend on deciding sides one by one.
constexpr std::size_t kMostClassificationWork = 20000000;

struct GridPlan {
    std::vector<double> values[2];
    double spacing[2] = {0, 0};
};

// Grid lines of each direction: as many as the normal's turning and the surface tolerance
// ask for along the face's covered range.
GridPlan planGrid(const FaceDomain& domain, const FaceMeshInput& input) {
    const SurfaceParam& surface = domain.surface();
    GridPlan plan;
    const int samples = surface.kind() == SurfaceParam::kSpline ? 33 : 17;
    for (int d = 0; d < 2; ++d) {
        const int e = 1 - d;
        double lo = domain.coveredLow(d), hi = domain.coveredHigh(d);
        double turn = 0, length = 0;
        for (double f : {0.2, 0.5, 0.8}) {
            double across = domain.coveredLow(e) + f * (domain.coveredHigh(e) - domain.coveredLow(e));
            double lineTurn = 0, lineLength = 0;
            SPAvector lastNormal;
            SPAposition lastPoint;
            for (int k = 0; k < samples; ++k) {
                double x = lo + (hi - lo) * k / (samples - 1);
                double u = d == 0 ? x : across, v = d == 0 ? across : x;
                SPAvector n = surface.normal(u, v);
                SPAposition p = surface.eval(u, v);
                if (k > 0) {
                    lineTurn += std::acos(std::max(-1.0, std::min(1.0, dot(n, lastNormal))));
                    lineLength += distance(p, lastPoint);
                }
                lastNormal = n;
                lastPoint = p;
            }
            if (std::isfinite(lineTurn)) turn = std::max(turn, lineTurn);
            if (std::isfinite(lineLength)) length = std::max(length, lineLength);
        }
        // The normal tolerance is always met (up to a hard limit); the grid-line limit bounds
        // what the surface tolerance asks for.
        double forNormals = std::min(std::ceil(turn / input.step - 1e-9), static_cast<double>(kMostGridSpans));
        double forDistance = input.surfaceTol > 0 ? std::ceil(std::sqrt(turn * length / (8 * input.surfaceTol))) : 0.0;
        forDistance = std::min(forDistance, static_cast<double>(std::max(0, input.maxGridLines) + 1));
        int n = static_cast<int>(std::max(1.0, std::max(forNormals, forDistance)));
        if (!input.grid) n = 1;
        bool full = domain.seamed(d) && domain.coversPeriod(d);
        if (full) {
            lo = domain.low(d);
            hi = domain.high(d);
        }
        plan.spacing[d] = (hi - lo) / n;
        for (int i = 1; i < n; ++i) plan.values[d].push_back(lo + (hi - lo) * i / n);
    }
    return plan;
}

bool within(const std::vector<std::pair<double, double>>& stretches, double x, double margin) {
    for (const auto& s : stretches)
        if (x >= s.first + margin && x <= s.second - margin) return true;
    return false;
}

// The points, segments and triangles of one face's mesh, step by step.
class FaceMeshBuilder {
public:
    FaceMeshBuilder(const FaceDomain& domain, const std::vector<LoopNodes>& loops, const FaceMeshInput& input,
                    int firstFreeId, FaceMeshOutput& out)
        : domain_(domain), surface_(domain.surface()), loops_(loops), plan_(planGrid(domain, input)),
          scale_{cellScale(0), cellScale(1)},
          tri_(domain.low(0) * scale_[0], domain.low(1) * scale_[1], domain.high(0) * scale_[0], domain.high(1) * scale_[1]),
          eps_{1e-9 * (domain.high(0) - domain.low(0)), 1e-9 * (domain.high(1) - domain.low(1))},
          nextId_(firstFreeId), out_(out) {}

    bool build() {
        placeBoundary();
        placeRims();
        placeGrid();
        bool held = true;
        for (const Segment& s : segments_)
            if (s.a != s.b && !tri_.constrain(s.a, s.b, 1)) held = false;
        std::vector<signed char> in = classify(held);
        emit(in);
        return held;
    }

private:
    struct Segment {
        int a, b;
    };

    // The triangulation works where grid cells are squares: there the Delaunay shapes keep
    // a facet's corners apart in both directions, as the normal's turning asks.
    double cellScale(int d) const {
        double span = plan_.spacing[d] > 0 ? plan_.spacing[d] : domain_.high(d) - domain_.low(d);
        return 1.0 / span;
    }

    // A mesh point by id; a point may sit at several places of the rectangle (both sides of
    // a seam, all along a pole line).
    int point(int id, const SPAposition& p, double u, double v) {
        auto found = pointOfId_.find(id);
        if (found != pointOfId_.end()) return found->second;
        int index = static_cast<int>(out_.points.size());
        out_.ids.push_back(id);
        out_.points.push_back(p);
        out_.u.push_back(u);
        out_.v.push_back(v);
        pointOfId_.emplace(id, index);
        return index;
    }

    // A vertex of the triangulation at (u, v) standing for a mesh point.
    int place(double u, double v, int pointIndex) {
        int vertex = tri_.add(u * scale_[0], v * scale_[1]);
        if (vertex >= static_cast<int>(vertexPoint_.size())) {
            vertexPoint_.resize(vertex + 1, -1);
            vertexU_.resize(vertex + 1, 0.0);
            vertexV_.resize(vertex + 1, 0.0);
        }
        if (vertexPoint_[vertex] < 0) {
            vertexPoint_[vertex] = pointIndex;
            vertexU_[vertex] = u;
            vertexV_[vertex] = v;
        }
        return vertex;
    }

    bool singularSide(double u, double v, int& d, int& s) const {
        const double x[2] = {u, v};
        for (d = 0; d < 2; ++d) {
            if (domain_.singularLow(d) && std::fabs(x[d] - domain_.low(d)) <= eps_[d]) return s = 0, true;
            if (domain_.singularHigh(d) && std::fabs(x[d] - domain_.high(d)) <= eps_[d]) return s = 1, true;
        }
        return false;
    }

    bool onSeam(double u, double v) const {
        const double x[2] = {u, v};
        for (int d = 0; d < 2; ++d)
            if (domain_.seamed(d) && (std::fabs(x[d] - domain_.low(d)) <= eps_[d] || std::fabs(x[d] - domain_.high(d)) <= eps_[d]))
                return true;
        return false;
    }

    // A seam's two sides are one place of the surface: the low side's coordinates name it.
    void toLowSide(double& u, double& v) const {
        if (domain_.seamed(0) && std::fabs(u - domain_.high(0)) <= eps_[0]) u = domain_.low(0);
        if (domain_.seamed(1) && std::fabs(v - domain_.high(1)) <= eps_[1]) v = domain_.low(1);
    }
    std::pair<std::int64_t, std::int64_t> rimKey(double u, double v) const {
        toLowSide(u, v);
        return {tri_.snapX(u * scale_[0]), tri_.snapY(v * scale_[1])};
    }

    // The mesh point of a place on the rim: one per spot of a seam, one per collapsed side.
    int rimPoint(double u, double v) {
        int d, s;
        if (singularSide(u, v, d, s)) {
            int& index = singularPoint_[d][s];
            if (index < 0) {
                double x = s == 0 ? domain_.low(d) : domain_.high(d);
                double across = 0.5 * (domain_.low(1 - d) + domain_.high(1 - d));
                index = point(nextId_++, d == 0 ? surface_.eval(x, across) : surface_.eval(across, x),
                              d == 0 ? x : across, d == 0 ? across : x);
            }
            return index;
        }
        auto key = rimKey(u, v);
        auto found = rimPoints_.find(key);
        if (found != rimPoints_.end()) return found->second;
        double cu = u, cv = v;
        toLowSide(cu, cv);
        int index = point(nextId_++, surface_.eval(cu, cv), u, v);
        rimPoints_.emplace(key, index);
        return index;
    }

    // Boundary points first: they name the poles and the seam places they lie on.
    void placeBoundary() {
        for (const FaceDomain::Piece& piece : domain_.pieces()) {
            std::vector<int> vertices;
            for (const FaceDomain::Point& pt : piece.points) {
                int id = pt.node >= 0 ? loops_[pt.loop][pt.node].id : -1;
                SPAposition p = pt.node >= 0 ? loops_[pt.loop][pt.node].p : pt.p;
                int index, d, s;
                if (singularSide(pt.u, pt.v, d, s)) {
                    if (singularPoint_[d][s] < 0) singularPoint_[d][s] = point(id >= 0 ? id : nextId_++, p, pt.u, pt.v);
                    index = singularPoint_[d][s];
                } else if (onSeam(pt.u, pt.v)) {
                    auto key = rimKey(pt.u, pt.v);
                    auto found = rimPoints_.find(key);
                    index = found != rimPoints_.end() ? found->second : point(id >= 0 ? id : nextId_++, p, pt.u, pt.v);
                    rimPoints_.emplace(key, index);
                    seamPoints_.push_back({pt.u, pt.v});
                } else {
                    index = point(id >= 0 ? id : nextId_++, p, pt.u, pt.v);
                }
                vertices.push_back(place(pt.u, pt.v, index));
            }
            for (std::size_t k = 0; k + 1 < vertices.size(); ++k) segments_.push_back({vertices[k], vertices[k + 1]});
            if (piece.closed && vertices.size() > 2) segments_.push_back({vertices.back(), vertices.front()});
        }
    }

    // Corners, the other side of seam points, and rim points where grid lines meet the rim.
    void placeRims() {
        for (int corner = 0; corner < 4; ++corner) {
            double u = corner == 1 || corner == 2 ? domain_.high(0) : domain_.low(0);
            double v = corner >= 2 ? domain_.high(1) : domain_.low(1);
            int index = rimPoint(u, v);
            vertexPoint_.resize(std::max<std::size_t>(vertexPoint_.size(), 4), -1);
            vertexU_.resize(vertexPoint_.size(), 0.0);
            vertexV_.resize(vertexPoint_.size(), 0.0);
            if (vertexPoint_[corner] < 0) {
                vertexPoint_[corner] = index;
                vertexU_[corner] = u;
                vertexV_[corner] = v;
            }
        }
        for (const auto& sp : seamPoints_) {
            int index = rimPoints_[rimKey(sp.first, sp.second)];
            const double x[2] = {sp.first, sp.second};
            for (int d = 0; d < 2; ++d) {
                if (!domain_.seamed(d)) continue;
                double other = std::fabs(x[d] - domain_.low(d)) <= eps_[d]    ? domain_.high(d)
                               : std::fabs(x[d] - domain_.high(d)) <= eps_[d] ? domain_.low(d)
                                                                              : NAN;
                if (!std::isnan(other)) place(d == 0 ? other : x[0], d == 0 ? x[1] : other, index);
            }
        }
        for (int d = 0; d < 2; ++d) {
            if (!domain_.seamed(d) && !domain_.singularLow(d) && !domain_.singularHigh(d)) continue;
            for (double y : plan_.values[1 - d])
                for (double x : {domain_.low(d), domain_.high(d)}) {
                    double u = d == 0 ? x : y, v = d == 0 ? y : x;
                    int ds, s;
                    if (domain_.seamed(d) || singularSide(u, v, ds, s)) place(u, v, rimPoint(u, v));
                }
        }
    }

    // Grid points well inside the face, clear of its boundary along both grid lines.
    void placeGrid() {
        std::vector<std::vector<std::pair<double, double>>> acrossV(plan_.values[1].size());
        for (std::size_t j = 0; j < plan_.values[1].size(); ++j) acrossV[j] = domain_.insideAlong(1, plan_.values[1][j]);
        for (double u : plan_.values[0]) {
            std::vector<std::pair<double, double>> along = domain_.insideAlong(0, u);
            for (std::size_t j = 0; j < plan_.values[1].size(); ++j) {
                double v = plan_.values[1][j];
                if (!within(along, v, 0.3 * plan_.spacing[1]) || !within(acrossV[j], u, 0.3 * plan_.spacing[0])) continue;
                place(u, v, point(nextId_++, surface_.eval(u, v), u, v));
            }
        }
    }

    bool centreInside(std::size_t t) const {
        const auto& tri = tri_.triangles()[t];
        double u = 0, v = 0;
        for (int k = 0; k < 3; ++k) {
            u += vertexU_[tri.v[k]] / 3;
            v += vertexV_[tri.v[k]] / 3;
        }
        return domain_.inside(u, v);
    }

    // across[t * 3 + k]: the edge (t' * 3 + k') on the other side of edge k of triangle t,
    // across a seam too (the triangles along its two sides).
    std::vector<int> neighbours() const {
        const auto& tris = tri_.triangles();
        std::vector<int> across(tris.size() * 3, -1);
        for (std::size_t t = 0; t < tris.size(); ++t)
            for (int k = 0; k < 3; ++k) {
                int u = tris[t].n[k];
                if (u < 0) continue;
                for (int j = 0; j < 3; ++j)
                    if (tris[u].n[j] == static_cast<int>(t)) across[t * 3 + k] = u * 3 + j;
            }
        std::map<std::tuple<int, std::int64_t, std::int64_t>, int> rimEdges[2];
        for (std::size_t t = 0; t < tris.size(); ++t)
            for (int k = 0; k < 3; ++k) {
                if (tris[t].n[k] >= 0) continue;
                int a = tris[t].v[(k + 1) % 3], b = tris[t].v[(k + 2) % 3];
                for (int d = 0; d < 2; ++d) {
                    if (!domain_.seamed(d)) continue;
                    std::int64_t ca = d == 0 ? tri_.x(a) : tri_.y(a), cb = d == 0 ? tri_.x(b) : tri_.y(b);
                    std::int64_t oa = d == 0 ? tri_.y(a) : tri_.x(a), ob = d == 0 ? tri_.y(b) : tri_.x(b);
                    std::int64_t top = d == 0 ? tri_.x(2) : tri_.y(2);
                    int side = ca == 0 && cb == 0 ? 0 : ca == top && cb == top ? 1 : -1;
                    if (side >= 0) rimEdges[side][{d, std::min(oa, ob), std::max(oa, ob)}] = static_cast<int>(t * 3 + k);
                }
            }
        for (const auto& [key, low] : rimEdges[0]) {
            auto high = rimEdges[1].find(key);
            if (high == rimEdges[1].end()) continue;
            across[low] = high->second;
            across[high->second] = low;
        }
        return across;
    }

    // Which triangles are in the face: a walk from one triangle whose side is asked of the
    // domain, changing sides at every boundary edge.
    std::vector<signed char> classify(bool held) const {
        const auto& tris = tri_.triangles();
        std::vector<signed char> in(tris.size(), -1);
        if (tris.empty()) return in;
        std::vector<int> across = neighbours();
        bool consistent = held;
        std::size_t seed = 0;  // the largest triangle: its centre is far from any boundary
        std::int64_t bestArea = -1;
        for (std::size_t t = 0; t < tris.size(); ++t) {
            std::int64_t area = tri_.orient(tris[t].v[0], tris[t].v[1], tris[t].v[2]);
            if (area > bestArea) {
                bestArea = area;
                seed = t;
            }
        }
        in[seed] = centreInside(seed) ? 1 : 0;
        std::deque<std::size_t> queue{seed};
        while (!queue.empty()) {
            std::size_t t = queue.front();
            queue.pop_front();
            for (int k = 0; k < 3; ++k) {
                int edge = across[t * 3 + k];
                if (edge < 0) continue;
                int u = edge / 3;
                // Boundary edges change sides; a seam's two rims may each be one.
                bool rim = tris[t].n[k] < 0;
                int flips = (tris[t].tag[k] ? 1 : 0) + (rim && tris[u].tag[edge % 3] ? 1 : 0);
                signed char state = flips % 2 ? 1 - in[t] : in[t];
                if (in[u] < 0) {
                    in[u] = state;
                    queue.push_back(static_cast<std::size_t>(u));
                } else if (in[u] != state) {
                    consistent = false;
                }
            }
        }
        // A boundary the triangulation could not hold (loops that cross, in damaged data)
        // leaves sides that contradict each other: then each triangle is asked on its own,
        // as long as that costs no more than a bounded amount of work; beyond it the walk's
        // answer stays.
        if (!consistent && tris.size() * segments_.size() <= kMostClassificationWork)
            for (std::size_t t = 0; t < tris.size(); ++t) in[t] = centreInside(t) ? 1 : 0;
        return in;
    }

    // The triangles in the face that are triangles in space too.
    void emit(const std::vector<signed char>& in) {
        const auto& tris = tri_.triangles();
        for (std::size_t t = 0; t < tris.size(); ++t) {
            if (in[t] != 1) continue;
            std::array<int, 3> corner;
            for (int k = 0; k < 3; ++k) corner[k] = vertexPoint_[tris[t].v[k]];
            if (corner[0] < 0 || corner[1] < 0 || corner[2] < 0) continue;
            if (corner[0] == corner[1] || corner[1] == corner[2] || corner[0] == corner[2]) continue;
            const SPAposition &a = out_.points[corner[0]], &b = out_.points[corner[1]], &c = out_.points[corner[2]];
            double area = length(cross(b - a, c - a));
            double size = distance(a, b) + distance(b, c) + distance(c, a);
            if (!(area > 1e-12 * size * size)) continue;
            out_.triangles.push_back(corner);
            std::array<double, 6> uv;
            for (int k = 0; k < 3; ++k) {
                uv[2 * k] = vertexU_[tris[t].v[k]];
                uv[2 * k + 1] = vertexV_[tris[t].v[k]];
            }
            out_.cornerUv.push_back(uv);
        }
    }

    const FaceDomain& domain_;
    const SurfaceParam& surface_;
    const std::vector<LoopNodes>& loops_;
    const GridPlan plan_;
    const double scale_[2];
    Triangulation tri_;
    const double eps_[2];
    int nextId_;
    FaceMeshOutput& out_;
    std::unordered_map<int, int> pointOfId_;
    std::vector<int> vertexPoint_;
    std::vector<double> vertexU_, vertexV_;
    int singularPoint_[2][2] = {{-1, -1}, {-1, -1}};
    std::map<std::pair<std::int64_t, std::int64_t>, int> rimPoints_;
    std::vector<std::pair<double, double>> seamPoints_;
    std::vector<Segment> segments_;
};

}  // namespace

bool meshFace(const FaceDomain& domain, const std::vector<LoopNodes>& loops, const FaceMeshInput& input,
              int firstFreeId, FaceMeshOutput& out) {
    return FaceMeshBuilder(domain, loops, input, firstFreeId, out).build();
}
