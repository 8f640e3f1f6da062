// The face domain: loops into the parameter plane (unwrapped, poles opened into lines), the
// rectangle and its seams, the cut into pieces, and membership by counting crossings.
#include "FaceDomain.h"

#include "solidkernel/tolerance.h"

#include <algorithm>
#include <cmath>

namespace {

bool finitePoint(double u, double v) { return std::isfinite(u) && std::isfinite(v); }

// Proper crossing of segments p-q and a-b (touching ends do not count).
bool segmentsCross(double px, double py, double qx, double qy, double ax, double ay, double bx, double by) {
    auto side = [](double x0, double y0, double x1, double y1, double x, double y) {
        return (x1 - x0) * (y - y0) - (y1 - y0) * (x - x0);
    };
    double s1 = side(px, py, qx, qy, ax, ay), s2 = side(px, py, qx, qy, bx, by);
    double s3 = side(ax, ay, bx, by, px, py), s4 = side(ax, ay, bx, by, qx, qy);
    return ((s1 > 0 && s2 < 0) || (s1 < 0 && s2 > 0)) && ((s3 > 0 && s4 < 0) || (s3 < 0 && s4 > 0));
}

}  // namespace

FaceDomain::FaceDomain(const SurfaceParam& surface, bool faceReversed, const std::vector<LoopNodes>& loops)
    : surface_(surface) {
    side_ = surface.uvSign() * (faceReversed ? -1 : 1);
    // Nodes on a line that collapses to a point (a pole, an apex) have no value across it.
    double tolerance = std::max(SPAresabs, 1e-9 * surface_.size());
    std::vector<std::vector<int>> singularDir(loops.size());
    std::vector<std::vector<double>> singularValue(loops.size());
    for (std::size_t i = 0; i < loops.size(); ++i) {
        singularDir[i].assign(loops[i].size(), -1);
        singularValue[i].assign(loops[i].size(), 0.0);
    }
    for (int d = 0; d < 2; ++d)
        for (double s : surface_.singular(d)) {
            double across = surface_.bounded(1 - d) ? 0.5 * (surface_.low(1 - d) + surface_.high(1 - d)) : 0.0;
            SPAposition point = d == 0 ? surface_.eval(s, across) : surface_.eval(across, s);
            for (std::size_t i = 0; i < loops.size(); ++i)
                for (std::size_t k = 0; k < loops[i].size(); ++k)
                    if (distance(loops[i][k].p, point) <= tolerance) {
                        singularDir[i][k] = d;
                        singularValue[i][k] = s;
                        touched_[d].push_back(s);
                    }
        }
    std::vector<std::vector<Uv>> uvLoops;
    for (std::size_t i = 0; i < loops.size(); ++i) {
        std::vector<Uv> uv;
        if (!unwrapLoop(loops[i], static_cast<int>(i), singularDir[i], singularValue[i], uv)) return;
        if (uv.size() >= 2) uvLoops.push_back(std::move(uv));
    }
    whole_ = uvLoops.empty();
    // A periodic direction whose collapsed line the face reaches is not cut at a seam: the
    // face lies to one side of that line, and its loops are brought next to it.
    for (int d = 0; d < 2; ++d) {
        if (!surface_.periodic(d) || touched_[d].empty()) continue;
        for (std::vector<Uv>& loop : uvLoops) {
            double shift = nearestPeriodic(loop.front().x[d], touched_[d].front(), surface_.period(d)) - loop.front().x[d];
            for (Uv& uv : loop) uv.x[d] += shift;
        }
    }
    chooseRectangle(uvLoops, loops);
    if (!valid_) return;
    for (const std::vector<Uv>& loop : uvLoops) cutIntoPieces(loop);
    chooseReference();
    // The seam went where the boundary never goes; the face may still go all round there.
    for (int d = 0; d < 2 && !whole_; ++d) {
        if (!seamed_[d] || coversPeriod_[d]) continue;
        for (int k = 0; k < 7 && !coversPeriod_[d]; ++k) {
            double y = low_[1 - d] + (high_[1 - d] - low_[1 - d]) * (k + 0.5) / 7;
            coversPeriod_[d] = d == 0 ? inside(seam_[d], y) : inside(y, seam_[d]);
        }
        if (coversPeriod_[d]) {
            coveredLow_[d] = low_[d];
            coveredHigh_[d] = high_[d];
        }
    }
    // A face that reaches a pole or apex covers the range up to it.
    for (int d = 0; d < 2 && !whole_; ++d)
        for (int s = 0; s < 2; ++s) {
            if (!(s == 0 ? singularLow_[d] : singularHigh_[d])) continue;
            double x = s == 0 ? low_[d] + 1e-6 * (high_[d] - low_[d]) : high_[d] - 1e-6 * (high_[d] - low_[d]);
            bool reached = false;
            for (int k = 0; k < 7 && !reached; ++k) {
                double y = low_[1 - d] + (high_[1 - d] - low_[1 - d]) * (k + 0.5) / 7;
                reached = d == 0 ? inside(x, y) : inside(y, x);
            }
            if (reached) (s == 0 ? coveredLow_[d] : coveredHigh_[d]) = s == 0 ? low_[d] : high_[d];
        }
}

bool FaceDomain::unwrapLoop(const LoopNodes& nodes, int loop, const std::vector<int>& singularDir,
                            const std::vector<double>& singularValue, std::vector<Uv>& out) const {
    const std::size_t n = nodes.size();
    if (n == 0) return true;
    std::size_t first = 0;
    while (first < n && singularDir[first] >= 0) ++first;
    if (first == n) return true;  // a loop that is a point: a pole or an apex, not a boundary
    std::vector<Uv> regular;  // in loop order from `first`, singular nodes as markers
    regular.reserve(n);       // `previous` points into it
    const Uv* previous = nullptr;
    for (std::size_t step = 0; step < n; ++step) {
        std::size_t k = (first + step) % n;
        Uv uv{{0, 0}, loop, static_cast<int>(k), nodes[k].p};
        if (singularDir[k] >= 0) {
            uv.x[singularDir[k]] = singularValue[k];
            uv.x[1 - singularDir[k]] = NAN;  // filled from the neighbours below
        } else {
            double hint[2];
            if (previous) {
                hint[0] = previous->x[0];
                hint[1] = previous->x[1];
            }
            surface_.invert(nodes[k].p, uv.x[0], uv.x[1], previous ? hint : nullptr);
            if (!finitePoint(uv.x[0], uv.x[1])) return false;
        }
        regular.push_back(uv);
        if (singularDir[k] < 0) previous = &regular.back();
    }
    // A node at a pole becomes the stretch of the pole line between its neighbours.
    for (std::size_t k = 0; k < regular.size(); ++k) {
        const Uv& uv = regular[k];
        int d = singularDir[uv.node];
        if (d < 0) {
            out.push_back(uv);
            continue;
        }
        const Uv* before = nullptr;
        const Uv* after = nullptr;
        for (std::size_t j = 1; j < regular.size() && !before; ++j) {
            const Uv& c = regular[(k + regular.size() - j) % regular.size()];
            if (singularDir[c.node] < 0) before = &c;
        }
        for (std::size_t j = 1; j < regular.size() && !after; ++j) {
            const Uv& c = regular[(k + j) % regular.size()];
            if (singularDir[c.node] < 0) after = &c;
        }
        Uv a = uv, b = uv;
        a.x[1 - d] = before->x[1 - d];
        b.x[1 - d] = after->x[1 - d];
        if (surface_.periodic(1 - d)) b.x[1 - d] = nearestPeriodic(b.x[1 - d], a.x[1 - d], surface_.period(1 - d));
        out.push_back(a);
        if (b.x[1 - d] != a.x[1 - d]) out.push_back(b);
    }
    return true;
}

void FaceDomain::chooseRectangle(const std::vector<std::vector<Uv>>& loops, const std::vector<LoopNodes>& input) {
    double minX[2] = {1e300, 1e300}, maxX[2] = {-1e300, -1e300};
    for (const auto& loop : loops)
        for (const Uv& uv : loop)
            for (int d = 0; d < 2; ++d) {
                minX[d] = std::min(minX[d], uv.x[d]);
                maxX[d] = std::max(maxX[d], uv.x[d]);
            }
    for (int d = 0; d < 2; ++d) {
        // A periodic direction is cut at a seam, unless the face reaches a line of it that
        // collapses to a point: then it lies to one side of that line.
        if (surface_.periodic(d) && touched_[d].empty())
            chooseSeam(d, loops, input);
        else
            chooseRange(d, minX[d], maxX[d]);
    }
    valid_ = !unbounded_ && std::isfinite(low_[0]) && std::isfinite(high_[0]) && std::isfinite(low_[1]) &&
             std::isfinite(high_[1]) && high_[0] > low_[0] && high_[1] > low_[1];
    if (!valid_) return;
    // Metric lengths of unit parameter steps, averaged over the covered range.
    for (int d = 0; d < 2; ++d) {
        double total = 0;
        int count = 0;
        for (int i = 0; i < 5; ++i)
            for (int j = 0; j < 5; ++j) {
                double u = coveredLow_[0] + (coveredHigh_[0] - coveredLow_[0]) * (i + 0.5) / 5;
                double v = coveredLow_[1] + (coveredHigh_[1] - coveredLow_[1]) * (j + 0.5) / 5;
                SPAposition p;
                SPAvector du, dv;
                surface_.eval(u, v, p, du, dv);
                double l = length(d == 0 ? du : dv);
                if (std::isfinite(l)) {
                    total += l;
                    ++count;
                }
            }
        scale_[d] = count && total > 0 ? total / count : 1.0;
    }
}

void FaceDomain::chooseSeam(int d, const std::vector<std::vector<Uv>>& loops, const std::vector<LoopNodes>& input) {
    const double period = surface_.period(d), base = surface_.low(d);
    seamed_[d] = true;
    coversPeriod_[d] = true;
    seam_[d] = base;
    if (!whole_) {
        // Where the boundary never goes, a seam cuts nothing.
        std::vector<std::pair<double, double>> covered;
        bool full = false;
        for (const auto& loop : loops)
            for (std::size_t k = 0; k < loop.size() && !full; ++k) {
                double a = loop[k].x[d];
                double b = nearestPeriodic(loop[(k + 1) % loop.size()].x[d], a, period);
                double lo = std::min(a, b), len = std::fabs(b - a);
                if (len >= period) {
                    full = true;
                    break;
                }
                double start = std::fmod(lo - base, period);
                if (start < 0) start += period;
                if (start + len > period) {
                    covered.push_back({start, period});
                    covered.push_back({0, start + len - period});
                } else {
                    covered.push_back({start, start + len});
                }
            }
        double gapStart = 0, gapLength = 0;
        if (!full && !covered.empty()) {
            std::sort(covered.begin(), covered.end());
            double reach = covered.front().second;
            for (std::size_t i = 1; i < covered.size(); ++i) {
                if (covered[i].first > reach && covered[i].first - reach > gapLength) {
                    gapStart = reach;
                    gapLength = covered[i].first - reach;
                }
                reach = std::max(reach, covered[i].second);
            }
            double around = covered.front().first + period - reach;  // past the end into the start
            if (around > gapLength) {
                gapStart = reach;
                gapLength = around;
            }
        }
        if (gapLength > 1e-6 * period) {
            seam_[d] = base + gapStart + 0.5 * gapLength;
            coversPeriod_[d] = false;
            coveredLow_[d] = seam_[d] + 0.5 * gapLength;
            coveredHigh_[d] = seam_[d] + period - 0.5 * gapLength;
        } else {
            // The seam goes through a node, preferably a vertex of a loop that winds.
            int best = -1;
            for (const auto& loop : loops) {
                double wind = nearestPeriodic(loop.front().x[d], loop.back().x[d], period) - loop.front().x[d];
                for (const Uv& uv : loop) {
                    int rank = (std::fabs(wind) > 0.5 * period ? 2 : 0) +
                               (uv.node >= 0 && input[uv.loop][uv.node].vertex ? 1 : 0);
                    if (rank > best) {
                        best = rank;
                        seam_[d] = uv.x[d];
                    }
                }
            }
        }
    }
    low_[d] = seam_[d];
    high_[d] = seam_[d] + period;
    if (coversPeriod_[d]) {
        coveredLow_[d] = low_[d];
        coveredHigh_[d] = high_[d];
    }
}

void FaceDomain::chooseRange(int d, double minX, double maxX) {
    if (whole_) {
        if (!surface_.bounded(d)) {
            unbounded_ = true;  // a face without loops on a plane, say: nothing to draw
            return;
        }
        low_[d] = coveredLow_[d] = surface_.low(d);
        high_[d] = coveredHigh_[d] = surface_.high(d);
        singularLow_[d] = std::count(surface_.singular(d).begin(), surface_.singular(d).end(), low_[d]) > 0;
        singularHigh_[d] = std::count(surface_.singular(d).begin(), surface_.singular(d).end(), high_[d]) > 0;
        return;
    }
    coveredLow_[d] = minX;
    coveredHigh_[d] = maxX;
    double span = maxX - minX;
    double margin = 0.02 * span + 1e-9 * (1 + std::fabs(minX) + std::fabs(maxX));
    low_[d] = minX - margin;
    high_[d] = maxX + margin;
    // Poles and apexes beyond the boundary may be covered by the face: reach them.
    for (double s : surface_.singular(d)) {
        bool touched = std::count(touched_[d].begin(), touched_[d].end(), s) > 0;
        bool reach = touched || (surface_.bounded(d) && !surface_.periodic(d));
        if (surface_.periodic(d) && touched) s = nearestPeriodic(s, 0.5 * (minX + maxX), surface_.period(d));
        if (!reach) continue;
        if (s <= minX + 1e-12 * (1 + std::fabs(s))) {
            low_[d] = s;
            singularLow_[d] = true;
        } else if (s >= maxX - 1e-12 * (1 + std::fabs(s))) {
            high_[d] = s;
            singularHigh_[d] = true;
        }
    }
    if (surface_.bounded(d) && !surface_.periodic(d)) {
        low_[d] = std::max(low_[d], surface_.low(d));
        high_[d] = std::min(high_[d], surface_.high(d));
    }
}

void FaceDomain::cutIntoPieces(const std::vector<Uv>& loop) {
    const double eps[2] = {1e-9 * (high_[0] - low_[0]), 1e-9 * (high_[1] - low_[1])};
    auto period = [&](int d) { return surface_.period(d); };
    // The seam line a coordinate lies on, or -huge.
    auto lineOf = [&](double x, int d) -> double {
        if (!seamed_[d]) return -1e300;
        double k = std::round((x - seam_[d]) / period(d));
        return std::fabs(x - (seam_[d] + k * period(d))) <= eps[d] ? k : -1e300;
    };
    std::vector<Uv> path(loop);
    Uv closing = loop.front();
    for (int d = 0; d < 2; ++d)
        if (surface_.periodic(d)) closing.x[d] = nearestPeriodic(closing.x[d], loop.back().x[d], period(d));
    path.push_back(closing);

    // The cell (whole periods above the seam) each periodic direction starts in: that of
    // the first point off a seam line.
    double cell[2] = {0, 0};
    for (int d = 0; d < 2; ++d) {
        if (!seamed_[d]) continue;
        std::size_t k = 0;
        while (k + 1 < path.size() && lineOf(path[k].x[d], d) > -1e299) ++k;
        cell[d] = std::floor((path[k].x[d] - seam_[d]) / period(d));
    }
    auto mapped = [&](const Uv& uv) {
        Point p{uv.x[0], uv.x[1], uv.loop, uv.node, uv.p};
        if (seamed_[0]) p.u -= cell[0] * period(0);
        if (seamed_[1]) p.v -= cell[1] * period(1);
        return p;
    };
    std::vector<Piece> made(1);
    int cuts = 0;
    made.back().points.push_back(mapped(path[0]));
    for (std::size_t i = 0; i + 1 < path.size(); ++i) {
        const Uv& a = path[i];
        const Uv& b = path[i + 1];
        // Seam lines crossed strictly inside the segment, in order along it.
        struct Event {
            double f;
            int d;
            double line;
        };
        std::vector<Event> events;
        for (int d = 0; d < 2; ++d) {
            if (!seamed_[d] || a.x[d] == b.x[d]) continue;
            double lo = std::min(a.x[d], b.x[d]), hi = std::max(a.x[d], b.x[d]);
            double k0 = std::ceil((lo - seam_[d]) / period(d)), k1 = std::floor((hi - seam_[d]) / period(d));
            for (double k = k0; k <= k1 && k - k0 < 4; ++k) {
                double line = seam_[d] + k * period(d);
                if (std::fabs(line - a.x[d]) <= eps[d] || std::fabs(line - b.x[d]) <= eps[d]) continue;
                events.push_back({(line - a.x[d]) / (b.x[d] - a.x[d]), d, line});
            }
        }
        std::sort(events.begin(), events.end(), [](const Event& x, const Event& y) { return x.f < y.f; });
        for (const Event& e : events) {
            Uv cut = a;
            cut.x[0] = a.x[0] + e.f * (b.x[0] - a.x[0]);
            cut.x[1] = a.x[1] + e.f * (b.x[1] - a.x[1]);
            cut.x[e.d] = e.line;
            cut.node = -1;
            cut.p = a.p + e.f * (b.p - a.p);
            crossings_.push_back({a.loop, a.node, e.d, e.line});
            made.back().points.push_back(mapped(cut));
            cell[e.d] += b.x[e.d] > a.x[e.d] ? 1 : -1;
            made.emplace_back();
            made.back().points.push_back(mapped(cut));
            ++cuts;
        }
        // A point off the current cell after one on a seam line: cut at that point.
        for (int d = 0; d < 2; ++d) {
            if (!seamed_[d]) continue;
            double x = b.x[d] - cell[d] * period(d);
            if (x >= low_[d] - eps[d] && x <= high_[d] + eps[d]) continue;
            double line = lineOf(a.x[d], d);
            if (line < -1e299) continue;  // cannot happen: a crossing was cut above
            cell[d] = std::floor((b.x[d] - seam_[d]) / period(d));
            made.emplace_back();
            made.back().points.push_back(mapped(a));
            ++cuts;
        }
        made.back().points.push_back(mapped(b));
    }
    if (cuts == 0) {
        Piece piece = std::move(made.front());
        const Point& first = piece.points.front();
        const Point& last = piece.points.back();
        if (std::fabs(first.u - last.u) <= eps[0] && std::fabs(first.v - last.v) <= eps[1]) {
            piece.points.pop_back();
            piece.closed = true;
        }
        pieces_.push_back(std::move(piece));
        return;
    }
    // The loop's start was no cut: its last stretch runs on into its first.
    Piece& tail = made.back();
    const Point& end = tail.points.back();
    const Point& start = made.front().points.front();
    if (std::fabs(end.u - start.u) <= eps[0] && std::fabs(end.v - start.v) <= eps[1]) {
        tail.points.insert(tail.points.end(), made.front().points.begin() + 1, made.front().points.end());
        made.front() = std::move(tail);
        made.pop_back();
    }
    for (Piece& piece : made)
        if (piece.points.size() >= 2) pieces_.push_back(std::move(piece));
}

void FaceDomain::chooseReference() {
    refInside_ = whole_;
    bool outsideKnown = !seamed_[0] && !seamed_[1] && !singularLow_[0] && !singularHigh_[0] &&
                        !singularLow_[1] && !singularHigh_[1];
    if (whole_) return;
    if (outsideKnown) {
        // The boundary lies within the rectangle's margins: a point beyond them is outside.
        refU_ = low_[0] - 0.5 * (high_[0] - low_[0]);
        refV_ = low_[1] - 0.37 * (high_[1] - low_[1]);
        refInside_ = false;
        return;
    }
    // Beside the longest boundary segment, on the face's side of it.
    double best = -1;
    for (const Piece& piece : pieces_) {
        std::size_t n = piece.points.size();
        for (std::size_t k = 0; k + (piece.closed ? 0 : 1) < n; ++k) {
            const Point& a = piece.points[k];
            const Point& b = piece.points[(k + 1) % n];
            if (onRim(a.u, a.v) && onRim(b.u, b.v)) continue;  // its outer side is no face
            double du = (b.u - a.u) * scale_[0], dv = (b.v - a.v) * scale_[1];
            double len = std::sqrt(du * du + dv * dv);
            if (!(len > best)) continue;
            best = len;
            double offset = 1e-4 * side_;
            refU_ = 0.5 * (a.u + b.u) - offset * dv / scale_[0];
            refV_ = 0.5 * (a.v + b.v) + offset * du / scale_[1];
        }
    }
    refInside_ = true;
}

bool FaceDomain::onRim(double u, double v) const {
    const double x[2] = {u, v};
    for (int d = 0; d < 2; ++d) {
        double eps = 1e-9 * (high_[d] - low_[d]);
        if (std::fabs(x[d] - low_[d]) <= eps || std::fabs(x[d] - high_[d]) <= eps) return true;
    }
    return false;
}

int FaceDomain::crossingsTo(double u, double v) const {
    int count = 0;
    for (const Piece& piece : pieces_) {
        std::size_t n = piece.points.size();
        for (std::size_t k = 0; k + (piece.closed ? 0 : 1) < n; ++k) {
            const Point& a = piece.points[k];
            const Point& b = piece.points[(k + 1) % n];
            if (segmentsCross(refU_, refV_, u, v, a.u, a.v, b.u, b.v)) ++count;
        }
    }
    return count;
}

bool FaceDomain::inside(double u, double v) const {
    if (whole_) return true;
    return ((crossingsTo(u, v) & 1) != 0) != refInside_;
}

std::vector<std::pair<double, double>> FaceDomain::insideAlong(int d, double value) const {
    const int e = 1 - d;
    std::vector<std::pair<double, double>> out;
    double lo = low_[e], hi = high_[e];
    if (whole_) {
        out.push_back({lo, hi});
        return out;
    }
    std::vector<double> at;
    for (const Piece& piece : pieces_) {
        std::size_t n = piece.points.size();
        for (std::size_t k = 0; k + (piece.closed ? 0 : 1) < n; ++k) {
            const Point& a = piece.points[k];
            const Point& b = piece.points[(k + 1) % n];
            double ad = d == 0 ? a.u : a.v, bd = d == 0 ? b.u : b.v;
            double ae = d == 0 ? a.v : a.u, be = d == 0 ? b.v : b.u;
            if ((ad <= value && value < bd) || (bd <= value && value < ad))
                at.push_back(ae + (value - ad) / (bd - ad) * (be - ae));
        }
    }
    std::sort(at.begin(), at.end());
    // Membership in the longest stretch between crossings, then alternating from there.
    std::vector<double> cuts;
    cuts.push_back(lo);
    for (double c : at) cuts.push_back(std::max(lo, std::min(hi, c)));
    cuts.push_back(hi);
    std::size_t longest = 0;
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i)
        if (cuts[i + 1] - cuts[i] > cuts[longest + 1] - cuts[longest]) longest = i;
    double probe = 0.5 * (cuts[longest] + cuts[longest + 1]);
    bool probeIn = d == 0 ? inside(value, probe) : inside(probe, value);
    for (std::size_t i = 0; i + 1 < cuts.size(); ++i) {
        bool in = ((i > longest ? i - longest : longest - i) % 2 == 0) == probeIn;
        if (in && cuts[i + 1] > cuts[i]) {
            if (!out.empty() && out.back().second >= cuts[i]) out.back().second = cuts[i + 1];
            else out.push_back({cuts[i], cuts[i + 1]});
        }
    }
    return out;
}
