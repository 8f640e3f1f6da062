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

}  // namespace

bool meshFace(const FaceDomain& domain, const std::vector<LoopNodes>& loops, const FaceMeshInput& input,
              int firstFreeId, FaceMeshOutput& out) {
    const SurfaceParam& surface = domain.surface();
    const GridPlan plan = planGrid(domain, input);
    // The triangulation works where grid cells are squares: there the Delaunay shapes keep
    // a facet's corners apart in both directions, as the normal's turning asks.
    double cellScale[2];
    for (int d = 0; d < 2; ++d) {
        double span = plan.spacing[d] > 0 ? plan.spacing[d] : domain.high(d) - domain.low(d);
        cellScale[d] = 1.0 / span;
    }
    const double sx = cellScale[0], sy = cellScale[1];
    Triangulation tri(domain.low(0) * sx, domain.low(1) * sy, domain.high(0) * sx, domain.high(1) * sy);
    const double eps[2] = {1e-9 * (domain.high(0) - domain.low(0)), 1e-9 * (domain.high(1) - domain.low(1))};
    int nextId = firstFreeId;

    // Mesh points, by id; a point may sit at several places of the rectangle (both sides of
    // a seam, all along a pole line).
    std::unordered_map<int, int> pointOfId;
    auto point = [&](int id, const SPAposition& p, double u, double v) {
        auto found = pointOfId.find(id);
        if (found != pointOfId.end()) return found->second;
        int index = static_cast<int>(out.points.size());
        out.ids.push_back(id);
        out.points.push_back(p);
        out.u.push_back(u);
        out.v.push_back(v);
        pointOfId.emplace(id, index);
        return index;
    };
    std::vector<int> vertexPoint;
    std::vector<double> vertexU, vertexV;
    auto place = [&](double u, double v, int pointIndex) {
        int vertex = tri.add(u * sx, v * sy);
        if (vertex >= static_cast<int>(vertexPoint.size())) {
            vertexPoint.resize(vertex + 1, -1);
            vertexU.resize(vertex + 1, 0.0);
            vertexV.resize(vertex + 1, 0.0);
        }
        if (vertexPoint[vertex] < 0) {
            vertexPoint[vertex] = pointIndex;
            vertexU[vertex] = u;
            vertexV[vertex] = v;
        }
        return vertex;
    };

    // Rim points: one per spot of the seam (its two sides alike), one per collapsed side.
    int singularPoint[2][2] = {{-1, -1}, {-1, -1}};
    auto singularSide = [&](double u, double v, int& d, int& s) {
        const double x[2] = {u, v};
        for (d = 0; d < 2; ++d) {
            if (domain.singularLow(d) && std::fabs(x[d] - domain.low(d)) <= eps[d]) return s = 0, true;
            if (domain.singularHigh(d) && std::fabs(x[d] - domain.high(d)) <= eps[d]) return s = 1, true;
        }
        return false;
    };
    std::map<std::pair<std::int64_t, std::int64_t>, int> rimPoints;
    auto rimKey = [&](double u, double v) {
        if (domain.seamed(0) && std::fabs(u - domain.high(0)) <= eps[0]) u = domain.low(0);
        if (domain.seamed(1) && std::fabs(v - domain.high(1)) <= eps[1]) v = domain.low(1);
        return std::make_pair(tri.snapX(u * sx), tri.snapY(v * sy));
    };
    auto onSeam = [&](double u, double v) {
        return (domain.seamed(0) && (std::fabs(u - domain.low(0)) <= eps[0] || std::fabs(u - domain.high(0)) <= eps[0])) ||
               (domain.seamed(1) && (std::fabs(v - domain.low(1)) <= eps[1] || std::fabs(v - domain.high(1)) <= eps[1]));
    };
    auto rimPoint = [&](double u, double v) {
        int d, s;
        if (singularSide(u, v, d, s)) {
            int& index = singularPoint[d][s];
            if (index < 0) {
                double x = s == 0 ? domain.low(d) : domain.high(d);
                double across = 0.5 * (domain.low(1 - d) + domain.high(1 - d));
                index = point(nextId++, d == 0 ? surface.eval(x, across) : surface.eval(across, x),
                              d == 0 ? x : across, d == 0 ? across : x);
            }
            return index;
        }
        auto key = rimKey(u, v);
        auto found = rimPoints.find(key);
        if (found != rimPoints.end()) return found->second;
        double cu = u, cv = v;
        if (domain.seamed(0) && std::fabs(u - domain.high(0)) <= eps[0]) cu = domain.low(0);
        if (domain.seamed(1) && std::fabs(v - domain.high(1)) <= eps[1]) cv = domain.low(1);
        int index = point(nextId++, surface.eval(cu, cv), u, v);
        rimPoints.emplace(key, index);
        return index;
    };
    // The other side of a seam.
    auto partners = [&](double u, double v, int index) {
        const double x[2] = {u, v};
        for (int d = 0; d < 2; ++d) {
            if (!domain.seamed(d)) continue;
            double other = std::fabs(x[d] - domain.low(d)) <= eps[d]    ? domain.high(d)
                           : std::fabs(x[d] - domain.high(d)) <= eps[d] ? domain.low(d)
                                                                        : NAN;
            if (std::isnan(other)) continue;
            place(d == 0 ? other : u, d == 0 ? v : other, index);
        }
    };

    // Boundary points first (they name the poles and the seam points they lie on).
    struct Segment {
        int a, b;
    };
    std::vector<Segment> segments;
    std::vector<std::pair<double, double>> seamPoints;
    for (const FaceDomain::Piece& piece : domain.pieces()) {
        std::vector<int> vertices;
        for (const FaceDomain::Point& pt : piece.points) {
            int id = pt.node >= 0 ? loops[pt.loop][pt.node].id : -1;
            SPAposition p = pt.node >= 0 ? loops[pt.loop][pt.node].p : pt.p;
            int index;
            int d, s;
            if (singularSide(pt.u, pt.v, d, s)) {
                if (singularPoint[d][s] < 0) singularPoint[d][s] = point(id >= 0 ? id : nextId++, p, pt.u, pt.v);
                index = singularPoint[d][s];
            } else if (onSeam(pt.u, pt.v)) {
                auto key = rimKey(pt.u, pt.v);
                auto found = rimPoints.find(key);
                index = found != rimPoints.end() ? found->second : point(id >= 0 ? id : nextId++, p, pt.u, pt.v);
                rimPoints.emplace(key, index);
                seamPoints.push_back({pt.u, pt.v});
            } else {
                index = point(id >= 0 ? id : nextId++, p, pt.u, pt.v);
            }
            vertices.push_back(place(pt.u, pt.v, index));
        }
        for (std::size_t k = 0; k + 1 < vertices.size(); ++k) segments.push_back({vertices[k], vertices[k + 1]});
        if (piece.closed && vertices.size() > 2) segments.push_back({vertices.back(), vertices.front()});
    }
    // Corners, seam partners, and rim points where grid lines meet the rim.
    for (int corner = 0; corner < 4; ++corner) {
        double u = corner == 1 || corner == 2 ? domain.high(0) : domain.low(0);
        double v = corner >= 2 ? domain.high(1) : domain.low(1);
        int index = rimPoint(u, v);
        vertexPoint.resize(std::max<std::size_t>(vertexPoint.size(), 4), -1);
        vertexU.resize(vertexPoint.size(), 0.0);
        vertexV.resize(vertexPoint.size(), 0.0);
        if (vertexPoint[corner] < 0) {
            vertexPoint[corner] = index;
            vertexU[corner] = u;
            vertexV[corner] = v;
        }
    }
    for (const auto& sp : seamPoints) partners(sp.first, sp.second, rimPoints[rimKey(sp.first, sp.second)]);
    for (int d = 0; d < 2; ++d) {
        const int e = 1 - d;
        bool rims = domain.seamed(d) || domain.singularLow(d) || domain.singularHigh(d);
        if (!rims) continue;
        for (double y : plan.values[e]) {
            for (double x : {domain.low(d), domain.high(d)}) {
                double u = d == 0 ? x : y, v = d == 0 ? y : x;
                int ds, s;
                if (domain.seamed(d) || singularSide(u, v, ds, s)) place(u, v, rimPoint(u, v));
            }
        }
    }
    // Grid points well inside the face.
    std::vector<std::vector<std::pair<double, double>>> acrossV(plan.values[1].size());
    for (std::size_t j = 0; j < plan.values[1].size(); ++j) acrossV[j] = domain.insideAlong(1, plan.values[1][j]);
    for (double u : plan.values[0]) {
        std::vector<std::pair<double, double>> along = domain.insideAlong(0, u);
        for (std::size_t j = 0; j < plan.values[1].size(); ++j) {
            double v = plan.values[1][j];
            if (!within(along, v, 0.3 * plan.spacing[1]) || !within(acrossV[j], u, 0.3 * plan.spacing[0])) continue;
            place(u, v, point(nextId++, surface.eval(u, v), u, v));
        }
    }
    bool held = true;
    for (const Segment& s : segments)
        if (s.a != s.b && !tri.constrain(s.a, s.b, 1)) held = false;

    // Which triangles are in the face: sides change at every boundary edge; a seam joins
    // the triangles along its two sides.
    const auto& tris = tri.triangles();
    // across[t * 3 + k]: the edge (t' * 3 + k') on the other side of edge k of t.
    std::vector<int> across(tris.size() * 3, -1);
    for (std::size_t t = 0; t < tris.size(); ++t)
        for (int k = 0; k < 3; ++k) {
            int u = tris[t].n[k];
            if (u < 0) continue;
            for (int j = 0; j < 3; ++j)
                if (tris[u].n[j] == static_cast<int>(t)) across[t * 3 + k] = u * 3 + j;
        }
    std::int64_t maxX = tri.x(2), maxY = tri.y(2);
    std::map<std::tuple<int, std::int64_t, std::int64_t>, int> rimEdges[2];
    for (std::size_t t = 0; t < tris.size(); ++t)
        for (int k = 0; k < 3; ++k) {
            if (tris[t].n[k] >= 0) continue;
            int a = tris[t].v[(k + 1) % 3], b = tris[t].v[(k + 2) % 3];
            for (int d = 0; d < 2; ++d) {
                if (!domain.seamed(d)) continue;
                std::int64_t ca = d == 0 ? tri.x(a) : tri.y(a), cb = d == 0 ? tri.x(b) : tri.y(b);
                std::int64_t oa = d == 0 ? tri.y(a) : tri.x(a), ob = d == 0 ? tri.y(b) : tri.x(b);
                std::int64_t top = d == 0 ? maxX : maxY;
                int side = ca == 0 && cb == 0 ? 0 : ca == top && cb == top ? 1 : -1;
                if (side < 0) continue;
                rimEdges[side][{d, std::min(oa, ob), std::max(oa, ob)}] = static_cast<int>(t * 3 + k);
            }
        }
    for (const auto& [key, low] : rimEdges[0]) {
        auto high = rimEdges[1].find(key);
        if (high == rimEdges[1].end()) continue;
        across[low] = high->second;
        across[high->second] = low;
    }
    auto centreInside = [&](std::size_t t) {
        double u = 0, v = 0;
        for (int k = 0; k < 3; ++k) {
            u += vertexU[tris[t].v[k]] / 3;
            v += vertexV[tris[t].v[k]] / 3;
        }
        return domain.inside(u, v);
    };
    std::vector<signed char> in(tris.size(), -1);
    bool consistent = held;
    if (!tris.empty()) {
        // Start from a triangle well inside the rectangle's largest one.
        std::size_t seed = 0;
        std::int64_t bestArea = -1;
        for (std::size_t t = 0; t < tris.size(); ++t) {
            std::int64_t area = tri.orient(tris[t].v[0], tris[t].v[1], tris[t].v[2]);
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
    }
    // A boundary the triangulation could not hold (loops that cross, in damaged data) leaves
    // sides that contradict each other: then each triangle is asked on its own, as long as
    // that costs no more than a bounded amount of work; beyond it the walk's answer stays.
    std::size_t segmentCount = segments.size();
    if (!consistent && tris.size() * segmentCount <= kMostClassificationWork)
        for (std::size_t t = 0; t < tris.size(); ++t) in[t] = centreInside(t) ? 1 : 0;
    for (std::size_t t = 0; t < tris.size(); ++t) {
        if (in[t] != 1) continue;
        std::array<int, 3> corner;
        for (int k = 0; k < 3; ++k) corner[k] = vertexPoint[tris[t].v[k]];
        if (corner[0] < 0 || corner[1] < 0 || corner[2] < 0) continue;
        if (corner[0] == corner[1] || corner[1] == corner[2] || corner[0] == corner[2]) continue;
        const SPAposition &a = out.points[corner[0]], &b = out.points[corner[1]], &c = out.points[corner[2]];
        double area = length(cross(b - a, c - a));
        double size = distance(a, b) + distance(b, c) + distance(c, a);
        if (!(area > 1e-12 * size * size)) continue;
        out.triangles.push_back(corner);
        std::array<double, 6> uv;
        for (int k = 0; k < 3; ++k) {
            uv[2 * k] = vertexU[tris[t].v[k]];
            uv[2 * k + 1] = vertexV[tris[t].v[k]];
        }
        out.cornerUv.push_back(uv);
    }
    return held;
}
