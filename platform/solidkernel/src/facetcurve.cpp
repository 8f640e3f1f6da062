// Curve faceting: the first partition of a curve's range, chord and tangent measures, and
// api_facet_curve.
#include "CurveSampling.h"
#include "KernelState.h"
#include "solidkernel/errors.h"
#include "solidkernel/facetcurve.h"
#include "solidkernel/tolerance.h"

#include <algorithm>
#include <cmath>

namespace curve_sampling {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kMaxInitialSpans = 4096;

void evenly(double start, double end, int spans, std::vector<double>& out) {
    spans = std::max(1, std::min(spans, kMaxInitialSpans));
    for (int i = 0; i <= spans; ++i) out.push_back(i == spans ? end : start + (end - start) * i / spans);
}
}  // namespace

std::vector<double> initialPartition(const CURVE& curve, double start, double end) {
    std::vector<double> out;
    if (dynamic_cast<const ELLIPSE*>(&curve)) {
        evenly(start, end, static_cast<int>(std::ceil(std::fabs(end - start) / (kPi / 4) - 1e-9)), out);
    } else if (auto* spline = dynamic_cast<const INTCURVE*>(&curve)) {
        // Knot spans inside the range (the curve runs backwards when reversed).
        const std::vector<double>& knots = spline->approximation().knots;
        double sign = spline->reversed ? -1.0 : 1.0;
        std::vector<double> inside;
        double lo = std::min(start, end), hi = std::max(start, end);
        for (double k : knots) {
            double t = sign * k;
            if (t > lo && t < hi && (inside.empty() || inside.back() != t)) inside.push_back(t);
            if (inside.size() > static_cast<std::size_t>(kMaxInitialSpans)) break;
        }
        std::sort(inside.begin(), inside.end());
        if (end < start) std::reverse(inside.begin(), inside.end());
        inside.erase(std::unique(inside.begin(), inside.end()), inside.end());
        out.push_back(start);
        for (double t : inside) {
            // Each knot span in two, so that a curve bending back within a span is seen.
            out.push_back(0.5 * (out.back() + t));
            out.push_back(t);
        }
        out.push_back(0.5 * (out.back() + end));
        out.push_back(end);
    } else {
        out = {start, end};
    }
    return out;
}

double chordDeviation(const CURVE& curve, double a, double b) {
    SPAposition pa, pb;
    curve.eval(a, pa);
    curve.eval(b, pb);
    SPAvector chord = pb - pa;
    double cc = dot(chord, chord);
    double worst = 0.0;
    for (double f : {0.25, 0.5, 0.75}) {
        SPAposition p;
        curve.eval(a + (b - a) * f, p);
        SPAvector d = p - pa;
        double along = cc > 0 ? std::min(1.0, std::max(0.0, dot(d, chord) / cc)) : 0.0;
        worst = std::max(worst, length(d - along * chord));
        if (!(worst == worst)) return worst;  // not a number: the caller stops
    }
    return worst;
}

double tangentTurn(const CURVE& curve, double a, double b) {
    SPAposition p;
    SPAvector da, db;
    curve.eval(a, p, &da);
    curve.eval(b, p, &db);
    double la = length(da), lb = length(db);
    if (!(la > 0) || !(lb > 0)) return 0.0;
    double c = dot(da, db) / (la * lb);
    return std::acos(std::max(-1.0, std::min(1.0, c)));
}

}  // namespace curve_sampling

outcome api_facet_curve(const CURVE& curve, double start, double end, double tolerance, int max,
                        int& count, SPAposition positions[], double params[]) {
    if (err_mess_type injected = takeArmedFailure("api_facet_curve")) return outcome(injected);
    count = 0;
    if (max < 2 || !positions || !params || !std::isfinite(start) || !std::isfinite(end))
        return outcome(kernel_errors::kBadParameter);
    if (!(tolerance >= SPAresabs)) tolerance = SPAresabs;  // not-a-number included
    std::vector<double> ts;
    bool fits = curve_sampling::subdivide(
        curve_sampling::initialPartition(curve, start, end),
        [&](double a, double b) { return !(curve_sampling::chordDeviation(curve, a, b) <= tolerance); },
        static_cast<std::size_t>(max) - 1, ts);
    if (!fits || ts.size() > static_cast<std::size_t>(max)) {
        ts.clear();
        for (int i = 0; i < max; ++i) ts.push_back(i == max - 1 ? end : start + (end - start) * i / (max - 1));
    }
    for (std::size_t i = 0; i < ts.size(); ++i) {
        curve.eval(ts[i], positions[i]);
        params[i] = ts[i];
        if (!std::isfinite(positions[i].x) || !std::isfinite(positions[i].y) || !std::isfinite(positions[i].z))
            return outcome(kernel_errors::kDegenerateGeometry);
    }
    count = static_cast<int>(ts.size());
    return outcome();
}
