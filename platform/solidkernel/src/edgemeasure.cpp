// Edge lengths: closed forms for lines and circles, adaptive Gauss-Legendre quadrature of
// the speed along ellipses and procedural curves.
#include "CurveSearch.h"
#include "solidkernel/geometry.h"
#include "solidkernel/transf.h"

#include <algorithm>
#include <cmath>

namespace {

// Five-point Gauss-Legendre on [a, b].
template <class F>
double gauss5(F f, double a, double b) {
    static const double x[5] = {0.0, 0.5384693101056831, -0.5384693101056831, 0.9061798459386640,
                                -0.9061798459386640};
    static const double w[5] = {0.5688888888888889, 0.4786286704993665, 0.4786286704993665,
                                0.2369268850561891, 0.2369268850561891};
    double mid = 0.5 * (a + b), half = 0.5 * (b - a), sum = 0;
    for (int i = 0; i < 5; ++i) sum += w[i] * f(mid + half * x[i]);
    return sum * half;
}

template <class F>
double adaptive(F f, double a, double b, double whole, double tolerance, int depth) {
    double mid = 0.5 * (a + b);
    double left = gauss5(f, a, mid), right = gauss5(f, mid, b);
    if (depth <= 0 || std::fabs(left + right - whole) <= tolerance) return left + right;
    return adaptive(f, a, mid, left, 0.5 * tolerance, depth - 1) +
           adaptive(f, mid, b, right, 0.5 * tolerance, depth - 1);
}

}  // namespace

double EDGE::length(const SPAtransf* transf) const {
    const CURVE* curve = geometry();
    if (!curve) return 0.0;
    double a = std::fmin(startParam_, endParam_), b = std::fmax(startParam_, endParam_);
    if (!(b > a) || !std::isfinite(a) || !std::isfinite(b)) return 0.0;
    auto image = [transf](const SPAvector& v) { return transf ? transf->applyVector(v) : v; };
    if (auto* line = dynamic_cast<const STRAIGHT*>(curve))
        return ::length(image(line->direction)) * (b - a);
    if (auto* ellipse = dynamic_cast<const ELLIPSE*>(curve)) {
        bool circle = std::fabs(std::fabs(ellipse->ratio) - 1.0) < 1e-15;
        if (circle && (!transf || is_conformal(*transf)))
            return ::length(image(ellipse->major)) * (b - a);
    }
    // The curve's parameter runs against the edge's when the edge is reversed; the speed
    // does not care about the direction.
    auto speed = [&](double t) {
        SPAposition p;
        SPAvector d;
        curve->eval(reversed_ ? -t : t, p, &d);
        return ::length(image(d));
    };
    int spans = 16;
    if (auto* spline = dynamic_cast<const INTCURVE*>(curve))
        spans = static_cast<int>(std::clamp<std::size_t>(spline->approximation().knots.size(), 16,
                                                         curve_search::kMaxSamples));
    double total = 0, step = (b - a) / spans;
    for (int i = 0; i < spans; ++i) {
        double s = a + step * i, e = i + 1 == spans ? b : s + step;
        double estimate = gauss5(speed, s, e);
        total += adaptive(speed, s, e, estimate, 1e-13 * std::fmax(1.0, std::fabs(estimate)), 30);
    }
    return total;
}
