// Splitting a curve's parameter range until each span meets a rule: the first partition
// follows the curve's kind (one span for a line, quarter turns for an ellipse, knot spans
// for a spline), then spans are halved while the rule asks for it.
#pragma once

#include "solidkernel/geometry.h"

#include <cstddef>
#include <vector>

namespace curve_sampling {

// Spans [start, end] is cut into before any rule is looked at.
std::vector<double> initialPartition(const CURVE& curve, double start, double end);

// The largest distance of the curve from the chord between a and b (looked at a few
// parameters inside the span).
double chordDeviation(const CURVE& curve, double a, double b);

// The angle (radians) the curve's tangent turns between a and b.
double tangentTurn(const CURVE& curve, double a, double b);

// Parameters from initial.front() to initial.back() such that split(a, b) is false for
// every span, halving spans up to a fixed depth. Returns false (with a partial result) when
// more than limit parameters would be needed.
template <class Split>
bool subdivide(const std::vector<double>& initial, Split split, std::size_t limit,
               std::vector<double>& out) {
    struct Span {
        double a, b;
        int depth;
    };
    out.clear();
    if (initial.empty()) return true;
    out.push_back(initial.front());
    std::vector<Span> stack;
    for (std::size_t i = initial.size() - 1; i > 0; --i) stack.push_back({initial[i - 1], initial[i], 0});
    while (!stack.empty()) {
        Span s = stack.back();
        stack.pop_back();
        if (s.depth < 40 && split(s.a, s.b)) {
            double m = 0.5 * (s.a + s.b);
            if (m != s.a && m != s.b) {
                stack.push_back({m, s.b, s.depth + 1});
                stack.push_back({s.a, m, s.depth + 1});
                continue;
            }
        }
        out.push_back(s.b);
        if (out.size() > limit) return false;
    }
    return true;
}

}  // namespace curve_sampling
