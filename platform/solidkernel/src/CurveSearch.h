// One-dimensional searches along curves: the minimum of a smooth function on an interval
// (sampled, then refined on the sign change of its slope), and the roots of a function.
#pragma once

#include <cstddef>
#include <vector>

namespace curve_search {

// Samples along one curve are bounded: a damaged text's spline of a million control points
// must not make one query take minutes.
constexpr std::size_t kMaxSamples = 4096;

// The parameter in [low, high] where value is least. value is sampled at samples + 1
// evenly spaced parameters; around the best sample, the root of slope (value's derivative)
// is refined where slope changes from negative to positive. With periodic set, high is low
// one period on, and the samples next to either end are neighbours of both.
template <class Value, class Slope>
double minimise(Value value, Slope slope, double low, double high, int samples,
                bool periodic = false);

// Every parameter in [low, high] where f changes sign between samples + 1 evenly spaced
// parameters, refined to machine precision (values exactly zero at a sample count once).
template <class F>
std::vector<double> roots(F f, double low, double high, int samples);

// The root of f in [a, b] where f(a) and f(b) differ in sign (regula falsi, Illinois).
template <class F>
double refineRoot(F f, double a, double b, double fa, double fb) {
    for (int i = 0; i < 100 && b - a > 1e-15 * (1.0 + (a < 0 ? -a : a)); ++i) {
        double t = (fa - fb) != 0 ? b - fb * (b - a) / (fb - fa) : 0.5 * (a + b);
        if (!(t > a && t < b)) t = 0.5 * (a + b);
        double ft = f(t);
        if (ft == 0) return t;
        if ((ft < 0) == (fa < 0)) {
            a = t;
            fa = ft;
            fb *= 0.5;
        } else {
            b = t;
            fb = ft;
            fa *= 0.5;
        }
    }
    return 0.5 * (a + b);
}

template <class Value, class Slope>
double minimise(Value value, Slope slope, double low, double high, int samples, bool periodic) {
    if (!(high > low)) return low;
    double step = (high - low) / samples;
    int best = 0;
    double bestValue = value(low);
    for (int i = 1; i <= samples; ++i) {
        double v = value(i == samples ? high : low + step * i);
        if (v < bestValue) {
            bestValue = v;
            best = i;
        }
    }
    double result = best == samples ? high : low + step * best;
    // The minimum is where the slope turns from negative to positive next to the sample.
    auto point = [&](int i) { return i >= samples ? high : low + step * i; };
    for (int side = -1; side <= 1; side += 2) {
        int at = best, other = best + side;
        if (periodic && other < 0)
            at = samples, other = samples - 1;  // the same point, one period on
        if (periodic && other > samples) at = 0, other = 1;
        if (other < 0 || other > samples) continue;
        double a = point(std::min(at, other)), b = point(std::max(at, other));
        double sa = slope(a), sb = slope(b);
        if (sa < 0 && sb > 0) {
            double t = refineRoot(slope, a, b, sa, sb);
            double v = value(t);
            if (v < bestValue) {
                bestValue = v;
                result = t;
            }
        }
    }
    return result;
}

template <class F>
std::vector<double> roots(F f, double low, double high, int samples) {
    std::vector<double> out;
    if (!(high > low)) return out;
    double step = (high - low) / samples;
    double a = low, fa = f(a);
    if (fa == 0) out.push_back(a);
    for (int i = 1; i <= samples; ++i) {
        double b = i == samples ? high : low + step * i, fb = f(b);
        if (fb == 0) {
            out.push_back(b);
        } else if (fa != 0 && (fa < 0) != (fb < 0)) {
            out.push_back(refineRoot(f, a, b, fa, fb));
        }
        a = b;
        fa = fb;
    }
    return out;
}

}  // namespace curve_search
