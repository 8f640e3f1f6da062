// The constrained triangulation: insertion with Lawson flips, and segment recovery.
#include "Triangulation.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace {
constexpr std::int64_t kLattice = std::int64_t(1) << 26;
inline int nx(int i) { return i == 2 ? 0 : i + 1; }
inline int pv(int i) { return i == 0 ? 2 : i - 1; }
}  // namespace

Triangulation::Triangulation(double x0, double y0, double x1, double y1) : x0_(x0), y0_(y0) {
    double w = x1 - x0, h = y1 - y0;
    double extent = std::max(w, h);
    if (!(extent > 0) || !std::isfinite(extent)) extent = 1;
    // One scale for both axes keeps angles, and so the Delaunay shapes, as given.
    scaleX_ = scaleY_ = static_cast<double>(kLattice) / extent;
    std::int64_t X = snapX(x1), Y = snapY(y1);
    maxX_ = X = std::max<std::int64_t>(X, 1);
    maxY_ = Y = std::max<std::int64_t>(Y, 1);
    x_ = {0, X, X, 0};
    y_ = {0, 0, Y, Y};
    tris_.push_back({{0, 1, 2}, {-1, 1, -1}, {0, 0, 0}});
    tris_.push_back({{0, 2, 3}, {-1, -1, 0}, {0, 0, 0}});
    vertexTri_ = {0, 0, 0, 1};
}

std::int64_t Triangulation::snapX(double x) const {
    double s = std::round((x - x0_) * scaleX_);
    if (!(s >= 0)) s = 0;
    return std::min(static_cast<std::int64_t>(std::min(s, static_cast<double>(kLattice))), maxX_);
}
std::int64_t Triangulation::snapY(double y) const {
    double s = std::round((y - y0_) * scaleY_);
    if (!(s >= 0)) s = 0;
    return std::min(static_cast<std::int64_t>(std::min(s, static_cast<double>(kLattice))), maxY_);
}

std::int64_t Triangulation::orient(int a, int b, int c) const {
    return (x_[b] - x_[a]) * (y_[c] - y_[a]) - (y_[b] - y_[a]) * (x_[c] - x_[a]);
}

bool Triangulation::inCircle(int a, int b, int c, int d) const {
    // Rounded: it only chooses between two valid diagonals.
    double adx = static_cast<double>(x_[a] - x_[d]), ady = static_cast<double>(y_[a] - y_[d]);
    double bdx = static_cast<double>(x_[b] - x_[d]), bdy = static_cast<double>(y_[b] - y_[d]);
    double cdx = static_cast<double>(x_[c] - x_[d]), cdy = static_cast<double>(y_[c] - y_[d]);
    double det = (adx * adx + ady * ady) * (bdx * cdy - cdx * bdy) -
                      (bdx * bdx + bdy * bdy) * (adx * cdy - cdx * ady) +
                      (cdx * cdx + cdy * cdy) * (adx * bdy - bdx * ady);
    return det > 0;
}

void Triangulation::touch(int t) {
    for (int k = 0; k < 3; ++k) vertexTri_[tris_[t].v[k]] = t;
}

int Triangulation::locate(std::int64_t px, std::int64_t py) const {
    auto side = [&](int a, int b) { return (x_[b] - x_[a]) * (py - y_[a]) - (y_[b] - y_[a]) * (px - x_[a]); };
    int t = last_ < static_cast<int>(tris_.size()) ? last_ : 0;
    int start = 0;
    for (std::size_t steps = 0; steps < 4 * tris_.size() + 16; ++steps) {
        const Tri& tri = tris_[t];
        int moved = -1;
        for (int k = 0; k < 3; ++k) {
            int i = (start + k) % 3;
            if (side(tri.v[nx(i)], tri.v[pv(i)]) < 0 && tri.n[i] >= 0) {
                moved = tri.n[i];
                break;
            }
        }
        if (moved < 0) return last_ = t;
        t = moved;
        start = (start + 1) % 3;  // varying the order keeps the walk from circling
    }
    for (std::size_t i = 0; i < tris_.size(); ++i) {
        const Tri& tri = tris_[i];
        if (side(tri.v[0], tri.v[1]) >= 0 && side(tri.v[1], tri.v[2]) >= 0 && side(tri.v[2], tri.v[0]) >= 0)
            return last_ = static_cast<int>(i);
    }
    return last_ = 0;
}

int Triangulation::add(double x, double y) {
    std::int64_t px = snapX(x), py = snapY(y);
    int t = locate(px, py);
    for (int k = 0; k < 3; ++k)
        if (x_[tris_[t].v[k]] == px && y_[tris_[t].v[k]] == py) return tris_[t].v[k];
    x_.push_back(px);
    y_.push_back(py);
    vertexTri_.push_back(t);
    return insertAt(static_cast<int>(x_.size()) - 1, t);
}

int Triangulation::insertAt(int p, int t) {
    Tri tri = tris_[t];
    std::int64_t o[3];
    for (int i = 0; i < 3; ++i) o[i] = orient(tri.v[nx(i)], tri.v[pv(i)], p);
    std::vector<std::pair<int, int>> stack;
    int onEdge = -1;
    for (int i = 0; i < 3; ++i)
        if (o[i] == 0) onEdge = i;
    if (onEdge < 0) {
        // Inside: three triangles around p.
        int a = tri.v[0], b = tri.v[1], c = tri.v[2];
        int t1 = static_cast<int>(tris_.size()), t2 = t1 + 1;
        tris_[t] = {{p, b, c}, {tri.n[0], t1, t2}, {tri.tag[0], 0, 0}};
        tris_.push_back({{p, c, a}, {tri.n[1], t2, t}, {tri.tag[1], 0, 0}});
        tris_.push_back({{p, a, b}, {tri.n[2], t, t1}, {tri.tag[2], 0, 0}});
        int outer[3] = {tri.n[0], tri.n[1], tri.n[2]};
        int mine[3] = {t, t1, t2};
        for (int k = 0; k < 3; ++k) {
            if (outer[k] < 0) continue;
            Tri& o2 = tris_[outer[k]];
            for (int j = 0; j < 3; ++j)
                if (o2.n[j] == t) o2.n[j] = mine[k];
        }
        for (int m : mine) {
            touch(m);
            stack.push_back({m, 0});
        }
    } else {
        // On the edge opposite v[i]: split this triangle and the one across.
        int i = onEdge;
        int a = tri.v[i], b = tri.v[nx(i)], c = tri.v[pv(i)];  // edge b-c
        int u = tri.n[i];
        int tagBC = tri.tag[i];
        int t1 = static_cast<int>(tris_.size());
        tris_[t] = {{p, c, a}, {tri.n[nx(i)], t1, -1}, {tri.tag[nx(i)], 0, tagBC}};
        tris_.push_back({{p, a, b}, {tri.n[pv(i)], -1, t}, {tri.tag[pv(i)], tagBC, 0}});
        if (tri.n[pv(i)] >= 0)
            for (int j = 0; j < 3; ++j)
                if (tris_[tri.n[pv(i)]].n[j] == t) tris_[tri.n[pv(i)]].n[j] = t1;
        touch(t);
        touch(t1);
        stack.push_back({t, 0});
        stack.push_back({t1, 0});
        if (u >= 0) {
            Tri ut = tris_[u];
            int j = 0;
            while (j < 2 && ut.n[j] != t) ++j;  // the neighbours are mutual: j finds t
            int d = ut.v[j];  // across: edge c-b seen from u
            int u1 = static_cast<int>(tris_.size());
            // u = (d, c, b): split into (p, b, d) and (p, d, c).
            tris_[u] = {{p, b, d}, {ut.n[nx(j)], u1, t1}, {ut.tag[nx(j)], 0, tagBC}};
            tris_.push_back({{p, d, c}, {ut.n[pv(j)], t, u}, {ut.tag[pv(j)], tagBC, 0}});
            if (ut.n[pv(j)] >= 0)
                for (int k = 0; k < 3; ++k)
                    if (tris_[ut.n[pv(j)]].n[k] == u) tris_[ut.n[pv(j)]].n[k] = u1;
            tris_[t].n[2] = u1;
            tris_[t1].n[1] = u;
            touch(u);
            touch(u1);
            stack.push_back({u, 0});
            stack.push_back({u1, 0});
        }
    }
    legalize(stack);
    return p;
}

void Triangulation::legalize(std::vector<std::pair<int, int>>& stack) {
    // Each entry: a triangle whose edge opposite v[i] (its vertex p) may need a flip.
    std::size_t budget = 64 * tris_.size() + 1024;
    while (!stack.empty() && budget-- > 0) {
        auto [t, i] = stack.back();
        stack.pop_back();
        const Tri& tri = tris_[t];
        int u = tri.n[i];
        if (u < 0 || tri.tag[i]) continue;
        const Tri& ut = tris_[u];
        int j = 0;
        while (j < 3 && ut.n[j] != t) ++j;
        if (j == 3) continue;
        int p = tri.v[i], q = tri.v[nx(i)], r = tri.v[pv(i)], s = ut.v[j];
        if (!inCircle(p, q, r, s)) continue;
        // Only a strictly convex quadrilateral may be flipped.
        if (orient(p, q, s) <= 0 || orient(p, s, r) <= 0) continue;
        flip(t, i);
        // After the flip t = (p, q, s) and u = (p, s, r): their far edges face p.
        stack.push_back({t, 0});
        stack.push_back({u, 0});
    }
}

void Triangulation::flip(int t, int i) {
    Tri T = tris_[t];
    int u = T.n[i];
    Tri U = tris_[u];
    int j = 0;
    while (j < 2 && U.n[j] != t) ++j;
    int p = T.v[i], q = T.v[nx(i)], r = T.v[pv(i)], s = U.v[j];
    int A = T.n[nx(i)], B = T.n[pv(i)], C = U.n[nx(j)], D = U.n[pv(j)];
    int tagA = T.tag[nx(i)], tagB = T.tag[pv(i)], tagC = U.tag[nx(j)], tagD = U.tag[pv(j)];
    tris_[t] = {{p, q, s}, {C, u, B}, {tagC, 0, tagB}};
    tris_[u] = {{p, s, r}, {D, A, t}, {tagD, tagA, 0}};
    if (C >= 0)
        for (int k = 0; k < 3; ++k)
            if (tris_[C].n[k] == u) tris_[C].n[k] = t;
    if (A >= 0)
        for (int k = 0; k < 3; ++k)
            if (tris_[A].n[k] == t) tris_[A].n[k] = u;
    touch(t);
    touch(u);
}

bool Triangulation::findEdge(int a, int b, int& t, int& i) const {
    // Around a in both directions from a triangle that holds it.
    int start = vertexTri_[a];
    for (int direction = 0; direction < 2; ++direction) {
        int cur = start;
        for (std::size_t steps = 0; cur >= 0 && steps < tris_.size(); ++steps) {
            const Tri& tri = tris_[cur];
            int k = 0;
            while (k < 3 && tri.v[k] != a) ++k;
            if (k == 3) break;
            if (tri.v[nx(k)] == b) {
                t = cur;
                i = pv(k);
                return true;
            }
            if (tri.v[pv(k)] == b) {
                t = cur;
                i = nx(k);
                return true;
            }
            cur = direction == 0 ? tri.n[nx(k)] : tri.n[pv(k)];
            if (cur == start) break;
        }
    }
    return false;
}

bool Triangulation::crosses(int a, int b, int p, int q) const {
    std::int64_t o1 = orient(a, b, p), o2 = orient(a, b, q);
    std::int64_t o3 = orient(p, q, a), o4 = orient(p, q, b);
    return ((o1 > 0 && o2 < 0) || (o1 < 0 && o2 > 0)) && ((o3 > 0 && o4 < 0) || (o3 < 0 && o4 > 0));
}

void Triangulation::setTag(int t, int i, int tag) {
    tris_[t].tag[i] = tag;
    int u = tris_[t].n[i];
    if (u < 0) return;
    for (int k = 0; k < 3; ++k)
        if (tris_[u].n[k] == t) tris_[u].tag[k] = tag;
}

bool Triangulation::constrain(int a, int b, int tag) {
    for (int guard = 0; guard < 100000 && a != b; ++guard) {
        int t, i;
        if (findEdge(a, b, t, i)) {
            setTag(t, i, tag);
            return true;
        }
        // The fan of a: find the triangle whose far edge the segment crosses, or a vertex
        // lying on the segment (then the segment is forced in two parts).
        int cur = vertexTri_[a], hit = -1, onLine = -1;
        for (int direction = 0; direction < 2 && hit < 0 && onLine < 0; ++direction) {
            int c = cur;
            for (std::size_t steps = 0; c >= 0 && steps < tris_.size(); ++steps) {
                const Tri& tri = tris_[c];
                int k = 0;
                while (k < 3 && tri.v[k] != a) ++k;
                if (k == 3) break;
                int q = tri.v[nx(k)], r = tri.v[pv(k)];
                for (int w : {q, r}) {
                    if (orient(a, b, w) == 0) {
                        // On the line through a and b, and on the way to b.
                        std::int64_t along = (x_[w] - x_[a]) * (x_[b] - x_[a]) + (y_[w] - y_[a]) * (y_[b] - y_[a]);
                        if (along > 0) onLine = w;
                    }
                }
                if (onLine >= 0) break;
                if (orient(a, q, b) > 0 && orient(a, b, r) > 0) {
                    hit = c;
                    break;
                }
                c = direction == 0 ? tri.n[nx(k)] : tri.n[pv(k)];
                if (c == cur) break;
            }
        }
        if (onLine >= 0) {
            if (!constrain(a, onLine, tag)) return false;
            a = onLine;
            continue;
        }
        if (hit < 0) return false;
        // Walk along a->b collecting the edges it crosses; stop at a vertex on the segment.
        std::deque<std::pair<int, int>> crossing;
        int c = hit, stopAt = -1;
        {
            const Tri& tri = tris_[c];
            int k = 0;
            while (tri.v[k] != a) ++k;
            crossing.push_back({tri.v[nx(k)], tri.v[pv(k)]});
            int from = c;
            c = tri.n[k];
            for (std::size_t steps = 0; c >= 0 && steps < tris_.size(); ++steps) {
                const Tri& cur2 = tris_[c];
                int j = 0;
                while (j < 3 && cur2.n[j] != from) ++j;
                if (j == 3) return false;
                int w = cur2.v[j];
                if (w == b) break;
                std::int64_t ow = orient(a, b, w);
                if (ow == 0) {
                    stopAt = w;
                    break;
                }
                // Leave through the edge joining w to the entry vertex on the line's other side.
                int vn = cur2.v[nx(j)], vp = cur2.v[pv(j)];
                bool wLeft = ow > 0, vnRight = orient(a, b, vn) < 0;
                int other = wLeft == vnRight ? vn : vp;
                int exit = other == vn ? pv(j) : nx(j);  // the edge opposite the remaining vertex
                crossing.push_back({w, other});
                from = c;
                c = cur2.n[exit];
            }
            if (c < 0) return false;
        }
        if (stopAt >= 0) {
            // Force the part up to the vertex, then go on from there.
            if (!constrain(a, stopAt, tag)) return false;
            a = stopAt;
            continue;
        }
        std::size_t budget = 50 * crossing.size() + 1000;
        while (!crossing.empty() && budget-- > 0) {
            auto [p, q] = crossing.front();
            crossing.pop_front();
            int tt, ii;
            if (!findEdge(p, q, tt, ii)) continue;
            if (tris_[tt].tag[ii]) return false;  // another forced segment is in the way
            int u = tris_[tt].n[ii];
            if (u < 0) return false;
            int j = 0;
            while (j < 2 && tris_[u].n[j] != tt) ++j;
            int o = tris_[tt].v[ii], s = tris_[u].v[j];
            int q2 = tris_[tt].v[nx(ii)], r2 = tris_[tt].v[pv(ii)];
            if (orient(o, q2, s) <= 0 || orient(o, s, r2) <= 0) {
                crossing.push_back({p, q});
                continue;
            }
            flip(tt, ii);
            if (crosses(a, b, o, s)) crossing.push_back({o, s});
        }
        if (!crossing.empty()) return false;
    }
    return a == b;
}
